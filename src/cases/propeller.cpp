#include "cases/propeller.h"

#include <cfenv>

namespace tidewerk {

std::size_t Propeller::over_until_negative_thrust(float pd, const float* J, std::size_t count,
                                                  OpenWater* out) const {
  constexpr int kFaults = FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW;
  const int raised_before = std::fetestexcept(kFaults);
  over(pd, J, count, out);
  std::size_t kept = 0;
  while (kept < count && !(out[kept].Kt < 0.0f)) ++kept;
  // A fault raised only by the points past the end would end the run where the sweep itself
  // never went: evaluate again just the points the sweep reaches, from the earlier flags.
  const std::size_t reached = kept < count ? kept + 1 : count;
  if (reached < count && std::fetestexcept(kFaults) != raised_before) {
    std::feclearexcept(kFaults & ~raised_before);
    over(pd, J, reached, out);
  }
  return kept;
}

}  // namespace tidewerk
