// The two worked examples of the Holtrop-Mennen method through the installed library alone:
// prints each resistance row and exits 1 when one misses its published value by more than the
// tolerance its printed digits allow.
#include <tidewerk/ship.h>

#include <cmath>
#include <cstdio>

using namespace tidewerk;

static int failures = 0;

static void check(const char* row, double computed_kN, double published_kN, double percent) {
  const bool ok = std::fabs(computed_kN - published_kN) <= std::fabs(published_kN) * percent / 100;
  std::printf("%s RT_kN %.2f published %.2f %s\n", row, computed_kN, published_kN,
              ok ? "ok" : "MISS");
  if (!ok) ++failures;
}

int main() {
  const Hull a{.L = 205,
               .B = 32,
               .TF = 10,
               .TA = 10,
               .volume = 37500,
               .lcb = -0.75,
               .CM = 0.98,
               .CWP = 0.75,
               .ABT = 20,
               .hB = 4,
               .AT = 16,
               .SAPP = 50,
               .one_plus_k2 = 1.5,
               .Cstern = 10,
               .S = {},
               .iE = {}};
  const Resistance ra = resistance(a, 25 * knot, ResistanceMethod::HoltropMennen1982);
  check("anchor_a", ra.RT / 1000, 1793.26, 0.05);
  const Resistance ra_hull =
      resistance(a, 25 * knot, ResistanceMethod::HoltropMennen1982, Water{}, CorrelationArea::Hull);
  check("anchor_a_hull", ra_hull.RT / 1000, 1793.26, 0.1);

  const Hull b{.L = 50,
               .B = 12,
               .TF = 3.1,
               .TA = 3.3,
               .volume = 900,
               .lcb = -4.5,
               .CM = 0.78,
               .CWP = 0.80,
               .ABT = 0,
               .hB = 0,
               .AT = 10,
               .SAPP = 50,
               .one_plus_k2 = 3.0,
               .Cstern = 0,
               .S = 584.9,
               .iE = 25.0};
  const double knots[] = {25, 27, 29, 31, 33, 35};
  const double published_kN[] = {662, 715, 756, 807, 864, 925};
  for (int k = 0; k < 6; ++k) {
    char row[32];
    std::snprintf(row, sizeof row, "anchor_b_%.0f", knots[k]);
    check(row, resistance(b, knots[k] * knot, ResistanceMethod::Holtrop1984).RT / 1000,
          published_kN[k], 0.15);
  }

  const PropulsionFactors p = propulsion_factors(a, ra, Screws::Single, 8, 0.7, 1.0);
  std::printf("propulsion w %.4f t %.4f etaR %.4f\n", p.w, p.t, p.etaR);
  return failures == 0 ? 0 : 1;
}
