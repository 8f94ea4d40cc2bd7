// The parts of the Holtrop-Mennen method the published examples do not reach: every branch point
// of every branched coefficient, the propulsion factors of the 1982 example hull, the equivalent
// appendage form factor, speed zero, hulls without bulb or transom, the inputs that are refused
// with their messages, and the fitted-range sentences.
#include "ship/holtrop_mennen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ship/example_hulls.h"
#include "tidewerk/ship.h"

namespace tidewerk {
namespace {

using holtrop::HullForm;

// --- Branch continuity ------------------------------------------------------------------------

// A coefficient as a function of the quantity it branches on, the switch point, and the largest
// jump the rounding of its published constants explains.  A mistyped constant in a branch the
// examples never reach shows as a larger jump.
struct SwitchPoint {
  const char* name;
  std::function<double(double)> coefficient;
  double at;
  double tolerance;
};

TEST(HoltropMennenBranches, EveryCoefficientIsContinuousAtItsSwitchPoints) {
  using namespace holtrop;
  const std::vector<SwitchPoint> points = {
      {"c7 at B/L 0.11", [](double x) { return c7(x); }, 0.11, 1e-5},
      {"c7 at B/L 0.25", [](double x) { return c7(x); }, 0.25, 1e-5},
      {"c12 at T/L 0.05", [](double x) { return c12(x); }, 0.05, 1e-5},
      {"c12 at T/L 0.02", [](double x) { return c12(x); }, 0.02, 1e-5},
      {"c15 at L^3/vol 512", [](double x) { return c15(100, 1e6 / x); }, 512, 1e-5},
      {"c15 at L^3/vol 1726.91", [](double x) { return c15(100, 1e6 / x); }, 1726.91, 1e-5},
      {"c16 at CP 0.80", [](double x) { return c16(x); }, 0.80, 1e-5},
      {"lambda at L/B 12", [](double x) { return lambda(0.6, x); }, 12, 1e-5},
      {"c6 at FnT 5", [](double x) { return c6(x); }, 5, 1e-5},
      {"c4 at TF/L 0.04", [](double x) { return c4(x); }, 0.04, 1e-5},
      {"c8 at B/TA 5", [](double x) { return c8(50, 50 / x, 7000, 200, 8); }, 5, 1e-5},
      {"c9 at c8 28", [](double x) { return c9(x); }, 28, 1e-5},
      {"c11 at TA/D 2", [](double x) { return c11(x); }, 2, 1e-5},
      {"c19 at CP 0.7 (CB = CP CM)", [](double x) { return c19(0.98 * x, x, 0.98); }, 0.7, 1e-4},
      {"c10 at L/B 5.2", [](double x) { return c10(1 / x); }, 5.2, 1e-5},
  };
  for (const SwitchPoint& p : points) {
    const double below = p.coefficient(p.at * (1 - 1e-9));
    const double above = p.coefficient(p.at * (1 + 1e-9));
    EXPECT_NEAR(below, above, p.tolerance) << p.name;
  }
}

TEST(HoltropMennenBranches, The1984WaveResistanceIsContinuousAtFn040And055) {
  const Hull hull = fast_ship_1984();
  for (const double Fn : {0.40, 0.55}) {
    const double V = Fn * std::sqrt(9.81 * hull.L);
    const double below = resistance(hull, V * (1 - 1e-9), ResistanceMethod::Holtrop1984).RW;
    const double above = resistance(hull, V * (1 + 1e-9), ResistanceMethod::Holtrop1984).RW;
    EXPECT_NEAR(below, above, 1e-5 * above) << "Fn " << Fn;
  }
}

// The blend is a straight line in Fn between the two ends, each evaluated whole (m4 at 0.40 and
// at 0.55): 231.704 kN at Fn 0.45.  m4 taken at 0.45 in both ends gives 220.4 kN.
TEST(HoltropMennenBranches, BlendPinAtFn045) {
  const Hull hull = fast_ship_1984();
  const double V = 0.45 * std::sqrt(9.81 * hull.L);
  EXPECT_NEAR(resistance(hull, V, ResistanceMethod::Holtrop1984).RW / 1000, 231.704, 231.704e-4);
}

// --- Propulsion factors -----------------------------------------------------------------------

struct PropulsionPin {
  const char* name;
  ResistanceMethod method;  // of the resistance run (its form factor enters CV)
  Screws screws;
  double D, EAR, PD;
  PropulsionOptions options;
  double w, t, etaR, etaH;  // NaN where not pinned
};

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
constexpr PropulsionOptions k1982SingleScrew{.single_screw_formulas =
                                                 ResistanceMethod::HoltropMennen1982};

// Computed by the formulas of the two papers for the 1982 example hull at 25 kn; not published.
// They catch sqrt(B T / D) or sqrt(B T) / volume in t, the sign of P/D and a wrong draught.
const PropulsionPin kPropulsionPins[] = {
    {"single screw, D 8 m, EAR 0.7",
     ResistanceMethod::HoltropMennen1982,
     Screws::Single,
     8,
     0.7,
     0,
     {},
     0.2740,
     0.1984,
     0.9954,
     1.1042},
    {"single screw, 1982 forms", ResistanceMethod::HoltropMennen1982, Screws::Single, 8, 0.7, 0,
     k1982SingleScrew, 0.2580, 0.1747, 0.9954, kNone},
    {"twin screw, D 5.5 m, P/D 1.0",
     ResistanceMethod::HoltropMennen1982,
     Screws::Twin,
     5.5,
     0,
     1.0,
     {},
     0.1174,
     0.1278,
     0.9771,
     0.9882},
    {"single screw, 1984 form factor",
     ResistanceMethod::Holtrop1984,
     Screws::Single,
     8,
     0.7,
     0,
     {},
     0.2749,
     0.1984,
     0.9954,
     kNone},
    {"twin screw, 1984 form factor",
     ResistanceMethod::Holtrop1984,
     Screws::Twin,
     5.5,
     0,
     1.0,
     {},
     0.1176,
     0.1278,
     0.9771,
     kNone},
};

void expect_pinned(double value, double pin, const std::string& what) {
  if (!std::isnan(pin)) EXPECT_NEAR(value, pin, 1e-4) << what;
}

TEST(HoltropMennenPropulsion, FactorsOfThe1982ExampleHull) {
  const Hull hull = example_1982();
  for (const PropulsionPin& pin : kPropulsionPins) {
    const Resistance r = resistance(hull, 25 * knot, pin.method);
    const PropulsionFactors p =
        propulsion_factors(hull, r, pin.screws, pin.D, pin.EAR, pin.PD, pin.options);
    expect_pinned(p.w, pin.w, std::string(pin.name) + ": w");
    expect_pinned(p.t, pin.t, std::string(pin.name) + ": t");
    expect_pinned(p.etaR, pin.etaR, std::string(pin.name) + ": etaR");
    expect_pinned((1 - p.t) / (1 - p.w), pin.etaH, std::string(pin.name) + ": etaH");
  }
}

TEST(HoltropMennenPropulsion, IntermediateCoefficientsOfThe1982ExampleHull) {
  const Hull hull = example_1982();
  const HullForm f = holtrop::hull_form(hull);
  EXPECT_NEAR(holtrop::c8(hull.B, hull.TA, f.S, hull.L, 8), 14.4028, 5e-5);
  EXPECT_NEAR(holtrop::c9(holtrop::c8(hull.B, hull.TA, f.S, hull.L, 8)), 14.4028, 5e-5);
  EXPECT_NEAR(holtrop::c11(hull.TA / 8), 1.25, 1e-12);
  EXPECT_NEAR(holtrop::c19(f.CB, f.CP, hull.CM), 0.04200, 5e-6);
  EXPECT_NEAR(holtrop::c10(hull.B / hull.L), 0.15610, 5e-6);
}

TEST(HoltropMennenPropulsion, ALargerPropellerLowersTheThrustDeduction) {
  const Hull hull = example_1982();
  const Resistance r = resistance(hull, 25 * knot, ResistanceMethod::HoltropMennen1982);
  for (const PropulsionPin& pin : kPropulsionPins) {
    const double t = propulsion_factors(hull, r, pin.screws, pin.D, 0.7, 1.0, pin.options).t;
    const double t_doubled =
        propulsion_factors(hull, r, pin.screws, 2 * pin.D, 0.7, 1.0, pin.options).t;
    EXPECT_LT(t_doubled, t) << pin.name;
  }
}

// The older combined form factor of CV raises the single-screw w of the example by about 0.0001.
TEST(HoltropMennenPropulsion, CombinedFormFactorInCVRaisesTheWakeSlightly) {
  const Hull hull = example_1982();
  const Resistance r = resistance(hull, 25 * knot, ResistanceMethod::HoltropMennen1982);
  const double w = propulsion_factors(hull, r, Screws::Single, 8, 0.7, 0).w;
  const double w_combined =
      propulsion_factors(hull, r, Screws::Single, 8, 0.7, 0,
                         {.viscous_form_factor = ViscousFormFactor::HullAndAppendages})
          .w;
  EXPECT_GT(w_combined, w);
  EXPECT_NEAR(w_combined - w, 0.0001, 0.00005);
}

// --- Appendages -------------------------------------------------------------------------------

TEST(HoltropMennenAppendages, EquivalentFormFactorIsTheAreaWeightedMean) {
  const Appendage rudder_skeg_shafts[] = {{30, 1.5}, {10, 3.0}, {10, 2.0}};
  const Appendages eq = equivalent_appendages(rudder_skeg_shafts);
  EXPECT_DOUBLE_EQ(eq.SAPP, 50);
  EXPECT_DOUBLE_EQ(eq.one_plus_k2, 1.9);
  const Appendage one[] = {{12, 2.8}};
  EXPECT_DOUBLE_EQ(equivalent_appendages(one).one_plus_k2, 2.8);
}

TEST(HoltropMennenAppendages, RefusesNoAppendagesAndK2GivenForOnePlusK2) {
  EXPECT_THROW(equivalent_appendages({}), std::invalid_argument);
  const Appendage k2_not_one_plus_k2[] = {{30, 0.5}};
  EXPECT_THROW(equivalent_appendages(k2_not_one_plus_k2), std::invalid_argument);
  const Appendage no_area[] = {{0, 1.5}};
  EXPECT_THROW(equivalent_appendages(no_area), std::invalid_argument);
}

// --- Optional extras ---------------------------------------------------------------------------

// The roughness increment vanishes at the standard roughness 150 micrometres and grows with it;
// the bow-thruster tunnel goes with the square of speed and diameter.
TEST(HoltropMennenExtras, RoughnessAllowanceAndBowThruster) {
  EXPECT_NEAR(roughness_allowance(150e-6, 205), 0, 1e-8);
  EXPECT_GT(roughness_allowance(300e-6, 205), 0);
  EXPECT_LT(roughness_allowance(300e-6, 300), roughness_allowance(300e-6, 205));
  const double RBT = bow_thruster_resistance(2.0, 0.005, 10.0);
  EXPECT_NEAR(RBT, 1025 * 100 * 3.14159265 * 4 * 0.005, 1e-3);
  EXPECT_DOUBLE_EQ(bow_thruster_resistance(4.0, 0.005, 20.0), 16 * RBT);
  EXPECT_EQ(bow_thruster_resistance(2.0, 0.005, 0.0), 0);
  EXPECT_THROW(roughness_allowance(0, 205), std::invalid_argument);
  EXPECT_THROW(bow_thruster_resistance(2.0, 0.005, -1), std::invalid_argument);
}

// --- Degenerate and undefined inputs -----------------------------------------------------------

TEST(HoltropMennenDegenerate, SpeedZeroGivesZeroResistance) {
  for (const ResistanceMethod method :
       {ResistanceMethod::HoltropMennen1982, ResistanceMethod::Holtrop1984}) {
    for (const Hull& hull : {example_1982(), fast_ship_1984()}) {
      const Resistance r = resistance(hull, 0, method);
      for (const double force : {r.RF, r.RAPP, r.RW, r.RB, r.RTR, r.RA, r.RT, r.PE, r.Fn, r.Rn}) {
        EXPECT_EQ(force, 0);
      }
      EXPECT_TRUE(std::isfinite(r.form_factor) && std::isfinite(r.CA) && r.S > 0);
    }
  }
}

TEST(HoltropMennenDegenerate, NoBulbAndNoTransomGiveFiniteResistance) {
  Hull hull = example_1982();
  hull.ABT = 0;
  hull.hB = 0;
  hull.AT = 0;
  for (const double knots : {1.0, 10.0, 25.0, 40.0}) {
    for (const ResistanceMethod method :
         {ResistanceMethod::HoltropMennen1982, ResistanceMethod::Holtrop1984}) {
      const Resistance r = resistance(hull, knots * knot, method);
      EXPECT_EQ(r.RB, 0);
      EXPECT_EQ(r.RTR, 0);
      EXPECT_TRUE(std::isfinite(r.RT) && r.RT > 0) << knots << " kn";
    }
  }
}

// The message names the input and shows its value.
struct BadInput {
  const char* expected;  // the start of the message
  std::function<void()> call;
};

Hull with(std::function<void(Hull&)> change, Hull hull = example_1982()) {
  change(hull);
  return hull;
}

void resistance_1982(const Hull& hull, double knots = 25) {
  resistance(hull, knots * knot, ResistanceMethod::HoltropMennen1982);
}
void resistance_1984(const Hull& hull, double knots = 25) {
  resistance(hull, knots * knot, ResistanceMethod::Holtrop1984);
}
void single_screw(const Hull& hull, double D, double EAR, PropulsionOptions options = {}) {
  const Resistance r = resistance(hull, 25 * knot, ResistanceMethod::Holtrop1984);
  propulsion_factors(hull, r, Screws::Single, D, EAR, 1.0, options);
}

TEST(HoltropMennenBadInput, RefusedWithTheInputAndItsValue) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  // CP 0.962 (CB 0.943): beyond the 1982 form factor, within the 1984 one.
  const Hull full = with([](Hull& h) { h.volume = 61875; });
  // CP 0.9 with lcb -2: CP1 = 1.035.
  const Hull cp1 = with([](Hull& h) {
    h.volume = 0.9 * 0.98 * 205 * 32 * 10;
    h.lcb = -2;
  });
  // CP 0.96 with lcb +4 and iE given: CP1 below 1, but beyond the 1982 wake fraction.
  const Hull full_forward = with([](Hull& h) {
    h.volume = 0.96 * 0.98 * 205 * 32 * 10;
    h.lcb = 4;
    h.iE = 30.0;
  });
  // L/B 1.92.
  const Hull beamy = with(
      [](Hull& h) {
        h.B = 26;
        h.volume = 1950;
      },
      fast_ship_1984());
  const std::vector<BadInput> cases = {
      {"L (length on the waterline) = 0 m: must be above zero",
       [] { resistance_1982(with([](Hull& h) { h.L = 0; })); }},
      {"B (moulded breadth) = -32 m: must be above zero",
       [] { resistance_1982(with([](Hull& h) { h.B = -32; })); }},
      {"TF (draught forward) = nan: not a finite number",
       [&] { resistance_1982(with([&](Hull& h) { h.TF = nan; })); }},
      {"TA (draught aft) = 0 m", [] { resistance_1982(with([](Hull& h) { h.TA = 0; })); }},
      {"volume (displacement volume) = inf: not a finite number",
       [&] { resistance_1982(with([&](Hull& h) { h.volume = inf; })); }},
      {"lcb (centre of buoyancy, % of L forward of L/2) = nan",
       [&] { resistance_1982(with([&](Hull& h) { h.lcb = nan; })); }},
      {"CM (midship-section coefficient) = 1.2: must lie in (0, 1]",
       [] { resistance_1982(with([](Hull& h) { h.CM = 1.2; })); }},
      {"CWP (waterplane-area coefficient) = 0: must lie in (0, 1]",
       [] { resistance_1982(with([](Hull& h) { h.CWP = 0; })); }},
      {"ABT (bulb area) = -1 m2: must not be negative",
       [] { resistance_1982(with([](Hull& h) { h.ABT = -1; })); }},
      {"SAPP (appendage wetted area) = -50 m2",
       [] { resistance_1982(with([](Hull& h) { h.SAPP = -50; })); }},
      {"one_plus_k2 (appendage form factor 1 + k2) = 0.5: must be 1 or more",
       [] { resistance_1982(with([](Hull& h) { h.one_plus_k2 = 0.5; })); }},
      {"Cstern (afterbody form) = inf",
       [&] { resistance_1982(with([&](Hull& h) { h.Cstern = inf; })); }},
      {"S (hull wetted area) = 0 m2", [] { resistance_1982(with([](Hull& h) { h.S = 0.0; })); }},
      {"iE (half angle of entrance) = 90 degrees",
       [] { resistance_1982(with([](Hull& h) { h.iE = 90.0; })); }},
      {"CB (block coefficient volume / (L B T)) = ",
       [] { resistance_1982(with([](Hull& h) { h.volume = 70000; })); }},
      {"CP (prismatic coefficient) = 0.2333",
       [] { resistance_1982(with([](Hull& h) { h.volume = 15000; })); }},
      {"LR (length of run from CP and lcb) = ",
       [] { resistance_1982(with([](Hull& h) { h.lcb = -20; })); }},
      {"hB (bulb centroid height) = 7 m: must lie below TF / 1.5",
       [] { resistance_1982(with([](Hull& h) { h.hB = 7; })); }},
      {"AT (immersed transom area) = 400 m2",
       [] { resistance_1982(with([](Hull& h) { h.AT = 400; })); }},
      {"iE (half angle of entrance, estimated) = 90 degrees",
       [] { resistance_1982(with([](Hull& h) { h.CWP = 1; })); }},
      {"CP (prismatic coefficient) = 0.96", [&] { resistance_1982(full); }},
      {"L/B = 1.923", [&] { resistance_1984(beamy, 0.5 * std::sqrt(9.81 * 50) / knot); }},
      {"V (speed) = -1 m/s: must not be negative",
       [] { resistance(example_1982(), -1, ResistanceMethod::Holtrop1984); }},
      {"V (speed) = nan", [&] { resistance(example_1982(), nan, ResistanceMethod::Holtrop1984); }},
      {"V (speed) = 1e-10 m/s: the Reynolds number is 100 or less",
       [] { resistance(example_1982(), 1e-10, ResistanceMethod::Holtrop1984); }},
      {"rho (water density) = 0 kg/m3",
       [] { resistance(example_1982(), 5, ResistanceMethod::Holtrop1984, {.rho = 0}); }},
      {"nu (kinematic viscosity) = -1 m2/s",
       [] { resistance(example_1982(), 5, ResistanceMethod::Holtrop1984, {.nu = -1}); }},
      {"D (propeller diameter) = 0 m", [] { single_screw(example_1982(), 0, 0.7); }},
      {"EAR (expanded blade-area ratio) = -0.7", [] { single_screw(example_1982(), 8, -0.7); }},
      {"CP1 (1.45 CP - 0.315 - 0.0225 lcb) = 1.03", [&] { single_screw(cp1, 8, 0.7); }},
      {"CP (prismatic coefficient) = 0.96",
       [&] { single_screw(full_forward, 8, 0.7, k1982SingleScrew); }},
      {"PD (pitch ratio) = nan",
       [&] {
         const Hull hull = example_1982();
         const Resistance r = resistance(hull, 10, ResistanceMethod::Holtrop1984);
         propulsion_factors(hull, r, Screws::Twin, 5, 0.7, nan);
       }},
      {"screws = 3",
       [] {
         const Hull hull = example_1982();
         const Resistance r = resistance(hull, 10, ResistanceMethod::Holtrop1984);
         propulsion_factors(hull, r, static_cast<Screws>(3), 5, 0.7, 1);
       }},
  };
  for (const BadInput& c : cases) {
    try {
      c.call();
      ADD_FAILURE() << "no error; expected " << c.expected;
    } catch (const std::invalid_argument& e) {
      EXPECT_EQ(std::string(e.what()).rfind(c.expected, 0), 0u)
          << "message: " << e.what() << "\nexpected start: " << c.expected;
    }
  }
}

// The same hulls are valid where the undefined formula is not used.
TEST(HoltropMennenBadInput, UndefinedFormulasRefuseOnlyWhereTheyAreUsed) {
  const Hull full = with([](Hull& h) { h.volume = 61875; });
  EXPECT_GT(resistance(full, 15 * knot, ResistanceMethod::Holtrop1984).RT, 0);
  const Hull beamy = with(
      [](Hull& h) {
        h.B = 26;
        h.volume = 1950;
      },
      fast_ship_1984());
  EXPECT_GT(resistance(beamy, 0.3 * std::sqrt(9.81 * 50), ResistanceMethod::Holtrop1984).RT, 0);
}

// --- Fitted ranges ------------------------------------------------------------------------------

TEST(HoltropMennenFittedRange, SentencesWhereTheHullOrSpeedLiesOutside) {
  const double Fn_to_V = std::sqrt(9.81 * 205);
  // L/B 6.41, B/T 3.2, CP 0.583: a container ship, cargo ship or ferry.
  EXPECT_TRUE(
      outside_fitted_range(example_1982(), 25 * knot, ResistanceMethod::HoltropMennen1982).empty());
  EXPECT_EQ(
      outside_fitted_range(example_1982(), 0.5 * Fn_to_V, ResistanceMethod::HoltropMennen1982),
      std::vector<std::string>{
          "Fn 0.50 is above 0.45, where the 1982 wave resistance is not meant to be used; "
          "the 1984 method has a high-speed formula."});
  // A tanker: CP 0.81, L/B 6.41, B/T 2.67.
  const Hull tanker = with([](Hull& h) {
    h.TF = h.TA = 12;
    h.volume = 0.81 * 0.99 * 205 * 32 * 12;
    h.CM = 0.99;
  });
  EXPECT_EQ(outside_fitted_range(tanker, 0.3 * Fn_to_V, ResistanceMethod::Holtrop1984),
            std::vector<std::string>{"Fn 0.30 is above 0.24, the highest Froude number of the "
                                     "ship types this hull resembles (tankers and bulk "
                                     "carriers)."});
  const Hull slender = with([](Hull& h) {
    h.B = 20;
    h.volume = 0.6 * 0.98 * 205 * 20 * 10;
  });
  EXPECT_EQ(outside_fitted_range(slender, 10 * knot, ResistanceMethod::Holtrop1984),
            (std::vector<std::string>{"L/B 10.25 lies outside 3.90 to 9.50, the range of the ship "
                                      "types the method was fitted on.",
                                      "B/T 2.00 lies outside 2.10 to 4.00, the range of the ship "
                                      "types the method was fitted on."}));
  EXPECT_EQ(outside_fitted_range(fast_ship_1984(), 25 * knot, ResistanceMethod::Holtrop1984),
            (std::vector<std::string>{
                "CP 0.60, L/B 4.17 and B/T 3.75 together match none of the ship types the method "
                "was fitted on.",
                "Fn 0.58 is above 0.45, the highest Froude number of the ship types the method "
                "was fitted on."}));
}

}  // namespace
}  // namespace tidewerk
