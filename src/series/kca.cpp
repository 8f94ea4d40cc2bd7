#include "series/kca.h"

namespace tidewerk {

namespace {

// The tables with 10^p * M formed once, by the same single-precision products.
constexpr auto kKcaThrustScaled = scale_kca_table(kKcaThrust);
constexpr auto kKcaTorqueScaled = scale_kca_table(kKcaTorque);

}  // namespace

void kca_open_water(RunContext& ctx, float pd, float ear, float& z) {
  if (z < 2.99f) z = 3.0f;
  if (z > 5.01f) z = 5.0f;
  guard_advance_coefficient(ctx);
  // Z has no term in the KCA polynomials.
  const TermPowers x(ctx.J, pd, ear, 0.0f);
  const float kt = sum_kca_terms<KcaOrder::thrust>(kKcaThrustScaled, x);
  const float kq = sum_kca_terms<KcaOrder::torque>(kKcaTorqueScaled, x);
  ctx.Kt = kt;
  ctx.Kq = kq;
  ctx.eta0 = open_water_efficiency(kt, kq, ctx.J);
}

}  // namespace tidewerk
