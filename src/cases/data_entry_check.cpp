#include "cases/data_entry_check.h"

#include "cases/design.h"
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

std::optional<std::string> blade_area_refusal(const Problem& p) {
  const SeriesUse& use = series_use(p.series);
  if (use.EARmin <= p.EAR && use.EARmax > p.EAR) return std::nullopt;
  return "the blade-area ratio EAR = " + fixed(p.EAR, 4) + " lies outside the range of the " +
         std::string(series_facts(p.series).name) + " series (" + fixed(use.EARmin, 3) +
         " <= EAR < " + fixed(use.EARmax, 3) + ")";
}

std::string unknown_series_reason(int series_number) {
  return "the series on line 16 is " + std::to_string(series_number) +
         ", not 1 (Wageningen B), 2 (Gawn) or 3 (KCA)";
}

std::string case_outside_reason(int case_line, int case_number) {
  return "line " + std::to_string(case_line) + " holds case " + std::to_string(case_number) +
         ", not 1 to 10 (is a line missing above it?)";
}

std::string bollard_refusal_reason(Series series) {
  return "the bollard-pull case does not take the " + std::string(series_facts(series).name) +
         " series";
}

std::optional<std::string> refusal_before_computing(std::optional<Series> series, int series_number,
                                                    const Problem& p, int case_line) {
  if (p.case_number < 1 || p.case_number > 10) return case_outside_reason(case_line, p.case_number);
  if (!series) return unknown_series_reason(series_number);
  // The bollard-pull case refuses a series without bollard data before its data-entry check;
  // the Bp-delta case makes no data-entry check; the design cases make none for the
  // blade-area-only entry (EAR = 0).
  if (p.case_number == 4 && !series_use(*series).bollard_pull)
    return bollard_refusal_reason(*series);
  if (p.case_number == 7) return std::nullopt;
  if (p.case_number >= 8 && blade_area_only_entry(p)) return std::nullopt;
  return blade_area_refusal(p);
}

void check_data_entry(const Problem& p, Console& io) {
  std::optional<std::string> refusal = blade_area_refusal(p);
  if (!refusal) return;
  stop_for_entry(&series_use(p.series), p.EAR, std::move(*refusal), io);
}

void stop_for_unknown_series(int series_number, Console& io) {
  stop_for_entry(nullptr, 0.0f, unknown_series_reason(series_number), io);
}

}  // namespace tidewerk
