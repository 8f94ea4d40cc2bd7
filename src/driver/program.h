// The program behind main(): the command line, then a run, a template, a check, the help or
// the version.
#pragma once

#include <filesystem>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "driver/options.h"
#include "driver/outputs.h"

namespace tidewerk {

// `arguments` are the command-line arguments after the program's name.  Returns the exit
// status.
int run_program(const std::vector<std::string>& arguments, std::istream& keyboard,
                std::ostream& screen, std::ostream& errors);

// Where a run's files go: beside the task file under its stem, or into --output-dir; the
// classic Tidewerk.Son (stem "Tidewerk") in the working directory without a task file.
OutputPlan output_plan(const Options& options);

// The files beside `given` whose names differ from its name only in letter case or by one
// extension more or less (coaster.Tsk: Coaster.tsk, coaster, coaster.Tsk.txt), in the folder
// as the user gave it, sorted.
std::vector<std::filesystem::path> near_matches(const std::filesystem::path& given);

// Why the task file `given` cannot be read: its absolute path, what is wrong, and the near
// matches ("did you mean ...?").  `classic`: the file was not named on the command line.
std::string unopenable_task_file(const std::filesystem::path& given, bool classic);

}  // namespace tidewerk
