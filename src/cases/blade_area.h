// Blade-area and tip-speed checks of a designed propeller (Burrill, Keller, tip speed) and
// the blade-area sweep that repeats the pitch design over fifteen blade-area ratios.
#pragma once

#include "cases/design.h"
#include "cases/problem.h"
#include "cases/propeller.h"
#include "numeric/numeric_messages.h"
#include "numeric/root_search.h"
#include "report/channels.h"
#include "report/outcome.h"
#include "report/warnings.h"

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
  float tau5 = 0;  // Burrill 5 % back-cavitation line at Sigma
  float EAR5 = 0;
  float tauU = 0;  // recommended upper-limit line at Sigma
  float EARU = 0;
  float EARk = 0;  // Keller minimum, before the ship's k
  float Vtip = 0;  // tip speed, m/s
};

// The pause of the design cases between their blocks: an empty record, the pause, an empty record.
inline constexpr const char* kContinuePause = " DEVAM ICIN ENTER TUSUNA BASINIZ ";
void pause_between_blank_records(Console& io);

// The designed propeller whose blade area and tip speed are checked.
struct DesignedPropeller {
  Series series;
  float T;    // thrust, kN
  float D;    // diameter, m
  float N;    // shaft speed, RPM
  float Va;   // advance speed, m/s
  float RHO;  // water density, kg/m3
  float Z;    // blade number as the series used it
  float EAR;  // expanded blade-area ratio
  float PD;   // design pitch ratio
  float Hs;   // shaft depth, m
};

// Computes the checks.  The chart interpolation reports a Sigma outside a chart line through
// `messages`.
BladeAreaCheck compute_blade_area_check(const DesignedPropeller& prop, BurrillRules rules,
                                        NumericMessages& messages);

// Computes the checks, writes the check block on the screen and then on the report, and
// pauses.  A minimum blade-area ratio above the propeller's own is a warning at `where`.
// Returns the values of the block, for the case's result block.
std::vector<ResultValue> check_blade_area(const DesignedPropeller& prop, Console& io,
                                          BurrillRules rules, Warnings& warnings,
                                          const std::string& where);

// The pitch design repeated for the blade-area ratios 0.40 to 1.10 at the design advance
// coefficient of the problem (D, N, Va, RHO): for each, the P/D at which the pitch table of
// `quantity` takes `required` (in the unit of its value column) and the efficiency there.
// Ratios whose table does not enclose the required value are left out silently.  Writes the
// table on the screen and then on the report, and pauses.  Returns the table "blade-area"
// (columns EAR, PD, eta0).
ResultTable sweep_blade_area(const Problem& p, const Propeller& propeller, Console& io,
                             const PitchQuantity& quantity, float required, RootSearchState& state);

}  // namespace tidewerk
