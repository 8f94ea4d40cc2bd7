// Independent items spread over threads: items 0 .. count - 1 are split into contiguous parts,
// one per thread, and the results come back by index, so that their order and values are those
// of one thread doing all of them in turn.
#pragma once

#include <algorithm>
#include <cstddef>
#include <exception>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

namespace tidewerk {

// Threads to use for `requested` (0: one per hardware thread, at least 1).
inline unsigned thread_count(unsigned requested) {
  if (requested != 0) return requested;
  const unsigned hardware = std::thread::hardware_concurrency();
  return hardware == 0 ? 1 : hardware;
}

// Items [first, last) of one part.
struct ItemRange {
  std::size_t first;
  std::size_t last;
};

// `count` items in at most `parts` contiguous ranges of nearly equal length, in order; no range
// is empty (no range at all for no item).
inline std::vector<ItemRange> split_items(std::size_t count, std::size_t parts) {
  parts = std::max<std::size_t>(1, std::min(parts, count));
  std::vector<ItemRange> ranges;
  if (count == 0) return ranges;
  std::size_t first = 0;
  for (std::size_t k = 0; k < parts; ++k) {
    const std::size_t length = count / parts + (k < count % parts ? 1 : 0);
    ranges.push_back({first, first + length});
    first += length;
  }
  return ranges;
}

// work(range) for the ranges of split_items(count, thread_count(threads)), each on a thread of
// its own (the first on the calling thread); returns the results in range order.  When work
// throws, the exception of the earliest range is rethrown once every thread has ended: the
// one that a single thread would have met first.
template <class Work>
auto for_each_range(std::size_t count, unsigned threads, Work&& work)
    -> std::vector<std::invoke_result_t<Work&, ItemRange>> {
  using Result = std::invoke_result_t<Work&, ItemRange>;
  const std::vector<ItemRange> ranges = split_items(count, thread_count(threads));
  std::vector<std::vector<Result>> results(ranges.size());  // one element, or none on throwing
  std::vector<std::exception_ptr> errors(ranges.size());
  auto run = [&](std::size_t k) {
    try {
      results[k].push_back(work(ranges[k]));
    } catch (...) {
      errors[k] = std::current_exception();
    }
  };
  {
    std::vector<std::jthread> helpers;
    for (std::size_t k = 1; k < ranges.size(); ++k) helpers.emplace_back(run, k);
    if (!ranges.empty()) run(0);
  }  // the helpers join here
  std::vector<Result> ordered;
  for (std::size_t k = 0; k < ranges.size(); ++k) {
    if (errors[k]) std::rethrow_exception(errors[k]);
    ordered.push_back(std::move(results[k].front()));
  }
  return ordered;
}

// work(i) for i = 0 .. count - 1 over `threads` threads (0: one per hardware thread); returns
// the results in index order, the same as calling work(0), work(1), ... on one thread.
template <class Work>
auto for_each_item(std::size_t count, unsigned threads, Work&& work)
    -> std::vector<std::invoke_result_t<Work&, std::size_t>> {
  using Result = std::invoke_result_t<Work&, std::size_t>;
  std::vector<std::vector<Result>> parts = for_each_range(count, threads, [&work](ItemRange range) {
    std::vector<Result> part;
    part.reserve(range.last - range.first);
    for (std::size_t i = range.first; i < range.last; ++i) part.push_back(work(i));
    return part;
  });
  std::vector<Result> all;
  all.reserve(count);
  for (std::vector<Result>& part : parts) {
    for (Result& r : part) all.push_back(std::move(r));
  }
  return all;
}

}  // namespace tidewerk
