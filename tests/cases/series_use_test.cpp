#include "cases/series_use.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"

namespace tidewerk {
namespace {

struct UseCase {
  Series series;
  const char* statement;     // the report's record naming the series
  const char* entry_limits;  // the ratios in the data-entry error block
  bool bollard_pull;
};

constexpr UseCase kUses[] = {
    {Series::WageningenB, " HESAPLARDA WAGENINGEN B SERISI KULLANILMISTIR", "0.3<Ae/Ao<1.05", true},
    {Series::Gawn, " HESAPLARDA GAWN SERISI KULLANILMISTIR", "0.2<Ae/Ao<1.10", false},
    {Series::Kca, " HESAPLARDA KCA SERISI KULLANILMISTIR", "0.5<Ae/Ao<1.10", true},
};

// The program's ranges are the series' fitted ranges with at most a rounding margin: a sweep or
// a check that drifted from the library's ranges (or a row under the wrong series) shows here.
TEST(SeriesUse, RangesAreTheSeriesRangesWithTheirMargins) {
  for (const UseCase& c : kUses) {
    const SeriesFacts& facts = series_facts(c.series);
    const SeriesUse& use = series_use(c.series);
    EXPECT_EQ(use.series, c.series) << facts.name;
    EXPECT_EQ(use.PDmin, facts.PDmin) << facts.name;
    EXPECT_GE(use.PDmax, facts.PDmax) << facts.name;
    EXPECT_LT(use.PDmax, facts.PDmax + 0.002f) << facts.name;
    EXPECT_GE(use.EARmin, facts.EARmin) << facts.name;
    EXPECT_LT(use.EARmin, facts.EARmin + 0.002f) << facts.name;
    EXPECT_GE(use.EARmax, facts.EARmax) << facts.name;
    EXPECT_LT(use.EARmax, facts.EARmax + 0.002f) << facts.name;
    EXPECT_EQ(use.bollard_pull, c.bollard_pull) << facts.name;
    EXPECT_NE(use.entry_limits_layout.find(c.entry_limits), std::string_view::npos)
        << use.entry_limits_layout;
  }
}

TEST(SeriesUse, SeriesStatementToScreenAndReport) {
  for (const UseCase& c : kUses) {
    testing::TestConsole t;
    write_series_used(t.io, c.series);
    EXPECT_EQ(t.report.str(), std::string("\n") + c.statement + "\n");
    EXPECT_EQ(t.screen.str(), std::string("\n") + (c.statement + 1) + "\n");
  }
}

}  // namespace
}  // namespace tidewerk
