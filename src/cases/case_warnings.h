// Warnings that several cases give, on standard error through the run's Warnings.
#pragma once

#include "cases/problem.h"
#include "cases/propeller.h"
#include "report/warnings.h"

namespace tidewerk {

// A warning when `value` lies outside [low, high], the range the series' polynomials cover.
void warn_outside_fitted(Warnings& warnings, const Problem& p, const char* what, float value,
                         float low, float high);

// A warning when the case's result `pd` is the first or the last pitch ratio of its sweep.
void warn_pitch_at_end(Warnings& warnings, const Problem& p, const char* what, float pd,
                       float first, float last);

// A warning when the ITTC78 correction was asked for (`asked_by`: "IVISC = 1", "the answer at
// the keyboard") but `propeller` is evaluated uncorrected: its series does not take the
// correction, or Va and N are both below 0.001.
void warn_correction_not_applied(Warnings& warnings, const Problem& p, const Propeller& propeller,
                                 const std::string& asked_by);

// The tip speed above which the blade-area check's line states a risk of tip vortices, m/s.
inline constexpr float kTipSpeedLimit = 30.0f;

}  // namespace tidewerk
