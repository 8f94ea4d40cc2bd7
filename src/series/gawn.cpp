#include "series/gawn.h"

namespace tidewerk {

OpenWater gawn_open_water(float J, float pd, float ear, float z) {
  z = blade_number_used(Series::Gawn, z);
  J = guard_advance_coefficient(J);
  const TermPowers x(J, pd, ear, z);
  const float kt = sum_series_terms(kGawnThrust, x);
  const float kq = sum_series_terms(kGawnTorque, x);
  return {J, z, kt, kq, open_water_efficiency(kt, kq, J)};
}

}  // namespace tidewerk
