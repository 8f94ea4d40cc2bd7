// The ten calculation cases.  Each takes its inputs from the run context, writes its results
// on the screen and report channels itself and either returns to the main program or ends
// the run (RunStopped).
#pragma once

#include "driver/run_context.h"
#include "report/channels.h"

namespace tidewerk {

using CaseProcedure = void (*)(RunContext& ctx, Console& io);

void match_kt_over_j2(RunContext& ctx, Console& io);   // case 1: Kt/J^2, revolutions follow
void match_kt_over_j4(RunContext& ctx, Console& io);   // case 2: Kt/J^4, diameter follows
void match_kq_over_j5(RunContext& ctx, Console& io);   // case 3: Kq/J^5, diameter follows
void bollard_pull(RunContext& ctx, Console& io);       // case 4: bollard pull
void open_water_table(RunContext& ctx, Console& io);   // case 5: open-water table
void operating_point(RunContext& ctx, Console& io);    // case 6: operating point
void bp_delta(RunContext& ctx, Console& io);           // case 7: Bp-delta design
void design_for_thrust(RunContext& ctx, Console& io);  // case 8: pitch for a required thrust
void design_for_power(RunContext& ctx, Console& io);   // case 9: pitch for a required power
void design_for_torque(RunContext& ctx, Console& io);  // case 10: pitch for a required torque

}  // namespace tidewerk
