#include "outputs/outputs.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <regex>
#include <sstream>
#include <utility>
#include <vector>

#include "cases/figures.h"
#include "cases/performance.h"
#include "cases/propeller.h"
#include "driver/options.h"
#include "driver/output_files.h"
#include "driver/run_flow.h"
#include "outputs/csv.h"
#include "outputs/json.h"
#include "outputs/record.h"
#include "outputs/svg.h"
#include "report/outcome.h"
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

TEST(RecordCsv, NumbersAreTheShortestTextThatReadsBackWithADecimalPoint) {
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

TEST(RecordCsv, HeaderThenOneLineOfEqualFieldsPerRowWithTheMarkLast) {
  Outcome f;
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

TEST(RecordSvg, WellFormedWithCurvesLegendAndMarks) {
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
  EXPECT_NE(svg.find(">design point</tspan>"), std::string::npos);
}

// The estimated box of a piece of text in the SVG: its characters at 0.6 em each (generous for
// Helvetica and Arial), 0.9 em above the baseline and 0.25 em below it.
struct TextBox {
  double x0, y0, x1, y1;
  std::string text;
  bool mark_label;  // a line of a mark's label
};

double attribute(const std::string& attributes, const std::string& name, double otherwise = NAN) {
  const std::regex pattern("(^|\\s)" + name + "=\"([^\"]*)\"");
  std::smatch m;
  return std::regex_search(attributes, m, pattern) ? std::stod(m[2]) : otherwise;
}

std::string unescaped(std::string text) {
  for (const auto& [entity, c] : std::vector<std::pair<std::string, std::string>>{
           {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}}) {
    for (std::size_t at; (at = text.find(entity)) != std::string::npos;)
      text.replace(at, entity.size(), c);
  }
  return text;
}

// Every text of the SVG but the rotated axis title, a box for each line of a mark label.
std::vector<TextBox> text_boxes(const std::string& svg) {
  std::vector<TextBox> boxes;
  const std::regex text_element("<text([^>]*)>([\\s\\S]*?)</text>");
  const std::regex tspan("<tspan([^>]*)>([^<]*)</tspan>");
  for (std::sregex_iterator t(svg.begin(), svg.end(), text_element), end; t != end; ++t) {
    const std::string attrs = (*t)[1], body = (*t)[2];
    if (attrs.find("transform=") != std::string::npos) continue;
    const double size = attribute(attrs, "font-size");
    EXPECT_TRUE(std::isfinite(size)) << "no font size: " << t->str();
    const bool middle = attrs.find("text-anchor=\"middle\"") != std::string::npos;
    const bool end_anchor = attrs.find("text-anchor=\"end\"") != std::string::npos;
    auto add = [&](const std::string& where, const std::string& text, bool label) {
      const std::string plain = unescaped(text);
      const double w = 0.6 * size * static_cast<double>(plain.size());
      const double x = attribute(where, "x"), y = attribute(where, "y");
      const double x0 = middle ? x - w / 2 : end_anchor ? x - w : x;
      boxes.push_back({x0, y - 0.9 * size, x0 + w, y + 0.25 * size, plain, label});
    };
    if (body.find("<tspan") == std::string::npos) {
      add(attrs, body, false);
      continue;
    }
    for (std::sregex_iterator l(body.begin(), body.end(), tspan); l != end; ++l) {
      add((*l)[1], (*l)[2], true);
    }
  }
  return boxes;
}

// The pixel rectangle of an element's x, y, width and height.
struct Rect {
  double x0, y0, x1, y1;
  bool holds(const TextBox& b) const {
    return b.x0 >= x0 && b.x1 <= x1 && b.y0 >= y0 && b.y1 <= y1;
  }
};

// The plot frame of a diagram (the unfilled black rectangle) and its viewBox.
Rect plot_frame(XmlCheck& xml) {
  for (std::size_t i = 0; i < xml.names.size(); ++i) {
    auto& a = xml.attributes[i];
    if (xml.names[i] == "rect" && a["fill"] == "none" && a["stroke"] == "#000000") {
      const double x = std::stod(a["x"]), y = std::stod(a["y"]);
      return {x, y, x + std::stod(a["width"]), y + std::stod(a["height"])};
    }
  }
  ADD_FAILURE() << "no plot frame";
  return {};
}
Rect view_box(XmlCheck& xml) {
  std::istringstream in(xml.attributes.front()["viewBox"]);
  double x, y, w, h;
  in >> x >> y >> w >> h;
  return {x, y, x + w, y + h};
}

// Every text within the viewBox, every line of a mark label within the plot frame.  Returns
// the boxes of the label lines.
std::vector<TextBox> expect_texts_inside(const std::string& svg, const std::string& what) {
  XmlCheck xml(svg);
  EXPECT_TRUE(xml.well_formed()) << what;
  if (xml.names.empty()) return {};
  const Rect page = view_box(xml), plot = plot_frame(xml);
  std::vector<TextBox> labels;
  for (const TextBox& b : text_boxes(svg)) {
    EXPECT_TRUE(page.holds(b)) << what << ": '" << b.text << "' leaves the picture";
    if (!b.mark_label) continue;
    EXPECT_TRUE(plot.holds(b)) << what << ": label line '" << b.text << "' leaves the plot area";
    labels.push_back(b);
  }
  return labels;
}

// The centres of the rings of the marks (radius 7).
std::vector<std::pair<double, double>> rings(XmlCheck& xml) {
  std::vector<std::pair<double, double>> centres;
  for (std::size_t i = 0; i < xml.names.size(); ++i) {
    auto& a = xml.attributes[i];
    if (xml.names[i] == "circle" && a["r"] == "7")
      centres.push_back({std::stod(a["cx"]), std::stod(a["cy"])});
  }
  return centres;
}

// A diagram of one curve over [0, 1] x [0, 1] with one mark labelled on four lines.
Diagram one_mark(float x, float y) {
  Diagram d;
  d.title = "Wageningen B series, Z = 4, EAR = 0.700, P/D = 1.000";
  d.subtitle = "Open-water diagram";
  d.conditions = "D = 5.200 m, N = 105.0 RPM, Va = 6.40 m/s, ITTC78 correction applied";
  d.x_label = "Advance coefficient J (-)";
  d.y_label = "Kt, 10Kq, eta0 (-)";
  d.series = {{"Kt", kColourKt, true, {0, 1}, {0, 1}}};
  d.marks = {{x, y, "J = 0.620\nKt = 0.2162\n10Kq = 0.3599\neta0 = 0.5928"}};
  d.mark_legend = "operating point";
  return d;
}

TEST(RecordSvg, LabelsStayInsideThePlotAndFlipAwayFromTheRightAndTopEdges) {
  struct Row {
    float x, y;
    bool label_left, label_below;  // of the marked point
  };
  // Right of and above the point, unless the right or the top edge is near.  The curve runs
  // from corner to corner, so the centre's label leaves the right-above place to it.
  for (const Row& row : std::vector<Row>{{0.0f, 0.0f, false, false},
                                         {1.0f, 0.0f, true, false},
                                         {0.0f, 1.0f, false, true},
                                         {1.0f, 1.0f, true, true},
                                         {0.98f, 0.5f, true, false},
                                         {0.3f, 0.97f, false, true}}) {
    const std::string what = "mark at " + std::to_string(row.x) + ", " + std::to_string(row.y);
    const std::string svg = diagram_to_svg(one_mark(row.x, row.y));
    const std::vector<TextBox> lines = expect_texts_inside(svg, what);
    ASSERT_EQ(lines.size(), 4u) << what;
    EXPECT_EQ(lines[0].text, "J = 0.620");
    EXPECT_EQ(lines[3].text, "eta0 = 0.5928");
    XmlCheck xml(svg);
    ASSERT_TRUE(xml.well_formed());
    const auto ring = rings(xml);
    ASSERT_EQ(ring.size(), 1u) << what;
    EXPECT_EQ(lines[0].x1 < ring[0].first, row.label_left) << what;
    EXPECT_EQ(lines[0].y0 > ring[0].second, row.label_below) << what;
  }
}

TEST(RecordSvg, LabelsOfNeighbouringMarksDoNotOverlapAndKeepOffTheCurve) {
  Diagram d = one_mark(0.5f, 0.5f);
  d.marks.push_back({0.52f, 0.5f, "propeller 2\nD = 2.600 m\nP/D = 0.790\nT = 181.6 kN", false});
  d.marks.push_back({0.5f, 0.53f, "row 76\nP/D = 1.250", false});
  const std::string svg = diagram_to_svg(d);
  const std::vector<TextBox> lines = expect_texts_inside(svg, "three marks");
  ASSERT_EQ(lines.size(), 10u);
  // The lines of one label share its left edge; boxes of different labels never meet.
  for (const TextBox& a : lines) {
    for (const TextBox& b : lines) {
      if (a.x0 == b.x0) continue;
      const bool apart = a.x1 <= b.x0 || b.x1 <= a.x0 || a.y1 <= b.y0 || b.y1 <= a.y0;
      EXPECT_TRUE(apart) << "'" << a.text << "' meets '" << b.text << "'";
    }
  }
  // No line crosses the diagonal curve (corner to corner of the frame).
  XmlCheck xml(svg);
  ASSERT_TRUE(xml.well_formed());
  const Rect plot = plot_frame(xml);
  for (const TextBox& b : lines) {
    auto side = [&](double x, double y) {  // of the diagonal, from the lower left corner
      return (x - plot.x0) * (plot.y0 - plot.y1) - (y - plot.y1) * (plot.x1 - plot.x0) > 0;
    };
    const bool one_side = side(b.x0, b.y0) == side(b.x1, b.y0) &&
                          side(b.x0, b.y0) == side(b.x0, b.y1) &&
                          side(b.x0, b.y0) == side(b.x1, b.y1);
    EXPECT_TRUE(one_side) << "'" << b.text << "' lies on the curve";
  }
  EXPECT_EQ(rings(xml).size(), 1u);  // the marks without a ring are labels alone
}

TEST(RecordSvg, MarkersCarryTheirValuesAndTheConditionsStandUnderTheSubtitle) {
  Diagram d = one_mark(0.5f, 0.5f);
  d.series[0].markers = {{0.0f, 0.0f, "J = 0.050, Kt = 0.4406"}, {1.0f, 1.0f, "J = 1 & more"}};
  const std::string svg = diagram_to_svg(d);
  XmlCheck xml(svg);
  ASSERT_TRUE(xml.well_formed()) << svg;
  EXPECT_EQ(xml.counts["title"], 2);
  EXPECT_NE(svg.find("<title>J = 0.050, Kt = 0.4406</title></circle>"), std::string::npos);
  EXPECT_NE(svg.find("<title>J = 1 &amp; more</title>"), std::string::npos);
  int dots = 0;
  for (auto& a : xml.attributes) dots += a["r"] == "3" && a["fill"] == kColourKt ? 1 : 0;
  EXPECT_EQ(dots, 3);  // two on the curve, one on the legend's line
  EXPECT_NE(
      svg.find(">D = 5.200 m, N = 105.0 RPM, Va = 6.40 m/s, ITTC78 correction applied</text>"),
      std::string::npos);
  d.conditions.clear();
  XmlCheck without(diagram_to_svg(d));
  ASSERT_TRUE(without.well_formed());
  EXPECT_EQ(without.counts["text"] + 1, xml.counts["text"]);
}

// The whole path: a case-5 run with the collector attached gives the table of the report
// (to the report's rounding) and an open-water diagram with three curves.
TEST(RecordCase5, CsvHoldsTheReportValuesAndSvgHasThreeCurves) {
  std::ostringstream screen, report, errors;
  std::istringstream keyboard("H\n");
  const std::string task = testing::task_file(1, 5, "1.0 4 0.7");
  const RunRecord record = run_tidewerk({screen, report, keyboard, errors},
                                        [&] { return std::make_unique<std::istringstream>(task); });
  const Outcome& figures = record.outcome;
  ASSERT_EQ(record.status, 0);
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

TEST(RecordCase5, WithoutTheCollectorTheRunIsUnchanged) {
  const std::string task = testing::task_file(1, 5, "1.0 4 0.7");
  auto plain = testing::run_in_process(task, "H\n");
  std::ostringstream screen, report, errors;
  std::istringstream keyboard("H\n");
  run_tidewerk({screen, report, keyboard, errors},
               [&] { return std::make_unique<std::istringstream>(task); });
  EXPECT_EQ(screen.str(), plain.screen);
  EXPECT_EQ(report.str(), plain.report);
}

// A whole run with the collector attached.
struct CollectedRun {
  int status = -1;
  std::string screen, report;
  Outcome figures;
};

CollectedRun run_collecting(const std::string& task, const std::string& keys) {
  CollectedRun run;
  std::ostringstream screen, report, errors;
  std::istringstream keyboard(keys);
  RunRecord record = run_tidewerk({screen, report, keyboard, errors},
                                  [&] { return std::make_unique<std::istringstream>(task); });
  run.status = record.status;
  run.figures = std::move(record.outcome);
  run.screen = screen.str();
  run.report = report.str();
  return run;
}

// A whole run in-process with its figures and record.
struct RecordedRun {
  RunRecord record;
  std::string report;
};
RecordedRun record_run(const std::optional<std::string>& task, const std::string& keyboard) {
  RecordedRun run;
  std::ostringstream screen, report, errors;
  std::istringstream keys(keyboard);
  run.record =
      run_tidewerk({screen, report, keys, errors}, [&task]() -> std::unique_ptr<std::istream> {
        return task ? std::make_unique<std::istringstream>(*task) : nullptr;
      });
  run.report = report.str();
  return run;
}

std::string example(const std::string& name) {
  return testing::read_file(std::string(TIDEWERK_SOURCE_DIR) + "/examples/" + name + ".Tsk");
}

// The diagram of each case family: the conditions the case knows, its marks labelled with their
// values (as the report gives them, to more digits), every label inside the plot area; and the
// screen and the report as without the collector.
TEST(RecordCases, ConditionsAndLabelledMarksInsideThePlot) {
  struct Row {
    const char* example;
    const char* keys;
    const char* conditions;
    std::vector<std::string> label_lines;
  };
  const std::vector<Row> rows = {
      {"case1_merchant_ship_b",
       "2\n",
       "D = 7.000 m, Va = 7.50 m/s, no ITTC78 correction",
       {"row 76", "P/D = 1.250", "J = 0.958", "eta0 = 0.7090", "N = 67.1 RPM"}},
      {"case2_merchant_ship_b",
       "2\n",
       "N = 110.0 RPM, Va = 7.50 m/s, no ITTC78 correction",
       {"row 45", "P/D = 0.940", "J = 0.720", "eta0 = 0.6714", "D = 5.679 m"}},
      {"case3_merchant_ship_kca",
       "2\n",
       "N = 105.0 RPM, Va = 7.00 m/s, no ITTC78 correction",
       {"row 38", "P/D = 0.970", "J = 0.711", "eta0 = 0.6752", "D = 5.628 m"}},
      {"case4_tug_b",
       "2\n",
       "N = 200.0 RPM, no ITTC78 correction",
       {"propeller 1", "D = 2.400 m", "P/D = 0.967", "T = 165.6 kN", "propeller 2", "D = 2.600 m",
        "P/D = 0.790", "T = 181.6 kN", "propeller 3", "D = 2.800 m", "P/D = 0.654",
        "T = 194.5 kN"}},
      {"case5_b", "H\n", "no ITTC78 correction", {}},
      {"case6_operating_point_b",
       "\n",
       "D = 4.032 m, N = 120.0 RPM, Va = 5.00 m/s, no ITTC78 correction",
       {"J = 0.620", "Kt = 0.2162", "10Kq = 0.3599", "eta0 = 0.5928"}},
      {"case7_bp_delta_b",
       "\n",
       "D = 4.000 m, N = 120.0 RPM, Va = 5.00 m/s, no ITTC78 correction",
       {"P/D = 1.166", "J = 0.675", "Kt = 0.2737", "10Kq = 0.5131", "eta0 = 0.5731"}},
      {"case8_merchant_ship",
       "\n\n\n\n",
       "D = 5.200 m, N = 105.0 RPM, Va = 6.40 m/s, no ITTC78 correction",
       {"J = 0.703", "Kt = 0.1961", "10Kq = 0.3436", "eta0 = 0.6388"}},
      {"case9_merchant_ship",
       "\n\n\n\n",
       "D = 5.200 m, N = 105.0 RPM, Va = 6.40 m/s, ITTC78 correction applied",
       {"J = 0.703", "Kt = 0.2113", "10Kq = 0.3505", "eta0 = 0.6749"}},
  };
  for (const Row& row : rows) {
    const std::string task = example(row.example);
    const CollectedRun run = run_collecting(task, row.keys);
    ASSERT_EQ(run.status, 0) << row.example;
    EXPECT_EQ(run.figures.diagram().conditions, row.conditions) << row.example;
    std::vector<std::string> lines;
    for (const TextBox& line :
         expect_texts_inside(diagram_to_svg(run.figures.diagram()), row.example)) {
      lines.push_back(line.text);
    }
    EXPECT_EQ(lines, row.label_lines) << row.example;
    const auto plain = testing::run_in_process(task, row.keys);
    EXPECT_EQ(run.screen, plain.screen) << row.example;
    EXPECT_EQ(run.report, plain.report) << row.example;
  }
}

// Case 5 with the correction asked for: the diameter and speed typed at the keyboard.
TEST(RecordCases, CaseFiveNamesTheTypedConditionsOfTheCorrection) {
  const std::string task = example("case5_b");
  EXPECT_EQ(run_collecting(task, "E\n4.0\n120\n").figures.diagram().conditions,
            "D = 4.000 m, N = 120.0 RPM, ITTC78 correction applied");
  EXPECT_EQ(run_collecting(task, "E\n4.0\n0\n").figures.diagram().conditions,
            "D = 4.000 m, N = 0.0 RPM, no ITTC78 correction");
}

// The curves are the series evaluated as the table was (with the ITTC78 correction where it
// applies) every 0.005 of J or P/D from the table's first row to its last, through every row
// of the table, whose rows are the markers.
TEST(RecordCases, CurvesAreTheSeriesOnAFineGridThroughTheTableRows) {
  struct Row {
    std::string what, task, keys, table;
    std::function<OpenWater(float)> series_at;  // the point at a curve's abscissa; none: unchecked
  };
  const Propeller kca{Series::Kca, 0.8f, 4.0f, std::nullopt};
  const Propeller corrected{Series::WageningenB, 0.7f, 4.0f,
                            Ittc78Conditions{4.032f, 5.0f, 120.0f}};
  const Propeller uncorrected{Series::WageningenB, 0.7f, 4.0f, std::nullopt};
  const std::vector<Row> rows = {
      {"case 5, KCA", example("case5_kca"), "H\n", "Open-water characteristics",
       [&](float J) { return kca.at(J, 1.1f); }},
      {"case 6 with ITTC78", testing::task_file(1, 6, "1.0 4 0.70 1025 4.032 120 5.0 1"), "",
       "Open-water characteristics", [&](float J) { return corrected.at(J, 1.0f); }},
      {"case 7", example("case7_bp_delta_b"), "", "Pitch ratios at J = 0.675", nullptr},
      {"case 9", example("case9_merchant_ship"), "\n\n\n\n",
       "Open-water characteristics of the designed propeller", nullptr},
  };
  for (const Row& row : rows) {
    const CollectedRun run = run_collecting(row.task, row.keys);
    ASSERT_EQ(run.status, 0) << row.what;
    const ResultTable* table = nullptr;
    for (const ResultTable& t : run.figures.tables()) table = t.title == row.table ? &t : table;
    ASSERT_NE(table, nullptr) << row.what;
    const Diagram& d = run.figures.diagram();
    ASSERT_EQ(d.series.size(), 3u) << row.what;
    for (std::size_t c = 0; c < 3; ++c) {
      const DiagramSeries& curve = d.series[c];
      ASSERT_EQ(curve.markers.size(), table->rows.size()) << row.what;
      for (std::size_t r = 0; r < table->rows.size(); ++r) {
        const DiagramMarker& m = curve.markers[r];
        EXPECT_EQ(m.x, table->rows[r][0]);
        EXPECT_EQ(m.y, table->rows[r][c + 1]);
        bool on_curve = false;
        for (std::size_t k = 0; k < curve.x.size(); ++k) {
          on_curve = on_curve || (curve.x[k] == m.x && curve.y[k] == m.y);
        }
        EXPECT_TRUE(on_curve) << row.what << ": row " << r + 1 << " of " << curve.label;
      }
      ASSERT_GT(curve.x.size(), 100u) << row.what;
      EXPECT_EQ(curve.x.front(), table->rows.front()[0]) << row.what;
      EXPECT_EQ(curve.x.back(), table->rows.back()[0]) << row.what;
      for (std::size_t k = 1; k < curve.x.size(); ++k) {
        EXPECT_GT(curve.x[k], curve.x[k - 1]) << row.what;
        EXPECT_LE(curve.x[k] - curve.x[k - 1], 0.005f + 1e-6f) << row.what;
      }
    }
    if (!row.series_at) continue;
    int differs_uncorrected = 0;
    for (std::size_t k = 0; k < d.series[0].x.size(); ++k) {
      const float x = d.series[0].x[k];
      const OpenWater p = row.series_at(x);
      EXPECT_EQ(d.series[0].y[k], p.Kt) << row.what << " at " << x;
      EXPECT_EQ(d.series[1].y[k], ten_kq(p.Kq)) << row.what << " at " << x;
      EXPECT_EQ(d.series[2].y[k], p.eta0) << row.what << " at " << x;
      differs_uncorrected += d.series[0].y[k] != uncorrected.at(x, 1.0f).Kt;
    }
    if (row.what == "case 6 with ITTC78") EXPECT_GT(differs_uncorrected, 100) << row.what;
  }
}

// Points evaluated for the diagram alone may overflow; the flags of the run stay as they were,
// and nothing that is not a number reaches the picture.
TEST(RecordCases, DiagramOnlyPointsLeaveTheArithmeticFlagsAsTheyWere) {
  constexpr int kFaults = FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW;
  const Propeller propeller{Series::WageningenB, 0.7f, 4.0f, std::nullopt};
  ResultTable far{"open-water", "Open-water characteristics", {"J", "Kt", "10Kq", "eta0"}, {}};
  far.rows = {{1e6f, 0.1f, 0.2f, 0.3f}, {1e15f, 0.1f, 0.2f, 0.3f}};
  // The precondition: these points raise faults when evaluated.
  const std::vector<float> J = curve_abscissae(far, 0.005f);
  std::vector<OpenWater> points(J.size());
  std::feclearexcept(FE_ALL_EXCEPT);
  propeller.over(1.0f, J.data(), J.size(), points.data());
  ASSERT_NE(std::fetestexcept(kFaults), 0);

  std::feclearexcept(FE_ALL_EXCEPT);
  std::feraiseexcept(FE_DIVBYZERO);  // raised by the run before the diagram
  const Diagram by_J = open_water_diagram(far, propeller, 1.0f, "title");
  EXPECT_EQ(std::fetestexcept(kFaults), FE_DIVBYZERO);
  std::feclearexcept(FE_ALL_EXCEPT);
  ResultTable pitches = far;
  pitches.rows = {{0.5f, 0.1f, 0.2f, 0.3f}, {1.4f, 0.1f, 0.2f, 0.3f}};
  const Diagram by_pd = pitch_diagram(pitches, propeller, 1e15f, "title", "subtitle");
  EXPECT_EQ(std::fetestexcept(kFaults), 0);
  for (const Diagram* d : {&by_J, &by_pd}) {
    const std::string svg = diagram_to_svg(*d);
    EXPECT_TRUE(XmlCheck(svg).well_formed());
    EXPECT_EQ(svg.find("nan"), std::string::npos);
    EXPECT_EQ(svg.find("inf"), std::string::npos);
  }
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
  EXPECT_EQ(run.record.keyboard_not_kept, 0u);
}

TEST(RunRecordKeyboard, EndlessInputKeepsTheFirstThousandLinesAndCountsTheRest) {
  // Case 1 with its best row last: the row number is asked again while it lies outside the
  // table; empty lines before each wrong number are crossed, until the input ends.
  std::string keys = "E\n";
  for (int k = 0; k < 3; ++k) keys += std::string(500, '\n') + "0\n";
  const RecordedRun run = record_run(testing::task_file(1, 1, "400 6.5 7.0 1025 4 0.60"), keys);
  ASSERT_EQ(run.record.ending, Ending::InputError) << run.record.reason;
  EXPECT_NE(run.record.reason.find("the input ended after line 1504"), std::string::npos);
  EXPECT_EQ(run.record.keyboard.size(), KeyboardLog::kKept);
  EXPECT_EQ(run.record.keyboard.front(), "E");
  EXPECT_EQ(run.record.keyboard_not_kept, 1504u - KeyboardLog::kKept);
}

TEST(Outputs, Case8JsonInItsKeyOrderWithTheValuesReadTheMarkAndTheResultBlock) {
  const RecordedRun run = record_run(
      testing::read_file(std::string(TIDEWERK_SOURCE_DIR) + "/examples/case8_merchant_ship.Tsk"),
      "");
  const auto dir = output_folder("case8");
  write_outputs({dir, "ship", {false, true, true}}, run.record);
  EXPECT_EQ(files_in(dir), (std::vector<std::string>{"ship.blade-area.csv", "ship.json",
                                                     "ship.open-water.csv", "ship.pitch.csv"}));
  const std::string text = testing::read_file((dir / "ship.json").string());
  const auto j = nlohmann::ordered_json::parse(text);
  std::vector<std::string> keys;
  for (const auto& item : j.items()) keys.push_back(item.key());
  EXPECT_EQ(keys,
            (std::vector<std::string>{"program", "version", "task_file", "series", "case", "values",
                                      "keyboard", "keyboard_not_kept", "tables", "results",
                                      "warnings", "ending", "reason", "exit_status"}));
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
  write_outputs({dir, "bad", {false, false, true}}, bad.record);
  const auto e = nlohmann::json::parse(testing::read_file((dir / "bad.json").string()));
  EXPECT_EQ(e["ending"], "input error");
  EXPECT_NE(e["reason"].get<std::string>().find("\"x\""), std::string::npos);
  EXPECT_EQ(e["exit_status"], 1);
  EXPECT_EQ(e["case"]["number"], 5);
  EXPECT_TRUE(e["values"].empty());

  const RecordedRun missing = record_run(std::nullopt, "");
  write_outputs({dir, "gone", {true, true, true}}, missing.record);
  EXPECT_EQ(files_in(dir), std::vector<std::string>{"bad.json"});
  std::filesystem::remove_all(dir);
}

// The JSON numbers: the floats themselves, each read back to the same float and written with as
// few significant digits as its CSV text (below 2^25; above, where a shorter text lies exactly
// halfway between two floats, the library writes more); null where the CSV field is empty.
TEST(Outputs, JsonNumbersAreTheFloatsWithTheirFewestDigits) {
  std::vector<float> sample = {0.7f, 3.0f, -0.0f, 1e-05f, 0.1f + 0.6f};
  for (const float f : float_sample(214751)) sample.push_back(f);
  RunRecord record;
  record.task_opened = true;
  ResultTable& table = record.outcome.table("sample", "Floats across the range", {"x"});
  for (const float f : sample) table.rows.push_back({f});
  table.rows.push_back({std::nanf("")});
  const auto dir = output_folder("numbers");
  write_outputs({dir, "sample", {false, false, true}}, record);
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

// Each ending has one text (the JSON's "ending", Python's Run.ending) and one exit status.
TEST(RunRecordEnding, EachEndingHasItsTextAndExitStatus) {
  const struct {
    Ending ending;
    const char* text;
    int status;
  } rows[] = {{Ending::Result, "result", 0},
              {Ending::NoResult, "no result", 5},
              {Ending::InputError, "input error", 1},
              {Ending::ArithmeticError, "arithmetic error", 3},
              {Ending::InternalError, "internal error", 4}};
  for (const auto& row : rows) {
    EXPECT_EQ(ending_text(row.ending), row.text);
    EXPECT_EQ(exit_status(row.ending), row.status) << row.text;
  }
}

// The outputs of a record: the diagram when there is one, a CSV per table, the JSON once the
// input was opened; each named by what follows the stem.
TEST(OutputTexts, OnePerRequestedKindNamedByItsSuffix) {
  RunRecord record;
  record.outcome.table("pitch", "Pitch table", {"PD", "T_kN"}).rows.push_back({0.8f, 450.0f});
  record.outcome.table("pitch", "Again", {"PD"});
  const auto suffixes = [&record](OutputKinds kinds) {
    std::vector<std::string> names;
    for (const OutputText& output : output_texts(record, kinds)) names.push_back(output.suffix);
    return names;
  };
  const OutputKinds all{true, true, true};
  EXPECT_EQ(suffixes(all), (std::vector<std::string>{".pitch.csv", ".pitch-2.csv"}));
  record.task_opened = true;
  record.outcome.diagram().series.push_back({"eta0", kColourEta, true, {0.5f}, {0.6f}});
  EXPECT_EQ(suffixes(all),
            (std::vector<std::string>{".svg", ".pitch.csv", ".pitch-2.csv", ".json"}));
  EXPECT_EQ(suffixes({false, false, true}), std::vector<std::string>{".json"});
  EXPECT_TRUE(suffixes({}).empty());
  EXPECT_EQ(output_texts(record, {false, true, false})[0].text, "PD,T_kN\n0.8,450.0\n");
}

}  // namespace
}  // namespace tidewerk
