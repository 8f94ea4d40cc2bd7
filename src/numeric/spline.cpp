#include "numeric/spline.h"

#include <cmath>

#include "numeric/precision.h"

namespace tidewerk {

namespace {

// An abscissa this close to an end knot belongs to the end interval.
constexpr float kKnotTolerance = 1e-06f;

}  // namespace

void not_a_knot_spline(const float* tau, SplineRow* rows, int n) {
  if (n < 2) return;

  // The construction is written with knot numbers 1..n; these accessors map them onto the
  // 0-based arrays.  Every assignment rounds to single precision.
  auto t = [tau](int m) -> double { return tau[m - 1]; };
  auto c1 = [rows](int m) -> float& { return rows[m - 1].c1; };
  auto c2 = [rows](int m) -> float& { return rows[m - 1].c2; };
  auto c3 = [rows](int m) -> float& { return rows[m - 1].c3; };
  auto c4 = [rows](int m) -> float& { return rows[m - 1].c4; };
  auto d = [](float v) -> double { return v; };

  // Knot spacings in c3, divided differences in c4.
  for (int m = 2; m <= n; ++m) {
    c3(m) = single(t(m) - t(m - 1));
    c4(m) = single((d(c1(m)) - d(c1(m - 1))) / d(c3(m)));
  }

  float g = 0.0f;
  if (n == 2) {
    // Left end of a two-point table: the slope is the divided difference.
    c4(1) = 1.0f;
    c3(1) = 1.0f;
    c2(1) = single(2.0 * d(c4(2)));
    c2(2) = c4(2);
  } else {
    // Left end: not-a-knot condition at the second knot.
    c4(1) = c3(3);
    c3(1) = single(d(c3(2)) + d(c3(3)));
    c2(1) = single(
        ((d(c3(2)) + 2.0 * d(c3(1))) * d(c4(2)) * d(c3(3)) + d(c3(2)) * d(c3(2)) * d(c4(3))) /
        d(c3(1)));

    // Forward elimination.
    for (int m = 2; m <= n - 1; ++m) {
      g = single(-d(c3(m + 1)) / d(c4(m - 1)));
      c2(m) =
          single(d(g) * d(c2(m - 1)) + 3.0 * (d(c3(m)) * d(c4(m + 1)) + d(c3(m + 1)) * d(c4(m))));
      c4(m) = single(d(g) * d(c3(m - 1)) + 2.0 * (d(c3(m)) + d(c3(m + 1))));
    }

    // Right end.
    if (n == 3) {
      // Three points: the parabola, i.e. the third derivative vanishes.
      c2(3) = single(2.0 * d(c4(3)));
      c4(3) = 1.0f;
      g = single(-1.0 / d(c4(2)));
    } else {
      // Not-a-knot condition at the last-but-one knot.
      g = single(d(c3(n - 1)) + d(c3(n)));
      c2(n) = single(((d(c3(n)) + 2.0 * d(g)) * d(c4(n)) * d(c3(n - 1)) +
                      d(c3(n)) * d(c3(n)) * (d(c1(n - 1)) - d(c1(n - 2))) / d(c3(n - 1))) /
                     d(g));
      g = single(-d(g) / d(c4(n - 1)));
      c4(n) = c3(n - 1);
    }
    c4(n) = single(d(g) * d(c3(n - 1)) + d(c4(n)));
    c2(n) = single((d(g) * d(c2(n - 1)) + d(c2(n))) / d(c4(n)));
  }

  // Back substitution: c2 becomes the slope at each knot.
  for (int j = n - 1; j >= 1; --j) {
    c2(j) = single((d(c2(j)) - d(c3(j)) * d(c2(j + 1))) / d(c4(j)));
  }

  // Second and third derivatives of each cubic piece.
  for (int i = 2; i <= n; ++i) {
    const float delta = c3(i);
    const float dd1 = single((d(c1(i)) - d(c1(i - 1))) / d(delta));
    const float dd3 = single(d(c2(i - 1)) + d(c2(i)) - 2.0 * d(dd1));
    c3(i - 1) = single(2.0 * (d(dd1) - d(c2(i - 1)) - d(dd3)) / d(delta));
    c4(i - 1) = single((d(dd3) / d(delta)) * (6.0 / d(delta)));
  }
}

float spline_piece_value(const float* tau, const SplineRow* rows, int i, float x) {
  const SplineRow& r = rows[i];
  const float h = single(double{x} - double{tau[i]});
  const double dh = h;
  return single(double{r.c1} +
                dh * (double{r.c2} + dh * (double{r.c3} + dh * double{r.c4} / 3.0) / 2.0));
}

void locate_interval(const float* tau, float xv, int n, int& interval, int& flag,
                     NumericMessages& messages) {
  if (tau[0] > xv || tau[n - 1] < xv) {
    flag = kPointOutside;
    messages.point_outside_table();
    return;
  }
  if (std::fabs(double{xv} - double{tau[0]}) <= kKnotTolerance) {
    interval = 0;
    flag = kPointInside;
    return;
  }
  if (std::fabs(double{xv} - double{tau[n - 1]}) <= kKnotTolerance) {
    interval = n - 2;
    flag = kPointInside;
    return;
  }
  for (int i = 0; i + 1 < n; ++i) {
    if (tau[i] <= xv && xv < tau[i + 1]) {
      interval = i;
      flag = kPointInside;
      return;
    }
  }
  // Not reached for ascending knots and a number xv; flag and interval stay as they were.
}

void spline_value(int n, float xv, float& fv, const float* tau, const SplineRow* rows, int& flag,
                  NumericMessages& messages) {
  int interval = 0;
  locate_interval(tau, xv, n, interval, flag, messages);
  if (flag == kPointInside) fv = spline_piece_value(tau, rows, interval, xv);
}

}  // namespace tidewerk
