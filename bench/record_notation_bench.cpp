// Cost of one formatted record: a table row with repeats and a group, a text-only line and
// a result line written to both the screen and the report, as the cases write them.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <vector>

#include "report/channels.h"
#include "report/record_notation.h"

namespace {

using tidewerk::Values;

void BM_RenderTableRow(benchmark::State& state) {
  const Values values{3, 0.1f, 0.2f, 0.03f, 0.6f, 12.5f, 1012.658f};
  for (auto _ : state) {
    std::vector<std::string> records =
        tidewerk::render_records("(1X,I2,F8.3,3F9.4,4X,2(F10.4,3X))", values);
    benchmark::DoNotOptimize(records.data());
  }
}

void BM_RenderTextLine(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<std::string> records = tidewerk::render_records(
        "(/,' VERILEN YUK KATSAYISI ICIN SERIDE UYGUN PERVANE BULUNAMADI')");
    benchmark::DoNotOptimize(records.data());
  }
}

void BM_ConsoleBoth(benchmark::State& state) {
  std::ostringstream screen, report;
  std::istringstream keyboard;
  tidewerk::Console io(screen, report, keyboard);
  const Values values{1.873f, 112.38f, 412.551f, 4853.2f};
  std::size_t written = 0;
  for (auto _ : state) {
    io.both("(' RPS=',F7.3,' dev/san',1X,'RPM=',F7.2,1X,'TORK=',F8.3,' kNm',1X,'Pd=',F7.1,' kW')",
            values);
    if (++written == 10000) {  // keep the streams small
      screen.str("");
      report.str("");
      written = 0;
    }
  }
}

}  // namespace

BENCHMARK(BM_RenderTableRow);
BENCHMARK(BM_RenderTextLine);
BENCHMARK(BM_ConsoleBoth);
