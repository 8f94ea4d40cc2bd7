#include "support/test_support.h"

#include <sys/wait.h>

#include <cstdlib>
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

namespace {

// The last line of an error output that ends a run ("Tidewerk: input error: ..."); "" if none.
std::string closing_message(const std::string& errors) {
  std::string last;
  std::istringstream lines(errors);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("Tidewerk: ", 0) == 0 && line.rfind("Tidewerk: warning: ", 0) != 0) last = line;
  }
  return last;
}

// The run stopped before its case computed anything: the reasons the run gives then.
bool stopped_before_computing(const std::string& message) {
  for (const char* reason : {"Tidewerk: no result: the series on line 16 is",
                             "Tidewerk: no result: the blade-area ratio",
                             "Tidewerk: no result: the bollard-pull case does not take"}) {
    if (message.rfind(reason, 0) == 0) return true;
  }
  return message.rfind("Tidewerk: no result: line ", 0) == 0 &&
         message.find(" holds case ") != std::string::npos;
}

}  // namespace

std::string check_against_run(const std::string& binary, const std::string& folder, int run_status,
                              const std::string& run_errors) {
  const std::string command =
      "cd '" + folder + "' && '" + binary + "' --check > check.out 2> check.err < /dev/null";
  const int raw = std::system(command.c_str());
  if (!WIFEXITED(raw)) return "--check did not exit normally";
  const int status = WEXITSTATUS(raw);
  const std::string ran = closing_message(run_errors);
  const bool task_file_fault =
      run_status == 1 && ran.rfind("Tidewerk: input error: task file", 0) == 0;
  const bool before = run_status == 5 && stopped_before_computing(ran);
  const int expected = task_file_fault || before ? run_status : 0;
  std::string differs;
  if (status != expected) {
    differs = "--check exits " + std::to_string(status) + ", the run " +
              std::to_string(run_status) + " (" + ran + ")";
  } else if (status != 0) {
    const std::string checked = closing_message(read_file(folder + "/check.err"));
    if (checked != ran) differs = "--check says \"" + checked + "\", the run \"" + ran + "\"";
  }
  return differs;
}

}  // namespace tidewerk::testing
