// Warnings that several cases give, on standard error through the run's Warnings.
#pragma once

#include "cases/problem.h"
#include "report/warnings.h"

namespace tidewerk {

// A warning when `value` lies outside [low, high], the range the series' polynomials cover.
void warn_outside_fitted(Warnings& warnings, const Problem& p, const char* what, float value,
                         float low, float high);

// A warning when the case's result `pd` is the first or the last pitch ratio of its sweep.
void warn_pitch_at_end(Warnings& warnings, const Problem& p, const char* what, float pd,
                       float first, float last);

}  // namespace tidewerk
