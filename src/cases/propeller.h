// The propeller a case evaluates: series, blade-area ratio, blade number and, when asked, the
// full-scale conditions of the ITTC78 correction.
#pragma once

#include <cstddef>
#include <optional>

#include "cases/problem.h"
#include "series/grid_kernel.h"
#include "tidewerk/series.h"

namespace tidewerk {

struct Propeller {
  Series series;
  float ear;
  float z;
  std::optional<Ittc78Conditions> full_scale;  // none: uncorrected

  // The propeller of the problem record; corrected when IVISC is non-zero.
  static Propeller of(const Problem& p) {
    Propeller prop{p.series, p.EAR, p.Z, std::nullopt};
    if (p.IVISC != 0) prop.full_scale = Ittc78Conditions{p.D, p.Va, p.N};
    return prop;
  }

  // True when the evaluations are corrected to full scale.
  bool corrected() const { return ittc78_applied(series, full_scale); }

  OpenWater at(float J, float pd) const { return evaluate(series, {J, pd, ear, z}, full_scale); }
  // out[0 .. count - 1] at J[0 .. count - 1].
  void over(float pd, const float* J, std::size_t count, OpenWater* out) const {
    evaluate_grid(series, pd, ear, z, {J, count}, {out, count}, full_scale);
  }

  // The points of a sweep that ends at the first negative thrust coefficient: evaluates the
  // grid and returns how many points come before that one (all of them when none is negative).
  // The arithmetic flags are left as a point-by-point sweep that stops there leaves them.  A
  // sweep that reads only Kt or Kq leaves out the efficiency (eta0 then not to be read).
  std::size_t over_until_negative_thrust(float pd, const float* J, std::size_t count,
                                         OpenWater* out,
                                         grid::GridValues values = grid::GridValues::All) const;
};

}  // namespace tidewerk
