// The propulsion study of the Holtrop-Mennen example ship (examples/): in-process (read, the
// six candidates, the speed-power table, the engine match, the record and the text report), on
// one thread and on two; and as whole processes, `tidewerk study` beside `tidewerk --version`,
// the cost of starting the program at all.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "outputs/study_record.h"
#include "study/study.h"
#include "study/study_file.h"

extern char** environ;

namespace {

const std::string kExample =
    std::string(TIDEWERK_SOURCE_DIR) + "/examples/study_holtrop_mennen_ship.toml";

std::string example_text() {
  std::ifstream in(kExample);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void BM_Study_InProcess(benchmark::State& state) {
  const std::string text = example_text();
  const auto jobs = static_cast<unsigned>(state.range(0));
  for (auto _ : state) {
    const tidewerk::StudyInput input = tidewerk::read_study(text, "study.toml");
    const tidewerk::Record record =
        tidewerk::study_record(input, tidewerk::run_study(input, jobs), "bench");
    benchmark::DoNotOptimize(tidewerk::study_text(record).size());
  }
}

// Runs the program with `arguments` and waits for it; its output goes to /dev/null.
void run_program(benchmark::State& state, const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  std::string binary = TIDEWERK_BINARY;
  argv.push_back(binary.data());
  std::vector<std::string> kept = arguments;
  for (std::string& a : kept) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  for (auto _ : state) {
    pid_t pid = 0;
    if (posix_spawn(&pid, binary.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
      state.SkipWithError("cannot start the program");
      break;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("the run failed");
  }
  posix_spawn_file_actions_destroy(&actions);
}

void BM_Process_Version(benchmark::State& state) {
  run_program(state, {"--version"});
}

void BM_Process_Study(benchmark::State& state) {
  const std::filesystem::path out = std::filesystem::temp_directory_path() /
                                    ("tidewerk-study-bench-" + std::to_string(::getpid()));
  run_program(state, {"study", "-q", "--jobs", "1", "-o", out.string(), kExample});
  std::filesystem::remove_all(out);
}

}  // namespace

BENCHMARK(BM_Study_InProcess)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Process_Version)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Process_Study)->Unit(benchmark::kMillisecond)->UseRealTime();
