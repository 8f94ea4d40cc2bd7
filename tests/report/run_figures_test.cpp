#include "report/run_figures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <regex>
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

TEST(RunFiguresSvg, LabelsStayInsideThePlotAndFlipAwayFromTheRightAndTopEdges) {
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

TEST(RunFiguresSvg, LabelsOfNeighbouringMarksDoNotOverlapAndKeepOffTheCurve) {
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

TEST(RunFiguresSvg, MarkersCarryTheirValuesAndTheConditionsStandUnderTheSubtitle) {
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
