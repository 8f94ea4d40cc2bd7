// Diagrams of the cases for --svg, built from the tables they collect for --csv.
#pragma once

#include <string>

#include "report/run_figures.h"

namespace tidewerk {

// Kt, 10Kq and eta0 against J from an open-water table whose first four columns are
// J, Kt, 10Kq and eta0.
Diagram open_water_diagram(const ResultTable& table, const std::string& title);

// Kt, 10Kq and eta0 against the first column of `table` (columns x, Kt, 10Kq, eta0 ...).
Diagram coefficient_diagram(const ResultTable& table, const std::string& title, const std::string& subtitle,
                            const std::string& x_label);

}  // namespace tidewerk
