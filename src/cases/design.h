// Design for a required thrust, power or torque (cases 8, 9 and 10): the pitch table over the
// series' P/D range at the design advance coefficient, and the P/D at which it takes the
// required value.  Shared with the blade-area sweep.
#pragma once

#include <cmath>
#include <vector>

#include "cases/problem.h"
#include "cases/propeller.h"
#include "numeric/numeric_messages.h"
#include "numeric/root_search.h"

namespace tidewerk {

// What the value column of a pitch table holds, and how it is formed, printed and required.
struct PitchQuantity {
  const char* name;    // "thrust", "power", "torque"
  const char* unit;    // printed unit: "kN", "kW", "kNm"
  const char* column;  // --csv column with its printed unit
  // The column's value at one P/D from n = N/60 (rev/s), D (m), RHO and the open-water point.
  float (*value)(float n, float D, float RHO, const OpenWater& point);
  // The value as printed (thrust N -> kN; power and torque as held).
  float (*printed)(float value);
  // The required value in the column's unit, from the thrust T (kN) and PQ (W or N*m).
  float (*required)(float T, float PQ);
};

// The design cases' blade-area-only entry (EAR = 0): the blade-area table alone, no design and
// no data-entry check.
inline bool blade_area_only_entry(const Problem& p) {
  return std::fabs(p.EAR) < 0.001f;
}

extern const PitchQuantity kThrustQuantity;  // n^2 * D^4 * Kt * RHO, N
extern const PitchQuantity kPowerQuantity;   // delivered power from n^2 * D^5 * Kq * RHO, kW
extern const PitchQuantity kTorqueQuantity;  // n^2 * D^5 * Kq * RHO / 1000, kNm

// P/D column (ascending) and value column of equal length.  P/D values with a negative Kt
// are left out.  J is the advance coefficient the series used.
struct PitchTable {
  std::vector<float> pd;
  std::vector<float> value;
  float J = 0;
  int size() const { return static_cast<int>(pd.size()); }
};

// The pitch table of `propeller` at J for the quantity: P/D from the series' PDmin in steps
// of 0.1, INT((PDmax - PDmin + 0.1) / 0.1) values (10 Wageningen B, 16 Gawn, 15 KCA).
PitchTable sweep_pitch(const Propeller& propeller, float J, float N, float D, float RHO,
                       const PitchQuantity& quantity);

// True when the end values of the table enclose `required` (an empty table never does).
// Only the two ends are compared.
bool table_brackets(const PitchTable& table, float required);

// The P/D at which a bracketing table takes `required`, starting from `pd` (the value kept
// when the search finds no root).  A required value equal to the last value gives that end's
// P/D directly: the spline through the table need not reproduce the last value to the last
// bit, and the search would then miss the root.
float solve_pitch(const PitchTable& table, float required, float pd, NumericMessages& messages,
                  RootSearchState& state);

// J = Va / ((N / 60) * D).
float design_advance_coefficient(float Va, float N, float D);

}  // namespace tidewerk
