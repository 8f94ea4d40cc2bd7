#include "driver/run_flow.h"

#include <optional>
#include <utility>

#include "cases/cases.h"
#include "cases/data_entry_check.h"
#include "driver/case_table.h"
#include "driver/options.h"
#include "driver/task_reading.h"
#include "report/channels.h"
#include "report/run_end.h"
#include "report/standard_blocks.h"
#include "report/warnings.h"

namespace tidewerk {
namespace {

// The case's values that are zero or negative, with their lines: the likely cause of an
// arithmetic fault.
std::string zero_or_negative_values(const Problem& p, const ReadRecord& record) {
  const CaseEntry* entry = find_case(p.case_number);
  if (entry == nullptr || record.values.size() < entry->count) return "";
  std::string list;
  for (std::size_t k = 0; k < entry->count; ++k) {
    const CaseField& field = entry->fields[k];
    if (field.real == nullptr || field.real == &Problem::EAR || field.real == &Problem::Hs)
      continue;
    if (p.*field.real > 0.0f) continue;
    list += (list.empty() ? "; " : ", ") + std::string(field.symbol) + " = " +
            record.values[k].token + " (line " + std::to_string(record.values[k].line) + ")";
  }
  return list;
}

// The values typed at the number prompts that are zero or negative, with their lines, added to
// `list` in its form ("; D = 0 (line 81), N = 0 typed at the keyboard (line 2)").
std::string with_typed_values(std::string list, const std::vector<ReadRecord::Value>& typed) {
  for (const ReadRecord::Value& v : typed) {
    float value = 0;
    if (!parse_real_token(v.token, value) || value > 0.0f) continue;
    const std::string symbol = v.name.substr(0, v.name.find(' '));
    list += (list.empty() ? "; " : ", ") + symbol + " = " + v.token +
            " typed at the keyboard (line " + std::to_string(v.line) + ")";
  }
  return list;
}

// "Tidewerk 0.1.0 (revision abc1234)" -> "0.1.0 (revision abc1234)".
std::string version_only() {
  const std::string text = version_text();
  const std::string name = "Tidewerk ";
  return text.compare(0, name.size(), name) == 0 ? text.substr(name.size()) : text;
}

// The state of one run, each part kept as far as the run got.
class Run {
 public:
  Run(Console& io, Warnings& warnings, const TaskFileOpener& open_task_file,
      const std::string& task_name)
      : io_(io), warnings_(warnings), open_task_file_(open_task_file), task_name_(task_name) {}

  // The banner, the task file, the case and the closing.  Returns at the program's own stop,
  // with the reason when the case produced no result (empty when it did); a stop inside a case
  // throws RunStopped, and the faults InputError, ArithmeticError or LayoutError.  The usual
  // end is a return: the first exception of a run costs the unwinder its set-up.
  std::string main_program();

  // The record of the run ended so, with the keyboard lines and warnings so far.
  RunRecord record(Ending ending, std::string reason) const;

  // The reason of an arithmetic fault: where it arose and the values that likely caused it.
  std::string arithmetic_reason(const std::string& what) const {
    return what + " in case " + std::to_string(read_.problem.case_number) +
           with_typed_values(zero_or_negative_values(read_.problem, read_.values),
                             io_.typed_reals());
  }

 private:
  Console& io_;
  Warnings& warnings_;
  const TaskFileOpener& open_task_file_;
  const std::string& task_name_;
  bool opened_ = false;  // the task file was found and opened
  TaskRead read_;        // what was read of the task file
  Outcome outcome_;      // the case's tables, result values and diagram
};

std::string Run::main_program() {
  // The report is open; the banner is written before the task file is opened.
  write_banner(io_);

  std::unique_ptr<std::istream> stream = open_task_file_();
  if (!stream) {
    throw InputError("task file " + task_name_ + ": cannot be opened" +
                     (task_name_ == kTaskFileName ? " in the working directory" : ""));
  }
  opened_ = true;
  TaskFile task(*stream, task_name_);
  TaskReader reader(task, warnings_);
  std::string no_result;
  bool known_case = false;
  try {
    known_case = reader.read();
  } catch (...) {
    read_ = reader.progress();
    throw;
  }
  read_ = reader.progress();
  if (known_case) {
    // Without a known series nothing can be evaluated: the data-entry message ends the run.
    if (!read_.series) stop_for_unknown_series(read_.series_number, io_);
    CaseOutcome outcome =
        find_case(read_.problem.case_number)->procedure(read_.problem, io_, warnings_);
    no_result = std::move(outcome.no_result);
    const bool closed = outcome.closed;
    outcome_ = std::move(outcome);
    check_arithmetic();
    if (closed) {
      io_.announce_stop();
      return no_result;
    }
  } else {
    // Any other case number reads nothing more and runs no case.
    no_result = case_outside_reason(read_.case_line.values.front().line, read_.problem.case_number);
  }

  // Closing of the run.
  io_.console.blank();
  io_.console.blank();
  io_.pause("BITIRMEK ICIN ENTER TUSUNA BASINIZ");
  io_.announce_stop();
  return no_result;
}

RunRecord Run::record(Ending ending, std::string reason) const {
  RunRecord r;
  r.version = version_only();
  r.task_file = task_name_;
  r.task_opened = opened_;
  if (!read_.series_line.values.empty()) {
    std::optional<std::string> name;
    if (read_.series) name = std::string(series_facts(*read_.series).name);
    r.series = NumberedChoice{read_.series_number, name, read_.series_line.values.front().line};
  }
  const CaseEntry* entry = find_case(read_.problem.case_number);
  if (!read_.case_line.values.empty()) {
    std::optional<std::string> title;
    if (entry) title = std::string(entry->title);
    r.choice =
        NumberedChoice{read_.problem.case_number, title, read_.case_line.values.front().line};
  }
  if (entry != nullptr) {
    const std::vector<ReadRecord::Value>& values = read_.values.values;
    for (std::size_t k = 0; k < entry->count && k < values.size(); ++k) {
      const CaseField& field = entry->fields[k];
      InputValue v;
      v.symbol = field.symbol;
      v.unit = field.unit;
      v.meaning = field.meaning;
      v.integer = field.real == nullptr;
      if (field.real != nullptr) {
        v.real = read_.problem.*field.real;
      } else {
        v.whole = read_.problem.*field.integer;
      }
      v.text = values[k].token;
      v.line = values[k].line;
      r.values.push_back(std::move(v));
    }
  }
  r.keyboard = io_.keyboard_lines().lines;
  r.keyboard_not_kept = io_.keyboard_lines().not_kept;
  r.outcome = outcome_;
  r.warnings = warnings_.all();
  r.ending = ending;
  r.reason = std::move(reason);
  r.status = exit_status(ending);
  return r;
}

}  // namespace

RunRecord run_tidewerk(const RunStreams& streams, const TaskFileOpener& open_task_file,
                       const RunSetup& setup) {
  clear_arithmetic_flags();
  Warnings warnings(setup.quiet ? nullptr : &streams.errors);
  Console io(streams.screen, streams.report, streams.keyboard, &warnings);
  io.set_language(setup.language);
  Run run(io, warnings, open_task_file, setup.task_name);
  Ending ending = Ending::Result;
  std::string reason, message;
  std::string no_result;
  try {
    no_result = run.main_program();
  } catch (const RunStopped& stop) {
    no_result = stop.no_result;
  } catch (const InputError& e) {
    ending = Ending::InputError;
    reason = e.what();
    message = std::string("Tidewerk: input error: ") + e.what();
  } catch (const ArithmeticError& e) {
    ending = Ending::ArithmeticError;
    reason = run.arithmetic_reason(e.what());
    message = "Tidewerk: arithmetic error (" + std::string(e.what()) + ")" +
              reason.substr(std::string(e.what()).size()) +
              "; the run was ended before the next line of the report.";
  } catch (const std::exception& e) {  // a bad layout, a working table overflowed, no memory
    ending = Ending::InternalError;
    reason = e.what();
    message = std::string("Tidewerk: internal error: ") + e.what();
  }
  if (!no_result.empty()) {
    ending = Ending::NoResult;
    reason = no_result;
    message = "Tidewerk: no result: " + no_result;
  }
  streams.screen.flush();
  if (!message.empty()) streams.errors << message << '\n';
  streams.report.flush();
  return run.record(ending, std::move(reason));
}

}  // namespace tidewerk
