// Case 7, propeller from Bp and delta.  Wageningen B, Z = 4, EAR = 0.70, D = 4 m, 120 RPM,
// RHO = 1025; the expected lines were computed independently from the published polynomials
// in single precision.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "cases/cases.h"
#include "report/outcome.h"
#include "report/run_end.h"
#include "support/test_support.h"

namespace tidewerk {
namespace {

Problem given(float Bp, float delta, Series series = Series::WageningenB, float Z = 4.0f) {
  Problem p;
  p.series = series;
  p.case_number = 7;
  p.Bp = Bp, p.delta = delta, p.Z = Z, p.EAR = 0.70f, p.RHO = 1025.0f;
  p.D = 4.0f, p.N = 120.0f, p.Va = 5.0f;
  return p;
}

bool has(const std::string& text, const std::string& lines) {
  return text.find(lines) != std::string::npos;
}

bool ends_with(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

constexpr const char* kRule =
    " ---|-------|--------|---------|--------|------------|------------|\n";

// Bp = 20, delta = 150: J = 0.675.  P/D 0.50 to 0.60 have negative Kt and are left out, so
// row 1 is P/D 0.65; the thrust of the result is 287220 N.
TEST(BpDelta, RowsWithNegativeKtAreLeftOutAndNumberedOnlyWhenKept) {
  const Problem p = given(20.0f, 150.0f);
  testing::TestConsole t;
  const CaseOutcome outcome = bp_delta(p, t.io, testing::quiet_warnings());
  EXPECT_TRUE(has(
      t.report.str(),
      std::string(kRule) + "  1    .650    .0128    .0592    .2329        6.7927     149.9960\n"))
      << t.report.str();
  EXPECT_TRUE(has(t.report.str(), " 16   1.400")) << t.report.str();
  EXPECT_FALSE(has(t.report.str(), " 17 "));
  EXPECT_TRUE(has(t.report.str(), "\n T=    287.22 kN")) << t.report.str();
  const ResultTable* result = nullptr;
  for (const ResultTable& table : outcome.tables()) {
    if (table.title == "Result") result = &table;
  }
  ASSERT_NE(result, nullptr);
  ASSERT_EQ(result->rows.size(), 1u);
  ASSERT_EQ(result->columns[5], "T_kN");
  EXPECT_NEAR(result->rows[0][5], 287.220, 0.005);
}

// The pitch ratio found reproduces the given Bp: P/D 0.93 lies between the grid rows.
TEST(BpDelta, InterpolatedPitchReproducesTheGivenBpInEachSeries) {
  const struct {
    Series series;
    float Z;
  } series_list[] = {{Series::WageningenB, 4.0f}, {Series::Gawn, 3.0f}, {Series::Kca, 4.0f}};
  for (const auto& s : series_list) {
    for (float delta : {120.0f, 150.0f, 200.0f}) {
      const OpenWater probe =
          evaluate(s.series, {static_cast<float>(101.2685 / double{delta}), 0.93f, 0.70f, s.Z});
      const double Bp = 33.06746 * std::sqrt(double{probe.Kq} / std::pow(double{probe.J}, 5.0));

      const Problem p = given(static_cast<float>(Bp), delta, s.series, s.Z);
      testing::TestConsole t;
      bp_delta(p, t.io, testing::quiet_warnings());
      const std::string report = t.report.str();
      const std::size_t at = report.find("\n P/D=");
      ASSERT_NE(at, std::string::npos) << report;
      EXPECT_NEAR(std::atof(report.c_str() + at + 6), 0.93, 0.0015)
          << series_facts(s.series).name << " " << delta;
    }
  }
}

// delta = 20 puts J at 5.06, far beyond the series: the polynomials still give Kt >= 0 at
// every P/D (19 rows), but Bp falls and rises again, so the table's Bp runs from .4813 down
// to .1933.  The interpolation refuses any Bp there, and the case stops instead of
// reporting the P/D 1.45 that ended the sweep, although .3000 lies between the column's
// smallest and largest values.
TEST(BpDelta, Delta20GivesNineteenRowsOfDelta199995AndNoResult) {
  const Problem p = given(0.3f, 20.0f);
  testing::TestConsole t;
  bp_delta(p, t.io, testing::quiet_warnings());
  const std::string report = t.report.str();
  EXPECT_TRUE(has(report, "  Bp=   .300, Delta= 20.00, J= 5.063, 10Kq= 2.739\n")) << report;
  EXPECT_TRUE(has(report, "  1    .500   3.7976   7.0507   4.3405         .4813      19.9995\n"))
      << report;
  EXPECT_TRUE(has(
      report, std::string(" 19   1.400   3.1727   1.1369  22.4880         .1933      19.9995\n") +
                  kRule +
                  "\n\n   VERILEN Bp DEGERI TABLO ARALIGI DISINDA - PROGRAM CALISMASI DURDURULDU\n"
                  "    Bp =     .3000   Tablo araligi:     .4813 -     .1933\n"))
      << report;
  EXPECT_TRUE(ends_with(report, "Tablo araligi:     .4813 -     .1933\n"));
  // The interpolation's own lines come first, on the screen only.
  EXPECT_TRUE(has(t.screen.str(),
                  " **** INTERPOLASYON BASARISIZ ****\n\n\n"
                  "  VERILEN Bp DEGERI TABLO ARALIGI DISINDA - PROGRAM CALISMASI DURDURULDU\n"
                  "   Bp =     .3000   Tablo araligi:     .4813 -     .1933\n"))
      << t.screen.str();
  EXPECT_FALSE(has(report, "INTERPOL"));
}

TEST(BpDelta, BpOutsideTheColumnStopsAtEitherEnd) {
  for (float Bp : {5.0f, 30.0f}) {
    const Problem p = given(Bp, 150.0f);
    testing::TestConsole t;
    bp_delta(p, t.io, testing::quiet_warnings());
    const std::string bp = Bp < 10.0f ? "   5.0000" : "  30.0000";
    EXPECT_TRUE(ends_with(
        t.report.str(),
        std::string(" 16   1.400    .3874    .8322    .5002       25.4717     149.9960\n") + kRule +
            "\n\n   VERILEN Bp DEGERI TABLO ARALIGI DISINDA - PROGRAM CALISMASI DURDURULDU\n"
            "    Bp = " +
            bp + "   Tablo araligi:    6.7927 -   25.4717\n"))
        << t.report.str();
    EXPECT_TRUE(has(t.screen.str(), "X   =" + std::string(Bp < 10.0f ? "   5.0" : "  30.0")))
        << t.screen.str();
  }
}

// delta = 73: only P/D 1.35 and 1.40 have Kt >= 0.  The table, the rule, the message and the
// count; nothing else of the case.
TEST(BpDelta, FewerThanThreeRowsStopWithTheCount) {
  const Problem p = given(20.0f, 73.0f);
  testing::TestConsole t;
  bp_delta(p, t.io, testing::quiet_warnings());
  EXPECT_TRUE(ends_with(
      t.report.str(),
      std::string(kRule) +
          "  1   1.350    .0219    .1032    .4686        1.4821      72.9981\n"
          "  2   1.400    .0472    .1598    .6515        1.8444      72.9981\n" +
          kRule +
          "\n\n   HESAP YAPILACAK SAYI 3 DEN AZ OLDUGU ICIN PROGRAM CALISMASI DURDURULDU\n"
          "    ISON =   2\n"))
      << t.report.str();
  EXPECT_TRUE(ends_with(t.screen.str(), "  ISON =   2\n")) << t.screen.str();
}

// delta = 0 divides by zero in the first step: the run ends with an arithmetic error and
// the report holds the banner alone.
TEST(BpDelta, DeltaZeroEndsTheRunBeforeAnyOutputOfTheCase) {
  const testing::RunResult run =
      testing::run_in_process(testing::task_file(1, 7, "20 0 4 0.70 1025 4.0 120 5.0 0"));
  EXPECT_EQ(run.status, kExitArithmetic);
  EXPECT_NE(run.errors.find("division by zero"), std::string::npos) << run.errors;
  EXPECT_TRUE(
      ends_with(run.report,
                "HESAP PROGRAMI                            !\n"
                " ------------------------------------------------------------------------\n"))
      << run.report;
  EXPECT_FALSE(has(run.screen, "Pervane")) << run.screen;
}

}  // namespace
}  // namespace tidewerk
