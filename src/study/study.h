// The propulsion study: the ship's resistance over the speeds, the propeller of the best
// quasi-propulsive efficiency for each series and blade number at the design speed, the
// speed-power table of the chosen one in the trial and service conditions, and the engine
// match.  Double precision and SI units; the series coefficients are the library's floats.
#pragma once

#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "study/study_input.h"

namespace tidewerk {

// The resistance at one speed.  A resistance table gives RT alone (the components are NaN);
// Fn and Rn are known whenever the hull is.
struct ResistanceRow {
  double V;  // m/s
  double Fn, Rn, CF, CA, form_factor;
  double RF, RAPP, RW, RB, RTR, RA, RT;  // N
  double PE;                             // effective power RT V, W
};

// A propeller at its design point (service condition, design speed).
struct Candidate {
  Series series = Series::WageningenB;
  int Z = 0;
  bool feasible = false;
  std::string reason;              // why not feasible; empty when feasible
  double EAR = NAN, EARmin = NAN;  // the ratio used, and the criterion's minimum there
  double D = NAN;                  // m
  double PD = NAN;
  double N_rpm = NAN;  // propeller shaft speed
  double J = NAN, Kt = NAN, Kq = NAN, eta0 = NAN;
  double w = NAN, t = NAN, etaR = NAN, etaD = NAN;
  double Va = NAN;            // advance speed, m/s
  double T = NAN;             // thrust per screw, N
  double Pd = NAN, Pb = NAN;  // delivered and brake power of all screws, W
};

enum class Condition { Trial, Service };

// One speed and condition of the speed-power table.  Without an operating point (`found`
// false) only V, condition, RT and the reason are meaningful.
struct PowerRow {
  double V = NAN;  // m/s
  Condition condition = Condition::Trial;
  bool found = false;
  std::string reason;
  double RT = NAN;  // N, with the sea margin in service
  double w = NAN, t = NAN, etaR = NAN;
  double T = NAN;   // thrust per screw, N
  double Va = NAN;  // m/s
  double J = NAN, Kt = NAN, Kq = NAN, eta0 = NAN, etaH = NAN, etaD = NAN;
  double N_rpm = NAN;         // propeller shaft speed
  double Q = NAN;             // torque per screw, N m
  double Pd = NAN, Pb = NAN;  // W, all screws
  double load = NAN;          // Pb / MCR
};

// The engine at service_load x MCR: the speeds and propeller shaft speeds in both conditions.
struct EngineMatch {
  double P = NAN;                         // brake power, W
  double V_service = NAN, V_trial = NAN;  // m/s; NaN when not reached within the range
  double N_service = NAN, N_trial = NAN;  // rpm at the propeller
  double light_running_margin = NAN;      // N_trial / N_service - 1
};

struct StudyResult {
  std::vector<ResistanceRow> resistance;  // at the speeds of the speed-power table
  std::vector<Candidate> candidates;      // series by series, blade number by blade number
  std::optional<std::size_t> chosen;      // the feasible candidate of the best etaD
  std::vector<PowerRow> speed_power;      // speed by speed: trial, then service
  EngineMatch engine;
  std::vector<std::string> warnings;
  std::string reason;  // why no propeller was chosen; empty when one was
};

// The warnings of the input alone: speeds and hull outside the method's fitted ranges, the
// cavitation inputs.
std::vector<std::string> input_warnings(const StudyInput& input);

// The resistance at V (m/s) in the trial condition.
ResistanceRow resistance_at(const StudyInput& input, double V);

// The whole study; the candidates and the speeds are evaluated on `jobs` threads (0: one per
// hardware thread) with the same result as on one.
StudyResult run_study(const StudyInput& input, unsigned jobs = 1);

// The operating point of `propeller` (series, Z, EAR, D, PD) at speed V and `condition`.
PowerRow operating_point(const StudyInput& input, const Candidate& propeller, double V,
                         Condition condition);

// The name of a condition: "trial", "service".
const char* condition_name(Condition condition);

}  // namespace tidewerk
