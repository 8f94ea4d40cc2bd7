// evaluate_grid on a chosen instruction set: for the tests, which compare every path the
// processor supports, and for the benchmarks.
#pragma once

#include <cstddef>

#include "series/instruction_set.h"
#include "tidewerk/series.h"

namespace tidewerk {

// evaluate_grid with the kernel compiled for `set`, which the processor must support.
void evaluate_grid_with(InstructionSet set, Series series, float pd, float ear, float z,
                        const float* J, std::size_t count, OpenWater* out,
                        const Ittc78Conditions* full_scale);

}  // namespace tidewerk
