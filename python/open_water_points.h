// Open-water coefficients of many points whose propeller may change from point to point: the
// evaluation behind tidewerk.open_water in Python.  Consecutive points with the same propeller
// and full-scale conditions go to evaluate_grid together, so every result is bit-identical to
// evaluate() at that point, and a single propeller over many J runs at the speed of the grid.
#pragma once

#include <cstddef>

#include "tidewerk/series.h"

namespace tidewerk::python {

// One input of the points: `stride` 1 for a value per point, 0 for one value shared by all.
struct PointColumn {
  const float* data = nullptr;
  std::size_t stride = 0;
  float at(std::size_t i) const { return data[i * stride]; }
};

struct PointInputs {
  PointColumn J, pd, ear, z;
  bool full_scale = false;  // the ITTC78 conditions D, Va and N below are given
  PointColumn D, Va, N;
};

// Where the results go: one value per point in each array.
struct PointOutputs {
  float* J;  // the J the polynomials used (a magnitude below 0.001 is raised to 0.001)
  float* z;  // the blade number the series used
  float* Kt;
  float* Kq;
  float* eta0;
};

// Evaluates points 0 to count - 1 of `series`.  Returns how many of them the ITTC78
// correction was applied to.  Touches no Python object: it runs without the interpreter lock.
std::size_t evaluate_points(Series series, const PointInputs& in, std::size_t count,
                            const PointOutputs& out);

// From this many points up, evaluate_points_on_threads uses every hardware thread unless told
// otherwise: below it, starting the threads costs more than they save.
inline constexpr std::size_t kPointsForThreads = 1000000;

// evaluate_points with the points split into contiguous parts over `threads` threads (0: one
// per hardware thread from kPointsForThreads points up, one thread below); every value and
// the count returned are those of evaluate_points.  Touches no Python object.
std::size_t evaluate_points_on_threads(Series series, const PointInputs& in, std::size_t count,
                                       const PointOutputs& out, unsigned threads);

}  // namespace tidewerk::python
