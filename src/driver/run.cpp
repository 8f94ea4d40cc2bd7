// The public interface of whole runs (tidewerk/run.h) over the run flow.
#include "tidewerk/run.h"

#include <sstream>

#include "driver/case_table.h"
#include "driver/run_flow.h"
#include "driver/task_template.h"
#include "outputs/json.h"
#include "outputs/record.h"
#include "tidewerk/series.h"

namespace tidewerk {

RunOutput run_task(const RunInput& input) {
  std::ostringstream screen, report, errors;
  std::istringstream keyboard(input.keyboard);
  RunSetup setup;
  setup.quiet = input.quiet;
  setup.task_name = input.task_name;
  setup.language = language_from_code(input.language).value_or(Language::Turkish);
  auto record = std::make_shared<RunRecord>(run_tidewerk(
      {screen, report, keyboard, errors},
      [&input]() -> std::unique_ptr<std::istream> {
        return std::make_unique<std::istringstream>(input.task);
      },
      setup));
  return {screen.str(), report.str(), errors.str(), std::move(record)};
}

std::string record_json_text(const RunRecord& record) {
  return record.task_opened ? run_json_text(record) : std::string();
}

bool is_case_number(int number) {
  return find_case(number) != nullptr;
}

std::string task_template_text(int case_number, Series series) {
  return task_template(case_number, series);
}

std::string case_listing_text() {
  return case_listing();
}

}  // namespace tidewerk
