#include "cases/data_entry_check.h"

#include <gtest/gtest.h>

#include <optional>

#include "cases/series_use.h"
#include "report/run_end.h"
#include "support/test_support.h"

namespace tidewerk {
namespace {

// The blade-area limits of each series; an unknown series has none.
struct Limits {
  std::optional<Series> series;
  float EARmin, EARmax;
};
constexpr Limits kB{Series::WageningenB, 0.3f, 1.0501f}, kGawn{Series::Gawn, 0.201f, 1.101f},
    kKca{Series::Kca, 0.501f, 1.101f}, kNone{std::nullopt, 0, 0};

// The check of a task file with this series (none: line 16 holds 4) and blade-area ratio.
void check(const std::optional<Series>& series, float EAR, Console& io) {
  if (!series) stop_for_unknown_series(4, io);
  Problem p;
  p.series = *series;
  p.EAR = EAR;
  check_data_entry(p, io);
}

// True when the check lets the value through; false when it stops the run.
bool passes(const Limits& limits, float EAR) {
  testing::TestConsole t;
  try {
    check(limits.series, EAR, t.io);
  } catch (const RunStopped&) {
    return false;
  }
  return t.screen.str().empty() && t.report.str().empty();
}

TEST(DataEntryCheck, TheLimitsAreThoseOfTheSeriesUse) {
  for (const Limits& limits : {kB, kGawn, kKca}) {
    const SeriesUse& use = series_use(*limits.series);
    EXPECT_EQ(use.EARmin, limits.EARmin) << series_facts(*limits.series).name;
    EXPECT_EQ(use.EARmax, limits.EARmax) << series_facts(*limits.series).name;
  }
  EXPECT_FALSE(series_from_number(0).has_value());
  EXPECT_FALSE(series_from_number(4).has_value());
}

TEST(DataEntryCheck, LowerLimitInclusiveUpperLimitExclusive) {
  EXPECT_TRUE(passes(kB, 0.3f));
  EXPECT_TRUE(passes(kB, 1.05f));
  EXPECT_FALSE(passes(kB, 1.0501f));
  EXPECT_FALSE(passes(kB, 0.29f));
  EXPECT_FALSE(passes(kGawn, 0.2f));  // although its message says 0.2 < Ae/Ao
  EXPECT_TRUE(passes(kGawn, 1.1f));
  EXPECT_FALSE(passes(kKca, 0.5f));
  EXPECT_TRUE(passes(kKca, 0.55f));
  EXPECT_FALSE(passes(kNone, 0.7f));
  EXPECT_FALSE(passes(kNone, 0.0f));
}

TEST(DataEntryCheck, WageningenMessageBlockOnScreenAndReport) {
  testing::TestConsole t;
  try {
    check(kB.series, 1.2f, t.io);
    ADD_FAILURE() << "the run goes on";
  } catch (const RunStopped& stop) {
    // A stop without the case's result, with the reason for standard error.
    EXPECT_EQ(stop.no_result,
              "the blade-area ratio EAR = 1.2000 lies outside the range of the Wageningen B series "
              "(0.300 <= EAR < "
              "1.050)");
  }
  const std::string block =
      "\n\n\n"
      "  Tidewerk Programi Data Giris Hata Uyarisi: \n"
      "  Wageningen Serisi Pervanelerde 0.3<Ae/Ao<1.05 tir.\n"
      "  Hesabi istenen Ae = 1.2000 sinir disinda kalmaktadir.\n";
  EXPECT_EQ(t.report.str(), block);
  // The screen drops column 1, then shows the console's two empty records, the pause and the stop.
  std::string screen;
  for (std::size_t start = 0; start < block.size();) {
    std::size_t end = block.find('\n', start);
    std::string line = block.substr(start, end - start);
    screen += (line.empty() ? line : line.substr(1)) + "\n";
    start = end + 1;
  }
  EXPECT_EQ(t.screen.str(),
            screen + "\n\n  BITIRMEK ICIN ENTER TUSUNA BASINIZ\nStop - Program terminated.\n");
}

TEST(DataEntryCheck, GawnKcaAndUnknownSeriesLines) {
  const struct {
    Limits limits;
    float EAR;
    const char* lines;
  } rows[] = {
      {kGawn, 0.2f,
       "  Gawn Serisi Pervanelerde 0.2<Ae/Ao<1.10 dir.      \n"
       "  Hesabi istenen Ae/Ao =   .200 sinir disinda kalmaktadir.\n"},
      {kKca, 1.2f,
       "  KCA Serisi Pervanelerde 0.5<Ae/Ao<1.10 dir.       \n"
       "  Hesabi istenen Ae/Ao =  1.200 sinir disinda kalmaktadir.\n"},
      {kNone, 0.7f, ""},
  };
  for (const auto& row : rows) {
    testing::TestConsole t;
    EXPECT_THROW(check(row.limits.series, row.EAR, t.io), RunStopped);
    EXPECT_EQ(t.report.str(),
              std::string("\n\n\n  Tidewerk Programi Data Giris Hata Uyarisi: \n") + row.lines);
  }
}

}  // namespace
}  // namespace tidewerk
