// What a study file holds, read and checked: the ship, the water, the resistance, the
// propulsion factors, the propeller's freedoms and limits, the engine and the speeds.  SI
// units inside (m, m2, m3, m/s, N, W, rpm as revolutions per minute), knots only where the
// name says so.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tidewerk/series.h"
#include "tidewerk/ship.h"

namespace tidewerk {

// Where the resistance comes from: one of the Holtrop-Mennen methods, or a table of RT against
// speed (a model test or a CFD result), interpolated.
enum class ResistanceSource { HoltropMennen1982, Holtrop1984, Table };

// The blade-area ratio of a candidate: the minimum of a cavitation criterion, or a fixed ratio.
enum class BladeAreaRule { Keller, Burrill2_5, Burrill5, Fixed };

struct StudyInput {
  std::string file;         // the study file's name as given (for messages and the record)
  std::string name;         // the ship's name
  Hull hull;                // meaningful when `hull_given`
  bool hull_given = false;  // false only for a resistance table with numeric w, t and etaR
  Water water;

  ResistanceSource resistance = ResistanceSource::Holtrop1984;
  std::vector<double> table_V_mps;  // the resistance table: speeds, m/s, ascending
  std::vector<double> table_RT_N;   // total resistance, N
  double sea_margin = 0.15;         // added resistance in service, fraction of RT

  int screws = 1;
  std::optional<double> wake;               // w; nothing: Holtrop's formula
  std::optional<double> thrust_deduction;   // t; nothing: Holtrop's formula
  std::optional<double> relative_rotative;  // etaR; nothing: Holtrop's formula
  double shaft_efficiency = 0.98;           // shafting and gearbox

  std::vector<Series> series;   // in the order asked for
  std::vector<int> blades;      // blade numbers, in the order asked for
  std::optional<double> D_max;  // m: the study chooses D <= D_max at the engine's shaft speed
  std::optional<double> D;      // m: ... or, with D given, chooses N in [N_min, N_max]
  double N_min_rpm = 0, N_max_rpm = 0;  // propeller shaft speed range with D given
  double PD_low = 0.5, PD_high = 1.4;   // pitch-ratio range
  BladeAreaRule blade_area = BladeAreaRule::Keller;
  double EAR_fixed = 0;      // the ratio with BladeAreaRule::Fixed
  double shaft_depth = 0;    // m, shaft centre below the waterline
  bool ittc78 = true;        // scale correction of the Wageningen B coefficients
  double tip_speed_max = 0;  // m/s, 0: no limit

  double MCR_W = 0;            // installed power of all engines, W
  double engine_rpm = 0;       // engine speed at MCR, rpm
  double gear_ratio = 1.0;     // engine rpm over propeller rpm
  double service_load = 0.85;  // fraction of MCR at which the service speed is taken

  double design_V_mps = 0;                      // the design speed, m/s
  double range_from_mps = 0, range_to_mps = 0;  // the speed-power table's speeds, m/s
  double range_step_mps = 0;
};

// The speeds of the speed-power table, m/s: from, from + step, ... up to `to` (within a
// hundredth of a step).
std::vector<double> table_speeds(const StudyInput& input);

// The file's name for each resistance source and blade-area rule, as the study file writes them.
const char* resistance_source_name(ResistanceSource source);
const char* blade_area_rule_name(BladeAreaRule rule);
// The study file's name of a series ("wageningen-b", "gawn", "kca").
const char* series_key(Series series);

}  // namespace tidewerk
