// Not-a-knot cubic spline on a table, and its evaluation.
//
// Knots are numbered from 0 in the arrays: tau[0..n-1], rows[0..n-1].  Interval i (0-based)
// runs from tau[i] to tau[i+1] and uses the cubic piece held in rows[i].
#pragma once

#include "numeric/numeric_messages.h"

namespace tidewerk {

// One knot of a spline.  Before construction c1 is the value at the knot; after it c2, c3 and
// c4 are the first, second and third derivatives of the cubic piece that starts there.
struct SplineRow {
  float c1 = 0.0f;
  float c2 = 0.0f;
  float c3 = 0.0f;
  float c4 = 0.0f;
};

// Builds the spline rows from the knots tau[0..n-1] (ascending, distinct) and the values
// rows[m].c1, with the not-a-knot end condition at both ends; n >= 2.  With n = 2 the spline
// is the straight line through the two points, with n = 3 the parabola through the three.
void not_a_knot_spline(const float* tau, SplineRow* rows, int n);

// The value of the cubic piece of interval i at x:
// c1 + h*(c2 + h*(c3 + h*c4/3)/2) with h = x - tau[i].
float spline_piece_value(const float* tau, const SplineRow* rows, int i, float x);

// Interval-location flag values.
inline constexpr int kPointOutside = 0;
inline constexpr int kPointInside = 1;

// Finds the interval of the knots tau[0..n-1] that holds xv.
//   - xv outside tau[0] .. tau[n-1]: flag := 0, messages.point_outside_table(), `interval`
//     left as it was;
//   - within 1e-06 of tau[0]: interval 0; within 1e-06 of tau[n-1]: interval n-2;
//   - else the first i with tau[i] <= xv < tau[i+1].
// flag := 1 whenever an interval is found.
void locate_interval(const float* tau, float xv, int n, int& interval, int& flag,
                     NumericMessages& messages);

// Sets fv to the spline value at xv when locate_interval finds its interval (flag 1); when
// the flag comes back 0, fv keeps its previous content.
void spline_value(int n, float xv, float& fv, const float* tau, const SplineRow* rows, int& flag,
                  NumericMessages& messages);

}  // namespace tidewerk
