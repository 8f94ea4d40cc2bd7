// The files policy of a run: where its report and outputs go and under which names (the
// report <stem>.Son, the diagram <stem>.svg, a table <stem>.<table>.csv, the record
// <stem>.json), the removal of an earlier run's outputs, the all-or-nothing writing, and the
// task file's near matches when it cannot be opened.  Every failure throws OutputError naming
// the file.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "driver/options.h"
#include "outputs/outputs.h"

namespace tidewerk {

struct OutputPlan {
  std::filesystem::path dir;  // folder of the outputs
  std::string stem;           // "Tidewerk", or the task file's name without its last extension
  OutputKinds kinds;          // the outputs asked for besides the report
  std::filesystem::path report() const { return dir / (stem + ".Son"); }
};

// Where a run's files go: beside the task file under its stem, or into --output-dir; the
// classic Tidewerk.Son (stem "Tidewerk") in the working directory without a task file.
OutputPlan output_plan(const Options& options);

// Makes the output folder when it is missing.  Throws OutputError when it cannot.
void make_output_folder(const OutputPlan& plan);

// Throws OutputError when the report would replace the task file `task` (named `task_name`).
void guard_task_file(const OutputPlan& plan, const std::filesystem::path& task,
                     const std::string& task_name);

// Removes what an earlier run of the same stem left of the requested kinds (before the run).
// Throws OutputError naming the file that cannot be removed.
void remove_stale_outputs(const OutputPlan& plan);

// Writes each file under a temporary name in its folder and renames them all once every one is
// complete.  A file that cannot be written leaves none of them; throws OutputError naming it.
void write_whole(const std::vector<std::pair<std::filesystem::path, std::string>>& files);

// Writes the requested outputs of a finished record (after the run, whatever its ending).
void write_outputs(const OutputPlan& plan, const RunRecord& record);

// The files beside `given` whose names differ from its name only in letter case or by one
// extension more or less (coaster.Tsk: Coaster.tsk, coaster, coaster.Tsk.txt), in the folder
// as the user gave it, sorted.
std::vector<std::filesystem::path> near_matches(const std::filesystem::path& given);

// Why the task file `given` cannot be read: its absolute path, what is wrong, and the near
// matches ("did you mean ...?").  `classic`: the file was not named on the command line.
std::string unopenable_task_file(const std::filesystem::path& given, bool classic);

}  // namespace tidewerk
