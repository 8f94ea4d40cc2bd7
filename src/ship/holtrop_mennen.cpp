// The Holtrop-Mennen method (1982) and Holtrop's re-analysis (1984): resistance components,
// wake fraction, thrust deduction and relative rotative efficiency.  Each formula is written as
// the papers give it, coefficient by coefficient, in SI units; forces come out in N because the
// volume is in m3 and the density in kg/m3.
#include "ship/holtrop_mennen.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace tidewerk {

namespace holtrop {

namespace {

[[noreturn]] void bad(const std::string& message) {
  throw std::invalid_argument(message);
}

// "what = value unit: why"
[[noreturn]] void bad_value(const char* what, double value, const char* unit, const char* why) {
  bad(std::string(what) + " = " + shown(value) + (*unit != '\0' ? " " : "") + unit + ": " + why);
}

// The same for a quantity derived from the inputs, shown to six significant digits.
[[noreturn]] void bad_derived(const char* what, double value, const char* unit, const char* why) {
  char text[32];
  const auto end =
      std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6).ptr;
  bad(std::string(what) + " = " + std::string(text, end) + (*unit != '\0' ? " " : "") + unit +
      ": " + why);
}

void require_finite(const char* what, double value) {
  if (!std::isfinite(value)) bad_value(what, value, "", "not a finite number");
}

void require_positive(const char* what, double value, const char* unit) {
  require_finite(what, value);
  if (!(value > 0)) bad_value(what, value, unit, "must be above zero");
}

void require_not_negative(const char* what, double value, const char* unit) {
  require_finite(what, value);
  if (value < 0) bad_value(what, value, unit, "must not be negative");
}

void require_coefficient(const char* what, double value) {
  require_finite(what, value);
  if (!(value > 0 && value <= 1)) bad_value(what, value, "", "must lie in (0, 1]");
}

}  // namespace

std::string shown(double value) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  return std::string(text, end);
}

double wetted_area_estimate(const Hull& hull, double T, double CB) {
  const double L = hull.L, B = hull.B, CM = hull.CM, CWP = hull.CWP;
  return L * (2 * T + B) * std::sqrt(CM) *
             (0.453 + 0.4425 * CB - 0.2862 * CM - 0.003467 * B / T + 0.3696 * CWP) +
         2.38 * hull.ABT / CB;
}

double entrance_angle_estimate(const Hull& hull, double CP, double LR) {
  const double L = hull.L, B = hull.B;
  return 1 +
         89 * std::exp(-std::pow(L / B, 0.80856) * std::pow(1 - hull.CWP, 0.30484) *
                       std::pow(1 - CP - 0.0225 * hull.lcb, 0.6367) * std::pow(LR / B, 0.34574) *
                       std::pow(100 * hull.volume / (L * L * L), 0.16302));
}

HullForm hull_form(const Hull& hull) {
  require_positive("L (length on the waterline)", hull.L, "m");
  require_positive("B (moulded breadth)", hull.B, "m");
  require_positive("TF (draught forward)", hull.TF, "m");
  require_positive("TA (draught aft)", hull.TA, "m");
  require_positive("volume (displacement volume)", hull.volume, "m3");
  require_finite("lcb (centre of buoyancy, % of L forward of L/2)", hull.lcb);
  require_coefficient("CM (midship-section coefficient)", hull.CM);
  require_coefficient("CWP (waterplane-area coefficient)", hull.CWP);
  require_not_negative("ABT (bulb area)", hull.ABT, "m2");
  require_not_negative("hB (bulb centroid height)", hull.hB, "m");
  require_not_negative("AT (immersed transom area)", hull.AT, "m2");
  require_not_negative("SAPP (appendage wetted area)", hull.SAPP, "m2");
  require_finite("one_plus_k2 (appendage form factor 1 + k2)", hull.one_plus_k2);
  if (hull.one_plus_k2 < 1) {
    bad_value("one_plus_k2 (appendage form factor 1 + k2)", hull.one_plus_k2, "",
              "must be 1 or more (the form factor 1 + k2, not k2)");
  }
  require_finite("Cstern (afterbody form)", hull.Cstern);
  if (hull.S) require_positive("S (hull wetted area)", *hull.S, "m2");
  if (hull.iE) {
    require_finite("iE (half angle of entrance)", *hull.iE);
    if (!(*hull.iE > 0 && *hull.iE < 90)) {
      bad_value("iE (half angle of entrance)", *hull.iE, "degrees", "must lie between 0 and 90");
    }
  }

  HullForm f{};
  f.T = (hull.TF + hull.TA) / 2;
  f.CB = hull.volume / (hull.L * hull.B * f.T);
  if (f.CB > 1) {
    bad_derived("CB (block coefficient volume / (L B T))", f.CB, "",
                "must lie in (0, 1]: check volume, L, B and the draughts");
  }
  f.CP = hull.volume / (hull.L * hull.B * f.T * hull.CM);
  if (!(f.CP < 1)) {
    bad_derived("CP (prismatic coefficient volume / (L B T CM))", f.CP, "",
                "must be below 1: check volume and CM");
  }
  if (4 * f.CP - 1 <= 0) {
    bad_derived("CP (prismatic coefficient)", f.CP, "",
                "the length of run is undefined for CP 0.25 or less");
  }
  f.LR = hull.L * (1 - f.CP + 0.06 * f.CP * hull.lcb / (4 * f.CP - 1));
  if (!(f.LR > 0)) {
    bad_derived("LR (length of run from CP and lcb)", f.LR, "m", "must be above zero: check lcb");
  }
  if (hull.ABT > 0 && !(hull.TF > 1.5 * hull.hB)) {
    bad_value("hB (bulb centroid height)", hull.hB, "m",
              "must lie below TF / 1.5 for the bulb's emergence measure");
  }
  if (hull.AT > hull.B * f.T * hull.CM) {
    bad_value("AT (immersed transom area)", hull.AT, "m2",
              "larger than the midship section B T CM");
  }
  f.S = hull.S ? *hull.S : wetted_area_estimate(hull, f.T, f.CB);
  if (hull.iE) {
    f.iE = *hull.iE;
  } else {
    const double entrance = 1 - f.CP - 0.0225 * hull.lcb;
    if (!(entrance > 0)) {
      bad_value("lcb (centre of buoyancy)", hull.lcb, "% of L",
                "1 - CP - 0.0225 lcb must be above zero to estimate iE: give iE");
    }
    f.iE = entrance_angle_estimate(hull, f.CP, f.LR);
    if (!(f.iE < 90)) {
      bad_derived("iE (half angle of entrance, estimated)", f.iE, "degrees",
                  "must be below 90 (CWP 1): give iE");
    }
  }
  return f;
}

void check_water(const Water& water) {
  require_positive("rho (water density)", water.rho, "kg/m3");
  require_positive("nu (kinematic viscosity)", water.nu, "m2/s");
  require_positive("g (acceleration of gravity)", water.g, "m/s2");
}

double friction_coefficient(double Rn) {
  const double x = std::log10(Rn) - 2;
  return 0.075 / (x * x);
}

// --- Form factor ----------------------------------------------------------------------------

double c12(double T_over_L) {
  if (T_over_L > 0.05) return std::pow(T_over_L, 0.2228446);
  if (T_over_L > 0.02) return 48.20 * std::pow(T_over_L - 0.02, 2.078) + 0.479948;
  return 0.479948;
}

double form_factor_1982(const Hull& hull, const HullForm& f) {
  if (f.CP >= 0.95) {
    bad_derived("CP (prismatic coefficient)", f.CP, "",
                "the 1982 form factor is undefined for CP 0.95 or more");
  }
  const double run = 1 - f.CP + 0.0225 * hull.lcb;
  if (!(run > 0)) {
    bad_value("lcb (centre of buoyancy)", hull.lcb, "% of L",
              "the 1982 form factor needs 1 - CP + 0.0225 lcb above zero");
  }
  const double c13 = 1 + 0.003 * hull.Cstern;
  return c13 * (0.93 + c12(f.T / hull.L) * std::pow(hull.B / f.LR, 0.92497) *
                           std::pow(0.95 - f.CP, -0.521448) * std::pow(run, 0.6906));
}

double form_factor_1984(const Hull& hull, const HullForm& f) {
  const double L = hull.L;
  const double c14 = 1 + 0.011 * hull.Cstern;
  return 0.93 + 0.487118 * c14 * std::pow(hull.B / L, 1.06806) * std::pow(f.T / L, 0.46106) *
                    std::pow(L / f.LR, 0.121563) * std::pow(L * L * L / hull.volume, 0.36486) *
                    std::pow(1 - f.CP, -0.604247);
}

// --- Wave resistance ------------------------------------------------------------------------

double c7(double B_over_L) {
  if (B_over_L < 0.11) return 0.229577 * std::pow(B_over_L, 0.33333);
  if (B_over_L < 0.25) return B_over_L;
  return 0.5 - 0.0625 / B_over_L;  // 0.5 - 0.0625 L/B
}

double c15(double L, double volume) {
  const double slenderness = L * L * L / volume;  // L^3 / vol
  if (slenderness < 512) return -1.69385;
  if (slenderness < 1726.91) return -1.69385 + (L / std::cbrt(volume) - 8.0) / 2.36;
  return 0;
}

double c16(double CP) {
  if (CP < 0.80) return 8.07981 * CP - 13.8673 * CP * CP + 6.984388 * CP * CP * CP;
  return 1.73014 - 0.7067 * CP;
}

double lambda(double CP, double L_over_B) {
  if (L_over_B < 12) return 1.446 * CP - 0.03 * L_over_B;
  return 1.446 * CP - 0.36;
}

WaveCoefficients wave_coefficients(const Hull& hull, const HullForm& f, const Water& water) {
  const double L = hull.L, B = hull.B, T = f.T, vol = hull.volume;
  WaveCoefficients k{};
  k.CP = f.CP;
  k.weight_N = vol * water.rho * water.g;
  k.c7 = c7(B / L);
  k.c1 =
      2223105 * std::pow(k.c7, 3.78613) * std::pow(T / B, 1.07961) * std::pow(90 - f.iE, -1.37565);
  k.c3 = hull.ABT > 0 ? 0.56 * std::pow(hull.ABT, 1.5) /
                            (B * T * (0.31 * std::sqrt(hull.ABT) + hull.TF - hull.hB))
                      : 0.0;
  k.c2 = std::exp(-1.89 * std::sqrt(k.c3));
  k.c5 = 1 - 0.8 * hull.AT / (B * T * hull.CM);
  k.c15 = c15(L, vol);
  k.c16 = c16(f.CP);
  k.m1 = 0.0140407 * L / T - 1.75254 * std::cbrt(vol) / L - 4.79323 * B / L - k.c16;
  k.lambda = lambda(f.CP, L / B);
  k.c17 = L / B > 2 ? 6919.3 * std::pow(hull.CM, -1.3346) * std::pow(vol / (L * L * L), 2.00977) *
                          std::pow(L / B - 2, 1.40692)
                    : std::numeric_limits<double>::quiet_NaN();
  k.m3 = -7.2035 * std::pow(B / L, 0.326869) * std::pow(T / B, 0.605375);
  return k;
}

namespace {
constexpr double d = -0.9;
}  // namespace

double m2(double c15_value, double CP, double Fn) {
  return c15_value * CP * CP * std::exp(-0.1 / (Fn * Fn));
}

double wave_resistance_1982(const WaveCoefficients& k, double Fn) {
  return k.c1 * k.c2 * k.c5 * k.weight_N *
         std::exp(k.m1 * std::pow(Fn, d) + m2(k.c15, k.CP, Fn) * std::cos(k.lambda / (Fn * Fn)));
}

double m4(double c15_value, double F) {
  return c15_value * 0.4 * std::exp(-0.034 * std::pow(F, -3.29));
}

double wave_resistance_low_speed(const WaveCoefficients& k, double F) {
  return k.c1 * k.c2 * k.c5 * k.weight_N *
         std::exp(k.m1 * std::pow(F, d) + m4(k.c15, F) * std::cos(k.lambda / (F * F)));
}

double wave_resistance_high_speed(const WaveCoefficients& k, double F) {
  return k.c17 * k.c2 * k.c5 * k.weight_N *
         std::exp(k.m3 * std::pow(F, d) + m4(k.c15, F) * std::cos(k.lambda / (F * F)));
}

double wave_resistance_1984(const WaveCoefficients& k, double Fn) {
  if (Fn <= 0.40) return wave_resistance_low_speed(k, Fn);
  if (Fn >= 0.55) return wave_resistance_high_speed(k, Fn);
  // Both ends evaluated whole at their own Froude numbers, m4 included: a straight line in Fn.
  const double low = wave_resistance_low_speed(k, 0.40);
  const double high = wave_resistance_high_speed(k, 0.55);
  return low + (10 * Fn - 4) * (high - low) / 1.5;
}

// --- Bulb, transom, correlation -------------------------------------------------------------

double bulb_emergence(const Hull& hull) {
  return 0.56 * std::sqrt(hull.ABT) / (hull.TF - 1.5 * hull.hB);
}

double bulb_froude_number(const Hull& hull, double V_mps, double g) {
  return V_mps /
         std::sqrt(g * (hull.TF - hull.hB - 0.25 * std::sqrt(hull.ABT)) + 0.15 * V_mps * V_mps);
}

double transom_froude_number(const Hull& hull, double V_mps, double g) {
  return V_mps / std::sqrt(2 * g * hull.AT / (hull.B + hull.B * hull.CWP));
}

double c6(double FnT) {
  if (FnT < 5) return 0.2 * (1 - 0.2 * FnT);
  return 0;
}

double c4(double TF_over_L) {
  if (TF_over_L <= 0.04) return TF_over_L;
  return 0.04;
}

double correlation_allowance(const Hull& hull, const HullForm& f, double c2) {
  const double L = hull.L;
  const double CB4 = f.CB * f.CB * f.CB * f.CB;
  return 0.006 * std::pow(L + 100, -0.16) - 0.00205 +
         0.003 * std::sqrt(L / 7.5) * CB4 * c2 * (0.04 - c4(hull.TF / L));
}

// --- Hull-propeller interaction -------------------------------------------------------------

double c8(double B, double TA, double S, double L, double D) {
  if (B / TA < 5) return B * S / (L * D * TA);
  return S * (7 * B / TA - 25) / (L * D * (B / TA - 3));
}

double c9(double c8_value) {
  if (c8_value < 28) return c8_value;
  return 32 - 16 / (c8_value - 24);
}

double c11(double TA_over_D) {
  if (TA_over_D < 2) return TA_over_D;
  return 0.0833333 * TA_over_D * TA_over_D * TA_over_D + 1.33333;
}

double c19(double CB, double CP, double CM) {
  if (CP < 0.7) return 0.12997 / (0.95 - CB) - 0.11056 / (0.95 - CP);
  return 0.18567 / (1.3571 - CM) - 0.71276 + 0.38648 * CP;
}

double c10(double B_over_L) {
  if (1 / B_over_L > 5.2) return B_over_L;
  return 0.25 - 0.003328402 / (B_over_L - 0.134615385);
}

}  // namespace holtrop

// --- The public functions -------------------------------------------------------------------

inline namespace v0_1 {

using namespace holtrop;

Resistance resistance(const Hull& hull, double V_mps, ResistanceMethod method, const Water& water,
                      CorrelationArea correlation_area) {
  const HullForm f = hull_form(hull);
  check_water(water);
  require_finite("V (speed)", V_mps);
  if (V_mps < 0) bad_value("V (speed)", V_mps, "m/s", "must not be negative");
  if (method != ResistanceMethod::HoltropMennen1982 && method != ResistanceMethod::Holtrop1984) {
    bad_value("method", static_cast<double>(method), "", "not a resistance method");
  }
  if (correlation_area != CorrelationArea::HullAndAppendages &&
      correlation_area != CorrelationArea::Hull) {
    bad_value("correlation_area", static_cast<double>(correlation_area), "", "not an area");
  }

  Resistance r{};
  r.V = V_mps;
  r.S = f.S;
  r.iE = f.iE;
  r.form_factor = method == ResistanceMethod::HoltropMennen1982 ? form_factor_1982(hull, f)
                                                                : form_factor_1984(hull, f);
  const WaveCoefficients k = wave_coefficients(hull, f, water);
  r.CA = correlation_allowance(hull, f, k.c2);
  if (V_mps == 0) return r;  // every force zero; Fn^-0.9 and log10(Rn) have no value here

  const double V = V_mps, rho = water.rho, g = water.g;
  r.Fn = V / std::sqrt(g * hull.L);
  r.Rn = V * hull.L / water.nu;
  if (!(r.Rn > 100)) {
    bad_value("V (speed)", V, "m/s",
              "the Reynolds number is 100 or less, where the friction line has no value");
  }
  r.CF = friction_coefficient(r.Rn);
  const double q = 0.5 * rho * V * V;  // dynamic pressure, Pa

  r.RF = q * f.S * r.CF;
  r.RAPP = q * hull.SAPP * hull.one_plus_k2 * r.CF;
  if (method == ResistanceMethod::HoltropMennen1982) {
    r.RW = wave_resistance_1982(k, r.Fn);
  } else {
    if (r.Fn > 0.40 && std::isnan(k.c17)) {
      bad_derived("L/B", hull.L / hull.B, "",
                  "the 1984 wave resistance above Fn 0.40 needs L/B above 2");
    }
    r.RW = wave_resistance_1984(k, r.Fn);
  }
  if (hull.ABT > 0) {
    if (!(g * (hull.TF - hull.hB - 0.25 * std::sqrt(hull.ABT)) + 0.15 * V * V > 0)) {
      bad_value("hB (bulb centroid height)", hull.hB, "m",
                "too high for the bulb's immersion Froude number");
    }
    const double PB = bulb_emergence(hull);
    const double Fni = bulb_froude_number(hull, V, g);
    r.RB = 0.11 * std::exp(-3 / (PB * PB)) * Fni * Fni * Fni * std::pow(hull.ABT, 1.5) * rho * g /
           (1 + Fni * Fni);
  }
  if (hull.AT > 0) r.RTR = q * hull.AT * c6(transom_froude_number(hull, V, g));
  const double S_RA =
      correlation_area == CorrelationArea::HullAndAppendages ? f.S + hull.SAPP : f.S;
  r.RA = q * S_RA * r.CA;
  r.RT = r.RF * r.form_factor + r.RAPP + r.RW + r.RB + r.RTR + r.RA;
  r.PE = r.RT * V;
  return r;
}

Appendages equivalent_appendages(std::span<const Appendage> appendages) {
  if (appendages.empty()) bad("appendages: none given");
  double area = 0, weighted = 0;
  for (const Appendage& a : appendages) {
    require_positive("appendage S (wetted area)", a.S, "m2");
    require_finite("appendage one_plus_k2 (form factor 1 + k2)", a.one_plus_k2);
    if (a.one_plus_k2 < 1) {
      bad_value("appendage one_plus_k2 (form factor 1 + k2)", a.one_plus_k2, "",
                "must be 1 or more (the form factor 1 + k2, not k2)");
    }
    area += a.S;
    weighted += a.one_plus_k2 * a.S;
  }
  return {area, weighted / area};
}

double bow_thruster_resistance(double d, double CBTO, double V_mps, const Water& water) {
  require_positive("d (bow-thruster tunnel diameter)", d, "m");
  require_positive("CBTO (bow-thruster tunnel coefficient)", CBTO, "");
  require_finite("V (speed)", V_mps);
  if (V_mps < 0) bad_value("V (speed)", V_mps, "m/s", "must not be negative");
  check_water(water);
  constexpr double pi = 3.141592653589793;
  return water.rho * V_mps * V_mps * pi * d * d * CBTO;
}

double roughness_allowance(double ks, double L) {
  require_positive("ks (hull roughness)", ks, "m");
  require_positive("L (length on the waterline)", L, "m");
  return (0.105 * std::cbrt(ks) - 0.005579) / std::cbrt(L);
}

PropulsionFactors propulsion_factors(const Hull& hull, const Resistance& resistance, Screws screws,
                                     double D, double EAR, double PD,
                                     const PropulsionOptions& options) {
  const HullForm f = hull_form(hull);
  require_positive("D (propeller diameter)", D, "m");
  require_finite("resistance CF", resistance.CF);
  require_finite("resistance CA", resistance.CA);
  require_finite("resistance form_factor (1 + k1)", resistance.form_factor);
  const double L = hull.L, B = hull.B, TA = hull.TA, T = f.T, CP = f.CP, CB = f.CB;
  const double lcb = hull.lcb, Cstern = hull.Cstern;

  // Viscous resistance coefficient CV = (1 + k) CF + CA.
  double one_plus_k = resistance.form_factor;
  if (options.viscous_form_factor == ViscousFormFactor::HullAndAppendages) {
    one_plus_k += (hull.one_plus_k2 - resistance.form_factor) * hull.SAPP / (f.S + hull.SAPP);
  } else if (options.viscous_form_factor != ViscousFormFactor::Hull) {
    bad_value("viscous_form_factor", static_cast<double>(options.viscous_form_factor), "",
              "not a form factor choice");
  }
  const double CV = one_plus_k * resistance.CF + resistance.CA;

  PropulsionFactors p{};
  if (screws == Screws::Twin) {
    require_positive("PD (pitch ratio)", PD, "");
    p.w = 0.3095 * CB + 10 * CV * CB - 0.23 * D / std::sqrt(B * T);
    p.t = 0.325 * CB - 0.1885 * D / std::sqrt(B * T);
    p.etaR = 0.9737 + 0.111 * (CP - 0.0225 * lcb) - 0.06325 * PD;
    return p;
  }
  if (screws != Screws::Single) bad_value("screws", static_cast<double>(screws), "", "not 1 or 2");
  require_positive("EAR (expanded blade-area ratio)", EAR, "");

  const double CP1 = 1.45 * CP - 0.315 - 0.0225 * lcb;
  if (!(1 - CP1 > 0)) {
    bad_derived("CP1 (1.45 CP - 0.315 - 0.0225 lcb)", CP1, "",
                "the wake fraction needs CP1 below 1");
  }
  const double c9_value = c9(c8(B, TA, f.S, L, D));
  const double c11_value = c11(TA / D);
  p.etaR = 0.9922 - 0.05908 * EAR + 0.07424 * (CP - 0.0225 * lcb);

  if (options.single_screw_formulas == ResistanceMethod::HoltropMennen1982) {
    if (CP >= 0.95) {
      bad_derived("CP (prismatic coefficient)", CP, "",
                  "the 1982 wake fraction is undefined for CP 0.95 or more");
    }
    p.w = c9_value * CV * (L / TA) * (0.0661875 + 1.21756 * c11_value * CV / (1 - CP1)) +
          0.24558 * std::sqrt(B / (L * (1 - CP1))) - 0.09726 / (0.95 - CP) + 0.11434 / (0.95 - CB) +
          0.75 * Cstern * CV + 0.002 * Cstern;
    p.t = 0.001979 * L / (B - B * CP1) + 1.0585 * c10(B / L) - 0.00524 - 0.1418 * D * D / (B * T) +
          0.0015 * Cstern;
    return p;
  }
  if (options.single_screw_formulas != ResistanceMethod::Holtrop1984) {
    bad_value("single_screw_formulas", static_cast<double>(options.single_screw_formulas), "",
              "not a method");
  }
  const double run = 1 - CP + 0.0225 * lcb;
  if (!(run > 0)) {
    bad_value("lcb (centre of buoyancy)", lcb, "% of L",
              "the thrust deduction needs 1 - CP + 0.0225 lcb above zero");
  }
  const double c20 = 1 + 0.015 * Cstern;
  p.w = c9_value * c20 * CV * (L / TA) * (0.050776 + 0.93405 * c11_value * CV / (1 - CP1)) +
        0.27915 * c20 * std::sqrt(B / (L * (1 - CP1))) + c19(CB, CP, hull.CM) * c20;
  p.t = 0.25014 * std::pow(B / L, 0.28956) * std::pow(std::sqrt(B * T) / D, 0.2624) /
            std::pow(run, 0.01762) +
        0.0015 * Cstern;
  return p;
}

}  // namespace v0_1
}  // namespace tidewerk
