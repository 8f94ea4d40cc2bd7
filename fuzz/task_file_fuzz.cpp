// Fuzz target: the task-file reader over arbitrary bytes.  Every input either reads or ends
// with an InputError; nothing else may happen.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "driver/task_file.h"
#include "driver/task_reading.h"
#include "report/run_end.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tidewerk;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  try {
    TaskFile task(in);
    Warnings warnings;
    TaskReader(task, warnings).read();
  } catch (const InputError&) {
  }
  return 0;
}
