// --check: what a task file holds, read as a run reads it, without running the case.
#pragma once

#include <istream>
#include <ostream>
#include <string>

namespace tidewerk {

// Reads the task file from `in` and writes to `out` the file (`name` as the user gave it and
// `path`, its absolute path), the series, the case and each value with its name, unit, meaning
// and line, then the warnings a run gives while reading it.  Returns the exit status the run
// would end with before computing: 1 when the file does not read (what was read up to the fault
// goes to `out`, the input error to `errors`), 5 when the run would stop at once without a
// result (an unknown series or case, the data-entry limits; the reason to `errors` as the run
// gives it), 0 otherwise.
int check_task(std::istream& in, const std::string& name, const std::string& path,
               std::ostream& out, std::ostream& errors);

}  // namespace tidewerk
