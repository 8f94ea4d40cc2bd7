#include "driver/program.h"

#include <memory>

#include "driver/output_files.h"
#include "driver/run_to_files.h"
#include "driver/study_command.h"
#include "driver/task_check.h"
#include "driver/task_template.h"
#include "report/run_end.h"

namespace fs = std::filesystem;

namespace tidewerk {
namespace {

int write_template(const Options& options, std::ostream& screen) {
  if (options.template_listing) {
    screen << case_listing();
    return kExitResult;
  }
  screen << task_template(*options.template_case, options.series.value_or(Series::WageningenB));
  return kExitResult;
}

int check(const Options& options, std::ostream& screen, std::ostream& errors) {
  const TaskLocation task = task_location(options);
  const std::unique_ptr<std::ifstream> in = open_task(task.path);
  if (!in) {
    errors << "Tidewerk: input error: " << unopenable_task_file(task.path, task.classic) << "\n";
    return kExitInputError;
  }
  return check_task(*in, task.name, fs::absolute(task.path).lexically_normal().string(), screen,
                    errors);
}

}  // namespace

int run_program(const std::vector<std::string>& arguments, std::istream& keyboard,
                std::ostream& screen, std::ostream& errors) {
  if (!arguments.empty() && arguments.front() == "study") {
    return run_study_command({arguments.begin() + 1, arguments.end()}, screen, errors);
  }
  const Options options = parse_options(arguments);
  if (!options.error.empty()) {
    errors << "tidewerk: " << options.error << "\n" << usage_line() << "\n";
    return kExitUsage;
  }
  if (options.help) {
    screen << help_text();
    return kExitResult;
  }
  if (options.version) {
    screen << version_text() << "\n";
    return kExitResult;
  }
  if (options.template_case || options.template_listing) return write_template(options, screen);
  if (options.check) return check(options, screen, errors);
  return run_to_files(options, keyboard, screen, errors);
}

}  // namespace tidewerk
