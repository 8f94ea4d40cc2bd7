// What a run can give besides its report, when asked on the command line: its main tables
// at full precision (Tidewerk.csv) and a diagram of its propeller (Tidewerk.svg).  The cases
// fill these only when a collector is attached to the console; a classic run attaches none.
#pragma once

#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace tidewerk {

// A table of the run: named columns with units, rows of single-precision values.
struct ResultTable {
  std::string title;
  std::vector<std::string> columns;  // "J", "Kt", "10Kq", "T (kN)" ...
  std::vector<std::vector<float>> rows;
};

// A tabulated point drawn as a dot on its curve; `label` (its values) shows when the pointer
// rests on it.
struct DiagramMarker {
  float x = 0, y = 0;
  std::string label;
};

// A curve or a set of points of the diagram.
struct DiagramSeries {
  std::string label;   // legend text
  std::string colour;  // SVG colour
  bool line = true;    // a polyline through the points, or the points alone
  std::vector<float> x, y;
  std::vector<DiagramMarker> markers{};  // the table's points on the curve
};

// A marked point of the diagram (the operating point, the design point, the selection).  The
// label may run over several lines, separated by '\n'; it is placed inside the plot area.
struct DiagramMark {
  float x = 0, y = 0;
  std::string label;
  bool ring = true;  // drawn with a ring (the legend's mark); false: the label alone
};

struct Diagram {
  std::string title;       // series, Z, EAR, P/D
  std::string subtitle;    // what the diagram shows
  std::string conditions;  // D, N, Va and the ITTC78 correction, as far as the case knows them
  std::string x_label;     // axis label with unit
  std::string y_label;
  std::vector<DiagramSeries> series;
  std::vector<DiagramMark> marks;
  std::string mark_legend = "marked point";  // legend entry of the marks
  bool empty() const { return series.empty(); }
};

// Curve colours of the open-water diagram.
inline constexpr const char* kColourKt = "#1f5fbf";
inline constexpr const char* kColourKq = "#c8321e";
inline constexpr const char* kColourEta = "#2a9d3a";

class RunFigures {
 public:
  // Starts a new table and returns it for its rows.
  ResultTable& table(std::string title, std::vector<std::string> columns);
  const std::vector<ResultTable>& tables() const { return tables_; }
  // The diagram of the run; the last case to set it wins.
  Diagram& diagram() { return diagram_; }
  const Diagram& diagram() const { return diagram_; }

 private:
  std::vector<ResultTable> tables_;
  Diagram diagram_;
};

// The tables as comma-separated values: a title line, a header row, the rows with every
// single-precision digit (9 significant digits), one blank line between tables.
std::string tables_to_csv(const std::vector<ResultTable>& tables);

// The diagram as a self-contained SVG 1.1 document.
std::string diagram_to_svg(const Diagram& diagram);

// Title of the diagrams: "Wageningen B series, Z = 4, EAR = 0.700, P/D = 1.000"; without the
// pitch ratio when it is not known (NaN).
std::string propeller_title(std::string_view series_name, float Z, float EAR,
                            float PD = std::numeric_limits<float>::quiet_NaN());

}  // namespace tidewerk
