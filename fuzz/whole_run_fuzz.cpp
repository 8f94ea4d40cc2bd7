// Fuzz target: a whole run in-process over a random task file and random keyboard input
// (separated by the first NUL byte).  Every run must end with one of the program's exit
// statuses (with or without the case's result, or an input or arithmetic error), and the
// report never shows "nan" or "inf" as a value.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>

#include "driver/run_flow.h"
#include "report/run_end.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tidewerk;
  const char* text = reinterpret_cast<const char*>(data);
  const void* nul = std::memchr(text, 0, size);
  const std::size_t task_size =
      nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : size;
  const std::string task(text, task_size);
  const std::string keys =
      task_size < size ? std::string(text + task_size + 1, size - task_size - 1) : "";

  std::ostringstream screen, report, errors;
  std::istringstream keyboard(keys);
  const int status = run_tidewerk({screen, report, keyboard, errors}, [&task] {
                       return std::unique_ptr<std::istream>(new std::istringstream(task));
                     }).status;
  if (status != kExitResult && status != kExitNoResult && status != kExitInputError &&
      status != kExitArithmetic)
    std::abort();
  std::istringstream lines(report.str());
  for (std::string word; lines >> word;) {
    if (word == "nan" || word == "-nan" || word == "inf" || word == "-inf") std::abort();
  }
  return 0;
}
