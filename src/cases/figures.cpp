#include "cases/figures.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdio>

#include "cases/performance.h"
#include "numeric/precision.h"

namespace tidewerk {
namespace {

// Spacing of the smooth curves, in J or P/D, and the most points a curve gets.
constexpr float kCurveStep = 0.005f;
constexpr double kMostCurvePoints = 2000;

// Kt, 10Kq and eta0 at `x` from `points` as three curves, leaving out the points with negative
// or no thrust as the tables do, and the rows of `table` (x, Kt, 10Kq, eta0 ...) as markers,
// each with its values; `x_name` is the name of the table's first column ("J", "P/D").
Diagram coefficient_diagram(const ResultTable& table, const char* x_name,
                            const std::vector<float>& x, const std::vector<OpenWater>& points) {
  Diagram d;
  d.y_label = "Kt, 10Kq, eta0 (-)";
  d.series = {{"Kt", kColourKt, true, {}, {}},
              {"10Kq", kColourKq, true, {}, {}},
              {"eta0", kColourEta, true, {}, {}}};
  for (std::size_t k = 0; k < x.size() && k < points.size(); ++k) {
    const OpenWater& point = points[k];
    if (!std::isgreaterequal(point.Kt, 0.0f)) continue;
    const float y[3] = {point.Kt, ten_kq(point.Kq), point.eta0};
    for (std::size_t c = 0; c < 3; ++c) {
      d.series[c].x.push_back(x[k]);
      d.series[c].y.push_back(y[c]);
    }
  }
  for (const auto& row : table.rows) {
    if (row.size() < 4) continue;
    const std::string values = labelled(x_name, row[0]) + ", " + labelled("Kt", row[1], 4) + ", " +
                               labelled("10Kq", row[2], 4) + ", " + labelled("eta0", row[3], 4);
    for (std::size_t c = 0; c < 3; ++c) d.series[c].markers.push_back({row[0], row[c + 1], values});
  }
  return d;
}

}  // namespace

std::vector<float> curve_abscissae(const ResultTable& table, float step) {
  std::vector<float> x;
  for (const auto& row : table.rows) {
    if (!row.empty() && std::isfinite(row[0])) x.push_back(row[0]);
  }
  if (x.empty()) return x;
  const auto [lo, hi] = std::minmax_element(x.begin(), x.end());
  const double first = *lo, last = *hi;
  const double spacing = std::max(double{step}, (last - first) / kMostCurvePoints);
  for (double k = 1; first + k * spacing < last; ++k) x.push_back(single(first + k * spacing));
  std::sort(x.begin(), x.end());
  x.erase(std::unique(x.begin(), x.end()), x.end());
  return x;
}

std::string propeller_title(Series series, float Z, float EAR, float PD) {
  const auto number = [](double v, const char* format) {
    char text[64];
    std::snprintf(text, sizeof text, format, v);
    return std::string(text);
  };
  std::string title = std::string(series_facts(series).name) +
                      " series, Z = " + number(std::trunc(Z), "%.0f") +
                      ", EAR = " + number(EAR, "%.3f");
  if (std::isfinite(PD)) title += ", P/D = " + number(PD, "%.3f");
  return title;
}

std::string conditions_line(float D, float N, float Va, bool corrected) {
  std::string line;
  auto add = [&line](const char* name, float value, int decimals, const char* unit) {
    if (std::isnan(value)) return;
    line += labelled(name, value, decimals) + " " + unit + ", ";
  };
  add("D", D, 3, "m");
  add("N", N, 1, "RPM");
  add("Va", Va, 2, "m/s");
  return line + (corrected ? "ITTC78 correction applied" : "no ITTC78 correction");
}

Diagram open_water_diagram(const ResultTable& table, const Propeller& propeller, float pd,
                           const std::string& title) {
  // The points evaluated for a diagram alone are not the run's: a division by zero or an
  // overflow among them must not end a run that never printed them.
  const FloatingPointFlagsKept flags;
  const std::vector<float> J = curve_abscissae(table, kCurveStep);
  std::vector<OpenWater> points(J.size());
  propeller.over(pd, J.data(), J.size(), points.data());
  Diagram d = coefficient_diagram(table, "J", J, points);
  d.title = title;
  d.subtitle = "Open-water diagram";
  d.x_label = "Advance coefficient J (-)";
  return d;
}

Diagram pitch_diagram(const ResultTable& table, const Propeller& propeller, float J,
                      const std::string& title, const std::string& subtitle) {
  const FloatingPointFlagsKept flags;
  const std::vector<float> pd = curve_abscissae(table, kCurveStep);
  std::vector<OpenWater> points;
  points.reserve(pd.size());
  for (const float ratio : pd) points.push_back(propeller.at(J, ratio));
  Diagram d = coefficient_diagram(table, "P/D", pd, points);
  d.title = title;
  d.subtitle = subtitle;
  d.x_label = "Pitch ratio P/D (-)";
  return d;
}

void mark_on_curves(Diagram& diagram, float x, float Kt, float ten_Kq, float eta0,
                    const std::string& label, const std::string& legend) {
  diagram.marks.push_back({x, Kt, ""});
  diagram.marks.push_back({x, ten_Kq, ""});
  diagram.marks.push_back({x, eta0, label});
  diagram.mark_legend = legend;
}

std::string open_water_label(float J, float Kt, float ten_Kq, float eta0) {
  return labelled("J", J) + "\n" + labelled("Kt", Kt, 4) + "\n" + labelled("10Kq", ten_Kq, 4) +
         "\n" + labelled("eta0", eta0, 4);
}

std::string optimum_label(int row, float pd, float J, float eta0, const std::string& solved) {
  return "row " + std::to_string(row) + "\n" + labelled("P/D", pd) + "\n" + labelled("J", J) +
         "\n" + labelled("eta0", eta0, 4) + "\n" + solved;
}

std::string candidate_values(int row, float pd, float J, float eta0) {
  return "row " + std::to_string(row) + ": " + labelled("P/D", pd) + ", " + labelled("J", J) +
         ", " + labelled("eta0", eta0, 4);
}

std::string candidate_label(int number, float D, float pd, float T_kN) {
  return "propeller " + std::to_string(number) + "\n" + labelled("D", D) + " m\n" +
         labelled("P/D", pd) + "\n" + labelled("T", T_kN, 1) + " kN";
}

std::string labelled(const char* name, float value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%s = %.*f", name, decimals, static_cast<double>(value));
  return text;
}

}  // namespace tidewerk
