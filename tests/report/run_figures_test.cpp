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
#include <limits>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
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

// The significant digits of a number's text: no sign, point, exponent, leading or trailing
// zeros ("-0.0700" -> "7", "1.25e+10" -> "125").
std::string significant_digits(const std::string& text) {
  std::string digits;
  for (char c : text.substr(0, text.find_first_of("eE"))) {
    if (c >= '0' && c <= '9') digits += c;
  }
  digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  return digits;
}

// Floats across the whole range: every 4099th bit pattern, both signs, with the finite ones
// kept.
std::vector<float> float_sample() {
  std::vector<float> sample;
  for (std::uint64_t bits = 0; bits <= 0xffffffffu; bits += 4099) {
    const float f = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
    if (std::isfinite(f)) sample.push_back(f);
  }
  return sample;
}

TEST(RunFiguresCsv, NumbersAreTheShortestTextThatReadsBackWithADecimalPoint) {
  EXPECT_EQ(shortest_text(0.7f), "0.7");
  EXPECT_EQ(shortest_text(3.0f), "3.0");
  EXPECT_EQ(shortest_text(-0.0f), "-0.0");
  EXPECT_EQ(shortest_text(0.0f), "0.0");
  EXPECT_EQ(shortest_text(1e-05f), "1.0e-05");
  EXPECT_EQ(shortest_text(1.5e-05f), "1.5e-05");
  EXPECT_EQ(shortest_text(1e10f), "1.0e+10");
  EXPECT_EQ(shortest_text(15499.448f), "15499.448");
  EXPECT_EQ(shortest_text(0.1f + 0.6f), "0.70000005");
  EXPECT_EQ(shortest_text(std::numeric_limits<float>::max()), "3.4028235e+38");
  EXPECT_EQ(shortest_text(-std::numeric_limits<float>::max()), "-3.4028235e+38");
  EXPECT_EQ(shortest_text(std::numeric_limits<float>::denorm_min()), "1.0e-45");
  EXPECT_EQ(shortest_text(std::nanf("")), "");
  EXPECT_EQ(shortest_text(std::numeric_limits<float>::infinity()), "");
  EXPECT_EQ(shortest_text(-std::numeric_limits<float>::infinity()), "");
  // A large whole number with its fewest digits, not every digit of its exact value.
  EXPECT_EQ(shortest_text(123456789.0f), "123456790.0");
  EXPECT_EQ(shortest_text(-123456789.0f), "-123456790.0");
  EXPECT_EQ(shortest_text(16777216.0f), "16777216.0");
  EXPECT_EQ(shortest_text(0.001f), "0.001");

  // Across the range: the text reads back to the same float (the same bits, the sign of zero
  // included), has a decimal point, and no text of fewer significant digits reads back to it.
  for (const float f : float_sample()) {
    const std::string text = shortest_text(f);
    ASSERT_NE(text.find('.'), std::string::npos) << text;
    const float back = std::strtof(text.c_str(), nullptr);
    ASSERT_EQ(std::bit_cast<std::uint32_t>(back), std::bit_cast<std::uint32_t>(f)) << text;
    const std::size_t digits = std::max<std::size_t>(significant_digits(text).size(), 1);
    if (digits > 1) {
      char shorter[32];
      std::snprintf(shorter, sizeof shorter, "%.*g", static_cast<int>(digits - 1), double{f});
      ASSERT_NE(std::strtof(shorter, nullptr), f) << text << " could be " << shorter;
    }
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
            "J,Kt,T_kN,mark\n"
            "0.05,0.4406454,3.0,\n"
            "0.7,,1.0e-05,design\n"
            "1.0,,,\n"
            "1.0,2.0,3.0,\n");
  ResultTable& plain = f.table("pitch", "Pitch table", {"PD", "T_kN"});
  plain.rows = {{0.7f, -0.0f}};
  EXPECT_EQ(table_to_csv(plain), "PD,T_kN\n0.7,-0.0\n");
  // A line of one empty field would read as a blank line.
  ResultTable& single = f.table("single", "One column", {"T_kN"});
  single.rows = {{std::nanf("")}, {2.5f}};
  EXPECT_EQ(table_to_csv(single), "T_kN\n\"\"\n2.5\n");
}

TEST(RunFigures, TableNamesAreUniqueInARunAndResultsKeepTheirOrder) {
  RunFigures f;
  f.table("open-water", "first", {"J"});
  f.table("open-water", "second", {"J"});
  f.table("open-water", "third", {"J"});
  ASSERT_EQ(f.tables().size(), 3u);
  EXPECT_EQ(f.tables()[0].name, "open-water");
  EXPECT_EQ(f.tables()[1].name, "open-water-2");
  EXPECT_EQ(f.tables()[2].name, "open-water-3");
  f.result("PD", 1.037f);
  f.result("T", 450.5f, "kN");
  f.result("selected", 3);
  ASSERT_EQ(f.results().size(), 3u);
  EXPECT_EQ(f.results()[0].name, "PD");
  EXPECT_EQ(f.results()[0].unit, "");
  EXPECT_FALSE(f.results()[0].whole);
  EXPECT_EQ(f.results()[1].unit, "kN");
  EXPECT_EQ(f.results()[1].value, 450.5f);
  EXPECT_TRUE(f.results()[2].whole);
  EXPECT_EQ(f.results()[2].value, 3.0f);
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
        if (!task) return nullptr;
        return std::make_unique<std::istringstream>(*task);
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
  // End of input is no line.
  EXPECT_TRUE(record_run(testing::task_file(1, 5, "1.0 4 0.7"), "").record.keyboard.empty());
}

TEST(Outputs, Case8JsonHoldsTheValuesTablesResultsAndEndingBesideOneCsvPerTable) {
  const std::string task =
      testing::read_file(std::string(TIDEWERK_SOURCE_DIR) + "/examples/case8_merchant_ship.Tsk");
  const RecordedRun run = record_run(task, "\n\n\n\n\n");
  ASSERT_EQ(run.record.status, 0);
  const auto dir = output_folder("case8");
  write_outputs({dir, "ship", false, true, true}, run.figures, run.record);
  EXPECT_EQ(files_in(dir), (std::vector<std::string>{"ship.blade-area.csv", "ship.json",
                                                     "ship.open-water.csv", "ship.pitch.csv"}));
  const std::string pitch = testing::read_file((dir / "ship.pitch.csv").string());
  EXPECT_EQ(pitch.substr(0, pitch.find('\n', pitch.find('\n') + 1)),
            "PD,T_kN\n0.70000005,62.64943");

  const std::string text = testing::read_file((dir / "ship.json").string());
  const nlohmann::ordered_json j = nlohmann::ordered_json::parse(text);
  EXPECT_EQ(j.begin().key(), "program");  // in the order written, not sorted
  EXPECT_EQ(j["program"], "Tidewerk");
  EXPECT_EQ("Tidewerk " + j["version"].get<std::string>(), version_text());
  EXPECT_EQ(j["task_file"], "Tidewerk_28-03-2020.Tsk");
  EXPECT_EQ(j["series"]["number"], 1);
  EXPECT_EQ(j["series"]["name"], "Wageningen B");
  EXPECT_EQ(j["case"]["number"], 8);
  EXPECT_EQ(j["case"]["line"], 80);
  ASSERT_EQ(j["values"].size(), 9u);
  EXPECT_EQ(j["values"][0]["symbol"], "T");
  EXPECT_EQ(j["values"][0]["unit"], "kN");
  EXPECT_EQ(j["values"][0]["meaning"], "required thrust");
  EXPECT_EQ(j["values"][0]["value"], 450.0);
  EXPECT_EQ(j["values"][0]["text"], "450");
  EXPECT_EQ(j["values"][0]["line"], 81);
  EXPECT_EQ(j["values"][6]["text"], "0.65");
  EXPECT_EQ(j["values"][7]["symbol"], "IVISC");
  EXPECT_TRUE(j["values"][7]["value"].is_number_integer());
  EXPECT_EQ(j["keyboard"].size(), 5u);
  ASSERT_EQ(j["tables"].size(), 3u);
  const auto& open_water = j["tables"][1];
  EXPECT_EQ(open_water["name"], "open-water");
  EXPECT_EQ(open_water["columns"].back(), "mark");
  int design_rows = 0;
  for (const auto& row : open_water["rows"]) {
    EXPECT_EQ(row.size(), 7u);
    if (row.back() == "design") ++design_rows;
  }
  EXPECT_EQ(design_rows, 1);
  // The numbers as the float's shortest digits, never a double's 17.
  EXPECT_NE(text.find("0.70000005,"), std::string::npos);
  EXPECT_EQ(text.find("0.7000000476"), std::string::npos);
  // The result block: the design P/D as printed in the report (F6.3), then the others.
  const auto& results = j["results"];
  ASSERT_GE(results.size(), 5u);
  EXPECT_EQ(results[0]["name"], "J");
  EXPECT_EQ(results[1]["name"], "PD");
  char printed[32];
  std::snprintf(printed, sizeof printed, "P/D = %6.3f", results[1]["value"].get<double>());
  EXPECT_NE(run.report.find(printed), std::string::npos) << printed;
  std::vector<std::string> names;
  for (const auto& r : results) names.push_back(r["name"]);
  for (const char* name :
       {"Pd", "Z", "Q", "Sigma", "EARmin_burrill_2_5", "EARmin_keller", "Vtip"}) {
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
  }
  EXPECT_EQ(j["ending"], "result");
  EXPECT_TRUE(j["reason"].is_null());
  EXPECT_EQ(j["exit_status"], 0);
  std::filesystem::remove_all(dir);
}

TEST(Outputs, ARunWithoutItsResultRecordsWhyButAMissingTaskFileWritesNoJson) {
  const RecordedRun none = record_run(testing::task_file(1, 1, "1000 4.0 1.0 1025 4 0.70"), "");
  ASSERT_EQ(none.record.status, 5);
  const auto dir = output_folder("no-result");
  write_outputs({dir, "ship", true, true, true}, none.figures, none.record);
  EXPECT_EQ(files_in(dir), std::vector<std::string>{"ship.json"});
  const nlohmann::json j = nlohmann::json::parse(testing::read_file((dir / "ship.json").string()));
  EXPECT_EQ(j["ending"], "no result");
  EXPECT_NE(j["reason"].get<std::string>().find("no propeller of the Wageningen B series"),
            std::string::npos);
  EXPECT_EQ(j["exit_status"], 5);
  EXPECT_TRUE(j["tables"].empty());

  // An input error in the values: what was read before it, and why.
  const RecordedRun bad = record_run(testing::task_file(1, 5, "1.0 x 0.7"), "");
  ASSERT_EQ(bad.record.status, 1);
  write_outputs({dir, "bad", false, false, true}, bad.figures, bad.record);
  const nlohmann::json e = nlohmann::json::parse(testing::read_file((dir / "bad.json").string()));
  EXPECT_EQ(e["ending"], "input error");
  EXPECT_NE(e["reason"].get<std::string>().find("\"x\""), std::string::npos);
  EXPECT_EQ(e["exit_status"], 1);
  EXPECT_EQ(e["case"]["number"], 5);

  const RecordedRun missing = record_run(std::nullopt, "");
  ASSERT_EQ(missing.record.status, 1);
  write_outputs({dir, "gone", true, true, true}, missing.figures, missing.record);
  EXPECT_FALSE(std::filesystem::exists(dir / "gone.json"));
  std::filesystem::remove_all(dir);
}

TEST(Outputs, StaleFilesOfTheRequestedKindsAndStemAreRemovedAndNoOthers) {
  const auto dir = output_folder("stale");
  const std::vector<std::string> all = {
      "other.pitch.csv",       "stem.Son",       "stem.b.pitch.csv", "stem.csv", "stem.json",
      "stem.open-water-2.csv", "stem.pitch.csv", "stem.pitch.txt",   "stem.svg", "stem.x y.csv"};
  for (const std::string& name : all) std::ofstream(dir / name) << "old\n";
  remove_stale_outputs({dir, "stem", true, true, false});
  EXPECT_EQ(files_in(dir),
            (std::vector<std::string>{"other.pitch.csv", "stem.Son", "stem.b.pitch.csv", "stem.csv",
                                      "stem.json", "stem.pitch.txt", "stem.x y.csv"}));
  remove_stale_outputs({dir, "stem", false, false, true});
  EXPECT_FALSE(std::filesystem::exists(dir / "stem.json"));
  remove_stale_outputs({dir, "stem", false, false, false});
  EXPECT_EQ(files_in(dir).size(), 6u);
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
  EXPECT_THROW(
      write_outputs({dir / "missing", "ship", false, true, false}, run.figures, run.record),
      std::runtime_error);
  std::filesystem::remove_all(dir);
}

// The JSON numbers: the floats themselves, each read back to the same float and written with as
// few significant digits as its CSV text; null where the CSV field is empty.
TEST(Outputs, JsonNumbersAreTheFloatsWithTheirFewestDigits) {
  std::vector<float> sample = {0.7f,
                               3.0f,
                               -0.0f,
                               1e-05f,
                               0.1f + 0.6f,
                               123456789.0f,
                               std::numeric_limits<float>::max(),
                               std::numeric_limits<float>::denorm_min()};
  // Some 20000 floats across the range, both signs.
  for (std::uint64_t bits = 0; bits <= 0xffffffffu; bits += 214751) {
    const float f = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
    if (std::isfinite(f)) sample.push_back(f);
  }
  RunFigures figures;
  ResultTable& table = figures.table("sample", "Floats across the range", {"x"});
  for (const float f : sample) table.rows.push_back({f});
  table.rows.push_back({std::nanf("")});
  RunRecord record;
  record.read.opened = true;
  const auto dir = output_folder("numbers");
  write_outputs({dir, "sample", false, false, true}, figures, record);
  std::string text = testing::read_file((dir / "sample.json").string());
  const std::size_t from = text.find("\"rows\""), to = text.find("\"results\"");
  ASSERT_LT(from, to);
  std::string rows = text.substr(from + 7, to - from - 7);
  std::replace_if(
      rows.begin(), rows.end(), [](char c) { return c == '[' || c == ']' || c == ',' || c == '}'; },
      ' ');
  std::istringstream in(rows);
  std::vector<std::string> numbers;
  for (std::string token; in >> token;) numbers.push_back(token);
  ASSERT_EQ(numbers.size(), sample.size() + 1);
  EXPECT_EQ(numbers[0], "0.7");
  EXPECT_EQ(numbers[1], "3.0");
  EXPECT_EQ(numbers[2], "-0.0");
  EXPECT_EQ(numbers[3], "1e-05");
  EXPECT_EQ(numbers[4], "0.70000005");
  EXPECT_EQ(numbers.back(), "null");
  for (std::size_t k = 0; k < sample.size(); ++k) {
    const float back = std::strtof(numbers[k].c_str(), nullptr);
    ASSERT_EQ(std::bit_cast<std::uint32_t>(back), std::bit_cast<std::uint32_t>(sample[k]))
        << numbers[k];
    // Below 2^25 the library writes the fewest digits.  Above, where a text of fewer digits
    // lies exactly halfway between two floats (and reads back to the even one), it writes
    // more, up to the nine that every float needs at most.
    const std::size_t digits = significant_digits(numbers[k]).size();
    const std::size_t fewest = significant_digits(shortest_text(sample[k])).size();
    if (std::fabs(sample[k]) < 33554432.0f) {
      ASSERT_EQ(digits, fewest) << numbers[k] << " against " << shortest_text(sample[k]);
    } else {
      ASSERT_LE(digits, 9u) << numbers[k];
    }
    ASSERT_NE(numbers[k].find_first_of(".e"), std::string::npos) << numbers[k];
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tidewerk
