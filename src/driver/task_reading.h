// Reading a task file as a run does: the 15 head lines skipped, the series (line 16), the 63
// free lines skipped, the case number (line 80) and, for a case 1 to 10, its values; with the
// read-time warnings.  The one place where line 16's number becomes a Series.
#pragma once

#include <optional>

#include "cases/problem.h"
#include "driver/task_file.h"
#include "report/free_form.h"
#include "report/warnings.h"
#include "tidewerk/series.h"

namespace tidewerk {

// What was read of a task file, as far as the reading got.
struct TaskRead {
  int series_number = 0;         // line 16 as read: 1 Wageningen B, 2 Gawn, 3 KCA, else unknown
  std::optional<Series> series;  // the series of series_number, when there is one
  Problem problem;               // the case number and the case's values, the series resolved
  ReadRecord series_line;        // line 16 as read (empty until it is)
  ReadRecord case_line;          // line 80 as read (empty until it is)
  ReadRecord values;             // the case's values as read (empty until they are)
};

// The case's free-form read: the values of case problem.case_number (1 to 10) into their
// fields of `problem`, and PQ = PQin * 1000 for the cases that give a power or a torque.
// Returns what was read; nothing is read for any other case number.
ReadRecord read_case_values(Problem& problem, TaskFile& task);

// Reads a task file step by step; what was read stays readable when a step throws.
class TaskReader {
 public:
  // The warnings of the reading go to `warnings`.
  TaskReader(TaskFile& task, Warnings& warnings) : task_(task), warnings_(warnings) {}

  // Reads the task as a run does; the read-time warnings (a decimal comma, more than one number
  // or a number out of range on line 16 or 80, IVISC, Z, RHO, zero or negative dimensions)
  // go to the warnings.  False when the case number is outside 1 to 10: nothing after line 80
  // is read.  Throws InputError when the file ends early or holds text where a number belongs.
  bool read();

  // What was read so far.
  const TaskRead& progress() const { return read_; }

 private:
  TaskFile& task_;
  Warnings& warnings_;
  TaskRead read_;
};

}  // namespace tidewerk
