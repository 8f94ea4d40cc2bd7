// Diagrams of the cases for --svg: the curves of the series on a fine grid with the rows of the
// tables collected for --csv as their markers, the conditions of the design, and labelled marks.
#pragma once

#include <limits>
#include <string>
#include <vector>

#include "cases/propeller.h"
#include "report/outcome.h"
#include "tidewerk/series.h"

namespace tidewerk {

// A condition the case does not know, for conditions_line.
inline constexpr float kNotKnown = std::numeric_limits<float>::quiet_NaN();

// "D = 5.200 m, N = 105.0 RPM, Va = 6.40 m/s, ITTC78 correction applied": the conditions line
// of a case's diagram, diameter in m, shaft speed in RPM and advance speed in m/s, each left
// out when it is kNotKnown; then whether the coefficients carry the ITTC78 correction.
std::string conditions_line(float D, float N, float Va, bool corrected);

// The open-water diagram of `propeller` at the pitch ratio `pd`: Kt, 10Kq and eta0 evaluated
// every 0.005 of J over the range of `table` (columns J, Kt, 10Kq, eta0 ...), whose rows are
// the markers.  Leaves the arithmetic flags as it found them.
Diagram open_water_diagram(const ResultTable& table, const Propeller& propeller, float pd,
                           const std::string& title);

// Kt, 10Kq and eta0 of `propeller` against P/D at the advance coefficient `J`, every 0.005 of
// P/D over the range of `table` (columns P/D, Kt, 10Kq, eta0 ...), whose rows are the markers.
// Leaves the arithmetic flags as it found them.
Diagram pitch_diagram(const ResultTable& table, const Propeller& propeller, float J,
                      const std::string& title, const std::string& subtitle);

// The abscissae of a smooth curve over the range of the table's first column: every `step`
// (more coarsely when that would give more than 2000 points), the table's own values among them
// so that the curve passes through its markers; ascending, without repeats.
std::vector<float> curve_abscissae(const ResultTable& table, float step);

// Marks the point (x, Kt), (x, 10Kq), (x, eta0) on the three curves; the label goes on the
// efficiency curve.
void mark_on_curves(Diagram& diagram, float x, float Kt, float ten_Kq, float eta0,
                    const std::string& label, const std::string& legend);

// The values of an open-water point, one a line: "J = 0.620", "Kt = 0.2010", "10Kq = 0.3300",
// "eta0 = 0.6012".
std::string open_water_label(float J, float Kt, float ten_Kq, float eta0);

// The label of the optimum of cases 1 to 3: its row, P/D, J, eta0 and `solved`, the shaft
// speed or diameter found for it ("N = 123.4 RPM", "D = 5.123 m").
std::string optimum_label(int row, float pd, float J, float eta0, const std::string& solved);

// The values of a candidate of cases 1 to 3 on one line, for its marker:
// "row 3: P/D = 0.800, J = 0.551, eta0 = 0.6012".
std::string candidate_values(int row, float pd, float J, float eta0);

// The label of a bollard-pull candidate: its number, diameter (m), P/D and bollard pull (kN).
std::string candidate_label(int number, float D, float pd, float T_kN);

// Title of a case's diagram: "Wageningen B series, Z = 4, EAR = 0.700, P/D = 1.000"; without
// the pitch ratio when it is not known (NaN).
std::string propeller_title(Series series, float Z, float EAR,
                            float PD = std::numeric_limits<float>::quiet_NaN());

// "J = 0.620" and the like: a value for a diagram label.
std::string labelled(const char* name, float value, int decimals = 3);

}  // namespace tidewerk
