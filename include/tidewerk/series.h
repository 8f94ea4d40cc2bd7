// Tidewerk series library: open-water characteristics of the Wageningen B, Gawn and KCA
// propeller series from their regression polynomials, with the ITTC78 scale correction of the
// Wageningen B series.
//
// Every function here is pure: it reads its arguments and returns its results, and touches no
// shared state.  Results are single-precision values formed exactly as the Tidewerk program
// forms them (float products and sums in the order of the published tables), so a library
// user gets the program's digits.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "tidewerk/version.h"

TIDEWERK_BEGIN_NAMESPACE

// The three systematic series, numbered as on line 16 of a task file.
enum class Series { WageningenB = 1, Gawn = 2, Kca = 3 };

// A propeller at one advance coefficient: J = Va / (n D), pitch ratio P/D, expanded blade-area
// ratio Ae/Ao and blade number (a whole number held as a real).
struct OperatingPoint {
  float J;
  float pd;
  float ear;
  float z;
};

// Full-scale conditions of the ITTC78 correction (Wageningen B only): diameter m, advance speed
// m/s, shaft speed RPM.  No correction when both Va and N are below 0.001.  A diameter below
// 0.001 is replaced by Va / ((N / 60) J).
struct Ittc78Conditions {
  float D;
  float Va;
  float N;
};

// Open-water coefficients at one point.  J and z are the values the polynomials used: a J of
// magnitude below 0.001 is raised to 0.001, and the Gawn and KCA blade-number rules may change z.
struct OpenWater {
  float J;
  float z;
  float Kt;    // thrust coefficient T / (rho n^2 D^4)
  float Kq;    // torque coefficient Q / (rho n^2 D^5)
  float eta0;  // open-water efficiency (Kt / Kq) J / (2 pi)
};

// Kt, Kq and eta0 of `series` at `point`.  With `full_scale` the Wageningen B coefficients are
// corrected to full scale by ITTC78; the Gawn and KCA series are never corrected.
OpenWater evaluate(Series series, const OperatingPoint& point,
                   std::optional<Ittc78Conditions> full_scale = std::nullopt);

// One propeller over many advance coefficients: out[i] is bit-identical to evaluate() at J[i],
// for i below the smaller of the two sizes.  The J-independent part of every term is formed
// once; the terms then run over blocks of J.
void evaluate_grid(Series series, float pd, float ear, float z, std::span<const float> J,
                   std::span<OpenWater> out,
                   std::optional<Ittc78Conditions> full_scale = std::nullopt);

// True when evaluate() corrects `series` at `full_scale`: the series takes the ITTC78
// correction, conditions are given, and Va and N are not both below 0.001.
bool ittc78_applied(Series series, std::optional<Ittc78Conditions> full_scale);

// How a series treats the blade number before evaluating.
enum class BladeNumberRule {
  AsGiven,      // Wageningen B: Z enters the polynomials as given, fractions included
  ThreeBlades,  // Gawn: a Z further than 0.01 from 3 is replaced by 3
  ThreeToFive,  // KCA: Z below 2.99 becomes 3, above 5.01 becomes 5; Z has no term
};

// What a caller needs to know about one series: its name and the ranges its polynomials were
// fitted on (outside them the coefficients are extrapolated).
struct SeriesFacts {
  Series series;
  std::string_view name;  // "Wageningen B"
  float PDmin, PDmax;     // pitch ratios P/D of the fitted models
  float EARmin, EARmax;   // expanded blade-area ratios Ae/Ao of the fitted models
  int Zmin, Zmax;         // blade numbers of the fitted models
  bool ittc78;            // evaluate() applies the ITTC78 correction to this series
  BladeNumberRule blade_rule;
};

// The facts of a series.
const SeriesFacts& series_facts(Series series);

// The series with task-file number `number`, or nothing for any other number.
std::optional<Series> series_from_number(int number);

// The blade number the series' polynomials use for `z` (the rule of SeriesFacts::blade_rule).
float blade_number_used(Series series, float z);

TIDEWERK_END_NAMESPACE
