// Shared helpers of the test suite.
#pragma once

#include <string>

namespace tidewerk::testing {

// Reads a whole file; empty string when it cannot be opened.
std::string read_file(const std::string& path);

}  // namespace tidewerk::testing
