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

#include "tidewerk/version.h"

TIDEWERK_BEGIN_NAMESPACE

inline constexpr double knot = 1852.0 / 3600.0;  // m/s

// Holtrop and Mennen 1982, or Holtrop's 1984 re-analysis (form factor 1 + k1 and wave resistance
// revised, with a high-speed branch above Fn 0.55 and a blend from Fn 0.40).
enum class ResistanceMethod { HoltropMennen1982, Holtrop1984 };

// The wetted area the correlation allowance RA is taken over; the default is the first (it
// reproduces both published worked examples; the secondary sources take the hull alone).
enum class CorrelationArea { HullAndAppendages, Hull };

struct Hull {
  double L;         // length on the waterline, m
  double B;         // moulded breadth, m
  double TF, TA;    // moulded draughts at the forward and aft perpendiculars, m
  double volume;    // moulded displacement volume, m3
  double lcb;       // centre of buoyancy, % of L, positive forward of L/2
  double CM, CWP;   // midship-section and waterplane-area coefficients
  double ABT = 0;   // transverse area of the bulb at the forward perpendicular, m2 (0: no bulb)
  double hB = 0;    // height of that area's centroid above the keel, m
  double AT = 0;    // immersed transom area at rest, m2
  double SAPP = 0;  // wetted area of the appendages, m2
  double one_plus_k2 = 1.5;  // appendage form factor (equivalent_appendages for several)
  double Cstern = 0;  // afterbody form: -25 pram with gondola, -10 V, 0 normal, +10 U (Hogner)
  std::optional<double> S;   // hull wetted area, m2; estimated when absent
  std::optional<double> iE;  // half angle of entrance, degrees; estimated when absent
};

// Sea water at 15 degrees C by default.
struct Water {
  double rho = 1025.0;     // density, kg/m3
  double nu = 1.18831e-6;  // kinematic viscosity, m2/s
  double g = 9.81;         // acceleration of gravity, m/s2
};

struct Resistance {                              // forces in N, power in W
  double V, Fn, Rn, CF, CA, S, iE, form_factor;  // V in m/s, S in m2, iE in degrees; 1 + k1
  double RF, RAPP, RW, RB, RTR, RA, RT, PE;
};

// The calm-water resistance of the hull at speed V_mps (m/s); speed 0 gives zero forces.  Throws
// std::invalid_argument naming the input and its value for a non-finite input, a length, breadth,
// draught or volume not above zero, a negative speed, a coefficient outside (0, 1], or a hull or
// speed where a formula of the method is undefined (CP 0.95 or more in the 1982 form factor, say).
Resistance resistance(const Hull& hull, double V_mps, ResistanceMethod method,
                      const Water& water = {},
                      CorrelationArea correlation_area = CorrelationArea::HullAndAppendages);

// One appendage: its wetted area and its form factor.
struct Appendage {
  double S;            // wetted area, m2
  double one_plus_k2;  // form factor 1 + k2 (rudder behind skeg 1.5-2.0, shafts 2.0-4.0, ...)
};

// Several appendages as one: the summed wetted area SAPP and the area-weighted mean 1 + k2.
struct Appendages {
  double SAPP;         // m2
  double one_plus_k2;  // (1 + k2)eq = sum (1 + k2)_i S_i / sum S_i
};
Appendages equivalent_appendages(std::span<const Appendage> appendages);

// Two optional extras of the method, outside RT (neither worked example uses them):
// the resistance of a bow-thruster tunnel of diameter d (m) with its coefficient CBTO (0.003 to
// 0.012), rho V^2 pi d^2 CBTO in N; and the increment of the correlation allowance CA for a hull
// roughness ks (m) other than the standard 150e-6 m (zero there), L the waterline length in m.
double bow_thruster_resistance(double d, double CBTO, double V_mps, const Water& water = {});
double roughness_allowance(double ks, double L);

enum class Screws { Single = 1, Twin = 2 };

// Wake fraction w, thrust deduction t and relative rotative efficiency etaR.
struct PropulsionFactors {
  double w, t, etaR;
};

// The form factor 1 + k in the viscous resistance coefficient CV = (1 + k) CF + CA of the wake
// fraction; the default is the first.
enum class ViscousFormFactor {
  Hull,               // 1 + k1 of the resistance run
  HullAndAppendages,  // 1 + k1 + ((1 + k2) - (1 + k1)) SAPP / (S + SAPP), the older combined form
};

struct PropulsionOptions {
  ViscousFormFactor viscous_form_factor = ViscousFormFactor::Hull;
  // Single-screw w and t: Holtrop 1984, or the 1982 forms it replaced.  etaR is the same.
  ResistanceMethod single_screw_formulas = ResistanceMethod::Holtrop1984;
};

// Single screw: the 1984 w, t and etaR; twin screw: the 1982 formulas.  resistance is the run of
// the same hull at the speed wanted.  D in m; EAR the expanded blade-area ratio (single screw
// only), PD the pitch ratio (twin screw only).
PropulsionFactors propulsion_factors(const Hull& hull, const Resistance& resistance, Screws screws,
                                     double D, double EAR, double PD,
                                     const PropulsionOptions& options = {});

// Where the hull or the speed lies outside the ranges the method was fitted on (the prismatic
// coefficient, L/B, B/T and Froude number of the ship types of Holtrop's table): one sentence
// each, for warnings; never a refusal.  A hull that is bad input throws as resistance does.
std::vector<std::string> outside_fitted_range(const Hull& hull, double V_mps,
                                              ResistanceMethod method);

TIDEWERK_END_NAMESPACE
