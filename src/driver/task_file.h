// The task file Tidewerk_28-03-2020.Tsk: explanatory lines skipped by count, numbers read
// free-form.
#pragma once

#include <istream>
#include <string>
#include <string_view>

#include "report/free_form.h"

namespace tidewerk {

inline constexpr const char* kTaskFileName = "Tidewerk_28-03-2020.Tsk";
inline constexpr const char* kReportFileName = "Tidewerk.Son";

class TaskFile {
 public:
  // `name` names the file in messages ("task file coaster.Tsk").
  explicit TaskFile(std::istream& in, const std::string& name = kTaskFileName)
      : reader_(in, "task file " + name) {}

  // Reads `count` lines (records of up to 80 characters; a longer line is consumed whole) and
  // discards them.  `what` names the lines in the message when the file ends first.
  void skip_lines(int count, std::string_view what);

  // One free-form read of the listed values.
  ReadRecord read(std::initializer_list<ReadTarget> targets) { return reader_.read(targets); }
  ReadRecord read(const ReadTarget* targets, std::size_t count) {
    return reader_.read(targets, count);
  }

  // "task file <name>", for messages.
  const std::string& source() const { return reader_.source(); }

 private:
  FreeFormReader reader_;
};

}  // namespace tidewerk
