#include "series/ittc78.h"

#include <cmath>

#include "numeric/precision.h"

namespace tidewerk {

namespace {

// Single-precision constants, promoted to double inside the expressions.
constexpr double kPi = 3.1415927f;
constexpr double kRadiusFraction = 0.75f;
constexpr double kFrictionA = 0.044f;
constexpr double kFrictionB = 5.0f;
constexpr double kFrictionExponentA = 0.1667f;
constexpr double kFrictionExponentB = 0.6667f;
constexpr double kRoughnessHeight = 3e-05f;
constexpr double kRoughnessA = 1.89f;
constexpr double kRoughnessB = 1.62f;
constexpr double kRoughnessExponent = 2.5f;
constexpr double kThrustFactor = 0.28f;
constexpr double kTorqueFactor = 0.248f;

}  // namespace

Ittc78Terms ittc78_terms(float D, float pd, int Zi, float t_over_c, float c_over_d, float s,
                         float n_r, float nu) {
  Ittc78Terms r;
  r.cs = single(double{c_over_d} * double{D});
  r.cr = single(double{r.cs} / double{s});
  r.Dr = single(double{D} / double{s});
  r.Rn = single(double{n_r} * kPi * double{r.Dr} * double{r.cr} * kRadiusFraction / double{nu});

  const double rn = r.Rn;
  const double thickness_form = 2.0 * (1.0 + 2.0 * double{t_over_c});
  r.CDr = single(thickness_form * (kFrictionA / std::pow(rn, kFrictionExponentA) -
                                   kFrictionB / std::pow(rn, kFrictionExponentB)));
  r.CDs = single(thickness_form /
                 std::pow(kRoughnessA + kRoughnessB * std::log10(double{r.cs} / kRoughnessHeight),
                          kRoughnessExponent));
  r.delta = single(double{r.CDs} - double{r.CDr});

  const double zi = Zi;
  r.dKt = single(-kThrustFactor * zi * double{c_over_d} * double{pd} * double{r.delta});
  r.dKq = single(kTorqueFactor * zi * double{c_over_d} * double{r.delta});
  return r;
}

}  // namespace tidewerk
