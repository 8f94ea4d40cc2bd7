// Work spread over threads gives the results of one thread, in the same order.
#include "numeric/parallel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace tidewerk {
namespace {

TEST(Parallel, RangesCoverEveryItemOnceInOrderWithoutEmptyParts) {
  const struct {
    std::size_t count, parts;
    std::vector<std::size_t> lengths;
  } cases[] = {
      {0, 4, {}},
      {1, 4, {1}},
      {3, 4, {1, 1, 1}},
      {10, 1, {10}},
      {10, 3, {4, 3, 3}},
      {10, 0, {10}},
      {1000001, 2, {500001, 500000}},
  };
  for (const auto& c : cases) {
    const std::vector<ItemRange> ranges = split_items(c.count, c.parts);
    ASSERT_EQ(ranges.size(), c.lengths.size()) << c.count << " in " << c.parts;
    std::size_t next = 0;
    for (std::size_t k = 0; k < ranges.size(); ++k) {
      EXPECT_EQ(ranges[k].first, next);
      EXPECT_EQ(ranges[k].last - ranges[k].first, c.lengths[k]) << c.count << " in " << c.parts;
      next = ranges[k].last;
    }
    EXPECT_EQ(next, c.count);
  }
}

TEST(Parallel, ItemsGiveTheResultsOfOneThreadInIndexOrder) {
  auto work = [](std::size_t i) { return std::sin(static_cast<double>(i) * 0.37) * 1e3; };
  std::vector<double> alone;
  for (std::size_t i = 0; i < 2001; ++i) alone.push_back(work(i));
  for (unsigned threads : {0u, 1u, 2u, 3u, 7u, 64u}) {
    EXPECT_EQ(for_each_item(alone.size(), threads, work), alone) << threads << " threads";
  }
  EXPECT_TRUE(for_each_item(0, 4, work).empty());
}

TEST(Parallel, RangesRunOnSeveralThreadsTheFirstOnTheCaller) {
  const std::thread::id caller = std::this_thread::get_id();
  const std::vector<std::thread::id> ids =
      for_each_range(8, 4, [](ItemRange) { return std::this_thread::get_id(); });
  ASSERT_EQ(ids.size(), 4u);
  EXPECT_EQ(ids[0], caller);
  EXPECT_EQ(std::set<std::thread::id>(ids.begin(), ids.end()).size(), 4u);
}

// The exception one thread would meet first: the lowest index that throws.
TEST(Parallel, TheExceptionOfTheEarliestItemIsRethrown) {
  auto work = [](std::size_t i) {
    if (i == 300 || i == 950) throw std::runtime_error("item " + std::to_string(i));
    return i;
  };
  for (unsigned threads : {1u, 2u, 4u}) {
    try {
      (void)for_each_item(1000, threads, work);
      ADD_FAILURE() << "no exception with " << threads << " threads";
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(std::string(e.what()), "item 300") << threads << " threads";
    }
  }
}

TEST(Parallel, ZeroThreadsMeansOnePerHardwareThread) {
  EXPECT_GE(thread_count(0), 1u);
  EXPECT_EQ(thread_count(3), 3u);
}

}  // namespace
}  // namespace tidewerk
