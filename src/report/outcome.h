// What a calculation gives besides its report: its tables at full precision, the named numbers
// of its result block with their units, and the content of its diagram.  The writers of
// src/outputs/ turn these into CSV, JSON and SVG; the Python module into arrays and dicts.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
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

// The mark column of a table, given to Outcome::table.
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

// The tables, result values and diagram of a calculation, in the order it produced them.
class Outcome {
 public:
  // Starts a new table and returns it for its rows.  A name already taken in the run gets
  // "-2", "-3" ... appended.
  ResultTable& table(std::string name, std::string title, std::vector<std::string> columns,
                     bool mark_column = false);
  // Adds a table made elsewhere, its name made unique as by table().
  void add(ResultTable table);
  const std::vector<ResultTable>& tables() const { return tables_; }
  // A number of the result block, in the order the report prints them.
  void result(std::string name, float value, std::string unit = {});
  void result(std::string name, int value);
  // Numbers of the result block made elsewhere, appended in their order.
  void add(const std::vector<ResultValue>& values);
  const std::vector<ResultValue>& results() const { return results_; }
  // The diagram of the run; the last case to set it wins.
  Diagram& diagram() { return drawn(); }
  const Diagram& diagram() const { return drawn(); }
  // The diagram as `draw` gives it, drawn when it is first asked for: most runs write no diagram,
  // and its labels and fine curves cost a whole-run share of the time.  `draw` must hold copies
  // of what it reads and leave the arithmetic flags as it found them.
  void draw_diagram_later(std::function<Diagram()> draw) { draw_ = std::move(draw); }

 private:
  Diagram& drawn() const {
    if (draw_) {
      diagram_ = draw_();
      draw_ = nullptr;
    }
    return diagram_;
  }

  std::vector<ResultTable> tables_;
  std::vector<ResultValue> results_;
  mutable Diagram diagram_;
  mutable std::function<Diagram()> draw_;  // the diagram not yet drawn, or empty
};

}  // namespace tidewerk
