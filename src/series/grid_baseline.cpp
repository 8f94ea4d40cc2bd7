// The grid kernel for every x86-64 processor: SSE2, 4 float lanes.
#include "series/grid_kernel.h"
#include "series/grid_lanes.h"

namespace tidewerk::grid {

static_assert(kBaselineBlock == 4 * 8);

void evaluate_baseline(Series series, const PreparedPropeller& propeller, const float* J,
                       std::size_t count, OpenWater* out, GridValues values) {
  evaluate_lanes<4, 8>(series, propeller, J, count, out, values);
}

}  // namespace tidewerk::grid
