#include "cases/series_use.h"

#include <array>

namespace tidewerk {
namespace {

constexpr std::array<SeriesUse, 3> kSeriesUse{{
    {
        .series = Series::WageningenB,
        .used_layout = "(/' HESAPLARDA WAGENINGEN B SERISI KULLANILMISTIR')",
        .PDmin = 0.5f,
        .PDmax = 1.401f,
        .EARmin = 0.3f,
        .EARmax = 1.0501f,
        .entry_limits_layout = "(1X,' Wageningen Serisi Pervanelerde 0.3<Ae/Ao<1.05 tir.')",
        .entry_value_layout = "(1X,' Hesabi istenen Ae = ',F6.4,' sinir disinda kalmaktadir.')",
        .bollard_pull = true,
    },
    {
        .series = Series::Gawn,
        .used_layout = "(/' HESAPLARDA GAWN SERISI KULLANILMISTIR')",
        .PDmin = 0.5f,
        .PDmax = 2.001f,
        .EARmin = 0.201f,
        .EARmax = 1.101f,
        .entry_limits_layout = "(1X,' Gawn Serisi Pervanelerde 0.2<Ae/Ao<1.10 dir.      ')",
        .entry_value_layout = "(1X,' Hesabi istenen Ae/Ao = ',F6.3,' sinir disinda kalmaktadir.')",
        .bollard_pull = false,
    },
    {
        .series = Series::Kca,
        .used_layout = "(/' HESAPLARDA KCA SERISI KULLANILMISTIR')",
        .PDmin = 0.6f,
        .PDmax = 2.001f,
        .EARmin = 0.501f,
        .EARmax = 1.101f,
        .entry_limits_layout = "(1X,' KCA Serisi Pervanelerde 0.5<Ae/Ao<1.10 dir.       ')",
        .entry_value_layout = "(1X,' Hesabi istenen Ae/Ao = ',F6.3,' sinir disinda kalmaktadir.')",
        .bollard_pull = true,
    },
}};

static_assert(kSeriesUse[0].series == Series::WageningenB && kSeriesUse[1].series == Series::Gawn &&
                  kSeriesUse[2].series == Series::Kca,
              "the table is indexed by the series number");

}  // namespace

const SeriesUse& series_use(Series series) {
  return kSeriesUse[static_cast<std::size_t>(static_cast<int>(series) - 1)];
}

void write_series_used(Console& io, Series series) {
  io.both(series_use(series).used_layout);
}

}  // namespace tidewerk
