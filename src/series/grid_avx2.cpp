// The grid kernel for AVX2: 8 float lanes.  Fused multiply-add is not enabled (nor would
// -ffp-contract=off let the compiler fuse): every product is rounded before it is added.
#include "series/grid_kernel.h"

// Every function defined from here on is compiled for the instruction set (GCC or Clang).
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

#include "series/grid_lanes.h"

namespace tidewerk::grid {

static_assert(kAvx2Block == 8 * 4);

void evaluate_avx2(Series series, const PreparedPropeller& propeller, const float* J,
                   std::size_t count, OpenWater* out, GridValues values) {
  evaluate_lanes<8, 4>(series, propeller, J, count, out, values);
}

}  // namespace tidewerk::grid

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif
