// Published check values of the three series polynomials, and the blade-number handling
// that each series applies before its sums.
#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <string>

#include "tidewerk/series.h"

namespace tidewerk {
namespace {

struct CheckPoint {
  Series series;
  float J;
  double Kt;      // quoted value
  double Kt_tol;  // half a unit in the last quoted digit
  double Kq;
  double Kq_tol;
};

constexpr Series B = Series::WageningenB;
constexpr Series G = Series::Gawn;
constexpr Series K = Series::Kca;

void PrintTo(const CheckPoint& p, std::ostream* os) {
  *os << series_facts(p.series).name << ", J " << p.J;
}

std::string check_point_name(const ::testing::TestParamInfo<CheckPoint>& info) {
  static const char* const names[] = {"", "WageningenB", "Gawn", "Kca"};
  return std::string(names[static_cast<int>(info.param.series)]) + "_J" +
         std::to_string(static_cast<int>(info.param.J * 10.0f + 0.5f));
}

class SeriesCheckValues : public ::testing::TestWithParam<CheckPoint> {};

// P/D 1.0, EAR 0.7, Z 4: a wrong coefficient, exponent or product order moves these.
TEST_P(SeriesCheckValues, MatchQuotedKtKqAndEfficiency) {
  const CheckPoint p = GetParam();
  const OpenWater r = evaluate(p.series, {p.J, 1.0f, 0.7f, 4.0f});
  EXPECT_NEAR(r.Kt, p.Kt, p.Kt_tol);
  EXPECT_NEAR(r.Kq, p.Kq, p.Kq_tol);
  EXPECT_NEAR(r.eta0, r.Kt / r.Kq * p.J / 6.2831855, 1e-6);
  EXPECT_EQ(r.J, p.J);
}

INSTANTIATE_TEST_SUITE_P(Series, SeriesCheckValues,
                         ::testing::Values(CheckPoint{B, 0.2f, 0.3919, 5e-5, 0.05942, 5e-6},
                                           CheckPoint{B, 0.5f, 0.2710, 5e-5, 0.04343, 5e-6},
                                           CheckPoint{B, 0.8f, 0.1297, 5e-5, 0.02397, 5e-6},
                                           CheckPoint{G, 0.5f, 0.2828, 5e-5, 0.04567, 5e-6},
                                           CheckPoint{G, 0.2f, 0.4163, 5e-5, 0.06363, 5e-6},
                                           CheckPoint{K, 0.5f, 0.2834, 5e-5, 0.0441, 5e-5},
                                           CheckPoint{K, 0.8f, 0.1220, 5e-5, 0.02242, 5e-6}),
                         check_point_name);

// --- Blade number --------------------------------------------------------------------------

struct BladeRule {
  Series series;
  float z_in;
  float z_out;
};

void PrintTo(const BladeRule& r, std::ostream* os) {
  *os << series_facts(r.series).name << ", Z " << r.z_in << " -> " << r.z_out;
}

class SeriesBladeNumber : public ::testing::TestWithParam<BladeRule> {};

// The rule, the z of a point and of a grid, and the polynomials evaluated with the z used.
TEST_P(SeriesBladeNumber, UsedForThePolynomialsAndReturned) {
  const BladeRule rule = GetParam();
  EXPECT_EQ(blade_number_used(rule.series, rule.z_in), rule.z_out);
  const OpenWater r = evaluate(rule.series, {0.5f, 1.0f, 0.7f, rule.z_in});
  EXPECT_EQ(r.z, rule.z_out);
  const OpenWater as_used = evaluate(rule.series, {0.5f, 1.0f, 0.7f, rule.z_out});
  EXPECT_EQ(r.Kt, as_used.Kt);
  EXPECT_EQ(r.Kq, as_used.Kq);
  const float js[] = {0.2f, 0.5f};
  OpenWater grid[2];
  evaluate_grid(rule.series, 1.0f, 0.7f, rule.z_in, js, grid);
  EXPECT_EQ(grid[1].z, rule.z_out);
  EXPECT_EQ(grid[1].Kt, r.Kt);
}

INSTANTIATE_TEST_SUITE_P(Series, SeriesBladeNumber,
                         ::testing::Values(BladeRule{B, 4.5f, 4.5f},  // B: used unchanged
                                           BladeRule{B, 2.0f, 2.0f},
                                           BladeRule{G, 4.0f, 3.0f},  // Gawn: forced to 3
                                           BladeRule{G, 5.0f, 3.0f},
                                           BladeRule{G, 3.005f, 3.005f},  // within 0.01 of 3
                                           BladeRule{G, 2.995f, 2.995f}, BladeRule{G, 3.02f, 3.0f},
                                           BladeRule{K, 6.0f, 5.0f},  // KCA: clamped 3..5
                                           BladeRule{K, 7.0f, 5.0f}, BladeRule{K, 2.0f, 3.0f},
                                           BladeRule{K, 2.995f, 2.995f},
                                           BladeRule{K, 5.005f, 5.005f}, BladeRule{K, 4.0f, 4.0f}));

TEST(KcaBladeNumber, PolynomialsIndependentOfZ) {
  for (float j : {0.2f, 0.5f, 0.8f}) {
    const OpenWater a = evaluate(K, {j, 1.0f, 0.7f, 3.0f});
    const OpenWater b = evaluate(K, {j, 1.0f, 0.7f, 4.0f});
    const OpenWater c = evaluate(K, {j, 1.0f, 0.7f, 5.0f});
    EXPECT_EQ(a.Kt, b.Kt);
    EXPECT_EQ(a.Kt, c.Kt);
    EXPECT_EQ(a.Kq, b.Kq);
    EXPECT_EQ(a.Kq, c.Kq);
  }
}

}  // namespace
}  // namespace tidewerk
