// The data-entry check made before a case calculates anything.
#pragma once

#include "driver/run_context.h"
#include "report/channels.h"

namespace tidewerk {

// Returns when EARmin <= EAR < EARmax.  Otherwise writes the error block for the series on the
// screen and then on the report, pauses and stops the run.
void check_data_entry(const RunContext& ctx, Console& io);

}  // namespace tidewerk
