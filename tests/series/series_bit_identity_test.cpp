// The fast evaluators must give the same bits as forming every term afresh in table order:
// evaluate() against a reference sum written independently of the library's power and sum
// helpers, and evaluate_grid() on every instruction set the processor supports against
// evaluate() at every J, over dense grids of P/D, EAR, Z and J, with and without the ITTC78
// correction.
#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "series/gawn.h"
#include "series/grid.h"
#include "series/instruction_set.h"
#include "series/ittc78.h"
#include "series/kca.h"
#include "series/wageningen_b.h"
#include "tidewerk/series.h"

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

float reference_eta0(float kt, float kq, float j) {
  return static_cast<float>(double{kt} / double{kq} * double{j} / double{6.2831855f});
}

// Wageningen B and Gawn: Z^v * EAR^u * (P/D)^t * J^s, then * C, term by term.
template <std::size_t NT, std::size_t NQ>
OpenWater reference_b_form(const SeriesTerm (&thrust)[NT], const SeriesTerm (&torque)[NQ], float j,
                           float pd, float ear, float z) {
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
  return {j, z, kt, kq, reference_eta0(kt, kq, j)};
}

// Kt - dKt, Kq - dKq with the correction steps of the library, at the guarded J.
OpenWater reference_ittc78(OpenWater r, float pd, float ear, const Ittc78Conditions* full_scale) {
  if (!full_scale) return r;
  const std::optional<Ittc78Inputs> in = prepare_ittc78(*full_scale, r.J, ear, r.z);
  if (!in) return r;
  const Ittc78Terms t =
      ittc78_terms(in->Ds, pd, in->Zi, in->t_over_c, in->c_over_d, in->s, in->n_r, in->nu);
  r.Kt = static_cast<float>(double{r.Kt} - double{t.dKt});
  r.Kq = static_cast<float>(double{r.Kq} - double{t.dKq});
  r.eta0 = reference_eta0(r.Kt, r.Kq, r.J);
  return r;
}

OpenWater reference_wageningen_b(float j, float pd, float ear, float z,
                                 const Ittc78Conditions* full_scale) {
  return reference_ittc78(reference_b_form(kWageningenBThrust, kWageningenBTorque, j, pd, ear, z),
                          pd, ear, full_scale);
}

OpenWater reference_gawn(float j, float pd, float ear, float z, const Ittc78Conditions*) {
  if (std::fabs(z - 3.0f) > 0.01f) z = 3.0f;
  return reference_b_form(kGawnThrust, kGawnTorque, j, pd, ear, z);
}

OpenWater reference_kca(float j, float pd, float ear, float z, const Ittc78Conditions*) {
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
  return {j, z, kt, kq, reference_eta0(kt, kq, j)};
}

bool same_bits(const OpenWater& a, const OpenWater& b) {
  auto bits = [](float x) { return std::bit_cast<std::uint32_t>(x); };
  return bits(a.J) == bits(b.J) && bits(a.z) == bits(b.z) && bits(a.Kt) == bits(b.Kt) &&
         bits(a.Kq) == bits(b.Kq) && bits(a.eta0) == bits(b.eta0);
}

std::string describe(const OpenWater& r) {
  return "{J " + std::to_string(r.J) + ", z " + std::to_string(r.z) + ", Kt " +
         std::to_string(r.Kt) + ", Kq " + std::to_string(r.Kq) + ", eta0 " +
         std::to_string(r.eta0) + "}";
}

std::vector<float> grid(float first, float last, float step, std::vector<float> extra) {
  for (float x = first; x <= last; x += step) extra.push_back(x);
  return extra;
}

// J below the guard in both signs, zero, negative J; 123 points: one block of the grid
// evaluation and a part of another.
const std::vector<float> kJ =
    grid(-0.3f, 1.7f, 0.0173f, {0.0f, -0.0f, -0.0005f, 0.0005f, 0.0009999f, 0.001f, -0.001f});
const std::vector<float> kPD = grid(0.4f, 1.8f, 0.1137f, {0.0f, -0.5f, 1.0f});
const std::vector<float> kEAR = grid(0.2f, 1.2f, 0.1313f, {0.0f, 0.7f});
// Gawn: 3.005 and 2.995 kept, the rest 3; KCA: below 2.99 is 3, above 5.01 is 5.
const std::vector<float> kZ = {2.0f, 2.995f, 3.0f,  3.005f, 3.5f, 4.0f,
                               5.0f, 5.005f, 5.02f, 6.0f,   7.0f};

// D, Va, N: none, a given diameter, a diameter from Va / (N J) (D below 0.001, per J), N
// alone, and Va and N both below 0.001 (no correction).
const std::vector<std::optional<Ittc78Conditions>> kFullScale = {
    std::nullopt,
    Ittc78Conditions{4.0f, 5.0f, 120.0f},
    Ittc78Conditions{0.0f, 5.0f, 120.0f},
    Ittc78Conditions{0.0009f, 7.5f, 90.0f},
    Ittc78Conditions{2.5f, 0.0f, 150.0f},
    Ittc78Conditions{4.0f, 0.0009f, 0.0009f},
    Ittc78Conditions{0.0f, 0.0f, 0.0f}};

// The instruction sets of the grid kernel that this processor runs.
std::vector<InstructionSet> supported_sets() {
  std::vector<InstructionSet> sets;
  for (InstructionSet set : kInstructionSets) {
    if (instruction_set_supported(set)) sets.push_back(set);
  }
  return sets;
}

std::string name_of(InstructionSet set) {
  return std::string(instruction_set_name(set));
}

struct SeriesCase {
  Series series;
  OpenWater (*reference)(float j, float pd, float ear, float z, const Ittc78Conditions* full_scale);
};

void PrintTo(const SeriesCase& c, std::ostream* os) {
  *os << series_facts(c.series).name;
}

class SeriesBitIdentity : public ::testing::TestWithParam<SeriesCase> {};

// Each full-scale condition at the worked-example propeller, all of them for the dense grid
// of the uncorrected and the given-diameter cases.
TEST_P(SeriesBitIdentity, EvaluateMatchesTermByTermSumAndGridMatchesEvaluate) {
  const SeriesCase param = GetParam();
  const std::vector<InstructionSet> sets = supported_sets();
  std::vector<OpenWater> out(kJ.size());
  std::vector<OpenWater> single(kJ.size());
  long compared = 0;
  long mismatches = 0;
  auto fail = [&](const std::string& what, float j, float pd, float ear, float z, std::size_t fs,
                  const OpenWater& got, const OpenWater& expected) {
    if (++mismatches <= 5) {
      ADD_FAILURE() << what << ": J " << j << " P/D " << pd << " EAR " << ear << " Z " << z
                    << " conditions " << fs << ": " << describe(got) << " vs "
                    << describe(expected);
    }
  };
  for (std::size_t fs = 0; fs < kFullScale.size(); ++fs) {
    const Ittc78Conditions* full_scale = kFullScale[fs] ? &*kFullScale[fs] : nullptr;
    const bool dense = fs <= 1;
    for (float z : dense ? kZ : std::vector<float>{4.0f, 3.0f}) {
      for (float ear : dense ? kEAR : std::vector<float>{0.7f}) {
        for (float pd : dense ? kPD : std::vector<float>{1.0f, 0.5f}) {
          for (std::size_t i = 0; i < kJ.size(); ++i) {
            single[i] = evaluate(param.series, {kJ[i], pd, ear, z}, kFullScale[fs]);
            const OpenWater ref = param.reference(kJ[i], pd, ear, z, full_scale);
            ++compared;
            if (!same_bits(single[i], ref)) fail("evaluate", kJ[i], pd, ear, z, fs, single[i], ref);
          }
          for (InstructionSet set : sets) {
            evaluate_grid_with(set, param.series, pd, ear, z, kJ.data(), kJ.size(), out.data(),
                               full_scale);
            for (std::size_t i = 0; i < kJ.size(); ++i) {
              if (!same_bits(out[i], single[i]))
                fail("evaluate_grid " + name_of(set), kJ[i], pd, ear, z, fs, out[i], single[i]);
            }
            // Without the efficiency: the same J, z, Kt and Kq (eta0 is formed only where the
            // correction is applied point by point).
            evaluate_grid_with(set, param.series, pd, ear, z, kJ.data(), kJ.size(), out.data(),
                               full_scale, grid::GridValues::WithoutEfficiency);
            for (std::size_t i = 0; i < kJ.size(); ++i) {
              OpenWater got = out[i];
              if (std::isnan(got.eta0)) got.eta0 = single[i].eta0;
              if (!same_bits(got, single[i]))
                fail("without efficiency " + name_of(set), kJ[i], pd, ear, z, fs, out[i],
                     single[i]);
            }
          }
        }
      }
    }
  }
  EXPECT_EQ(mismatches, 0) << "of " << compared << " points";
  EXPECT_GT(compared, 200000);
}

// Counts around the block of the grid evaluation: nothing is written past the J given (the
// output one point longer), and the points written are those of the whole grid.
TEST_P(SeriesBitIdentity, GridWritesExactlyCountPoints) {
  const SeriesCase param = GetParam();
  const Ittc78Conditions full_scale{0.0f, 5.0f, 120.0f};
  std::vector<float> js;
  for (int k = 0; k < 1400; ++k) js.push_back(0.1f + 0.001f * static_cast<float>(k));
  std::vector<OpenWater> whole(js.size());
  evaluate_grid(param.series, 0.9f, 0.55f, 4.0f, js, whole, full_scale);
  for (InstructionSet set : supported_sets()) {
    for (std::size_t count : {0, 1, 2, 15, 63, 64, 65, 127, 128, 129, 255, 257, 1399}) {
      const OpenWater sentinel{-7.0f, -7.0f, -7.0f, -7.0f, -7.0f};
      std::vector<OpenWater> part(count + 1, sentinel);
      evaluate_grid_with(set, param.series, 0.9f, 0.55f, 4.0f, js.data(), count, part.data(),
                         &full_scale);
      for (std::size_t i = 0; i < count; ++i) {
        ASSERT_TRUE(same_bits(part[i], whole[i]))
            << name_of(set) << ", count " << count << ", point " << i;
      }
      EXPECT_TRUE(same_bits(part[count], sentinel)) << name_of(set) << ", count " << count;
    }
    evaluate_grid_with(set, param.series, 0.9f, 0.55f, 4.0f, nullptr, 0, nullptr, nullptr);
  }
  // The public spans: as many points as the shorter of J and the output.
  for (std::size_t count : {0, 1, 2, 129}) {
    const OpenWater sentinel{-7.0f, -7.0f, -7.0f, -7.0f, -7.0f};
    std::vector<OpenWater> part(count + 1, sentinel);
    evaluate_grid(param.series, 0.9f, 0.55f, 4.0f, std::span(js).first(count), part, full_scale);
    for (std::size_t i = 0; i < count; ++i) ASSERT_TRUE(same_bits(part[i], whole[i])) << count;
    EXPECT_TRUE(same_bits(part[count], sentinel)) << "count " << count;
  }
  std::vector<OpenWater> two(2);
  evaluate_grid(param.series, 0.9f, 0.55f, 4.0f, js, two, full_scale);
  EXPECT_TRUE(same_bits(two[0], whole[0]) && same_bits(two[1], whole[1]));
  evaluate_grid(param.series, 0.9f, 0.55f, 4.0f, {}, {});
}

// The arithmetic flags end a run: the grid raises exactly those of the points it is given,
// none of a point past `count`, and the uncorrected efficiency before the correction counts.
TEST_P(SeriesBitIdentity, GridRaisesTheFlagsOfItsPoints) {
  const SeriesCase param = GetParam();
  constexpr int kFaults = FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW;
  const Ittc78Conditions full_scale{4.0f, 5.0f, 120.0f};
  const std::vector<float> js = {0.5f, 0.7f, 1e15f, -3e14f};  // J^3 overflows at the last two
  for (float pd : {1.0f, 1e7f}) {                             // (P/D)^6 overflows at 1e7
    for (std::size_t count : {0, 1, 2, 3, 4}) {
      for (const std::optional<Ittc78Conditions>& fs :
           {std::optional<Ittc78Conditions>{}, std::optional(full_scale)}) {
        std::feclearexcept(FE_ALL_EXCEPT);
        for (std::size_t i = 0; i < count; ++i)
          (void)evaluate(param.series, {js[i], pd, 0.7f, 4.0f}, fs);
        const int single = std::fetestexcept(kFaults);
        std::feclearexcept(FE_ALL_EXCEPT);
        for (InstructionSet set : supported_sets()) {
          for (grid::GridValues values :
               {grid::GridValues::All, grid::GridValues::WithoutEfficiency}) {
            std::vector<OpenWater> out(4);
            evaluate_grid_with(set, param.series, pd, 0.7f, 4.0f, js.data(), count, out.data(),
                               fs ? &*fs : nullptr, values);
            const int grid_flags = std::fetestexcept(kFaults);
            std::feclearexcept(FE_ALL_EXCEPT);
            EXPECT_EQ(grid_flags, single)
                << name_of(set) << ", P/D " << pd << ", count " << count
                << (fs ? ", corrected" : "")
                << (values == grid::GridValues::All ? "" : ", without efficiency");
          }
        }
        if (pd == 1.0f) {
          EXPECT_EQ(single != 0, count > 2) << "count " << count;
        }
      }
    }
  }
}

// A NaN or infinite J in a whole block: the guard's comparison and the sums raise the flags
// of the single evaluation, on every path.
TEST_P(SeriesBitIdentity, GridRaisesTheFlagsOfANaNOrInfiniteJ) {
  const SeriesCase param = GetParam();
  constexpr int kFaults = FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW;
  for (float odd : {std::nanf(""), INFINITY, -INFINITY}) {
    for (std::size_t at : {0, 77, 255}) {
      std::vector<float> js(256, 0.6f);
      js[at] = odd;
      std::feclearexcept(FE_ALL_EXCEPT);
      std::vector<OpenWater> single(js.size());
      for (std::size_t i = 0; i < js.size(); ++i)
        single[i] = evaluate(param.series, {js[i], 1.0f, 0.7f, 4.0f});
      const int expected = std::fetestexcept(kFaults);
      std::feclearexcept(FE_ALL_EXCEPT);
      for (InstructionSet set : supported_sets()) {
        std::vector<OpenWater> out(js.size());
        evaluate_grid_with(set, param.series, 1.0f, 0.7f, 4.0f, js.data(), js.size(), out.data(),
                           nullptr, grid::GridValues::WithoutEfficiency);
        EXPECT_EQ(std::fetestexcept(kFaults), expected)
            << name_of(set) << ", J " << odd << ", without efficiency";
        std::feclearexcept(FE_ALL_EXCEPT);
        evaluate_grid_with(set, param.series, 1.0f, 0.7f, 4.0f, js.data(), js.size(), out.data(),
                           nullptr);
        EXPECT_EQ(std::fetestexcept(kFaults), expected) << name_of(set) << ", J " << odd;
        std::feclearexcept(FE_ALL_EXCEPT);
        for (std::size_t i = 0; i < js.size(); ++i)
          EXPECT_TRUE(same_bits(out[i], single[i])) << name_of(set) << ", point " << i;
      }
    }
  }
}

std::string series_name(const ::testing::TestParamInfo<SeriesCase>& info) {
  static const char* const names[] = {"", "WageningenB", "Gawn", "Kca"};
  return names[static_cast<int>(info.param.series)];
}

INSTANTIATE_TEST_SUITE_P(Series, SeriesBitIdentity,
                         ::testing::Values(SeriesCase{Series::WageningenB, reference_wageningen_b},
                                           SeriesCase{Series::Gawn, reference_gawn},
                                           SeriesCase{Series::Kca, reference_kca}),
                         series_name);

}  // namespace
}  // namespace tidewerk
