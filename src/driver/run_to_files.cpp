#include "driver/run_to_files.h"

#include <signal.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <system_error>

#include "driver/output_files.h"
#include "driver/run_flow.h"
#include "report/run_end.h"

namespace fs = std::filesystem;

namespace tidewerk {
namespace {

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

// The report under its temporary name until the run ends.
class PartialReport {
 public:
  explicit PartialReport(const OutputPlan& plan)
      : path_(plan.dir / ("." + plan.stem + ".Son." + std::to_string(::getpid()) + ".part")),
        stream_(path_, std::ios::out | std::ios::trunc) {
    if (!stream_) {
      throw OutputError("cannot create the report file " + plan.report().string() +
                        (plan.dir.empty() ? " in the working directory" : ""));
    }
  }
  // Removes the file unless it took its name.
  ~PartialReport() {
    std::error_code ignored;
    if (!named_) fs::remove(path_, ignored);
  }
  PartialReport(const PartialReport&) = delete;
  PartialReport& operator=(const PartialReport&) = delete;

  std::ostream& stream() { return stream_; }
  const fs::path& path() const { return path_; }

  // Closes the report and gives it its name; throws OutputError when a write, the final flush,
  // the close or the renaming failed.
  void keep_as(const fs::path& report) {
    stream_.flush();
    stream_.close();
    if (!stream_) throw OutputError("cannot write the report file " + report.string());
    std::error_code ec;
    fs::rename(path_, report, ec);
    if (ec) {
      throw OutputError("cannot write the report file " + report.string() + ": " + ec.message());
    }
    named_ = true;
  }

 private:
  fs::path path_;
  std::ofstream stream_;
  bool named_ = false;
};

}  // namespace

TaskLocation task_location(const Options& options) {
  if (options.task_file.empty()) return {kTaskFileName, kTaskFileName, true};
  return {options.task_file, options.task_file, false};
}

std::unique_ptr<std::ifstream> open_task(const fs::path& path) {
  auto stream = std::make_unique<std::ifstream>(path);
  std::error_code ec;
  if (!stream->is_open() || fs::is_directory(path, ec)) return nullptr;
  return stream;
}

int run_to_files(const Options& options, std::istream& keyboard, std::ostream& screen,
                 std::ostream& errors) {
  const TaskLocation task = task_location(options);
  const OutputPlan plan = output_plan(options);
  int status = kExitResult;
  try {
    make_output_folder(plan);
    guard_task_file(plan, task.path, task.name);
    remove_stale_outputs(plan);

    // The report is written under a temporary name and takes its own name when the run ends,
    // so the folder never shows a half-written report.
    PartialReport report(plan);
    const PartialReportGuard guard(report.path());

    bool unopenable = false;
    const TaskFileOpener open_task_file = [&task, &unopenable]() -> std::unique_ptr<std::istream> {
      if (auto stream = open_task(task.path)) return stream;
      unopenable = true;
      throw InputError(unopenable_task_file(task.path, task.classic));
    };
    RunSetup setup;
    setup.quiet = options.quiet;
    setup.task_name = task.name;
    setup.language = language_from_code(options.language).value_or(Language::Turkish);
    RunRecord record =
        run_tidewerk({screen, report.stream(), keyboard, errors}, open_task_file, setup);
    status = record.status;

    // A task file named on the command line that cannot be opened leaves no report: the name
    // may be a slip.  The classic run keeps its banner-only report.
    if (!(unopenable && !task.classic)) report.keep_as(plan.report());
    // A run that produced its result without a diagram (the blade-area-only entry) says that
    // --svg wrote nothing, on the error stream and in its JSON.
    if (plan.kinds.svg && status == kExitResult && record.outcome.diagram().empty()) {
      Warnings svg_warning(options.quiet ? nullptr : &errors);
      svg_warning.add("--svg", "case " + std::to_string(record.choice ? record.choice->number : 0) +
                                   " drew no diagram in this run; no " + plan.stem +
                                   ".svg is written");
      record.warnings.push_back(svg_warning.all().front());
    }
    write_outputs(plan, record);
  } catch (const OutputError& e) {
    errors << "Tidewerk: " << e.what() << "\n";
    return status == kExitResult ? kExitInputError : status;
  }
  return status;
}

}  // namespace tidewerk
