// The abscissa at which a tabulated curve takes a required value: regula falsi on the
// not-a-knot cubic spline through the table.
#pragma once

#include <vector>

#include "numeric/numeric_messages.h"
#include "numeric/spline.h"

namespace tidewerk {

// Declared length of the pitch tables that the design cases solve on.
inline constexpr int kPitchTableLength = 10000;

// What the root search keeps between calls, and its work storage.  The caller owns one for
// the whole run and passes it to every call.
struct RootSearchState {
  // Allocates the work storage once: knots and spline rows for tables of up to
  // `declared_length` points.
  explicit RootSearchState(int declared_length = kPitchTableLength);

  // Interval-location flag of the last spline evaluation: 1 when the abscissa was inside the
  // knots, 0 when it was outside.  Starts at 0 and is kept between calls.
  int location_flag = kPointOutside;

  // Work storage of one call (its content after a call is the last spline built).
  std::vector<float> knots;
  std::vector<SplineRow> rows;
};

// Finds `root` in x[0] .. x[n-1] (ascending) where the spline through (x, y - target) is
// zero, by regula falsi.  Only the two end values decide whether a zero exists:
//   - same sign: messages.no_root_in_range(), `root` unchanged;
//   - an end value is zero: root := x[0] if |f(x[0])| <= 1e-05, else x[n-1];
//   - otherwise up to 100 false-position steps, stopping when |f(root)| < 1e-05 or
//     |f(root)/R| < 1e-05, R being the range of the shifted values together with zero;
//     without convergence the last estimate stays in `root`.
// `root` holds every new estimate at once.  Throws std::length_error when n exceeds the
// declared length of `state`.  A single point is treated as a constant; n < 1 does nothing.
void find_root_on_table(int n, const float* x, const float* y, float target, float& root,
                        NumericMessages& messages, RootSearchState& state);

}  // namespace tidewerk
