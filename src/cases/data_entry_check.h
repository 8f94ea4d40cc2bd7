// The data-entry check made before anything is calculated.
#pragma once

#include "cases/problem.h"
#include "report/channels.h"

namespace tidewerk {

// Returns when EARmin <= EAR < EARmax of the problem's series.  Otherwise writes the error block
// of the series on the screen and then on the report, pauses and stops the run without a result.
void check_data_entry(const Problem& p, Console& io);

// Line 16 named no known series (`series_number` as read): writes the head of the error block,
// pauses and stops the run without a result.
[[noreturn]] void stop_for_unknown_series(int series_number, Console& io);

}  // namespace tidewerk
