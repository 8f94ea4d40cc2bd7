// The fast evaluator (powers formed once per call, unrolled sums, KCA scales formed at
// compile time) must give the same bits as forming every term afresh in table order.  The
// reference below is written independently of the library's power and sum helpers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "driver/run_context.h"
#include "series/evaluator.h"
#include "series/gawn.h"
#include "series/kca.h"
#include "series/wageningen_b.h"

namespace tidewerk {
namespace {

// Square-and-multiply, one float rounding per product.
float reference_power(float base, int n) {
  if (n < 0) {
    base = 1.0f / base;
    n = -n;
  }
  float result = 1.0f;
  while (n > 0) {
    if (n % 2 == 1) result = result * base;
    n = n / 2;
    if (n > 0) base = base * base;
  }
  return result;
}

struct Coefficients {
  float Kt;
  float Kq;
  float eta0;
  float J;
  float z;
};

float reference_eta0(float kt, float kq, float j) {
  return static_cast<float>(double{kt} / double{kq} * double{j} / double{6.2831855f});
}

// Wageningen B and Gawn: Z^v * EAR^u * (P/D)^t * J^s, then * C, term by term.
template <std::size_t NT, std::size_t NQ>
Coefficients reference_b_form(const SeriesTerm (&thrust)[NT], const SeriesTerm (&torque)[NQ],
                              float j, float pd, float ear, float z) {
  Coefficients r{};
  float kt = 0.0f;
  for (const SeriesTerm& term : thrust) {
    if (std::fabs(j) < 0.001f) j = 0.001f;
    float p = reference_power(z, term.v) * reference_power(ear, term.u);
    p = p * reference_power(pd, term.t);
    p = p * reference_power(j, term.s);
    kt = kt + p * term.c;
  }
  float kq = 0.0f;
  for (const SeriesTerm& term : torque) {
    if (std::fabs(j) < 0.001f) j = 0.001f;
    float p = reference_power(z, term.v) * reference_power(ear, term.u);
    p = p * reference_power(pd, term.t);
    p = p * reference_power(j, term.s);
    kq = kq + p * term.c;
  }
  r.Kt = kt;
  r.Kq = kq;
  r.eta0 = reference_eta0(kt, kq, j);
  r.J = j;
  r.z = z;
  return r;
}

Coefficients reference_wageningen_b(float j, float pd, float ear, float z) {
  return reference_b_form(kWageningenBThrust, kWageningenBTorque, j, pd, ear, z);
}

Coefficients reference_gawn(float j, float pd, float ear, float z) {
  if (std::fabs(z - 3.0f) > 0.01f) z = 3.0f;
  return reference_b_form(kGawnThrust, kGawnTorque, j, pd, ear, z);
}

Coefficients reference_kca(float j, float pd, float ear, float z) {
  if (z < 2.99f) z = 3.0f;
  if (z > 5.01f) z = 5.0f;
  if (std::fabs(j) < 0.001f) j = 0.001f;
  volatile float ten = 10.0f;  // powers of ten formed at run time here
  float kt = 0.0f;
  for (const KcaTerm& term : kKcaThrust) {
    float p = reference_power(ten, term.p) * term.mantissa;
    p = p * reference_power(j, term.s);
    p = p * reference_power(pd, term.t);
    p = p * reference_power(ear, term.u);
    kt = kt + p;
  }
  float kq = 0.0f;
  for (const KcaTerm& term : kKcaTorque) {
    float p = reference_power(ten, term.p) * term.mantissa;
    p = p * reference_power(pd, term.t);
    p = p * reference_power(ear, term.u);
    p = p * reference_power(j, term.s);
    kq = kq + p;
  }
  return {kt, kq, reference_eta0(kt, kq, j), j, z};
}

std::uint32_t bits(float x) {
  std::uint32_t b;
  std::memcpy(&b, &x, sizeof b);
  return b;
}

std::vector<float> grid(float first, float last, float step, std::vector<float> extra) {
  for (float x = first; x <= last; x += step) extra.push_back(x);
  return extra;
}

struct SeriesCase {
  int series;
  Coefficients (*reference)(float j, float pd, float ear, float z);
};

void PrintTo(const SeriesCase& c, std::ostream* os) { *os << "series " << c.series; }

class SeriesBitIdentity : public ::testing::TestWithParam<SeriesCase> {};

TEST_P(SeriesBitIdentity, FastEvaluationMatchesTermByTermSumOverDenseGrid) {
  const SeriesCase param = GetParam();
  const std::vector<float> js = grid(-0.3f, 1.7f, 0.0173f, {0.0f, -0.0005f, 0.0009999f, 0.001f});
  const std::vector<float> pds = grid(0.4f, 1.8f, 0.1137f, {0.0f, -0.5f, 1.0f});
  const std::vector<float> ears = grid(0.2f, 1.2f, 0.1313f, {0.0f, 0.7f});
  const std::vector<float> zs = {2.0f, 2.995f, 3.0f, 3.005f, 3.5f, 4.0f, 5.0f, 5.02f, 6.0f, 7.0f};

  long compared = 0;
  long mismatches = 0;
  for (float z0 : zs) {
    for (float ear : ears) {
      for (float pd : pds) {
        for (float j : js) {
          RunContext ctx;
          ctx.series = param.series;
          ctx.J = j;
          float z = z0;
          evaluate_series(ctx, pd, ear, z);
          const Coefficients ref = param.reference(j, pd, ear, z0);
          ++compared;
          if (bits(ctx.Kt) != bits(ref.Kt) || bits(ctx.Kq) != bits(ref.Kq) ||
              bits(ctx.eta0) != bits(ref.eta0) || bits(ctx.J) != bits(ref.J) ||
              bits(z) != bits(ref.z)) {
            if (++mismatches <= 5) {
              ADD_FAILURE() << "J " << j << " P/D " << pd << " EAR " << ear << " Z " << z0
                            << ": Kt " << ctx.Kt << " vs " << ref.Kt << ", Kq " << ctx.Kq
                            << " vs " << ref.Kq << ", eta0 " << ctx.eta0 << " vs " << ref.eta0;
            }
          }
        }
      }
    }
  }
  EXPECT_EQ(mismatches, 0) << "of " << compared << " points";
  EXPECT_GT(compared, 50000);
}

std::string series_name(const ::testing::TestParamInfo<SeriesCase>& info) {
  static const char* const names[] = {"", "WageningenB", "Gawn", "Kca"};
  return names[info.param.series];
}

INSTANTIATE_TEST_SUITE_P(Series, SeriesBitIdentity,
                         ::testing::Values(SeriesCase{1, reference_wageningen_b},
                                           SeriesCase{2, reference_gawn},
                                           SeriesCase{3, reference_kca}),
                         series_name);

}  // namespace
}  // namespace tidewerk
