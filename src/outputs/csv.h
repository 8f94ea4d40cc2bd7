// Tables as comma-separated values, numbers at full single precision.
#pragma once

#include <string>

#include "report/outcome.h"

namespace tidewerk {

// The shortest decimal text that reads back as `value`, always with a decimal point: "0.7",
// "3.0", "-0.0", "1.0e-05", "3.4028235e+38", "33584500.0".  The fewest significant digits
// that do (std::to_chars), in fixed or exponent notation as it is shorter.  Empty for an
// infinity or NaN.
std::string shortest_text(float value);

// A table as comma-separated values: a header line of the column names, then one line per row
// with exactly as many fields (the numbers as shortest_text gives them, the mark last).
std::string table_to_csv(const ResultTable& table);

}  // namespace tidewerk
