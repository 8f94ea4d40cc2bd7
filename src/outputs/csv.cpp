#include "outputs/csv.h"

#include <charconv>
#include <cmath>

namespace tidewerk {
namespace {

std::string csv_field(const std::string& text) {
  if (text.find_first_of(",\"\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

}  // namespace

std::string shortest_text(float value) {
  if (!std::isfinite(value)) return "";
  char text[32];
  char* end = std::to_chars(text, text + sizeof text, value).ptr;
  std::string shortest(text, end);
  if (shortest.find('e') != std::string::npos) {
    // "1e-05" -> "1.0e-05": a real reads as a real.
    if (shortest.find('.') == std::string::npos) shortest.insert(shortest.find('e'), ".0");
    return shortest;
  }
  // Fixed notation from the fewest digits: a large whole number is written "33584500.0", not
  // with every digit of its exact value ("33584496").
  end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific).ptr;
  const std::string scientific(text, end);
  const std::size_t e = scientific.find('e');
  const bool negative = scientific[0] == '-';
  std::string digits;
  for (std::size_t k = negative ? 1 : 0; k < e; ++k) {
    if (scientific[k] != '.') digits += scientific[k];
  }
  const int exponent = std::stoi(scientific.substr(e + 1));
  const int whole = exponent + 1;  // digits before the point
  std::string fixed;
  if (whole <= 0) {
    fixed = "0." + std::string(static_cast<std::size_t>(-whole), '0') + digits;
  } else if (static_cast<std::size_t>(whole) >= digits.size()) {
    fixed = digits + std::string(static_cast<std::size_t>(whole) - digits.size(), '0') + ".0";
  } else {
    const auto point = static_cast<std::size_t>(whole);
    fixed = digits.substr(0, point) + "." + digits.substr(point);
  }
  return (negative ? "-" : "") + fixed;
}

std::string table_to_csv(const ResultTable& table) {
  // One line of fields.  A line of one empty field is written as "" so that no reader takes it
  // for a blank line and skips it.
  const auto line = [](const std::vector<std::string>& fields) {
    if (fields.size() == 1 && fields[0].empty()) return std::string("\"\"\n");
    std::string text;
    for (std::size_t k = 0; k < fields.size(); ++k) text += (k ? "," : "") + fields[k];
    return text + "\n";
  };
  std::vector<std::string> fields;
  for (const std::string& column : table.columns) fields.push_back(csv_field(column));
  if (table.mark_column) fields.emplace_back("mark");
  std::string out = line(fields);
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    const std::vector<float>& row = table.rows[r];
    fields.clear();
    // Exactly one field per column, whatever the row holds.
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
      fields.push_back(c >= row.size() ? std::string()
                       : c < table.count_columns && std::isfinite(row[c])
                           ? std::to_string(static_cast<long>(row[c]))
                           : shortest_text(row[c]));
    }
    if (table.mark_column) {
      const auto mark = table.marks.find(r);
      fields.push_back(mark == table.marks.end() ? std::string() : csv_field(mark->second));
    }
    out += line(fields);
  }
  return out;
}

}  // namespace tidewerk
