// The record of a run: what it read (named values with units), its tables (named columns,
// rows of numbers, texts and truth values), its results with units, its warnings and how it
// ended.  One writer per format walks it: tidy CSV per table, the JSON record, and the
// self-contained HTML page with the diagrams inline.
#pragma once

#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "report/outcome.h"  // Diagram

namespace tidewerk {

// A cell of a table or a named value: a real (NaN: no value), a whole number, a truth value
// or a text.
using Cell = std::variant<double, long, bool, std::string>;

struct RecordColumn {
  std::string name;  // symbol_unit token: "V_kn", "10Kq", "feasible"
  int decimals = 3;  // digits after the point in the text report
};

struct RecordTable {
  std::string name;   // one word, unique in the record: "speed-power"
  std::string title;  // what the table holds, in words
  std::vector<RecordColumn> columns;
  std::vector<std::vector<Cell>> rows;  // as many cells as columns
};

struct NamedValue {
  std::string name;  // "D", "V_service"
  std::string unit;  // "m", "kn"; empty for a ratio or a count
  Cell value;
  std::string meaning = {};  // in words, for the pages
};

struct Record {
  std::string version;     // the program's version
  std::string source_key;  // the record's key for the input file: "study_file"
  std::string source;      // the input file as given
  std::string title;       // what the run is about, for the page
  std::vector<NamedValue> inputs;
  std::vector<RecordTable> tables;
  std::vector<NamedValue> results;
  std::vector<std::string> warnings;
  std::vector<std::pair<std::string, Diagram>> diagrams;  // name (file word) and diagram
  std::string ending;                                     // "result", "no result"
  std::string reason;                                     // why, for every ending but "result"
  int exit_status = 0;
};

// The shortest decimal text that reads back as `value` ("0.7", "33584500.0"); empty for a NaN
// or an infinity.
std::string shortest_text(double value);

// A cell as CSV and text pages show it: a real by shortest_text, true/false, the text as it is.
std::string cell_text(const Cell& cell);

// A table as tidy comma-separated values: the header of the column names, then one line per
// row; a text with a comma or a quote is quoted.
std::string record_table_csv(const RecordTable& table);

// The record as JSON: program, version, <source_key>, inputs, tables, results, warnings,
// ending, reason, exit_status.
std::string record_json(const Record& record);

// The record as one self-contained HTML page: inputs, results, warnings, every table and the
// diagrams inline; nothing fetched from a network.
std::string record_html(const Record& record);

// The SVG document of a diagram without its XML declaration, for a page.
std::string inline_svg(const Diagram& diagram);

}  // namespace tidewerk
