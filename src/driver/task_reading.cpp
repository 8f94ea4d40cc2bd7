#include "driver/task_reading.h"

#include <array>
#include <cmath>
#include <string>
#include <string_view>

#include "driver/case_table.h"
#include "numeric/precision.h"

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
                       const Problem& p, const std::optional<Series>& series, Warnings& warnings) {
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

}  // namespace

ReadRecord read_case_values(Problem& problem, TaskFile& task) {
  const CaseEntry* entry = find_case(problem.case_number);
  if (entry == nullptr) return {};
  std::array<ReadTarget, kMaxCaseFields> targets{};
  for (std::size_t k = 0; k < entry->count; ++k) {
    const CaseField& field = entry->fields[k];
    targets[k] = field.real != nullptr ? real_target(field.label, problem.*field.real)
                                       : integer_target(field.label, problem.*field.integer);
  }
  ReadRecord read = task.read(targets.data(), entry->count);
  if (entry->power_or_torque)
    problem.PQ = single(double{problem.PQin} * 1000.0);  // kW -> W, kNm -> Nm
  return read;
}

bool TaskReader::read() {
  TaskRead& r = read_;
  task_.skip_lines(15, "the 15 explanatory lines before the series");
  int number = 0;
  r.series_line = task_.read({integer_target("series (line 16)", number)});
  r.series_number = number;
  // The one place where the task file's number becomes a series.
  r.series = series_from_number(number);
  if (r.series) r.problem.series = *r.series;
  check_number_line(task_, r.series_line, "series", number, 1, 3, warnings_);
  task_.skip_lines(63, "the 63 explanatory lines before the case number");
  int case_number = 0;
  r.case_line = task_.read({integer_target("case (line 80)", case_number)});
  r.problem.case_number = case_number;
  check_number_line(task_, r.case_line, "case", case_number, 1, 10, warnings_);
  const CaseEntry* entry = find_case(case_number);
  if (entry == nullptr) return false;
  Problem problem = r.problem;
  ReadRecord values = read_case_values(problem, task_);
  r.problem = problem;
  r.values = std::move(values);
  warn_decimal_commas(warnings_, task_.source(), r.values);
  check_case_values(task_, *entry, r.values, r.problem, r.series, warnings_);
  return true;
}

}  // namespace tidewerk
