#include "outputs/record.h"

namespace tidewerk {
namespace {

struct EndingFacts {
  Ending ending;
  std::string_view text;  // as the JSON record and the Python module give it
  int status;             // the exit status
};

constexpr EndingFacts kEndings[] = {
    {Ending::Result, "result", 0},
    {Ending::NoResult, "no result", 5},
    {Ending::InputError, "input error", 1},
    {Ending::ArithmeticError, "arithmetic error", 3},
    {Ending::InternalError, "internal error", 4},
};

const EndingFacts& facts(Ending ending) {
  for (const EndingFacts& f : kEndings) {
    if (f.ending == ending) return f;
  }
  return kEndings[4];
}

}  // namespace

std::string_view ending_text(Ending ending) {
  return facts(ending).text;
}

int exit_status(Ending ending) {
  return facts(ending).status;
}

}  // namespace tidewerk
