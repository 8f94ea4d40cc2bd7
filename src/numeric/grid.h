// Grids of the sweeps: how many points a grid has and the points themselves.
#pragma once

#include <vector>

#include "numeric/precision.h"

namespace tidewerk {

// Points of a grid from `first` towards `last` in steps of `step`: INT((last - first + step) /
// step), formed in double from the single-precision values (1400 for J 0.1 .. 1.5 by 0.001,
// where the same expression in float would give 1401).
constexpr int grid_count(float first, float last, float step) {
  return static_cast<int>((double{last} - double{first} + double{step}) / double{step});
}

// A grid from `first` towards `last` in steps of `step`.
struct GridSpec {
  float first;
  float last;
  float step;
};

constexpr int grid_count(const GridSpec& g) {
  return grid_count(g.first, g.last, g.step);
}

// The points first, first + step, ...: each the stored sum of the one before and the step, as
// a running loop variable forms them.
inline std::vector<float> accumulated_grid(float first, float step, int count) {
  std::vector<float> grid(count > 0 ? static_cast<std::size_t>(count) : 0);
  float x = first;
  for (float& point : grid) {
    point = x;
    x = single(double{x} + double{step});
  }
  return grid;
}

inline std::vector<float> accumulated_grid(const GridSpec& g) {
  return accumulated_grid(g.first, g.step, grid_count(g));
}

}  // namespace tidewerk
