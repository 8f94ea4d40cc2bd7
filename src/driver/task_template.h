// Annotated task files written by --template: the layout a run reads, the case's values
// explained with their units and the series' ranges, and a worked example that runs.
#pragma once

#include <string>

#include "tidewerk/series.h"

namespace tidewerk {

// A complete task file of case `case_number` (1 to 10) with `series`: 15 head lines, the series
// on line 16, 63 lines explaining the case's values, the case number on line 80 and the example
// values of the case table from line 81, with a comment naming each.
std::string task_template(int case_number, Series series);

// The ten cases, one line each: number and title.
std::string case_listing();

}  // namespace tidewerk
