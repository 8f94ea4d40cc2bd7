// Whole runs of the coefficient-matching cases in-process: banner, task file, the P/D and J
// sweeps (up to 151 x 1400 series evaluations), the candidate table, the result block and the
// closing, against string streams.  Case 2 with the Gawn series is the largest sweep.
#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>
#include <string>

#include "driver/run_flow.h"

namespace {

std::string task_text(int series, int case_number, const std::string& values) {
  std::string text;
  for (int k = 1; k <= 15; ++k) text += "explanatory line\n";
  text += std::to_string(series) + "\n";
  for (int k = 17; k <= 79; ++k) text += "explanatory line\n";
  text += std::to_string(case_number) + "\n" + values + "\n";
  return text;
}

void whole_run(benchmark::State& state, int series, int case_number, const char* values) {
  const std::string task = task_text(series, case_number, values);
  std::size_t report_size = 0;
  for (auto _ : state) {
    std::ostringstream screen, report, errors;
    std::istringstream keyboard("\n\n");
    const int status = tidewerk::run_tidewerk({screen, report, keyboard, errors},
                                              [&task]() -> std::unique_ptr<std::istream> {
                                                return std::make_unique<std::istringstream>(task);
                                              })
                           .status;
    if (status != 0) state.SkipWithError(errors.str().c_str());
    report_size = report.str().size();
    benchmark::DoNotOptimize(report_size);
  }
  state.counters["report_bytes"] = static_cast<double>(report_size);
}

void BM_Case2_Gawn(benchmark::State& state) {
  whole_run(state, 2, 2, "100 120 5.0 1025 4 0.70");
}
void BM_Case1_WageningenB(benchmark::State& state) {
  whole_run(state, 1, 1, "600 7.0 7.5 1025 5 0.65");
}
void BM_Case3_Kca(benchmark::State& state) {
  whole_run(state, 3, 3, "5000 7.0 105 1025 4 0.60");
}

}  // namespace

BENCHMARK(BM_Case2_Gawn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Case1_WageningenB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Case3_Kca)->Unit(benchmark::kMillisecond);
