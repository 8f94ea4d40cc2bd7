// The files a run writes besides its report, as the command line asks for them.
#pragma once

#include <filesystem>
#include <string>

#include "driver/main_program.h"
#include "report/run_figures.h"

namespace tidewerk {

struct OutputPlan {
  std::filesystem::path dir;  // folder of the outputs
  std::string stem;           // "Tidewerk", or the task file's name without its last extension
  bool svg = false, csv = false, json = false;
  std::filesystem::path report() const { return dir / (stem + ".Son"); }
};

// Removes what an earlier run of the same stem left of the requested kinds (before the run).
void remove_stale_outputs(const OutputPlan& plan);

// Writes the requested outputs of a finished run (after the run, whatever its ending).
void write_outputs(const OutputPlan& plan, const RunFigures& figures, const RunRecord& record);

}  // namespace tidewerk
