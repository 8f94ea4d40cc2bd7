#include "numeric/monotone_cubic.h"

#include <gtest/gtest.h>

#include <vector>

namespace tidewerk {
namespace {

TEST(MonotoneCubic, PassesThroughItsPointsAndNothingOutside) {
  const std::vector<double> x{1, 2, 4, 5}, y{3, 1, 1, 7};
  for (std::size_t k = 0; k < x.size(); ++k) EXPECT_DOUBLE_EQ(*monotone_cubic(x, y, x[k]), y[k]);
  EXPECT_FALSE(monotone_cubic(x, y, 0.999).has_value());
  EXPECT_FALSE(monotone_cubic(x, y, 5.001).has_value());
  EXPECT_FALSE(monotone_cubic(std::vector<double>{1}, std::vector<double>{1}, 1).has_value());
}

// A resistance curve steepening sharply (a wave-resistance hump) must not overshoot or dip.
TEST(MonotoneCubic, RisesWithoutOvershootWhereThePointsRise) {
  const std::vector<double> x{14, 16, 18, 20, 22}, y{600, 610, 620, 900, 2000};
  double previous = y.front();
  for (double v = 14; v <= 22; v += 0.01) {
    const double r = *monotone_cubic(x, y, v);
    EXPECT_GE(r, previous - 1e-9) << v;
    previous = r;
  }
  // Flat between equal points.
  const std::vector<double> flat{5, 5, 8};
  EXPECT_DOUBLE_EQ(*monotone_cubic(std::vector<double>{0, 1, 2}, flat, 0.5), 5.0);
}

TEST(MonotoneCubic, ReproducesAStraightLine) {
  const std::vector<double> x{0, 1, 3, 6}, y{1, 3, 7, 13};
  for (double v = 0; v <= 6; v += 0.25) EXPECT_NEAR(*monotone_cubic(x, y, v), 1 + 2 * v, 1e-12);
}

}  // namespace
}  // namespace tidewerk
