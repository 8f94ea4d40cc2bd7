#include "series/wageningen_b.h"

#include "numeric/precision.h"

namespace tidewerk {

bool prepare_ittc78(const RunContext& ctx, float ear, float z, Ittc78Inputs& out) {
  if (ctx.Va < 0.001f && ctx.N < 0.001f) return false;

  Ittc78Inputs in;
  in.Ds = ctx.D;
  if (ctx.D < 0.001f) {
    in.Ds = single(double{ctx.Va} / (double{ctx.N} / double{60.0f} * double{ctx.J}));
  }
  in.Zi = whole_number(z);  // truncation toward zero
  const double chord_factor = in.Zi == 3 ? double{2.1475f} : double{2.073f};
  in.c = single(double{ear} * double{in.Ds} * chord_factor / double{z});
  in.t = single((double{0.0185f} - double{0.00125f} * double{z}) * double{in.Ds});
  in.t_over_c = single(double{in.t} / double{in.c});
  in.c_over_d = single(double{in.c} / double{in.Ds});
  in.s = single(double{0.24f} / double{in.Ds});
  in.n_r = 10.0f;
  in.nu = 1.13902e-06f;
  out = in;
  return true;
}

void wageningen_b_open_water(RunContext& ctx, float pd, float ear, float z) {
  // The guard stands before every term of both sums; once J has passed it, it holds for all.
  guard_advance_coefficient(ctx);
  const TermPowers x(ctx.J, pd, ear, z);
  const float kt = sum_series_terms(kWageningenBThrust, x);
  const float kq = sum_series_terms(kWageningenBTorque, x);
  ctx.Kt = kt;
  ctx.Kq = kq;
  ctx.eta0 = open_water_efficiency(kt, kq, ctx.J);

  if (ctx.IVISC == 0) return;
  Ittc78Inputs in;
  if (!prepare_ittc78(ctx, ear, z, in)) return;
  float dKt = 0;
  float dKq = 0;
  ittc78_correction(in.Ds, pd, in.Zi, in.t_over_c, in.c_over_d, in.s, in.n_r, in.nu, dKt, dKq);
  ctx.Kt = single(double{ctx.Kt} - double{dKt});
  ctx.Kq = single(double{ctx.Kq} - double{dKq});
  ctx.eta0 = open_water_efficiency(ctx.Kt, ctx.Kq, ctx.J);
}

}  // namespace tidewerk
