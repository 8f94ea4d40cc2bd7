// The record as one self-contained HTML page, with its diagrams as inline SVG.
#include <cmath>
#include <sstream>

#include "outputs/general_record.h"
#include "outputs/svg.h"

namespace tidewerk {
namespace {

// A real with the column's decimals; other cells as they are.
std::string shown(const Cell& cell, int decimals) {
  if (const double* real = std::get_if<double>(&cell)) {
    if (!std::isfinite(*real)) return "";
    std::ostringstream o;
    o.setf(std::ios::fixed);
    o.precision(decimals);
    o << *real;
    return o.str();
  }
  return cell_text(cell);
}

void named_table(std::ostringstream& o, const std::string& heading,
                 const std::vector<NamedValue>& values) {
  o << "<h2>" << xml_escaped(heading) << "</h2>\n<table class=\"named\">\n"
    << "<tr><th>name</th><th>value</th><th>unit</th><th>meaning</th></tr>\n";
  for (const NamedValue& v : values) {
    o << "<tr><td>" << xml_escaped(v.name) << "</td><td class=\"n\">"
      << xml_escaped(shown(v.value, 4)) << "</td><td>" << xml_escaped(v.unit) << "</td><td>"
      << xml_escaped(v.meaning) << "</td></tr>\n";
  }
  o << "</table>\n";
}

}  // namespace

std::string inline_svg(const Diagram& diagram) {
  const std::string svg = diagram_to_svg(diagram);
  const std::size_t start = svg.find("<svg");
  return start == std::string::npos ? svg : svg.substr(start);
}

std::string record_html(const Record& record) {
  std::ostringstream o;
  o << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>"
    << xml_escaped(record.title) << "</title>\n<style>\n"
    << "body { font-family: sans-serif; margin: 1.5em; color: #222; }\n"
    << "table { border-collapse: collapse; margin: 0.5em 0 1.5em; font-size: 0.85em; }\n"
    << "th, td { border: 1px solid #bbb; padding: 0.2em 0.5em; }\n"
    << "th { background: #eef; }\n"
    << "td.n { text-align: right; font-variant-numeric: tabular-nums; }\n"
    << "tr.chosen td { background: #efe; font-weight: bold; }\n"
    << ".diagram { display: inline-block; margin: 0 1em 1em 0; vertical-align: top; }\n"
    << ".diagram svg { width: 46vw; max-width: 800px; height: auto; }\n"
    << ".warning { color: #a40; }\n"
    << "</style>\n</head>\n<body>\n"
    << "<h1>" << xml_escaped(record.title) << "</h1>\n"
    << "<p>Tidewerk " << xml_escaped(record.version) << ", " << xml_escaped(record.source_key)
    << " " << xml_escaped(record.source) << ": <strong>" << xml_escaped(record.ending)
    << "</strong>" << (record.reason.empty() ? "" : " (" + xml_escaped(record.reason) + ")")
    << ", exit status " << record.exit_status << "</p>\n";
  if (!record.diagrams.empty()) {
    o << "<h2>Diagrams</h2>\n";
    for (const auto& [name, diagram] : record.diagrams) {
      o << "<div class=\"diagram\" id=\"" << xml_escaped(name) << "\">\n"
        << inline_svg(diagram) << "</div>\n";
    }
  }
  named_table(o, "Results", record.results);
  if (!record.warnings.empty()) {
    o << "<h2>Warnings</h2>\n<ul>\n";
    for (const std::string& w : record.warnings) {
      o << "<li class=\"warning\">" << xml_escaped(w) << "</li>\n";
    }
    o << "</ul>\n";
  }
  named_table(o, "Inputs", record.inputs);
  for (const RecordTable& table : record.tables) {
    o << "<h2>" << xml_escaped(table.title) << " (" << xml_escaped(table.name)
      << ")</h2>\n<table>\n<tr>";
    for (const RecordColumn& column : table.columns)
      o << "<th>" << xml_escaped(column.name) << "</th>";
    o << "</tr>\n";
    for (const std::vector<Cell>& row : table.rows) {
      const bool chosen = !row.empty() && std::holds_alternative<std::string>(row.back()) &&
                          std::get<std::string>(row.back()) == "chosen";
      o << (chosen ? "<tr class=\"chosen\">" : "<tr>");
      for (std::size_t c = 0; c < row.size() && c < table.columns.size(); ++c) {
        const bool number =
            std::holds_alternative<double>(row[c]) || std::holds_alternative<long>(row[c]);
        o << (number ? "<td class=\"n\">" : "<td>")
          << xml_escaped(shown(row[c], table.columns[c].decimals)) << "</td>";
      }
      o << "</tr>\n";
    }
    o << "</table>\n";
  }
  o << "</body>\n</html>\n";
  return o.str();
}

}  // namespace tidewerk
