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
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "cases/case_warnings.h"
#include "cases/cases.h"
#include "cases/data_entry_check.h"
#include "cases/figures.h"
#include "cases/performance.h"
#include "cases/series_use.h"
#include "numeric/array_utilities.h"
#include "report/standard_blocks.h"
#include "series/polynomial.h"

namespace tidewerk {
namespace matching {

float load_kt_over_j2(const Problem& p) {
  return single(double{p.T} * double{1000.0f} /
                (double{p.RHO} * std::pow(double{p.D}, 2.0) * std::pow(double{p.Va}, 2.0)));
}

float load_kt_over_j4(const Problem& p) {
  const float n = revolutions_per_second(p.N);
  return single(std::pow(double{n}, 2.0) * double{p.T} * double{1000.0f} /
                (double{p.RHO} * std::pow(double{p.Va}, 4.0)));
}

namespace {

// Case 3 forms pi as 4*arctan(1), rounded when stored: the same number as 3.1415927.
float pi_from_arctangent() {
  return single(4.0 * std::atan(1.0));
}

}  // namespace

float load_kq_over_j5(const Problem& p) {
  const float n = revolutions_per_second(p.N);
  const float pi = pi_from_arctangent();
  return single(std::pow(double{n}, 2.0) * double{p.PQ} /
                (double{2.0f} * double{pi} * double{p.RHO} * std::pow(double{p.Va}, 5.0)));
}

std::vector<double> grid_powers(const std::vector<float>& grid, double exponent) {
  std::vector<double> powers(grid.size());
  for (std::size_t k = 0; k < grid.size(); ++k) powers[k] = std::pow(double{grid[k]}, exponent);
  return powers;
}

int first_raised_point(const std::vector<float>& grid) {
  for (std::size_t k = 0; k < grid.size(); ++k) {
    // Quiet comparisons: nothing is raised here that the sweep itself does not raise.
    if (std::isnan(grid[k]) || std::isless(std::fabs(grid[k]), kLeastAdvanceCoefficient))
      return static_cast<int>(k);
  }
  return static_cast<int>(grid.size());
}

Swept sweep_advance_grid(const Propeller& propeller, float pd, const Ratio& ratio,
                         const float* grid, const double* powers, int count, int raised_from,
                         OpenWater* work, float* ratio_values, float* grid_j) {
  // The curve ends where the thrust turns negative.
  const auto stored = static_cast<int>(propeller.over_until_negative_thrust(
      pd, grid, static_cast<std::size_t>(count), work, grid::GridValues::WithoutEfficiency));
  rounded_quotients_of(
      stored, [work, &ratio](int k) { return work[k].*ratio.coefficient; }, powers, ratio_values);
  if (raised_from >= stored) return {stored, grid};
  // A point whose J the evaluator raised (below 0.001) divides by the power of its own J.
  for (int k = 0; k < stored; ++k) {
    grid_j[k] = work[k].J;
    if (work[k].J != grid[k]) {
      ratio_values[k] =
          single(double{work[k].*ratio.coefficient} / std::pow(double{work[k].J}, ratio.exponent));
    }
  }
  return {stored, grid_j};
}

int select_row(int rows, const float* eta0) {
  int imax = 0;
  index_of_largest(rows, eta0, imax);
  return imax + 1;
}

}  // namespace matching

namespace {

using matching::kCapacity;

// Rule and heading lines of the candidate table, written as free-form records.  The thrust
// tables (Kt/J^2, Kt/J^4) share a heading and its rules; the torque table (Kq/J^5) has its own,
// one column wider.
constexpr const char* kThrustTableRule =
    "---|-------|-------|--------|--------|--------|------------|----------|";
// The Kt/J^2 report's rule under the heading: one character shorter than the screen's.
constexpr const char* kKtOverJ2ReportRule =
    "---|-------|-------|--------|--------|--------|------------|---------|";
// The rule under the thrust tables, with its gap in the Bp column.
constexpr const char* kThrustTableClosingRule =
    "---|-------|-------|--------|--------|--------|----- ------|-----------|";
constexpr const char* kTorqueTableRule =
    "----|-------|-------|--------|--------|--------|------------|-----------|";
constexpr const char* kThrustTableHeading =
    " i    P/D      J       Kt      10Kq     eta0       Bp          delta";
constexpr const char* kTorqueTableHeading =
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
  const char* load_name;                   // "Kt/J^2"
  const char* title;                       // table title, with the load coefficient
  std::array<const char*, 3> screen_head;  // free-form lines under the title on the screen
  std::array<const char*, 3> report_head;  // ... and in the report (null: no line)
  const char* row;                         // layout of a candidate row
  const char* closing_rule;                // free-form line under the table
  matching::Ratio ratio;                   // ratio stored per grid point
  float (*load_coefficient)(const Problem&);
  bool upper_limit_dialogue;   // offer another row when the last one wins
  Unknown unknown;             // what the selected J solves for
  bool thrust_from_selection;  // T = D^4*Kt*n^2*RHO, in N (printed in kN)
  TipSpeed tip_speed;
  bool pi_from_arctangent;    // pi as 4*arctan(1) rather than 3.1415927
  const char* thrust_record;  // layout of the thrust/diameter record
};

const MatchingCase kKtOverJ2{
    .load_name = "Kt/J^2",
    .title = "(//5X,'Pervane Karakteristikleri - Kt/J^2 = ',F6.3/)",
    .screen_head = {kThrustTableRule, kThrustTableHeading, kThrustTableRule},
    .report_head = {kThrustTableHeading, kKtOverJ2ReportRule,
                    nullptr},  // the report has no rule above the heading
    .row = "(1X,I3,2F7.3,3F9.4,1X,2(F10.4,3X))",
    .closing_rule = kThrustTableClosingRule,
    .ratio = {&OpenWater::Kt, 2.0},
    .load_coefficient = matching::load_kt_over_j2,
    .upper_limit_dialogue = true,
    .unknown = Unknown::Revolutions,
    .thrust_from_selection = false,
    .tip_speed = TipSpeed::OwnRecord,
    .pi_from_arctangent = false,
    .thrust_record = kThrustRecord,
};

const MatchingCase kKtOverJ4{
    .load_name = "Kt/J^4",
    .title = "(//5X,'Pervane Karakteristikleri - Kt/J^4 = ',F6.3/)",
    .screen_head = {kThrustTableRule, kThrustTableHeading, kThrustTableRule},
    .report_head = {kThrustTableRule, kThrustTableHeading, kThrustTableRule},
    .row = "(1X,I3,2(F7.3,1X),3F9.4,1X,2(F10.4,3X))",
    .closing_rule = kThrustTableClosingRule,
    .ratio = {&OpenWater::Kt, 4.0},
    .load_coefficient = matching::load_kt_over_j4,
    .upper_limit_dialogue = false,
    .unknown = Unknown::Diameter,
    .thrust_from_selection = false,
    .tip_speed = TipSpeed::None,
    .pi_from_arctangent = false,
    .thrust_record = kThrustRecord,
};

const MatchingCase kKqOverJ5{
    .load_name = "Kq/J^5",
    .title = "(//5X,'Pervane Karakteristikleri - Kq/J^5 = ',F6.3/)",
    .screen_head = {kTorqueTableRule, kTorqueTableHeading, kTorqueTableRule},
    .report_head = {kTorqueTableRule, kTorqueTableHeading, kTorqueTableRule},
    .row = "(1X,I3,2F8.3,3F9.4,2X,2(F10.4,3X))",
    .closing_rule = kTorqueTableRule,
    .ratio = {&OpenWater::Kq, 5.0},
    .load_coefficient = matching::load_kq_over_j5,
    .upper_limit_dialogue = false,
    .unknown = Unknown::Diameter,
    .thrust_from_selection = true,
    .tip_speed = TipSpeed::InThrustRecord,
    .pi_from_arctangent = true,
    .thrust_record = kThrustRecordWithTipSpeed,
};

// Work storage of one case run, allocated once before the sweep: the J grid of the current
// pitch ratio and the candidate table (rows in the order found).  Sized to the grid and to the
// rows found, so that a run touches no more memory than it uses.
struct Workspace {
  explicit Workspace(std::size_t grid_points) : points(grid_points), ratio(grid_points) {}

  std::vector<OpenWater> points;  // the evaluated points of the current pitch ratio
  std::vector<float> ratio;       // R(k): the matched ratio at the k-th stored point
  std::vector<float> grid_j;      // J of the stored points, where the evaluator raises some
  int rows = 0;
  std::vector<float> pd;
  std::vector<float> j;
  std::vector<float> kt;
  std::vector<float> kq;
  std::vector<float> eta0;

  void add_row(float row_pd, const OpenWater& point) {
    // A curve of a series polynomial meets K a few times at most, so 10000 rows are never
    // reached by the 151 pitch ratios; refuse rather than grow without end.
    if (rows == kCapacity) throw std::length_error("candidate table full");
    pd.push_back(row_pd);
    j.push_back(point.J);
    kt.push_back(point.Kt);
    kq.push_back(point.Kq);
    eta0.push_back(point.eta0);
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
  constexpr const char* kRowPrompt = "the row number of the propeller (left column)";
  int chosen = 0;
  for (int refused = 0;; ++refused) {  // a number outside the table is asked again
    io.refuse_answer(refused, kRowPrompt, 1, rows);
    io.screen.write("(' Istediginiz pervanenin indisini girin. (Sol kolon degeri).')");
    io.read_numbers({integer_target(kRowPrompt, chosen)});
    if (chosen >= 1 && chosen <= rows) return chosen;
  }
}

// The efficiency of the candidates (P/D, J, eta0 of each row) against P/D with the selected row
// (1 based) marked; D (m) and N (RPM) are the selected propeller's.
Diagram candidate_diagram(const MatchingCase& mc, const std::vector<float>& pd,
                          const std::vector<float>& j, const std::vector<float>& eta0, int selected,
                          float K, const Problem& p, float Z, float D, float N) {
  DiagramSeries eta{"eta0", kColourEta, true, pd, eta0};
  for (std::size_t r = 0; r < pd.size(); ++r) {
    eta.markers.push_back(
        {pd[r], eta0[r], candidate_values(static_cast<int>(r + 1), pd[r], j[r], eta0[r])});
  }
  Diagram d;
  const std::size_t s = static_cast<std::size_t>(selected - 1);
  d.title = propeller_title(p.series, Z, p.EAR, pd[s]);
  char subtitle[96];
  std::snprintf(subtitle, sizeof subtitle, "Open-water efficiency of the candidates for %s = %.4f",
                mc.load_name, static_cast<double>(K));
  d.subtitle = subtitle;
  d.x_label = "Pitch ratio P/D (-)";
  d.y_label = "eta0 (-)";
  const bool revolutions = mc.unknown == Unknown::Revolutions;
  d.conditions = conditions_line(revolutions ? p.D : kNotKnown, revolutions ? kNotKnown : p.N, p.Va,
                                 Propeller::of(p).corrected());
  d.series.push_back(std::move(eta));
  d.marks.push_back(
      {pd[s], eta0[s],
       optimum_label(selected, pd[s], j[s], eta0[s],
                     revolutions ? labelled("N", N, 1) + " RPM" : labelled("D", D) + " m")});
  d.mark_legend = "selected propeller";
  return d;
}

// The outcome's candidate table, and the diagram of the candidates, drawn when it is asked for.
CaseOutcome candidate_figures(const MatchingCase& mc, const Workspace& ws, int selected, float K,
                              const Problem& p, float Z, float D, float N) {
  CaseOutcome outcome;
  ResultTable& table =
      outcome.table("candidates", std::string("Candidate propellers for ") + mc.load_name,
                    {"row", "PD", "J", "Kt", "10Kq", "eta0", "Bp", "delta"}, kMarkColumn);
  table.count_columns = 1;
  const std::size_t rows = static_cast<std::size_t>(ws.rows);
  for (std::size_t r = 0; r < rows; ++r) {
    table.rows.push_back({static_cast<float>(r + 1), ws.pd[r], ws.j[r], ws.kt[r], ten_kq(ws.kq[r]),
                          ws.eta0[r], power_coefficient_bp(ws.kq[r], ws.j[r]),
                          advance_coefficient_delta(ws.j[r])});
  }
  table.marks[static_cast<std::size_t>(selected - 1)] = "selected";
  outcome.draw_diagram_later(
      [&mc, pd = std::vector<float>(ws.pd.begin(), ws.pd.begin() + ws.rows),
       j = std::vector<float>(ws.j.begin(), ws.j.begin() + ws.rows),
       eta0 = std::vector<float>(ws.eta0.begin(), ws.eta0.begin() + ws.rows), selected, K, p, Z, D,
       N] { return candidate_diagram(mc, pd, j, eta0, selected, K, p, Z, D, N); });
  return outcome;
}

CaseOutcome match_load_coefficient(const MatchingCase& mc, const Problem& p, Console& io,
                                   Warnings& warnings) {
  check_data_entry(p, io);

  const float K = mc.load_coefficient(p);
  const float pi = mc.pi_from_arctangent ? matching::pi_from_arctangent() : 3.1415927f;
  const Propeller propeller = Propeller::of(p);

  write_table_head(mc, K, io);

  const std::vector<float> grid = accumulated_grid(
      matching::kGridFirstJ, matching::kGridStepJ,
      grid_count(matching::kGridFirstJ, matching::kGridLastJ, matching::kGridStepJ));
  const auto ws = std::make_unique<Workspace>(grid.size());
  const int grid_points = static_cast<int>(grid.size());
  const std::vector<double> powers = matching::grid_powers(grid, mc.ratio.exponent);
  const int raised_from = matching::first_raised_point(grid);
  if (raised_from < grid_points) ws->grid_j.resize(grid.size());
  const SeriesUse& use = series_use(p.series);
  const std::vector<float> pitch_ratios = accumulated_grid(
      use.PDmin, matching::kPitchStep, grid_count(use.PDmin, use.PDmax, matching::kPitchStep));
  for (const float pd : pitch_ratios) {
    const matching::Swept swept = matching::sweep_advance_grid(
        propeller, pd, mc.ratio, grid.data(), powers.data(), grid_points, raised_from,
        ws->points.data(), ws->ratio.data(), ws->grid_j.data());
    matching::for_each_crossing(swept.stored, ws->ratio.data(), swept.j, K, [&](float j) {
      // The row is evaluated afresh at the interpolated J, not interpolated.
      const OpenWater row = propeller.at(j, pd);
      const float delta = advance_coefficient_delta(row.J);
      const float Bp = power_coefficient_bp(row.Kq, row.J);
      io.both(mc.row, {ws->rows + 1, pd, row.J, row.Kt, ten_kq(row.Kq), row.eta0, Bp, delta});
      ws->add_row(pd, row);
    });
  }
  io.both_text(mc.closing_rule);

  if (ws->rows == 0) {
    io.both("(/,' VERILEN YUK KATSAYISI ICIN SERIDE UYGUN PERVANE BULUNAMADI')");
    return CaseOutcome{}.without_result(
        "no propeller of the " + std::string(series_facts(p.series).name) +
        " series meets the load coefficient " + mc.load_name + " = " + fixed(K, 4));
  }

  int selected = matching::select_row(ws->rows, ws->eta0.data());
  if (mc.upper_limit_dialogue && selected == ws->rows) {
    selected = offer_another_row(selected, ws->rows, io);
  }

  // The selected propeller as tabulated; no new evaluation.
  const int row = selected - 1;
  const float selected_pd = ws->pd[row];
  const float J = ws->j[row];
  const float Kt = ws->kt[row];
  const float Kq = ws->kq[row];
  const float eta0 = ws->eta0[row];
  const float Z = ws->points[0].z;  // the blade number as the series used it
  warn_pitch_at_end(warnings, p, "the selected propeller's", selected_pd, pitch_ratios.front(),
                    pitch_ratios.back());

  float n = 0;
  float N = p.N;
  float D = p.D;
  if (mc.unknown == Unknown::Revolutions) {
    n = single(double{p.Va} / (double{D} * double{J}));
    N = single(double{60.0f} * double{n});
  } else {
    n = revolutions_per_second(p.N);
    D = single(double{p.Va} / (double{J} * double{n}));
  }
  const float Q = torque_d5_kq_n2_rho(D, Kq, n, p.RHO);
  const float Pd = delivered_power_kw(Q, n);
  const float delta = advance_coefficient_delta(J);
  const float Bp = power_coefficient_bp(Kq, J);
  const float Vtip =
      mc.tip_speed == TipSpeed::None ? 0.0f : single(double{pi} * double{D} * double{n});

  CaseOutcome outcome = candidate_figures(mc, *ws, selected, K, p, Z, D, N);

  write_series_used(io, p.series);
  io.both("(/,' SECILEN PERVANE = ',I3,'. PERVANEDIR',/)", {selected});
  io.both(
      "(' P/D=',F5.3,/,1X,'J=',F6.3,1X,'Kt=',F6.3,1X,'10Kq=',F6.3,1X,'eta=',F6.3,/,1X,"
      "'Bp=',F9.4,1X,'delta=',F9.4)",
      {selected_pd, J, Kt, ten_kq(Kq), eta0, Bp, delta});
  float T_kN = p.T;
  if (mc.thrust_from_selection) {
    // The thrust is computed in N and printed in kN.
    const float T = thrust_d4_kt_n2_rho(D, Kt, n, p.RHO);
    T_kN = single(double{T} / double{1000.0f});
    io.both(mc.thrust_record, {T_kN, p.Va, p.RHO, Z, p.EAR, D, Vtip});
  } else {
    io.both(mc.thrust_record, {p.T, p.Va, p.RHO, Z, p.EAR, D});
  }
  if (mc.tip_speed == TipSpeed::OwnRecord) io.both("(1X,'Vtip=',F6.2,' m/s')", {Vtip});
  io.both("(' RPS=',F7.3,' dev/san',1X,'RPM=',F7.2,1X,'TORK=',F8.3,' kNm',1X,'Pd=',F7.1,' kW')",
          {n, N, single(double{Q} / double{1000.0f}), Pd});
  outcome.result("selected", selected);
  outcome.result("PD", selected_pd);
  outcome.result("J", J);
  outcome.result("Kt", Kt);
  outcome.result("10Kq", ten_kq(Kq));
  outcome.result("eta0", eta0);
  outcome.result("Bp", Bp);
  outcome.result("delta", delta);
  outcome.result("T", T_kN, "kN");
  outcome.result("Z", whole_number(Z));
  outcome.result("D", D, "m");
  if (mc.tip_speed != TipSpeed::None) outcome.result("Vtip", Vtip, "m/s");
  outcome.result("n", n, "1/s");
  outcome.result("N", N, "RPM");
  outcome.result("Q", single(double{Q} / double{1000.0f}), "kNm");
  outcome.result("Pd", Pd, "kW");
  write_viscous_statement(io, propeller.corrected());
  return outcome;
}

}  // namespace

const CaseProcedure match_kt_over_j2 = twin_case<MatchingCase, match_load_coefficient, kKtOverJ2>;
const CaseProcedure match_kt_over_j4 = twin_case<MatchingCase, match_load_coefficient, kKtOverJ4>;
const CaseProcedure match_kq_over_j5 = twin_case<MatchingCase, match_load_coefficient, kKqOverJ5>;

}  // namespace tidewerk
