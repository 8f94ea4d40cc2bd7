#include "driver/data_entry_check.h"

#include <gtest/gtest.h>

#include "report/run_end.h"
#include "support/test_support.h"

namespace tidewerk {
namespace {

struct Limits {
  int series;
  float EARmin, EARmax;
};
constexpr Limits kB{1, 0.3f, 1.0501f}, kGawn{2, 0.201f, 1.101f}, kKca{3, 0.501f, 1.101f}, kNone{0, 0, 0};

// True when the check lets the value through; false when it stops the run.
bool passes(const Limits& limits, float EAR) {
  RunContext ctx;
  ctx.series = limits.series;
  ctx.EARmin = limits.EARmin;
  ctx.EARmax = limits.EARmax;
  ctx.EAR = EAR;
  testing::TestConsole t;
  try {
    check_data_entry(ctx, t.io);
  } catch (const RunStopped&) {
    return false;
  }
  return t.screen.str().empty() && t.report.str().empty();
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
  RunContext ctx;
  ctx.series = 1, ctx.EARmin = 0.3f, ctx.EARmax = 1.0501f, ctx.EAR = 1.2f;
  testing::TestConsole t;
  EXPECT_THROW(check_data_entry(ctx, t.io), RunStopped);
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
  EXPECT_EQ(t.screen.str(), screen + "\n\n  BITIRMEK ICIN ENTER TUSUNA BASINIZ\nStop - Program terminated.\n");
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
    RunContext ctx;
    ctx.series = row.limits.series, ctx.EARmin = row.limits.EARmin, ctx.EARmax = row.limits.EARmax;
    ctx.EAR = row.EAR;
    testing::TestConsole t;
    EXPECT_THROW(check_data_entry(ctx, t.io), RunStopped);
    EXPECT_EQ(t.report.str(), std::string("\n\n\n  Tidewerk Programi Data Giris Hata Uyarisi: \n") + row.lines);
  }
}

}  // namespace
}  // namespace tidewerk
