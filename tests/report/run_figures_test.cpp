#include "report/run_figures.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <utility>
#include <vector>

#include "driver/main_program.h"
#include "driver/options.h"
#include "driver/outputs.h"
#include "support/test_support.h"
#include "support/xml_check.h"

namespace tidewerk {
namespace {

using testing::XmlCheck;

TEST(Options, ParsesTheFourOptionsAndRefusesAnythingElse) {
  Options o = parse_options({"--svg", "--csv"});
  EXPECT_TRUE(o.svg && o.csv && !o.json && !o.help && !o.version && o.error.empty());
  EXPECT_TRUE(parse_options({"--json"}).json);
  EXPECT_TRUE(parse_options({"--help"}).help);
  EXPECT_TRUE(parse_options({"--version"}).version);
  EXPECT_TRUE(parse_options({}).error.empty());
  EXPECT_EQ(parse_options({"--svg", "-x", "--bad"}).error, "unknown option '-x'");
  EXPECT_EQ(parse_options({"file.Tsk"}).error, "unexpected argument 'file.Tsk'");
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

// The significant digits of a number's text ("-0.0700" -> "7", "1.25e+10" -> "125").
std::string significant_digits(const std::string& text) {
  std::string digits;
  for (char c : text.substr(0, text.find_first_of("eE"))) {
    if (c >= '0' && c <= '9') digits += c;
  }
  digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
  return digits.erase(digits.find_last_not_of('0') + 1);
}

// Finite floats across the range, both signs: every `stride`th bit pattern.
std::vector<float> float_sample(std::uint64_t stride) {
  std::vector<float> sample;
  for (std::uint64_t bits = 0; bits <= 0xffffffffu; bits += stride) {
    const float f = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
    if (std::isfinite(f)) sample.push_back(f);
  }
  return sample;
}

TEST(RunFiguresCsv, NumbersAreTheShortestTextThatReadsBackWithADecimalPoint) {
  const float inf = std::numeric_limits<float>::infinity();
  const std::pair<float, const char*> cases[] = {
      {0.7f, "0.7"},
      {3.0f, "3.0"},
      {-0.0f, "-0.0"},
      {1e-05f, "1.0e-05"},
      {1e10f, "1.0e+10"},
      {0.1f + 0.6f, "0.70000005"},
      {15499.448f, "15499.448"},
      {123456789.0f, "123456790.0"},
      {std::numeric_limits<float>::max(), "3.4028235e+38"},
      {std::numeric_limits<float>::denorm_min(), "1.0e-45"},
      {std::nanf(""), ""},
      {-inf, ""}};
  for (const auto& [value, text] : cases) EXPECT_EQ(shortest_text(value), text);
  // Across the range: the same float back (the sign of zero included), a decimal point, and no
  // text of fewer digits that reads back to it.
  for (const float f : float_sample(4099)) {
    const std::string text = shortest_text(f);
    ASSERT_NE(text.find('.'), std::string::npos) << text;
    ASSERT_EQ(std::bit_cast<std::uint32_t>(std::strtof(text.c_str(), nullptr)),
              std::bit_cast<std::uint32_t>(f))
        << text;
    const int digits = static_cast<int>(significant_digits(text).size());
    char shorter[32];
    std::snprintf(shorter, sizeof shorter, "%.*g", std::max(digits - 1, 1), double{f});
    ASSERT_TRUE(digits <= 1 || std::strtof(shorter, nullptr) != f) << text << " or " << shorter;
  }
}

TEST(RunFiguresCsv, HeaderThenOneLineOfEqualFieldsPerRowWithTheMarkLast) {
  RunFigures f;
  ResultTable& t = f.table("open-water", "Open water", {"J", "Kt", "T_kN"}, kMarkColumn);
  t.rows = {{0.05f, 0.4406454f, 3.0f}, {0.7f, std::nanf(""), 1e-05f}};
  t.mark_last_row("design");
  t.rows.push_back({1.0f});                    // short: empty fields
  t.rows.push_back({1.0f, 2.0f, 3.0f, 4.0f});  // long: the extra value left out
  EXPECT_EQ(table_to_csv(t),
            "J,Kt,T_kN,mark\n0.05,0.4406454,3.0,\n0.7,,1.0e-05,design\n1.0,,,\n"
            "1.0,2.0,3.0,\n");
  // A line of one empty field would read as a blank line.
  ResultTable& single = f.table("open-water", "One column", {"T_kN"});
  single.rows = {{std::nanf("")}, {-0.0f}};
  EXPECT_EQ(table_to_csv(single), "T_kN\n\"\"\n-0.0\n");
  EXPECT_EQ(single.name, "open-water-2");  // the names of a run's tables are unique
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

// A whole run in-process with its figures and record.
struct RecordedRun {
  RunFigures figures;
  RunRecord record;
  std::string report;
};
RecordedRun record_run(const std::optional<std::string>& task, const std::string& keyboard) {
  RecordedRun run;
  std::ostringstream screen, report, errors;
  std::istringstream keys(keyboard);
  run_tidewerk(
      screen, report, keys, errors,
      [&task]() -> std::unique_ptr<std::istream> {
        return task ? std::make_unique<std::istringstream>(*task) : nullptr;
      },
      &run.figures, {}, &run.record);
  run.report = report.str();
  return run;
}

// A fresh folder for one test's outputs.
std::filesystem::path output_folder(const std::string& name) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("tidewerk-outputs-" + name + "-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

std::vector<std::string> files_in(const std::filesystem::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(RunRecordKeyboard, EveryLineTheDialogueTookInOrder) {
  // Case 5: the correction question, the diameter and revolutions, the closing pause.
  const RecordedRun run =
      record_run(testing::task_file(1, 5, "1.0 4 0.7"), "E\n3.0 120\n\nnot read\n");
  EXPECT_EQ(run.record.keyboard, (std::vector<std::string>{"E", "3.0 120", ""}));
}

TEST(Outputs, Case8JsonInItsKeyOrderWithTheValuesReadTheMarkAndTheResultBlock) {
  const RecordedRun run = record_run(
      testing::read_file(std::string(TIDEWERK_SOURCE_DIR) + "/examples/case8_merchant_ship.Tsk"),
      "");
  const auto dir = output_folder("case8");
  write_outputs({dir, "ship", false, true, true}, run.figures, run.record);
  EXPECT_EQ(files_in(dir), (std::vector<std::string>{"ship.blade-area.csv", "ship.json",
                                                     "ship.open-water.csv", "ship.pitch.csv"}));
  const std::string text = testing::read_file((dir / "ship.json").string());
  const auto j = nlohmann::ordered_json::parse(text);
  std::vector<std::string> keys;
  for (const auto& item : j.items()) keys.push_back(item.key());
  EXPECT_EQ(keys, (std::vector<std::string>{"program", "version", "task_file", "series", "case",
                                            "values", "keyboard", "tables", "results", "warnings",
                                            "ending", "reason", "exit_status"}));
  EXPECT_EQ("Tidewerk " + j["version"].get<std::string>(), version_text());
  EXPECT_EQ(j["case"], nlohmann::ordered_json::parse(
                           R"({"number": 8, "title": "pitch for a required thrust", "line": 80})"));
  EXPECT_EQ(j["values"][0], nlohmann::ordered_json::parse(R"({"symbol": "T", "unit": "kN",
      "meaning": "required thrust", "value": 450.0, "text": "450", "line": 81})"));
  EXPECT_TRUE(j["values"][7]["value"].is_number_integer());  // IVISC
  EXPECT_NE(text.find("0.70000005,"), std::string::npos);    // the float's digits, not 17
  const auto& rows = j["tables"][1]["rows"];
  EXPECT_EQ(std::count_if(rows.begin(), rows.end(),
                          [](const auto& row) { return row.back() == "design"; }),
            1);
  // The design P/D as the report prints it (F6.3).
  EXPECT_EQ(j["results"][1]["name"], "PD");
  char printed[32];
  std::snprintf(printed, sizeof printed, "P/D = %6.3f", j["results"][1]["value"].get<double>());
  EXPECT_NE(run.report.find(printed), std::string::npos) << printed;
  EXPECT_EQ(j["results"][3]["name"], "Z");
  EXPECT_TRUE(j["results"][3]["value"].is_number_integer());
  EXPECT_EQ(j["results"].back(), nlohmann::ordered_json::parse(
                                     R"({"name": "Vtip", "unit": "m/s", "value": 28.588493})"));
  EXPECT_EQ(j["ending"], "result");
  EXPECT_TRUE(j["reason"].is_null());
  std::filesystem::remove_all(dir);
}

TEST(Outputs, AnInputErrorIsRecordedButAMissingTaskFileWritesNoJson) {
  const RecordedRun bad = record_run(testing::task_file(1, 5, "1.0 x 0.7"), "");
  const auto dir = output_folder("input-error");
  write_outputs({dir, "bad", false, false, true}, bad.figures, bad.record);
  const auto e = nlohmann::json::parse(testing::read_file((dir / "bad.json").string()));
  EXPECT_EQ(e["ending"], "input error");
  EXPECT_NE(e["reason"].get<std::string>().find("\"x\""), std::string::npos);
  EXPECT_EQ(e["exit_status"], 1);
  EXPECT_EQ(e["case"]["number"], 5);
  EXPECT_TRUE(e["values"].empty());

  const RecordedRun missing = record_run(std::nullopt, "");
  write_outputs({dir, "gone", true, true, true}, missing.figures, missing.record);
  EXPECT_EQ(files_in(dir), std::vector<std::string>{"bad.json"});
  std::filesystem::remove_all(dir);
}

TEST(Outputs, StaleFilesOfTheRequestedKindsAndStemAreRemovedAndNoOthers) {
  const auto dir = output_folder("stale");
  for (const char* name :
       {"other.pitch.csv", "stem.Son", "stem.b.pitch.csv", "stem.csv", "stem.json",
        "stem.open-water-2.csv", "stem.pitch.csv", "stem.svg", "stem.x y.csv"}) {
    std::ofstream(dir / name) << "old\n";
  }
  remove_stale_outputs({dir, "stem", true, true, false});
  EXPECT_EQ(files_in(dir),
            (std::vector<std::string>{"other.pitch.csv", "stem.Son", "stem.b.pitch.csv", "stem.csv",
                                      "stem.json", "stem.x y.csv"}));
  remove_stale_outputs({dir, "stem", false, false, true});
  EXPECT_FALSE(std::filesystem::exists(dir / "stem.json"));
  std::filesystem::remove_all(dir);
}

TEST(Outputs, TheFilesOfARunAreWrittenWholeOrNoneOfThem) {
  const RecordedRun run = record_run(testing::task_file(1, 5, "1.0 4 0.7"), "H\n");
  const auto dir = output_folder("whole");
  // The JSON cannot take its name (a folder holds it): neither the diagram nor the table stays.
  std::filesystem::create_directories(dir / "ship.json" / "inside");
  EXPECT_THROW(write_outputs({dir, "ship", true, true, true}, run.figures, run.record),
               std::runtime_error);
  EXPECT_EQ(files_in(dir), std::vector<std::string>{"ship.json"});
  std::filesystem::remove_all(dir / "ship.json");
  write_outputs({dir, "ship", true, true, true}, run.figures, run.record);
  EXPECT_EQ(files_in(dir),
            (std::vector<std::string>{"ship.json", "ship.open-water.csv", "ship.svg"}));
  std::filesystem::remove_all(dir);
}

// The JSON numbers: the floats themselves, each read back to the same float and written with as
// few significant digits as its CSV text (below 2^25; above, where a shorter text lies exactly
// halfway between two floats, the library writes more); null where the CSV field is empty.
TEST(Outputs, JsonNumbersAreTheFloatsWithTheirFewestDigits) {
  std::vector<float> sample = {0.7f, 3.0f, -0.0f, 1e-05f, 0.1f + 0.6f};
  for (const float f : float_sample(214751)) sample.push_back(f);
  RunFigures figures;
  ResultTable& table = figures.table("sample", "Floats across the range", {"x"});
  for (const float f : sample) table.rows.push_back({f});
  table.rows.push_back({std::nanf("")});
  RunRecord record;
  record.read.opened = true;
  const auto dir = output_folder("numbers");
  write_outputs({dir, "sample", false, false, true}, figures, record);
  const std::string text = testing::read_file((dir / "sample.json").string());
  const std::size_t from = text.find("\"rows\"") + 7, to = text.find("\"results\"");
  std::string rows = text.substr(from, to - from);
  std::replace_if(
      rows.begin(), rows.end(), [](char c) { return c == ',' || c == '[' || c == ']' || c == '}'; },
      ' ');
  std::istringstream in(rows);
  std::vector<std::string> numbers{std::istream_iterator<std::string>(in), {}};
  ASSERT_EQ(numbers.size(), sample.size() + 1);
  EXPECT_EQ(std::vector<std::string>(numbers.begin(), numbers.begin() + 5),
            (std::vector<std::string>{"0.7", "3.0", "-0.0", "1e-05", "0.70000005"}));
  EXPECT_EQ(numbers.back(), "null");
  for (std::size_t k = 0; k < sample.size(); ++k) {
    ASSERT_EQ(std::bit_cast<std::uint32_t>(std::strtof(numbers[k].c_str(), nullptr)),
              std::bit_cast<std::uint32_t>(sample[k]))
        << numbers[k];
    if (std::fabs(sample[k]) < 33554432.0f) {
      ASSERT_EQ(significant_digits(numbers[k]).size(),
                significant_digits(shortest_text(sample[k])).size())
          << numbers[k];
    }
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tidewerk
