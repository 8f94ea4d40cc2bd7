#include "outputs/outputs.h"

#include "outputs/csv.h"
#include "outputs/json.h"
#include "outputs/svg.h"

namespace tidewerk {

std::vector<OutputText> output_texts(const RunRecord& record, const OutputKinds& kinds) {
  std::vector<OutputText> texts;
  if (kinds.svg && !record.outcome.diagram().empty()) {
    texts.push_back({".svg", diagram_to_svg(record.outcome.diagram())});
  }
  if (kinds.csv) {
    for (const ResultTable& table : record.outcome.tables()) {
      texts.push_back({"." + table.name + ".csv", table_to_csv(table)});
    }
  }
  // A run that could not open its input has nothing of its own to record.
  if (kinds.json && record.task_opened) texts.push_back({".json", run_json_text(record)});
  return texts;
}

}  // namespace tidewerk
