// Command-line options.  Without options the run is exactly the classic one.
#pragma once

#include <string>
#include <vector>

namespace tidewerk {

struct Options {
  bool help = false;     // --help: usage and exit
  bool version = false;  // --version: name and version and exit
  bool svg = false;      // --svg: also write Tidewerk.svg
  bool csv = false;      // --csv: also write Tidewerk.csv
  bool json = false;     // --json: also write Tidewerk.json
  bool quiet = false;    // --quiet: no warnings on standard error
  std::string error;     // the first unknown argument's message; empty when all were understood
};

Options parse_options(const std::vector<std::string>& arguments);

// The one-line usage and the whole help text.
std::string usage_line();
std::string help_text();
// "Tidewerk <version>" plus the source revision when it was known at build time.
std::string version_text();

}  // namespace tidewerk
