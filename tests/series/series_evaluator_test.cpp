// The J guard of the series evaluator, and the series numbers and facts behind the dispatch.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string_view>

#include "tidewerk/series.h"

namespace tidewerk {
namespace {

struct GuardCase {
  Series series;
  float j_in;
  float j_out;
};

void PrintTo(const GuardCase& g, std::ostream* os) {
  *os << series_facts(g.series).name << ", J " << g.j_in << " -> " << g.j_out;
}

class SeriesJGuard : public ::testing::TestWithParam<GuardCase> {};

// A guard missing, using J instead of |J|, or computing eta0 with the unguarded J.
TEST_P(SeriesJGuard, SmallMagnitudeRaisedAndUsedForEfficiency) {
  const GuardCase g = GetParam();
  const OpenWater r = evaluate(g.series, {g.j_in, 1.0f, 0.7f, 4.0f});
  EXPECT_EQ(r.J, g.j_out);
  EXPECT_NEAR(r.eta0, r.Kt / r.Kq * g.j_out / 6.2831855, 1e-7);

  // Same coefficients as an evaluation started at the guarded J.
  const OpenWater direct = evaluate(g.series, {g.j_out, 1.0f, 0.7f, 4.0f});
  EXPECT_EQ(r.Kt, direct.Kt);
  EXPECT_EQ(r.Kq, direct.Kq);
  EXPECT_EQ(r.eta0, direct.eta0);
}

constexpr Series B = Series::WageningenB;
constexpr Series G = Series::Gawn;
constexpr Series K = Series::Kca;

INSTANTIATE_TEST_SUITE_P(
    Series, SeriesJGuard,
    ::testing::Values(GuardCase{B, 0.0f, 0.001f}, GuardCase{B, -0.0005f, 0.001f},
                      GuardCase{B, 0.0009999f, 0.001f}, GuardCase{B, -0.5f, -0.5f},
                      GuardCase{B, 0.001f, 0.001f}, GuardCase{B, -0.001f, -0.001f},
                      GuardCase{G, 0.0f, 0.001f}, GuardCase{G, -0.0005f, 0.001f},
                      GuardCase{G, -0.5f, -0.5f}, GuardCase{K, 0.0f, 0.001f},
                      GuardCase{K, -0.0005f, 0.001f}, GuardCase{K, -0.5f, -0.5f}));

// --- Series numbers and facts --------------------------------------------------------------

struct NumberCase {
  int number;
  std::optional<Series> series;
  std::string_view name;
  bool ittc78;
  BladeNumberRule rule;
  float PDmin, PDmax, EARmin, EARmax;  // the fitted ranges
  int Zmin;
  int Zmax;
};

void PrintTo(const NumberCase& c, std::ostream* os) {
  *os << "series number " << c.number;
}

class SeriesNumber : public ::testing::TestWithParam<NumberCase> {};

// Only 1, 2 and 3 name a series; each has its own facts, found under its own number.
TEST_P(SeriesNumber, NamesTheSeriesWithItsFacts) {
  const NumberCase c = GetParam();
  const std::optional<Series> series = series_from_number(c.number);
  ASSERT_EQ(series, c.series);
  if (!series) return;
  EXPECT_EQ(static_cast<int>(*series), c.number);
  const SeriesFacts& facts = series_facts(*series);
  EXPECT_EQ(facts.series, *series);
  EXPECT_EQ(facts.name, c.name);
  EXPECT_EQ(facts.ittc78, c.ittc78);
  EXPECT_EQ(facts.blade_rule, c.rule);
  EXPECT_EQ(facts.Zmin, c.Zmin);
  EXPECT_EQ(facts.Zmax, c.Zmax);
  EXPECT_EQ(facts.PDmin, c.PDmin);
  EXPECT_EQ(facts.PDmax, c.PDmax);
  EXPECT_EQ(facts.EARmin, c.EARmin);
  EXPECT_EQ(facts.EARmax, c.EARmax);
}

INSTANTIATE_TEST_SUITE_P(
    Series, SeriesNumber,
    ::testing::Values(
        NumberCase{0, std::nullopt, "", false, BladeNumberRule::AsGiven, 0, 0, 0, 0, 0, 0},
        NumberCase{1, B, "Wageningen B", true, BladeNumberRule::AsGiven, 0.5f, 1.4f, 0.3f, 1.05f, 2,
                   7},
        NumberCase{2, G, "Gawn", false, BladeNumberRule::ThreeBlades, 0.5f, 2.0f, 0.2f, 1.1f, 3, 3},
        NumberCase{3, K, "KCA", false, BladeNumberRule::ThreeToFive, 0.6f, 2.0f, 0.5f, 1.1f, 3, 5},
        NumberCase{4, std::nullopt, "", false, BladeNumberRule::AsGiven, 0, 0, 0, 0, 0, 0},
        NumberCase{-1, std::nullopt, "", false, BladeNumberRule::AsGiven, 0, 0, 0, 0, 0, 0}));

}  // namespace
}  // namespace tidewerk
