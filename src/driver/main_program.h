// The main program: the whole run in one pass.
#pragma once

#include <functional>
#include <istream>
#include <memory>
#include <ostream>

#include "driver/problem.h"
#include "report/channels.h"
#include "report/run_figures.h"

namespace tidewerk {

// Opens the task file; returns null when it cannot be opened.
using TaskFileOpener = std::function<std::unique_ptr<std::istream>()>;

class TaskFile;

// The case's free-form read: the values of case problem.case_number (1 to 10) into their
// fields, and PQ = PQin * 1000 for the cases that give a power or a torque.  False for any
// other case.
bool read_case_values(Problem& problem, TaskFile& task);

// Writes the banner, reads the task file into `problem`, runs the case and closes the run with
// the pause and the stop.  Ends by throwing RunStopped, InputError, ArithmeticError or
// LayoutError.  With `figures` the case also collects its tables and diagram into it.
void main_program(Problem& problem, Console& io, const TaskFileOpener& open_task_file,
                  RunFigures* figures = nullptr);

// main_program with its ending turned into an exit status; messages of a failed run go to
// `errors`.  The report stream holds everything written before the end.
// With `figures` the cases also collect their tables and diagram into it.
int run_tidewerk(std::ostream& screen, std::ostream& report, std::istream& keyboard,
                 std::ostream& errors, const TaskFileOpener& open_task_file,
                 RunFigures* figures = nullptr);

}  // namespace tidewerk
