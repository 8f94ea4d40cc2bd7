// What grid.cpp hands to the kernel of one instruction set: the parts of the terms that do not
// depend on J, formed once per propeller, and the hoisted ITTC78 correction.  The kernels
// (grid_baseline.cpp, grid_avx2.cpp, grid_avx512.cpp) share grid_lanes.h and give the same
// bits; this header brings in everything grid_lanes.h uses, so that the kernels include it
// before their instruction-set region.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "series/gawn.h"
#include "series/kca.h"
#include "series/polynomial.h"
#include "series/wageningen_b.h"
#include "tidewerk/series.h"

namespace tidewerk::grid {

// The longest table (the Wageningen B torque polynomial).
inline constexpr std::size_t kMaxTerms = 47;
static_assert(std::size(kWageningenBThrust) <= kMaxTerms &&
              std::size(kWageningenBTorque) <= kMaxTerms && std::size(kGawnThrust) <= kMaxTerms &&
              std::size(kGawnTorque) <= kMaxTerms &&
              std::size(kKcaThrustScaled.terms) <= kMaxTerms &&
              std::size(kKcaTorqueScaled.terms) <= kMaxTerms);

// One propeller of a grid.  The heads, term by term in table order (see grid.cpp):
//   Wageningen B, Gawn  A = (Z^v * EAR^u) * (P/D)^t, or A * C for a term without J
//   KCA thrust          (scale * (P/D)^t) * EAR^u for a term without J (others unused)
//   KCA torque          (scale * (P/D)^t) * EAR^u
struct PreparedPropeller {
  float thrust_head[kMaxTerms];
  float torque_head[kMaxTerms];
  float pd_power[kMaxPowerPD + 1];    // (P/D)^0 .. (P/D)^6, for the KCA thrust terms with J
  float ear_power[kMaxPowerEAR + 1];  // EAR^0 .. EAR^2, likewise
  float z;                            // the blade number the series used, given with each point
  bool corrected;                     // the same dKt and dKq at every point
  double dKt;                         // ITTC78 corrections, when `corrected`
  double dKq;
};

// Points evaluated together by each kernel: a whole number of its vectors, enough independent
// sums to keep its adders busy, and few enough that the sums and the powers of J stay in the
// registers (16 of SSE2 and AVX2, 32 of AVX-512).  A sweep evaluates blocks of at least the
// longest.
inline constexpr std::size_t kBaselineBlock = 32;
inline constexpr std::size_t kAvx2Block = 32;
inline constexpr std::size_t kAvx512Block = 128;

// What a grid evaluation forms: every value, or every value but eta0, for a sweep that reads only
// Kt or Kq (its two double divisions a point are a quarter of the kernel's time).  Without the
// efficiency, eta0 is not to be read; the floating-point flags raised are the same either way.
enum class GridValues { All, WithoutEfficiency };

// J (guarded), the blade number, Kt, Kq and eta0 of points 0 .. count - 1, with the hoisted
// correction when `corrected`: each the same bits as evaluate() without a per-point diameter.
// The floating-point flags raised are those of the points.
void evaluate_baseline(Series series, const PreparedPropeller& propeller, const float* J,
                       std::size_t count, OpenWater* out, GridValues values);
void evaluate_avx2(Series series, const PreparedPropeller& propeller, const float* J,
                   std::size_t count, OpenWater* out, GridValues values);
void evaluate_avx512(Series series, const PreparedPropeller& propeller, const float* J,
                     std::size_t count, OpenWater* out, GridValues values);

}  // namespace tidewerk::grid
