// The run's record as a JSON document (what --json writes and Run.json gives in Python).
#pragma once

#include <string>

#include "outputs/record.h"

namespace tidewerk {

// The record as indented JSON text with a final newline: program, version, task file, series,
// case, values, keyboard, tables, results, warnings, ending, reason, exit status.  Numbers are
// the run's single-precision values with the fewest digits that read back to them; an infinity
// or NaN is null.
std::string run_json_text(const RunRecord& record);

}  // namespace tidewerk
