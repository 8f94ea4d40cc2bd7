// Tidewerk ship library: calm-water resistance and hull-propeller interaction factors of a
// displacement ship by the statistical method of Holtrop and Mennen (1982) and its re-analysis
// by Holtrop (1984).
//
// Every function here is pure: it reads its arguments and returns its results, and touches no
// shared state.  Everything is in double precision and SI units: lengths in m, areas in m2,
// volumes in m3, speeds in m/s, forces in N, power in W.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tidewerk {

inline constexpr double knot = 1852.0 / 3600.0;  // m/s

// Holtrop and Mennen 1982, or Holtrop's 1984 re-analysis (wave resistance, bulb, transom and
// correlation allowance revised).
enum class ResistanceMethod { HoltropMennen1982, Holtrop1984 };

// The wetted area the correlation allowance RA is taken over; the default is the first.
enum class CorrelationArea { HullAndAppendages, Hull };

struct Hull {
  double L;                  // length on the waterline, m
  double B;                  // moulded breadth, m
  double TF, TA;             // moulded draughts at the forward and aft perpendiculars, m
  double volume;             // moulded displacement volume, m3
  double lcb;                // centre of buoyancy, % of L, positive forward of L/2
  double CM, CWP;            // midship-section and waterplane-area coefficients
  double ABT = 0;            // transverse area of the bulb at the forward perpendicular, m2 (0: no bulb)
  double hB = 0;             // height of that area's centroid above the keel, m
  double AT = 0;             // immersed transom area at rest, m2
  double SAPP = 0;           // wetted area of the appendages, m2
  double one_plus_k2 = 1.5;  // appendage form factor
  double Cstern = 0;  // afterbody form: -25 pram with gondola, -10 V, 0 normal, +10 U (Hogner)
  std::optional<double> S;   // hull wetted area, m2; estimated when absent
  std::optional<double> iE;  // half angle of entrance, degrees; estimated when absent
};

// Sea water at 15 degrees C by default.
struct Water {
  double rho = 1025.0;   // density, kg/m3
  double nu = 1.18831e-6;  // kinematic viscosity, m2/s
  double g = 9.81;       // acceleration of gravity, m/s2
};

struct Resistance {                                // forces in N, power in W
  double V, Fn, Rn, CF, CA, S, iE, form_factor;  // V in m/s, S in m2, iE in degrees; 1 + k1
  double RF, RAPP, RW, RB, RTR, RA, RT, PE;
};

Resistance resistance(const Hull& hull, double V_mps, ResistanceMethod method,
                      const Water& water = {},
                      CorrelationArea correlation_area = CorrelationArea::HullAndAppendages);

enum class Screws { Single = 1, Twin = 2 };

// Wake fraction w, thrust deduction t and relative rotative efficiency etaR.
struct PropulsionFactors {
  double w, t, etaR;
};

// Single screw: the 1984 w, t and etaR; twin screw: the 1982 formulas.  D in m; EAR the expanded
// blade-area ratio, PD the pitch ratio.
PropulsionFactors propulsion_factors(const Hull& hull, const Resistance& resistance, Screws screws,
                                     double D, double EAR, double PD);

// Where the hull or the speed lies outside the ranges the method was fitted on: one sentence
// each, for warnings; never a refusal.
std::vector<std::string> outside_fitted_range(const Hull& hull, double V_mps,
                                              ResistanceMethod method);

}  // namespace tidewerk
