// A run from the command line: the task file opened from disk, the report written under a
// temporary name and renamed when the run ends, the outputs asked for written whole; and the
// one catch where any file that cannot be created, written or removed ends the program.
#pragma once

#include <filesystem>
#include <fstream>
#include <istream>
#include <memory>
#include <ostream>
#include <string>

#include "driver/options.h"

namespace tidewerk {

// Runs the task file of `options` with its report and outputs on disk.  Returns the exit
// status: the run's own, or 1 when a file cannot be written (the run's status when that was
// already an error), with the message on `errors` and no partial file left.
int run_to_files(const Options& options, std::istream& keyboard, std::ostream& screen,
                 std::ostream& errors);

// The task file of `options` as it is opened and named in messages.
struct TaskLocation {
  std::filesystem::path path;  // as given, or the classic name
  std::string name;            // for messages: as the user gave it
  bool classic;                // not named on the command line
};
TaskLocation task_location(const Options& options);

// The task file opened for reading; null when it cannot be opened or is a folder.
std::unique_ptr<std::ifstream> open_task(const std::filesystem::path& path);

}  // namespace tidewerk
