// The record's text writers: tidy CSV and JSON.
#include "outputs/general_record.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>

namespace tidewerk {
namespace {

// The keys in the order written; reals written with the fewest digits that read back.
using Json = nlohmann::ordered_json;

Json cell_json(const Cell& cell) {
  if (const double* real = std::get_if<double>(&cell)) {
    return std::isfinite(*real) ? Json(*real) : Json(nullptr);
  }
  if (const long* whole = std::get_if<long>(&cell)) return Json(*whole);
  if (const bool* truth = std::get_if<bool>(&cell)) return Json(*truth);
  const std::string& text = std::get<std::string>(cell);
  return text.empty() ? Json(nullptr) : Json(text);
}

Json named_json(const std::vector<NamedValue>& values) {
  Json out = Json::array();
  for (const NamedValue& v : values) {
    out.push_back({{"name", v.name}, {"unit", v.unit}, {"value", cell_json(v.value)}});
  }
  return out;
}

std::string csv_field(const std::string& text) {
  if (text.find_first_of(",\"\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

}  // namespace

std::string shortest_text(double value) {
  if (!std::isfinite(value)) return "";
  char text[40];
  char* end = std::to_chars(text, text + sizeof text, value).ptr;
  std::string shortest(text, end);
  // A real reads as a real: "3" -> "3.0", "1e-05" -> "1.0e-05".
  if (shortest.find_first_of(".e") == std::string::npos) return shortest + ".0";
  const std::size_t e = shortest.find('e');
  if (e != std::string::npos && shortest.find('.') == std::string::npos) shortest.insert(e, ".0");
  return shortest;
}

std::string cell_text(const Cell& cell) {
  if (const double* real = std::get_if<double>(&cell)) return shortest_text(*real);
  if (const long* whole = std::get_if<long>(&cell)) return std::to_string(*whole);
  if (const bool* truth = std::get_if<bool>(&cell)) return *truth ? "true" : "false";
  return std::get<std::string>(cell);
}

std::string record_table_csv(const RecordTable& table) {
  std::string text;
  for (std::size_t c = 0; c < table.columns.size(); ++c) {
    text += (c ? "," : "") + csv_field(table.columns[c].name);
  }
  text += "\n";
  for (const std::vector<Cell>& row : table.rows) {
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
      text += (c ? "," : "") + (c < row.size() ? csv_field(cell_text(row[c])) : std::string());
    }
    text += "\n";
  }
  return text;
}

std::string record_json(const Record& record) {
  Json tables = Json::array();
  for (const RecordTable& table : record.tables) {
    Json columns = Json::array();
    for (const RecordColumn& column : table.columns) columns.push_back(column.name);
    Json rows = Json::array();
    for (const std::vector<Cell>& row : table.rows) {
      Json cells = Json::array();
      for (const Cell& cell : row) cells.push_back(cell_json(cell));
      rows.push_back(std::move(cells));
    }
    tables.push_back({{"name", table.name},
                      {"title", table.title},
                      {"columns", std::move(columns)},
                      {"rows", std::move(rows)}});
  }
  const Json json{{"program", "Tidewerk"},
                  {"version", record.version},
                  {record.source_key, record.source},
                  {"inputs", named_json(record.inputs)},
                  {"tables", std::move(tables)},
                  {"results", named_json(record.results)},
                  {"warnings", record.warnings},
                  {"ending", record.ending},
                  {"reason", record.reason.empty() ? Json(nullptr) : Json(record.reason)},
                  {"exit_status", record.exit_status}};
  return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace tidewerk
