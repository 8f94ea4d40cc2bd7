// tidewerk study: the propulsion study of a ship from its study file.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tidewerk {

// `arguments` are those after "study".  Returns the exit status: 0 result (also --template,
// --check, --help), 1 input error or an output that cannot be written, 2 bad option, 4
// internal error, 5 no feasible propeller.
int run_study_command(const std::vector<std::string>& arguments, std::ostream& screen,
                      std::ostream& errors);

// The usage lines of the subcommand.
std::string study_usage();

}  // namespace tidewerk
