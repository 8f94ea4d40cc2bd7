// Guards on the transcribed coefficient tables: a mistyped digit, a swapped row or a wrong
// exponent changes one of these sums.  The expected constants were computed separately
// from the published tables (coefficients rounded to single precision, summed in double in
// table order).
#include <gtest/gtest.h>

#include <cstddef>

#include "series/gawn.h"
#include "series/kca.h"
#include "series/wageningen_b.h"

namespace tidewerk {
namespace {

struct Checksum {
  std::size_t rows;
  double coefficient_sum;     // sum of C (KCA: of M)
  double coefficient_moment;  // sum of (row number) * C
  long exponent_signature;    // sum of (row number) * (s + 8t + 64u + 512v); KCA: p + 4 first
};

template <std::size_t N>
Checksum checksum(const SeriesTerm (&table)[N]) {
  Checksum sum{N, 0.0, 0.0, 0};
  for (std::size_t i = 0; i < N; ++i) {
    const SeriesTerm& t = table[i];
    const long row = static_cast<long>(i + 1);
    sum.coefficient_sum += double{t.c};
    sum.coefficient_moment += static_cast<double>(row) * double{t.c};
    sum.exponent_signature += row * (t.s + 8 * t.t + 64 * t.u + 512 * t.v);
  }
  return sum;
}

template <std::size_t N>
Checksum checksum(const KcaTerm (&table)[N]) {
  Checksum sum{N, 0.0, 0.0, 0};
  for (std::size_t i = 0; i < N; ++i) {
    const KcaTerm& t = table[i];
    const long row = static_cast<long>(i + 1);
    sum.coefficient_sum += double{t.mantissa};
    sum.coefficient_moment += static_cast<double>(row) * double{t.mantissa};
    sum.exponent_signature += row * ((t.p + 4) + 8 * t.s + 64 * t.t + 512 * t.u);
  }
  return sum;
}

void expect_checksum(const Checksum& actual, const Checksum& expected) {
  EXPECT_EQ(actual.rows, expected.rows);
  EXPECT_DOUBLE_EQ(actual.coefficient_sum, expected.coefficient_sum);
  EXPECT_DOUBLE_EQ(actual.coefficient_moment, expected.coefficient_moment);
  EXPECT_EQ(actual.exponent_signature, expected.exponent_signature);
}

TEST(SeriesTables, WageningenBThrust) {
  expect_checksum(checksum(kWageningenBThrust),
                  {39, -0.033773171446227934, 1.005564781917201, 546471});
}

TEST(SeriesTables, WageningenBTorque) {
  expect_checksum(checksum(kWageningenBTorque),
                  {47, 0.009869370864180382, 0.9622909363934014, 810942});
}

TEST(SeriesTables, GawnThrust) {
  expect_checksum(checksum(kGawnThrust), {39, -0.0009980273534893058, 1.9096366503144964, 546471});
}

TEST(SeriesTables, GawnTorque) {
  expect_checksum(checksum(kGawnTorque), {47, 0.01398932656593388, 0.8981034543940041, 810942});
}

TEST(SeriesTables, KcaThrust) {
  expect_checksum(checksum(kKcaThrust), {16, 7.302715748548508, 55.98926989734173, 102357});
}

TEST(SeriesTables, KcaTorque) {
  expect_checksum(checksum(kKcaTorque), {17, -2.790185257792473, -1.1751487702131271, 75414});
}

// Gawn differs from B only in the listed terms, with the same exponents throughout; two of
// the differences are single digits that a "correction" towards B would silently undo.
TEST(SeriesTables, GawnDiffersFromWageningenBOnlyInListedTerms) {
  const int thrust_differs[] = {1, 2, 3, 7, 15, 16, 18, 19, 20, 21, 31};
  const int torque_differs[] = {1, 2, 3, 4, 6, 8, 19, 20, 21, 22, 23, 24, 25, 30};
  auto listed = [](const auto& list, int term) {
    for (int t : list)
      if (t == term) return true;
    return false;
  };
  for (int term = 1; term <= 39; ++term) {
    const SeriesTerm& b = kWageningenBThrust[term - 1];
    const SeriesTerm& g = kGawnThrust[term - 1];
    EXPECT_EQ(listed(thrust_differs, term), b.c != g.c) << "Kt term " << term;
    EXPECT_TRUE(b.s == g.s && b.t == g.t && b.u == g.u && b.v == g.v) << "Kt term " << term;
  }
  for (int term = 1; term <= 47; ++term) {
    const SeriesTerm& b = kWageningenBTorque[term - 1];
    const SeriesTerm& g = kGawnTorque[term - 1];
    EXPECT_EQ(listed(torque_differs, term), b.c != g.c) << "Kq term " << term;
    EXPECT_TRUE(b.s == g.s && b.t == g.t && b.u == g.u && b.v == g.v) << "Kq term " << term;
  }
  EXPECT_EQ(kGawnThrust[30].c, 0.0025963f);
  EXPECT_EQ(kWageningenBThrust[30].c, 0.0025983f);
  EXPECT_EQ(kGawnTorque[29].c, 0.0035895f);
  EXPECT_EQ(kWageningenBTorque[29].c, 0.0035985f);
}

}  // namespace
}  // namespace tidewerk
