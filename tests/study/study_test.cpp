// The study's numbers: every identity of the design point and of the speed-power table, the
// choice, the limits, the engine match, and the same result on any number of threads.  The
// ship is the twin-screw ferry of examples/ (a resistance table and given w, t, etaR), so
// these tests hold whatever the hull formulas give.
#include "study/study.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "outputs/study_record.h"
#include "study/study_file.h"
#include "support/test_support.h"

namespace tidewerk {
namespace {

constexpr double kPi = std::numbers::pi;
// Kt is a float and the pitch or J that meets the load is found to the nearest float: the
// identities hold to a few float roundings.
constexpr double kFloatRounding = 3e-6;

StudyInput ferry() {
  const std::string path =
      std::string(TIDEWERK_SOURCE_DIR) + "/examples/study_twin_screw_ferry.toml";
  return read_study(testing::read_file(path), path);
}

// The same ferry with the diameter chosen at the engine's shaft speed.
StudyInput ferry_with_diameter_free() {
  StudyInput in = ferry();
  in.D.reset();
  in.D_max = 4.6;
  return in;
}

double relative(double a, double b) {
  return std::abs(a - b) / std::abs(b);
}

OpenWater library_at(const StudyInput& in, Series series, double J, double PD, double EAR, int Z,
                     double D, double Va, double N_rpm) {
  const Ittc78Conditions c{static_cast<float>(D), static_cast<float>(Va),
                           static_cast<float>(N_rpm)};
  const bool corrected = in.ittc78 && series_facts(series).ittc78;
  return evaluate(series,
                  {static_cast<float>(J), static_cast<float>(PD), static_cast<float>(EAR),
                   static_cast<float>(Z)},
                  corrected ? std::optional{c} : std::nullopt);
}

TEST(Study, EveryFeasibleCandidateMeetsItsThrustPowerAndLimits) {
  for (const StudyInput& in : {ferry(), ferry_with_diameter_free()}) {
    const StudyResult r = run_study(in, 1);
    const double R_service = resistance_at(in, in.design_V_mps).RT * (1 + in.sea_margin);
    int feasible = 0;
    for (const Candidate& c : r.candidates) {
      if (!c.feasible) continue;
      ++feasible;
      const double n = c.N_rpm / 60;
      const OpenWater ow = library_at(in, c.series, c.J, c.PD, c.EAR, c.Z, c.D, c.Va, c.N_rpm);
      EXPECT_EQ(static_cast<float>(c.Kt), ow.Kt);
      EXPECT_EQ(static_cast<float>(c.Kq), ow.Kq);
      EXPECT_LT(relative(c.Kt * in.water.rho * n * n * std::pow(c.D, 4), c.T), kFloatRounding);
      EXPECT_LT(relative(c.etaD * c.Pd, R_service * in.design_V_mps), kFloatRounding);
      EXPECT_LT(relative(c.J, c.Va / (n * c.D)), 1e-7);
      EXPECT_DOUBLE_EQ(c.Pb, c.Pd / in.shaft_efficiency);
      EXPECT_LE(kPi * n * c.D, in.tip_speed_max * (1 + 1e-12));
      EXPECT_GE(c.EAR, c.EARmin - 0.005);
      EXPECT_GE(c.PD, in.PD_low);
      EXPECT_LE(c.PD, in.PD_high);
      if (in.D) {
        EXPECT_GE(c.N_rpm, in.N_min_rpm);
        EXPECT_LE(c.N_rpm, in.N_max_rpm);
      } else {
        EXPECT_LE(c.D, *in.D_max);
        EXPECT_DOUBLE_EQ(c.N_rpm, in.engine_rpm / in.gear_ratio);
      }
    }
    EXPECT_GT(feasible, 0);
  }
}

TEST(Study, TheChosenCandidateHasTheBestEtaDAndGawnRefusesFourBlades) {
  const StudyResult r = run_study(ferry(), 1);
  ASSERT_TRUE(r.chosen.has_value());
  for (const Candidate& c : r.candidates) {
    if (c.feasible) {
      EXPECT_LE(c.etaD, r.candidates[*r.chosen].etaD);
    }
    if (c.series == Series::Gawn && c.Z != 3) {
      EXPECT_FALSE(c.feasible);
      EXPECT_EQ(c.reason, "the Gawn series has 3 blades only");
    }
  }
}

TEST(Study, EverySpeedPowerRowMeetsItsLoadWithTheLibrarysCoefficients) {
  const StudyInput in = ferry();
  const StudyResult r = run_study(in, 1);
  const Candidate& p = r.candidates[*r.chosen];
  ASSERT_EQ(r.speed_power.size(), 2 * table_speeds(in).size());
  for (const PowerRow& row : r.speed_power) {
    ASSERT_TRUE(row.found) << row.V / knot << " kn: " << row.reason;
    const double margin = row.condition == Condition::Service ? 1 + in.sea_margin : 1.0;
    const double n = row.N_rpm / 60;
    const OpenWater ow = library_at(in, p.series, row.J, p.PD, p.EAR, p.Z, p.D, row.Va, row.N_rpm);
    EXPECT_EQ(static_cast<float>(row.Kt), ow.Kt);
    EXPECT_EQ(static_cast<float>(row.Kq), ow.Kq);
    EXPECT_LT(relative(row.Kt * in.water.rho * n * n * std::pow(p.D, 4), row.T), kFloatRounding);
    EXPECT_LT(relative(row.etaD * row.Pd, resistance_at(in, row.V).PE * margin), kFloatRounding);
    EXPECT_LT(relative(row.Q, row.Kq * in.water.rho * n * n * std::pow(p.D, 5)), 1e-12);
    EXPECT_DOUBLE_EQ(row.load, row.Pb / in.MCR_W);
  }
}

TEST(Study, TheServiceRowAtTheDesignSpeedIsTheDesignPoint) {
  const StudyInput in = ferry_with_diameter_free();
  const StudyResult r = run_study(in, 1);
  const Candidate& p = r.candidates[*r.chosen];
  const PowerRow row = operating_point(in, p, in.design_V_mps, Condition::Service);
  EXPECT_LT(relative(row.N_rpm, p.N_rpm), 1e-5);
  EXPECT_LT(relative(row.Pd, p.Pd), 1e-5);
}

TEST(Study, TheEngineMatchFindsTheServicePowerInBothConditions) {
  const StudyInput in = ferry();
  const StudyResult r = run_study(in, 1);
  const Candidate& p = r.candidates[*r.chosen];
  const EngineMatch& e = r.engine;
  EXPECT_DOUBLE_EQ(e.P, in.service_load * in.MCR_W);
  const PowerRow service = operating_point(in, p, e.V_service, Condition::Service);
  const PowerRow trial = operating_point(in, p, e.V_trial, Condition::Trial);
  EXPECT_LT(relative(service.Pb, e.P), 1e-6);
  EXPECT_LT(relative(trial.Pb, e.P), 1e-6);
  EXPECT_GT(e.V_trial, e.V_service);       // the clean hull in calm water runs faster ...
  EXPECT_GT(e.light_running_margin, 0.0);  // ... and lighter
  EXPECT_DOUBLE_EQ(e.light_running_margin, e.N_trial / e.N_service - 1);
}

TEST(Study, AnyNumberOfThreadsGivesTheSameRecord) {
  for (const StudyInput& in : {ferry(), ferry_with_diameter_free()}) {
    const std::string one = record_json(study_record(in, run_study(in, 1), "test"));
    EXPECT_EQ(record_json(study_record(in, run_study(in, 3), "test")), one);
    EXPECT_EQ(record_json(study_record(in, run_study(in, 16), "test")), one);
  }
}

TEST(Study, NoFeasibleCandidateEndsWithEachCandidatesReason) {
  StudyInput in = ferry();
  in.series = {Series::WageningenB, Series::Gawn};
  in.blades = {3, 4};
  in.N_min_rpm = 90;  // too slow for the thrust within P/D 1.4 ...
  in.N_max_rpm = 100;
  const StudyResult r = run_study(in, 2);
  EXPECT_FALSE(r.chosen.has_value());
  EXPECT_TRUE(r.speed_power.empty());
  EXPECT_EQ(r.reason,
            "no feasible propeller: Wageningen B Z = 3: needs P/D above 1.400; Wageningen B Z = "
            "4: needs P/D above 1.400; Gawn Z = 3: needs P/D above 1.400; Gawn Z = 4: the Gawn "
            "series has 3 blades only");
  const Record record = study_record(in, r, "test");
  EXPECT_EQ(record.exit_status, 5);
  EXPECT_EQ(record.ending, "no result");

  in.N_max_rpm = 300;  // ... and, where fast enough, too fast for the tip speed
  in.tip_speed_max = 25;
  in.series = {Series::WageningenB};
  in.blades = {4};
  EXPECT_EQ(run_study(in, 1).candidates[0].reason,
            "at N = 90.0 rpm: needs P/D above 1.400; at N = 116.2 rpm: tip speed 28.0 m/s above "
            "25.0 m/s");
}

TEST(Study, ABladeAreaBeyondTheSeriesOrATipSpeedAboveTheLimitIsInfeasible) {
  StudyInput in = ferry();
  in.series = {Series::WageningenB};
  in.blades = {4};
  in.blade_area = BladeAreaRule::Keller;
  in.tip_speed_max = 0;
  in.N_max_rpm = 400;
  for (double& R : in.table_RT_N) R *= 3;  // a thrust the diameter cannot carry
  StudyResult r = run_study(in, 1);
  EXPECT_FALSE(r.candidates[0].feasible);
  EXPECT_EQ(r.candidates[0].reason,
            "at N = 120.0 rpm: needs P/D above 1.400; at N = 172.5 rpm: needs EAR = 1.089, above "
            "the series' 1.05; at N = 295.0 rpm: needs P/D below 0.600");

  in = ferry();
  in.series = {Series::WageningenB};
  in.blades = {4};
  in.tip_speed_max = 20;
  r = run_study(in, 1);
  EXPECT_EQ(r.candidates[0].reason, "tip speed 28.9 m/s above 20.0 m/s");

  in.tip_speed_max = 0;
  in.blade_area = BladeAreaRule::Fixed;
  in.EAR_fixed = 1.2;
  r = run_study(in, 1);
  EXPECT_EQ(r.candidates[0].reason, "EAR = 1.200 is outside the series' 0.30 to 1.05");
}

TEST(Study, TheResistanceTableIsMetAtItsSpeedsAndInterpolatedBetween) {
  const StudyInput in = ferry();
  for (std::size_t k = 0; k < in.table_V_mps.size(); ++k) {
    EXPECT_NEAR(resistance_at(in, in.table_V_mps[k]).RT, in.table_RT_N[k], 1e-6);
  }
  const double between = resistance_at(in, 20.5 * knot).RT;
  EXPECT_GT(between, 505e3);
  EXPECT_LT(between, 580e3);
  EXPECT_TRUE(std::isnan(resistance_at(in, 20.5 * knot).RF));  // a table has no components
}

}  // namespace
}  // namespace tidewerk
