#include "driver/outputs.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "driver/case_table.h"
#include "driver/options.h"

namespace tidewerk {
namespace {

namespace fs = std::filesystem;
// The keys in the order written; numbers held as the run's single-precision values, which the
// library writes with the fewest digits that read back to the same float.
using Json = nlohmann::basic_json<nlohmann::ordered_map, std::vector, std::string, bool,
                                  std::int64_t, std::uint64_t, float>;

// The part of a table's file name between the stem and ".csv": letters, digits and hyphens.
bool table_word(std::string_view word) {
  return !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
  });
}

// "<stem>.<table>.csv"; not the table of a longer stem ("<stem>.b.<table>.csv").
bool table_file_of(const std::string& file, const std::string& stem) {
  const std::string head = stem + ".", tail = ".csv";
  if (file.size() <= head.size() + tail.size() || file.compare(0, head.size(), head) != 0 ||
      file.compare(file.size() - tail.size(), tail.size(), tail) != 0) {
    return false;
  }
  return table_word(
      std::string_view(file).substr(head.size(), file.size() - head.size() - tail.size()));
}

void remove_file(const fs::path& path) {
  std::error_code error;
  fs::remove(path, error);
  if (error) throw std::runtime_error("cannot remove " + path.string() + ": " + error.message());
}

// A number of the run; null when it is not finite.
Json number(float value) {
  return std::isfinite(value) ? Json(value) : Json(nullptr);
}

Json text_or_null(const std::string& text) {
  return text.empty() ? Json(nullptr) : Json(text);
}

// "Tidewerk 0.1.0 (revision abc1234)" -> "0.1.0 (revision abc1234)".
std::string version_only() {
  const std::string text = version_text();
  const std::string name = "Tidewerk ";
  return text.compare(0, name.size(), name) == 0 ? text.substr(name.size()) : text;
}

Json line_of(const ReadRecord& read) {
  return read.values.empty() ? Json(nullptr) : Json(read.values.front().line);
}

Json series_json(const RunRecord& record) {
  if (record.read.series_line.values.empty()) return nullptr;
  const int number = record.problem.series_number;
  const std::optional<Series> series = series_from_number(number);
  return Json{{"number", number},
              {"name", series ? Json(std::string(series_facts(*series).name)) : Json(nullptr)},
              {"line", line_of(record.read.series_line)}};
}

Json case_json(const RunRecord& record) {
  if (record.read.case_line.values.empty()) return nullptr;
  const CaseEntry* entry = find_case(record.problem.case_number);
  return Json{{"number", record.problem.case_number},
              {"title", entry ? Json(entry->title) : Json(nullptr)},
              {"line", line_of(record.read.case_line)}};
}

Json values_json(const RunRecord& record) {
  Json values = Json::array();
  const CaseEntry* entry = find_case(record.problem.case_number);
  if (entry == nullptr) return values;
  const std::vector<ReadRecord::Value>& read = record.read.values.values;
  for (std::size_t k = 0; k < entry->count && k < read.size(); ++k) {
    const CaseField& field = entry->fields[k];
    values.push_back({{"symbol", field.symbol},
                      {"unit", field.unit},
                      {"meaning", field.meaning},
                      {"value", field.real != nullptr ? number(record.problem.*field.real)
                                                      : Json(record.problem.*field.integer)},
                      {"text", read[k].token},
                      {"line", read[k].line}});
  }
  return values;
}

Json tables_json(const RunFigures& figures) {
  Json tables = Json::array();
  for (const ResultTable& table : figures.tables()) {
    Json columns(table.columns);
    if (table.mark_column) columns.push_back("mark");
    Json rows = Json::array();
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
      Json row = Json::array();
      for (std::size_t c = 0; c < table.columns.size(); ++c) {
        const bool count = c < table.count_columns;
        row.push_back(c >= table.rows[r].size() ? Json(nullptr)
                      : count && std::isfinite(table.rows[r][c])
                          ? Json(static_cast<long>(table.rows[r][c]))
                          : number(table.rows[r][c]));
      }
      if (table.mark_column) {
        const auto mark = table.marks.find(r);
        row.push_back(mark == table.marks.end() ? Json(nullptr) : Json(mark->second));
      }
      rows.push_back(std::move(row));
    }
    tables.push_back({{"name", table.name},
                      {"title", table.title},
                      {"columns", std::move(columns)},
                      {"rows", std::move(rows)}});
  }
  return tables;
}

Json results_json(const RunFigures& figures) {
  Json results = Json::array();
  for (const ResultValue& v : figures.results()) {
    results.push_back({{"name", v.name},
                       {"unit", v.unit},
                       {"value", v.whole ? Json(static_cast<long>(v.value)) : number(v.value)}});
  }
  return results;
}

Json run_json(const RunFigures& figures, const RunRecord& record) {
  Json warnings = Json::array();
  for (const Warning& w : record.warnings)
    warnings.push_back({{"where", w.where}, {"what", w.what}});
  return Json{{"program", "Tidewerk"},
              {"version", version_only()},
              {"task_file", record.task_file},
              {"series", series_json(record)},
              {"case", case_json(record)},
              {"values", values_json(record)},
              {"keyboard", record.keyboard.lines},
              {"keyboard_not_kept", record.keyboard.not_kept},
              {"tables", tables_json(figures)},
              {"results", results_json(figures)},
              {"warnings", std::move(warnings)},
              {"ending", record.ending},
              {"reason", text_or_null(record.reason)},
              {"exit_status", record.status}};
}

}  // namespace

std::string run_json_text(const RunFigures& figures, const RunRecord& record) {
  return run_json(figures, record).dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

namespace {

// Writes each file under a temporary name in its folder and renames them all once every one is
// complete.  A file that cannot be written leaves none of them.
void write_whole(const std::vector<std::pair<fs::path, std::string>>& files) {
  std::vector<fs::path> parts;
  std::size_t renamed = 0;
  const auto undo = [&] {
    std::error_code ignored;
    for (std::size_t k = 0; k < parts.size(); ++k) {
      fs::remove(k < renamed ? files[k].first : parts[k], ignored);
    }
  };
  for (const auto& [path, text] : files) {
    parts.push_back(path.parent_path() / ("." + path.filename().string() + ".part"));
    std::ofstream out(parts.back(), std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
      undo();
      throw std::runtime_error("cannot write " + path.string());
    }
  }
  for (; renamed < files.size(); ++renamed) {
    std::error_code error;
    fs::rename(parts[renamed], files[renamed].first, error);
    if (error) {
      undo();
      throw std::runtime_error("cannot write " + files[renamed].first.string() + ": " +
                               error.message());
    }
  }
}

}  // namespace

void remove_stale_outputs(const OutputPlan& plan) {
  if (plan.svg) remove_file(plan.dir / (plan.stem + ".svg"));
  if (plan.json) remove_file(plan.dir / (plan.stem + ".json"));
  if (plan.csv) {
    std::error_code error;
    const fs::path folder = plan.dir.empty() ? fs::path(".") : plan.dir;
    std::vector<fs::path> stale;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
      if (table_file_of(it->path().filename().string(), plan.stem)) stale.push_back(it->path());
    }
    if (error) {
      throw std::runtime_error("cannot list the folder " + folder.string() + ": " +
                               error.message());
    }
    for (const fs::path& path : stale) remove_file(path);
  }
}

void write_outputs(const OutputPlan& plan, const RunFigures& figures, const RunRecord& record) {
  std::vector<std::pair<fs::path, std::string>> files;
  if (plan.svg && !figures.diagram().empty()) {
    files.emplace_back(plan.dir / (plan.stem + ".svg"), diagram_to_svg(figures.diagram()));
  }
  if (plan.csv) {
    for (const ResultTable& table : figures.tables()) {
      files.emplace_back(plan.dir / (plan.stem + "." + table.name + ".csv"), table_to_csv(table));
    }
  }
  // A run that could not open its task file has nothing of its own to record.
  if (plan.json && record.read.opened) {
    files.emplace_back(plan.dir / (plan.stem + ".json"), run_json_text(figures, record));
  }
  write_whole(files);
}

}  // namespace tidewerk
