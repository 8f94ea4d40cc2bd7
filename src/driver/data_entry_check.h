// The data-entry check made before a case calculates anything.
#pragma once

#include <optional>
#include <string>

#include "driver/problem.h"
#include "report/channels.h"

namespace tidewerk {

// Why a run of `p` ends without a result at the data-entry check (an unknown series, or EAR
// outside the series' range), as the run gives it; nullopt when the entry is within them.
std::optional<std::string> data_entry_refusal(const Problem& p);

// Why a run of the task file read into `p` (its case line on `case_line`) ends before its
// case computes anything: a case number outside 1 to 10, the data-entry check where the case
// makes it, a series the case does not take.  nullopt when the case goes on to compute.
std::optional<std::string> refusal_before_computing(const Problem& p, int case_line);

// The run's reason when line `case_line` holds a case number outside 1 to 10.
std::string case_outside_reason(int case_line, int case_number);

// The bollard-pull case's reason for refusing a series without bollard-pull data.
std::string bollard_refusal_reason(Series series);

// Returns when the series of line 16 is known and EARmin <= EAR < EARmax.  Otherwise writes
// the error block of the series (its head alone for an unknown series) on the screen and then
// on the report, pauses and stops the run without a result.
void check_data_entry(const Problem& p, Console& io);

}  // namespace tidewerk
