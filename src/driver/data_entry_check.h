// The data-entry check made before a case calculates anything.
#pragma once

#include <optional>

#include "report/channels.h"
#include "tidewerk/series.h"

namespace tidewerk {

// Returns when the series is known and EARmin <= EAR < EARmax.  Otherwise writes the error
// block of the series (its head alone for an unknown series) on the screen and then on the
// report, pauses and stops the run.
void check_data_entry(std::optional<Series> series, float EAR, Console& io);

}  // namespace tidewerk
