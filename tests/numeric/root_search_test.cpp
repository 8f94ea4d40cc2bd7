#include "numeric/root_search.h"

#include <gtest/gtest.h>

#include <cmath>

#include "numeric/numeric_messages.h"

namespace tidewerk {
namespace {

using Kind = RecordingNumericMessages::Kind;

const float kX[] = {0.5f, 0.7f, 0.9f, 1.1f};
const float kY[] = {0.1f, 0.3f, 0.5f, 0.7f};

// The value of the spline left in the work storage by the last search.
float last_spline_at(RootSearchState& state, int n, float x) {
  SilentNumericMessages silent;
  float v = 0.0f;
  spline_value(n, x, v, state.knots.data(), state.rows.data(), state.location_flag, silent);
  return v;
}

TEST(RootSearch, StraightLineIsSolvedAtTheFirstStep) {
  RootSearchState state;
  RecordingNumericMessages messages;
  float root = -1.0f;
  find_root_on_table(4, kX, kY, 0.4f, root, messages, state);
  EXPECT_NEAR(root, 0.8f, 1e-6f);
  EXPECT_LT(std::fabs(last_spline_at(state, 4, root)), 1e-05f);
  EXPECT_TRUE(messages.messages().empty());
}

TEST(RootSearch, SameSignAtBothEndsReportsNoRootAndKeepsTheRoot) {
  RootSearchState state;
  RecordingNumericMessages messages;
  float root = 1.23f;
  find_root_on_table(4, kX, kY, 0.8f, root, messages, state);
  EXPECT_EQ(root, 1.23f);
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages()[0].kind, Kind::NoRootInRange);

  // Two crossings inside, none between the end values: no root either.
  const float twice[] = {-1.0f, 2.0f, 2.0f, -1.0f};
  find_root_on_table(4, kX, twice, 0.0f, root, messages, state);
  EXPECT_EQ(root, 1.23f);
  EXPECT_EQ(messages.count(Kind::NoRootInRange), 2);
}

TEST(RootSearch, TargetAtAnEndValueGivesThatEndAtOnce) {
  RootSearchState state;
  RecordingNumericMessages messages;
  float root = -1.0f;
  find_root_on_table(4, kX, kY, kY[0], root, messages, state);  // fa = 0: the lower end
  EXPECT_EQ(root, 0.5f);
  // fb = 0 and |fa| = 3: the upper end.  (Integer data keep the spline value at the last
  // knot exact; on general data it need not come out as exactly zero there.)
  const float x[] = {0.0f, 1.0f, 2.0f, 3.0f};
  find_root_on_table(4, x, x, 3.0f, root, messages, state);
  EXPECT_EQ(root, 3.0f);
  EXPECT_TRUE(messages.messages().empty());
}

TEST(RootSearch, ThrustCurveOverPitchRatio) {
  // A thrust-like curve in N over P/D 0.5 .. 1.4, on the grid a pitch sweep builds (step
  // 0.1 accumulated in single precision).  Required thrust: the curve's value at P/D 0.93.
  auto thrust = [](double pd) { return 52000.0 * (1.0 - std::exp(-1.3 * pd)) - 9000.0; };
  float pd[10];
  float t[10];
  float p = 0.5f;
  for (int i = 0; i < 10; ++i) {
    pd[i] = p;
    t[i] = static_cast<float>(thrust(p));
    p = p + 0.1f;
  }
  const float required = static_cast<float>(thrust(0.93));
  RootSearchState state;
  RecordingNumericMessages messages;
  float root = 0.0f;
  find_root_on_table(10, pd, t, required, root, messages, state);
  EXPECT_NEAR(root, 0.93f, 2e-4f);
  EXPECT_TRUE(messages.messages().empty());

  // A decreasing curve (torque-like, falling with P/D) is solved just as well.
  float falling[10];
  for (int i = 0; i < 10; ++i) falling[i] = -t[i];
  root = 0.0f;
  find_root_on_table(10, pd, falling, -required, root, messages, state);
  EXPECT_NEAR(root, 0.93f, 2e-4f);
}

TEST(RootSearch, CreepingSearchEndsSilentlyWithTheHundredthEstimate) {
  // y = exp(8x) - 2 on 0 .. 1 (zero at ln 2 / 8 = 0.0866): convex with fb = 2979 against
  // fa = -1, so regula falsi keeps the upper end and creeps up from 0 by about 3e-4 a step.
  // R = 2981; neither tolerance is met within 100 steps, which end near 0.0283 without a
  // message.
  float x[11];
  float y[11];
  for (int i = 0; i <= 10; ++i) {
    x[i] = static_cast<float>(i) / 10.0f;
    y[i] = static_cast<float>(std::exp(8.0 * x[i]) - 2.0);
  }
  RootSearchState state;
  RecordingNumericMessages messages;
  float root = -1.0f;
  find_root_on_table(11, x, y, 0.0f, root, messages, state);
  const float range = y[10] + 1.0f;
  EXPECT_GT(std::fabs(last_spline_at(state, 11, root) / range), 1e-05f);
  EXPECT_NEAR(root, 0.02830f, 0.0001f);
  EXPECT_TRUE(messages.messages().empty());
}

TEST(RootSearch, LocationFlagIsKeptInTheCallersState) {
  RootSearchState state;
  EXPECT_EQ(state.location_flag, kPointOutside);  // starts at 0
  RecordingNumericMessages messages;
  float root = 0.0f;
  find_root_on_table(4, kX, kY, 0.4f, root, messages, state);
  EXPECT_EQ(state.location_flag, kPointInside);

  // An evaluation outside the knots clears it (and keeps the value) ...
  float v = 5.0f;
  spline_value(4, 2.0f, v, state.knots.data(), state.rows.data(), state.location_flag, messages);
  EXPECT_EQ(v, 5.0f);
  EXPECT_EQ(state.location_flag, kPointOutside);
  EXPECT_EQ(messages.count(Kind::PointOutsideTable), 1);
  // ... and the next search rewrites it.
  find_root_on_table(4, kX, kY, 0.6f, root, messages, state);
  EXPECT_NEAR(root, 1.0f, 1e-6f);
  EXPECT_EQ(state.location_flag, kPointInside);
}

}  // namespace
}  // namespace tidewerk
