// The ten calculation cases.  Each reads the problem record, writes its results on the screen
// and report channels itself (and its tables and diagram into `figures` when that is given) and
// either returns to the main program or ends the run (RunStopped).
#pragma once

#include "driver/problem.h"
#include "report/channels.h"
#include "report/run_figures.h"

namespace tidewerk {

using CaseProcedure = void (*)(const Problem& p, Console& io, RunFigures* figures);

void match_kt_over_j2(const Problem& p, Console& io, RunFigures* figures);   // case 1: Kt/J^2
void match_kt_over_j4(const Problem& p, Console& io, RunFigures* figures);   // case 2: Kt/J^4
void match_kq_over_j5(const Problem& p, Console& io, RunFigures* figures);   // case 3: Kq/J^5
void bollard_pull(const Problem& p, Console& io, RunFigures* figures);       // case 4
void open_water_table(const Problem& p, Console& io, RunFigures* figures);   // case 5
void operating_point(const Problem& p, Console& io, RunFigures* figures);    // case 6
void bp_delta(const Problem& p, Console& io, RunFigures* figures);           // case 7
void design_for_thrust(const Problem& p, Console& io, RunFigures* figures);  // case 8
void design_for_power(const Problem& p, Console& io, RunFigures* figures);   // case 9
void design_for_torque(const Problem& p, Console& io, RunFigures* figures);  // case 10

}  // namespace tidewerk
