// Published check values of the three series polynomials, and the blade-number handling
// that each series applies before its sums.
#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <string>

#include "driver/run_context.h"
#include "series/evaluator.h"

namespace tidewerk {
namespace {

struct CheckPoint {
  int series;
  float J;
  double Kt;      // quoted value
  double Kt_tol;  // half a unit in the last quoted digit
  double Kq;
  double Kq_tol;
};

RunContext evaluate_at(int series, float j, float pd, float ear, float& z) {
  RunContext ctx;
  ctx.series = series;
  ctx.J = j;
  evaluate_series(ctx, pd, ear, z);
  return ctx;
}

void PrintTo(const CheckPoint& p, std::ostream* os) {
  *os << "series " << p.series << ", J " << p.J;
}

std::string check_point_name(const ::testing::TestParamInfo<CheckPoint>& info) {
  static const char* const names[] = {"", "WageningenB", "Gawn", "Kca"};
  return std::string(names[info.param.series]) + "_J" +
         std::to_string(static_cast<int>(info.param.J * 10.0f + 0.5f));
}

class SeriesCheckValues : public ::testing::TestWithParam<CheckPoint> {};

// P/D 1.0, EAR 0.7, Z 4: a wrong coefficient, exponent or product order moves these.
TEST_P(SeriesCheckValues, MatchQuotedKtKqAndEfficiency) {
  const CheckPoint p = GetParam();
  float z = 4.0f;
  const RunContext ctx = evaluate_at(p.series, p.J, 1.0f, 0.7f, z);
  EXPECT_NEAR(ctx.Kt, p.Kt, p.Kt_tol);
  EXPECT_NEAR(ctx.Kq, p.Kq, p.Kq_tol);
  EXPECT_NEAR(ctx.eta0, ctx.Kt / ctx.Kq * p.J / 6.2831855, 1e-6);
  EXPECT_EQ(ctx.J, p.J);
}

INSTANTIATE_TEST_SUITE_P(
    Series, SeriesCheckValues,
    ::testing::Values(CheckPoint{1, 0.2f, 0.3919, 5e-5, 0.05942, 5e-6},
                      CheckPoint{1, 0.5f, 0.2710, 5e-5, 0.04343, 5e-6},
                      CheckPoint{1, 0.8f, 0.1297, 5e-5, 0.02397, 5e-6},
                      CheckPoint{2, 0.5f, 0.2828, 5e-5, 0.04567, 5e-6},
                      CheckPoint{2, 0.2f, 0.4163, 5e-5, 0.06363, 5e-6},
                      CheckPoint{3, 0.5f, 0.2834, 5e-5, 0.0441, 5e-5},
                      CheckPoint{3, 0.8f, 0.1220, 5e-5, 0.02242, 5e-6}),
    check_point_name);

// --- Blade number --------------------------------------------------------------------------

struct BladeRule {
  int series;
  float z_in;
  float z_out;
};

void PrintTo(const BladeRule& r, std::ostream* os) {
  *os << "series " << r.series << ", Z " << r.z_in << " -> " << r.z_out;
}

class SeriesBladeNumber : public ::testing::TestWithParam<BladeRule> {};

TEST_P(SeriesBladeNumber, WrittenBackIntoZ) {
  const BladeRule rule = GetParam();
  float z = rule.z_in;
  evaluate_at(rule.series, 0.5f, 1.0f, 0.7f, z);
  EXPECT_EQ(z, rule.z_out);
}

INSTANTIATE_TEST_SUITE_P(Series, SeriesBladeNumber,
                         ::testing::Values(BladeRule{1, 4.5f, 4.5f},     // B: used unchanged
                                           BladeRule{2, 4.0f, 3.0f},     // Gawn: forced to 3
                                           BladeRule{2, 5.0f, 3.0f},
                                           BladeRule{2, 3.005f, 3.005f},  // within 0.01 of 3
                                           BladeRule{2, 2.995f, 2.995f},
                                           BladeRule{3, 6.0f, 5.0f},     // KCA: clamped 3..5
                                           BladeRule{3, 7.0f, 5.0f},
                                           BladeRule{3, 2.0f, 3.0f},
                                           BladeRule{3, 2.995f, 2.995f},
                                           BladeRule{3, 5.005f, 5.005f},
                                           BladeRule{3, 4.0f, 4.0f}));

TEST(KcaBladeNumber, PolynomialsIndependentOfZ) {
  for (float j : {0.2f, 0.5f, 0.8f}) {
    float z3 = 3.0f;
    float z4 = 4.0f;
    float z5 = 5.0f;
    const RunContext a = evaluate_at(3, j, 1.0f, 0.7f, z3);
    const RunContext b = evaluate_at(3, j, 1.0f, 0.7f, z4);
    const RunContext c = evaluate_at(3, j, 1.0f, 0.7f, z5);
    EXPECT_EQ(a.Kt, b.Kt);
    EXPECT_EQ(a.Kt, c.Kt);
    EXPECT_EQ(a.Kq, b.Kq);
    EXPECT_EQ(a.Kq, c.Kq);
  }
}

}  // namespace
}  // namespace tidewerk
