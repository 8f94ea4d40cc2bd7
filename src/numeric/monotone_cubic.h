// Monotone piecewise-cubic interpolation (Fritsch and Carlson, SIAM J. Numer. Anal. 17, 1980):
// a cubic Hermite curve through the points whose slopes are limited so that it rises or falls
// between two points as the points do, without overshoot.  Double precision.
#pragma once

#include <optional>
#include <span>

namespace tidewerk {

// The curve through (x[k], y[k]) at `xp`; x ascending, at least two points.  Nothing when xp
// lies outside [x.front(), x.back()].
std::optional<double> monotone_cubic(std::span<const double> x, std::span<const double> y,
                                     double xp);

}  // namespace tidewerk
