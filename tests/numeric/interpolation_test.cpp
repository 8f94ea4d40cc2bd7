#include "numeric/interpolation.h"

#include <gtest/gtest.h>

#include "numeric/numeric_messages.h"

namespace tidewerk {
namespace {

using Kind = RecordingNumericMessages::Kind;

// y = x^2 on x = 0, 1, 2, 3.
const float kX[] = {0.0f, 1.0f, 2.0f, 3.0f};
const float kSquares[] = {0.0f, 1.0f, 4.0f, 9.0f};

float interpolate_squares(float xp, RecordingNumericMessages& messages, float yp = -7.0f) {
  interpolate_table(4, kX, kSquares, xp, yp, kParabolicInterpolation, messages);
  return yp;
}

TEST(InterpolateTable, ParabolaThroughNeighbouringPointsReproducesSquares) {
  RecordingNumericMessages messages;
  EXPECT_FLOAT_EQ(interpolate_squares(1.5f, messages), 2.25f);  // points 1, 2, 3 about x = 1
  EXPECT_FLOAT_EQ(interpolate_squares(0.5f, messages), 0.25f);  // first interval, same points
  EXPECT_FLOAT_EQ(interpolate_squares(2.5f, messages), 6.25f);  // last interval, points 2, 3, 4
  EXPECT_FLOAT_EQ(interpolate_squares(0.0f, messages), 0.0f);   // both ends are inside
  EXPECT_FLOAT_EQ(interpolate_squares(3.0f, messages), 9.0f);
  EXPECT_TRUE(messages.messages().empty());
}

TEST(InterpolateTable, InnerAbscissaBelongsToTheLaterInterval) {
  RecordingNumericMessages messages;
  EXPECT_FLOAT_EQ(interpolate_squares(2.0f, messages), 4.0f);
  // Interval 2 (x = 1..2) is flat, interval 3 (x = 2..3) is not.  At xp = 2 interval 3 wins:
  // the parabola through points 2, 3, 4 gives y(3) itself; interval 2 would have given y(2).
  const float y[] = {0.0f, 1.0f, 1.000005f, 9.0f};
  float yp = -7.0f;
  interpolate_table(4, kX, y, 2.0f, yp, kParabolicInterpolation, messages);
  EXPECT_EQ(yp, 1.000005f);
}

TEST(InterpolateTable, FlatIntervalGivesItsLowerOrdinateWhateverTheNeighbours) {
  const float y[] = {0.0f, 1.0f, 1.000005f, 9.0f};
  RecordingNumericMessages messages;
  float yp = -7.0f;
  interpolate_table(4, kX, y, 1.5f, yp, kParabolicInterpolation, messages);
  EXPECT_EQ(yp, 1.0f);
  // A difference of 2e-05 is not flat: the parabola through points 1, 2, 3 is used,
  // b = 0.50001, a = -0.49999, at u = 0.5: 1.1250075.
  const float steeper[] = {0.0f, 1.0f, 1.00002f, 9.0f};
  interpolate_table(4, kX, steeper, 1.5f, yp, kParabolicInterpolation, messages);
  EXPECT_NEAR(yp, 1.1250075f, 1e-6f);
}

TEST(InterpolateTable, OutOfRangeReportsTheThreeValuesAndKeepsTheOldResult) {
  RecordingNumericMessages messages;
  EXPECT_EQ(interpolate_squares(-0.1f, messages, 42.0f), 42.0f);
  EXPECT_EQ(interpolate_squares(3.1f, messages, 43.0f), 43.0f);
  ASSERT_EQ(messages.messages().size(), 2u);
  const auto& low = messages.messages()[0];
  EXPECT_EQ(low.kind, Kind::InterpolationOutOfRange);
  EXPECT_EQ(low.x1, 0.0f);
  EXPECT_EQ(low.xp, -0.1f);
  EXPECT_EQ(low.xn, 3.0f);
  EXPECT_EQ(messages.messages()[1].xp, 3.1f);
}

TEST(InterpolateTable, OtherMethodsLeaveTheResultUnchanged) {
  RecordingNumericMessages messages;
  for (int method : {0, 1, 3}) {
    float yp = 42.0f;
    interpolate_table(4, kX, kSquares, 1.5f, yp, method, messages);
    EXPECT_EQ(yp, 42.0f) << "method " << method;
  }
  EXPECT_TRUE(messages.messages().empty());
}

TEST(InterpolateTable, ChartLineWithUnevenSpacing) {
  // y = 2 + 3x - x^2 on unevenly spaced abscissae: every three-point set is exact.
  const float x[] = {0.15f, 0.2f, 0.3f, 0.5f, 0.8f, 1.2f, 1.5f};
  float y[7];
  for (int i = 0; i < 7; ++i) y[i] = 2.0f + 3.0f * x[i] - x[i] * x[i];
  RecordingNumericMessages messages;
  for (float xp : {0.17f, 0.25f, 0.42f, 0.8f, 1.0f, 1.45f}) {
    float yp = 0.0f;
    interpolate_table(7, x, y, xp, yp, kParabolicInterpolation, messages);
    EXPECT_NEAR(yp, 2.0f + 3.0f * xp - xp * xp, 2e-6f) << "xp = " << xp;
  }
}

TEST(InterpolateTable, NarrowSpacingDropsTheLinearTermAsWritten) {
  // Spacing 0.005: |d2^2*d1 - d1^2*d2| = 2.5e-7 < 1e-6, so b := 0, while d1^2 = 2.5e-5 keeps a.
  // Around x0 = 0.005 (y0 = 0.5): a = (0 - 0.5)/2.5e-5 = -20000, u = 0.0025,
  // yp = 6.25e-6 * -20000 + 0.5 = 0.375 (the straight line itself would give 0.75).
  const float x[] = {0.0f, 0.005f, 0.01f, 0.015f};
  const float y[] = {0.0f, 0.5f, 1.0f, 1.5f};
  RecordingNumericMessages messages;
  float yp = -7.0f;
  interpolate_table(4, x, y, 0.0075f, yp, kParabolicInterpolation, messages);
  EXPECT_NEAR(yp, 0.375f, 1e-4f);

  // Spacing 0.0005: both guards hold, a = b = 0 and yp is the middle ordinate.
  const float xx[] = {0.0f, 0.0005f, 0.001f, 0.0015f};
  interpolate_table(4, xx, y, 0.00075f, yp, kParabolicInterpolation, messages);
  EXPECT_EQ(yp, 0.5f);
}

TEST(InterpolateTable, SmallLowerSpacingDropsTheQuadraticTermAsWritten) {
  // y = x^2 with points (0, 0), (0.0005, 2.5e-7), (1.0005, 1.001...): d1^2 = 2.5e-7 < 1e-6 gives
  // a := 0 while b = 0.001 (the slope at x0) is kept: yp = 0.4995 * 0.001 + 2.5e-7.
  const float x[] = {0.0f, 0.0005f, 1.0005f};
  float y[3];
  for (int i = 0; i < 3; ++i) y[i] = x[i] * x[i];
  RecordingNumericMessages messages;
  float yp = -7.0f;
  interpolate_table(3, x, y, 0.5f, yp, kParabolicInterpolation, messages);
  EXPECT_NEAR(yp, 0.4995f * 0.001f + 2.5e-7f, 1e-7f);
}

}  // namespace
}  // namespace tidewerk
