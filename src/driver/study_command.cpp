#include "driver/study_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "driver/options.h"
#include "driver/output_files.h"
#include "outputs/study_record.h"
#include "outputs/svg.h"
#include "report/run_end.h"
#include "study/study.h"
#include "study/study_file.h"

namespace fs = std::filesystem;

namespace tidewerk {
namespace {

struct StudyOptions {
  std::string file;             // STUDY_FILE as given
  bool check = false;           // --check: show what the file holds and its warnings; no study
  bool print_template = false;  // --template: print the annotated study file
  bool csv = false, json = false, svg = false, html = false;
  bool quiet = false;  // no warnings on standard error
  bool help = false;
  std::string output_dir;  // -o: the outputs' folder; empty: beside the study file
  unsigned jobs = 0;       // --jobs: threads for the candidates (0: one per processor)
  std::string error;       // why the command line was refused
};

StudyOptions parse_study_options(const std::vector<std::string>& arguments) {
  StudyOptions options;
  CLI::App app("tidewerk study");
  app.set_help_flag();
  app.add_flag("-h,--help", options.help);
  CLI::Option* check = app.add_flag("--check", options.check);
  CLI::Option* print_template = app.add_flag("--template", options.print_template);
  CLI::Option* csv = app.add_flag("--csv", options.csv);
  CLI::Option* json = app.add_flag("--json", options.json);
  CLI::Option* svg = app.add_flag("--svg", options.svg);
  CLI::Option* html = app.add_flag("--html", options.html);
  app.add_flag("-q,--quiet", options.quiet);
  CLI::Option* dir = app.add_option("-o,--output-dir", options.output_dir)->type_name("DIR");
  CLI::Option* jobs =
      app.add_option("--jobs", options.jobs)->type_name("N")->check(CLI::Range(1u, 1024u));
  CLI::Option* file = app.add_option("STUDY_FILE", options.file);
  for (CLI::Option* other : {check, file, csv, json, svg, html, dir, jobs}) {
    print_template->excludes(other);
  }
  for (CLI::Option* other : {csv, json, svg, html, dir}) check->excludes(other);
  std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::ParseError& e) {
    options.error = e.what();
    return options;
  }
  if (!options.help && !options.print_template && options.file.empty()) {
    options.error = "the study file is missing: tidewerk study STUDY_FILE";
  }
  return options;
}

std::string help() {
  return version_text() + "\n\n" + study_usage() +
         "\n\n"
         "Reads the study file (TOML: the ship, its resistance, the propulsion factors, the\n"
         "propeller's freedoms, the engine and the speeds), finds for each series and blade\n"
         "number the propeller of the best quasi-propulsive efficiency at the design speed,\n"
         "tabulates speed and power of the chosen one in the trial and service conditions and\n"
         "matches the engine.  The report goes to the screen and to <stem>.txt beside the study\n"
         "file.\n"
         "\n"
         "Options:\n"
         "  --csv                 also write <stem>.<table>.csv (resistance, candidates,\n"
         "                        speed-power)\n"
         "  --json                also write <stem>.json, the study's record\n"
         "  --svg                 also write <stem>.speed-power.svg and <stem>.open-water.svg\n"
         "  --html                also write <stem>.html: one page with every table and diagram\n"
         "  -o, --output-dir DIR  write the files into DIR (made if missing)\n"
         "  --jobs N              threads for the candidates (default: one per processor)\n"
         "  --check               show what the study file holds and its warnings; no study\n"
         "  --template            print an annotated study file\n"
         "  -q, --quiet           no warnings on standard error\n"
         "\n"
         "Exit status: 0 result, 1 input error or an output that cannot be written, 2 bad\n"
         "option, 4 internal error, 5 no feasible propeller (the reasons on standard error).\n";
}

std::string version_number() {
  const std::string text = version_text();
  const std::string name = "Tidewerk ";
  return text.compare(0, name.size(), name) == 0 ? text.substr(name.size()) : text;
}

}  // namespace

std::string study_usage() {
  return "Usage: tidewerk study [--csv] [--json] [--svg] [--html] [-o DIR] [--jobs N] [-q] "
         "STUDY_FILE\n"
         "       tidewerk study --check STUDY_FILE\n"
         "       tidewerk study --template";
}

int run_study_command(const std::vector<std::string>& arguments, std::ostream& screen,
                      std::ostream& errors) {
  const StudyOptions options = parse_study_options(arguments);
  if (!options.error.empty()) {
    errors << "tidewerk study: " << options.error << "\n" << study_usage() << "\n";
    return kExitUsage;
  }
  if (options.help) {
    screen << help();
    return kExitResult;
  }
  if (options.print_template) {
    screen << study_template();
    return kExitResult;
  }

  const fs::path path(options.file);
  std::error_code ec;
  std::ifstream in(path, std::ios::binary);
  if (!in || fs::is_directory(path, ec)) {
    const std::string why = fs::is_directory(path, ec) ? "a folder, not a file"
                            : fs::exists(path, ec)     ? "not readable"
                                                       : "no such file";
    errors << "Tidewerk: input error: study file " << options.file << ": cannot be opened ("
           << fs::absolute(path, ec).lexically_normal().string() << ": " << why << ")\n";
    return kExitInputError;
  }
  std::ostringstream content;
  content << in.rdbuf();

  StudyInput input;
  try {
    input = read_study(content.str(), options.file);
  } catch (const InputError& e) {
    errors << "Tidewerk: input error: " << e.what() << "\n";
    return kExitInputError;
  }
  if (options.check) {
    screen << study_check_text(input, input_warnings(input));
    return kExitResult;
  }

  const fs::path dir =
      options.output_dir.empty() ? path.parent_path() : fs::path(options.output_dir);
  const std::string stem = path.stem().string();
  if (fs::equivalent(path, dir / (stem + ".txt"), ec)) {
    errors << "Tidewerk: the report " << (dir / (stem + ".txt")).string()
           << " would replace the study file " << options.file
           << "; give the study file another extension\n";
    return kExitInputError;
  }

  Record record;
  try {
    record = study_record(input, run_study(input, options.jobs), version_number(),
                          options.svg || options.html);
  } catch (const std::invalid_argument& e) {
    // The ship library refuses a hull or speed where a formula of the method is undefined.
    errors << "Tidewerk: input error: " << options.file << ": [ship]: " << e.what() << "\n";
    return kExitInputError;
  } catch (const std::exception& e) {
    errors << "Tidewerk: internal error: " << e.what() << "\n";
    return kExitInternal;
  }
  const std::string text = study_text(record);
  screen << text;
  if (!options.quiet) {
    for (const std::string& w : record.warnings) {
      errors << "Tidewerk: warning: " << options.file << ": " << w << "\n";
    }
  }

  if (!dir.empty() && !fs::is_directory(dir, ec)) {
    fs::create_directories(dir, ec);
    if (ec) {
      errors << "Tidewerk: cannot create the output folder " << dir.string() << ": " << ec.message()
             << "\n";
      return kExitInputError;
    }
  }
  std::vector<std::pair<fs::path, std::string>> files;
  files.emplace_back(dir / (stem + ".txt"), text);
  if (options.csv) {
    for (const RecordTable& table : record.tables) {
      files.emplace_back(dir / (stem + "." + table.name + ".csv"), record_table_csv(table));
    }
  }
  if (options.json) files.emplace_back(dir / (stem + ".json"), record_json(record));
  if (options.svg) {
    for (const auto& [name, diagram] : record.diagrams) {
      files.emplace_back(dir / (stem + "." + name + ".svg"), diagram_to_svg(diagram));
    }
  }
  if (options.html) files.emplace_back(dir / (stem + ".html"), record_html(record));
  // What an earlier study of the same stem left of the requested kinds and this one does not
  // write (the speed-power table and the diagrams of a study that had a result) goes first.
  std::vector<fs::path> stale;
  if (options.csv) {
    for (std::string_view name : kStudyTables) {
      stale.push_back(dir / (stem + "." + std::string(name) + ".csv"));
    }
  }
  if (options.svg) {
    for (std::string_view name : kStudyDiagrams) {
      stale.push_back(dir / (stem + "." + std::string(name) + ".svg"));
    }
  }
  try {
    for (const fs::path& old : stale) {
      const bool written = std::any_of(files.begin(), files.end(),
                                       [&old](const auto& file) { return file.first == old; });
      if (!written && fs::exists(old, ec) && !fs::remove(old, ec)) {
        throw std::runtime_error("cannot remove " + old.string() + ": " + ec.message());
      }
    }
    write_whole(files);
  } catch (const std::exception& e) {
    errors << "Tidewerk: " << e.what() << "\n";
    return kExitInputError;
  }
  if (record.exit_status == kExitNoResult) errors << "Tidewerk: " << record.reason << "\n";
  return record.exit_status;
}

}  // namespace tidewerk
