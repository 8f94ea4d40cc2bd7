// The data-entry check made before a case calculates anything.
#pragma once

#include "driver/problem.h"
#include "report/channels.h"

namespace tidewerk {

// Returns when the series of line 16 is known and EARmin <= EAR < EARmax.  Otherwise writes
// the error block of the series (its head alone for an unknown series) on the screen and then
// on the report, pauses and stops the run without a result.
void check_data_entry(const Problem& p, Console& io);

}  // namespace tidewerk
