// ITTC78 viscous correction of the Wageningen B coefficients: the worked example step by
// step, the derived diameter, the three-bladed chord factor and the cases without correction.
#include "series/ittc78.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "series/wageningen_b.h"
#include "tidewerk/series.h"

namespace tidewerk {
namespace {

// D 4 m, P/D 1.0, EAR 0.7, Z 4, J 0.5, Va 5 m/s.  N is not needed: D is given and Va decides
// that the correction is made.
constexpr Ittc78Conditions kExample{4.0f, 5.0f, 0.0f};
constexpr OperatingPoint kPoint{0.5f, 1.0f, 0.7f, 4.0f};

Ittc78Terms terms_of(const Ittc78Inputs& in, float pd) {
  return ittc78_terms(in.Ds, pd, in.Zi, in.t_over_c, in.c_over_d, in.s, in.n_r, in.nu);
}

bool same_bits(float a, float b) {
  return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

TEST(Ittc78Example, PreparedChordThicknessAndScale) {
  const std::optional<Ittc78Inputs> prepared = prepare_ittc78(kExample, 0.5f, 0.7f, 4.0f);
  ASSERT_TRUE(prepared);
  const Ittc78Inputs& in = *prepared;
  EXPECT_EQ(in.Ds, 4.0f);
  EXPECT_EQ(in.Zi, 4);
  EXPECT_NEAR(in.c, 1.4511, 5e-5);  // chord factor 2.073 for four blades
  EXPECT_NEAR(in.t_over_c, 0.037213, 5e-7);
  EXPECT_NEAR(in.c_over_d, 1.4511 / 4.0, 2e-5);
  EXPECT_FLOAT_EQ(in.s, 0.06f);
  EXPECT_EQ(in.n_r, 10.0f);
  EXPECT_EQ(in.nu, 1.13902e-06f);
}

TEST(Ittc78Example, ReynoldsNumberDragCoefficientsAndCorrections) {
  const std::optional<Ittc78Inputs> in = prepare_ittc78(kExample, 0.5f, 0.7f, 4.0f);
  ASSERT_TRUE(in);
  const Ittc78Terms r = terms_of(*in, 1.0f);
  EXPECT_NEAR(r.cs, 1.4511, 5e-5);
  EXPECT_NEAR(r.Dr, 4.0 / 0.06, 1e-3);
  EXPECT_NEAR(r.Rn, 3.335e10, 0.0005e10);
  EXPECT_NEAR(r.CDr, 0.001664, 5e-7);  // friction line, real powers 0.1667 and 0.6667
  EXPECT_NEAR(r.CDs, 0.007768, 5e-7);  // roughness formula, log10 and power 2.5
  EXPECT_NEAR(r.delta, 0.007768 - 0.001664, 1e-6);
  EXPECT_NEAR(r.dKt, -0.002480, 5e-7);
  EXPECT_NEAR(r.dKq, 0.002197, 5e-7);
}

// Sign of the application (Kt - dKt raises Kt) and eta0 recomputed from corrected values.
TEST(Ittc78Example, CorrectedCoefficientsAndEfficiency) {
  const OpenWater plain = evaluate(Series::WageningenB, kPoint);
  const OpenWater corrected = evaluate(Series::WageningenB, kPoint, kExample);

  EXPECT_NEAR(plain.Kt, 0.2710, 5e-5);
  EXPECT_NEAR(plain.Kq, 0.04343, 5e-6);
  EXPECT_NEAR(corrected.Kt, 0.2735, 5e-5);
  // 0.04343 - 0.002197 as quoted; the unrounded difference is 0.0412361.
  EXPECT_NEAR(corrected.Kq, 0.04123, 1e-5);
  EXPECT_NEAR(corrected.eta0, corrected.Kt / corrected.Kq * 0.5 / 6.2831855, 1e-7);
  EXPECT_GT(corrected.eta0, plain.eta0);
}

TEST(Ittc78Preparation, DiameterDerivedFromAdvanceSpeedWhenNoneGiven) {
  const Ittc78Conditions derived{0.0f, 5.0f, 120.0f};
  const std::optional<Ittc78Inputs> in = prepare_ittc78(derived, 0.6f, 0.7f, 4.0f);
  ASSERT_TRUE(in);
  EXPECT_NEAR(in->Ds, 5.0 / (2.0 * 0.6), 5e-5);
  EXPECT_NEAR(in->s, 0.24 / (5.0 / 1.2), 1e-7);

  // The evaluator goes through with the derived diameter, which changes with J.
  const OperatingPoint point{0.6f, 1.0f, 0.7f, 4.0f};
  const OpenWater plain = evaluate(Series::WageningenB, point);
  const OpenWater corrected = evaluate(Series::WageningenB, point, derived);
  EXPECT_NE(corrected.Kt, plain.Kt);
  const Ittc78Conditions given{in->Ds, 5.0f, 120.0f};
  const OpenWater same_diameter = evaluate(Series::WageningenB, point, given);
  EXPECT_TRUE(same_bits(corrected.Kt, same_diameter.Kt));
  EXPECT_TRUE(same_bits(corrected.Kq, same_diameter.Kq));
  const OpenWater other_j = evaluate(Series::WageningenB, {0.3f, 1.0f, 0.7f, 4.0f}, derived);
  const OpenWater other_j_given = evaluate(Series::WageningenB, {0.3f, 1.0f, 0.7f, 4.0f}, given);
  EXPECT_NE(other_j.Kt, other_j_given.Kt);
}

// Zi = 3 picks the three-bladed chord factor and the factors of dKt, dKq; the real Z = 3.5
// divides the chord and sets the thickness.
TEST(Ittc78Preparation, NonIntegralBladeNumberTruncatedForFactorsOnly) {
  const std::optional<Ittc78Inputs> prepared = prepare_ittc78(kExample, 0.5f, 0.7f, 3.5f);
  ASSERT_TRUE(prepared);
  const Ittc78Inputs& in = *prepared;
  EXPECT_EQ(in.Zi, 3);
  EXPECT_NEAR(in.c, 0.7 * 4.0 * 2.1475 / 3.5, 1e-6);
  EXPECT_NEAR(in.t, (0.0185 - 0.00125 * 3.5) * 4.0, 1e-7);

  const Ittc78Terms r = terms_of(in, 1.0f);
  EXPECT_NEAR(r.dKq, 0.248 * 3 * in.c_over_d * r.delta, 1e-8);
  EXPECT_NEAR(r.dKt, -0.28 * 3 * in.c_over_d * 1.0 * r.delta, 1e-8);
}

// --- No correction -------------------------------------------------------------------------

struct NoCorrection {
  const char* name;
  Series series;
  float Va;
  float N;
};

std::string no_correction_name(const ::testing::TestParamInfo<NoCorrection>& param_info) {
  return param_info.param.name;
}

void PrintTo(const NoCorrection& c, std::ostream* os) {
  *os << c.name;
}

class Ittc78NotApplied : public ::testing::TestWithParam<NoCorrection> {};

TEST_P(Ittc78NotApplied, FlagSetGivesPlainPolynomialValues) {
  const NoCorrection p = GetParam();
  const Ittc78Conditions full_scale{kExample.D, p.Va, p.N};
  const OpenWater with_flag = evaluate(p.series, kPoint, full_scale);
  const OpenWater without = evaluate(p.series, kPoint);
  EXPECT_TRUE(same_bits(with_flag.Kt, without.Kt));
  EXPECT_TRUE(same_bits(with_flag.Kq, without.Kq));
  EXPECT_TRUE(same_bits(with_flag.eta0, without.eta0));
}

INSTANTIATE_TEST_SUITE_P(
    Ittc78, Ittc78NotApplied,
    ::testing::Values(NoCorrection{"BWithVaAndNZero", Series::WageningenB, 0.0f, 0.0f},
                      NoCorrection{"BWithVaAndNBelowLimit", Series::WageningenB, 0.0009f, 0.0009f},
                      NoCorrection{"Gawn", Series::Gawn, 5.0f, 120.0f},
                      NoCorrection{"Kca", Series::Kca, 5.0f, 120.0f}),
    no_correction_name);

// Either Va or N alone switches the correction on (plain comparisons, no "or").
TEST(Ittc78Preparation, ShaftSpeedAloneEnablesCorrection) {
  EXPECT_TRUE(prepare_ittc78({4.0f, 0.0f, 120.0f}, 0.5f, 0.7f, 4.0f));
  EXPECT_TRUE(prepare_ittc78({4.0f, 5.0f, 0.0f}, 0.5f, 0.7f, 4.0f));
  EXPECT_FALSE(prepare_ittc78({4.0f, 0.0f, 0.0f}, 0.5f, 0.7f, 4.0f));
}

}  // namespace
}  // namespace tidewerk
