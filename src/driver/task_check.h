// --check: what a task file holds, read as a run reads it, without running the case.
#pragma once

#include <istream>
#include <ostream>
#include <string>

namespace tidewerk {

// Reads the task file from `in` and writes to `out` the file (`name` as the user gave it and
// `path`, its absolute path), the series, the case and each value with its name, unit, meaning
// and line, then the warnings a run gives while reading it.  Returns 0 when the file reads;
// otherwise writes what was read up to the fault to `out` and the input error to `errors`, and
// returns 1.
int check_task(std::istream& in, const std::string& name, const std::string& path,
               std::ostream& out, std::ostream& errors);

}  // namespace tidewerk
