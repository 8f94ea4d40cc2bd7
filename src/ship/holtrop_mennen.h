// The Holtrop-Mennen method step by step: the hull quantities derived from the inputs, each
// branched coefficient as a function of its argument, and each wave-resistance formula.
// resistance() and propulsion_factors() of tidewerk/ship.h are built from these.
//
// Sources: Holtrop and Mennen, "An approximate power prediction method", ISP 29 (1982) and
// Holtrop, "A statistical re-analysis of resistance and propulsion data", ISP 31 (1984).  lcb is
// in % of L, positive forward of L/2; iE in degrees; every L is the waterline length.
#pragma once

#include <string>

#include "tidewerk/ship.h"

namespace tidewerk::holtrop {

// The quantities every formula shares, derived once from a checked hull.
struct HullForm {
  double T;   // mean draught (TF + TA) / 2, m
  double CB;  // block coefficient vol / (L B T)
  double CP;  // prismatic coefficient vol / (L B T CM)
  double LR;  // length of run L (1 - CP + 0.06 CP lcb / (4 CP - 1)), m
  double S;   // hull wetted area, m2: given, or estimated (1982)
  double iE;  // half angle of entrance, degrees: given, or estimated (1982)
};

// Checks every input of the hull and derives its form.  Throws std::invalid_argument naming the
// first bad input and its value.
HullForm hull_form(const Hull& hull);

// Checks the water's density, viscosity and gravity.
void check_water(const Water& water);

// The value as the messages show it: shortest round-trip form.
std::string shown(double value);

// Hull wetted area estimate, m2 (1982), with T the mean draught and CB the block coefficient.
double wetted_area_estimate(const Hull& hull, double T, double CB);
// Half angle of entrance estimate, degrees (1982).
double entrance_angle_estimate(const Hull& hull, double CP, double LR);

// ITTC-1957 friction line CF at Reynolds number Rn (above 100).
double friction_coefficient(double Rn);

// Form factor 1 + k1: the 1982 form with its draught coefficient c12(T/L), and the 1984 form.
double c12(double T_over_L);
double form_factor_1982(const Hull& hull, const HullForm& form);
double form_factor_1984(const Hull& hull, const HullForm& form);

// The branched wave-resistance coefficients.
double c7(double B_over_L);
double c15(double L, double volume);  // branches on L^3 / vol, middle branch in L / vol^(1/3)
double c16(double CP);
double lambda(double CP, double L_over_B);

// Everything of the wave resistance that depends on the hull alone.
struct WaveCoefficients {
  double c1, c2, c3, c5, c7, c15, c16, m1, lambda;
  double c17, m3;   // 1984 high-speed branch; c17 is NaN where L/B <= 2
  double CP;        // prismatic coefficient
  double weight_N;  // vol rho g, N
};
WaveCoefficients wave_coefficients(const Hull& hull, const HullForm& form, const Water& water);

// 1982 wave resistance, N, with m2 = c15 CP^2 exp(-0.1 Fn^-2).
double m2(double c15, double CP, double Fn);
double wave_resistance_1982(const WaveCoefficients& k, double Fn);

// 1984 wave resistance, N: m4 of the cosine term; the low-speed RWa and high-speed RWb at a
// Froude number F; the whole of it (RWa to 0.40, RWb from 0.55, the straight line between
// RWa(0.40) and RWb(0.55) in between).
double m4(double c15, double F);
double wave_resistance_low_speed(const WaveCoefficients& k, double F);
double wave_resistance_high_speed(const WaveCoefficients& k, double F);
double wave_resistance_1984(const WaveCoefficients& k, double Fn);

// Bulbous bow: the emergence measure PB and the immersion Froude number Fni at speed V (m/s).
double bulb_emergence(const Hull& hull);
double bulb_froude_number(const Hull& hull, double V_mps, double g);
// Transom Froude number FnT at speed V (m/s) and the transom coefficient c6(FnT).
double transom_froude_number(const Hull& hull, double V_mps, double g);
double c6(double FnT);

// Correlation allowance CA with c4 = min(TF/L, 0.04) and the bulb coefficient c2.
double c4(double TF_over_L);
double correlation_allowance(const Hull& hull, const HullForm& form, double c2);

// Hull-propeller interaction coefficients, D the propeller diameter in m.
double c8(double B, double TA, double S, double L, double D);
double c9(double c8);
double c11(double TA_over_D);
double c19(double CB, double CP, double CM);
double c10(double B_over_L);

}  // namespace tidewerk::holtrop
