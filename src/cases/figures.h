// Diagrams of the cases for --svg, built from the tables they collect for --csv.
#pragma once

#include <string>
#include <vector>

#include "report/run_figures.h"
#include "tidewerk/series.h"

namespace tidewerk {

// Kt, 10Kq and eta0 against J from an open-water table whose first four columns are
// J, Kt, 10Kq and eta0.
Diagram open_water_diagram(const ResultTable& table, const std::string& title);

// Kt, 10Kq and eta0 against the first column of `table` (columns x, Kt, 10Kq, eta0 ...).
Diagram coefficient_diagram(const ResultTable& table, const std::string& title,
                            const std::string& subtitle, const std::string& x_label);

// Marks the point (x, Kt), (x, 10Kq), (x, eta0) on the three curves; the label goes on the
// efficiency curve.
void mark_on_curves(Diagram& diagram, float x, float Kt, float ten_Kq, float eta0,
                    const std::string& label, const std::string& legend);

// Title of a case's diagram: the series' name, Z, EAR and, when known, P/D.
inline std::string propeller_title(Series series, float Z, float EAR,
                                   float PD = std::numeric_limits<float>::quiet_NaN()) {
  return propeller_title(series_facts(series).name, Z, EAR, PD);
}

// "J = 0.620" and the like: a value for a diagram label.
std::string labelled(const char* name, float value, int decimals = 3);

}  // namespace tidewerk
