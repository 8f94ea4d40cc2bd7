#include "cases/propeller.h"

#include <cfenv>

#include "series/grid.h"

namespace tidewerk {

std::size_t Propeller::over_until_negative_thrust(float pd, const float* J, std::size_t count,
                                                  OpenWater* out, grid::GridValues values) const {
  // Blocks of the grid, so that a curve that ends early is not evaluated to the end of its grid;
  // long enough for every kernel's vectors.
  constexpr std::size_t kBlock = 128;
  static_assert(kBlock % grid::kBaselineBlock == 0 && kBlock % grid::kAvx2Block == 0 &&
                kBlock % grid::kAvx512Block == 0);
  constexpr int kFaults = FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW;
  const int raised_before = std::fetestexcept(kFaults);
  if (count == 0) return 0;
  // The parts of the terms that do not depend on J, formed once for all the blocks.
  const GridEvaluator curve(series, pd, ear, z, full_scale ? &*full_scale : nullptr);
  for (std::size_t start = 0; start < count; start += kBlock) {
    const std::size_t end = start + kBlock < count ? start + kBlock : count;
    curve.evaluate(J + start, end - start, out + start, values);
    std::size_t kept = start;
    while (kept < end && !(out[kept].Kt < 0.0f)) ++kept;
    if (kept == end) continue;
    // A fault raised only by the points past the end would end the run where the sweep itself
    // never went: evaluate again just the points the sweep reaches, from the earlier flags
    // (preparing the propeller afresh, which raises its own flags again).
    if (kept + 1 < end && std::fetestexcept(kFaults) != raised_before) {
      std::feclearexcept(kFaults & ~raised_before);
      over(pd, J, kept + 1, out);
    }
    return kept;
  }
  return count;
}

}  // namespace tidewerk
