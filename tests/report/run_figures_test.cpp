#include "report/run_figures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>

#include "driver/main_program.h"
#include "driver/options.h"
#include "support/test_support.h"
#include "support/xml_check.h"

namespace tidewerk {
namespace {

using testing::XmlCheck;

TEST(Options, ParsesTheFourOptionsAndRefusesAnythingElse) {
  Options o = parse_options({"--svg", "--csv"});
  EXPECT_TRUE(o.svg && o.csv && !o.help && !o.version && o.error.empty());
  EXPECT_TRUE(parse_options({"--help"}).help);
  EXPECT_TRUE(parse_options({"--version"}).version);
  EXPECT_TRUE(parse_options({}).error.empty());
  EXPECT_EQ(parse_options({"--svg", "-x", "--bad"}).error, "unknown option '-x'");
  EXPECT_EQ(parse_options({"a.Tsk", "b.Tsk"}).error, "unexpected argument 'b.Tsk'");
}

TEST(Options, HelpNamesTheFilesTheOptionsAndTheExitStatuses) {
  const std::string help = help_text();
  for (const char* needed : {"Tidewerk_28-03-2020.Tsk", "Tidewerk.Son", "--svg", "--csv", "--help",
                             "--version", "Exit status", "  0 ", "  1 ", "  2 ", "  3 "}) {
    EXPECT_NE(help.find(needed), std::string::npos) << needed;
  }
  EXPECT_EQ(version_text().rfind("Tidewerk 0.", 0), 0u);
  // The manual page documents every option of the help text.
  const std::string man = testing::read_file(std::string(TIDEWERK_SOURCE_DIR) + "/doc/tidewerk.1");
  for (const char* option : {"\\-\\-svg", "\\-\\-csv", "\\-\\-help", "\\-\\-version"}) {
    EXPECT_NE(man.find(option), std::string::npos) << option;
  }
}

TEST(RunFiguresCsv, FullPrecisionValuesHeaderAndBlankLineBetweenTables) {
  RunFigures f;
  f.table("First", {"J (-)", "Kt (-)"}).rows = {{0.05f, 0.4406454f}, {0.1f, 1.0f / 3.0f}};
  f.table("Second, with a comma", {"T (kN)"}).rows = {{std::nanf("")}};
  EXPECT_EQ(tables_to_csv(f.tables()),
            "First\nJ (-),Kt (-)\n0.0500000007,0.440645397\n0.100000001,0.333333343\n"
            "\n\"Second, with a comma\"\nT (kN)\n\n");
}

TEST(RunFiguresSvg, WellFormedWithCurvesLegendAndMarks) {
  Diagram d;
  d.title = "Wageningen B series, Z = 4, EAR = 0.700, P/D = 1.000";
  d.subtitle = "Open-water diagram & <design point>";
  d.x_label = "J";
  d.y_label = "Kt";
  d.series = {{"Kt", kColourKt, true, {0.1f, 0.5f, 1.0f}, {0.4f, 0.27f, 0.03f}},
              {"T", kColourKq, false, {1, 2}, {3, 4}}};
  d.marks = {{0.5f, 0.27f, "design point"}};
  const std::string svg = diagram_to_svg(d);
  XmlCheck xml(svg);
  ASSERT_TRUE(xml.well_formed()) << svg;
  EXPECT_EQ(xml.names.front(), "svg");
  EXPECT_EQ(xml.attributes.front().at("xmlns"), "http://www.w3.org/2000/svg");
  EXPECT_EQ(xml.counts["polyline"], 1);
  EXPECT_NE(svg.find("&amp; &lt;design point&gt;"), std::string::npos);
  EXPECT_NE(svg.find("design point</text>"), std::string::npos);
}

// The whole path: a case-5 run with the collector attached gives the table of the report
// (to the report's rounding) and an open-water diagram with three curves.
TEST(RunFiguresCase5, CsvHoldsTheReportValuesAndSvgHasThreeCurves) {
  std::ostringstream screen, report, errors;
  std::istringstream keyboard("H\n");
  const std::string task = testing::task_file(1, 5, "1.0 4 0.7");
  RunFigures figures;
  const int status = run_tidewerk(
      screen, report, keyboard, errors, [&] { return std::make_unique<std::istringstream>(task); },
      &figures);
  ASSERT_EQ(status, 0);
  ASSERT_EQ(figures.tables().size(), 1u);
  const ResultTable& table = figures.tables()[0];
  ASSERT_EQ(table.rows.size(), 41u);
  // Row 19 of the report: " 19    .500    .2710    .4343    .4966       38.9838     202.5316"
  const auto& row = table.rows[18];
  EXPECT_NEAR(row[0], 0.5, 5e-4);
  EXPECT_NEAR(row[1], 0.2710, 5e-5);
  EXPECT_NEAR(row[2], 0.4343, 5e-5);
  EXPECT_NEAR(row[3], 0.4966, 5e-5);
  EXPECT_NEAR(row[4], 38.9838, 5e-5);
  EXPECT_NEAR(row[5], 202.5316, 5e-5);
  EXPECT_NE(report.str().find(" 19    .500    .2710    .4343    .4966       38.9838     202.5316"),
            std::string::npos);

  XmlCheck xml(diagram_to_svg(figures.diagram()));
  ASSERT_TRUE(xml.well_formed());
  EXPECT_EQ(xml.counts["polyline"], 3);
  EXPECT_EQ(figures.diagram().title, "Wageningen B series, Z = 4, EAR = 0.700, P/D = 1.000");
}

TEST(RunFiguresCase5, WithoutTheCollectorTheRunIsUnchanged) {
  const std::string task = testing::task_file(1, 5, "1.0 4 0.7");
  auto plain = testing::run_in_process(task, "H\n");
  std::ostringstream screen, report, errors;
  std::istringstream keyboard("H\n");
  RunFigures figures;
  run_tidewerk(
      screen, report, keyboard, errors, [&] { return std::make_unique<std::istringstream>(task); },
      &figures);
  EXPECT_EQ(screen.str(), plain.screen);
  EXPECT_EQ(report.str(), plain.report);
}

}  // namespace
}  // namespace tidewerk
