#include "support/test_support.h"

#include <fstream>
#include <memory>

#include "driver/run_flow.h"

namespace tidewerk::testing {

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

RunResult run_in_process(const std::optional<std::string>& task, const std::string& keyboard) {
  std::ostringstream screen, report, errors;
  std::istringstream keys(keyboard);
  RunResult result;
  result.status =
      run_tidewerk({screen, report, keys, errors}, [&task]() -> std::unique_ptr<std::istream> {
        if (!task) return nullptr;
        return std::make_unique<std::istringstream>(*task);
      }).status;
  result.screen = screen.str();
  result.report = report.str();
  result.errors = errors.str();
  return result;
}

std::string task_file(int series, int case_number, const std::string& values) {
  std::string text;
  for (int k = 1; k <= 15; ++k) text += "explanatory line " + std::to_string(k) + "\n";
  text += std::to_string(series) + "\n";
  for (int k = 17; k <= 79; ++k) text += "explanatory line " + std::to_string(k) + "\n";
  text += std::to_string(case_number) + "\n";
  text += values + "\n";
  return text;
}

TestConsole::TestConsole(const std::string& keyboard_text)
    : keyboard(keyboard_text), io(screen, report, keyboard) {}

}  // namespace tidewerk::testing
