// The series facts table and the evaluator's dispatch.
#include "tidewerk/series.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "series/gawn.h"
#include "series/grid.h"
#include "series/kca.h"
#include "series/wageningen_b.h"

namespace tidewerk {
namespace {

// Every fact about a series a caller needs has its one place here: the ranges are those of the
// models each series' polynomials were fitted on.
constexpr std::array<SeriesFacts, 3> kSeriesFacts{{
    {
        .series = Series::WageningenB,
        .name = "Wageningen B",
        .PDmin = 0.5f,
        .PDmax = 1.4f,
        .EARmin = 0.3f,
        .EARmax = 1.05f,
        .Zmin = 2,
        .Zmax = 7,
        .ittc78 = true,
        .blade_rule = BladeNumberRule::AsGiven,
    },
    {
        .series = Series::Gawn,
        .name = "Gawn",
        .PDmin = 0.5f,
        .PDmax = 2.0f,
        .EARmin = 0.2f,
        .EARmax = 1.1f,
        .Zmin = 3,
        .Zmax = 3,
        .ittc78 = false,
        .blade_rule = BladeNumberRule::ThreeBlades,
    },
    {
        .series = Series::Kca,
        .name = "KCA",
        .PDmin = 0.6f,
        .PDmax = 2.0f,
        .EARmin = 0.5f,
        .EARmax = 1.1f,
        .Zmin = 3,
        .Zmax = 5,
        .ittc78 = false,
        .blade_rule = BladeNumberRule::ThreeToFive,
    },
}};

static_assert(kSeriesFacts[0].series == Series::WageningenB &&
                  kSeriesFacts[1].series == Series::Gawn && kSeriesFacts[2].series == Series::Kca,
              "the facts table is indexed by the series number");

}  // namespace

inline namespace v0_1 {

const SeriesFacts& series_facts(Series series) {
  return kSeriesFacts[static_cast<std::size_t>(static_cast<int>(series) - 1)];
}

std::optional<Series> series_from_number(int number) {
  if (number < 1 || number > static_cast<int>(kSeriesFacts.size())) return std::nullopt;
  return kSeriesFacts[static_cast<std::size_t>(number - 1)].series;
}

float blade_number_used(Series series, float z) {
  switch (series_facts(series).blade_rule) {
    case BladeNumberRule::AsGiven:
      return z;
    case BladeNumberRule::ThreeBlades:
      return std::fabs(double{z} - 3.0) > double{0.01f} ? 3.0f : z;
    case BladeNumberRule::ThreeToFive:
      if (z < 2.99f) z = 3.0f;
      if (z > 5.01f) z = 5.0f;
      return z;
  }
  return z;
}

bool ittc78_applied(Series series, std::optional<Ittc78Conditions> full_scale) {
  return series_facts(series).ittc78 && full_scale &&
         !(full_scale->Va < 0.001f && full_scale->N < 0.001f);
}

OpenWater evaluate(Series series, const OperatingPoint& point,
                   std::optional<Ittc78Conditions> full_scale) {
  switch (series) {
    case Series::WageningenB:
      return wageningen_b_open_water(point.J, point.pd, point.ear, point.z,
                                     full_scale ? &*full_scale : nullptr);
    case Series::Gawn:
      return gawn_open_water(point.J, point.pd, point.ear, point.z);
    case Series::Kca:
      return kca_open_water(point.J, point.pd, point.ear, point.z);
  }
  return {point.J, point.z, 0.0f, 0.0f, 0.0f};
}

void evaluate_grid(Series series, float pd, float ear, float z, std::span<const float> J,
                   std::span<OpenWater> out, std::optional<Ittc78Conditions> full_scale) {
  evaluate_grid_with(instruction_set_in_use().set, series, pd, ear, z, J.data(),
                     std::min(J.size(), out.size()), out.data(),
                     full_scale ? &*full_scale : nullptr);
}

}  // namespace v0_1
}  // namespace tidewerk
