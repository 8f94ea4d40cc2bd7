#include "cases/data_entry_check.h"

#include "cases/series_use.h"
#include "report/warnings.h"

namespace tidewerk {
namespace {

// The error block (the limits of `use` when the series is known), the pause and the stop.
[[noreturn]] void stop_for_entry(const SeriesUse* use, float EAR, std::string reason, Console& io) {
  io.block([&](OutputChannel& out) {
    out.blank();
    out.blank();
    out.blank();
    out.write("(1X,' Tidewerk Programi Data Giris Hata Uyarisi: ')");
    if (use != nullptr) {
      out.write(use->entry_limits_layout);
      out.write(use->entry_value_layout, {EAR});
    }
  });
  io.console.blank();
  io.console.blank();
  io.pause("  BITIRMEK ICIN ENTER TUSUNA BASINIZ");
  io.stop(std::move(reason));
}

}  // namespace

void check_data_entry(const Problem& p, Console& io) {
  const SeriesUse& use = series_use(p.series);
  if (use.EARmin <= p.EAR && use.EARmax > p.EAR) return;
  stop_for_entry(&use, p.EAR,
                 "the blade-area ratio EAR = " + fixed(p.EAR, 4) +
                     " lies outside the range of the " + std::string(series_facts(p.series).name) +
                     " series (" + fixed(use.EARmin, 3) + " <= EAR < " + fixed(use.EARmax, 3) + ")",
                 io);
}

void stop_for_unknown_series(int series_number, Console& io) {
  stop_for_entry(nullptr, 0.0f,
                 "the series on line 16 is " + std::to_string(series_number) +
                     ", not 1 (Wageningen B), 2 (Gawn) or 3 (KCA)",
                 io);
}

}  // namespace tidewerk
