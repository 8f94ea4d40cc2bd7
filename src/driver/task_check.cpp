#include "driver/task_check.h"

#include <optional>

#include "cases/data_entry_check.h"
#include "driver/case_table.h"
#include "driver/task_reading.h"
#include "report/run_end.h"

namespace tidewerk {
namespace {

std::string padded(std::string text, std::size_t width) {
  if (text.size() < width) text.resize(width, ' ');
  return text;
}

std::string line_of(const ReadRecord& record) {
  return "line " + std::to_string(record.values.front().line);
}

void show(const TaskRead& read, std::ostream& out) {
  if (read.series_line.values.empty()) return;
  const Problem& problem = read.problem;
  const std::optional<Series>& series = read.series;
  out << "Series     " << padded(std::to_string(read.series_number), 5)
      << (series ? std::string(series_facts(*series).name) + " series"
                 : std::string("not a series (1 Wageningen B, 2 Gawn, 3 KCA)"))
      << ", " << line_of(read.series_line) << "\n";
  if (read.case_line.values.empty()) return;
  const CaseEntry* entry = find_case(problem.case_number);
  out << "Case       " << padded(std::to_string(problem.case_number), 5)
      << (entry ? std::string(entry->title)
                : std::string("not a case (1 to 10): nothing more is read"))
      << ", " << line_of(read.case_line) << "\n";
  if (entry == nullptr || read.values.values.size() < entry->count) return;
  out << "Values\n";
  for (std::size_t k = 0; k < entry->count; ++k) {
    const CaseField& field = entry->fields[k];
    const ReadRecord::Value& value = read.values.values[k];
    out << "  " << padded(field.symbol, 6) << "= " << padded(value.token, 10)
        << padded(field.unit, 7) << padded(field.meaning, 36) << "line " << value.line << "\n";
  }
}

}  // namespace

int check_task(std::istream& in, const std::string& name, const std::string& path,
               std::ostream& out, std::ostream& errors) {
  out << "Task file  " << name;
  if (path != name) out << " (" << path << ")";
  out << "\n";
  Warnings warnings;  // kept for the list below, not written as they arise
  TaskFile task(in, name);
  TaskReader reader(task, warnings);
  std::string fault;
  std::optional<std::string> refusal;
  try {
    reader.read();
    const TaskRead& read = reader.progress();
    refusal = refusal_before_computing(read.series, read.series_number, read.problem,
                                       read.case_line.values.front().line);
  } catch (const InputError& e) {
    fault = e.what();
  }
  show(reader.progress(), out);
  if (warnings.all().empty()) {
    out << "Warnings   none\n";
  } else {
    out << "Warnings\n";
    for (const Warning& warning : warnings.all()) {
      out << "  " << warning.where << ": " << warning.what << "\n";
    }
  }
  if (refusal) {
    out << "Run        ends without a result before computing\n";
    errors << "Tidewerk: no result: " << *refusal << "\n";
    return kExitNoResult;
  }
  if (fault.empty()) return kExitResult;
  errors << "Tidewerk: input error: " << fault << "\n";
  return kExitInputError;
}

}  // namespace tidewerk
