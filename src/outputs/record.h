// The record of a run: what it read, how it ended, and its outcome (tables, result values,
// diagram) and warnings.  Built once by the driver when a run ends; the writers of this folder
// (CSV, JSON, SVG) and the Python module read it, each walking it once.  Nothing in it is
// particular to one kind of run: a run without a task file, series or case leaves those empty.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report/outcome.h"
#include "report/warnings.h"

namespace tidewerk {

// How a run ended; each ending has its exit status.
enum class Ending {
  Result,           // 0: the run produced its result
  NoResult,         // 5: the run ended without its result (the reason says why)
  InputError,       // 1: input (or an output file) that cannot be read or written
  ArithmeticError,  // 3: a division by zero, an invalid operation or an overflow
  InternalError,    // 4: a fault of the program
};

// "result", "no result", "input error", "arithmetic error", "internal error".
std::string_view ending_text(Ending ending);

// The exit status of an ending: 0, 5, 1, 3, 4.
int exit_status(Ending ending);

// A numbered choice read from the input (the series of line 16, the case of line 80).
struct NumberedChoice {
  int number = 0;
  std::optional<std::string> name;  // "Wageningen B", the case's title; none for an unknown number
  int line = 0;                     // the line of the input it was read from
};

// A value read from the input, with what it means.
struct InputValue {
  std::string symbol;   // "T"
  std::string unit;     // "kN"; empty for a ratio or a count
  std::string meaning;  // "required thrust"
  bool integer = false;
  float real = 0;    // the value, when it is a real
  int whole = 0;     // the value, when it is an integer
  std::string text;  // the token as read
  int line = 0;      // the line of the input it was read from
};

struct RunRecord {
  std::string program = "Tidewerk";
  std::string version;                   // "0.1.0 (revision abc1234)"
  std::string task_file;                 // the input's name as given
  bool task_opened = false;              // the input was found and opened
  std::optional<NumberedChoice> series;  // line 16, once read
  std::optional<NumberedChoice> choice;  // the case of line 80, once read
  std::vector<InputValue> values;        // the case's values as read, in order
  std::vector<std::string> keyboard;     // the keyboard lines the run took, in order (the first
                                         // 1,000)
  std::size_t keyboard_not_kept = 0;     // keyboard lines taken after those
  Outcome outcome;                       // tables, result values and diagram, as far as it got
  std::vector<Warning> warnings;
  Ending ending = Ending::InternalError;
  std::string reason;  // why, for every ending but Result
  int status = -1;     // the exit status
};

}  // namespace tidewerk
