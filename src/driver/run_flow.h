// The run flow: the banner, the task file read into a Problem, the case, the closing, and the
// one catch that turns each way a run ends into its ending and exit status.
#pragma once

#include <functional>
#include <istream>
#include <memory>
#include <ostream>
#include <string>

#include "driver/task_file.h"
#include "outputs/record.h"
#include "report/texts.h"

namespace tidewerk {

// Opens the task file; returns null when it cannot be opened (the run then ends with the
// input error "cannot be opened"), or throws InputError with a message of its own.
using TaskFileOpener = std::function<std::unique_ptr<std::istream>()>;

// The streams of a run.
struct RunStreams {
  std::ostream& screen;    // the console
  std::ostream& report;    // the report Tidewerk.Son
  std::istream& keyboard;  // the answers to the questions and pauses
  std::ostream& errors;    // warnings and the message of a run that failed
};

// How a run is set up besides its streams.
struct RunSetup {
  bool quiet = false;                     // no warnings on the error stream
  Language language = Language::Turkish;  // of the screen, the report and the questions
  std::string task_name = kTaskFileName;  // the task file's name in messages
};

// One whole run: writes the banner, reads the task file, runs the case and closes with the
// pause and the stop.  The message of a failed run goes to the error stream, after the screen;
// the report stream holds everything written before the end.  Returns the run's record.
RunRecord run_tidewerk(const RunStreams& streams, const TaskFileOpener& open_task_file,
                       const RunSetup& setup = {});

}  // namespace tidewerk
