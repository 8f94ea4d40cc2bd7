// Independent items shared out over threads: item k's result is stored at index k, so the
// results are the same, in the same order, whatever the number of threads.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <thread>
#include <vector>

namespace tidewerk {

// Calls work(k) for k = 0 .. count - 1 on up to `jobs` threads (the calling one included).
// The first exception thrown by any call is rethrown here after every thread has finished.
template <typename Work>
void for_each_index(std::size_t count, unsigned jobs, const Work& work) {
  const std::size_t threads = std::min<std::size_t>(std::max(jobs, 1u), count);
  if (threads <= 1) {
    for (std::size_t k = 0; k < count; ++k) work(k);
    return;
  }
  std::atomic<std::size_t> next{0};
  std::vector<std::exception_ptr> failures(threads);
  const auto worker = [&](std::size_t thread) {
    try {
      for (std::size_t k = next++; k < count; k = next++) work(k);
    } catch (...) {
      failures[thread] = std::current_exception();
      next = count;
    }
  };
  std::vector<std::thread> pool;
  for (std::size_t t = 1; t < threads; ++t) pool.emplace_back(worker, t);
  worker(0);
  for (std::thread& thread : pool) thread.join();
  for (const std::exception_ptr& failure : failures) {
    if (failure) std::rethrow_exception(failure);
  }
}

}  // namespace tidewerk
