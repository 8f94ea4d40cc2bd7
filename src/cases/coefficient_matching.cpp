// Cases 1, 2 and 3: the propeller of the series with the best open-water efficiency for a
// load coefficient that does not contain the unknown (Kt/J^2: revolutions follow; Kt/J^4 and
// Kq/J^5: diameter follows).
//
// One algorithm; each case is a MatchingCase record holding what differs: the table texts,
// the row layout, the ratio matched, the load-coefficient formula, what the selection solves
// and how the result block is laid out.
#include "cases/coefficient_matching.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

#include "cases/cases.h"
#include "cases/performance.h"
#include "driver/data_entry_check.h"
#include "numeric/array_utilities.h"
#include "report/standard_blocks.h"
#include "series/evaluator.h"

namespace tidewerk {
namespace matching {

int pitch_ratio_count(float pd_min, float pd_max) {
  return static_cast<int>((double{pd_max} - double{pd_min} + double{0.01f}) / double{0.01f});
}

float load_kt_over_j2(const RunContext& ctx) {
  return single(double{ctx.T} * double{1000.0f} /
                (double{ctx.RHO} * std::pow(double{ctx.D}, 2.0) * std::pow(double{ctx.Va}, 2.0)));
}

float load_kt_over_j4(const RunContext& ctx) {
  const float n = revolutions_per_second(ctx.N);
  return single(std::pow(double{n}, 2.0) * double{ctx.T} * double{1000.0f} /
                (double{ctx.RHO} * std::pow(double{ctx.Va}, 4.0)));
}

namespace {

// Case 3 forms pi as 4*arctan(1), rounded when stored: the same number as 3.1415927.
float pi_from_arctangent() {
  return single(4.0 * std::atan(1.0));
}

}  // namespace

float load_kq_over_j5(const RunContext& ctx) {
  const float n = revolutions_per_second(ctx.N);
  const float pi = pi_from_arctangent();
  return single(std::pow(double{n}, 2.0) * double{ctx.PQ} /
                (double{2.0f} * double{pi} * double{ctx.RHO} * std::pow(double{ctx.Va}, 5.0)));
}

int sweep_advance_grid(RunContext& ctx, float pd, const Ratio& ratio, float* ratio_values,
                       float* grid_j) {
  const int points = advance_grid_count();
  int stored = 0;
  float j = kGridFirstJ;
  for (int k = 0; k < points; ++k) {
    ctx.J = j;
    evaluate_series(ctx, pd, ctx.EAR, ctx.Z);
    if (ctx.Kt < 0.0f) break;  // the curve ends where the thrust turns negative
    ratio_values[stored] =
        single(double{ctx.*ratio.coefficient} / std::pow(double{ctx.J}, ratio.exponent));
    grid_j[stored] = ctx.J;
    ++stored;
    j = single(double{j} + double{kGridStepJ});
  }
  return stored;
}

int select_row(int rows, const float* eta0) {
  int imax = 0;
  index_of_largest(rows, eta0, imax);
  return imax + 1;
}

}  // namespace matching

namespace {

using matching::kCapacity;

// Rule and heading lines of the candidate table, written as free-form records.
constexpr const char* kRuleA =
    "---|-------|-------|--------|--------|--------|------------|----------|";
constexpr const char* kRuleB =
    "---|-------|-------|--------|--------|--------|------------|---------|";
constexpr const char* kRuleC =
    "---|-------|-------|--------|--------|--------|----- ------|-----------|";
constexpr const char* kRuleD =
    "----|-------|-------|--------|--------|--------|------------|-----------|";
constexpr const char* kHeadE =
    " i    P/D      J       Kt      10Kq     eta0       Bp          delta";
constexpr const char* kHeadF =
    "  i    P/D      J        Kt     10Kq     eta0       Bp         delta";

constexpr const char* kThrustRecord =
    "(1X,'T=',F10.2,' kN  Va=',F8.3,' m/s  RHO = ',F6.1,' kg/m3',/,' Z = ',F2.0,' EAR = ',F5.3,"
    "' D = ',F6.3,' m')";
constexpr const char* kThrustRecordWithTipSpeed =
    "(1X,'T=',F10.2,' kN  Va=',F8.3,' m/s  RHO = ',F6.1,' kg/m3',/,' Z = ',F2.0,' EAR = ',F5.3,"
    "' D = ',F6.3,' m',' Vtip = ',F4.1,' m/s')";

// What the selected propeller's J solves for.
enum class Unknown {
  Revolutions,  // n = Va / (D*J), N = 60*n
  Diameter,     // D = Va / (J*n) with the given n
};

// Where the tip speed is reported.
enum class TipSpeed {
  None,            // not computed
  OwnRecord,       // a record of its own after the thrust record
  InThrustRecord,  // appended to the thrust record
};

// Everything in which the three cases differ.
struct MatchingCase {
  const char* title;                       // table title, with the load coefficient
  std::array<const char*, 3> screen_head;  // free-form lines under the title on the screen
  std::array<const char*, 3> report_head;  // ... and in the report (null: no line)
  const char* row;                         // layout of a candidate row
  const char* closing_rule;                // free-form line under the table
  matching::Ratio ratio;                   // ratio stored per grid point
  float (*load_coefficient)(const RunContext&);
  bool upper_limit_dialogue;   // offer another row when the last one wins
  Unknown unknown;             // what the selected J solves for
  bool thrust_from_selection;  // T = D^4*Kt*n^2*RHO, in N (printed in kN)
  TipSpeed tip_speed;
  bool pi_from_arctangent;    // pi as 4*arctan(1) rather than 3.1415927
  const char* thrust_record;  // layout of the thrust/diameter record
};

const MatchingCase kKtOverJ2{
    "(//5X,'Pervane Karakteristikleri - Kt/J^2 = ',F6.3/)",
    {kRuleA, kHeadE, kRuleA},
    {kHeadE, kRuleB, nullptr},  // the report has no rule above the heading
    "(1X,I3,2F7.3,3F9.4,1X,2(F10.4,3X))",
    kRuleC,
    {&RunContext::Kt, 2.0},
    matching::load_kt_over_j2,
    true,
    Unknown::Revolutions,
    false,
    TipSpeed::OwnRecord,
    false,
    kThrustRecord,
};

const MatchingCase kKtOverJ4{
    "(//5X,'Pervane Karakteristikleri - Kt/J^4 = ',F6.3/)",
    {kRuleA, kHeadE, kRuleA},
    {kRuleA, kHeadE, kRuleA},
    "(1X,I3,2(F7.3,1X),3F9.4,1X,2(F10.4,3X))",
    kRuleC,
    {&RunContext::Kt, 4.0},
    matching::load_kt_over_j4,
    false,
    Unknown::Diameter,
    false,
    TipSpeed::None,
    false,
    kThrustRecord,
};

const MatchingCase kKqOverJ5{
    "(//5X,'Pervane Karakteristikleri - Kq/J^5 = ',F6.3/)",
    {kRuleD, kHeadF, kRuleD},
    {kRuleD, kHeadF, kRuleD},
    "(1X,I3,2F8.3,3F9.4,2X,2(F10.4,3X))",
    kRuleD,
    {&RunContext::Kq, 5.0},
    matching::load_kq_over_j5,
    false,
    Unknown::Diameter,
    true,
    TipSpeed::InThrustRecord,
    true,
    kThrustRecordWithTipSpeed,
};

// Work storage of one case run, allocated once before the sweep: the J grid of the current
// pitch ratio and the candidate table (rows in the order found).
struct Workspace {
  std::array<float, kCapacity> ratio;  // R(k): the matched ratio at the k-th stored point
  std::array<float, kCapacity> grid_j;
  int rows = 0;
  std::array<float, kCapacity> pd;
  std::array<float, kCapacity> j;
  std::array<float, kCapacity> kt;
  std::array<float, kCapacity> kq;
  std::array<float, kCapacity> eta0;

  void add_row(float row_pd, const RunContext& ctx) {
    // A curve of a series polynomial meets K a few times at most, so 10000 rows are never
    // reached by the 151 pitch ratios; refuse rather than write past the table.
    if (rows == kCapacity) throw std::length_error("candidate table full");
    pd[rows] = row_pd;
    j[rows] = ctx.J;
    kt[rows] = ctx.Kt;
    kq[rows] = ctx.Kq;
    eta0[rows] = ctx.eta0;
    ++rows;
  }
};

void write_table_head(const MatchingCase& mc, float K, Console& io) {
  io.both(mc.title, {K});
  for (const char* line : mc.screen_head) {
    if (line != nullptr) io.screen.text(line);
  }
  for (const char* line : mc.report_head) {
    if (line != nullptr) io.report.text(line);
  }
}

// Case 1: when the best row is the last (highest P/D) the user may choose another row.
// Returns the row to report, numbered from 1.
int offer_another_row(int selected, int rows, Console& io) {
  io.screen.write("(//)");
  io.screen.write(
      "(' Uyari: Secilen Pervane Pic Ust sinirinda. Bu durum hatali sonuc verebilir.')");
  if (!io.ask_yes_no("(' Secilen pervaneyi degistirmek ister misin? E/H <H>')")) return selected;
  io.screen.write("(/)");
  int chosen = 0;
  do {  // a number outside the table is asked again
    io.screen.write("(' Istediginiz pervanenin indisini girin. (Sol kolon degeri).')");
    io.read_numbers({integer_target("the row number of the propeller (left column)", chosen)});
  } while (chosen < 1 || chosen > rows);
  return chosen;
}

// For --csv and --svg: the candidate table, and the efficiency of the candidates against P/D
// with the selected row marked.
void collect_figures(const Workspace& ws, int selected, float K, const RunContext& ctx, RunFigures& figures) {
  const char* load = ctx.case_number == 1 ? "Kt/J^2" : ctx.case_number == 2 ? "Kt/J^4" : "Kq/J^5";
  ResultTable& table = figures.table(std::string("Candidate propellers for ") + load,
                                     {"row (-)", "P/D (-)", "J (-)", "Kt (-)", "10Kq (-)", "eta0 (-)", "Bp (-)",
                                      "delta (-)"});
  DiagramSeries eta{"eta0", kColourEta, true, {}, {}};
  for (int r = 0; r < ws.rows; ++r) {
    table.rows.push_back({static_cast<float>(r + 1), ws.pd[r], ws.j[r], ws.kt[r], ten_kq(ws.kq[r]), ws.eta0[r],
                          power_coefficient_bp(ws.kq[r], ws.j[r]), advance_coefficient_delta(ws.j[r])});
    eta.x.push_back(ws.pd[r]);
    eta.y.push_back(ws.eta0[r]);
  }
  Diagram& d = figures.diagram();
  d = Diagram{};
  d.title = propeller_title(ctx.series, ctx.Z, ctx.EAR, ws.pd[selected - 1]);
  char subtitle[96];
  std::snprintf(subtitle, sizeof subtitle, "Open-water efficiency of the candidates for %s = %.4f", load,
                static_cast<double>(K));
  d.subtitle = subtitle;
  d.x_label = "Pitch ratio P/D (-)";
  d.y_label = "eta0 (-)";
  d.series.push_back(std::move(eta));
  d.marks.push_back({ws.pd[selected - 1], ws.eta0[selected - 1], "row " + std::to_string(selected)});
  d.mark_legend = "selected propeller";
}

void match_load_coefficient(const MatchingCase& mc, RunContext& ctx, Console& io) {
  check_data_entry(ctx, io);

  const float K = mc.load_coefficient(ctx);
  const float n_given = mc.unknown == Unknown::Diameter ? revolutions_per_second(ctx.N) : 0.0f;
  const float pi = mc.pi_from_arctangent ? matching::pi_from_arctangent() : 3.1415927f;

  write_table_head(mc, K, io);

  const auto ws = std::make_unique<Workspace>();
  const int pitch_ratios = matching::pitch_ratio_count(ctx.PDmin, ctx.PDmax);
  float pd = ctx.PDmin;
  for (int p = 0; p < pitch_ratios; ++p) {
    const int stored =
        matching::sweep_advance_grid(ctx, pd, mc.ratio, ws->ratio.data(), ws->grid_j.data());
    matching::for_each_crossing(stored, ws->ratio.data(), ws->grid_j.data(), K, [&](float j) {
      // The row is evaluated afresh at the interpolated J, not interpolated.
      ctx.J = j;
      evaluate_series(ctx, pd, ctx.EAR, ctx.Z);
      const float delta = advance_coefficient_delta(ctx.J);
      const float Bp = power_coefficient_bp(ctx.Kq, ctx.J);
      io.both(mc.row, {ws->rows + 1, pd, ctx.J, ctx.Kt, ten_kq(ctx.Kq), ctx.eta0, Bp, delta});
      ws->add_row(pd, ctx);
    });
    pd = single(double{pd} + double{0.01f});
  }
  io.both_text(mc.closing_rule);

  if (ws->rows == 0) {
    io.both("(/,' VERILEN YUK KATSAYISI ICIN SERIDE UYGUN PERVANE BULUNAMADI')");
    return;
  }

  int selected = matching::select_row(ws->rows, ws->eta0.data());
  if (mc.upper_limit_dialogue && selected == ws->rows) {
    selected = offer_another_row(selected, ws->rows, io);
  }

  // The selected propeller as tabulated; no new evaluation.
  const int row = selected - 1;
  const float selected_pd = ws->pd[row];
  ctx.J = ws->j[row];
  ctx.Kt = ws->kt[row];
  ctx.Kq = ws->kq[row];
  ctx.eta0 = ws->eta0[row];

  float n = n_given;
  if (mc.unknown == Unknown::Revolutions) {
    n = single(double{ctx.Va} / (double{ctx.D} * double{ctx.J}));
    ctx.N = single(double{60.0f} * double{n});
  } else {
    ctx.D = single(double{ctx.Va} / (double{ctx.J} * double{n}));
  }
  if (mc.thrust_from_selection) ctx.T = thrust_d4_kt_n2_rho(ctx.D, ctx.Kt, n, ctx.RHO);
  const float Q = torque_d5_kq_n2_rho(ctx.D, ctx.Kq, n, ctx.RHO);
  const float Pd = delivered_power_kw(Q, n);
  const float delta = advance_coefficient_delta(ctx.J);
  const float Bp = power_coefficient_bp(ctx.Kq, ctx.J);
  const float Vtip =
      mc.tip_speed == TipSpeed::None ? 0.0f : single(double{pi} * double{ctx.D} * double{n});

  if (io.figures() != nullptr) collect_figures(*ws, selected, K, ctx, *io.figures());

  write_series_used(io, ctx.series);
  io.both("(/,' SECILEN PERVANE = ',I3,'. PERVANEDIR',/)", {selected});
  io.both(
      "(' P/D=',F5.3,/,1X,'J=',F6.3,1X,'Kt=',F6.3,1X,'10Kq=',F6.3,1X,'eta=',F6.3,/,1X,"
      "'Bp=',F9.4,1X,'delta=',F9.4)",
      {selected_pd, ctx.J, ctx.Kt, ten_kq(ctx.Kq), ctx.eta0, Bp, delta});
  if (mc.thrust_from_selection) {
    // The thrust was computed in N; it is printed in kN.
    const float T_kN = single(double{ctx.T} / double{1000.0f});
    io.both(mc.thrust_record, {T_kN, ctx.Va, ctx.RHO, ctx.Z, ctx.EAR, ctx.D, Vtip});
  } else {
    io.both(mc.thrust_record, {ctx.T, ctx.Va, ctx.RHO, ctx.Z, ctx.EAR, ctx.D});
  }
  if (mc.tip_speed == TipSpeed::OwnRecord) io.both("(1X,'Vtip=',F6.2,' m/s')", {Vtip});
  io.both("(' RPS=',F7.3,' dev/san',1X,'RPM=',F7.2,1X,'TORK=',F8.3,' kNm',1X,'Pd=',F7.1,' kW')",
          {n, ctx.N, single(double{Q} / double{1000.0f}), Pd});
  write_viscous_statement(io, ctx.IVISC, ctx.series);
}

}  // namespace

void match_kt_over_j2(RunContext& ctx, Console& io) {
  match_load_coefficient(kKtOverJ2, ctx, io);
}
void match_kt_over_j4(RunContext& ctx, Console& io) {
  match_load_coefficient(kKtOverJ4, ctx, io);
}
void match_kq_over_j5(RunContext& ctx, Console& io) {
  match_load_coefficient(kKqOverJ5, ctx, io);
}

}  // namespace tidewerk
