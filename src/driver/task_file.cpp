#include "driver/task_file.h"

#include "report/run_end.h"

namespace tidewerk {

void TaskFile::skip_lines(int count, std::string_view what) {
  std::string record;
  for (int k = 0; k < count; ++k) {
    if (!reader_.next_line(record)) {
      throw InputError(reader_.source() + ": the file ends after line " +
                       std::to_string(reader_.line_number()) + ", within " + std::string(what) +
                       " (a task file has 79 lines of text before the case number)");
    }
  }
}

}  // namespace tidewerk
