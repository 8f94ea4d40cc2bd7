#include "driver/program.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <fstream>
#include <memory>
#include <system_error>

#include "driver/main_program.h"
#include "driver/task_check.h"
#include "driver/task_file.h"
#include "driver/task_template.h"
#include "report/run_end.h"
#include "report/run_figures.h"

namespace fs = std::filesystem;

namespace tidewerk {
namespace {

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// `longer` is `shorter` with one extension added (".Tsk", ".txt").
bool one_extension_more(const std::string& longer, const std::string& shorter) {
  if (longer.size() <= shorter.size() + 1 || longer.compare(0, shorter.size(), shorter) != 0)
    return false;
  const std::string extension = longer.substr(shorter.size());
  return extension[0] == '.' && extension.find('.', 1) == std::string::npos;
}

// A file the program writes (a report, a diagram, a table, a record), never a task file.
bool is_output_file(const std::string& name) {
  const std::string extension = lower(fs::path(name).extension().string());
  for (const char* output : {".son", ".svg", ".csv", ".json", ".part"}) {
    if (extension == output) return true;
  }
  return false;
}

struct TaskLocation {
  fs::path path;     // as given, or the classic name
  std::string name;  // for messages: as the user gave it
  bool classic;      // not named on the command line
};

TaskLocation task_location(const Options& options) {
  if (options.task_file.empty()) return {kTaskFileName, kTaskFileName, true};
  return {options.task_file, options.task_file, false};
}

// The task file opened for reading; null when it cannot be opened or is a folder.
std::unique_ptr<std::ifstream> open_task(const fs::path& path) {
  auto stream = std::make_unique<std::ifstream>(path);
  std::error_code ec;
  if (!stream->is_open() || fs::is_directory(path, ec)) return nullptr;
  return stream;
}

// The partial report of a run, removed when a signal (Ctrl-C at a question, a closed pipe)
// ends the program before the report takes its name.
char partial_report[PATH_MAX] = {};

extern "C" void remove_partial_report(int signal_number) {
  if (partial_report[0] != '\0') ::unlink(partial_report);
  ::signal(signal_number, SIG_DFL);
  ::raise(signal_number);
}

class PartialReportGuard {
 public:
  explicit PartialReportGuard(const fs::path& path) {
    const std::string text = path.string();
    if (text.size() >= sizeof partial_report) return;
    std::memcpy(partial_report, text.c_str(), text.size() + 1);
    for (int k = 0; k < kSignals; ++k) previous_[k] = ::signal(kSignal[k], remove_partial_report);
    installed_ = true;
  }
  ~PartialReportGuard() {
    if (!installed_) return;
    for (int k = 0; k < kSignals; ++k) {
      if (previous_[k] != SIG_ERR) ::signal(kSignal[k], previous_[k]);
    }
    partial_report[0] = '\0';
  }
  PartialReportGuard(const PartialReportGuard&) = delete;
  PartialReportGuard& operator=(const PartialReportGuard&) = delete;

 private:
  static constexpr int kSignals = 4;
  static constexpr int kSignal[kSignals] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};
  sighandler_t previous_[kSignals] = {};
  bool installed_ = false;
};

int write_template(const Options& options, std::ostream& screen) {
  if (options.template_listing) {
    screen << case_listing();
    return kExitStopped;
  }
  const Series series = series_from_number(options.series.value_or(1)).value();
  screen << task_template(*options.template_case, series);
  return kExitStopped;
}

int check(const Options& options, std::ostream& screen, std::ostream& errors) {
  const TaskLocation task = task_location(options);
  const std::unique_ptr<std::ifstream> in = open_task(task.path);
  if (!in) {
    errors << "Tidewerk: input error: " << unopenable_task_file(task.path, task.classic) << "\n";
    return kExitInputError;
  }
  return check_task(*in, task.name, fs::absolute(task.path).lexically_normal().string(), screen,
                    errors);
}

int run(const Options& options, std::istream& keyboard, std::ostream& screen,
        std::ostream& errors) {
  const TaskLocation task = task_location(options);
  const OutputPlan plan = output_plan(options);
  std::error_code ec;
  if (!plan.dir.empty() && !fs::is_directory(plan.dir, ec)) {
    fs::create_directories(plan.dir, ec);
    if (ec) {
      errors << "Tidewerk: cannot create the output folder " << plan.dir.string() << ": "
             << ec.message() << "\n";
      return kExitInputError;
    }
  }
  if (fs::equivalent(task.path, plan.report(), ec)) {
    errors << "Tidewerk: the report " << plan.report().string() << " would replace the task file "
           << task.name << "; give the task file another extension\n";
    return kExitInputError;
  }
  remove_stale_outputs(plan);

  // The report is written under a temporary name and takes its own name when the run ends, so
  // the folder never shows a half-written report.
  const fs::path report_path = plan.report();
  const fs::path partial =
      plan.dir / ("." + plan.stem + ".Son." + std::to_string(::getpid()) + ".part");
  std::ofstream report(partial, std::ios::out | std::ios::trunc);
  if (!report) {
    errors << "Tidewerk: cannot create the report file " << report_path.string()
           << (plan.dir.empty() ? " in the working directory" : "") << "\n";
    return kExitInputError;
  }

  const PartialReportGuard guard(partial);

  bool unopenable = false;
  const TaskFileOpener open_task_file = [&task, &unopenable]() -> std::unique_ptr<std::istream> {
    if (auto stream = open_task(task.path)) return stream;
    unopenable = true;
    throw InputError(unopenable_task_file(task.path, task.classic));
  };
  RunSetup setup;
  setup.quiet = options.quiet;
  setup.language = language_from_code(options.language).value_or(Language::Turkish);
  setup.task_name = task.name;
  RunFigures figures;
  RunRecord record;
  const bool collect = plan.svg || plan.csv || plan.json;
  int status = run_tidewerk(screen, report, keyboard, errors, open_task_file,
                            collect ? &figures : nullptr, setup, &record);
  report.close();

  // A task file named on the command line that cannot be opened leaves no report: the name may
  // be a slip.  The classic run keeps its banner-only report.
  if (unopenable && !task.classic) {
    fs::remove(partial, ec);
  } else {
    fs::rename(partial, report_path, ec);
    if (ec) {
      errors << "Tidewerk: cannot write the report file " << report_path.string() << ": "
             << ec.message() << "\n";
      fs::remove(partial, ec);
      if (status == kExitStopped) status = kExitInputError;
    }
  }
  // A run that produced its result without a diagram (the blade-area-only entry) says that
  // --svg wrote nothing, on the error stream and in its JSON.
  if (plan.svg && status == kExitStopped && figures.diagram().empty()) {
    Warnings svg_warning(options.quiet ? nullptr : &errors);
    svg_warning.add("--svg", "case " + std::to_string(record.problem.case_number) +
                                 " drew no diagram in this run; no " + plan.stem +
                                 ".svg is written");
    record.warnings.push_back(svg_warning.all().front());
  }
  write_outputs(plan, figures, record);
  return status;
}

}  // namespace

OutputPlan output_plan(const Options& options) {
  OutputPlan plan;
  plan.svg = options.svg;
  plan.csv = options.csv;
  plan.json = options.json;
  if (options.task_file.empty()) {
    plan.stem = "Tidewerk";
  } else {
    const fs::path task(options.task_file);
    plan.stem = task.stem().string();
    plan.dir = task.parent_path();
  }
  if (!options.output_dir.empty()) plan.dir = options.output_dir;
  return plan;
}

std::vector<fs::path> near_matches(const fs::path& given) {
  std::vector<fs::path> found;
  const fs::path folder = given.parent_path();
  const std::string name = given.filename().string();
  const std::string wanted = lower(name);
  std::error_code ec;
  for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end;
       !ec && it != end; it.increment(ec)) {
    std::error_code ignored;
    if (!it->is_regular_file(ignored)) continue;
    const std::string candidate = it->path().filename().string();
    if (candidate == name || is_output_file(candidate)) continue;
    const std::string other = lower(candidate);
    if (other == wanted || one_extension_more(other, wanted) || one_extension_more(wanted, other))
      found.push_back(folder / candidate);
  }
  std::sort(found.begin(), found.end());
  return found;
}

std::string unopenable_task_file(const fs::path& given, bool classic) {
  std::error_code ec;
  const fs::path absolute = fs::absolute(given, ec).lexically_normal();
  std::string why;
  if (fs::is_directory(given, ec)) {
    why = "a folder, not a file";
  } else if (fs::exists(given, ec)) {
    why = "not readable";
  } else {
    const fs::path folder = absolute.parent_path();
    why = fs::is_directory(folder, ec) ? "no such file" : "no folder " + folder.string();
  }
  std::string message = "task file " + given.string() + ": cannot be opened" +
                        (classic ? " in the working directory" : "") + " (" + absolute.string() +
                        ": " + why + ")";
  const std::vector<fs::path> near = near_matches(given);
  for (std::size_t k = 0; k < near.size(); ++k) {
    message += (k == 0                 ? "; did you mean "
                : k + 1 == near.size() ? " or "
                                       : ", ") +
               near[k].string();
  }
  if (!near.empty()) message += "?";
  return message;
}

int run_program(const std::vector<std::string>& arguments, std::istream& keyboard,
                std::ostream& screen, std::ostream& errors) {
  const Options options = parse_options(arguments);
  if (!options.error.empty()) {
    errors << "tidewerk: " << options.error << "\n" << usage_line() << "\n";
    return kExitUsage;
  }
  if (options.help) {
    screen << help_text();
    return kExitStopped;
  }
  if (options.version) {
    screen << version_text() << "\n";
    return kExitStopped;
  }
  if (options.template_case || options.template_listing) return write_template(options, screen);
  if (options.check) return check(options, screen, errors);
  return run(options, keyboard, screen, errors);
}

}  // namespace tidewerk
