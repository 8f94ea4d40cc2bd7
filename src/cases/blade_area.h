// Blade-area and tip-speed checks of a designed propeller (Burrill, Keller, tip speed) and
// the blade-area sweep that repeats the pitch design over fifteen blade-area ratios.
#pragma once

#include "cases/design.h"
#include "driver/run_context.h"
#include "numeric/numeric_messages.h"
#include "numeric/root_search.h"
#include "report/channels.h"

namespace tidewerk {

// How the Burrill check treats the design cases.  The thrust case leaves the Burrill part out
// for the Gawn series and reports a minimum blade-area ratio of 0 for the 2.5 % line below the
// line's first Sigma, without reading the chart.
struct BurrillRules {
  bool skip_for_gawn = false;
  bool zero_below_first_sigma = false;
};

// The check values.  A chart line that Sigma lies outside of has its tau and minimum EAR as
// NaN (printed as asterisks).  Without the Burrill part (`burrill` false) only EARk and Vtip
// are computed.
struct BladeAreaCheck {
  bool burrill = false;
  float V2 = 0;     // squared section speed at 0.7 R, m2/s2
  float Sigma = 0;  // cavitation number at 0.7 R
  float A0 = 0;     // disc area, m2
  float Tauc = 0;   // thrust loading of the present blade area
  float tau25 = 0;  // Burrill 2.5 % back-cavitation line at Sigma
  float EAR25 = 0;
  float tau5 = 0;   // Burrill 5 % back-cavitation line at Sigma
  float EAR5 = 0;
  float tauU = 0;   // recommended upper-limit line at Sigma
  float EARU = 0;
  float EARk = 0;   // Keller minimum, before the ship's k
  float Vtip = 0;   // tip speed, m/s
};

// Computes the checks from ctx.T (kN), D, N, Va, RHO, Z, EAR, PD, Hs and series.  The chart
// interpolation reports a Sigma outside a chart line through `messages`.
BladeAreaCheck compute_blade_area_check(const RunContext& ctx, BurrillRules rules,
                                        NumericMessages& messages);

// Computes the checks, writes the check block on the screen and then on the report, and
// pauses.  Changes no field of the run context.
void check_blade_area(const RunContext& ctx, Console& io, BurrillRules rules);

// The pitch design repeated for the blade-area ratios 0.40 to 1.10: for each, the P/D at which
// the pitch table of `kind` takes `required` (in the unit of its value column) and the
// efficiency there.  Ratios whose table does not enclose the required value are left out
// silently.  Writes the table on the screen and then on the report, and pauses.  Leaves
// ctx.EAR at 1.10 and ctx.J at the design advance coefficient.
void sweep_blade_area(RunContext& ctx, Console& io, PitchKind kind, float required,
                      RootSearchState& state);

}  // namespace tidewerk
