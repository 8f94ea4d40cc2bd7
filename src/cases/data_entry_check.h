// The data-entry check made before anything is calculated.
#pragma once

#include <optional>
#include <string>

#include "cases/problem.h"
#include "report/channels.h"

namespace tidewerk {

// Why a run stops at the data-entry check of the problem's series: EAR outside EARmin <= EAR <
// EARmax, as the run gives it; nullopt when EAR lies within.
std::optional<std::string> blade_area_refusal(const Problem& p);

// Why a run stops for a line 16 that names no series (`series_number` as read).
std::string unknown_series_reason(int series_number);

// The run's reason when line `case_line` holds a case number outside 1 to 10.
std::string case_outside_reason(int case_line, int case_number);

// The bollard-pull case's reason for refusing a series without bollard-pull data.
std::string bollard_refusal_reason(Series series);

// Why a run of the task read (`series` from line 16's `series_number`, the case's values in
// `p`, the case number on line `case_line`) ends before its case computes anything: a case
// number outside 1 to 10, an unknown series, a series the case does not take, the data-entry
// check where the case makes it.  nullopt when the case goes on to compute.
std::optional<std::string> refusal_before_computing(std::optional<Series> series, int series_number,
                                                    const Problem& p, int case_line);

// Returns when EARmin <= EAR < EARmax of the problem's series.  Otherwise writes the error block
// of the series on the screen and then on the report, pauses and stops the run without a result.
void check_data_entry(const Problem& p, Console& io);

// Line 16 named no known series (`series_number` as read): writes the head of the error block,
// pauses and stops the run without a result.
[[noreturn]] void stop_for_unknown_series(int series_number, Console& io);

}  // namespace tidewerk
