// Fuzz target: the study file's reader over arbitrary bytes, and the study of every file it
// reads.  A file either reads or ends with an InputError; a file that reads runs to a record
// (with or without a chosen propeller) and nothing else may happen.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "outputs/study_record.h"
#include "report/run_end.h"
#include "study/study.h"
#include "study/study_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tidewerk;
  StudyInput input;
  try {
    input = read_study(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.toml");
  } catch (const InputError&) {
    return 0;
  }
  const Record record = study_record(input, run_study(input, 1), "fuzz");
  (void)record_json(record);
  (void)study_text(record);
  return 0;
}
