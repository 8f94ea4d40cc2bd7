#include "outputs/json.h"

#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <utility>
#include <vector>

namespace tidewerk {
namespace {

// The keys in the order written; numbers held as the run's single-precision values, which the
// library writes with the fewest digits that read back to the same float.
using Json = nlohmann::basic_json<nlohmann::ordered_map, std::vector, std::string, bool,
                                  std::int64_t, std::uint64_t, float>;

// A number of the run; null when it is not finite.
Json number(float value) {
  return std::isfinite(value) ? Json(value) : Json(nullptr);
}

Json text_or_null(const std::string& text) {
  return text.empty() ? Json(nullptr) : Json(text);
}

Json choice_json(const std::optional<NumberedChoice>& choice, const char* name_key) {
  if (!choice) return nullptr;
  return Json{{"number", choice->number},
              {name_key, choice->name ? Json(*choice->name) : Json(nullptr)},
              {"line", choice->line}};
}

Json values_json(const std::vector<InputValue>& values) {
  Json out = Json::array();
  for (const InputValue& v : values) {
    out.push_back({{"symbol", v.symbol},
                   {"unit", v.unit},
                   {"meaning", v.meaning},
                   {"value", v.integer ? Json(v.whole) : number(v.real)},
                   {"text", v.text},
                   {"line", v.line}});
  }
  return out;
}

Json tables_json(const std::vector<ResultTable>& tables) {
  Json out = Json::array();
  for (const ResultTable& table : tables) {
    Json columns(table.columns);
    if (table.mark_column) columns.push_back("mark");
    Json rows = Json::array();
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
      Json row = Json::array();
      for (std::size_t c = 0; c < table.columns.size(); ++c) {
        const bool count =
            c < table.count_columns && c < table.rows[r].size() && std::isfinite(table.rows[r][c]);
        row.push_back(c >= table.rows[r].size() ? Json(nullptr)
                      : count                   ? Json(static_cast<long>(table.rows[r][c]))
                                                : number(table.rows[r][c]));
      }
      if (table.mark_column) {
        const auto mark = table.marks.find(r);
        row.push_back(mark == table.marks.end() ? Json(nullptr) : Json(mark->second));
      }
      rows.push_back(std::move(row));
    }
    out.push_back({{"name", table.name},
                   {"title", table.title},
                   {"columns", std::move(columns)},
                   {"rows", std::move(rows)}});
  }
  return out;
}

Json results_json(const std::vector<ResultValue>& results) {
  Json out = Json::array();
  for (const ResultValue& v : results) {
    out.push_back({{"name", v.name},
                   {"unit", v.unit},
                   {"value", v.whole ? Json(static_cast<long>(v.value)) : number(v.value)}});
  }
  return out;
}

}  // namespace

std::string run_json_text(const RunRecord& record) {
  Json warnings = Json::array();
  for (const Warning& w : record.warnings)
    warnings.push_back({{"where", w.where}, {"what", w.what}});
  const Json json{{"program", record.program},
                  {"version", record.version},
                  {"task_file", record.task_file},
                  {"series", choice_json(record.series, "name")},
                  {"case", choice_json(record.choice, "title")},
                  {"values", values_json(record.values)},
                  {"keyboard", record.keyboard},
                  {"keyboard_not_kept", record.keyboard_not_kept},
                  {"tables", tables_json(record.outcome.tables())},
                  {"results", results_json(record.outcome.results())},
                  {"warnings", std::move(warnings)},
                  {"ending", std::string(ending_text(record.ending))},
                  {"reason", text_or_null(record.reason)},
                  {"exit_status", record.status}};
  return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace tidewerk
