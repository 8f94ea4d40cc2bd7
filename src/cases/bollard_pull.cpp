// Case 4: bollard pull.  For each of three candidate diameters, the pitch ratio at which the
// propeller absorbs the given delivered power at the given revolutions and zero ship speed
// (J = 0.001), found by a P/D sweep and a linear crossing; then the user picks one of the three.
#include <array>
#include <cmath>

#include "cases/cases.h"
#include "cases/data_entry_check.h"
#include "cases/figures.h"
#include "cases/performance.h"
#include "cases/propeller.h"
#include "cases/series_use.h"
#include "numeric/grid.h"
#include "numeric/precision.h"
#include "report/standard_blocks.h"

namespace tidewerk {
namespace {

constexpr const char* kRule = "---|-------|--------|-------|--------|---------|";
constexpr const char* kHeading = " i     D(m)   10Kq      P/D      Kt       T(N)   ";
// Seven fields, six values: the record ends after the thrust.
constexpr const char* kRow = "(1X,I2,3X,F5.3,2X,F7.4,3X,F5.3,2X,F7.4,1X,F9.0,3X,F5.3)";
constexpr const char* kChoicePrompt = "ISTEDIGINIZ PERVANE INDISINI 1,2 veya 3 OLARAK GIRINIZ";

constexpr int kCandidates = 3;
constexpr int kSweepCapacity = 100;
constexpr float kPitchStep = 0.05f;
// Zero ship speed: the evaluator raises it to 0.001, the bollard condition.
constexpr float kBollardJ = 0.0f;

// The solved propeller of one candidate diameter.
struct Candidate {
  float D = 0;   // diameter, m
  float pd = 0;  // solved pitch ratio
  float Kt = 0;
  float Kq = 0;
  float T = 0;  // bollard pull, N
};

// The P/D sweep of one diameter at J = 0.001: points up to the first negative Kt.
struct Sweep {
  std::array<float, kSweepCapacity> Kq{};
  std::array<float, kSweepCapacity> pd{};
  int points = 0;
};

// D^5 * n^3 * RHO * pi * 2: the delivered power per unit Kq, W.
double power_per_unit_kq(float D, float n, float RHO, float pi) {
  return std::pow(double{D}, 5.0) * std::pow(double{n}, 3.0) * double{RHO} * double{pi} * 2.0;
}

Sweep sweep_pitch(const Propeller& propeller) {
  Sweep sweep;
  const SeriesUse& use = series_use(propeller.series);
  const int count = grid_count(use.PDmin, use.PDmax, kPitchStep);
  float pd = use.PDmin;
  for (int k = 0; k < count && k < kSweepCapacity; ++k) {
    const OpenWater point = propeller.at(kBollardJ, pd);
    if (point.Kt < 0.0f) break;  // the points after the first negative thrust are not searched
    sweep.Kq[static_cast<std::size_t>(sweep.points)] = point.Kq;
    sweep.pd[static_cast<std::size_t>(sweep.points)] = pd;
    ++sweep.points;
    pd = single(double{pd} + double{kPitchStep});
  }
  return sweep;
}

// The first interval Kq(j) < Kq_req <= Kq(j+1), linearly interpolated; false when none.
bool first_crossing(const Sweep& sweep, float Kq_req, float& pd) {
  for (std::size_t j = 0; j + 1 < static_cast<std::size_t>(sweep.points); ++j) {
    if (sweep.Kq[j] < Kq_req && sweep.Kq[j + 1] >= Kq_req) {
      pd = single((double{Kq_req} - double{sweep.Kq[j]}) *
                      (double{sweep.pd[j + 1]} - double{sweep.pd[j]}) /
                      (double{sweep.Kq[j + 1]} - double{sweep.Kq[j]}) +
                  double{sweep.pd[j]});
      return true;
    }
  }
  return false;
}

// The power does not fit this diameter: the messages with the powers absorbed at the lowest
// and the highest swept P/D.  Returns why the case has no result.
std::string write_power_out_of_range(const Problem& p, float D, Console& io, const Sweep& sweep,
                                     float Kq_req, float n, float pi) {
  io.both("(A,F8.3,A)", {" Yaricap D=", D, " m"});
  io.both("(1X,'Kq=',F6.4,' ICIN P/D HESABI MEVCUT PERVANE ICIN MUMKUN  DEGIL')", {Kq_req});
  io.screen.write("(A,F8.3,A,F8.1,A)",
                  {" D=", D, " m. CAP ve N=", p.N, " RPM devir icin makine gucleri"});

  // With no point swept (negative Kt already at the lowest P/D) there is no power to show.
  float Pmin = std::numeric_limits<float>::quiet_NaN();
  float Pmax = Pmin;
  if (sweep.points > 0) {
    const double per_kq = power_per_unit_kq(D, n, p.RHO, pi);
    Pmin = single(per_kq * double{sweep.Kq.front()} / 1000.0);
    Pmax = single(per_kq * double{sweep.Kq[static_cast<std::size_t>(sweep.points - 1)]} / 1000.0);
  }
  const float DHP = single(double{p.PQ} / 1000.0);
  io.block([&](OutputChannel& out) {
    out.write("(1X,F8.1,A,F8.1,A,F8.1)", {Pmin, " < DHP=", DHP, " kW<", Pmax});
    out.write("(A)", {" araliginda olmalidir. Datayi buna gore duzenleyin"});
  });
  return "the delivered power " + fixed(DHP, 1) + " kW cannot be absorbed by the diameter " +
         fixed(D, 3) + " m at " + fixed(p.N, 1) + " RPM (the pitch ratios give " + fixed(Pmin, 1) +
         " to " + fixed(Pmax, 1) + " kW)";
}

// The index typed by the user, asked again until it is 1, 2 or 3.
int read_choice(Console& io) {
  int choice = 0;
  io.read_numbers({integer_target("propeller index", choice)});
  for (int refused = 1; choice < 1 || choice > kCandidates; ++refused) {
    io.refuse_answer(refused, "propeller index", 1, kCandidates);
    io.screen.text(kChoicePrompt);
    io.read_numbers({integer_target("propeller index", choice)});
  }
  return choice;
}

// The outcome's three candidates, and their bollard pull against their pitch ratio
// with the chosen one marked.
template <class Candidates>
CaseOutcome candidate_figures(const Candidates& candidates, int choice, const Problem& p, float Z) {
  CaseOutcome outcome;
  ResultTable& table = outcome.table("bollard", "Bollard candidates",
                                     {"propeller", "D_m", "PD", "Kt", "10Kq", "T_kN"}, kMarkColumn);
  table.count_columns = 1;
  Diagram& d = outcome.diagram();
  d = Diagram{};
  d.title = propeller_title(p.series, Z, p.EAR);
  d.subtitle = "Bollard pull of the three candidate propellers";
  d.x_label = "Pitch ratio P/D (-)";
  d.y_label = "Bollard pull T (kN)";
  d.conditions = conditions_line(kNotKnown, p.N, kNotKnown, Propeller::of(p).corrected());
  DiagramSeries points{"candidates", kColourKt, false, {}, {}};
  for (int i = 1; i <= kCandidates; ++i) {
    const Candidate& c = candidates[static_cast<std::size_t>(i - 1)];
    const float T_kN = single(double{c.T} / 1000.0);
    table.rows.push_back({static_cast<float>(i), c.D, c.pd, c.Kt, ten_kq(c.Kq), T_kN});
    if (i == choice) table.mark_last_row("chosen");
    points.x.push_back(c.pd);
    points.y.push_back(T_kN);
    d.marks.push_back({c.pd, T_kN, candidate_label(i, c.D, c.pd, T_kN), i == choice});
  }
  d.series.push_back(std::move(points));
  d.mark_legend = "chosen propeller";
  return outcome;
}

}  // namespace

CaseOutcome bollard_pull(const Problem& p, Console& io, Warnings&) {
  if (!series_use(p.series).bollard_pull) {
    // The refusal goes to the report first.
    constexpr const char* kRefusal =
        "(//' GAWN SERISI PERVANELER ICIN BOLLARD DURUMU HESABI MUMKUN DEGIL - STOP' )";
    io.report.write(kRefusal);
    io.screen.write(kRefusal);
    return CaseOutcome{}.without_result(bollard_refusal_reason(p.series));
  }
  check_data_entry(p, io);

  std::array<Candidate, kCandidates> candidates;
  candidates[0].D = p.D1;
  candidates[1].D = p.D2;
  candidates[2].D = p.D3;
  const float pi = single(4.0 * std::atan(1.0));
  const float n = revolutions_per_second(p.N);
  const Propeller propeller = Propeller::of(p);
  float Z = p.Z;  // as the series used it, once evaluated

  // The screen and the report carry different titles.
  io.screen.write("(//5X,'Bollard Durumu Pervane Karakteristikleri')");
  io.screen.text(kRule);
  io.screen.text(kHeading);
  io.screen.text(kRule);
  io.report.write("(//5X,'Pervane Karakteristikleri')");
  io.report.text(kRule);
  io.report.text(kHeading);
  io.report.text(kRule);

  for (int i = 1; i <= kCandidates; ++i) {
    Candidate& c = candidates[static_cast<std::size_t>(i - 1)];
    const float Kq_req = single(double{p.PQ} / power_per_unit_kq(c.D, n, p.RHO, pi));
    const Sweep sweep = sweep_pitch(propeller);

    if (!first_crossing(sweep, Kq_req, c.pd)) {
      // The remaining diameters are not examined.
      return CaseOutcome{}.without_result(
          write_power_out_of_range(p, c.D, io, sweep, Kq_req, n, pi));
    }
    const OpenWater point = propeller.at(kBollardJ, c.pd);
    Z = point.z;
    c.Kt = point.Kt;
    c.Kq = point.Kq;
    c.T = thrust_d4_kt_n2_rho(c.D, c.Kt, n, p.RHO);
    io.both(kRow, {i, c.D, ten_kq(c.Kq), c.pd, c.Kt, c.T});
  }
  io.both_text(kRule);

  io.screen.blank();
  io.screen.blank();
  io.screen.text(kChoicePrompt);
  io.screen.text("ARA YARICAPLAR ICIN AYRICA INTERPOLASYON YAPILABILIR");
  const int choice = read_choice(io);

  // The chosen propeller as solved, without a new evaluation.
  const Candidate& chosen = candidates[static_cast<std::size_t>(choice - 1)];
  const float T = thrust_d4_kt_n2_rho(chosen.D, chosen.Kt, n, p.RHO);
  const float Q = single(std::pow(double{chosen.D}, 5.0) * std::pow(double{n}, 2.0) *
                         double{chosen.Kq} * double{p.RHO});
  const float Pd = delivered_power_kw(Q, n);

  write_series_used(io, p.series);
  io.both("(/,' SECILEN PERVANE = ',I2,'. PERVANEDIR',/)", {choice});
  io.both("(' P/D=',F5.3,1X,'Kt=',F6.3,1X,'10Kq=',F6.3)",
          {chosen.pd, chosen.Kt, ten_kq(chosen.Kq)});
  io.both(
      "(' RPS=',F7.3,1X,'RPM=',F7.3,1X,'T=',F8.3,' kN',1X,'D=',F7.3,' m',/,' Z=',I2,' EAR=',F5.3)",
      {n, single(60.0 * double{n}), single(double{T} / 1000.0), chosen.D, whole_number(Z), p.EAR});
  io.both("(1X,'RHO = ',F6.1,' kg/m3')", {p.RHO});
  io.both("(' TORK=',F8.3,' kNm',1X,'Pd=',F7.1,' kW')", {single(double{Q} / 1000.0), Pd});
  CaseOutcome outcome = candidate_figures(candidates, choice, p, Z);
  outcome.result("chosen", choice);
  outcome.result("PD", chosen.pd);
  outcome.result("Kt", chosen.Kt);
  outcome.result("10Kq", ten_kq(chosen.Kq));
  outcome.result("n", n, "1/s");
  outcome.result("N", single(60.0 * double{n}), "RPM");
  outcome.result("T", single(double{T} / 1000.0), "kN");
  outcome.result("D", chosen.D, "m");
  outcome.result("Z", whole_number(Z));
  outcome.result("Q", single(double{Q} / 1000.0), "kNm");
  outcome.result("Pd", Pd, "kW");
  write_viscous_statement(io, propeller.corrected());
  return outcome;
}

}  // namespace tidewerk
