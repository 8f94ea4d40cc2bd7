// Throughput of the series evaluator: evaluations per second for each series and the
// Wageningen B series with the ITTC78 correction, one point at a time (J sweeps a grid so that
// no evaluation can be hoisted out of the loop) and over a whole grid of 1400 advance
// coefficients, as the sweeps of the cases use it.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "tidewerk/series.h"

namespace {

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

void whole_grid(benchmark::State& state, Series series,
                std::optional<Ittc78Conditions> full_scale) {
  const std::vector<float> grid = advance_grid();
  std::vector<OpenWater> out(grid.size());
  for (auto _ : state) {
    tidewerk::evaluate_grid(series, kPitchRatio, kAreaRatio, kBlades, grid, out, full_scale);
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

void BM_Grid_WageningenB(benchmark::State& state) {
  whole_grid(state, Series::WageningenB, std::nullopt);
}
void BM_Grid_WageningenB_Ittc78(benchmark::State& state) {
  whole_grid(state, Series::WageningenB, kFullScale);
}
void BM_Grid_Gawn(benchmark::State& state) {
  whole_grid(state, Series::Gawn, std::nullopt);
}
void BM_Grid_Kca(benchmark::State& state) {
  whole_grid(state, Series::Kca, std::nullopt);
}

}  // namespace

BENCHMARK(BM_WageningenB);
BENCHMARK(BM_WageningenB_Ittc78);
BENCHMARK(BM_Gawn);
BENCHMARK(BM_Kca);
BENCHMARK(BM_Grid_WageningenB);
BENCHMARK(BM_Grid_WageningenB_Ittc78);
BENCHMARK(BM_Grid_Gawn);
BENCHMARK(BM_Grid_Kca);
