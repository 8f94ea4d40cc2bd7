// The files a run writes besides its report, when asked on the command line: the diagram
// (<stem>.svg), one file of comma-separated values per table (<stem>.<table>.csv) and the
// run's record (<stem>.json).  Each is written whole under a temporary name and then renamed,
// and those of an earlier run of the same stem are removed before the run: a folder never
// holds a new report beside an old table or diagram.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "driver/main_program.h"  // RunRecord
#include "report/run_figures.h"   // RunFigures

namespace tidewerk {

struct OutputPlan {
  std::filesystem::path dir;  // folder of the outputs
  std::string stem;           // "Tidewerk", or the task file's name without its last extension
  bool svg = false, csv = false, json = false;
  std::filesystem::path report() const { return dir / (stem + ".Son"); }
};

// Writes each file under a temporary name in its folder and renames them all once every one is
// complete.  A file that cannot be written leaves none of them; throws std::runtime_error
// naming it.
void write_whole(const std::vector<std::pair<std::filesystem::path, std::string>>& files);

// The run's JSON record as text, as <stem>.json holds it.
std::string run_json_text(const RunFigures& figures, const RunRecord& record);

// Removes what an earlier run of the same stem left of the requested kinds (before the run).
// Throws std::runtime_error naming the file that cannot be removed.
void remove_stale_outputs(const OutputPlan& plan);

// Writes the requested outputs of a finished run (after the run, whatever its ending): the
// diagram when the run drew one, the tables it collected, and its JSON once the task file was
// found.  Throws std::runtime_error naming the file that cannot be written.
void write_outputs(const OutputPlan& plan, const RunFigures& figures, const RunRecord& record);

}  // namespace tidewerk
