#include "numeric/root_search.h"

#include <cmath>
#include <cstddef>
#include <stdexcept>

#include "numeric/precision.h"

namespace tidewerk {

namespace {

// Convergence: |f(root)| or |f(root)/R| below this.  Also the end-value test when one end
// value is zero.
constexpr float kRootTolerance = 1e-05f;
constexpr int kMaxSteps = 100;

}  // namespace

RootSearchState::RootSearchState(int declared_length)
    : knots(static_cast<std::size_t>(declared_length > 0 ? declared_length : 0)),
      rows(static_cast<std::size_t>(declared_length > 0 ? declared_length : 0)) {}

void find_root_on_table(int n, const float* x, const float* y, float target, float& root,
                        NumericMessages& messages, RootSearchState& state) {
  if (n < 1) return;
  if (static_cast<std::size_t>(n) > state.knots.size()) {
    throw std::length_error("find_root_on_table: table longer than its declared length");
  }
  float* tau = state.knots.data();
  SplineRow* rows = state.rows.data();

  // Knots and shifted values; the extremes are taken together with zero.
  float smallest = 0.0f;
  float largest = 0.0f;
  for (int i = 0; i < n; ++i) {
    tau[i] = x[i];
    rows[i] = SplineRow{};
    rows[i].c1 = single(double{y[i]} - double{target});
    if (rows[i].c1 < smallest) smallest = rows[i].c1;
    if (rows[i].c1 > largest) largest = rows[i].c1;
  }
  not_a_knot_spline(tau, rows, n);

  float a = tau[0];
  float b = tau[n - 1];
  float fa = 0.0f;
  float fb = 0.0f;
  spline_value(n, a, fa, tau, rows, state.location_flag, messages);
  spline_value(n, b, fb, tau, rows, state.location_flag, messages);
  const float range = single(double{largest} - double{smallest});

  // Sign test on the end values.
  const float p = single(double{fb} * double{fa});
  if (p > 0.0f) {
    messages.no_root_in_range();
    return;
  }
  if (p == 0.0f) {
    root = std::fabs(fa) <= kRootTolerance ? a : b;
    return;
  }

  // Regula falsi.
  float fr = 0.0f;
  for (int step = 0; step < kMaxSteps; ++step) {
    root = single((double{fb} * double{a} - double{fa} * double{b}) / (double{fb} - double{fa}));
    spline_value(n, root, fr, tau, rows, state.location_flag, messages);
    if (std::fabs(fr) < kRootTolerance) return;
    if (std::fabs(double{fr} / double{range}) < kRootTolerance) return;
    if (double{fr} * double{fa} >= 0.0) {
      a = root;
      fa = fr;
    } else {
      b = root;
      fb = fr;
    }
  }
}

}  // namespace tidewerk
