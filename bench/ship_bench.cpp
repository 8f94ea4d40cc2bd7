// Throughput of the ship library: resistance evaluations per second for the 1982 example hull
// (1982 formulas) and the 1984 fast ship (1984 formulas, the speeds sweeping the low-speed
// branch, the blend and the high-speed branch), and resistance with propulsion factors, as a
// speed-power sweep uses them.  The speed changes at every call so nothing is hoisted.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tidewerk/ship.h"

namespace {

using tidewerk::Hull;
using tidewerk::knot;
using tidewerk::ResistanceMethod;

const Hull kExample1982{.L = 205,
                        .B = 32,
                        .TF = 10,
                        .TA = 10,
                        .volume = 37500,
                        .lcb = -0.75,
                        .CM = 0.98,
                        .CWP = 0.75,
                        .ABT = 20,
                        .hB = 4,
                        .AT = 16,
                        .SAPP = 50,
                        .one_plus_k2 = 1.5,
                        .Cstern = 10,
                        .S = {},
                        .iE = {}};
const Hull kFastShip{.L = 50,
                     .B = 12,
                     .TF = 3.1,
                     .TA = 3.3,
                     .volume = 900,
                     .lcb = -4.5,
                     .CM = 0.78,
                     .CWP = 0.80,
                     .ABT = 0,
                     .hB = 0,
                     .AT = 10,
                     .SAPP = 50,
                     .one_plus_k2 = 3.0,
                     .Cstern = 0,
                     .S = 584.9,
                     .iE = 25.0};

// Speeds first to last knots by 0.01 kn, in m/s.
std::vector<double> speeds(double first_knots, double last_knots) {
  std::vector<double> v;
  for (double kn = first_knots; kn <= last_knots; kn += 0.01) v.push_back(kn * knot);
  return v;
}

void sweep(benchmark::State& state, const Hull& hull, ResistanceMethod method,
           const std::vector<double>& V) {
  std::size_t i = 0;
  for (auto _ : state) {
    const tidewerk::Resistance r = tidewerk::resistance(hull, V[i], method);
    if (++i == V.size()) i = 0;
    benchmark::DoNotOptimize(r);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void BM_Resistance_1982(benchmark::State& state) {
  sweep(state, kExample1982, ResistanceMethod::HoltropMennen1982, speeds(5, 30));
}
void BM_Resistance_1984(benchmark::State& state) {
  sweep(state, kFastShip, ResistanceMethod::Holtrop1984, speeds(5, 35));
}

void BM_ResistanceAndPropulsion(benchmark::State& state) {
  const std::vector<double> V = speeds(5, 30);
  std::size_t i = 0;
  for (auto _ : state) {
    const tidewerk::Resistance r =
        tidewerk::resistance(kExample1982, V[i], ResistanceMethod::Holtrop1984);
    const tidewerk::PropulsionFactors p =
        tidewerk::propulsion_factors(kExample1982, r, tidewerk::Screws::Single, 8, 0.7, 1.0);
    if (++i == V.size()) i = 0;
    benchmark::DoNotOptimize(p);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

}  // namespace

BENCHMARK(BM_Resistance_1982);
BENCHMARK(BM_Resistance_1984);
BENCHMARK(BM_ResistanceAndPropulsion);
