// The grid kernel written once for any vector width.  Included by grid_baseline.cpp,
// grid_avx2.cpp and grid_avx512.cpp after series/grid_kernel.h, inside the region compiled for
// their instruction set; it includes nothing itself.  Everything defined here has internal
// linkage, so no copy compiled with wide instructions can stand in for a function of the
// baseline program; the inline functions of other headers it calls keep their baseline code.
//
// A block of points is V vectors of W lanes.  Each term is added to the V sums one after the
// other, so that V independent additions are in flight while each sum keeps the table order;
// every lane performs exactly the float operations of one evaluation (GCC's vector types
// round every lane as the scalar operation does, and -ffp-contract=off keeps products and
// sums apart).  The spare lanes of the last block repeat its last J: they raise no
// floating-point flag that the points do not.

namespace tidewerk::grid {
namespace {

template <std::size_t W>
struct Lanes {
  typedef float Floats __attribute__((vector_size(W * sizeof(float))));
  typedef double Doubles __attribute__((vector_size(W * sizeof(double))));
  typedef std::uint32_t Bits __attribute__((vector_size(W * sizeof(std::uint32_t))));
};

template <std::size_t W, std::size_t V>
struct Block {
  using Floats = typename Lanes<W>::Floats;
  Floats j[3][V];  // J (guarded), J^2 = J * J, J^3 = J * J^2, as integer_power forms them
  Floats kt[V];
  Floats kq[V];
  Floats eta0[V];
};

template <class Term, std::size_t N>
constexpr std::size_t terms_of(const Term (&)[N]) {
  return N;
}

// --- Wageningen B and Gawn: ((head * J^s) * C), or the head A * C of a term without J ---

template <const auto& Table, std::size_t K, std::size_t W, std::size_t V>
[[gnu::always_inline]] inline void add_b_form_term(typename Lanes<W>::Floats (&sum)[V],
                                                   const float* head,
                                                   const typename Lanes<W>::Floats (&j)[3][V]) {
  constexpr SeriesTerm term = Table[K];
  const float h = head[K];
  if constexpr (term.s == 0) {
#pragma GCC unroll 16
    for (std::size_t v = 0; v < V; ++v) sum[v] = sum[v] + h;
  } else {
#pragma GCC unroll 16
    for (std::size_t v = 0; v < V; ++v) sum[v] = sum[v] + (h * j[term.s - 1][v]) * term.c;
  }
}

template <const auto& Table, std::size_t W, std::size_t V, std::size_t... K>
[[gnu::always_inline]] inline void b_form_sum(typename Lanes<W>::Floats (&sum)[V],
                                              const float* head,
                                              const typename Lanes<W>::Floats (&j)[3][V],
                                              std::index_sequence<K...>) {
#pragma GCC unroll 16
  for (std::size_t v = 0; v < V; ++v) sum[v] = typename Lanes<W>::Floats{};
  (add_b_form_term<Table, K, W, V>(sum, head, j), ...);
}

template <const auto& Thrust, const auto& Torque, std::size_t W, std::size_t V>
[[gnu::always_inline]] inline void b_form_block(Block<W, V>& block, const PreparedPropeller& p) {
  b_form_sum<Thrust, W, V>(block.kt, p.thrust_head, block.j,
                           std::make_index_sequence<terms_of(Thrust)>{});
  b_form_sum<Torque, W, V>(block.kq, p.torque_head, block.j,
                           std::make_index_sequence<terms_of(Torque)>{});
}

// --- KCA: thrust ((scale * J^s) * (P/D)^t) * EAR^u, a factor with exponent 0 left out (x * 1
// is x); torque head * J^s -------------------------------------------------------------------

template <std::size_t K, std::size_t W, std::size_t V>
[[gnu::always_inline]] inline void add_kca_thrust_term(typename Lanes<W>::Floats (&sum)[V],
                                                       const PreparedPropeller& p,
                                                       const typename Lanes<W>::Floats (&j)[3][V]) {
  constexpr KcaScaledTerm term = kKcaThrustScaled.terms[K];
  if constexpr (term.s == 0) {
    const float h = p.thrust_head[K];
#pragma GCC unroll 16
    for (std::size_t v = 0; v < V; ++v) sum[v] = sum[v] + h;
  } else {
    const float pd = p.pd_power[term.t];
    const float ear = p.ear_power[term.u];
#pragma GCC unroll 16
    for (std::size_t v = 0; v < V; ++v) {
      typename Lanes<W>::Floats product = term.scale * j[term.s - 1][v];
      if constexpr (term.t != 0) product = product * pd;
      if constexpr (term.u != 0) product = product * ear;
      sum[v] = sum[v] + product;
    }
  }
}

template <std::size_t K, std::size_t W, std::size_t V>
[[gnu::always_inline]] inline void add_kca_torque_term(typename Lanes<W>::Floats (&sum)[V],
                                                       const PreparedPropeller& p,
                                                       const typename Lanes<W>::Floats (&j)[3][V]) {
  constexpr KcaScaledTerm term = kKcaTorqueScaled.terms[K];
  const float h = p.torque_head[K];
  if constexpr (term.s == 0) {
#pragma GCC unroll 16
    for (std::size_t v = 0; v < V; ++v) sum[v] = sum[v] + h;
  } else {
#pragma GCC unroll 16
    for (std::size_t v = 0; v < V; ++v) sum[v] = sum[v] + h * j[term.s - 1][v];
  }
}

template <std::size_t W, std::size_t V, std::size_t... K>
[[gnu::always_inline]] inline void kca_thrust_sum(Block<W, V>& block, const PreparedPropeller& p,
                                                  std::index_sequence<K...>) {
#pragma GCC unroll 16
  for (std::size_t v = 0; v < V; ++v) block.kt[v] = typename Lanes<W>::Floats{};
  (add_kca_thrust_term<K, W, V>(block.kt, p, block.j), ...);
}

template <std::size_t W, std::size_t V, std::size_t... K>
[[gnu::always_inline]] inline void kca_torque_sum(Block<W, V>& block, const PreparedPropeller& p,
                                                  std::index_sequence<K...>) {
#pragma GCC unroll 16
  for (std::size_t v = 0; v < V; ++v) block.kq[v] = typename Lanes<W>::Floats{};
  (add_kca_torque_term<K, W, V>(block.kq, p, block.j), ...);
}

template <std::size_t W, std::size_t V>
[[gnu::always_inline]] inline void kca_block(Block<W, V>& block, const PreparedPropeller& p) {
  kca_thrust_sum<W, V>(block, p, std::make_index_sequence<terms_of(kKcaThrustScaled.terms)>{});
  kca_torque_sum<W, V>(block, p, std::make_index_sequence<terms_of(kKcaTorqueScaled.terms)>{});
}

// --- The blocks ------------------------------------------------------------------------------

// open_water_efficiency lane by lane: (Kt / Kq) * J / 2 pi in double, rounded to float.
template <std::size_t W>
[[gnu::always_inline]] inline typename Lanes<W>::Floats efficiency(
    const typename Lanes<W>::Floats& kt, const typename Lanes<W>::Floats& kq,
    const typename Lanes<W>::Floats& j) {
  using Doubles = typename Lanes<W>::Doubles;
  const Doubles ratio = __builtin_convertvector(kt, Doubles) / __builtin_convertvector(kq, Doubles);
  return __builtin_convertvector(ratio * __builtin_convertvector(j, Doubles) / double{kTwoPi},
                                 typename Lanes<W>::Floats);
}

// Marks the lanes where efficiency() could raise a flag that ends a run (division by zero,
// invalid operation, overflow), compared as bit patterns, which raises nothing.  With |Kq| at
// least 1e-30, |Kt| at most 1e5 and |J| at most 1e3 the quotient, the product and the rounding
// to float stay finite and inside float's range, so such a lane raises none of them; the
// others (zero or tiny Kq, huge, infinite or NaN values: none in a sweep of a real propeller)
// are formed one by one by efficiency_flags_of().
template <std::size_t W>
[[gnu::always_inline]] inline typename Lanes<W>::Bits efficiency_may_fault(
    const typename Lanes<W>::Floats& kt, const typename Lanes<W>::Floats& kq,
    const typename Lanes<W>::Floats& j) {
  using Bits = typename Lanes<W>::Bits;
  constexpr std::uint32_t kMagnitude = 0x7fffffff;
  const Bits kt_magnitude = __builtin_bit_cast(Bits, kt) & kMagnitude;
  const Bits kq_magnitude = __builtin_bit_cast(Bits, kq) & kMagnitude;
  const Bits j_magnitude = __builtin_bit_cast(Bits, j) & kMagnitude;
  return __builtin_bit_cast(Bits, (kq_magnitude < __builtin_bit_cast(std::uint32_t, 1e-30f)) |
                                      (kt_magnitude > __builtin_bit_cast(std::uint32_t, 1e5f)) |
                                      (j_magnitude > __builtin_bit_cast(std::uint32_t, 1e3f)));
}

// The efficiency of the marked lanes, formed as efficiency() forms each lane, for its flags only.
template <std::size_t W>
[[gnu::noinline]] void efficiency_flags_of(const typename Lanes<W>::Bits& marked,
                                           const typename Lanes<W>::Floats& kt,
                                           const typename Lanes<W>::Floats& kq,
                                           const typename Lanes<W>::Floats& j) {
  for (std::size_t lane = 0; lane < W; ++lane) {
    if (marked[lane] == 0) continue;
    volatile float formed =
        static_cast<float>(double{kt[lane]} / double{kq[lane]} * double{j[lane]} / double{kTwoPi});
    (void)formed;
  }
}

// Kt - dKt and Kq - dKq in double, rounded to float, as apply_ittc78 forms them.
template <std::size_t W>
[[gnu::always_inline]] inline typename Lanes<W>::Floats less(const typename Lanes<W>::Floats& k,
                                                             double correction) {
  using Doubles = typename Lanes<W>::Doubles;
  return __builtin_convertvector(__builtin_convertvector(k, Doubles) - correction,
                                 typename Lanes<W>::Floats);
}

// Four lanes of the block from lane `l` on.
using Four = Lanes<4>::Floats;

template <std::size_t W>
[[gnu::always_inline]] inline Four four_of(const typename Lanes<W>::Floats& x, std::size_t l) {
  Four four;
  __builtin_memcpy(&four, reinterpret_cast<const float*>(&x) + l, sizeof four);
  return four;
}

template <int A, int B, int C, int D>
[[gnu::always_inline]] inline Four shuffle(const Four& x, const Four& y) {
#if defined(__clang__)
  return __builtin_shufflevector(x, y, A, B, C, D);
#else
  return __builtin_shuffle(x, y, Lanes<4>::Bits{A, B, C, D});
#endif
}

// The points of the block as OpenWater records {J, z, Kt, Kq, eta0}, four at a time: J, z,
// Kt and Kq transposed into one 16-byte store a point, eta0 after it.
template <std::size_t W, std::size_t V>
[[gnu::always_inline]] inline void write_points(const Block<W, V>& block, float z, std::size_t n,
                                                OpenWater* out) {
  static_assert(offsetof(OpenWater, J) == 0 && offsetof(OpenWater, z) == 4 &&
                offsetof(OpenWater, Kt) == 8 && offsetof(OpenWater, Kq) == 12 &&
                offsetof(OpenWater, eta0) == 16 && sizeof(OpenWater) == 20);
  const Four zs = Four{} + z;
  std::size_t l = 0;
  for (; l + 4 <= n; l += 4) {
    const std::size_t v = l / W;
    const std::size_t lane = l % W;
    const Four j = four_of<W>(block.j[0][v], lane);
    const Four kt = four_of<W>(block.kt[v], lane);
    const Four kq = four_of<W>(block.kq[v], lane);
    const Four eta0 = four_of<W>(block.eta0[v], lane);
    const Four jz_low = shuffle<0, 4, 1, 5>(j, zs);
    const Four jz_high = shuffle<2, 6, 3, 7>(j, zs);
    const Four k_low = shuffle<0, 4, 1, 5>(kt, kq);
    const Four k_high = shuffle<2, 6, 3, 7>(kt, kq);
    const Four point[4] = {shuffle<0, 1, 4, 5>(jz_low, k_low), shuffle<2, 3, 6, 7>(jz_low, k_low),
                           shuffle<0, 1, 4, 5>(jz_high, k_high),
                           shuffle<2, 3, 6, 7>(jz_high, k_high)};
#pragma GCC unroll 4
    for (std::size_t i = 0; i < 4; ++i) {
      __builtin_memcpy(reinterpret_cast<char*>(out + l + i), &point[i], sizeof point[i]);
      out[l + i].eta0 = eta0[i];
    }
  }
  for (; l < n; ++l) {
    const std::size_t v = l / W;
    const std::size_t lane = l % W;
    out[l] = {block.j[0][v][lane], z, block.kt[v][lane], block.kq[v][lane], block.eta0[v][lane]};
  }
}

// The flags that efficiency() would raise over the block's values, without its divisions
// where they can raise none.
template <std::size_t W, std::size_t V>
[[gnu::always_inline]] inline void raise_efficiency_flags(const Block<W, V>& block) {
  using Bits = typename Lanes<W>::Bits;
  Bits marked[V];
  Bits any{};
  for (std::size_t v = 0; v < V; ++v) {
    marked[v] = efficiency_may_fault<W>(block.kt[v], block.kq[v], block.j[0][v]);
    any |= marked[v];
  }
  std::uint32_t some = 0;
  for (std::size_t lane = 0; lane < W; ++lane) some |= any[lane];
  if (some == 0) return;
  for (std::size_t v = 0; v < V; ++v)
    efficiency_flags_of<W>(marked[v], block.kt[v], block.kq[v], block.j[0][v]);
}

// Without the efficiency: its flags for the uncorrected and the corrected values, NaN for eta0.
template <std::size_t W, std::size_t V>
[[gnu::always_inline]] inline void without_efficiency(Block<W, V>& block,
                                                      const PreparedPropeller& p) {
  raise_efficiency_flags(block);
  if (p.corrected) {
    for (std::size_t v = 0; v < V; ++v) {
      block.kt[v] = less<W>(block.kt[v], p.dKt);
      block.kq[v] = less<W>(block.kq[v], p.dKq);
    }
    raise_efficiency_flags(block);
  }
  for (std::size_t v = 0; v < V; ++v)
    block.eta0[v] = typename Lanes<W>::Floats{} + __builtin_nanf("");
}

template <std::size_t W, std::size_t V, void (*Sums)(Block<W, V>&, const PreparedPropeller&),
          GridValues Values>
void evaluate_blocks(const PreparedPropeller& p, const float* J, std::size_t count,
                     OpenWater* out) {
  using Floats = typename Lanes<W>::Floats;
  using Bits = typename Lanes<W>::Bits;
  constexpr std::size_t kBlock = W * V;
  constexpr std::uint32_t kMagnitude = 0x7fffffff;
  Block<W, V> block;
  // The uncorrected eta0 that a single evaluation forms before the correction is formed here
  // too, for its flags: its bits go to a volatile, which keeps the compiler from dropping it.
  Bits seen{};
  for (std::size_t first = 0; first < count; first += kBlock) {
    const std::size_t n = count - first < kBlock ? count - first : kBlock;
    if (n == kBlock) {
      // guard_advance_coefficient lane by lane: |J| < 0.001 (a signalling comparison, as the
      // scalar one) becomes 0.001.
#pragma GCC unroll 16
      for (std::size_t v = 0; v < V; ++v) {
        Floats j;
        __builtin_memcpy(&j, J + first + v * W, sizeof j);
        const Floats magnitude =
            __builtin_bit_cast(Floats, __builtin_bit_cast(Bits, j) & kMagnitude);
        block.j[0][v] =
            magnitude < kLeastAdvanceCoefficient ? kLeastAdvanceCoefficient + Floats{} : j;
      }
    } else {
      const float last = guard_advance_coefficient(J[first + n - 1]);
      for (std::size_t l = 0; l < kBlock; ++l)
        block.j[0][l / W][l % W] = l < n ? guard_advance_coefficient(J[first + l]) : last;
    }
#pragma GCC unroll 16
    for (std::size_t v = 0; v < V; ++v) {
      block.j[1][v] = block.j[0][v] * block.j[0][v];
      block.j[2][v] = block.j[0][v] * block.j[1][v];
    }
    Sums(block, p);
    if constexpr (Values == GridValues::All) {
      for (std::size_t v = 0; v < V; ++v)
        block.eta0[v] = efficiency<W>(block.kt[v], block.kq[v], block.j[0][v]);
      if (p.corrected) {
        for (std::size_t v = 0; v < V; ++v) {
          seen |= __builtin_bit_cast(Bits, block.eta0[v]);
          block.kt[v] = less<W>(block.kt[v], p.dKt);
          block.kq[v] = less<W>(block.kq[v], p.dKq);
          block.eta0[v] = efficiency<W>(block.kt[v], block.kq[v], block.j[0][v]);
        }
      }
    } else {
      without_efficiency<W, V>(block, p);
    }
    write_points(block, p.z, n, out + first);
  }
  std::uint32_t all = 0;
  for (std::size_t lane = 0; lane < W; ++lane) all |= seen[lane];
  volatile std::uint32_t witness = all;
  (void)witness;
  static_assert(sizeof(Floats) == W * sizeof(float));
}

template <std::size_t W, std::size_t V, GridValues Values>
void evaluate_series(Series series, const PreparedPropeller& p, const float* J, std::size_t count,
                     OpenWater* out) {
  switch (series) {
    case Series::WageningenB:
      evaluate_blocks<W, V, b_form_block<kWageningenBThrust, kWageningenBTorque, W, V>, Values>(
          p, J, count, out);
      return;
    case Series::Gawn:
      evaluate_blocks<W, V, b_form_block<kGawnThrust, kGawnTorque, W, V>, Values>(p, J, count, out);
      return;
    case Series::Kca:
      evaluate_blocks<W, V, kca_block<W, V>, Values>(p, J, count, out);
      return;
  }
}

template <std::size_t W, std::size_t V>
void evaluate_lanes(Series series, const PreparedPropeller& p, const float* J, std::size_t count,
                    OpenWater* out, GridValues values) {
  if (values == GridValues::All) {
    evaluate_series<W, V, GridValues::All>(series, p, J, count, out);
  } else {
    evaluate_series<W, V, GridValues::WithoutEfficiency>(series, p, J, count, out);
  }
}

}  // namespace
}  // namespace tidewerk::grid
