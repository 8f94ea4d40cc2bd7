// The ten calculation cases.  Each reads the problem record, writes its results on the screen
// and report channels itself (and its tables and diagram into `figures` when that is given),
// reports what looks doubtful to `warnings`, and either returns how it ended or ends the run
// itself (RunStopped).
#pragma once

#include <string>

#include "driver/problem.h"
#include "report/channels.h"
#include "report/run_figures.h"
#include "report/warnings.h"

namespace tidewerk {

// How a case ended when it returns to the main program.
struct CaseResult {
  std::string no_result;  // empty: the case produced its result; otherwise why it did not

  static CaseResult produced() { return {}; }
  static CaseResult none(std::string why) { return {std::move(why)}; }
};

using CaseProcedure = CaseResult (*)(const Problem& p, Console& io, RunFigures* figures,
                                     Warnings& warnings);

// The procedure of one of a family of twin cases: the family's algorithm bound to the record of
// what that case does differently.
template <class Record,
          CaseResult (*Run)(const Record&, const Problem&, Console&, RunFigures*, Warnings&),
          const Record& record>
CaseResult twin_case(const Problem& p, Console& io, RunFigures* figures, Warnings& warnings) {
  return Run(record, p, io, figures, warnings);
}

extern const CaseProcedure match_kt_over_j2;  // case 1: Kt/J^2, revolutions follow
extern const CaseProcedure match_kt_over_j4;  // case 2: Kt/J^4, diameter follows
extern const CaseProcedure match_kq_over_j5;  // case 3: Kq/J^5, diameter follows
CaseResult bollard_pull(const Problem& p, Console& io, RunFigures* figures,
                        Warnings& warnings);  // case 4
CaseResult open_water_table(const Problem& p, Console& io, RunFigures* figures,
                            Warnings& warnings);  // case 5
CaseResult operating_point(const Problem& p, Console& io, RunFigures* figures,
                           Warnings& warnings);  // case 6
CaseResult bp_delta(const Problem& p, Console& io, RunFigures* figures,
                    Warnings& warnings);       // case 7
extern const CaseProcedure design_for_thrust;  // case 8: pitch for a required thrust
extern const CaseProcedure design_for_power;   // case 9: pitch for a required power
extern const CaseProcedure design_for_torque;  // case 10: pitch for a required torque

// "case 8", where a case's warnings arise.
inline std::string case_where(const Problem& p) {
  return "case " + std::to_string(p.case_number);
}

}  // namespace tidewerk
