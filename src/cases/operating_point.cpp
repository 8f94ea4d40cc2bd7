// Case 6: the operating point of a given propeller.  The open-water table over a fixed grid of
// advance coefficients with the operating J sorted in and marked, then the thrust, delivered
// power and coefficients interpolated at the operating J.
#include <array>
#include <cmath>

#include "cases/cases.h"
#include "cases/figures.h"
#include "cases/numeric_messages.h"
#include "cases/open_water_layouts.h"
#include "cases/performance.h"
#include "driver/data_entry_check.h"
#include "numeric/array_utilities.h"
#include "numeric/interpolation.h"
#include "numeric/precision.h"
#include "report/standard_blocks.h"
#include "series/evaluator.h"
#include "series/polynomial.h"

namespace tidewerk {
namespace {

constexpr const char* kMarkedRow = "(1X,I2,1X,'*',1X,F5.3,3F9.4,4X,2(F10.4,3X),'*')";

// The grid: 0.05 to about 1.5 in steps of 0.05, 30 points, and the operating J as the 31st.
constexpr float kFirstJ = 0.05f;
constexpr float kLastJ = 1.55f;
constexpr float kStepJ = 0.05f;
constexpr std::size_t kRows = 31;
// A row within this distance of the operating J carries the mark.
constexpr float kMarkTolerance = 0.001f;
// The parabola needs three points in the interpolation table (all kept rows but the last).
constexpr int kFewestKeptRows = 4;

// The open-water table: the sorted J column and the coefficients of the kept rows.
struct Table {
  std::array<float, kRows> J{};
  std::array<float, kRows> Kt{};
  std::array<float, kRows> Kq{};
  std::array<float, kRows> eta0{};
  std::array<float, kRows> Bp{};
  std::array<float, kRows> delta{};
  int kept = 0;  // rows before the first negative Kt
};

// J = Va / (n * D) with n = N / 60 as stored: the operating J of the table row and of the
// results are the same number.
float operating_advance_coefficient(const RunContext& ctx, float n) {
  return single(double{ctx.Va} / (double{n} * double{ctx.D}));
}

void write_out_of_range(const RunContext& ctx, Console& io) {
  io.both(
      "(/,/,3X,'ILERLEME HIZI VA=',F8.3,' m/s ILERLEME KATSAYILARI SINIRLARI',/,"
      "'     DISINA DUSUYOR  - PROGRAM DURDURULDU ')",
      {ctx.Va});
  io.both("(3X,' VA = ',F8.3,' m/s ICIN J = ',F8.3,' OLUYOR')", {ctx.Va, ctx.J});
}

}  // namespace

void operating_point(RunContext& ctx, Console& io) {
  check_data_entry(ctx, io);
  const float pd = ctx.PD;
  const float n = revolutions_per_second(ctx.N);
  const float Jop = operating_advance_coefficient(ctx, n);

  Table table;
  const int grid_points =
      static_cast<int>((double{kLastJ} - double{kFirstJ} + double{kStepJ}) / double{kStepJ});
  float J = kFirstJ;
  for (int i = 0; i < grid_points; ++i) {
    table.J[static_cast<std::size_t>(i)] = J;
    J = single(double{J} + double{kStepJ});
  }
  table.J[static_cast<std::size_t>(grid_points)] = Jop;
  const int rows = grid_points + 1;
  sort_ascending(rows, table.J.data());

  int marked = 0;  // 1-based; the first row near the operating J
  for (int i = 1; i <= rows && marked == 0; ++i) {
    if (std::fabs(double{table.J[static_cast<std::size_t>(i - 1)]} - double{Jop}) <
        double{kMarkTolerance}) {
      marked = i;
    }
  }

  for (std::size_t i = 0; i < static_cast<std::size_t>(rows); ++i) {
    ctx.J = table.J[i];
    evaluate_series(ctx, pd, ctx.EAR, ctx.Z);
    if (ctx.Kt < 0.0f) break;  // this row and all after it are left out
    table.Kt[i] = ctx.Kt;
    table.Kq[i] = ctx.Kq;
    table.eta0[i] = ctx.eta0;
    // Bp and delta at J as the evaluator left it (0.001 for a smaller table J).
    table.Bp[i] = power_coefficient_bp(ctx.Kq, ctx.J);
    table.delta[i] = advance_coefficient_delta(ctx.J);
    ++table.kept;
  }

  write_open_water_head(io, "(//12X,' Pervane Karakteristikleri')");
  for (int i = 1; i <= table.kept; ++i) {
    const std::size_t r = static_cast<std::size_t>(i - 1);
    io.both(i == marked ? kMarkedRow : kOpenWaterRow, {i, table.J[r], table.Kt[r], ten_kq(table.Kq[r]),
                                              table.eta0[r], table.Bp[r], table.delta[r]});
  }
  io.both_text(kOpenWaterRule);

  ResultTable* figure_table = nullptr;
  if (RunFigures* figures = io.figures()) {
    figure_table = &figures->table("Open-water characteristics", kOpenWaterColumns);
    for (std::size_t r = 0; r < static_cast<std::size_t>(table.kept); ++r) {
      figure_table->rows.push_back(
          {table.J[r], table.Kt[r], ten_kq(table.Kq[r]), table.eta0[r], table.Bp[r], table.delta[r]});
    }
    figures->diagram() = open_water_diagram(*figure_table, propeller_title(ctx.series, ctx.Z, ctx.EAR, pd));
  }

  ctx.J = operating_advance_coefficient(ctx, n);
  // The interpolation table is the kept rows but the last.
  const int m = table.kept - 1;
  if (table.kept < kFewestKeptRows || table.J[static_cast<std::size_t>(m - 1)] < ctx.J ||
      table.J[0] > ctx.J) {
    write_out_of_range(ctx, io);
    return;
  }
  write_series_used(io, ctx.series);

  ChannelNumericMessages messages(io);
  interpolate_table(m, table.J.data(), table.Kt.data(), ctx.J, ctx.Kt, kParabolicInterpolation,
                    messages);
  interpolate_table(m, table.J.data(), table.Kq.data(), ctx.J, ctx.Kq, kParabolicInterpolation,
                    messages);

  const float Q = torque_d5_kq_n2_rho(ctx.D, ctx.Kq, n, ctx.RHO);
  const float Pd = delivered_power_kw(Q, n);
  ctx.T = thrust_d4_kt_n2_rho(ctx.D, ctx.Kt, n, ctx.RHO);
  ctx.eta0 = open_water_efficiency(ctx.Kt, ctx.Kq, ctx.J);

  io.both(
      "(1X,'T=',F10.2,' kN  Va=',F8.3,' m/s  RHO = ',F6.1,' kg/m3',/,' Z = ',F2.0,' EAR = ',F5.3,"
      "' D = ',F6.3,' m',' P/D =',F6.4)",
      {single(double{ctx.T} / 1000.0), ctx.Va, ctx.RHO, ctx.Z, ctx.EAR, ctx.D, pd});
  io.both("(1X,'Pd=',F10.2,' kW',/,1X,'J=',F7.3,' Kt=',F7.3,' 10Kq=',F7.3,' Eta0=',F7.3)",
          {Pd, ctx.J, ctx.Kt, ten_kq(ctx.Kq), ctx.eta0});
  if (RunFigures* figures = io.figures()) {
    figures->table("Operating point", {"J (-)", "Kt (-)", "10Kq (-)", "eta0 (-)", "T (kN)", "Pd (kW)"})
        .rows.push_back({ctx.J, ctx.Kt, ten_kq(ctx.Kq), ctx.eta0, single(double{ctx.T} / 1000.0), Pd});
    mark_on_curves(figures->diagram(), ctx.J, ctx.Kt, ten_kq(ctx.Kq), ctx.eta0, labelled("J", ctx.J),
                   "operating point");
  }
  write_viscous_statement(io, ctx.IVISC, ctx.series);
}

}  // namespace tidewerk
