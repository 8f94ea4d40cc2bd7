#include "driver/main_program.h"

#include <array>
#include <cmath>
#include <optional>

#include "cases/cases.h"
#include "driver/case_table.h"
#include "driver/data_entry_check.h"
#include "driver/task_file.h"
#include "numeric/precision.h"
#include "report/run_end.h"
#include "report/standard_blocks.h"
#include "report/warnings.h"

namespace tidewerk {
namespace {

// The numbers that follow the value read from a line, up to the first word (a comment may
// follow the value): more numbers are the sign of a missing or an extra free line above it.
int numbers_in(std::string_view text) {
  int count = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == ',')) ++i;
    const std::size_t start = i;
    while (i < text.size() && text[i] != ' ' && text[i] != '\t' && text[i] != ',') ++i;
    float ignored = 0;
    if (i == start || !parse_real_token(text.substr(start, i - start), ignored)) break;
    ++count;
  }
  return count;
}

std::string where(const TaskFile& task, int line) {
  return task.source() + ", line " + std::to_string(line);
}

// Line 16 or line 80: one number in its range.
void check_number_line(const TaskFile& task, const ReadRecord& record, const char* what, int value,
                       int low, int high, Warnings& warnings) {
  const ReadRecord::Value& v = record.values.front();
  const std::string& text = record.lines.empty() ? v.token : record.lines.back().text;
  if (numbers_in(record.rest) > 0) {
    warnings.add(where(task, v.line), std::string("the ") + what + " line holds \"" + text +
                                          "\", more than one number; " + what + " " +
                                          std::to_string(value) +
                                          " is used (is a free line missing or extra above it?)");
  } else if (value < low || value > high) {
    warnings.add(where(task, v.line), std::string("the ") + what + " line holds " +
                                          std::to_string(value) + ", not " + std::to_string(low) +
                                          " to " + std::to_string(high) +
                                          " (is a free line missing or extra above it?)");
  }
}

// The values of the case that look like slips: blade number, correction flag, density, and
// zero or negative dimensions and speeds.
void check_case_values(const TaskFile& task, const CaseEntry& entry, const ReadRecord& record,
                       const Problem& p, Warnings& warnings) {
  const std::optional<Series> series = series_from_number(p.series_number);
  for (std::size_t k = 0; k < entry.count; ++k) {
    const CaseField& field = entry.fields[k];
    const ReadRecord::Value& v = record.values[k];
    const std::string symbol = field.symbol;
    const std::string at = where(task, v.line);
    if (field.integer == &Problem::IVISC && p.IVISC != 0 && p.IVISC != 1) {
      warnings.add(at, "IVISC = " + std::to_string(p.IVISC) +
                           " is read as \"correction on\" (0 is off, 1 is on)");
    }
    if (field.real == &Problem::Z) {
      if (p.Z != std::trunc(p.Z)) {
        warnings.add(at, "Z = " + v.token + " is not a whole number of blades; the report prints " +
                             std::to_string(whole_number(p.Z)) + " where it shows Z");
      }
      if (series) {
        const SeriesFacts& facts = series_facts(*series);
        const float used = blade_number_used(*series, p.Z);
        if (used != p.Z) {
          warnings.add(at, "Z = " + v.token + " is used as " + fixed(used, 0) + " by the " +
                               std::string(facts.name) + " series");
        } else if (p.Z < static_cast<float>(facts.Zmin) || p.Z > static_cast<float>(facts.Zmax)) {
          warnings.add(at, "Z = " + v.token + " lies outside the blade numbers " +
                               std::to_string(facts.Zmin) + " to " + std::to_string(facts.Zmax) +
                               " of the " + std::string(facts.name) + " series");
        }
      }
    }
    if (field.real == &Problem::Hs && p.Hs < 0.0f) {
      warnings.add(at, "Hs = " + v.token +
                           " m is negative: the shaft would lie above the free surface, and the "
                           "cavitation checks take the pressure there as given");
    }
    if (field.real == &Problem::RHO && p.RHO > 0.0f && (p.RHO < 950.0f || p.RHO > 1100.0f)) {
      warnings.add(at, "RHO = " + v.token +
                           " kg/m3 lies outside 950 to 1100 kg/m3 (sea water is about 1025)");
    }
    const bool dimension = field.real == &Problem::D || field.real == &Problem::N ||
                           field.real == &Problem::RHO || field.real == &Problem::D1 ||
                           field.real == &Problem::D2 || field.real == &Problem::D3;
    if (dimension && !(p.*field.real > 0.0f)) {
      warnings.add(at, symbol + " = " + v.token + " is zero or negative");
    }
  }
}

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

}  // namespace

bool read_case_values(Problem& problem, TaskFile& task, ReadRecord* record) {
  const CaseEntry* entry = find_case(problem.case_number);
  if (entry == nullptr) return false;
  std::array<ReadTarget, kMaxCaseFields> targets{};
  for (std::size_t k = 0; k < entry->count; ++k) {
    const CaseField& field = entry->fields[k];
    targets[k] = field.real != nullptr ? real_target(field.label, problem.*field.real)
                                       : integer_target(field.label, problem.*field.integer);
  }
  ReadRecord read = task.read(targets.data(), entry->count);
  if (entry->power_or_torque)
    problem.PQ = single(double{problem.PQin} * 1000.0);  // kW -> W, kNm -> Nm
  if (record) *record = std::move(read);
  return true;
}

bool read_task(Problem& problem, TaskFile& task, Warnings& warnings, TaskRead& read) {
  task.skip_lines(15, "the 15 explanatory lines before the series");
  read.series_line = task.read({integer_target("series (line 16)", problem.series_number)});
  // The one place where the task file's number becomes a series.
  const std::optional<Series> series = series_from_number(problem.series_number);
  if (series) problem.series = *series;
  check_number_line(task, read.series_line, "series", problem.series_number, 1, 3, warnings);
  task.skip_lines(63, "the 63 explanatory lines before the case number");
  read.case_line = task.read({integer_target("case (line 80)", problem.case_number)});
  check_number_line(task, read.case_line, "case", problem.case_number, 1, 10, warnings);
  if (!read_case_values(problem, task, &read.values)) return false;
  warn_decimal_commas(warnings, task.source(), read.values);
  check_case_values(task, *find_case(problem.case_number), read.values, problem, warnings);
  return true;
}

void main_program(Problem& problem, Console& io, const TaskFileOpener& open_task_file,
                  RunFigures* figures, Warnings& warnings, TaskRead* read,
                  const std::string& task_name) {
  TaskRead local;
  TaskRead& r = read ? *read : local;
  // The report is open; the banner is written before the task file is opened.
  write_banner(io);

  std::unique_ptr<std::istream> stream = open_task_file();
  if (!stream) {
    throw InputError("task file " + task_name + ": cannot be opened" +
                     (task_name == kTaskFileName ? " in the working directory" : ""));
  }
  r.opened = true;
  TaskFile task(*stream, task_name);
  std::string no_result;
  if (read_task(problem, task, warnings, r)) {
    // Without a known series nothing can be evaluated: the data-entry message ends the run.
    if (!series_from_number(problem.series_number)) check_data_entry(problem, io);
    no_result = find_case(problem.case_number)->procedure(problem, io, figures, warnings).no_result;
    check_arithmetic();
  } else {
    // Any other case number reads nothing more and runs no case.
    no_result = case_outside_reason(r.case_line.values.front().line, problem.case_number);
  }

  // Closing of the run.
  io.console.blank();
  io.console.blank();
  io.pause("BITIRMEK ICIN ENTER TUSUNA BASINIZ");
  io.stop(no_result);
}

int run_tidewerk(std::ostream& screen, std::ostream& report, std::istream& keyboard,
                 std::ostream& errors, const TaskFileOpener& open_task_file, RunFigures* figures,
                 const RunSetup& setup, RunRecord* record) {
  clear_arithmetic_flags();
  RunRecord local;
  RunRecord& out = record ? *record : local;
  out = RunRecord{};
  out.task_file = setup.task_name;
  Warnings warnings(setup.quiet ? nullptr : &errors);
  Console io(screen, report, keyboard, &warnings);
  io.set_language(setup.language);
  int status = kExitStopped;
  std::string message;
  try {
    main_program(out.problem, io, open_task_file, figures, warnings, &out.read, setup.task_name);
  } catch (const RunStopped& stop) {
    if (stop.no_result.empty()) {
      status = kExitStopped;
      out.ending = "result";
    } else {
      status = kExitNoResult;
      out.ending = "no result";
      message = "Tidewerk: no result: " + stop.no_result;
      out.reason = stop.no_result;
    }
  } catch (const InputError& e) {
    status = kExitInputError;
    out.ending = "input error";
    out.reason = e.what();
    message = std::string("Tidewerk: input error: ") + e.what();
  } catch (const ArithmeticError& e) {
    status = kExitArithmetic;
    out.ending = "arithmetic error";
    const std::string causes =
        with_typed_values(zero_or_negative_values(out.problem, out.read.values), io.typed_reals());
    out.reason =
        std::string(e.what()) + " in case " + std::to_string(out.problem.case_number) + causes;
    message = "Tidewerk: arithmetic error (" + std::string(e.what()) + ") in case " +
              std::to_string(out.problem.case_number) + causes +
              "; the run was ended before the next line of the report.";
  } catch (const LayoutError& e) {
    status = kExitInternal;
    out.ending = "internal error";
    out.reason = e.what();
    message = std::string("Tidewerk: internal error: ") + e.what();
  } catch (const std::exception& e) {  // a working table overflowed, memory ran out ...
    status = kExitInternal;
    out.ending = "internal error";
    out.reason = e.what();
    message = std::string("Tidewerk: internal error: ") + e.what();
  }
  screen.flush();
  if (!message.empty()) errors << message << '\n';
  report.flush();
  out.warnings = warnings.all();
  out.keyboard = io.keyboard_lines();
  out.status = status;
  return status;
}

}  // namespace tidewerk
