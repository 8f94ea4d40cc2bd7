// Throughput of the series evaluator: evaluations per second for each series, and the
// Wageningen B series with the ITTC78 correction.  J sweeps a grid so that no evaluation can
// be hoisted out of the loop.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <vector>

#include "driver/run_context.h"
#include "series/evaluator.h"

namespace {

using tidewerk::RunContext;

std::vector<float> advance_grid() {
  std::vector<float> grid;
  for (float j = 0.05f; j < 1.5f; j += 0.00725f) grid.push_back(j);
  return grid;
}

void run_series(benchmark::State& state, int series, int ivisc) {
  const std::vector<float> grid = advance_grid();
  RunContext ctx;
  ctx.series = series;
  ctx.IVISC = ivisc;
  ctx.D = 4.0f;
  ctx.Va = 5.0f;
  ctx.N = 120.0f;
  ctx.EAR = 0.7f;
  ctx.Z = 4.0f;
  const float pd = 1.0f;
  std::size_t i = 0;
  for (auto _ : state) {
    ctx.J = grid[i];
    if (++i == grid.size()) i = 0;
    tidewerk::evaluate_series(ctx, pd, ctx.EAR, ctx.Z);
    benchmark::DoNotOptimize(ctx.Kt);
    benchmark::DoNotOptimize(ctx.Kq);
    benchmark::DoNotOptimize(ctx.eta0);
    ctx.Z = 4.0f;  // Gawn and KCA rewrite it
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}

void BM_WageningenB(benchmark::State& state) { run_series(state, 1, 0); }
void BM_WageningenB_Ittc78(benchmark::State& state) { run_series(state, 1, 1); }
void BM_Gawn(benchmark::State& state) { run_series(state, 2, 0); }
void BM_Kca(benchmark::State& state) { run_series(state, 3, 0); }

}  // namespace

BENCHMARK(BM_WageningenB);
BENCHMARK(BM_WageningenB_Ittc78);
BENCHMARK(BM_Gawn);
BENCHMARK(BM_Kca);
