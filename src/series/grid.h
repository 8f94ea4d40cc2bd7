// One propeller prepared once and evaluated over blocks of advance coefficients, and
// evaluate_grid on a chosen instruction set (for the tests, which compare every path the
// processor supports, and for the benchmarks).
#pragma once

#include <cstddef>
#include <optional>

#include "series/grid_kernel.h"
#include "series/instruction_set.h"
#include "tidewerk/series.h"

namespace tidewerk {

// The propeller (series, P/D, EAR, Z, full-scale conditions) with the parts of its terms that
// do not depend on J formed once: evaluate() over any blocks of J then gives what
// evaluate_grid gives over them.  Preparing raises the floating-point flags those parts raise.
class GridEvaluator {
 public:
  GridEvaluator(InstructionSet set, Series series, float pd, float ear, float z,
                const Ittc78Conditions* full_scale);
  GridEvaluator(Series series, float pd, float ear, float z, const Ittc78Conditions* full_scale)
      : GridEvaluator(instruction_set_in_use().set, series, pd, ear, z, full_scale) {}

  // Points 0 .. count - 1, as evaluate_grid writes them (eta0 not to be read without it).
  void evaluate(const float* J, std::size_t count, OpenWater* out,
                grid::GridValues values = grid::GridValues::All) const;

 private:
  InstructionSet set_;
  Series series_;
  float pd_, ear_, z_;
  std::optional<Ittc78Conditions> full_scale_;
  bool per_point_correction_ = false;  // the diameter, hence the correction, differs per J
  grid::PreparedPropeller propeller_{};
};

// evaluate_grid with the kernel compiled for `set`, which the processor must support.
void evaluate_grid_with(InstructionSet set, Series series, float pd, float ear, float z,
                        const float* J, std::size_t count, OpenWater* out,
                        const Ittc78Conditions* full_scale,
                        grid::GridValues values = grid::GridValues::All);

}  // namespace tidewerk
