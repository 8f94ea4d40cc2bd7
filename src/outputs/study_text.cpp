// The study's text report, from its record: fixed-width tables with each column's decimals.
#include <algorithm>
#include <cmath>
#include <string_view>

#include "outputs/study_record.h"
#include "report/warnings.h"

namespace tidewerk {
namespace {

std::string cell_shown(const Cell& cell, int decimals) {
  if (const double* real = std::get_if<double>(&cell)) {
    if (!std::isfinite(*real)) return "-";
    return fixed(*real, decimals);
  }
  const std::string text = cell_text(cell);
  return text.empty() ? "" : text;
}

bool numeric(const Cell& cell) {
  return std::holds_alternative<double>(cell) || std::holds_alternative<long>(cell);
}

// The table with a header line, a rule and one line per row; numbers right-aligned, texts
// left-aligned.  The last column is not padded.  The cells' texts are kept one after the other in
// one buffer, and the table is written into a string of its final size.
std::string table_text(const RecordTable& table) {
  const std::size_t columns = table.columns.size();
  std::string shown;
  std::vector<std::size_t> ends;  // where each cell's text ends in `shown`, row by row
  ends.reserve(table.rows.size() * columns);
  std::vector<std::size_t> width(columns);
  for (std::size_t c = 0; c < columns; ++c) width[c] = table.columns[c].name.size();
  for (const std::vector<Cell>& row : table.rows) {
    for (std::size_t c = 0; c < columns; ++c) {
      const std::size_t start = shown.size();
      if (c < row.size()) shown += cell_shown(row[c], table.columns[c].decimals);
      ends.push_back(shown.size());
      width[c] = std::max(width[c], shown.size() - start);
    }
  }
  std::size_t total = 0;
  for (const std::size_t w : width) total += w + 2;
  std::string text;
  text.reserve((total + 1) * (table.rows.size() + 2));
  // One line: `cell(c)` gives the text of column c; the header follows its column's cells.
  const auto append_line = [&](const auto& cell, const std::vector<Cell>* row) {
    const std::vector<Cell>* cells_of = row ? row : table.rows.empty() ? nullptr : &table.rows[0];
    const std::size_t line_start = text.size();
    for (std::size_t c = 0; c < columns; ++c) {
      const bool right = cells_of && c < cells_of->size() ? numeric((*cells_of)[c]) : true;
      const std::string_view field = cell(c);
      text += "  ";
      if (right) text.append(width[c] - field.size(), ' ');
      text += field;
      if (!right) text.append(width[c] - field.size(), ' ');
    }
    while (text.size() > line_start && text.back() == ' ') text.pop_back();
    text += '\n';
  };
  append_line([&](std::size_t c) { return std::string_view(table.columns[c].name); }, nullptr);
  text += "  ";
  text.append(total - 2, '-');
  text += '\n';
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    append_line(
        [&](std::size_t c) {
          const std::size_t k = r * columns + c;
          const std::size_t begin = k == 0 ? 0 : ends[k - 1];
          return std::string_view(shown).substr(begin, ends[k] - begin);
        },
        &table.rows[r]);
  }
  return text;
}

std::string named_text(const std::vector<NamedValue>& values, int decimals) {
  std::size_t name_width = 0, value_width = 0, unit_width = 0;
  std::vector<std::string> shown;
  for (const NamedValue& v : values) {
    shown.push_back(cell_shown(v.value, decimals));
    name_width = std::max(name_width, v.name.size());
    value_width = std::max(value_width, shown.back().size());
    unit_width = std::max(unit_width, v.unit.size());
  }
  std::string text;
  for (std::size_t k = 0; k < values.size(); ++k) {
    const NamedValue& v = values[k];
    std::string line = "  " + v.name + std::string(name_width - v.name.size(), ' ') + "  " +
                       std::string(value_width - shown[k].size(), ' ') + shown[k] + " " + v.unit +
                       std::string(unit_width - v.unit.size(), ' ') + "  " + v.meaning;
    while (!line.empty() && line.back() == ' ') line.pop_back();
    text += line + "\n";
  }
  return text;
}

const RecordTable* find_table(const Record& record, const std::string& name) {
  for (const RecordTable& t : record.tables) {
    if (t.name == name) return &t;
  }
  return nullptr;
}

}  // namespace

std::string study_check_text(const StudyInput& input, const std::vector<std::string>& warnings) {
  std::string text = "Study file " + input.file + ": read\n\n" + named_text(study_inputs(input), 4);
  text += "\n";
  if (warnings.empty()) {
    text += "No warnings.\n";
  } else {
    text += "Warnings:\n";
    for (const std::string& w : warnings) text += "  - " + w + "\n";
  }
  return text;
}

std::string study_text(const Record& record) {
  std::string text = "Tidewerk: " + record.title + "\n" + "Study file: " + record.source +
                     "\n\nInputs\n" + named_text(record.inputs, 4);
  for (const char* name : {"resistance", "candidates"}) {
    if (const RecordTable* t = find_table(record, name)) {
      text += "\n" + t->title + "\n" + table_text(*t);
    }
  }
  if (!record.results.empty()) {
    text += "\nThe chosen propeller and the engine match\n" + named_text(record.results, 4);
  }
  if (const RecordTable* t = find_table(record, "speed-power")) {
    text += "\n" + t->title + " (- : no operating point)\n" + table_text(*t);
  }
  text += "\nWarnings\n";
  if (record.warnings.empty()) text += "  none\n";
  for (const std::string& w : record.warnings) text += "  - " + w + "\n";
  text += "\nEnding: " + record.ending;
  if (!record.reason.empty()) text += ": " + record.reason;
  return text + "\n";
}

}  // namespace tidewerk
