// Command-line options: tidewerk [OPTIONS] [TASK_FILE].  Without options and without a task
// file the run is exactly the classic one.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tidewerk/series.h"

namespace tidewerk {

struct Options {
  bool help = false;                 // -h, --help: usage and exit
  bool version = false;              // --version: name and version and exit
  bool svg = false;                  // --svg: also write the diagram <stem>.svg
  bool csv = false;                  // --csv: also write the tables <stem>.csv
  bool json = false;                 // --json: also write the run's record <stem>.json
  bool quiet = false;                // -q, --quiet: no warnings on standard error
  bool check = false;                // --check: show what the task file holds; no run
  std::string language = "tr";       // --lang tr|en: the language of the screen and report
  std::string output_dir;            // -o, --output-dir: the outputs' folder; empty: beside
                                     // the task file
  std::string task_file;             // TASK_FILE as given; empty: Tidewerk_28-03-2020.Tsk
  std::optional<int> template_case;  // --template CASE: an annotated task file of CASE
  bool template_listing = false;     // --template alone: the list of the cases
  std::optional<Series> series;      // --series S: the template's series (1 when not given)
  std::string error;  // why the command line was refused; empty when it was understood
};

Options parse_options(const std::vector<std::string>& arguments);

// The usage lines and the whole help text.
std::string usage_line();
std::string help_text();
// "Tidewerk <version>" plus the source revision when it was known at build time.
std::string version_text();

}  // namespace tidewerk
