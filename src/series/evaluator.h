// The series evaluator: Kt, Kq and eta0 of the series selected for the run at the run
// context's J, for a pitch ratio, blade-area ratio and blade number.
#pragma once

#include "driver/run_context.h"

namespace tidewerk {

// Evaluates series ctx.series (1 Wageningen B, 2 Gawn, 3 KCA) at ctx.J and writes ctx.Kt,
// ctx.Kq, ctx.eta0.  Raises a J of magnitude below 0.001 to 0.001 in ctx.J.  The Gawn and KCA
// rules may rewrite `z` (normally ctx.Z).  Any other series number leaves the results as they
// were.  Allocates nothing.
void evaluate_series(RunContext& ctx, float pd, float ear, float& z);

}  // namespace tidewerk
