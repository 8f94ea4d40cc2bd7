// Case 7: the propeller from given Bp and delta.  delta fixes J; a table of the series over
// P/D 0.5 to 1.4 at that J gives Bp against P/D, and the P/D at the given Bp is interpolated.
#include <array>
#include <cmath>

#include "cases/cases.h"
#include "cases/figures.h"
#include "cases/numeric_messages.h"
#include "cases/open_water_layouts.h"
#include "cases/performance.h"
#include "driver/data_entry_check.h"
#include "numeric/interpolation.h"
#include "numeric/precision.h"
#include "report/standard_blocks.h"
#include "series/evaluator.h"

namespace tidewerk {
namespace {


// The pitch-ratio sweep: 0.5 in steps of 0.05, at most 20 points, ended above 1.4.
constexpr float kFirstPd = 0.5f;
constexpr float kLastPd = 1.5f;
constexpr float kStepPd = 0.05f;
constexpr float kHighestPd = 1.4f;
constexpr std::size_t kCapacity = 100;
// The parabola needs three rows.
constexpr int kFewestRows = 3;

// The rows with Kt >= 0, numbered 1 .. ISON.
struct Table {
  std::array<float, kCapacity> pd{};
  std::array<float, kCapacity> Kt{};
  std::array<float, kCapacity> Kq{};
  std::array<float, kCapacity> eta0{};
  std::array<float, kCapacity> Bp{};
  std::array<float, kCapacity> delta{};
  int ISON = 0;
};

}  // namespace

void bp_delta(RunContext& ctx, Console& io) {
  // The blade-area ratio is not range-checked in this case.  Without a series (0, 4, ...)
  // however nothing can be evaluated, and the table would show coefficients that were never
  // computed: such a run ends with the data-entry message, as in every other case.
  if (ctx.series < 1 || ctx.series > 3) check_data_entry(ctx, io);

  // 101.2685 converts delta back to J (the table's delta column uses 101.2658).  delta = 0
  // is a division by zero, which ends the run before the first record of the case.
  ctx.J = single(double{101.2685f} / double{ctx.delta});
  const float Kq_target =
      single(std::pow(double{ctx.Bp} / double{33.06746f}, 2.0) * std::pow(double{ctx.J}, 5.0));

  io.block([&](OutputChannel& out) {
    out.write("(//5X,'Pervane Karakteristikleri '/)");
    out.write("(2X,'Bp=',F7.3,', Delta=',F6.2,', J=',F6.3,             ', 10Kq=',F6.3//)",
              {ctx.Bp, ctx.delta, ctx.J, ten_kq(Kq_target)});
    out.text(kOpenWaterRule);
    out.text(" i     P/D     Kt      10Kq      eta0         Bp         delta");
    out.text(kOpenWaterRule);
  });

  Table table;
  const int points =
      static_cast<int>((double{kLastPd} - double{kFirstPd} + double{kStepPd}) / double{kStepPd});
  float pd = kFirstPd;
  for (int k = 0; k < points; ++k) {
    if (pd > kHighestPd) break;  // 1.45 ends the sweep and stays in pd
    evaluate_series(ctx, pd, ctx.EAR, ctx.Z);
    if (ctx.Kt >= 0.0f) {  // a point with negative thrust is skipped; the numbering closes up
      const std::size_t r = static_cast<std::size_t>(table.ISON);
      ++table.ISON;
      table.pd[r] = pd;
      table.Kt[r] = ctx.Kt;
      table.Kq[r] = ctx.Kq;
      table.eta0[r] = ctx.eta0;
      table.delta[r] = advance_coefficient_delta(ctx.J);
      table.Bp[r] = power_coefficient_bp(ctx.Kq, ctx.J);
      io.both(kOpenWaterRow,
              {table.ISON, pd, ctx.Kt, ten_kq(ctx.Kq), ctx.eta0, table.Bp[r], table.delta[r]});
    }
    pd = single(double{pd} + double{kStepPd});
  }
  io.both_text(kOpenWaterRule);

  if (RunFigures* figures = io.figures()) {
    ResultTable& rows = figures->table(
        labelled("Pitch ratios at J", ctx.J),
        {"P/D (-)", "Kt (-)", "10Kq (-)", "eta0 (-)", "Bp (-)", "delta (-)"});
    for (std::size_t r = 0; r < static_cast<std::size_t>(table.ISON); ++r) {
      rows.rows.push_back({table.pd[r], table.Kt[r], ten_kq(table.Kq[r]), table.eta0[r], table.Bp[r], table.delta[r]});
    }
    figures->diagram() = coefficient_diagram(rows, propeller_title(ctx.series, ctx.Z, ctx.EAR),
                                             labelled("Open-water coefficients at J", ctx.J) + labelled(", Bp", ctx.Bp, 2) +
                                                 labelled(", delta", ctx.delta, 2),
                                             "Pitch ratio P/D (-)");
  }

  if (table.ISON < kFewestRows) {
    io.both("(/,/,3X,'HESAP YAPILACAK SAYI 3 DEN AZ OLDUGU ICIN PROGRAM CALISMASI DURDURULDU')");
    io.both("(3X,' ISON = ',I3)", {table.ISON});
    return;
  }

  // Bp rises with P/D at fixed J (Kq does), so the Bp column is ascending.  A Bp outside
  // its first .. last row cannot be interpolated: rather than report the P/D that ended the
  // sweep, the case stops after the interpolation's own screen lines.
  ChannelNumericMessages messages(io);
  interpolate_table(table.ISON, table.Bp.data(), table.pd.data(), ctx.Bp, pd,
                    kParabolicInterpolation, messages);
  const float first_Bp = table.Bp.front();
  const float last_Bp = table.Bp[static_cast<std::size_t>(table.ISON - 1)];
  if (ctx.Bp < first_Bp || ctx.Bp > last_Bp) {
    io.both("(/,/,3X,'VERILEN Bp DEGERI TABLO ARALIGI DISINDA - PROGRAM CALISMASI DURDURULDU')");
    io.both("(3X,' Bp = ',F9.4,'   Tablo araligi: ',F9.4,' - ',F9.4)", {ctx.Bp, first_Bp, last_Bp});
    return;
  }

  evaluate_series(ctx, pd, ctx.EAR, ctx.Z);
  const float n = revolutions_per_second(ctx.N);
  const float Q = torque_d5_kq_n2_rho(ctx.D, ctx.Kq, n, ctx.RHO);
  const float Pd = delivered_power_kw(Q, n);
  ctx.T = thrust_d4_kt_n2_rho(ctx.D, ctx.Kt, n, ctx.RHO);

  write_series_used(io, ctx.series);
  io.both(
      "(1X,'T=',F10.2,' kN  Va=',F8.3,' m/s  RHO = ',F6.1,' kg/m3',/,' Z = ',F2.0,' EAR = ',F5.3,"
      "' D = ',F6.3,' m')",
      {single(double{ctx.T} / 1000.0), ctx.Va, ctx.RHO, ctx.Z, ctx.EAR, ctx.D});
  io.both(
      "(' "
      "P/D=',F5.3,/,1X,'J=',F6.3,1X,'Kt=',F6.3,1X,'10Kq=',F6.3,1X,'eta=',F6.3,/,1X,'Bp=',F9.4,1X,"
      "'delta=',F9.4)",
      {pd, ctx.J, ctx.Kt, ten_kq(ctx.Kq), ctx.eta0, ctx.Bp, ctx.delta});
  io.both("(' RPS=',F7.3,' dev/san',1X,'RPM=',F7.2,1X,'TORK=',F8.3,' kNm',1X,'Pd=',F7.1,' kW')",
          {n, ctx.N, single(double{Q} / 1000.0), Pd});
  if (RunFigures* figures = io.figures()) {
    figures->table("Result", {"P/D (-)", "J (-)", "Kt (-)", "10Kq (-)", "eta0 (-)", "T (kN)", "Q (kNm)", "Pd (kW)"})
        .rows.push_back({pd, ctx.J, ctx.Kt, ten_kq(ctx.Kq), ctx.eta0, single(double{ctx.T} / 1000.0),
                         single(double{Q} / 1000.0), Pd});
    Diagram& d = figures->diagram();
    d.title = propeller_title(ctx.series, ctx.Z, ctx.EAR, pd);
    mark_on_curves(d, pd, ctx.Kt, ten_kq(ctx.Kq), ctx.eta0, labelled("P/D", pd), "result");
  }
  write_viscous_statement(io, ctx.IVISC, ctx.series);
}

}  // namespace tidewerk
