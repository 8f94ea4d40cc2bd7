// What a run can give besides its report, when asked on the command line: its tables at full
// precision (one CSV file each), the named numbers of its result block (in its JSON) and a
// diagram of its propeller (SVG).  The cases fill these only when a collector is attached to
// the console; a classic run attaches none.
#pragma once

#include <cstddef>
#include <limits>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tidewerk {

// A table of the run: named columns with units, rows of single-precision values.
struct ResultTable {
  std::string name;                  // "open-water", "pitch" ...: one word, unique in the run
  std::string title;                 // what the table holds, in words
  std::vector<std::string> columns;  // symbol_unit tokens: "J", "10Kq", "T_kN", "Pd_kW" ...
  std::vector<std::vector<float>> rows;
  // A table whose report marks a row (the design, operating, selected or chosen one) has a
  // mark column after its numbers: empty but for the rows named here by their index.
  bool mark_column = false;
  std::map<std::size_t, std::string> marks;
  // The first `count_columns` columns hold row numbers or counts, written as whole numbers.
  std::size_t count_columns = 0;

  // Names the last row added ("design", "operating" ...).
  void mark_last_row(std::string what) { marks[rows.size() - 1] = std::move(what); }
};

// The mark column of a table, given to RunFigures::table.
inline constexpr bool kMarkColumn = true;

// A named number of a case's result block: the design P/D, the thrust, the row selected ...
struct ResultValue {
  std::string name;  // "PD", "T", "Vtip", "selected" ...
  std::string unit;  // "kN"; empty for a ratio or a count
  float value = 0;
  bool whole = false;  // a count or a row number
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
  // Starts a new table and returns it for its rows.  A name already taken in the run gets
  // "-2", "-3" ... appended.
  ResultTable& table(std::string name, std::string title, std::vector<std::string> columns,
                     bool mark_column = false);
  const std::vector<ResultTable>& tables() const { return tables_; }
  // A number of the result block, in the order the report prints them.
  void result(std::string name, float value, std::string unit = {});
  void result(std::string name, int value);
  const std::vector<ResultValue>& results() const { return results_; }
  // The diagram of the run; the last case to set it wins.
  Diagram& diagram() { return diagram_; }
  const Diagram& diagram() const { return diagram_; }

 private:
  std::vector<ResultTable> tables_;
  std::vector<ResultValue> results_;
  Diagram diagram_;
};

// The shortest decimal text that reads back as `value`, always with a decimal point: "0.7",
// "3.0", "-0.0", "1.0e-05", "3.4028235e+38", "33584500.0".  The fewest significant digits
// that do (std::to_chars), in fixed or exponent notation as it is shorter.  Empty for an
// infinity or NaN.
std::string shortest_text(float value);

// A table as comma-separated values: a header line of the column names, then one line per row
// with exactly as many fields (the numbers as shortest_text gives them, the mark last).
std::string table_to_csv(const ResultTable& table);

// The diagram as a self-contained SVG 1.1 document.
std::string diagram_to_svg(const Diagram& diagram);

// Title of the diagrams: "Wageningen B series, Z = 4, EAR = 0.700, P/D = 1.000"; without the
// pitch ratio when it is not known (NaN).
std::string propeller_title(std::string_view series_name, float Z, float EAR,
                            float PD = std::numeric_limits<float>::quiet_NaN());

}  // namespace tidewerk
