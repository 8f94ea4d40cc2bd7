#include "driver/data_entry_check.h"

#include "report/warnings.h"

namespace tidewerk {

void check_data_entry(const Problem& p, Console& io) {
  const std::optional<Series> series = series_from_number(p.series_number);
  std::string reason;
  if (series) {
    const SeriesFacts& facts = series_facts(*series);
    if (facts.EARmin <= p.EAR && facts.EARmax > p.EAR) return;
    reason = "the blade-area ratio EAR = " + fixed(p.EAR, 4) + " lies outside the range of the " +
             std::string(facts.name) + " series (" + fixed(facts.EARmin, 3) + " <= EAR < " +
             fixed(facts.EARmax, 3) + ")";
  } else {
    reason = "the series on line 16 is " + std::to_string(p.series_number) +
             ", not 1 (Wageningen B), 2 (Gawn) or 3 (KCA)";
  }

  io.block([&](OutputChannel& out) {
    out.blank();
    out.blank();
    out.blank();
    out.write("(1X,' Tidewerk Programi Data Giris Hata Uyarisi: ')");
    if (series) {
      const SeriesFacts& facts = series_facts(*series);
      out.write(facts.entry_limits_layout);
      out.write(facts.entry_value_layout, {p.EAR});
    }
  });
  io.console.blank();
  io.console.blank();
  io.pause("  BITIRMEK ICIN ENTER TUSUNA BASINIZ");
  io.stop(reason);
}

}  // namespace tidewerk
