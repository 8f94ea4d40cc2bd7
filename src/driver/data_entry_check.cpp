#include "driver/data_entry_check.h"

#include "cases/design.h"
#include "report/warnings.h"

namespace tidewerk {

std::optional<std::string> data_entry_refusal(const Problem& p) {
  const std::optional<Series> series = series_from_number(p.series_number);
  if (!series) {
    return "the series on line 16 is " + std::to_string(p.series_number) +
           ", not 1 (Wageningen B), 2 (Gawn) or 3 (KCA)";
  }
  const SeriesFacts& facts = series_facts(*series);
  if (facts.EARmin <= p.EAR && facts.EARmax > p.EAR) return std::nullopt;
  return "the blade-area ratio EAR = " + fixed(p.EAR, 4) + " lies outside the range of the " +
         std::string(facts.name) + " series (" + fixed(facts.EARmin, 3) + " <= EAR < " +
         fixed(facts.EARmax, 3) + ")";
}

std::string case_outside_reason(int case_line, int case_number) {
  return "line " + std::to_string(case_line) + " holds case " + std::to_string(case_number) +
         ", not 1 to 10 (is a line missing above it?)";
}

std::string bollard_refusal_reason(Series series) {
  return "the bollard-pull case does not take the " + std::string(series_facts(series).name) +
         " series";
}

std::optional<std::string> refusal_before_computing(const Problem& p, int case_line) {
  if (p.case_number < 1 || p.case_number > 10) return case_outside_reason(case_line, p.case_number);
  const std::optional<Series> series = series_from_number(p.series_number);
  if (!series) return data_entry_refusal(p);
  // The bollard-pull case refuses a series without bollard data before its data-entry check;
  // the Bp-delta case makes no data-entry check; the design cases make none for the
  // blade-area-only entry (EAR = 0).
  if (p.case_number == 4 && !series_facts(*series).bollard_pull)
    return bollard_refusal_reason(*series);
  if (p.case_number == 7) return std::nullopt;
  if (p.case_number >= 8 && blade_area_only_entry(p)) return std::nullopt;
  return data_entry_refusal(p);
}

void check_data_entry(const Problem& p, Console& io) {
  const std::optional<std::string> refusal = data_entry_refusal(p);
  if (!refusal) return;
  const std::optional<Series> series = series_from_number(p.series_number);

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
  io.stop(*refusal);
}

}  // namespace tidewerk
