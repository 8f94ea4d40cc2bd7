#include "series/gawn.h"

#include <cmath>

namespace tidewerk {

void gawn_open_water(RunContext& ctx, float pd, float ear, float& z) {
  if (std::fabs(double{z} - 3.0) > double{0.01f}) z = 3.0f;
  guard_advance_coefficient(ctx);
  const TermPowers x(ctx.J, pd, ear, z);
  const float kt = sum_series_terms(kGawnThrust, x);
  const float kq = sum_series_terms(kGawnTorque, x);
  ctx.Kt = kt;
  ctx.Kq = kq;
  ctx.eta0 = open_water_efficiency(kt, kq, ctx.J);
}

}  // namespace tidewerk
