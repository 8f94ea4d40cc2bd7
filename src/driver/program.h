// The program behind main(): the command line dispatched to a run, a template, a check, the
// help or the version.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace tidewerk {

// `arguments` are the command-line arguments after the program's name.  Returns the exit
// status.
int run_program(const std::vector<std::string>& arguments, std::istream& keyboard,
                std::ostream& screen, std::ostream& errors);

}  // namespace tidewerk
