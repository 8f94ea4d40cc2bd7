#include "series/wageningen_b.h"

#include "numeric/precision.h"

namespace tidewerk {

std::optional<Ittc78Inputs> prepare_ittc78(const Ittc78Conditions& full_scale, float J, float ear,
                                           float z) {
  if (full_scale.Va < 0.001f && full_scale.N < 0.001f) return std::nullopt;

  Ittc78Inputs in;
  in.Ds = full_scale.D;
  if (full_scale.D < 0.001f) {
    in.Ds = single(double{full_scale.Va} / (double{full_scale.N} / double{60.0f} * double{J}));
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
  return in;
}

OpenWater apply_ittc78(const OpenWater& uncorrected, float pd, float ear,
                       const Ittc78Conditions& full_scale) {
  const std::optional<Ittc78Inputs> in =
      prepare_ittc78(full_scale, uncorrected.J, ear, uncorrected.z);
  if (!in) return uncorrected;
  const Ittc78Terms r =
      ittc78_terms(in->Ds, pd, in->Zi, in->t_over_c, in->c_over_d, in->s, in->n_r, in->nu);
  OpenWater out = uncorrected;
  out.Kt = single(double{uncorrected.Kt} - double{r.dKt});
  out.Kq = single(double{uncorrected.Kq} - double{r.dKq});
  out.eta0 = open_water_efficiency(out.Kt, out.Kq, out.J);
  return out;
}

OpenWater wageningen_b_open_water(float J, float pd, float ear, float z,
                                  const Ittc78Conditions* full_scale) {
  // The guard stands before every term of both sums; once J has passed it, it holds for all.
  J = guard_advance_coefficient(J);
  const TermPowers x(J, pd, ear, z);
  const float kt = sum_series_terms(kWageningenBThrust, x);
  const float kq = sum_series_terms(kWageningenBTorque, x);
  const OpenWater plain{J, z, kt, kq, open_water_efficiency(kt, kq, J)};
  return full_scale ? apply_ittc78(plain, pd, ear, *full_scale) : plain;
}

}  // namespace tidewerk
