// The main program: the whole run in one pass.
#pragma once

#include <functional>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "driver/problem.h"
#include "driver/task_file.h"
#include "report/channels.h"
#include "report/run_figures.h"
#include "report/warnings.h"

namespace tidewerk {

// Opens the task file; returns null when it cannot be opened (the run then ends with the
// input error "cannot be opened"), or throws InputError with a message of its own.
using TaskFileOpener = std::function<std::unique_ptr<std::istream>()>;

// What the main program read from the task file: line 16, line 80 and the case's values.
struct TaskRead {
  bool opened = false;  // the task file was found and opened
  ReadRecord series_line;
  ReadRecord case_line;
  ReadRecord values;
};

// The case's free-form read: the values of case problem.case_number (1 to 10) into their
// fields, and PQ = PQin * 1000 for the cases that give a power or a torque; what was read goes
// to `record`.  False for any other case.
bool read_case_values(Problem& problem, TaskFile& task, ReadRecord* record = nullptr);

// Reads a task file as a run does: skips the 15 head lines, reads the series (line 16), skips
// the 63 free lines, reads the case number (line 80) and, for a case 1 to 10, its values.  What
// was read goes to `problem` and `read`; the read-time warnings (a decimal comma, more than one
// number or a number out of range on line 16 or 80, IVISC, Z, RHO, zero or negative dimensions)
// go to `warnings`.  False when the case number is outside 1 to 10: nothing after line 80 is
// read.  Throws InputError when the file ends early or holds text where a number belongs; what
// was read before stays in `read`.
bool read_task(Problem& problem, TaskFile& task, Warnings& warnings, TaskRead& read);

// Writes the banner, reads the task file into `problem` (and what it read into `read`), runs
// the case and closes the run with the pause and the stop.  Ends by throwing RunStopped (with
// the reason when the case produced no result), InputError, ArithmeticError or LayoutError.
void main_program(Problem& problem, Console& io, const TaskFileOpener& open_task_file,
                  RunFigures* figures, Warnings& warnings, TaskRead* read = nullptr,
                  const std::string& task_name = kTaskFileName);

// How a run is set up besides its streams.
struct RunSetup {
  bool quiet = false;                     // no warnings on the error stream
  Language language = Language::Turkish;  // of the screen, the report and the questions
  std::string task_name = kTaskFileName;  // the task file's name in messages
};

// What a run read and how it ended.
struct RunRecord {
  std::string task_file;  // the task file's name as given
  Problem problem;
  TaskRead read;
  KeyboardLog keyboard;  // the keyboard lines the run took, in order (the first 1,000)
  std::vector<Warning> warnings;
  std::string ending;  // "result", "no result", "input error", "arithmetic error", "internal error"
  std::string reason;  // why, for every ending but "result"
  int status = -1;     // the exit status
};

// main_program with its ending turned into an exit status; messages of a failed run go to
// `errors`, after the screen.  The report stream holds everything written before the end.
// With `figures` the cases also collect their tables and diagram into it.
int run_tidewerk(std::ostream& screen, std::ostream& report, std::istream& keyboard,
                 std::ostream& errors, const TaskFileOpener& open_task_file,
                 RunFigures* figures = nullptr, const RunSetup& setup = {},
                 RunRecord* record = nullptr);

}  // namespace tidewerk
