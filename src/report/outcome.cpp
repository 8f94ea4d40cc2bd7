#include "report/outcome.h"

#include <algorithm>

namespace tidewerk {

ResultTable& Outcome::table(std::string name, std::string title, std::vector<std::string> columns,
                            bool mark_column) {
  add({std::move(name), std::move(title), std::move(columns), {}, mark_column, {}});
  return tables_.back();
}

void Outcome::add(ResultTable table) {
  const auto taken = [this](const std::string& candidate) {
    return std::any_of(tables_.begin(), tables_.end(),
                       [&](const ResultTable& t) { return t.name == candidate; });
  };
  const std::string name = table.name;
  for (int k = 2; taken(table.name); ++k) table.name = name + "-" + std::to_string(k);
  tables_.push_back(std::move(table));
}

void Outcome::add(const std::vector<ResultValue>& values) {
  results_.insert(results_.end(), values.begin(), values.end());
}

void Outcome::result(std::string name, float value, std::string unit) {
  results_.push_back({std::move(name), std::move(unit), value, false});
}

void Outcome::result(std::string name, int value) {
  results_.push_back({std::move(name), "", static_cast<float>(value), true});
}

}  // namespace tidewerk
