// How the program uses each series: the records naming it in the report, the pitch ratios the
// cases sweep, the blade-area ratios the data-entry check accepts, and the cases that refuse it.
// What a caller of the series library needs (names, fitted ranges, blade numbers) is in
// tidewerk/series.h.
#pragma once

#include <string_view>

#include "report/channels.h"
#include "tidewerk/series.h"

namespace tidewerk {

struct SeriesUse {
  Series series;
  // The record naming the series in every report ("HESAPLARDA ... SERISI KULLANILMISTIR").
  std::string_view used_layout;
  // Pitch ratios swept by the cases: from PDmin up to PDmax (PDmax carries a small margin so
  // that the last step is reached in single precision).  Also the range outside which a
  // case's P/D is warned about.
  float PDmin;
  float PDmax;
  // Blade-area ratios accepted by the data-entry check: EARmin <= EAR < EARmax.
  float EARmin;
  float EARmax;
  // The data-entry error block: the limits record, and the record with the requested ratio.
  std::string_view entry_limits_layout;
  std::string_view entry_value_layout;
  bool bollard_pull;  // the bollard-pull case (J = 0.001) accepts this series
};

// How the program uses `series`.
const SeriesUse& series_use(Series series);

// An empty record and the name of the series used, to the screen and the report.
void write_series_used(Console& io, Series series);

}  // namespace tidewerk
