// The grid kernel behind evaluate_grid (series/grid.cpp), on the points J[0 .. count - 1].
#pragma once

#include <cstddef>

#include "tidewerk/series.h"

namespace tidewerk {

// out[i] bit-identical to evaluate() at J[i] for i < count; `full_scale` may be null.
void evaluate_grid_points(Series series, float pd, float ear, float z, const float* J,
                          std::size_t count, OpenWater* out, const Ittc78Conditions* full_scale);

}  // namespace tidewerk
