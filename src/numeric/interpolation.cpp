#include "numeric/interpolation.h"

#include <cmath>

#include "numeric/precision.h"

namespace tidewerk {

namespace {

// Two ordinates closer than this make the interval flat.
constexpr float kFlatInterval = 1e-05f;
// Smallest |d2^2*d1 - d1^2*d2| and d1^2 divided by; below them the term is taken as 0.
constexpr float kSmallDenominator = 1e-06f;

}  // namespace

void interpolate_table(int n, const float* x, const float* y, float xp, float& yp, int method,
                       NumericMessages& messages) {
  if (n < 1) return;

  // Interval search: the last interval x[i] <= xp <= x[i+1] wins, so an inner abscissa
  // belongs to the interval that starts there.  k is the interval number 1 .. n-1, 0 = none.
  int k = 0;
  for (int i = 0; i + 1 < n; ++i) {
    if (x[i] <= xp && xp <= x[i + 1]) k = i + 1;
  }

  if (xp < x[0] || xp > x[n - 1]) {
    messages.interpolation_out_of_range(x[0], xp, x[n - 1]);
    return;
  }
  if (method != kParabolicInterpolation) return;
  if (k == 0) return;  // a single point, or abscissae out of order

  // Flat interval: the lower ordinate, whatever the neighbours.
  const float yk = y[k - 1];
  const float yk1 = y[k];
  if (std::fabs(double{yk} - double{yk1}) < kFlatInterval) {
    yp = yk;
    return;
  }
  if (n < 3) return;  // no three-point set

  // Three-point set k-1, k, k+1 (numbered from 1); the first interval uses points 1, 2, 3.
  // The middle point, as an array index:
  const int m = (k == 1 ? 2 : k) - 1;
  const float x0 = x[m];
  const float y0 = y[m];
  const float y1 = y[m - 1];
  const float y2 = y[m + 1];
  const float d1 = single(double{x[m - 1]} - double{x0});  // < 0, to the lower point
  const float d2 = single(double{x[m + 1]} - double{x0});  // > 0, to the upper point
  const float u = single(double{xp} - double{x0});

  const double dd1 = d1;
  const double dd2 = d2;
  const double denominator = dd2 * dd2 * dd1 - dd1 * dd1 * dd2;
  float b = 0.0f;
  if (std::fabs(denominator) >= kSmallDenominator) {
    b = single((dd2 * dd2 * (double{y1} - double{y0}) - dd1 * dd1 * (double{y2} - double{y0})) /
               denominator);
  }
  float a = 0.0f;
  if (dd1 * dd1 >= kSmallDenominator) {
    a = single(((double{y1} - double{y0}) - double{b} * dd1) / (dd1 * dd1));
  }
  const double du = u;
  yp = single(du * du * double{a} + du * double{b} + double{y0});
}

}  // namespace tidewerk
