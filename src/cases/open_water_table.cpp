// Case 5: the open-water table of a given propeller (P/D, Z, EAR) over the advance
// coefficient, up to the first negative thrust coefficient.
#include "cases/cases.h"
#include "cases/figures.h"
#include "cases/open_water_layouts.h"
#include "cases/performance.h"
#include "driver/data_entry_check.h"
#include "numeric/precision.h"
#include "report/standard_blocks.h"
#include "series/evaluator.h"

namespace tidewerk {
namespace {


// The advance-coefficient grid: 0.05 to about 1.475 in steps of 0.025, 58 points.
constexpr float kFirstJ = 0.05f;
constexpr float kLastJ = 1.5f;
constexpr float kStepJ = 0.025f;

}  // namespace

void open_water_table(RunContext& ctx, Console& io) {
  check_data_entry(ctx, io);

  if (io.ask_yes_no("(/A)", {" ITTC VISKOZ DUZELTMESI ISTER MISIN E/H <H>"})) {
    ctx.IVISC = 1;
    io.screen.write("(/A)", {" HESAPLANACAK PERVANE CAPINI (m) ve DEVRINI (RPM) GIRIN"});
    io.read_numbers({real_target("D (m)", ctx.D), real_target("N (RPM)", ctx.N)});
  }
  const float pd = ctx.PD;

  write_open_water_head(io, "(//5X,'Pervane Karakteristikleri ')");

  ResultTable* table = nullptr;
  if (RunFigures* figures = io.figures()) {
    table = &figures->table("Open-water characteristics", kOpenWaterColumns);
  }

  const int points = static_cast<int>((double{kLastJ} - double{kFirstJ} + double{kStepJ}) / double{kStepJ});
  ctx.J = kFirstJ;
  for (int i = 1; i <= points; ++i) {
    evaluate_series(ctx, pd, ctx.EAR, ctx.Z);
    if (ctx.Kt < 0.0f) break;  // the table ends at the first negative thrust coefficient
    ctx.delta = advance_coefficient_delta(ctx.J);
    ctx.Bp = power_coefficient_bp(ctx.Kq, ctx.J);
    io.both(kOpenWaterRow, {i, ctx.J, ctx.Kt, ten_kq(ctx.Kq), ctx.eta0, ctx.Bp, ctx.delta});
    if (table) table->rows.push_back({ctx.J, ctx.Kt, ten_kq(ctx.Kq), ctx.eta0, ctx.Bp, ctx.delta});
    ctx.J = single(double{ctx.J} + double{kStepJ});  // the next point from J as the evaluator left it
  }
  io.both_text(kOpenWaterRule);

  write_series_used(io, ctx.series);
  io.both("(1X,'Z = ',I2,' EAR = ',F5.3,' P/D = ',F5.3)", {whole_number(ctx.Z), ctx.EAR, ctx.PD});
  write_viscous_statement(io, ctx.IVISC, ctx.series);
  if (table) {
    io.figures()->diagram() = open_water_diagram(*table, propeller_title(ctx.series, ctx.Z, ctx.EAR, ctx.PD));
  }
}

}  // namespace tidewerk
