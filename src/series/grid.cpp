// One propeller over many advance coefficients, bit-identical to evaluate() at every J.
//
// The part of a term that does not depend on J is formed once per call, by the same products
// in the same order as a single evaluation forms it:
//
//   Wageningen B, Gawn  ((((Z^v * EAR^u) * (P/D)^t) * J^s) * C): the head
//                       A = (Z^v * EAR^u) * (P/D)^t; a term with s = 0 is (A * 1) * C = A * C.
//   KCA thrust          (((scale * J^s) * (P/D)^t) * EAR^u): nothing ahead of J; a factor
//                       with exponent 0 is 1 and leaves the product unchanged; a term with
//                       s = 0 is (scale * (P/D)^t) * EAR^u.
//   KCA torque          ((scale * (P/D)^t) * EAR^u) * J^s: the head (scale * (P/D)^t) * EAR^u.
//
// x * 1 is x exactly, so dropping a product by a power 0 changes no bit.  The sums then run
// over blocks of J, term by term in table order, one vector lane per J (grid_lanes.h); every
// lane performs exactly the float operations of one evaluation.  The kernel is compiled for
// several instruction sets (grid_baseline.cpp, grid_avx2.cpp, grid_avx512.cpp), and the
// widest the processor supports is used (instruction_set.h).  The ITTC78 correction of the
// Wageningen B series depends on J only through a diameter derived from it (D below 0.001);
// otherwise dKt and dKq are formed once per call.
//
// The floating-point flags are part of the result (a run ends on a division by zero): the
// spare lanes of the last block repeat its last J, so they raise nothing the points do not,
// and every quotient a single evaluation forms is formed here too.
#include "series/grid.h"

#include <cstddef>
#include <optional>

#include "series/grid_kernel.h"
#include "series/ittc78.h"
#include "tidewerk/series.h"

namespace tidewerk {
namespace {

using grid::PreparedPropeller;

// Wageningen B and Gawn heads: A, or A * C for a term without J.
template <std::size_t N>
void form_b_form_heads(const SeriesTerm (&table)[N], const PowerLadder<kMaxPowerPD>& pd,
                       const PowerLadder<kMaxPowerEAR>& ear, const PowerLadder<kMaxPowerZ>& z,
                       float* head) {
  for (std::size_t k = 0; k < N; ++k) {
    const SeriesTerm& term = table[k];
    float product = z.of[term.v] * ear.of[term.u];
    product = product * pd.of[term.t];
    if (term.s == 0) product = product * term.c;
    head[k] = product;
  }
}

// KCA heads: (scale * (P/D)^t) * EAR^u.
template <std::size_t N>
void form_kca_heads(const KcaScaledTable<N>& table, const PowerLadder<kMaxPowerPD>& pd,
                    const PowerLadder<kMaxPowerEAR>& ear, float* head) {
  for (std::size_t k = 0; k < N; ++k) {
    const KcaScaledTerm& term = table.terms[k];
    head[k] = (term.scale * pd.of[term.t]) * ear.of[term.u];
  }
}

// The same dKt and dKq at every point of a Wageningen B grid, unless the diameter is derived
// from each J (D below 0.001); nothing when no correction is made.  The diameter is the only
// way J enters the preparation; the J handed over when it is given is never read.
void hoist_wageningen_b_correction(PreparedPropeller& propeller, float pd, float ear, float z,
                                   const Ittc78Conditions& full_scale) {
  const std::optional<Ittc78Inputs> in = prepare_ittc78(full_scale, 1.0f, ear, z);
  if (!in) return;
  const Ittc78Terms r =
      ittc78_terms(in->Ds, pd, in->Zi, in->t_over_c, in->c_over_d, in->s, in->n_r, in->nu);
  propeller.corrected = true;
  propeller.dKt = r.dKt;
  propeller.dKq = r.dKq;
}

using Kernel = void (*)(Series, const PreparedPropeller&, const float*, std::size_t, OpenWater*,
                        grid::GridValues);

Kernel kernel_for(InstructionSet set) {
  switch (set) {
    case InstructionSet::baseline:
      return grid::evaluate_baseline;
    case InstructionSet::avx2:
      return grid::evaluate_avx2;
    case InstructionSet::avx512:
      return grid::evaluate_avx512;
  }
  return grid::evaluate_baseline;
}

}  // namespace

GridEvaluator::GridEvaluator(InstructionSet set, Series series, float pd, float ear, float z,
                             const Ittc78Conditions* full_scale)
    : set_(set), series_(series), pd_(pd), ear_(ear), z_(z) {
  if (full_scale) full_scale_ = *full_scale;
  PreparedPropeller& p = propeller_;
  const PowerLadder<kMaxPowerPD> pd_powers(pd);
  const PowerLadder<kMaxPowerEAR> ear_powers(ear);
  switch (series) {
    case Series::WageningenB: {
      const PowerLadder<kMaxPowerZ> z_powers(z);
      form_b_form_heads(kWageningenBThrust, pd_powers, ear_powers, z_powers, p.thrust_head);
      form_b_form_heads(kWageningenBTorque, pd_powers, ear_powers, z_powers, p.torque_head);
      p.z = z;
      if (full_scale && full_scale->D < 0.001f) {
        per_point_correction_ = true;
      } else if (full_scale) {
        hoist_wageningen_b_correction(p, pd, ear, z, *full_scale);
      }
      return;
    }
    case Series::Gawn: {
      p.z = blade_number_used(Series::Gawn, z);
      const PowerLadder<kMaxPowerZ> z_powers(p.z);
      form_b_form_heads(kGawnThrust, pd_powers, ear_powers, z_powers, p.thrust_head);
      form_b_form_heads(kGawnTorque, pd_powers, ear_powers, z_powers, p.torque_head);
      return;
    }
    case Series::Kca:
      form_kca_heads(kKcaThrustScaled, pd_powers, ear_powers, p.thrust_head);
      form_kca_heads(kKcaTorqueScaled, pd_powers, ear_powers, p.torque_head);
      for (int t = 0; t <= kMaxPowerPD; ++t) p.pd_power[t] = pd_powers.of[t];
      for (int u = 0; u <= kMaxPowerEAR; ++u) p.ear_power[u] = ear_powers.of[u];
      p.z = blade_number_used(Series::Kca, z);
      return;
  }
}

void GridEvaluator::evaluate(const float* J, std::size_t count, OpenWater* out,
                             grid::GridValues values) const {
  if (count == 0) return;
  switch (series_) {
    case Series::WageningenB:
    case Series::Gawn:
    case Series::Kca:
      break;
    default:
      for (std::size_t i = 0; i < count; ++i)
        out[i] = tidewerk::evaluate(series_, {J[i], pd_, ear_, z_}, full_scale_);
      return;
  }
  kernel_for(set_)(series_, propeller_, J, count, out, values);
  if (per_point_correction_) {
    for (std::size_t i = 0; i < count; ++i) out[i] = apply_ittc78(out[i], pd_, ear_, *full_scale_);
  }
}

void evaluate_grid_with(InstructionSet set, Series series, float pd, float ear, float z,
                        const float* J, std::size_t count, OpenWater* out,
                        const Ittc78Conditions* full_scale, grid::GridValues values) {
  // Nothing is formed for no point: not even the flags of the preparation are raised.
  if (count == 0) return;
  GridEvaluator(set, series, pd, ear, z, full_scale).evaluate(J, count, out, values);
}

}  // namespace tidewerk
