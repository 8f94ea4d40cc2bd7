// Reading values off a tabulated curve: the parabola through three neighbouring points.
#pragma once

#include "numeric/numeric_messages.h"

namespace tidewerk {

// The only interpolant: the parabola through three neighbouring table points.
inline constexpr int kParabolicInterpolation = 2;

// Sets `yp` to the value of the table (x[0..n-1] ascending, y[0..n-1]) at `xp`, using the
// parabola through three neighbouring points (method 2).
//
// `yp` is left exactly as it was when no value can be produced:
//   - xp outside x[0] .. x[n-1]: messages.interpolation_out_of_range(x[0], xp, x[n-1]);
//   - any method other than 2;
//   - fewer than three points (except for the flat-interval rule, which needs two).
// The abscissae must be ascending; that is not checked.
void interpolate_table(int n, const float* x, const float* y, float xp, float& yp, int method,
                       NumericMessages& messages);

}  // namespace tidewerk
