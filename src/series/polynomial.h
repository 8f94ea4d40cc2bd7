// Building blocks of the series polynomials: the term types of the coefficient tables, the
// integer power by square-and-multiply, and the single-precision sums over a table.
//
// Every operation here is a float operation whose result is rounded to single precision:
// the printed digits of every case depend on it.  Integer powers are never formed by pow().
#pragma once

#include <cfloat>
#include <cmath>
#include <cstddef>

#include "numeric/precision.h"

// With FLT_EVAL_METHOD 0 a float product or sum is rounded to float as it is formed; an x87
// build (FLT_EVAL_METHOD 2) would keep partial products in extended precision.
static_assert(FLT_EVAL_METHOD == 0, "float arithmetic must be evaluated in single precision");

namespace tidewerk {

// One term C * J^s * (P/D)^t * EAR^u * Z^v of a Wageningen B or Gawn table.
struct SeriesTerm {
  float c;  // coefficient
  int s;    // power of J
  int t;    // power of P/D
  int u;    // power of EAR
  int v;    // power of Z
};

// One term (10^p * M) * J^s * (P/D)^t * EAR^u of a KCA table.
struct KcaTerm {
  float mantissa;  // M
  int p;           // power of ten (0, -2 or -3)
  int s;           // power of J
  int t;           // power of P/D
  int u;           // power of EAR
};

// x^n by square-and-multiply in single precision: the result starts at 1; while n > 0, an
// odd n multiplies the result by the base, n is halved, and a non-zero n squares the base.
// x^0 = 1 (also for x = 0).  A negative n first replaces the base by its rounded reciprocal.
constexpr float integer_power(float x, int n) {
  if (n < 0) {
    x = 1.0f / x;
    n = -n;
  }
  float result = 1.0f;
  while (n > 0) {
    if (n % 2 != 0) result *= x;
    n /= 2;
    if (n != 0) x *= x;
  }
  return result;
}

// The powers x^0 .. x^N of one base, each formed by integer_power: the same products as
// forming the power afresh for every term, computed once per evaluation.
template <int N>
struct PowerLadder {
  float of[N + 1];
  explicit PowerLadder(float x) : of{} {
    for (int n = 0; n <= N; ++n) of[n] = integer_power(x, n);
  }
};

// Highest exponents the polynomial sums accept (J^3, (P/D)^6, EAR^2, Z^2).
inline constexpr int kMaxPowerJ = 3;
inline constexpr int kMaxPowerPD = 6;
inline constexpr int kMaxPowerEAR = 2;
inline constexpr int kMaxPowerZ = 2;

// The powers of the four variables at one operating point.
struct TermPowers {
  PowerLadder<kMaxPowerJ> j;
  PowerLadder<kMaxPowerPD> pd;
  PowerLadder<kMaxPowerEAR> ear;
  PowerLadder<kMaxPowerZ> z;
  TermPowers(float j_value, float pd_value, float ear_value, float z_value)
      : j(j_value), pd(pd_value), ear(ear_value), z(z_value) {}
};

template <std::size_t N>
constexpr bool exponents_in_range(const SeriesTerm (&table)[N]) {
  for (const SeriesTerm& term : table) {
    if (term.s < 0 || term.s > kMaxPowerJ || term.t < 0 || term.t > kMaxPowerPD || term.u < 0 ||
        term.u > kMaxPowerEAR || term.v < 0 || term.v > kMaxPowerZ)
      return false;
  }
  return true;
}

template <std::size_t N>
constexpr bool exponents_in_range(const KcaTerm (&table)[N]) {
  for (const KcaTerm& term : table) {
    if (term.s < 0 || term.s > kMaxPowerJ || term.t < 0 || term.t > kMaxPowerPD || term.u < 0 ||
        term.u > kMaxPowerEAR)
      return false;
  }
  return true;
}

// Sum of a Wageningen B or Gawn table in table order, term 1 first.  Each term is
// ((((Z^v * EAR^u) * (P/D)^t) * J^s) * C), every product rounded to float.  The loop is
// unrolled so that the exponents become constants; the arithmetic is unchanged.
template <std::size_t N>
inline float sum_series_terms(const SeriesTerm (&table)[N], const TermPowers& x) {
  float sum = 0.0f;
#pragma GCC unroll 64
  for (std::size_t i = 0; i < N; ++i) {
    const SeriesTerm& term = table[i];
    float product = x.z.of[term.v] * x.ear.of[term.u];
    product = product * x.pd.of[term.t];
    product = product * x.j.of[term.s];
    product = product * term.c;
    sum += product;
  }
  return sum;
}

// A KCA term with its scale 10^p * M formed once: the same single-precision product
// integer_power(10, p) * M, evaluated when the program is compiled.
struct KcaScaledTerm {
  float scale;  // 10^p * M
  int s;
  int t;
  int u;
};

template <std::size_t N>
struct KcaScaledTable {
  KcaScaledTerm terms[N];
};

template <std::size_t N>
constexpr KcaScaledTable<N> scale_kca_table(const KcaTerm (&table)[N]) {
  KcaScaledTable<N> scaled{};
  for (std::size_t i = 0; i < N; ++i) {
    const KcaTerm& term = table[i];
    scaled.terms[i] = {integer_power(10.0f, term.p) * term.mantissa, term.s, term.t, term.u};
  }
  return scaled;
}

// Order of the factors after the scale in a KCA term.
enum class KcaOrder {
  thrust,  // (10^p * M) * J^s * (P/D)^t * EAR^u
  torque,  // (10^p * M) * (P/D)^t * EAR^u * J^s
};

// Sum of a scaled KCA table in table order, term 1 first, every product rounded to float.
template <KcaOrder Order, std::size_t N>
inline float sum_kca_terms(const KcaScaledTable<N>& table, const TermPowers& x) {
  float sum = 0.0f;
#pragma GCC unroll 64
  for (std::size_t i = 0; i < N; ++i) {
    const KcaScaledTerm& term = table.terms[i];
    float product = term.scale;
    if constexpr (Order == KcaOrder::thrust) {
      product = product * x.j.of[term.s];
      product = product * x.pd.of[term.t];
      product = product * x.ear.of[term.u];
    } else {
      product = product * x.pd.of[term.t];
      product = product * x.ear.of[term.u];
      product = product * x.j.of[term.s];
    }
    sum += product;
  }
  return sum;
}

// J guard of every series: a J of magnitude below 0.001 becomes 0.001.
inline constexpr float kLeastAdvanceCoefficient = 0.001f;

inline float guard_advance_coefficient(float J) {
  return std::fabs(J) < kLeastAdvanceCoefficient ? kLeastAdvanceCoefficient : J;
}

// 2 pi as the efficiency divides by it: the float 6.2831855, widened to double.
inline constexpr float kTwoPi = 6.2831855f;

// Open-water efficiency (Kt / Kq) * J / 2 pi, evaluated in double and stored as float.
// Kq = 0 is divided by as it stands.
inline float open_water_efficiency(float kt, float kq, float j) {
  return single(double{kt} / double{kq} * double{j} / double{kTwoPi});
}

}  // namespace tidewerk
