// Dispatch on the series number and the J guard of the series evaluator.
#include <gtest/gtest.h>

#include <ostream>

#include "driver/run_context.h"
#include "series/evaluator.h"

namespace tidewerk {
namespace {

struct GuardCase {
  int series;
  float j_in;
  float j_out;
};

void PrintTo(const GuardCase& g, std::ostream* os) {
  *os << "series " << g.series << ", J " << g.j_in << " -> " << g.j_out;
}

class SeriesJGuard : public ::testing::TestWithParam<GuardCase> {};

// A guard missing, using J instead of |J|, or computing eta0 with the unguarded J.
TEST_P(SeriesJGuard, SmallMagnitudeRaisedAndUsedForEfficiency) {
  const GuardCase g = GetParam();
  RunContext ctx;
  ctx.series = g.series;
  ctx.J = g.j_in;
  float z = 4.0f;
  evaluate_series(ctx, 1.0f, 0.7f, z);
  EXPECT_EQ(ctx.J, g.j_out);
  EXPECT_NEAR(ctx.eta0, ctx.Kt / ctx.Kq * g.j_out / 6.2831855, 1e-7);

  // Same coefficients as an evaluation started at the guarded J.
  RunContext direct;
  direct.series = g.series;
  direct.J = g.j_out;
  float z2 = 4.0f;
  evaluate_series(direct, 1.0f, 0.7f, z2);
  EXPECT_EQ(ctx.Kt, direct.Kt);
  EXPECT_EQ(ctx.Kq, direct.Kq);
  EXPECT_EQ(ctx.eta0, direct.eta0);
}

INSTANTIATE_TEST_SUITE_P(
    Series, SeriesJGuard,
    ::testing::Values(GuardCase{1, 0.0f, 0.001f}, GuardCase{1, -0.0005f, 0.001f},
                      GuardCase{1, 0.0009999f, 0.001f}, GuardCase{1, -0.5f, -0.5f},
                      GuardCase{1, 0.001f, 0.001f}, GuardCase{1, -0.001f, -0.001f},
                      GuardCase{2, 0.0f, 0.001f}, GuardCase{2, -0.0005f, 0.001f},
                      GuardCase{2, -0.5f, -0.5f}, GuardCase{3, 0.0f, 0.001f},
                      GuardCase{3, -0.0005f, 0.001f}, GuardCase{3, -0.5f, -0.5f}));

class SeriesDispatch : public ::testing::TestWithParam<int> {};

// An unknown series must not evaluate, guard J or touch Z.
TEST_P(SeriesDispatch, UnknownSeriesLeavesEverythingAsItWas) {
  RunContext ctx;
  ctx.series = GetParam();
  ctx.J = 0.0f;
  ctx.Kt = 0.25f;
  ctx.Kq = 0.035f;
  ctx.eta0 = 0.6f;
  float z = 7.0f;
  evaluate_series(ctx, 1.0f, 0.7f, z);
  EXPECT_EQ(ctx.Kt, 0.25f);
  EXPECT_EQ(ctx.Kq, 0.035f);
  EXPECT_EQ(ctx.eta0, 0.6f);
  EXPECT_EQ(ctx.J, 0.0f);
  EXPECT_EQ(z, 7.0f);
}

INSTANTIATE_TEST_SUITE_P(Series, SeriesDispatch, ::testing::Values(0, 4, -1));

}  // namespace
}  // namespace tidewerk
