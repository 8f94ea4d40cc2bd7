// Warnings of a run: what the program read or computed that looks like a slip or lies at the
// edge of what it can answer.  Each is written to the error stream as it arises (unless the
// run is quiet), "Tidewerk: warning: <where>: <what>", and kept for the run's JSON.
#pragma once

#include <ostream>
#include <string>
#include <vector>

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

// A real in fixed notation with `decimals` digits after the point, for messages ("900.00").
std::string fixed(double value, int decimals);

}  // namespace tidewerk
