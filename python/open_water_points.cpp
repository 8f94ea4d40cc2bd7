#include "open_water_points.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <numeric>
#include <optional>
#include <vector>

#include "numeric/parallel.h"

namespace tidewerk::python {
namespace {

// Points handed to evaluate_grid at once: small enough for the results to stay in the cache
// while they are spread into the output arrays.
constexpr std::size_t kChunk = 2048;

// Equal bit patterns: a NaN parameter equals itself, and -0 differs from +0 (either may give
// its own bits through a power or a quotient).
bool same(const PointColumn& column, std::size_t a, std::size_t b) {
  return column.stride == 0 ||
         std::bit_cast<std::uint32_t>(column.at(a)) == std::bit_cast<std::uint32_t>(column.at(b));
}

bool same_propeller(const PointInputs& in, std::size_t a, std::size_t b) {
  return same(in.pd, a, b) && same(in.ear, a, b) && same(in.z, a, b) &&
         (!in.full_scale || (same(in.D, a, b) && same(in.Va, a, b) && same(in.N, a, b)));
}

bool one_propeller(const PointInputs& in) {
  return in.pd.stride == 0 && in.ear.stride == 0 && in.z.stride == 0 &&
         (!in.full_scale || (in.D.stride == 0 && in.Va.stride == 0 && in.N.stride == 0));
}

// The points from `first` on.
PointColumn from(const PointColumn& column, std::size_t first) {
  return {column.data == nullptr ? nullptr : column.data + first * column.stride, column.stride};
}

PointInputs from(const PointInputs& in, std::size_t first) {
  PointInputs part = in;
  part.J = from(in.J, first);
  part.pd = from(in.pd, first);
  part.ear = from(in.ear, first);
  part.z = from(in.z, first);
  if (in.full_scale) {
    part.D = from(in.D, first);
    part.Va = from(in.Va, first);
    part.N = from(in.N, first);
  }
  return part;
}

PointOutputs from(const PointOutputs& out, std::size_t first) {
  return {out.J + first, out.z + first, out.Kt + first, out.Kq + first, out.eta0 + first};
}

}  // namespace

std::size_t evaluate_points_on_threads(Series series, const PointInputs& in, std::size_t count,
                                       const PointOutputs& out, unsigned threads) {
  if (threads == 0 && count < kPointsForThreads) threads = 1;
  if (thread_count(threads) == 1) return evaluate_points(series, in, count, out);
  const std::vector<std::size_t> corrected = for_each_range(count, threads, [&](ItemRange range) {
    return evaluate_points(series, from(in, range.first), range.last - range.first,
                           from(out, range.first));
  });
  return std::accumulate(corrected.begin(), corrected.end(), std::size_t{0});
}

std::size_t evaluate_points(Series series, const PointInputs& in, std::size_t count,
                            const PointOutputs& out) {
  const bool shared = one_propeller(in);
  std::size_t corrected = 0;
  OpenWater results[kChunk];
  float spread_J[kChunk];
  for (std::size_t first = 0; first < count;) {
    // The longest stretch from `first`, up to a chunk, of points with one propeller.
    std::size_t end = std::min(count, first + kChunk);
    if (!shared) {
      std::size_t k = first + 1;
      while (k < end && same_propeller(in, first, k)) ++k;
      end = k;
    }
    const std::size_t n = end - first;
    const float* J = in.J.data + first * in.J.stride;
    if (in.J.stride == 0) {
      std::fill(spread_J, spread_J + n, in.J.at(0));
      J = spread_J;
    }
    std::optional<Ittc78Conditions> full_scale;
    if (in.full_scale)
      full_scale = Ittc78Conditions{in.D.at(first), in.Va.at(first), in.N.at(first)};
    evaluate_grid(series, in.pd.at(first), in.ear.at(first), in.z.at(first), {J, n}, {results, n},
                  full_scale);
    if (ittc78_applied(series, full_scale)) corrected += n;
    for (std::size_t i = 0; i < n; ++i) {
      const OpenWater& r = results[i];
      out.J[first + i] = r.J;
      out.z[first + i] = r.z;
      out.Kt[first + i] = r.Kt;
      out.Kq[first + i] = r.Kq;
      out.eta0[first + i] = r.eta0;
    }
    first = end;
  }
  return corrected;
}

}  // namespace tidewerk::python
