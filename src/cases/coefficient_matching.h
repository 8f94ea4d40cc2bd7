// The coefficient-matching cases 1, 2 and 3: the propeller of best efficiency for a load
// coefficient Kt/J^2, Kt/J^4 or Kq/J^5.  The procedures themselves are declared in
// cases/cases.h; this header exposes the building blocks of their common algorithm.
#pragma once

#include <immintrin.h>

#include <bit>
#include <cmath>
#include <vector>

#include "cases/problem.h"
#include "cases/propeller.h"
#include "numeric/grid.h"
#include "numeric/precision.h"

namespace tidewerk::matching {

// Capacity of the J grid of one pitch ratio and of the candidate table.
constexpr int kCapacity = 10000;

// The J grid: 0.1 to about 1.499 in steps of 0.001 (1400 points).
constexpr float kGridFirstJ = 0.1f;
constexpr float kGridLastJ = 1.5f;
constexpr float kGridStepJ = 0.001f;
static_assert(grid_count(kGridFirstJ, kGridLastJ, kGridStepJ) <= kCapacity,
              "the J grid must fit its arrays");

// Pitch ratios swept from PDmin in steps of 0.01 up to PDmax (91 for the Wageningen B series,
// 151 for Gawn, 141 for KCA).
constexpr float kPitchStep = 0.01f;

// Load coefficients from the given values (n = N/60; case 3 takes pi as 4*arctan(1)).
float load_kt_over_j2(const Problem& p);  // T*1000 / (RHO * D^2 * Va^2)
float load_kt_over_j4(const Problem& p);  // n^2 * T*1000 / (RHO * Va^4)
float load_kq_over_j5(const Problem& p);  // n^2 * PQ / (2*pi * RHO * Va^5)

// The ratio of a propeller's own curve that is matched against the load coefficient:
// Kt / J^2, Kt / J^4 or Kq / J^5.
struct Ratio {
  float OpenWater::*coefficient;  // &OpenWater::Kt or &OpenWater::Kq
  double exponent;                // power of J
};

// J^exponent of every grid point, in double, as the ratio divides by it: formed once per case
// rather than at every pitch ratio.
std::vector<double> grid_powers(const std::vector<float>& grid, double exponent);

// quotients[k] = numerator(k) / divisors[k] in double, rounded to float, for k < count; four at
// a time in vector registers, each lane one IEEE double division and one rounding to float, the
// operations of the scalar form, so the same bits.  The four numerators of a step are read
// before its quotients are written.
template <class Numerator>
void rounded_quotients_of(int count, Numerator&& numerator, const double* divisors,
                          float* quotients) {
  using Floats = float __attribute__((vector_size(16)));
  using Doubles = double __attribute__((vector_size(32)));
  int k = 0;
  for (; k + 4 <= count; k += 4) {
    const Floats numerators = {numerator(k), numerator(k + 1), numerator(k + 2), numerator(k + 3)};
    Doubles divisor;
    __builtin_memcpy(&divisor, divisors + k, sizeof divisor);
    const Floats quotient =
        __builtin_convertvector(__builtin_convertvector(numerators, Doubles) / divisor, Floats);
    __builtin_memcpy(quotients + k, &quotient, sizeof quotient);
  }
  for (; k < count; ++k) quotients[k] = single(double{numerator(k)} / divisors[k]);
}

// quotients[k] = numerators[k] / divisors[k], as above.  `quotients` may be `numerators`.
inline void rounded_quotients(int count, const float* numerators, const double* divisors,
                              float* quotients) {
  rounded_quotients_of(
      count, [numerators](int k) { return numerators[k]; }, divisors, quotients);
}

// The index of the first grid point whose J the evaluator raises (|J| below 0.001, or NaN: its
// J is then not the grid's), or the grid's size: formed once per case.
int first_raised_point(const std::vector<float>& grid);

// What a sweep stored: how many points, and their J (the grid's own, unless the evaluator raised
// some of them, then `grid_j`).
struct Swept {
  int stored;
  const float* j;
};

// Sweeps the J grid (`count` points of `grid`, with `powers` from grid_powers and `raised_from`
// from first_raised_point) at one pitch ratio: evaluates the series at each point and stores the
// ratio in `ratio_values`, until the grid ends or Kt turns negative (that point is not stored;
// Kt = 0 is).  `work` holds `count` points.
Swept sweep_advance_grid(const Propeller& propeller, float pd, const Ratio& ratio,
                         const float* grid, const double* powers, int count, int raised_from,
                         OpenWater* work, float* ratio_values, float* grid_j);

// Calls on_crossing(J) for every stored pair (i, i+1) with R(i) >= K >= R(i+1), in ascending
// order, with J interpolated linearly against R between the two points.  A point whose ratio
// equals K exactly takes part in two crossings.
//
// Four pairs are compared at a time: with none of their five ratios NaN the comparisons raise
// no flag, one at a time or four.  Four pairs with a NaN (and a NaN K) are compared one by one,
// as ever, so that an invalid operation is raised where it was, between the rows written
// before and after it.
template <class OnCrossing>
void for_each_crossing(int count, const float* ratio_values, const float* grid_j, float K,
                       OnCrossing&& on_crossing) {
  const auto crossing = [&](int i) {
    const float slope = single((double{grid_j[i + 1]} - double{grid_j[i]}) /
                               (double{ratio_values[i + 1]} - double{ratio_values[i]}));
    on_crossing(single((double{K} - double{ratio_values[i]}) * double{slope} + double{grid_j[i]}));
  };
  const auto one_pair = [&](int i) {
    if (ratio_values[i] >= K && ratio_values[i + 1] <= K) crossing(i);
  };
  int i = 0;
  if (!std::isnan(K)) {
    const __m128 k = _mm_set1_ps(K);
    for (; i + 4 < count; i += 4) {
      const __m128 first = _mm_loadu_ps(ratio_values + i);
      const __m128 second = _mm_loadu_ps(ratio_values + i + 1);
      if (_mm_movemask_ps(
              _mm_or_ps(_mm_cmpunord_ps(first, first), _mm_cmpunord_ps(second, second))) != 0) {
        for (int pair = i; pair < i + 4; ++pair) one_pair(pair);
        continue;
      }
      for (int pairs =
               _mm_movemask_ps(_mm_cmpge_ps(first, k)) & _mm_movemask_ps(_mm_cmple_ps(second, k));
           pairs != 0; pairs &= pairs - 1) {
        crossing(i + std::countr_zero(static_cast<unsigned>(pairs)));
      }
    }
  }
  for (; i + 1 < count; ++i) one_pair(i);
}

// The selected row (numbered from 1) of a candidate table of `rows` >= 1 efficiencies: the
// highest eta0 compared in truncated thousandths, the earliest row among equals.
int select_row(int rows, const float* eta0);

}  // namespace tidewerk::matching
