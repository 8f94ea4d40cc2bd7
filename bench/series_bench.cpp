// Throughput of the series evaluator: evaluations per second for each series and the
// Wageningen B series with the ITTC78 correction, one point at a time (J sweeps a grid so that
// no evaluation can be hoisted out of the loop) and over a whole grid of 1400 advance
// coefficients, as the sweeps of the cases use it, on each instruction set of the grid kernel
// (one this processor cannot run is reported as skipped).
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "series/grid.h"
#include "series/instruction_set.h"
#include "tidewerk/series.h"

namespace {

using tidewerk::InstructionSet;
using tidewerk::Ittc78Conditions;
using tidewerk::OpenWater;
using tidewerk::Series;

// J 0.1 .. 1.5 by 0.001: the grid of the coefficient-matching sweeps.
std::vector<float> advance_grid() {
  std::vector<float> grid;
  for (int k = 0; k < 1400; ++k) grid.push_back(0.1f + 0.001f * static_cast<float>(k));
  return grid;
}

constexpr Ittc78Conditions kFullScale{4.0f, 5.0f, 120.0f};
constexpr float kPitchRatio = 1.0f;
constexpr float kAreaRatio = 0.7f;
constexpr float kBlades = 4.0f;

void single_point(benchmark::State& state, Series series,
                  std::optional<Ittc78Conditions> full_scale) {
  const std::vector<float> grid = advance_grid();
  std::size_t i = 0;
  for (auto _ : state) {
    const OpenWater r =
        tidewerk::evaluate(series, {grid[i], kPitchRatio, kAreaRatio, kBlades}, full_scale);
    if (++i == grid.size()) i = 0;
    benchmark::DoNotOptimize(r);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void whole_grid(benchmark::State& state, InstructionSet set, Series series,
                const Ittc78Conditions* full_scale) {
  if (!tidewerk::instruction_set_supported(set)) {
    state.SkipWithError("this processor cannot run it");
    return;
  }
  const std::vector<float> grid = advance_grid();
  std::vector<OpenWater> out(grid.size());
  for (auto _ : state) {
    tidewerk::evaluate_grid_with(set, series, kPitchRatio, kAreaRatio, kBlades, grid.data(),
                                 grid.size(), out.data(), full_scale);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * grid.size()));
}

void BM_WageningenB(benchmark::State& state) {
  single_point(state, Series::WageningenB, std::nullopt);
}
void BM_WageningenB_Ittc78(benchmark::State& state) {
  single_point(state, Series::WageningenB, kFullScale);
}
void BM_Gawn(benchmark::State& state) {
  single_point(state, Series::Gawn, std::nullopt);
}
void BM_Kca(benchmark::State& state) {
  single_point(state, Series::Kca, std::nullopt);
}

}  // namespace

BENCHMARK(BM_WageningenB);
BENCHMARK(BM_WageningenB_Ittc78);
BENCHMARK(BM_Gawn);
BENCHMARK(BM_Kca);

#define GRID_BENCHMARKS(set)                                                                 \
  BENCHMARK_CAPTURE(whole_grid, WageningenB_##set, InstructionSet::set, Series::WageningenB, \
                    nullptr);                                                                \
  BENCHMARK_CAPTURE(whole_grid, WageningenB_Ittc78_##set, InstructionSet::set,               \
                    Series::WageningenB, &kFullScale);                                       \
  BENCHMARK_CAPTURE(whole_grid, Gawn_##set, InstructionSet::set, Series::Gawn, nullptr);     \
  BENCHMARK_CAPTURE(whole_grid, Kca_##set, InstructionSet::set, Series::Kca, nullptr)

GRID_BENCHMARKS(baseline);
GRID_BENCHMARKS(avx2);
GRID_BENCHMARKS(avx512);
