// Design for a required thrust, delivered power or torque (cases 8, 9 and 10): the pitch
// table over the series' P/D range at the design advance coefficient, and the P/D at which
// it takes the required value.  Shared with the blade-area sweep.
#pragma once

#include <vector>

#include "driver/run_context.h"
#include "numeric/numeric_messages.h"
#include "numeric/root_search.h"

namespace tidewerk {

// What the value column of a pitch table holds.
enum class PitchKind {
  Thrust,  // n^2 * D^4 * Kt * RHO, N
  Power,   // delivered power from Q = n^2 * D^5 * Kq * RHO, kW
  Torque,  // n^2 * D^5 * Kq * RHO / 1000, kNm
};

// P/D column (ascending) and value column of equal length.  P/D values with a negative Kt
// are left out.
struct PitchTable {
  std::vector<float> pd;
  std::vector<float> value;
  int size() const { return static_cast<int>(pd.size()); }
};

// Fills `table` for the current ctx.J, ctx.EAR, ctx.Z and series: P/D from PDmin in steps of
// 0.1, INT((PDmax - PDmin + 0.1) / 0.1) values (10 Wageningen B, 16 Gawn, 15 KCA).
void sweep_pitch(RunContext& ctx, PitchKind kind, PitchTable& table);

// The required value in the unit of the value column: T * 1000 (N) for thrust, PQ / 1000
// (kW or kNm) for power and torque.
float required_value(const RunContext& ctx, PitchKind kind);

// True when the end values of the table enclose `required` (an empty table never does).
// Only the two ends are compared.
bool table_brackets(const PitchTable& table, float required);

// The P/D at which a bracketing table takes `required`, into `pd`.  A required value equal to
// an end value gives that end's P/D directly: the spline through the table need not
// reproduce the last value to the last bit, and the search would then miss the root.
void solve_pitch(const PitchTable& table, float required, float& pd, NumericMessages& messages,
                 RootSearchState& state);

}  // namespace tidewerk
