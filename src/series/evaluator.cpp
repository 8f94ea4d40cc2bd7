#include "series/evaluator.h"

#include "series/gawn.h"
#include "series/kca.h"
#include "series/wageningen_b.h"

namespace tidewerk {

void evaluate_series(RunContext& ctx, float pd, float ear, float& z) {
  switch (ctx.series) {
    case 1:
      wageningen_b_open_water(ctx, pd, ear, z);
      break;
    case 2:
      gawn_open_water(ctx, pd, ear, z);
      break;
    case 3:
      kca_open_water(ctx, pd, ear, z);
      break;
    default:
      break;  // no series: Kt, Kq and eta0 keep their values
  }
}

}  // namespace tidewerk
