#include "driver/options.h"

#include <CLI/CLI.hpp>
#include <algorithm>

#ifndef TIDEWERK_VERSION
#define TIDEWERK_VERSION "unknown"
#endif
#ifndef TIDEWERK_REVISION
#define TIDEWERK_REVISION ""
#endif

namespace tidewerk {

Options parse_options(const std::vector<std::string>& arguments) {
  Options options;
  // The classic run has no arguments: nothing to parse, so the parser is not built.
  if (arguments.empty()) return options;
  CLI::App app("tidewerk");
  // The help and the version are the program's own texts; arguments the parser does not know
  // are collected and named in the message below.
  app.set_help_flag();
  app.allow_extras();
  // --template and --check first: a refused combination is then named after them.
  std::string template_case;
  CLI::Option* task_template = app.add_option("--template", template_case)
                                   ->type_name("CASE")
                                   ->expected(0, 1)
                                   ->check(CLI::Range(1, 10).description(""));
  int series = 0;
  CLI::Option* series_option =
      app.add_option("--series", series)->type_name("S")->check(CLI::Range(1, 3).description(""));
  CLI::Option* check = app.add_flag("--check", options.check);
  app.add_flag("-h,--help", options.help);
  app.add_flag("--version", options.version);
  CLI::Option* svg = app.add_flag("--svg", options.svg);
  CLI::Option* csv = app.add_flag("--csv", options.csv);
  CLI::Option* json = app.add_flag("--json", options.json);
  app.add_flag("-q,--quiet", options.quiet);
  CLI::Option* language = app.add_option("--lang", options.language)
                              ->type_name("LANG")
                              ->check(CLI::IsMember({"tr", "en"}).description(""));
  CLI::Option* output_dir = app.add_option("-o,--output-dir", options.output_dir)->type_name("DIR");
  CLI::Option* task_file = app.add_option("TASK_FILE", options.task_file);

  // A template is written to standard output and reads no task file; a check writes no file.
  series_option->needs(task_template);
  for (CLI::Option* other : {check, task_file, svg, csv, json, output_dir, language})
    task_template->excludes(other);
  for (CLI::Option* other : {svg, csv, json, output_dir}) check->excludes(other);

  std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::ParseError& e) {
    options.error = e.what();
    return options;
  }
  for (const std::string& argument : app.remaining()) {
    if (argument == "--") continue;  // the end of the options, before a name starting with -
    options.error = (argument.rfind("-", 0) == 0 ? "unknown option '" : "unexpected argument '") +
                    argument + "'";
    return options;
  }
  if (task_template->count() > 0) {
    if (template_case.empty()) {
      options.template_listing = true;
      if (series_option->count() > 0) {
        options.error = "--series needs a case: --template CASE --series S";
        return options;
      }
    } else {
      options.template_case = std::stoi(template_case);
    }
  }
  // The option is checked to 1 to 3 above; the number becomes a series in the one place.
  if (series_option->count() > 0) options.series = series_from_number(series);
  return options;
}

std::string usage_line() {
  return "Usage: tidewerk [--svg] [--csv] [--json] [-o DIR] [-q] [--lang en] [TASK_FILE]\n"
         "       tidewerk --check [TASK_FILE]\n"
         "       tidewerk --template [CASE] [--series S]\n"
         "       tidewerk study [OPTIONS] STUDY_FILE   (tidewerk study --help)\n"
         "       tidewerk --help | --version";
}

std::string help_text() {
  return version_text() +
         "\n"
         "Preliminary design of marine screw propellers from the Wageningen B, Gawn and KCA\n"
         "series, with the optional ITTC78 scale correction.\n"
         "\n" +
         usage_line() +
         "\n"
         "\n"
         "Reads the task file TASK_FILE (the series on line 16, the case number on line 80 and\n"
         "its values from line 81), asks the case's questions at the keyboard, and writes every\n"
         "result to the screen and to the report <stem>.Son beside the task file, where <stem>\n"
         "is the task file's name without its last extension.  Without TASK_FILE it reads\n"
         "Tidewerk_28-03-2020.Tsk and writes Tidewerk.Son in the working directory.  The screen\n"
         "and the report are in Turkish, as the classic program's; --lang en gives them in\n"
         "English, with the same numbers in the same places.\n"
         "\n"
         "Options:\n"
         "  --svg                 also write <stem>.svg, the open-water diagram of the propeller\n"
         "  --csv                 also write <stem>.<table>.csv, one tidy file per table\n"
         "  --json                also write <stem>.json: values read, tables, result, warnings\n"
         "  -o, --output-dir DIR  write the report and the other files into DIR (made if missing)\n"
         "  --template [CASE]     write an annotated task file of CASE (1 to 10); alone: the "
         "cases\n"
         "  --series S            the template's series: 1 Wageningen B (default), 2 Gawn, 3 KCA\n"
         "  --check               show what the task file holds and its warnings; no run, no file\n"
         "  -q, --quiet           no warnings on standard error (slips in the task file, limits)\n"
         "  --lang LANG           the language of the screen and the report: tr, Turkish (the\n"
         "                        default, the classic program's), or en, English; in English\n"
         "                        the E/H questions are Y/N (E also means yes)\n"
         "  -h, --help            show this help and exit\n"
         "  --version             show the name and version and exit\n"
         "\n"
         "Files:\n"
         "  TASK_FILE             the task file; Tidewerk_28-03-2020.Tsk without TASK_FILE\n"
         "  <stem>.Son            the report (Tidewerk.Son without TASK_FILE), replaced at the "
         "end\n"
         "  <stem>.svg            the diagram, with --svg\n"
         "  <stem>.<table>.csv    one table each (open-water, pitch, blade-area, candidates,\n"
         "                        bollard, bp-delta, operating-point, result), with --csv\n"
         "  <stem>.json           the run's record, with --json\n"
         "\n"
         "Exit status:\n"
         "  0  the case produced its result (also --help, --version, --template, --check)\n"
         "  1  input error: missing, short or unreadable task file, or a number that cannot\n"
         "     be read from the task file or the keyboard\n"
         "  2  unknown command-line option or bad option value; nothing is run\n"
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
