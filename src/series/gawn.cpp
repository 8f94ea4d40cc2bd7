#include "series/gawn.h"

#include <cmath>

namespace tidewerk {

OpenWater gawn_open_water(float J, float pd, float ear, float z) {
  if (std::fabs(double{z} - 3.0) > double{0.01f}) z = 3.0f;
  J = guard_advance_coefficient(J);
  const TermPowers x(J, pd, ear, z);
  const float kt = sum_series_terms(kGawnThrust, x);
  const float kq = sum_series_terms(kGawnTorque, x);
  return {J, z, kt, kq, open_water_efficiency(kt, kq, J)};
}

}  // namespace tidewerk
