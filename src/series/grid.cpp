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
// over blocks of J, term by term in table order, one lane per J; every lane performs exactly
// the float operations of one evaluation, and the compiler turns the lanes into vector
// instructions.  The ITTC78 correction of the Wageningen B series depends on J only through a
// diameter derived from it (D below 0.001); otherwise dKt and dKq are formed once per call.
//
// The floating-point flags are part of the result (a run ends on a division by zero): the
// spare lanes of the last block repeat its last J, so they raise nothing the points do not,
// and every quotient a single evaluation forms is formed here too.
#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>

#include "series/gawn.h"
#include "series/grid_points.h"
#include "series/ittc78.h"
#include "series/kca.h"
#include "series/polynomial.h"
#include "series/wageningen_b.h"
#include "tidewerk/series.h"

namespace tidewerk {
namespace {

// Points evaluated together: a whole number of vectors of every width in use.
constexpr std::size_t kLanes = 64;

// The J powers of integer_power: J^2 = J * J and J^3 = J * (J * J) (the leading products by
// the initial 1 are exact).
static_assert(integer_power(1.1f, 2) == 1.1f * 1.1f &&
              integer_power(1.1f, 3) == 1.1f * (1.1f * 1.1f) &&
              integer_power(0.7f, 3) == 0.7f * (0.7f * 0.7f));

template <int S>
inline float j_power(float j1, float j2, float j3) {
  static_assert(S >= 1 && S <= kMaxPowerJ);
  if constexpr (S == 1)
    return j1;
  else if constexpr (S == 2)
    return j2;
  else
    return j3;
}

// One block of advance coefficients and its results.
struct Block {
  float j[kLanes];  // the guarded J
  float kt[kLanes];
  float kq[kLanes];
  float eta0[kLanes];
};

// --- Wageningen B and Gawn -----------------------------------------------------------------

// Head of every term: A, or A * C for a term without J.
template <std::size_t N>
void form_heads(const SeriesTerm (&table)[N], const PowerLadder<kMaxPowerPD>& pd,
                const PowerLadder<kMaxPowerEAR>& ear, const PowerLadder<kMaxPowerZ>& z,
                float (&head)[N]) {
  for (std::size_t k = 0; k < N; ++k) {
    const SeriesTerm& term = table[k];
    float product = z.of[term.v] * ear.of[term.u];
    product = product * pd.of[term.t];
    if (term.s == 0) product = product * term.c;
    head[k] = product;
  }
}

template <const auto& Table, std::size_t K>
inline float b_form_term(const float* head, float j1, float j2, float j3) {
  constexpr SeriesTerm term = Table[K];
  if constexpr (term.s == 0) {
    return head[K];
  } else {
    return (head[K] * j_power<term.s>(j1, j2, j3)) * term.c;
  }
}

template <const auto& Table, std::size_t... K>
inline float b_form_sum(const float* head, float j1, float j2, float j3,
                        std::index_sequence<K...>) {
  float sum = 0.0f;
  ((sum = sum + b_form_term<Table, K>(head, j1, j2, j3)), ...);
  return sum;
}

template <const auto& Thrust, const auto& Torque>
struct BFormKernel {
  static constexpr std::size_t kThrustTerms = std::size(Thrust);
  static constexpr std::size_t kTorqueTerms = std::size(Torque);

  float thrust_head[kThrustTerms];
  float torque_head[kTorqueTerms];
  Block block;

  BFormKernel(float pd, float ear, float z) {
    const PowerLadder<kMaxPowerPD> pd_powers(pd);
    const PowerLadder<kMaxPowerEAR> ear_powers(ear);
    const PowerLadder<kMaxPowerZ> z_powers(z);
    form_heads(Thrust, pd_powers, ear_powers, z_powers, thrust_head);
    form_heads(Torque, pd_powers, ear_powers, z_powers, torque_head);
  }

  void sum_block() {
    for (std::size_t l = 0; l < kLanes; ++l) {
      const float j1 = block.j[l];
      const float j2 = j1 * j1;
      const float j3 = j1 * j2;
      const float kt =
          b_form_sum<Thrust>(thrust_head, j1, j2, j3, std::make_index_sequence<kThrustTerms>{});
      const float kq =
          b_form_sum<Torque>(torque_head, j1, j2, j3, std::make_index_sequence<kTorqueTerms>{});
      block.kt[l] = kt;
      block.kq[l] = kq;
      block.eta0[l] = open_water_efficiency(kt, kq, j1);
    }
  }
};

// --- KCA -------------------------------------------------------------------------------------

template <std::size_t K>
inline float kca_thrust_term(const float* head, const PowerLadder<kMaxPowerPD>& pd,
                             const PowerLadder<kMaxPowerEAR>& ear, float j1, float j2, float j3) {
  constexpr KcaScaledTerm term = kKcaThrustScaled.terms[K];
  if constexpr (term.s == 0) {
    return head[K];
  } else {
    float product = term.scale * j_power<term.s>(j1, j2, j3);
    if constexpr (term.t != 0) product = product * pd.of[term.t];
    if constexpr (term.u != 0) product = product * ear.of[term.u];
    return product;
  }
}

template <std::size_t K>
inline float kca_torque_term(const float* head, float j1, float j2, float j3) {
  constexpr KcaScaledTerm term = kKcaTorqueScaled.terms[K];
  if constexpr (term.s == 0) {
    return head[K];
  } else {
    return head[K] * j_power<term.s>(j1, j2, j3);
  }
}

template <std::size_t... K>
inline float kca_thrust_sum(const float* head, const PowerLadder<kMaxPowerPD>& pd,
                            const PowerLadder<kMaxPowerEAR>& ear, float j1, float j2, float j3,
                            std::index_sequence<K...>) {
  float sum = 0.0f;
  ((sum = sum + kca_thrust_term<K>(head, pd, ear, j1, j2, j3)), ...);
  return sum;
}

template <std::size_t... K>
inline float kca_torque_sum(const float* head, float j1, float j2, float j3,
                            std::index_sequence<K...>) {
  float sum = 0.0f;
  ((sum = sum + kca_torque_term<K>(head, j1, j2, j3)), ...);
  return sum;
}

struct KcaKernel {
  static constexpr std::size_t kThrustTerms = std::size(kKcaThrustScaled.terms);
  static constexpr std::size_t kTorqueTerms = std::size(kKcaTorqueScaled.terms);

  PowerLadder<kMaxPowerPD> pd;
  PowerLadder<kMaxPowerEAR> ear;
  float thrust_head[kThrustTerms];  // terms without J: (scale * (P/D)^t) * EAR^u
  float torque_head[kTorqueTerms];  // (scale * (P/D)^t) * EAR^u
  Block block;

  KcaKernel(float pd_value, float ear_value) : pd(pd_value), ear(ear_value) {
    for (std::size_t k = 0; k < kThrustTerms; ++k) {
      const KcaScaledTerm& term = kKcaThrustScaled.terms[k];
      thrust_head[k] = (term.scale * pd.of[term.t]) * ear.of[term.u];
    }
    for (std::size_t k = 0; k < kTorqueTerms; ++k) {
      const KcaScaledTerm& term = kKcaTorqueScaled.terms[k];
      torque_head[k] = (term.scale * pd.of[term.t]) * ear.of[term.u];
    }
  }

  void sum_block() {
    for (std::size_t l = 0; l < kLanes; ++l) {
      const float j1 = block.j[l];
      const float j2 = j1 * j1;
      const float j3 = j1 * j2;
      const float kt = kca_thrust_sum(thrust_head, pd, ear, j1, j2, j3,
                                      std::make_index_sequence<kThrustTerms>{});
      const float kq =
          kca_torque_sum(torque_head, j1, j2, j3, std::make_index_sequence<kTorqueTerms>{});
      block.kt[l] = kt;
      block.kq[l] = kq;
      block.eta0[l] = open_water_efficiency(kt, kq, j1);
    }
  }
};

// --- The blocks ------------------------------------------------------------------------------

// The ITTC78 correction of a whole grid: none, the same dKt and dKq at every point, or a
// diameter derived from each point's J.
struct Correction {
  enum class Kind { none, hoisted, per_point } kind = Kind::none;
  double dKt = 0;
  double dKq = 0;
};

// The correction Kt - dKt, Kq - dKq and eta0 from them, as apply_ittc78 forms it.  The
// uncorrected eta0 that a single evaluation forms first is formed here too, for its flags: its
// bits go to a volatile local, which keeps the compiler from dropping it.
inline void correct_block(Block& block, double dKt, double dKq) {
  std::uint32_t seen = 0;
  for (std::size_t l = 0; l < kLanes; ++l) {
    seen |= std::bit_cast<std::uint32_t>(block.eta0[l]);
    const float kt = single(double{block.kt[l]} - dKt);
    const float kq = single(double{block.kq[l]} - dKq);
    block.kt[l] = kt;
    block.kq[l] = kq;
    block.eta0[l] = open_water_efficiency(kt, kq, block.j[l]);
  }
  volatile std::uint32_t witness = seen;
  (void)witness;
}

template <class Kernel>
void over_blocks(Kernel& kernel, const float* J, std::size_t count, float z, OpenWater* out,
                 const Correction& correction, float pd, float ear,
                 const Ittc78Conditions* full_scale) {
  Block& block = kernel.block;
  for (std::size_t first = 0; first < count; first += kLanes) {
    const std::size_t n = std::min(kLanes, count - first);
    // The guard has a loop of its own: the sums then run without a branch.
    for (std::size_t l = 0; l < n; ++l) block.j[l] = guard_advance_coefficient(J[first + l]);
    std::fill(block.j + n, block.j + kLanes, block.j[n - 1]);
    kernel.sum_block();
    if (correction.kind == Correction::Kind::hoisted)
      correct_block(block, correction.dKt, correction.dKq);
    for (std::size_t l = 0; l < n; ++l) {
      out[first + l] = {block.j[l], z, block.kt[l], block.kq[l], block.eta0[l]};
    }
    if (correction.kind == Correction::Kind::per_point) {
      for (std::size_t l = 0; l < n; ++l)
        out[first + l] = apply_ittc78(out[first + l], pd, ear, *full_scale);
    }
  }
}

// How the Wageningen B grid is corrected.  The diameter is the only way J enters the
// preparation; the J handed over when it is given is never read.
Correction wageningen_b_correction(float pd, float ear, float z,
                                   const Ittc78Conditions* full_scale) {
  Correction correction;
  if (!full_scale) return correction;
  if (full_scale->D < 0.001f) {
    correction.kind = Correction::Kind::per_point;
    return correction;
  }
  const std::optional<Ittc78Inputs> in = prepare_ittc78(*full_scale, 1.0f, ear, z);
  if (!in) return correction;
  const Ittc78Terms r =
      ittc78_terms(in->Ds, pd, in->Zi, in->t_over_c, in->c_over_d, in->s, in->n_r, in->nu);
  correction.kind = Correction::Kind::hoisted;
  correction.dKt = r.dKt;
  correction.dKq = r.dKq;
  return correction;
}

}  // namespace

void evaluate_grid_points(Series series, float pd, float ear, float z, const float* J,
                          std::size_t count, OpenWater* out, const Ittc78Conditions* full_scale) {
  if (count == 0) return;
  switch (series) {
    case Series::WageningenB: {
      BFormKernel<kWageningenBThrust, kWageningenBTorque> kernel(pd, ear, z);
      over_blocks(kernel, J, count, z, out, wageningen_b_correction(pd, ear, z, full_scale), pd,
                  ear, full_scale);
      return;
    }
    case Series::Gawn: {
      const float zg = blade_number_used(Series::Gawn, z);
      BFormKernel<kGawnThrust, kGawnTorque> kernel(pd, ear, zg);
      over_blocks(kernel, J, count, zg, out, Correction{}, pd, ear, nullptr);
      return;
    }
    case Series::Kca: {
      KcaKernel kernel(pd, ear);
      over_blocks(kernel, J, count, blade_number_used(Series::Kca, z), out, Correction{}, pd, ear,
                  nullptr);
      return;
    }
  }
  const std::optional<Ittc78Conditions> conditions =
      full_scale ? std::optional(*full_scale) : std::nullopt;
  for (std::size_t i = 0; i < count; ++i) out[i] = evaluate(series, {J[i], pd, ear, z}, conditions);
}

}  // namespace tidewerk
