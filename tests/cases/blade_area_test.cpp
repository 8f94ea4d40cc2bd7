// Blade-area and tip-speed checks, and the blade-area sweep.
#include "cases/blade_area.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "numeric/numeric_messages.h"
#include "support/test_support.h"

namespace tidewerk {
namespace {

using Kind = RecordingNumericMessages::Kind;

constexpr BurrillRules kThrustCaseRules{true, true};
constexpr BurrillRules kPowerTorqueRules{false, false};

// The Burrill example: D 4 m, N 120 RPM, Va 6 m/s, RHO 1025, Hs 3 m, Z 4, T 300 kN, P/D 1.0,
// EAR 0.55, Wageningen B.
DesignedPropeller burrill_example() {
  return {.series = Series::WageningenB,
          .T = 300.0f,
          .D = 4.0f,
          .N = 120.0f,
          .Va = 6.0f,
          .RHO = 1025.0f,
          .Z = 4.0f,
          .EAR = 0.55f,
          .PD = 1.0f,
          .Hs = 3.0f};
}

// Sigma about 0.155: between the first Sigma of the 5 % line (0.15) and that of the 2.5 % line
// (0.18).  V^2 = (pi * 5.3 * 3 * 0.7)^2 + 6^2 = 1258.9.
DesignedPropeller low_sigma() {
  DesignedPropeller prop = burrill_example();
  prop.D = 3.0f;
  prop.N = 318.0f;
  prop.Hs = 0.0f;
  return prop;
}

// Sigma about 8.2: a deep, slow propeller, beyond both chart lines.
DesignedPropeller high_sigma() {
  DesignedPropeller prop = burrill_example();
  prop.D = 3.0f;
  prop.N = 60.0f;
  prop.Va = 2.0f;
  prop.Hs = 10.0f;
  return prop;
}

// The check values of the worked example; the parabolas run through the chart points at
// Sigma 0.5, 0.6, 0.8 (2.5 % line) and 0.4, 0.6, 1 (5 % line).  Sigma 0.7351 is above 0.18,
// so both rule sets give the same values.
TEST(BladeAreaCheck, BurrillKellerAndTipSpeedReproduceTheCheckValues) {
  for (const BurrillRules rules : {kThrustCaseRules, kPowerTorqueRules}) {
    RecordingNumericMessages messages;
    const BladeAreaCheck c = compute_blade_area_check(burrill_example(), rules, messages);
    EXPECT_TRUE(c.burrill);
    EXPECT_NEAR(c.V2, 345.51, 0.005);
    EXPECT_NEAR(c.Sigma, 0.7351, 5e-5);
    EXPECT_NEAR(c.Tauc, 0.2925, 5e-5);
    EXPECT_NEAR(c.tau25, 0.20026, 5e-6);
    EXPECT_NEAR(c.EAR25, 0.8034, 5e-5);
    EXPECT_NEAR(c.tau5, 0.25000, 5e-6);
    EXPECT_NEAR(c.EAR5, 0.6435, 5e-5);
    EXPECT_NEAR(c.tauU, 0.2298, 5e-5);
    EXPECT_NEAR(c.EARU, 0.7001, 5e-5);
    EXPECT_NEAR(c.EARk, 0.3649, 5e-5);
    EXPECT_NEAR(c.Vtip, 25.133, 5e-4);
    EXPECT_TRUE(messages.messages().empty());
  }
}

// Hs = 0: Sigma = 100000 / (0.5 * RHO * V^2) = 100000 / (512.5 * 345.51) and the Keller
// denominator is 98300 * D^2: 2.5 * 300000 / (98300 * 16).
TEST(BladeAreaCheck, ZeroShaftDepthLeavesOnlyThePressureTerms) {
  DesignedPropeller prop = burrill_example();
  prop.Hs = 0.0f;
  RecordingNumericMessages messages;
  const BladeAreaCheck c = compute_blade_area_check(prop, kPowerTorqueRules, messages);
  EXPECT_NEAR(c.Sigma, 100000.0 / (512.5 * 345.5104), 2e-5);
  EXPECT_NEAR(c.EARk, 750000.0 / (98300.0 * 16.0), 2e-6);
}

// Below 0.18 the thrust case reports 0 for the 2.5 % line without reading the chart; the power
// and torque cases read it, get the out-of-range report and show the line as unreadable.  The
// 5 % line starts at 0.15 and is read normally in both.
TEST(BladeAreaCheck, SigmaBelowTheTwoAndAHalfPercentLine) {
  RecordingNumericMessages thrust_messages;
  const BladeAreaCheck thrust =
      compute_blade_area_check(low_sigma(), kThrustCaseRules, thrust_messages);
  ASSERT_GT(thrust.Sigma, 0.15f);
  ASSERT_LT(thrust.Sigma, 0.16f);
  EXPECT_EQ(thrust.EAR25, 0.0f);
  EXPECT_TRUE(thrust_messages.messages().empty());
  EXPECT_TRUE(std::isfinite(thrust.EAR5));
  EXPECT_GT(thrust.tau5, 0.03f);  // between the chart's 0.03 at 0.15 and 0.1 at 0.21
  EXPECT_LT(thrust.tau5, 0.1f);

  RecordingNumericMessages messages;
  const BladeAreaCheck other = compute_blade_area_check(low_sigma(), kPowerTorqueRules, messages);
  EXPECT_TRUE(std::isnan(other.tau25));
  EXPECT_TRUE(std::isnan(other.EAR25));
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages()[0].kind, Kind::InterpolationOutOfRange);
  EXPECT_EQ(messages.messages()[0].x1, 0.18f);
  EXPECT_EQ(messages.messages()[0].xp, other.Sigma);
  EXPECT_EQ(messages.messages()[0].xn, 1.5f);
  EXPECT_EQ(other.EAR5, thrust.EAR5);
  EXPECT_EQ(other.EARU, thrust.EARU);
}

TEST(BladeAreaCheck, SigmaAboveBothChartLines) {
  for (const BurrillRules rules : {kThrustCaseRules, kPowerTorqueRules}) {
    RecordingNumericMessages messages;
    const BladeAreaCheck c = compute_blade_area_check(high_sigma(), rules, messages);
    EXPECT_GT(c.Sigma, 1.5f);
    EXPECT_TRUE(std::isnan(c.EAR25));
    EXPECT_TRUE(std::isnan(c.EAR5));
    EXPECT_TRUE(std::isfinite(c.EARU));
    EXPECT_EQ(messages.count(Kind::InterpolationOutOfRange), 2);
  }
}

// ---------------------------------------------------------------------------------------------

// The problem of the Burrill example (the sweep takes the Wageningen B limits from the
// series facts).
Problem sweep_problem() {
  Problem p;
  p.series = Series::WageningenB;
  p.D = 4.0f;
  p.N = 120.0f;
  p.Va = 6.0f;
  p.RHO = 1025.0f;
  p.Hs = 3.0f;
  p.Z = 4.0f;
  p.T = 300.0f;
  p.PD = 1.0f;
  p.EAR = 0.55f;
  return p;
}

// 370 kN lies above the thrust at P/D 1.4 for the smaller blade areas (356.80 kN at 0.55): the
// table starts at the first ratio that reaches it, 0.70 at P/D 1.399, numbered from 1; nothing
// is said about the others.  A thrust no blade area reaches gives the frame without rows.
TEST(BladeAreaSweep, RatiosThatDoNotReachTheThrustAreLeftOutSilently) {
  const Problem p = sweep_problem();
  testing::TestConsole t;
  RootSearchState state;
  sweep_blade_area(p, Propeller::of(p), t.io, kThrustQuantity, 370000.0f, state);
  const std::string report = t.report.str();
  EXPECT_NE(report.find("|\n       1   .700   1.399"), std::string::npos);
  EXPECT_NE(report.find("\n       9  1.100   1.354    .557\n     ---|"), std::string::npos);
  EXPECT_EQ(t.screen.str().find("KOK"), std::string::npos);

  testing::TestConsole empty;
  sweep_blade_area(p, Propeller::of(p), empty.io, kThrustQuantity, 1.0e7f, state);
  EXPECT_EQ(empty.report.str(),
            "\n\n\n"
            " Acinim alani orani Ae degisimine bagli pervane verimleri\n"
            "     ---|-------|-------|-------|\n"
            "      i     Ae     P/D    Eta0  |\n"
            "     ---|-------|-------|-------|\n"
            "     ---|-------|-------|-------|\n"
            " Pervane acinim alan orani yukaridaki verilere gore yeniden belirlenebilir.\n");
}

}  // namespace
}  // namespace tidewerk
