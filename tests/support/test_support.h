// Shared helpers of the test suite.
#pragma once

#include <optional>
#include <sstream>
#include <string>

#include "cases/problem.h"
#include "report/channels.h"
#include "report/warnings.h"

namespace tidewerk::testing {

// Reads a whole file; empty string when it cannot be opened.
std::string read_file(const std::string& path);

// A whole run in-process against string streams.
struct RunResult {
  std::string screen;
  std::string report;
  std::string errors;
  int status = -1;
};
// `task` is the task file's text, or nullopt for a missing task file.
RunResult run_in_process(const std::optional<std::string>& task, const std::string& keyboard = "");

// A task file: 15 lines of text, the series, 63 lines of text, the case and `values`.
std::string task_file(int series, int case_number, const std::string& values);

// Channels over string streams for running one procedure in a test.
// A sink for the warnings of cases run directly in a test: kept, never printed.
inline Warnings& quiet_warnings() {
  static Warnings warnings;
  return warnings;
}

struct TestConsole {
  explicit TestConsole(const std::string& keyboard_text = "");
  std::ostringstream screen;
  std::ostringstream report;
  std::istringstream keyboard;
  Console io;
};

// Runs `binary --check` in `folder` (on its Tidewerk_28-03-2020.Tsk) and compares its status
// and message with those of the run made there, which ended with `run_status` and wrote
// `run_errors`: --check must give the run's status and its closing message where the run ends
// while reading the task file (1) or stops before computing (5), and 0 otherwise.  Returns ""
// when they agree, or what differs.
std::string check_against_run(const std::string& binary, const std::string& folder, int run_status,
                              const std::string& run_errors);

}  // namespace tidewerk::testing
