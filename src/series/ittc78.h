// ITTC78 viscous (scale) correction of the Wageningen B coefficients: the blade-section drag
// of a reference condition (ITTC78 friction line at the reference Reynolds number) against
// the full-scale drag (roughness formula), turned into corrections of Kt and Kq.
//
// Every quantity is a single-precision value; each is computed as an expression in double
// from its float operands and rounded to float when it is stored.
#pragma once

namespace tidewerk {

// Quantities prepared for the correction from the operating point (Wageningen B procedure).
struct Ittc78Inputs {
  float Ds = 0;        // diameter used, m: D, or Va / ((N / 60) * J) when D < 0.001
  int Zi = 0;          // blade number truncated toward zero
  float c = 0;         // chord at 0.75R, m: EAR * Ds * factor / Z (2.1475 for Zi = 3, else 2.073)
  float t = 0;         // section thickness at 0.75R, m: (0.0185 - 0.00125 * Z) * Ds
  float t_over_c = 0;  // thickness ratio t / c
  float c_over_d = 0;  // chord ratio c / Ds
  float s = 0;         // scale ratio 0.24 / Ds
  float n_r = 0;       // reference rotation rate, rev/s (10)
  float nu = 0;        // kinematic viscosity of the reference Reynolds number, m2/s (1.13902e-06)
};

// The intermediate values of the correction, in the order they are formed.
struct Ittc78Terms {
  float cs = 0;     // chord (c/D) * D, m
  float cr = 0;     // reference chord cs / s, m
  float Dr = 0;     // reference diameter D / s, m
  float Rn = 0;     // reference Reynolds number n_r * pi * Dr * cr * 0.75 / nu
  float CDr = 0;    // reference drag coefficient (ITTC78 friction line)
  float CDs = 0;    // full-scale drag coefficient (roughness formula, roughness 3e-05 m)
  float delta = 0;  // CDs - CDr
  float dKt = 0;    // -0.28 * Zi * (c/D) * (P/D) * delta
  float dKq = 0;    // 0.248 * Zi * (c/D) * delta
};

// All steps of the correction for diameter D, pitch ratio pd, blade number Zi, thickness
// ratio t_over_c, chord ratio c_over_d, scale ratio s, reference rotation rate n_r and
// kinematic viscosity nu.  No guards: a zero or negative chord, diameter or Reynolds number
// is used as it is.
Ittc78Terms ittc78_terms(float D, float pd, int Zi, float t_over_c, float c_over_d, float s,
                         float n_r, float nu);

}  // namespace tidewerk
