#include "numeric/array_utilities.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace tidewerk {
namespace {

int largest(const std::vector<float>& values) {
  int imax = -1;
  index_of_largest(static_cast<int>(values.size()), values.data(), imax);
  return imax;
}

// Indices are 0-based: the first entry is 0.
TEST(IndexOfLargest, ComparesTruncatedThousandths) {
  EXPECT_EQ(largest({0.5f, 0.6204f, 0.6209f, 0.6f}), 1);  // both 620: the first wins
  EXPECT_EQ(largest({0.25f, 0.2505f}), 0);
  EXPECT_EQ(largest({0.25f, 0.2511f}), 1);
  EXPECT_EQ(largest({0.7f}), 0);
  EXPECT_EQ(largest({-0.0009f, -0.0001f}), 0);  // both truncate to 0
  EXPECT_EQ(largest({-0.5f, -0.2f, -0.3f}), 1);
  EXPECT_EQ(largest({0.3f, 0.5f, 0.4f, 0.5009f, 0.5012f}), 4);
}

TEST(IndexOfLargest, ProductIsFormedFromTheStoredSingleValue) {
  // 0.621f is 0.620999991..., so 1000 times it truncates to 620, the same as 0.62f.
  EXPECT_EQ(largest({0.62f, 0.621f}), 0);
  // 0.622f is 0.621999979...: 621, which wins.
  EXPECT_EQ(largest({0.62f, 0.622f}), 1);
}

TEST(SortAscending, SelectionSort) {
  std::vector<float> v = {3.0f, 1.0f, 2.0f};
  sort_ascending(3, v.data());
  EXPECT_EQ(v, (std::vector<float>{1.0f, 2.0f, 3.0f}));

  v = {0.4f, -1.5f, 0.4f, 2.0f, -1.5f, 0.0f, -0.25f};
  sort_ascending(7, v.data());
  EXPECT_EQ(v, (std::vector<float>{-1.5f, -1.5f, -0.25f, 0.0f, 0.4f, 0.4f, 2.0f}));

  // Only the first n entries are sorted.
  v = {5.0f, 4.0f, 3.0f, 1.0f};
  sort_ascending(3, v.data());
  EXPECT_EQ(v, (std::vector<float>{3.0f, 4.0f, 5.0f, 1.0f}));
}

TEST(SortAscending, ExchangesMayReorderEqualEntries) {
  // +0 and -0 compare equal but can be told apart.  The exchange of -1 into the first place
  // moves +0 behind -0.
  std::vector<float> v = {0.0f, -0.0f, -1.0f};
  sort_ascending(3, v.data());
  EXPECT_EQ(v[0], -1.0f);
  EXPECT_TRUE(std::signbit(v[1]));
  EXPECT_FALSE(std::signbit(v[2]));
}

}  // namespace
}  // namespace tidewerk
