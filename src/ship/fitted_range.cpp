// The ranges the Holtrop-Mennen method was fitted on, per ship type (Holtrop's table of the
// prismatic coefficient, L/B, B/T and the highest Froude number), and the sentences that say
// where a hull or a speed lies outside them.  Warnings only: the method is never refused.
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "ship/holtrop_mennen.h"

namespace tidewerk {

namespace {

struct ShipType {
  const char* name;
  double Fn_max;          // highest Froude number
  double CP_min, CP_max;  // prismatic coefficient
  double LB_min, LB_max;  // L/B
  double BT_min, BT_max;  // B/T
};

// Holtrop's table per ship type.  The CP ranges of tankers, cargo ships and the ro-ro,
// passenger and container ships are confirmed by two sources; the rest by one.
constexpr ShipType kShipTypes[] = {
    {.name = "tankers and bulk carriers",
     .Fn_max = 0.24,
     .CP_min = 0.73,
     .CP_max = 0.85,
     .LB_min = 5.1,
     .LB_max = 7.1,
     .BT_min = 2.4,
     .BT_max = 3.2},
    {.name = "trawlers, coasters and tugs",
     .Fn_max = 0.38,
     .CP_min = 0.55,
     .CP_max = 0.65,
     .LB_min = 3.9,
     .LB_max = 6.3,
     .BT_min = 2.1,
     .BT_max = 3.0},
    {.name = "container ships",
     .Fn_max = 0.45,
     .CP_min = 0.55,
     .CP_max = 0.67,
     .LB_min = 6.0,
     .LB_max = 9.5,
     .BT_min = 3.0,
     .BT_max = 4.0},
    {.name = "cargo ships",
     .Fn_max = 0.30,
     .CP_min = 0.56,
     .CP_max = 0.75,
     .LB_min = 5.3,
     .LB_max = 8.0,
     .BT_min = 2.4,
     .BT_max = 4.0},
    {.name = "ro-ro ships and ferries",
     .Fn_max = 0.35,
     .CP_min = 0.55,
     .CP_max = 0.67,
     .LB_min = 5.3,
     .LB_max = 8.0,
     .BT_min = 3.2,
     .BT_max = 4.0},
};

// Above this Froude number the 1982 wave resistance is not meant to be used.
constexpr double kFn_max_1982 = 0.45;

std::string two_places(double value) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2).ptr;
  return std::string(text, end);
}

// "name x lies outside lo to hi, the range of the ship types the method was fitted on."
void check_span(std::vector<std::string>& sentences, const char* name, double value,
                double ShipType::*low, double ShipType::*high) {
  double lo = kShipTypes[0].*low, hi = kShipTypes[0].*high;
  for (const ShipType& type : kShipTypes) {
    lo = std::fmin(lo, type.*low);
    hi = std::fmax(hi, type.*high);
  }
  if (value < lo || value > hi) {
    sentences.push_back(std::string(name) + " " + two_places(value) + " lies outside " +
                        two_places(lo) + " to " + two_places(hi) +
                        ", the range of the ship types the method was fitted on.");
  }
}

}  // namespace

inline namespace v0_1 {

std::vector<std::string> outside_fitted_range(const Hull& hull, double V_mps,
                                              ResistanceMethod method) {
  const holtrop::HullForm f = holtrop::hull_form(hull);
  const double CP = f.CP, LB = hull.L / hull.B, BT = hull.B / f.T;
  std::vector<std::string> sentences;
  check_span(sentences, "CP", CP, &ShipType::CP_min, &ShipType::CP_max);
  check_span(sentences, "L/B", LB, &ShipType::LB_min, &ShipType::LB_max);
  check_span(sentences, "B/T", BT, &ShipType::BT_min, &ShipType::BT_max);

  std::string resembled;
  double Fn_max = 0;      // of the ship types the hull resembles
  double Fn_max_all = 0;  // of every ship type
  for (const ShipType& type : kShipTypes) {
    Fn_max_all = std::fmax(Fn_max_all, type.Fn_max);
    if (CP >= type.CP_min && CP <= type.CP_max && LB >= type.LB_min && LB <= type.LB_max &&
        BT >= type.BT_min && BT <= type.BT_max) {
      resembled += (resembled.empty() ? "" : ", ") + std::string(type.name);
      Fn_max = std::fmax(Fn_max, type.Fn_max);
    }
  }
  if (resembled.empty() && sentences.empty()) {
    sentences.push_back("CP " + two_places(CP) + ", L/B " + two_places(LB) + " and B/T " +
                        two_places(BT) +
                        " together match none of the ship types the method was fitted on.");
  }

  const double Fn = std::isfinite(V_mps) && V_mps > 0 ? V_mps / std::sqrt(Water{}.g * hull.L) : 0;
  if (method == ResistanceMethod::HoltropMennen1982 && Fn > kFn_max_1982) {
    sentences.push_back("Fn " + two_places(Fn) + " is above " + two_places(kFn_max_1982) +
                        ", where the 1982 wave resistance is not meant to be used; the 1984 "
                        "method has a high-speed formula.");
  } else if (!resembled.empty() && Fn > Fn_max) {
    sentences.push_back("Fn " + two_places(Fn) + " is above " + two_places(Fn_max) +
                        ", the highest Froude number of the ship types this hull resembles (" +
                        resembled + ").");
  } else if (resembled.empty() && Fn > Fn_max_all) {
    sentences.push_back("Fn " + two_places(Fn) + " is above " + two_places(Fn_max_all) +
                        ", the highest Froude number of the ship types the method was fitted "
                        "on.");
  }
  return sentences;
}

}  // namespace v0_1
}  // namespace tidewerk
