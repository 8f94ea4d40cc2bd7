// End-to-end runs of the real program.  Each folder under tests/e2e/runs/ is one run:
//   task.Tsk        the task file (absent: the run has no task file)
//   keyboard.txt    what is typed at the keyboard (absent: nothing)
//   screen.txt      the expected screen text (standard output), checked by hand
//   report.txt      the expected report file Tidewerk.Son, checked by hand
//   status          the expected exit status (absent: 0)
//   stderr.txt      a text the error output must contain (absent: the error output is empty)
//   arguments       the command-line options of the run, on one line (absent: none, the classic
//                   run)
// Set TIDEWERK_REGENERATE=1 to rewrite screen.txt, report.txt and status from the program's
// output after an intended change; then check the differences by hand before committing.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/test_support.h"

namespace fs = std::filesystem;

namespace tidewerk {
namespace {

using testing::read_file;

const fs::path kRuns = fs::path(TIDEWERK_SOURCE_DIR) / "tests" / "e2e" / "runs";

std::vector<std::string> run_names() {
  std::vector<std::string> names;
  if (fs::exists(kRuns)) {
    for (const auto& entry : fs::directory_iterator(kRuns)) {
      if (entry.is_directory()) names.push_back(entry.path().filename().string());
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

void write_file(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

class EndToEnd : public ::testing::TestWithParam<std::string> {};

TEST_P(EndToEnd, ScreenAndReportMatchTheCheckedFiles) {
  const fs::path source = kRuns / GetParam();
  const fs::path work =
      fs::temp_directory_path() / ("tidewerk-e2e-" + GetParam() + "-" + std::to_string(::getpid()));
  fs::remove_all(work);
  fs::create_directories(work);
  if (fs::exists(source / "task.Tsk"))
    fs::copy_file(source / "task.Tsk", work / "Tidewerk_28-03-2020.Tsk");
  const fs::path keyboard =
      fs::exists(source / "keyboard.txt") ? source / "keyboard.txt" : fs::path("/dev/null");

  std::string arguments = read_file((source / "arguments").string());
  while (!arguments.empty() && arguments.back() == '\n') arguments.pop_back();
  const std::string command = "cd '" + work.string() + "' && '" + TIDEWERK_BINARY + "' " +
                              arguments + " < '" + keyboard.string() +
                              "' > screen.out 2> stderr.out";
  const int raw = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(raw)) << "the program did not exit normally";
  const int status = WEXITSTATUS(raw);
  const std::string screen = read_file((work / "screen.out").string());
  const std::string report = read_file((work / "Tidewerk.Son").string());
  const std::string errors = read_file((work / "stderr.out").string());

  if (std::getenv("TIDEWERK_REGENERATE") != nullptr) {
    write_file(source / "screen.txt", screen);
    write_file(source / "report.txt", report);
    if (status != 0) write_file(source / "status", std::to_string(status) + "\n");
  }

  const std::string expected_status = read_file((source / "status").string());
  EXPECT_EQ(status, expected_status.empty() ? 0 : std::stoi(expected_status));
  EXPECT_EQ(screen, read_file((source / "screen.txt").string()));
  EXPECT_EQ(report, read_file((source / "report.txt").string()));
  if (fs::exists(source / "stderr.txt")) {
    std::string wanted = read_file((source / "stderr.txt").string());
    while (!wanted.empty() && wanted.back() == '\n') wanted.pop_back();
    EXPECT_NE(errors.find(wanted), std::string::npos) << errors;
  } else {
    EXPECT_EQ(errors, "");
  }
  // --check on the same task file predicts how the run ends before its case computes.
  EXPECT_EQ(testing::check_against_run(TIDEWERK_BINARY, work.string(), status, errors), "");
  fs::remove_all(work);
}

INSTANTIATE_TEST_SUITE_P(Runs, EndToEnd, ::testing::ValuesIn(run_names()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(EndToEnd);

}  // namespace
}  // namespace tidewerk
