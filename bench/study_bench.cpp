// The propulsion study of the Holtrop-Mennen example ship (examples/) in-process: read, the six
// candidates, the speed-power table, the engine match, the record and the text report, on one
// thread and on two.  bench/process_start.py times it as a whole process.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "outputs/study_record.h"
#include "study/study.h"
#include "study/study_file.h"

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

}  // namespace

BENCHMARK(BM_Study_InProcess)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
