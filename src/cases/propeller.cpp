#include "cases/propeller.h"

#include <cfenv>

namespace tidewerk {

std::size_t Propeller::over_until_negative_thrust(float pd, const float* J, std::size_t count,
                                                  OpenWater* out) const {
  // Blocks of the grid, so that a curve that ends early is not evaluated to the end of its grid.
  constexpr std::size_t kBlock = 128;
  constexpr int kFaults = FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW;
  const int raised_before = std::fetestexcept(kFaults);
  for (std::size_t start = 0; start < count; start += kBlock) {
    const std::size_t end = start + kBlock < count ? start + kBlock : count;
    over(pd, J + start, end - start, out + start);
    std::size_t kept = start;
    while (kept < end && !(out[kept].Kt < 0.0f)) ++kept;
    if (kept == end) continue;
    // A fault raised only by the points past the end would end the run where the sweep itself
    // never went: evaluate again just the points the sweep reaches, from the earlier flags.
    if (kept + 1 < end && std::fetestexcept(kFaults) != raised_before) {
      std::feclearexcept(kFaults & ~raised_before);
      over(pd, J, kept + 1, out);
    }
    return kept;
  }
  return count;
}

}  // namespace tidewerk
