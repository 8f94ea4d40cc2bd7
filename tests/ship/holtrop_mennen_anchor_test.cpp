// The two published worked examples of the Holtrop-Mennen method, row by row with the tolerance
// their printed digits allow: the 1982 paper's example (one speed, every intermediate value) and
// the 1984 paper's fast ship (six speeds on the high-speed branch).  Both are run with the
// correlation allowance over hull and appendages (the default) and over the hull alone.  A wrong
// exponent, the sign of c15, the form of the bulb resistance or a unit slip shows here.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "ship/example_hulls.h"
#include "ship/holtrop_mennen.h"
#include "tidewerk/ship.h"

namespace tidewerk {
namespace {

constexpr double kN = 1000.0;

struct Row {
  std::string quantity;
  double computed;
  double published;
  double tolerance;  // absolute
};

double percent(double value, double pct) {
  return std::fabs(value) * pct / 100;
}

void expect_rows(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    EXPECT_NEAR(row.computed, row.published, row.tolerance) << row.quantity;
  }
}

TEST(HoltropMennenExample1982, EveryPublishedQuantityAt25Knots) {
  const Hull h = example_1982();
  const double V = 25 * knot;
  const Resistance r = resistance(h, V, ResistanceMethod::HoltropMennen1982);
  const holtrop::HullForm f = holtrop::hull_form(h);
  const holtrop::WaveCoefficients k = holtrop::wave_coefficients(h, f, Water{});
  const double Fni = holtrop::bulb_froude_number(h, V, 9.81);
  const double FnT = holtrop::transom_froude_number(h, V, 9.81);
  expect_rows({
      {"Fn", r.Fn, 0.2868, 5e-5},
      {"CP", f.CP, 0.5833, 5e-5},
      {"S", r.S, 7381.45, 0.01},
      {"LR", f.LR, 81.385, 5e-4},
      {"c12", holtrop::c12(f.T / h.L), 0.5102, 5e-5},
      {"1+k1", r.form_factor, 1.156, 5e-4},
      {"CF", r.CF, 0.00139, 5e-6},
      {"iE", r.iE, 12.08, 0.005},
      {"c7", k.c7, 0.1561, 5e-5},
      {"c1", k.c1, 1.398, 5e-4},
      {"c3", k.c3, 0.02119, 5e-6},
      {"c2", k.c2, 0.7595, 5e-5},
      {"c5", k.c5, 0.9592, 5e-5},
      {"m1", k.m1, -2.1274, 5e-5},
      {"c15 (printed +1.69385, a misprint)", k.c15, -1.69385, 0},
      {"m2", holtrop::m2(k.c15, f.CP, r.Fn), -0.17087, 5e-6},
      {"lambda", k.lambda, 0.6513, 5e-5},
      {"PB", holtrop::bulb_emergence(h), 0.6261, 5e-5},
      {"Fni", Fni, 1.5084, percent(1.5084, 0.02)},
      {"FnT", FnT, 5.433, percent(5.433, 0.02)},
      {"CA", r.CA, 0.000352, 5e-7},
      {"RF kN", r.RF / kN, 869.63, percent(869.63, 0.05)},
      {"RAPP kN", r.RAPP / kN, 8.83, percent(8.83, 0.2)},
      {"RW kN", r.RW / kN, 557.11, percent(557.11, 0.1)},
      {"RB kN", r.RB / kN, 0.049, 0.0005},
      {"RTR kN (FnT above 5)", r.RTR / kN, 0, 0},
      {"RA kN", r.RA / kN, 221.98, percent(221.98, 0.1)},
      {"RT kN", r.RT / kN, 1793.26, percent(1793.26, 0.05)},
      {"PE kW = RT V", r.PE / kN, r.RT * V / kN, 1e-9},
  });
}

TEST(HoltropMennenExample1982, CorrelationOnTheHullAloneIsWithinItsWiderTolerance) {
  const Resistance r = resistance(example_1982(), 25 * knot, ResistanceMethod::HoltropMennen1982,
                                  Water{}, CorrelationArea::Hull);
  expect_rows({
      {"RA kN", r.RA / kN, 221.98, percent(221.98, 0.7)},
      {"RT kN", r.RT / kN, 1793.26, percent(1793.26, 0.1)},
      {"RA kN against the formula", r.RA / kN, 220.572, 0.001},
  });
}

// Not published: the same hull through the 1984 formulas, kept as regression values.
TEST(HoltropMennenExample1982, ThroughThe1984FormulasMatchesTheRegressionValues) {
  const Resistance r = resistance(example_1982(), 25 * knot, ResistanceMethod::Holtrop1984);
  expect_rows({
      {"1+k1", r.form_factor, 1.18508, 5e-6},
      {"RW kN", r.RW / kN, 553.785, 0.001},
      {"RT kN", r.RT / kN, 1815.331, 0.002},
  });
}

struct FastShipSpeed {
  double knots;
  double Fn;
  double RW_kN, RAPP_kN, RTR_kN, RT_kN;  // published, rounded to 1 kN
  double RT_hull_kN;                     // computed with the correlation on the hull alone
};

constexpr FastShipSpeed kFastShip[] = {
    {25, 0.5807, 475, 21, 25, 662, 659.1}, {27, 0.6272, 512, 24, 16, 715, 712.2},
    {29, 0.6736, 539, 28, 2, 756, 752.6},  {31, 0.7201, 564, 31, 0, 807, 803.4},
    {33, 0.7665, 590, 35, 0, 864, 859.5},  {35, 0.8130, 618, 39, 0, 925, 920.1},
};

TEST(HoltropExample1984, FormFactor) {
  const Resistance r = resistance(fast_ship_1984(), 25 * knot, ResistanceMethod::Holtrop1984);
  EXPECT_NEAR(r.form_factor, 1.297, 5e-4);
}

TEST(HoltropExample1984, SixPublishedSpeeds) {
  for (const FastShipSpeed& s : kFastShip) {
    const double V = s.knots * knot;
    const Resistance r = resistance(fast_ship_1984(), V, ResistanceMethod::Holtrop1984);
    const Resistance hull_only = resistance(fast_ship_1984(), V, ResistanceMethod::Holtrop1984,
                                            Water{}, CorrelationArea::Hull);
    const std::string at = " at " + std::to_string(static_cast<int>(s.knots)) + " kn";
    expect_rows({
        {"Fn" + at, r.Fn, s.Fn, 5e-5},
        {"RW kN" + at, r.RW / kN, s.RW_kN, 1.0},
        {"RAPP kN" + at, r.RAPP / kN, s.RAPP_kN, 1.0},
        {"RTR kN" + at, r.RTR / kN, s.RTR_kN, 1.0},
        {"RB kN (no bulb)" + at, r.RB, 0, 0},
        {"RT kN" + at, r.RT / kN, s.RT_kN, percent(s.RT_kN, 0.15)},
        {"RT kN, RA on the hull" + at, hull_only.RT / kN, s.RT_kN, percent(s.RT_kN, 0.6)},
        {"RT kN, RA on the hull, formula" + at, hull_only.RT / kN, s.RT_hull_kN, 0.05},
    });
  }
}

// Not published: the fast ship below its published speeds, through the low-speed formula, the
// blend and the start of the high-speed one.  At Fn 0.45 the variant that evaluates m4 at the
// actual Froude number in both ends of the blend gives 220.4 kN (4.9 % low); a divisor other
// than 1.5 misses as well.
struct LowSpeedPin {
  double Fn, m4, RW_kN, RT_kN;
};
constexpr LowSpeedPin kLowSpeed[] = {
    {0.30, -0.113637, 22.349, 93.959},   {0.40, -0.338837, 128.650, 241.652},
    {0.45, -0.423321, 231.704, 366.004}, {0.50, -0.485855, 334.759, 489.989},
    {0.55, -0.531352, 437.813, 613.032},
};

TEST(HoltropExample1984, LowSpeedBlendAndHighSpeedRegressionValues) {
  const holtrop::HullForm f = holtrop::hull_form(fast_ship_1984());
  const holtrop::WaveCoefficients k = holtrop::wave_coefficients(fast_ship_1984(), f, Water{});
  for (const LowSpeedPin& pin : kLowSpeed) {
    const double V = pin.Fn * std::sqrt(9.81 * fast_ship_1984().L);
    const Resistance r = resistance(fast_ship_1984(), V, ResistanceMethod::Holtrop1984);
    const std::string at = " at Fn " + std::to_string(pin.Fn);
    expect_rows({
        {"m4" + at, holtrop::m4(k.c15, pin.Fn), pin.m4, 5e-7},
        {"RW kN" + at, r.RW / kN, pin.RW_kN, percent(pin.RW_kN, 0.01)},
        {"RT kN" + at, r.RT / kN, pin.RT_kN, percent(pin.RT_kN, 0.01)},
    });
  }
}

}  // namespace
}  // namespace tidewerk
