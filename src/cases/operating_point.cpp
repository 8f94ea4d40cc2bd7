// Case 6: the operating point of a given propeller.  The open-water table over a fixed grid of
// advance coefficients with the operating J sorted in and marked, then the thrust, delivered
// power and coefficients interpolated at the operating J.
#include <algorithm>
#include <array>
#include <cmath>

#include "cases/case_warnings.h"
#include "cases/cases.h"
#include "cases/data_entry_check.h"
#include "cases/figures.h"
#include "cases/numeric_messages.h"
#include "cases/open_water_table.h"
#include "cases/performance.h"
#include "cases/propeller.h"
#include "cases/series_use.h"
#include "numeric/array_utilities.h"
#include "numeric/grid.h"
#include "numeric/interpolation.h"
#include "numeric/precision.h"
#include "report/standard_blocks.h"
#include "series/polynomial.h"

namespace tidewerk {
namespace {

constexpr const char* kMarkedRow = "(1X,I2,1X,'*',1X,F5.3,3F9.4,4X,2(F10.4,3X),'*')";

// The grid: 0.05 to about 1.5 in steps of 0.05, 30 points, and the operating J as the 31st.
constexpr GridSpec kGrid{0.05f, 1.55f, 0.05f};
constexpr std::size_t kRows = 31;
// A row within this distance of the operating J carries the mark.
constexpr float kMarkTolerance = 0.001f;
// The parabola needs three points in the interpolation table (all kept rows but the last).
constexpr int kFewestKeptRows = 4;

// The open-water table: the sorted J column and the coefficients of the kept rows.
struct Table : OpenWaterColumns<kRows> {
  int kept = 0;  // rows before the first negative Kt
};

// J = Va / (n * D) with n = N / 60 as stored: the operating J of the table row and of the
// results are the same number.
float operating_advance_coefficient(const Problem& p, float n) {
  return single(double{p.Va} / (double{n} * double{p.D}));
}

void write_out_of_range(const Problem& p, float J, Console& io) {
  io.both(
      "(/,/,3X,'ILERLEME HIZI VA=',F8.3,' m/s ILERLEME KATSAYILARI SINIRLARI',/,"
      "'     DISINA DUSUYOR  - PROGRAM DURDURULDU ')",
      {p.Va});
  io.both("(3X,' VA = ',F8.3,' m/s ICIN J = ',F8.3,' OLUYOR')", {p.Va, J});
}

}  // namespace

CaseOutcome operating_point(const Problem& p, Console& io, Warnings& warnings) {
  CaseOutcome outcome;
  check_data_entry(p, io);
  warn_correction_not_applied(warnings, p, Propeller::of(p), "IVISC = " + std::to_string(p.IVISC));
  const SeriesUse& use = series_use(p.series);
  warn_outside_fitted(warnings, p, "P/D", p.PD, use.PDmin, use.PDmax);
  const float pd = p.PD;
  const float n = revolutions_per_second(p.N);
  const float Jop = operating_advance_coefficient(p, n);
  const Propeller propeller = Propeller::of(p);

  Table table;
  const int grid_points = grid_count(kGrid);
  const std::vector<float> grid = accumulated_grid(kGrid);
  std::copy(grid.begin(), grid.end(), table.x.begin());
  table.x[static_cast<std::size_t>(grid_points)] = Jop;
  const int rows = grid_points + 1;
  sort_ascending(rows, table.x.data());

  int marked = 0;  // 1-based; the first row near the operating J
  for (int i = 1; i <= rows && marked == 0; ++i) {
    if (std::fabs(double{table.x[static_cast<std::size_t>(i - 1)]} - double{Jop}) <
        double{kMarkTolerance}) {
      marked = i;
    }
  }

  // The rows before the first negative Kt are kept; Bp and delta at J as the evaluator used it
  // (0.001 for a smaller table J).
  std::array<OpenWater, kRows> points{};
  table.kept = static_cast<int>(propeller.over_until_negative_thrust(
      pd, table.x.data(), static_cast<std::size_t>(rows), points.data()));
  const float Z = points[0].z;  // as the series used it
  for (std::size_t i = 0; i < static_cast<std::size_t>(table.kept); ++i) {
    table.set(i, open_water_row(table.x[i], points[i]));
  }

  write_open_water_head(io, "(//12X,' Pervane Karakteristikleri')");
  ResultTable& figure_table =
      outcome.table(kOpenWaterTable, "Open-water characteristics", kOpenWaterColumns, kMarkColumn);
  for (int i = 1; i <= table.kept; ++i) {
    const std::size_t r = static_cast<std::size_t>(i - 1);
    write_open_water_row(io, i == marked ? kMarkedRow : kOpenWaterRow, i, table.row(r),
                         figure_table);
    if (i == marked) figure_table.mark_last_row("operating");
  }
  io.both_text(kOpenWaterRule);
  Diagram& d = outcome.diagram();
  d = open_water_diagram(figure_table, propeller, pd, propeller_title(p.series, Z, p.EAR, pd));
  d.conditions = conditions_line(p.D, p.N, p.Va, propeller.corrected());

  const float J = Jop;
  // The interpolation table is the kept rows but the last.
  const int m = table.kept - 1;
  if (table.kept < kFewestKeptRows || table.x[static_cast<std::size_t>(m - 1)] < J ||
      table.x[0] > J) {
    write_out_of_range(p, J, io);
    return std::move(outcome).without_result(
        "the operating J = " + fixed(J, 3) + " (Va = " + fixed(p.Va, 3) +
        " m/s) lies outside the open-water table (" +
        (table.kept > 1
             ? fixed(table.x[0], 3) + " to " + fixed(table.x[static_cast<std::size_t>(m - 1)], 3)
             : std::string("no rows")) +
        ")");
  }
  write_series_used(io, p.series);

  ChannelNumericMessages messages(io);
  // A failed interpolation leaves the coefficients of the last point evaluated.
  const OpenWater& last =
      points[static_cast<std::size_t>(table.kept < rows ? table.kept : rows - 1)];
  float Kt = last.Kt;
  float Kq = last.Kq;
  interpolate_table(m, table.x.data(), table.Kt.data(), J, Kt, kParabolicInterpolation, messages);
  interpolate_table(m, table.x.data(), table.Kq.data(), J, Kq, kParabolicInterpolation, messages);

  const float Q = torque_d5_kq_n2_rho(p.D, Kq, n, p.RHO);
  const float Pd = delivered_power_kw(Q, n);
  const float T = thrust_d4_kt_n2_rho(p.D, Kt, n, p.RHO);
  const float eta0 = open_water_efficiency(Kt, Kq, J);

  io.both(
      "(1X,'T=',F10.2,' kN  Va=',F8.3,' m/s  RHO = ',F6.1,' kg/m3',/,' Z = ',F2.0,' EAR = ',F5.3,"
      "' D = ',F6.3,' m',' P/D =',F6.4)",
      {single(double{T} / 1000.0), p.Va, p.RHO, Z, p.EAR, p.D, pd});
  io.both("(1X,'Pd=',F10.2,' kW',/,1X,'J=',F7.3,' Kt=',F7.3,' 10Kq=',F7.3,' Eta0=',F7.3)",
          {Pd, J, Kt, ten_kq(Kq), eta0});
  outcome.table("operating-point", "Operating point", {"J", "Kt", "10Kq", "eta0", "T_kN", "Pd_kW"})
      .rows.push_back({J, Kt, ten_kq(Kq), eta0, single(double{T} / 1000.0), Pd});
  outcome.result("T", single(double{T} / 1000.0), "kN");
  outcome.result("Z", whole_number(Z));
  outcome.result("Pd", Pd, "kW");
  outcome.result("J", J);
  outcome.result("Kt", Kt);
  outcome.result("10Kq", ten_kq(Kq));
  outcome.result("eta0", eta0);
  mark_on_curves(outcome.diagram(), J, Kt, ten_kq(Kq), eta0,
                 open_water_label(J, Kt, ten_kq(Kq), eta0), "operating point");
  write_viscous_statement(io, propeller.corrected());
  return outcome;
}

}  // namespace tidewerk
