#include "support/test_support.h"

#include <fstream>
#include <sstream>

namespace tidewerk::testing {

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace tidewerk::testing
