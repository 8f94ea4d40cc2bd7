#include "driver/options.h"

#ifndef TIDEWERK_VERSION
#define TIDEWERK_VERSION "unknown"
#endif
#ifndef TIDEWERK_REVISION
#define TIDEWERK_REVISION ""
#endif

namespace tidewerk {

Options parse_options(const std::vector<std::string>& arguments) {
  Options options;
  for (const std::string& argument : arguments) {
    if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--version") {
      options.version = true;
    } else if (argument == "--svg") {
      options.svg = true;
    } else if (argument == "--csv") {
      options.csv = true;
    } else if (argument == "--json") {
      options.json = true;
    } else if (argument == "--quiet" || argument == "-q") {
      options.quiet = true;
    } else if (options.error.empty()) {
      options.error = (argument.rfind("-", 0) == 0 ? "unknown option " : "unexpected argument ") +
                      std::string("'") + argument + "'";
    }
  }
  return options;
}

std::string usage_line() {
  return "Usage: tidewerk [--svg] [--csv] [--quiet] | --help | --version";
}

std::string help_text() {
  return version_text() +
         " - preliminary design of marine screw propellers from the Wageningen B,\n"
         "Gawn and KCA series, with the optional ITTC78 scale correction.\n"
         "\n" +
         usage_line() +
         "\n"
         "\n"
         "Reads the task file Tidewerk_28-03-2020.Tsk in the working directory (the series on\n"
         "line 16, the case number on line 80 and its values from line 81), asks the case's\n"
         "questions at the keyboard, and writes every result to the screen and to the report\n"
         "file Tidewerk.Son in the working directory.\n"
         "\n"
         "Options:\n"
         "  --svg      also write Tidewerk.svg, the open-water diagram of the run's propeller\n"
         "  --csv      also write Tidewerk.csv, the run's main tables at full precision\n"
         "  --quiet    no warnings on standard error (slips in the task file, results at a limit)\n"
         "  --help     show this help and exit\n"
         "  --version  show the name and version and exit\n"
         "\n"
         "Exit status:\n"
         "  0  the case produced its result\n"
         "  1  input error: missing, short or unreadable task file, or a number that cannot\n"
         "     be read from the task file or the keyboard\n"
         "  2  unknown command-line option\n"
         "  3  arithmetic error: division by zero, invalid operation or overflow\n"
         "  4  internal error\n"
         "  5  the run ended without the case's result (the reason is on standard error)\n";
}

std::string version_text() {
  std::string text = std::string("Tidewerk ") + TIDEWERK_VERSION;
  const std::string revision = TIDEWERK_REVISION;
  if (!revision.empty()) text += " (revision " + revision + ")";
  return text;
}

}  // namespace tidewerk
