#include "driver/main_program.h"

#include <array>
#include <optional>

#include "cases/cases.h"
#include "driver/data_entry_check.h"
#include "driver/task_file.h"
#include "numeric/precision.h"
#include "report/run_end.h"
#include "report/standard_blocks.h"

namespace tidewerk {
namespace {

// One value of a case's list in the task file: its name and the field it is read into.
struct CaseField {
  const char* name;
  float Problem::*real;
  int Problem::*integer;
};
constexpr CaseField R(const char* name, float Problem::*field) { return {name, field, nullptr}; }
constexpr CaseField I(const char* name, int Problem::*field) { return {name, nullptr, field}; }

constexpr std::size_t kMaxCaseFields = 9;

struct CaseEntry {
  int number;
  CaseProcedure procedure;
  bool power_or_torque;  // the first value is PQin; PQ = PQin * 1000
  std::size_t count;
  std::array<CaseField, kMaxCaseFields> fields;
};

using C = Problem;

// The ten cases: what each reads from the task file, in order, and the procedure it runs.
const std::array<CaseEntry, 10> kCases{{
    {1, match_kt_over_j2, false, 6,
     {R("T (kN)", &C::T), R("D (m)", &C::D), R("Va (m/s)", &C::Va), R("RHO (kg/m3)", &C::RHO),
      R("Z", &C::Z), R("EAR", &C::EAR)}},
    {2, match_kt_over_j4, false, 6,
     {R("T (kN)", &C::T), R("N (RPM)", &C::N), R("Va (m/s)", &C::Va), R("RHO (kg/m3)", &C::RHO),
      R("Z", &C::Z), R("EAR", &C::EAR)}},
    {3, match_kq_over_j5, true, 6,
     {R("PQin (kW)", &C::PQin), R("Va (m/s)", &C::Va), R("N (RPM)", &C::N),
      R("RHO (kg/m3)", &C::RHO), R("Z", &C::Z), R("EAR", &C::EAR)}},
    {4, bollard_pull, true, 8,
     {R("PQin (kW)", &C::PQin), R("N (RPM)", &C::N), R("RHO (kg/m3)", &C::RHO), R("Z", &C::Z),
      R("EAR", &C::EAR), R("D1 (m)", &C::D1), R("D2 (m)", &C::D2), R("D3 (m)", &C::D3)}},
    {5, open_water_table, false, 3, {R("P/D", &C::PD), R("Z", &C::Z), R("EAR", &C::EAR)}},
    {6, operating_point, false, 8,
     {R("P/D", &C::PD), R("Z", &C::Z), R("EAR", &C::EAR), R("RHO (kg/m3)", &C::RHO),
      R("D (m)", &C::D), R("N (RPM)", &C::N), R("Va (m/s)", &C::Va), I("IVISC", &C::IVISC)}},
    {7, bp_delta, false, 9,
     {R("Bp", &C::Bp), R("delta", &C::delta), R("Z", &C::Z), R("EAR", &C::EAR),
      R("RHO (kg/m3)", &C::RHO), R("D (m)", &C::D), R("N (RPM)", &C::N), R("Va (m/s)", &C::Va),
      I("IVISC", &C::IVISC)}},
    {8, design_for_thrust, false, 9,
     {R("T (kN)", &C::T), R("D (m)", &C::D), R("N (RPM)", &C::N), R("Va (m/s)", &C::Va),
      R("RHO (kg/m3)", &C::RHO), R("Z", &C::Z), R("EAR", &C::EAR), I("IVISC", &C::IVISC),
      R("Hs (m)", &C::Hs)}},
    {9, design_for_power, true, 9,
     {R("PQin (kW)", &C::PQin), R("D (m)", &C::D), R("N (RPM)", &C::N), R("Va (m/s)", &C::Va),
      R("RHO (kg/m3)", &C::RHO), R("Z", &C::Z), R("EAR", &C::EAR), I("IVISC", &C::IVISC),
      R("Hs (m)", &C::Hs)}},
    {10, design_for_torque, true, 9,
     {R("PQin (kNm)", &C::PQin), R("D (m)", &C::D), R("N (RPM)", &C::N), R("Va (m/s)", &C::Va),
      R("RHO (kg/m3)", &C::RHO), R("Z", &C::Z), R("EAR", &C::EAR), I("IVISC", &C::IVISC),
      R("Hs (m)", &C::Hs)}},
}};

const CaseEntry* find_case(int number) {
  for (const CaseEntry& entry : kCases) {
    if (entry.number == number) return &entry;
  }
  return nullptr;
}

}  // namespace

bool read_case_values(Problem& ctx, TaskFile& task) {
  const CaseEntry* entry = find_case(ctx.case_number);
  if (entry == nullptr) return false;
  std::array<ReadTarget, kMaxCaseFields> targets{};
  for (std::size_t k = 0; k < entry->count; ++k) {
    const CaseField& field = entry->fields[k];
    targets[k] = field.real != nullptr ? real_target(field.name, ctx.*field.real)
                                       : integer_target(field.name, ctx.*field.integer);
  }
  task.read(targets.data(), entry->count);
  if (entry->power_or_torque) ctx.PQ = single(double{ctx.PQin} * 1000.0);  // kW -> W, kNm -> Nm
  return true;
}

void main_program(Problem& problem, Console& io, const TaskFileOpener& open_task_file,
                  RunFigures* figures) {
  // The report is open; the banner is written before the task file is opened.
  write_banner(io);

  std::unique_ptr<std::istream> stream = open_task_file();
  if (!stream) {
    throw InputError(std::string("task file ") + kTaskFileName +
                     ": cannot be opened in the working directory");
  }
  TaskFile task(*stream);
  task.skip_lines(15, "the 15 explanatory lines before the series");
  task.read({integer_target("series (line 16)", problem.series_number)});
  // The one place where the task file's number becomes a series.
  const std::optional<Series> series = series_from_number(problem.series_number);
  if (series) problem.series = *series;
  task.skip_lines(63, "the 63 explanatory lines before the case number");
  task.read({integer_target("case (line 80)", problem.case_number)});

  // Any other case number reads nothing more and runs no case.
  if (read_case_values(problem, task)) {
    // Without a known series nothing can be evaluated: the data-entry message ends the run.
    if (!series) check_data_entry(series, problem.EAR, io);
    find_case(problem.case_number)->procedure(problem, io, figures);
    check_arithmetic();
  }

  // Closing of the run.
  io.console.blank();
  io.console.blank();
  io.pause("BITIRMEK ICIN ENTER TUSUNA BASINIZ");
  io.stop();
}

int run_tidewerk(std::ostream& screen, std::ostream& report, std::istream& keyboard,
                 std::ostream& errors, const TaskFileOpener& open_task_file,
                 RunFigures* figures) {
  clear_arithmetic_flags();
  Problem problem;
  Console io(screen, report, keyboard);
  int status = kExitStopped;
  try {
    main_program(problem, io, open_task_file, figures);
  } catch (const RunStopped&) {
    status = kExitStopped;
  } catch (const InputError& e) {
    screen.flush();
    errors << "Tidewerk: input error: " << e.what() << '\n';
    status = kExitInputError;
  } catch (const ArithmeticError& e) {
    screen.flush();
    errors << "Tidewerk: arithmetic error (" << e.what() << ") in case " << problem.case_number
           << "; the run was ended before the next line of the report.\n";
    status = kExitArithmetic;
  } catch (const LayoutError& e) {
    screen.flush();
    errors << "Tidewerk: internal error: " << e.what() << '\n';
    status = kExitInternal;
  } catch (const std::exception& e) {  // a working table overflowed, memory ran out ...
    screen.flush();
    errors << "Tidewerk: internal error: " << e.what() << '\n';
    status = kExitInternal;
  }
  screen.flush();
  report.flush();
  return status;
}

}  // namespace tidewerk
