// The three ways a run ends early.  Each is thrown where it arises and caught once in the
// driver, which writes the message and returns the exit status.
#pragma once

#include <stdexcept>
#include <string>

namespace tidewerk {

// The program's own stop: "Stop - Program terminated.".  Exit status 0 when the case produced
// its result; otherwise `no_result` says why not, and the exit status is 5.
struct RunStopped {
  std::string no_result;
};

// Input that cannot be read: a missing or short task file, a non-number where a number
// belongs, end of keyboard input at a number prompt.
class InputError : public std::runtime_error {
 public:
  explicit InputError(const std::string& what) : std::runtime_error(what) {}
};

// An output file (the report included) that cannot be created, written or removed.
class OutputError : public std::runtime_error {
 public:
  explicit OutputError(const std::string& what) : std::runtime_error(what) {}
};

// Division by zero, an invalid operation or an overflow in the arithmetic.
class ArithmeticError : public std::runtime_error {
 public:
  explicit ArithmeticError(const std::string& what) : std::runtime_error(what) {}
};

// A layout text that the record-notation renderer cannot interpret (a programming fault).
class LayoutError : public std::runtime_error {
 public:
  explicit LayoutError(const std::string& what) : std::runtime_error(what) {}
};

// Exit statuses of the program.
constexpr int kExitResult = 0;      // the result (also --help, --version, --template, --check)
constexpr int kExitInputError = 1;  // bad input, or an output that cannot be written
constexpr int kExitUsage = 2;       // unknown command-line option
constexpr int kExitArithmetic = 3;  // arithmetic fault
constexpr int kExitInternal = 4;    // internal fault (a bad layout text)
constexpr int kExitNoResult = 5;    // the run ended without the case's result

}  // namespace tidewerk
