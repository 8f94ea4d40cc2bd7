// Fuzz target: the task-file reader over arbitrary bytes.  Every input either reads or ends
// with an InputError; nothing else may happen.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "driver/main_program.h"
#include "driver/task_file.h"
#include "report/run_end.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tidewerk;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  Problem problem;
  try {
    TaskFile task(in);
    task.skip_lines(15, "the top lines");
    task.read({integer_target("series", problem.series_number)});
    task.skip_lines(63, "the middle lines");
    task.read({integer_target("case", problem.case_number)});
    read_case_values(problem, task);
  } catch (const InputError&) {
  }
  return 0;
}
