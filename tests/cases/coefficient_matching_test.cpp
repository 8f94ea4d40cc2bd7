// Coefficient-matching cases 1-3: load coefficients, the P/D and J grids, the crossing search,
// the selection rule and the empty candidate table.  The row-number dialogue of case 1 and
// whole screens and reports are checked in the end-to-end runs case1_*, case2_*, case3_*.
#include "cases/coefficient_matching.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "cases/series_use.h"
#include "numeric/grid.h"
#include "support/test_support.h"

namespace tidewerk {
namespace {

using testing::run_in_process;
using testing::task_file;

TEST(CoefficientMatching, LoadCoefficientsOfTheThreeCases) {
  Problem c1;  // case 1: T 100 kN, D 4 m, Va 5 m/s
  c1.T = 100, c1.D = 4, c1.Va = 5, c1.RHO = 1025;
  EXPECT_NEAR(matching::load_kt_over_j2(c1), 0.2439, 5e-5);

  Problem c2;  // case 2: T 100 kN, N 120 RPM, Va 5 m/s
  c2.T = 100, c2.N = 120, c2.Va = 5, c2.RHO = 1025;
  EXPECT_NEAR(matching::load_kt_over_j4(c2), 0.6244, 5e-5);

  Problem c3;  // case 3: 1000 kW, N 120 RPM, Va 5 m/s
  c3.PQ = 1000000, c3.N = 120, c3.Va = 5, c3.RHO = 1025;
  EXPECT_NEAR(matching::load_kq_over_j5(c3), 0.1987, 5e-5);
}

TEST(CoefficientMatching, PitchRatioSweepCountsOfTheThreeSeries) {
  const auto count = [](float first, float last) {
    return grid_count(first, last, matching::kPitchStep);
  };
  EXPECT_EQ(count(0.5f, 1.401f), 91);   // Wageningen B: 0.50 .. 1.40
  EXPECT_EQ(count(0.5f, 2.001f), 151);  // Gawn: 0.50 .. 2.00
  EXPECT_EQ(count(0.6f, 2.001f), 141);  // KCA: 0.60 .. 2.00
  // ... with the limits the cases take from the program's use of the series.
  const struct {
    Series series;
    int count;
  } sweeps[] = {{Series::WageningenB, 91}, {Series::Gawn, 151}, {Series::Kca, 141}};
  for (const auto& sweep : sweeps) {
    const SeriesUse& use = series_use(sweep.series);
    EXPECT_EQ(count(use.PDmin, use.PDmax), sweep.count) << series_facts(sweep.series).name;
  }
}

// The J grid of the cases: 0.1 onwards in steps of 0.001.
std::vector<float> advance_grid() {
  return accumulated_grid(
      matching::kGridFirstJ, matching::kGridStepJ,
      grid_count(matching::kGridFirstJ, matching::kGridLastJ, matching::kGridStepJ));
}

struct Grid {
  std::vector<float> ratio = std::vector<float>(matching::kCapacity);
  std::vector<float> j = std::vector<float>(matching::kCapacity);
  int stored = 0;
};

Grid sweep_over(const Propeller& propeller, float pd, matching::Ratio ratio,
                const std::vector<float>& grid) {
  std::vector<OpenWater> work(grid.size());
  Grid g;
  const std::vector<double> powers = matching::grid_powers(grid, ratio.exponent);
  const matching::Swept swept = matching::sweep_advance_grid(
      propeller, pd, ratio, grid.data(), powers.data(), static_cast<int>(grid.size()),
      matching::first_raised_point(grid), work.data(), g.ratio.data(), g.j.data());
  g.stored = swept.stored;
  std::copy(swept.j, swept.j + swept.stored, g.j.begin());
  return g;
}

Grid sweep(Series series, float pd, matching::Ratio ratio) {
  return sweep_over(Propeller{series, 0.7f, 3.0f, std::nullopt}, pd, ratio, advance_grid());
}

// The Gawn P/D 2.0 propeller keeps a positive thrust over the whole grid.
TEST(CoefficientMatching, JGridHas1400PointsFrom01ToJustBelow15) {
  EXPECT_EQ(grid_count(matching::kGridFirstJ, matching::kGridLastJ, matching::kGridStepJ), 1400);
  const Grid g = sweep(Series::Gawn, 2.0f, {&OpenWater::Kt, 2.0});
  ASSERT_EQ(g.stored, 1400);
  EXPECT_EQ(g.j[0], 0.1f);
  EXPECT_NEAR(g.j[1399], 1.499, 2e-4);
  EXPECT_LT(g.j[1399], 1.4995f);
  // J advances by 0.001 in single precision, not as 0.1 + k*0.001 in double.
  float j = 0.1f;
  for (int k = 1; k < 1400; ++k) j = static_cast<float>(double{j} + double{0.001f});
  EXPECT_EQ(g.j[1399], j);
}

TEST(CoefficientMatching, JSweepEndsAtTheFirstNegativeThrust) {
  const Grid g =
      sweep(Series::WageningenB, 0.5f, {&OpenWater::Kq, 5.0});  // the test is on Kt also for Kq/J^5
  ASSERT_GT(g.stored, 100);
  ASSERT_LT(g.stored, 1400);
  const Propeller propeller{Series::WageningenB, 0.7f, 3.0f, std::nullopt};
  const OpenWater last = propeller.at(g.j[g.stored - 1], 0.5f);
  EXPECT_GE(last.Kt, 0.0f);
  EXPECT_NEAR(g.ratio[g.stored - 1] * std::pow(last.J, 5.0f), last.Kq, 1e-6);
  const OpenWater next =
      propeller.at(static_cast<float>(double{g.j[g.stored - 1]} + double{0.001f}), 0.5f);
  EXPECT_LT(next.Kt, 0.0f);
}

// J below 0.001 (or NaN) is raised by the evaluator: such a point divides by the power of the J
// it was evaluated at; the others by the grid's.
TEST(CoefficientMatching, APointWhoseJIsRaisedDividesByThePowerOfItsOwnJ) {
  const Propeller propeller{Series::WageningenB, 0.7f, 3.0f, std::nullopt};
  for (const std::vector<float>& grid :
       {std::vector<float>{0.2f, 0.1f, 0.0005f, -0.0f, 0.001f, 0.3f, 0.0f, 0.4f, 0.5f},
        std::vector<float>{0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.0009f}}) {
    const Grid g = sweep_over(propeller, 1.0f, {&OpenWater::Kt, 4.0}, grid);
    ASSERT_EQ(g.stored, static_cast<int>(grid.size()));
    for (std::size_t k = 0; k < grid.size(); ++k) {
      const OpenWater point = propeller.at(grid[k], 1.0f);
      EXPECT_EQ(g.j[k], point.J) << k;
      EXPECT_EQ(g.ratio[k], single(double{point.Kt} / std::pow(double{point.J}, 4.0))) << k;
    }
  }
  EXPECT_EQ(matching::first_raised_point({0.1f, 0.2f}), 2);
  EXPECT_EQ(matching::first_raised_point({0.1f, std::nanf(""), 0.0f}), 1);
  EXPECT_EQ(matching::first_raised_point({0.1f, -0.0005f}), 1);
}

// The Wageningen B propeller P/D 0.65, EAR 0.60, Z 3 has a thrust of exactly 0 at this J and a
// negative one at the next float.  A grid of the first is stored at every point; a grid of the
// second ends the sweep before the first point.
TEST(CoefficientMatching, ZeroThrustIsStoredNegativeThrustIsNot) {
  const Propeller propeller{Series::WageningenB, 0.6f, 3.0f, std::nullopt};
  constexpr float kPd = 0.65f;
  const float zero_J = 0.708027661f;
  const float negative_J = std::nextafter(zero_J, 1.0f);
  ASSERT_EQ(propeller.at(zero_J, kPd).Kt, 0.0f);
  ASSERT_LT(propeller.at(negative_J, kPd).Kt, 0.0f);
  for (const float J : {zero_J, negative_J}) {
    const Grid g = sweep_over(propeller, kPd, {&OpenWater::Kt, 2.0}, std::vector<float>(1400, J));
    EXPECT_EQ(g.stored, J == zero_J ? 1400 : 0) << J;
  }
}

void expect_crossings(std::vector<float> ratio, float K, std::vector<double> expected) {
  const std::vector<float> j{0.1f, 0.2f, 0.3f, 0.4f};
  std::vector<float> found;
  matching::for_each_crossing(static_cast<int>(ratio.size()), ratio.data(), j.data(), K,
                              [&](float at) { found.push_back(at); });
  ASSERT_EQ(found.size(), expected.size()) << "K = " << K;
  for (std::size_t k = 0; k < found.size(); ++k) EXPECT_NEAR(found[k], expected[k], 1e-6) << k;
}

// The stored ratios, four at a time, against one division at a time, bit for bit: every
// coefficient of a dense range of floats (both signs, zero, the smallest ones) over the powers
// 2, 4 and 5 of the J grid, with every remainder of four.
TEST(CoefficientMatching, RatiosFourAtATimeHaveTheBitsOfOneAtATime) {
  const std::vector<float> grid = advance_grid();
  std::vector<float> numerators;
  for (float c = 1e-30f; c < 10.0f; c = std::nextafter(c, 20.0f) * 1.0009f) {
    numerators.push_back(c);
    numerators.push_back(-c);
  }
  numerators.push_back(0.0f);
  numerators.push_back(-0.0f);
  numerators.push_back(std::numeric_limits<float>::denorm_min());
  long compared = 0;
  for (const double exponent : {2.0, 4.0, 5.0}) {
    const std::vector<double> powers = matching::grid_powers(grid, exponent);
    for (std::size_t start = 0; start < numerators.size(); start += grid.size() - 3) {
      const int count = static_cast<int>(std::min(grid.size(), numerators.size() - start));
      for (const int tail : {0, 1, 2, 3}) {
        const int n = count - tail;
        std::vector<float> quotients(static_cast<std::size_t>(n));
        matching::rounded_quotients(n, numerators.data() + start, powers.data(), quotients.data());
        for (int k = 0; k < n; ++k) {
          const float one = static_cast<float>(double{numerators[start + k]} / powers[k]);
          ASSERT_EQ(std::bit_cast<std::uint32_t>(quotients[k]), std::bit_cast<std::uint32_t>(one))
              << numerators[start + k] << " / " << powers[k];
        }
        compared += n;
      }
    }
  }
  EXPECT_GT(compared, 500000);
  // In place, as the sweep stores them.
  std::vector<float> in_place(numerators.begin(), numerators.begin() + 1399);
  const std::vector<double> powers = matching::grid_powers(grid, 4.0);
  matching::rounded_quotients(1399, in_place.data(), powers.data(), in_place.data());
  for (int k = 0; k < 1399; ++k)
    EXPECT_EQ(in_place[k], static_cast<float>(double{numerators[k]} / powers[k]));
}

TEST(CoefficientMatching, CrossingSearchTakesEveryCrossingWithJInterpolatedAgainstR) {
  expect_crossings({3, 2, 1, 0.5f}, 1.5f, {0.25});
  expect_crossings({3, 2, 1, 0.5f}, 0.8f, {0.34});
  expect_crossings({3, 1, 3, 1}, 2, {0.15, 0.35});
  // A point equal to K closes one crossing and opens the next: two rows at the same J.
  expect_crossings({3, 2, 1, 0.5f}, 2, {0.2, 0.2});
  // The curve starts below K or stays above it, or has a single point: no row.
  expect_crossings({1, 0.9f, 0.8f, 0.7f}, 1.5f, {});
  expect_crossings({3, 2.9f, 2.8f, 2.7f}, 1.5f, {});
  expect_crossings({3}, 1.5f, {});
}

// The crossing search four pairs at a time against the pair-by-pair search: the same J, in the
// same order, and the same invalid-operation flag raised before each crossing, over curves of
// every length to 40 that wander about K, with equal points, NaN ratios and a NaN K.
TEST(CoefficientMatching, CrossingsFourPairsAtATimeAreThoseOfOnePairAtATime) {
  struct Found {
    std::uint32_t j_bits;
    int flags;
    bool operator==(const Found&) const = default;
  };
  const auto one_at_a_time = [](const std::vector<float>& r, const std::vector<float>& j, float K) {
    std::vector<Found> found;
    for (std::size_t i = 0; i + 1 < r.size(); ++i) {
      if (r[i] >= K && r[i + 1] <= K) {
        const float slope =
            single((double{j[i + 1]} - double{j[i]}) / (double{r[i + 1]} - double{r[i]}));
        found.push_back({std::bit_cast<std::uint32_t>(
                             single((double{K} - double{r[i]}) * double{slope} + double{j[i]})),
                         std::fetestexcept(FE_INVALID)});
      }
    }
    return found;
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  std::uint32_t seed = 12345;
  const auto next = [&seed] { return (seed = seed * 1664525u + 1013904223u) >> 8; };
  long crossings = 0;
  for (int round = 0; round < 4000; ++round) {
    const std::size_t n = 1 + static_cast<std::size_t>(round % 40);
    std::vector<float> r(n), j(n);
    for (std::size_t k = 0; k < n; ++k) {
      j[k] = 0.1f + 0.001f * static_cast<float>(k);
      r[k] = static_cast<float>(next() % 9) * 0.25f;  // 0 to 2, often equal to K
      if (round % 7 == 0 && next() % 13 == 0) r[k] = nan;
    }
    const float K = round % 97 == 0 ? nan : 1.0f;
    std::feclearexcept(FE_ALL_EXCEPT);
    const std::vector<Found> expected = one_at_a_time(r, j, K);
    std::feclearexcept(FE_ALL_EXCEPT);
    std::vector<Found> found;
    matching::for_each_crossing(static_cast<int>(n), r.data(), j.data(), K, [&](float at) {
      found.push_back({std::bit_cast<std::uint32_t>(at), std::fetestexcept(FE_INVALID)});
    });
    const int flags_after = std::fetestexcept(FE_INVALID);
    std::feclearexcept(FE_ALL_EXCEPT);
    (void)one_at_a_time(r, j, K);
    ASSERT_EQ(found, expected) << "round " << round;
    ASSERT_EQ(flags_after, std::fetestexcept(FE_INVALID)) << "round " << round;
    crossings += static_cast<long>(found.size());
  }
  EXPECT_GT(crossings, 10000);
}

// Efficiencies are compared in truncated thousandths; the earlier row wins a tie.  Rows are
// numbered from 1.
TEST(CoefficientMatching, SelectionByTruncatedThousandthsEarlierRowWins) {
  const struct {
    std::vector<float> eta0;
    int row;
  } rows[] = {
      {{0.6512f, 0.6519f}, 1},
      {{0.5f, 0.6519f, 0.6512f}, 2},
      {{0.6519f, 0.6523f}, 2},
      {{0.4f, 0.6861f, 0.6862f, 0.6869f, 0.6860f}, 2},
      {{0.7f}, 1},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(matching::select_row(static_cast<int>(r.eta0.size()), r.eta0.data()), r.row)
        << r.eta0.size();
  }
}

// A load no propeller of the series meets: the table stays empty, the message follows the
// closing rule on both channels, and the case returns without a result block.
TEST(CoefficientMatching, NoCrossingWritesTheMessageAndNoResultBlock) {
  const char* rule_c = "---|-------|-------|--------|--------|--------|----- ------|-----------|";
  const char* rule_d = "----|-------|-------|--------|--------|--------|------------|-----------|";
  const struct {
    int case_number;
    const char* values;
    const char* closing_rule;
  } runs[] = {
      {1, "1000 4.0 1.0 1025 4 0.70", rule_c},
      {2, "2000 120 1.0 1025 4 0.70", rule_c},
      {3, "25000 1.0 120 1025 4 0.70", rule_d},
  };
  const std::string message = "\n VERILEN YUK KATSAYISI ICIN SERIDE UYGUN PERVANE BULUNAMADI\n";
  for (const auto& r : runs) {
    const auto run = run_in_process(task_file(1, r.case_number, r.values), "\n");
    EXPECT_EQ(run.status, 5) << run.errors;  // no result, and standard error says why
    EXPECT_EQ(run.errors.rfind("Tidewerk: no result: no propeller of the Wageningen B series meets "
                               "the load coefficient ",
                               0),
              0u)
        << run.errors;
    const std::string tail = std::string(" ") + r.closing_rule + "\n" + message;
    ASSERT_GE(run.report.size(), tail.size());
    EXPECT_EQ(run.report.substr(run.report.size() - tail.size()), tail) << r.case_number;
    EXPECT_NE(run.screen.find(std::string(r.closing_rule) +
                              "\n\nVERILEN YUK KATSAYISI ICIN "
                              "SERIDE UYGUN PERVANE BULUNAMADI\n\n\nBITIRMEK ICIN ENTER"),
              std::string::npos)
        << run.screen;
    EXPECT_EQ(run.screen.find("Uyari"), std::string::npos);
  }
}

// The data-entry check comes first: nothing of the case is written for a rejected EAR.
TEST(CoefficientMatching, BladeAreaIsCheckedBeforeTheTableHead) {
  for (int case_number : {1, 2, 3}) {
    const auto run = run_in_process(task_file(1, case_number, "100 4.0 5.0 1025 4 0.25"), "\n");
    EXPECT_EQ(run.status, 5);
    EXPECT_NE(run.report.find("Hesabi istenen Ae =  .2500"), std::string::npos);
    EXPECT_EQ(run.report.find("Pervane Karakteristikleri"), std::string::npos);
  }
}

}  // namespace
}  // namespace tidewerk
