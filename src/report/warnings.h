// Warnings of a run: what the program read or computed that looks like a slip or lies at the
// edge of what it can answer.  Each is written to the error stream as it arises (unless the
// run is quiet), "Tidewerk: warning: <where>: <what>", and kept for the run's JSON.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "report/free_form.h"

namespace tidewerk {

struct Warning {
  std::string where;  // "task file coaster.Tsk, line 81", "keyboard input, line 2", "case 8"
  std::string what;
};

class Warnings {
 public:
  // Warnings go to `errors`, or nowhere when `errors` is null (--quiet); they are kept either way.
  explicit Warnings(std::ostream* errors = nullptr) : errors_(errors) {}

  void add(std::string where, std::string what);
  const std::vector<Warning>& all() const { return all_; }

 private:
  std::ostream* errors_;
  std::vector<Warning> all_;
};

// A warning for each decimal comma ("3,5") in the lines of one free-form read of `source`
// ("task file coaster.Tsk", "keyboard input"): the free-form rules read it as two values.
void warn_decimal_commas(Warnings& warnings, const std::string& source, const ReadRecord& record);

// A real in fixed notation with `decimals` digits after the point, for messages ("900.00").
std::string fixed(double value, int decimals);

}  // namespace tidewerk
