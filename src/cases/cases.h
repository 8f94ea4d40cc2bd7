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

using CaseProcedure = CaseResult (*)(const Problem& p, Console& io, RunFigures* figures, Warnings& warnings);

CaseResult match_kt_over_j2(const Problem& p, Console& io, RunFigures* figures, Warnings& warnings);   // case 1
CaseResult match_kt_over_j4(const Problem& p, Console& io, RunFigures* figures, Warnings& warnings);   // case 2
CaseResult match_kq_over_j5(const Problem& p, Console& io, RunFigures* figures, Warnings& warnings);   // case 3
CaseResult bollard_pull(const Problem& p, Console& io, RunFigures* figures, Warnings& warnings);       // case 4
CaseResult open_water_table(const Problem& p, Console& io, RunFigures* figures, Warnings& warnings);   // case 5
CaseResult operating_point(const Problem& p, Console& io, RunFigures* figures, Warnings& warnings);    // case 6
CaseResult bp_delta(const Problem& p, Console& io, RunFigures* figures, Warnings& warnings);           // case 7
CaseResult design_for_thrust(const Problem& p, Console& io, RunFigures* figures, Warnings& warnings);  // case 8
CaseResult design_for_power(const Problem& p, Console& io, RunFigures* figures, Warnings& warnings);   // case 9
CaseResult design_for_torque(const Problem& p, Console& io, RunFigures* figures, Warnings& warnings);  // case 10

// "case 8", where a case's warnings arise.
inline std::string case_where(const Problem& p) { return "case " + std::to_string(p.case_number); }

// A warning when `value` lies outside [low, high], the range the series' polynomials cover.
void warn_outside_fitted(Warnings& warnings, const Problem& p, const char* what, float value, float low,
                         float high);

}  // namespace tidewerk
