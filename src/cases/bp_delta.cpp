// Case 7: the propeller from given Bp and delta.  delta fixes J; a table of the series over
// P/D 0.5 to 1.4 at that J gives Bp against P/D, and the P/D at the given Bp is interpolated.
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
#include "numeric/grid.h"
#include "numeric/interpolation.h"
#include "numeric/precision.h"
#include "report/standard_blocks.h"

namespace tidewerk {
namespace {

// The pitch-ratio sweep: 0.5 in steps of 0.05, at most 20 points, ended above 1.4.
constexpr GridSpec kPitchGrid{0.5f, 1.5f, 0.05f};
constexpr float kHighestPd = 1.4f;
constexpr std::size_t kCapacity = 100;
// The parabola needs three rows.
constexpr int kFewestRows = 3;

const std::vector<std::string> kPitchColumns = {"PD", "Kt", "10Kq", "eta0", "Bp", "delta"};

// The rows with Kt >= 0, numbered 1 .. rows (the report prints the count as ISON).
struct Table : OpenWaterColumns<kCapacity> {
  int rows = 0;
};

}  // namespace

CaseOutcome bp_delta(const Problem& p, Console& io, Warnings& warnings) {
  CaseOutcome outcome;
  // The blade-area ratio is not range-checked in this case; outside the series it is extrapolated.
  const SeriesUse& use = series_use(p.series);
  warn_outside_fitted(warnings, p, "EAR", p.EAR, use.EARmin, use.EARmax);
  warn_correction_not_applied(warnings, p, Propeller::of(p), "IVISC = " + std::to_string(p.IVISC));

  // 101.2685 converts delta back to J (the table's delta column uses 101.2658).  delta = 0
  // is a division by zero, which ends the run before the first record of the case.
  const float J = single(double{101.2685f} / double{p.delta});
  const float Kq_target =
      single(std::pow(double{p.Bp} / double{33.06746f}, 2.0) * std::pow(double{J}, 5.0));

  io.block([&](OutputChannel& out) {
    out.write("(//5X,'Pervane Karakteristikleri '/)");
    out.write("(2X,'Bp=',F7.3,', Delta=',F6.2,', J=',F6.3,             ', 10Kq=',F6.3//)",
              {p.Bp, p.delta, J, ten_kq(Kq_target)});
    out.text(kOpenWaterRule);
    out.text(" i     P/D     Kt      10Kq      eta0         Bp         delta");
    out.text(kOpenWaterRule);
  });

  const Propeller propeller = Propeller::of(p);
  ResultTable& rows_table =
      outcome.table("bp-delta", labelled("Pitch ratios at J", J), kPitchColumns);
  Table table;
  float Z = p.Z;  // as the series used it
  float J_used = J;
  float pd = kPitchGrid.first;
  for (int k = 0; k < grid_count(kPitchGrid); ++k) {
    if (pd > kHighestPd) break;  // 1.45 ends the sweep and stays in pd
    const OpenWater point = propeller.at(J, pd);
    Z = point.z;
    J_used = point.J;
    if (point.Kt >= 0.0f) {  // a point with negative thrust is skipped; the numbering closes up
      const std::size_t r = static_cast<std::size_t>(table.rows);
      ++table.rows;
      const OpenWaterRow row = open_water_row(pd, point);
      table.set(r, row);
      write_open_water_row(io, kOpenWaterRow, table.rows, row, rows_table);
    }
    pd = single(double{pd} + double{kPitchGrid.step});
  }
  io.both_text(kOpenWaterRule);

  Diagram& d = outcome.diagram();
  d = pitch_diagram(rows_table, propeller, J, propeller_title(p.series, Z, p.EAR),
                    labelled("Open-water coefficients at J", J_used) + labelled(", Bp", p.Bp, 2) +
                        labelled(", delta", p.delta, 2));
  d.conditions = conditions_line(p.D, p.N, p.Va, propeller.corrected());

  if (table.rows < kFewestRows) {
    io.both("(/,/,3X,'HESAP YAPILACAK SAYI 3 DEN AZ OLDUGU ICIN PROGRAM CALISMASI DURDURULDU')");
    io.both("(3X,' ISON = ',I3)", {table.rows});
    return std::move(outcome).without_result(
        "only " + std::to_string(table.rows) + " pitch ratios give a positive thrust at J = " +
        fixed(J, 3) + " (delta = " + fixed(p.delta, 2) + "); the interpolation needs 3");
  }

  // Bp rises with P/D at fixed J (Kq does), so the Bp column is ascending.  A Bp outside
  // its first .. last row cannot be interpolated: rather than report the P/D that ended the
  // sweep, the case stops after the interpolation's own screen lines.
  ChannelNumericMessages messages(io);
  interpolate_table(table.rows, table.Bp.data(), table.x.data(), p.Bp, pd, kParabolicInterpolation,
                    messages);
  const float first_Bp = table.Bp.front();
  const float last_Bp = table.Bp[static_cast<std::size_t>(table.rows - 1)];
  if (p.Bp < first_Bp || p.Bp > last_Bp) {
    io.both("(/,/,3X,'VERILEN Bp DEGERI TABLO ARALIGI DISINDA - PROGRAM CALISMASI DURDURULDU')");
    io.both("(3X,' Bp = ',F9.4,'   Tablo araligi: ',F9.4,' - ',F9.4)", {p.Bp, first_Bp, last_Bp});
    return std::move(outcome).without_result("Bp = " + fixed(p.Bp, 4) +
                                             " lies outside the table (" + fixed(first_Bp, 4) +
                                             " to " + fixed(last_Bp, 4) + ")");
  }

  const OpenWater result = propeller.at(J, pd);
  const float n = revolutions_per_second(p.N);
  const float Q = torque_d5_kq_n2_rho(p.D, result.Kq, n, p.RHO);
  const float Pd = delivered_power_kw(Q, n);
  const float T = thrust_d4_kt_n2_rho(p.D, result.Kt, n, p.RHO);

  write_series_used(io, p.series);
  io.both(
      "(1X,'T=',F10.2,' kN  Va=',F8.3,' m/s  RHO = ',F6.1,' kg/m3',/,' Z = ',F2.0,' EAR = ',F5.3,"
      "' D = ',F6.3,' m')",
      {single(double{T} / 1000.0), p.Va, p.RHO, result.z, p.EAR, p.D});
  io.both(
      "(' "
      "P/D=',F5.3,/,1X,'J=',F6.3,1X,'Kt=',F6.3,1X,'10Kq=',F6.3,1X,'eta=',F6.3,/,1X,'Bp=',F9.4,1X,"
      "'delta=',F9.4)",
      {pd, result.J, result.Kt, ten_kq(result.Kq), result.eta0, p.Bp, p.delta});
  io.both("(' RPS=',F7.3,' dev/san',1X,'RPM=',F7.2,1X,'TORK=',F8.3,' kNm',1X,'Pd=',F7.1,' kW')",
          {n, p.N, single(double{Q} / 1000.0), Pd});
  outcome.table("result", "Result", {"PD", "J", "Kt", "10Kq", "eta0", "T_kN", "Q_kNm", "Pd_kW"})
      .rows.push_back({pd, result.J, result.Kt, ten_kq(result.Kq), result.eta0,
                       single(double{T} / 1000.0), single(double{Q} / 1000.0), Pd});
  outcome.result("T", single(double{T} / 1000.0), "kN");
  outcome.result("Z", whole_number(result.z));
  outcome.result("PD", pd);
  outcome.result("J", result.J);
  outcome.result("Kt", result.Kt);
  outcome.result("10Kq", ten_kq(result.Kq));
  outcome.result("eta0", result.eta0);
  outcome.result("n", n, "1/s");
  outcome.result("Q", single(double{Q} / 1000.0), "kNm");
  outcome.result("Pd", Pd, "kW");
  d.title = propeller_title(p.series, result.z, p.EAR, pd);
  mark_on_curves(d, pd, result.Kt, ten_kq(result.Kq), result.eta0,
                 labelled("P/D", pd) + "\n" +
                     open_water_label(result.J, result.Kt, ten_kq(result.Kq), result.eta0),
                 "result");
  write_viscous_statement(io, propeller.corrected());
  return outcome;
}

}  // namespace tidewerk
