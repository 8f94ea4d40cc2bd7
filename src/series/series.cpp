// The series facts table and the evaluator's dispatch.
#include "tidewerk/series.h"

#include <array>
#include <cmath>

#include "series/gawn.h"
#include "series/kca.h"
#include "series/wageningen_b.h"

namespace tidewerk {
namespace {

// Every fact about a series has its one place here.
constexpr std::array<SeriesFacts, 3> kSeriesFacts{{
    {
        .series = Series::WageningenB,
        .name = "Wageningen B",
        .used_layout = "(/' HESAPLARDA WAGENINGEN B SERISI KULLANILMISTIR')",
        .PDmin = 0.5f,
        .PDmax = 1.401f,
        .EARmin = 0.3f,
        .EARmax = 1.0501f,
        .entry_limits_layout = "(1X,' Wageningen Serisi Pervanelerde 0.3<Ae/Ao<1.05 tir.')",
        .entry_value_layout = "(1X,' Hesabi istenen Ae = ',F6.4,' sinir disinda kalmaktadir.')",
        .ittc78 = true,
        .bollard_pull = true,
        .blade_rule = BladeNumberRule::AsGiven,
        .Zmin = 2,
        .Zmax = 7,
    },
    {
        .series = Series::Gawn,
        .name = "Gawn",
        .used_layout = "(/' HESAPLARDA GAWN SERISI KULLANILMISTIR')",
        .PDmin = 0.5f,
        .PDmax = 2.001f,
        .EARmin = 0.201f,
        .EARmax = 1.101f,
        .entry_limits_layout = "(1X,' Gawn Serisi Pervanelerde 0.2<Ae/Ao<1.10 dir.      ')",
        .entry_value_layout = "(1X,' Hesabi istenen Ae/Ao = ',F6.3,' sinir disinda kalmaktadir.')",
        .ittc78 = false,
        .bollard_pull = false,
        .blade_rule = BladeNumberRule::ThreeBlades,
        .Zmin = 3,
        .Zmax = 3,
    },
    {
        .series = Series::Kca,
        .name = "KCA",
        .used_layout = "(/' HESAPLARDA KCA SERISI KULLANILMISTIR')",
        .PDmin = 0.6f,
        .PDmax = 2.001f,
        .EARmin = 0.501f,
        .EARmax = 1.101f,
        .entry_limits_layout = "(1X,' KCA Serisi Pervanelerde 0.5<Ae/Ao<1.10 dir.       ')",
        .entry_value_layout = "(1X,' Hesabi istenen Ae/Ao = ',F6.3,' sinir disinda kalmaktadir.')",
        .ittc78 = false,
        .bollard_pull = true,
        .blade_rule = BladeNumberRule::ThreeToFive,
        .Zmin = 3,
        .Zmax = 5,
    },
}};

static_assert(kSeriesFacts[0].series == Series::WageningenB &&
                  kSeriesFacts[1].series == Series::Gawn && kSeriesFacts[2].series == Series::Kca,
              "the facts table is indexed by the series number");

}  // namespace

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

bool ittc78_applied(Series series, const Ittc78Conditions* full_scale) {
  return series_facts(series).ittc78 && full_scale != nullptr &&
         !(full_scale->Va < 0.001f && full_scale->N < 0.001f);
}

OpenWater evaluate(Series series, const OperatingPoint& point, const Ittc78Conditions* full_scale) {
  switch (series) {
    case Series::WageningenB:
      return wageningen_b_open_water(point.J, point.pd, point.ear, point.z, full_scale);
    case Series::Gawn:
      return gawn_open_water(point.J, point.pd, point.ear, point.z);
    case Series::Kca:
      return kca_open_water(point.J, point.pd, point.ear, point.z);
  }
  return {point.J, point.z, 0.0f, 0.0f, 0.0f};
}

}  // namespace tidewerk
