#include "series/kca.h"

namespace tidewerk {

OpenWater kca_open_water(float J, float pd, float ear, float z) {
  z = blade_number_used(Series::Kca, z);
  J = guard_advance_coefficient(J);
  // Z has no term in the KCA polynomials.
  const TermPowers x(J, pd, ear, 0.0f);
  const float kt = sum_kca_terms<KcaOrder::thrust>(kKcaThrustScaled, x);
  const float kq = sum_kca_terms<KcaOrder::torque>(kKcaTorqueScaled, x);
  return {J, z, kt, kq, open_water_efficiency(kt, kq, J)};
}

}  // namespace tidewerk
