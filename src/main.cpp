// Tidewerk: preliminary design of marine screw propellers from the Wageningen B, Gawn and KCA
// series.  Reads Tidewerk_28-03-2020.Tsk and writes Tidewerk.Son in the working directory.
#include <fstream>
#include <iostream>
#include <memory>

#include "driver/main_program.h"
#include "driver/options.h"
#include "driver/outputs.h"
#include "driver/task_file.h"
#include "report/run_end.h"
#include "report/run_figures.h"

int main(int argc, char** argv) {
  using namespace tidewerk;
  const Options options = parse_options(std::vector<std::string>(argv + 1, argv + argc));
  if (!options.error.empty()) {
    std::cerr << "tidewerk: " << options.error << "\n" << usage_line() << "\n";
    return kExitUsage;
  }
  if (options.help) {
    std::cout << help_text();
    return kExitStopped;
  }
  if (options.version) {
    std::cout << version_text() << "\n";
    return kExitStopped;
  }

  const OutputPlan plan{".", "Tidewerk", options.svg, options.csv, options.json};
  try {
    remove_stale_outputs(plan);
  } catch (const std::exception& e) {
    std::cerr << "Tidewerk: " << e.what() << "\n";
    return kExitInputError;
  }
  std::ofstream report(kReportFileName, std::ios::out | std::ios::trunc);
  if (!report) {
    std::cerr << "Tidewerk: cannot create the report file " << kReportFileName
              << " in the working directory\n";
    return kExitInputError;
  }
  RunFigures figures;
  RunRecord record;
  const bool collect = plan.svg || plan.csv || plan.json;
  RunSetup setup;
  setup.quiet = options.quiet;
  int status = run_tidewerk(
      std::cout, report, std::cin, std::cerr,
      [] {
        auto task = std::make_unique<std::ifstream>(kTaskFileName);
        return task->is_open() ? std::unique_ptr<std::istream>(std::move(task)) : nullptr;
      },
      collect ? &figures : nullptr, setup, &record);
  report.close();

  try {
    write_outputs(plan, figures, record);
  } catch (const std::exception& e) {
    std::cerr << "Tidewerk: " << e.what() << "\n";
    if (status == kExitStopped) status = kExitInputError;
  }
  return status;
}
