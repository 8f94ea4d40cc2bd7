#include "driver/data_entry_check.h"

namespace tidewerk {

void check_data_entry(std::optional<Series> series, float EAR, Console& io) {
  if (series) {
    const SeriesFacts& facts = series_facts(*series);
    if (facts.EARmin <= EAR && facts.EARmax > EAR) return;
  }

  io.block([&](OutputChannel& out) {
    out.blank();
    out.blank();
    out.blank();
    out.write("(1X,' Tidewerk Programi Data Giris Hata Uyarisi: ')");
    if (series) {
      const SeriesFacts& facts = series_facts(*series);
      out.write(facts.entry_limits_layout);
      out.write(facts.entry_value_layout, {EAR});
    }
  });
  io.console.blank();
  io.console.blank();
  io.pause("  BITIRMEK ICIN ENTER TUSUNA BASINIZ");
  io.stop();
}

}  // namespace tidewerk
