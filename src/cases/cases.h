// The ten calculation cases.  Each reads the problem record, writes its results on the screen
// and report channels itself, reports what looks doubtful to `warnings`, and returns its
// outcome (or ends the run itself by throwing RunStopped, InputError or ArithmeticError).
#pragma once

#include <string>

#include "cases/problem.h"
#include "report/channels.h"
#include "report/outcome.h"
#include "report/warnings.h"

namespace tidewerk {

// What a case gives back to the main program: its tables, the named values of its result block
// with their units and its diagram, and why it has no result when it has none.
struct CaseOutcome : Outcome {
  std::string no_result;  // empty: the case produced its result; otherwise why it did not
  // The case wrote its own closing (the stop block of the design cases): the run stops without
  // the closing pause.
  bool closed = false;

  // This outcome, ended without a result for the reason `why`.
  CaseOutcome without_result(std::string why) && {
    no_result = std::move(why);
    return std::move(*this);
  }
};

using CaseProcedure = CaseOutcome (*)(const Problem& p, Console& io, Warnings& warnings);

// The procedure of one of a family of twin cases: the family's algorithm bound to the record of
// what that case does differently.
template <class Record, CaseOutcome (*Run)(const Record&, const Problem&, Console&, Warnings&),
          const Record& record>
CaseOutcome twin_case(const Problem& p, Console& io, Warnings& warnings) {
  return Run(record, p, io, warnings);
}

extern const CaseProcedure match_kt_over_j2;  // case 1: Kt/J^2, revolutions follow
extern const CaseProcedure match_kt_over_j4;  // case 2: Kt/J^4, diameter follows
extern const CaseProcedure match_kq_over_j5;  // case 3: Kq/J^5, diameter follows
CaseOutcome bollard_pull(const Problem& p, Console& io, Warnings& warnings);      // case 4
CaseOutcome open_water_table(const Problem& p, Console& io, Warnings& warnings);  // case 5
CaseOutcome operating_point(const Problem& p, Console& io, Warnings& warnings);   // case 6
CaseOutcome bp_delta(const Problem& p, Console& io, Warnings& warnings);          // case 7
extern const CaseProcedure design_for_thrust;  // case 8: pitch for a required thrust
extern const CaseProcedure design_for_power;   // case 9: pitch for a required power
extern const CaseProcedure design_for_torque;  // case 10: pitch for a required torque

// "case 8", where a case's warnings arise.
inline std::string case_where(const Problem& p) {
  return "case " + std::to_string(p.case_number);
}

}  // namespace tidewerk
