// Design for a required thrust, power or torque: the pitch sweep, the pitch solution and the
// three design cases run in process.
#include "cases/design.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>

#include "cases/cases.h"
#include "numeric/numeric_messages.h"
#include "report/outcome.h"
#include "report/run_end.h"
#include "support/test_support.h"

namespace tidewerk {
namespace {

// The record as the main program fills it for case 8 (requirement in kN), 9 (kW) or 10 (kNm).
// The pitch and blade-area limits are those of the series.
Problem design_problem(Series series, int case_number, float requirement, float D, float N,
                       float Va, float EAR, int IVISC = 0) {
  Problem p;
  p.series = series;
  p.case_number = case_number;
  if (case_number == 8) {
    p.T = requirement;
  } else {
    p.PQin = requirement;
    p.PQ = requirement * 1000.0f;
  }
  p.D = D;
  p.N = N;
  p.Va = Va;
  p.RHO = 1025.0f;
  p.Z = 4.0f;
  p.EAR = EAR;
  p.IVISC = IVISC;
  p.Hs = 3.5f;
  return p;
}

CaseProcedure procedure_of(int case_number) {
  return case_number == 8   ? design_for_thrust
         : case_number == 9 ? design_for_power
                            : design_for_torque;
}

struct CaseRun {
  std::string screen;
  std::string report;
  CaseOutcome outcome;
  bool stopped = false;
};

CaseRun run_case(const Problem& p) {
  clear_arithmetic_flags();
  testing::TestConsole t;
  CaseRun run;
  try {
    run.outcome = procedure_of(p.case_number)(p, t.io, testing::quiet_warnings());
    run.stopped = run.outcome.closed;
  } catch (const RunStopped&) {
    run.stopped = true;
  }
  run.screen = t.screen.str();
  run.report = t.report.str();
  return run;
}

// The table of a case's outcome with the title `title`, or null.
const ResultTable* table_titled(const Outcome& outcome, const std::string& title) {
  for (const ResultTable& table : outcome.tables()) {
    if (table.title == title) return &table;
  }
  return nullptr;
}

int occurrences(const std::string& text, const std::string& part) {
  int k = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++k;
  return k;
}

// The number that follows `label` on the first report line holding it.
float number_after(const std::string& report, const std::string& label) {
  const std::size_t at = report.find(label);
  if (at == std::string::npos) return NAN;
  return std::stof(report.substr(at + label.size()));
}

enum class Kind { Thrust, Power, Torque };

// The value the pitch table of `kind` would hold at `pd` for the problem's J and Z and the
// blade-area ratio `ear`.
double value_at(const Problem& p, Kind kind, float pd, float ear) {
  Propeller propeller = Propeller::of(p);
  propeller.ear = ear;
  const OpenWater point = propeller.at(p.Va / (p.N / 60.0f * p.D), pd);
  const double n = p.N / 60.0;
  const double q = n * n * std::pow(p.D, 5.0) * point.Kq * p.RHO;
  switch (kind) {
    case Kind::Thrust:
      return n * n * std::pow(p.D, 4.0) * point.Kt * p.RHO;
    case Kind::Power:
      return n * q * 6.28318 / 1000.0;
    case Kind::Torque:
      break;
  }
  return q / 1000.0;
}

Kind kind_of(int case_number) {
  return case_number == 8 ? Kind::Thrust : case_number == 9 ? Kind::Power : Kind::Torque;
}

const PitchQuantity& quantity_of(int case_number) {
  return case_number == 8 ? kThrustQuantity : case_number == 9 ? kPowerQuantity : kTorqueQuantity;
}

// The requirement in the unit of the pitch table: N, kW or kNm.
double required_of(const Problem& input) {
  return input.case_number == 8 ? input.T * 1000.0 : input.PQin;
}

// The design P/D of the problem: the pitch table at the design J solved for the requirement.
float design_pitch(const Problem& p) {
  const PitchTable table = sweep_pitch(Propeller::of(p), design_advance_coefficient(p.Va, p.N, p.D),
                                       p.N, p.D, p.RHO, quantity_of(p.case_number));
  RecordingNumericMessages messages;
  RootSearchState state;
  return solve_pitch(table, quantity_of(p.case_number).required(p.T, p.PQ), p.PD, messages, state);
}

// ---------------------------------------------------------------------------------------------
// Pitch sweep

// At J = 0.1 every P/D of every series has a positive thrust: the full grids.
TEST(DesignPitchSweep, EachSeriesSweepsItsWholePitchRange) {
  struct Expected {
    Series series;
    int count;
    float first;
    float last;
  };
  for (const Expected e :
       {Expected{Series::WageningenB, 10, 0.5f, 1.4f}, Expected{Series::Gawn, 16, 0.5f, 2.0f},
        Expected{Series::Kca, 15, 0.6f, 2.0f}}) {
    const Problem p = design_problem(e.series, 8, 300.0f, 4.0f, 120.0f, 0.8f, 0.65f);
    const PitchTable table = sweep_pitch(Propeller::of(p), 0.1f, p.N, p.D, p.RHO, kThrustQuantity);
    ASSERT_EQ(table.size(), e.count) << series_facts(e.series).name;
    EXPECT_EQ(table.J, 0.1f);
    EXPECT_NEAR(table.pd.front(), e.first, 1e-6);
    EXPECT_NEAR(table.pd.back(), e.last, 1e-5);
    for (int k = 1; k < table.size(); ++k) {
      EXPECT_NEAR(table.pd[k] - table.pd[k - 1], 0.1, 1e-6);
      EXPECT_GT(table.value[k], table.value[k - 1]);
    }
  }
}

// n = 2 rev/s, D = 4 m, RHO = 1025, Kt = 0.2, Kq = 0.03 give 209.92 kN, 125.952 kNm and
// 1582.76 kW: the value column of each quantity from the coefficients alone.
TEST(DesignPitchSweep, ValueColumnOfEachKindGivesTheQuotedQuantities) {
  const float n = 120.0f / 60.0f;
  const OpenWater point{0.5f, 4.0f, 0.2f, 0.03f, 0.5f};
  EXPECT_FLOAT_EQ(kThrustQuantity.value(n, 4.0f, 1025.0f, point), 209920.0f);
  EXPECT_FLOAT_EQ(kTorqueQuantity.value(n, 4.0f, 1025.0f, point), 125.952f);
  EXPECT_NEAR(kPowerQuantity.value(n, 4.0f, 1025.0f, point), 1582.76, 0.005);
  // The thrust column is held in N and printed in kN; power and torque as held.
  EXPECT_FLOAT_EQ(kThrustQuantity.printed(209920.0f), 209.92f);
  EXPECT_EQ(kTorqueQuantity.printed(125.952f), 125.952f);
  EXPECT_EQ(kPowerQuantity.printed(1582.76f), 1582.76f);
}

// The spline through a real pitch table need not return the last value exactly at the last
// knot, so the root search alone reports "no root" for a requirement equal to it and leaves
// the pitch unchanged.  solve_pitch takes the end's P/D instead.
TEST(DesignSolvePitch, RequirementEqualToAnEndValueGivesThatEndsPitch) {
  const Problem p = design_problem(Series::WageningenB, 8, 300.0f, 4.0f, 120.0f, 3.0f, 0.45f);
  const PitchTable table = sweep_pitch(Propeller::of(p), 0.375f, p.N, p.D, p.RHO, kThrustQuantity);
  ASSERT_EQ(table.size(), 10);

  RootSearchState state;
  RecordingNumericMessages messages;
  float root = -1.0f;
  find_root_on_table(table.size(), table.pd.data(), table.value.data(), table.value.back(), root,
                     messages, state);
  EXPECT_EQ(root, -1.0f);  // the fault the end rule removes
  EXPECT_EQ(messages.count(RecordingNumericMessages::Kind::NoRootInRange), 1);

  messages.clear();
  root = solve_pitch(table, table.value.back(), root, messages, state);
  EXPECT_EQ(root, table.pd.back());
  root = solve_pitch(table, table.value.front(), root, messages, state);
  EXPECT_EQ(root, table.pd.front());
  EXPECT_TRUE(messages.messages().empty());
  EXPECT_TRUE(table_brackets(table, table.value.back()));
  EXPECT_FALSE(table_brackets(table, std::nextafter(table.value.back(), 1e9f)));
  EXPECT_FALSE(table_brackets(PitchTable{}, 0.0f));
}

// ---------------------------------------------------------------------------------------------
// The design cases

struct DesignInput {
  Series series;
  int case_number;
  float requirement;
};

constexpr Series kB = Series::WageningenB, kGawn = Series::Gawn, kKca = Series::Kca;
const DesignInput kDesigns[] = {
    {kB, 8, 500.0f},    {kB, 9, 5000.0f},    {kB, 10, 450.0f},
    {kGawn, 8, 500.0f}, {kGawn, 9, 5000.0f}, {kGawn, 10, 450.0f},
    {kKca, 8, 500.0f},  {kKca, 9, 5000.0f},  {kKca, 10, 450.0f},
};

Problem merchant_ship(const DesignInput& d) {
  return design_problem(d.series, d.case_number, d.requirement, 5.0f, 110.0f, 6.5f, 0.65f);
}

// The design P/D gives the requirement at the design J and the result line shows it.  Cases 9
// and 10 take T as the thrust at the design point (kN), case 9 prints it, and the checks use it:
// the Keller minimum (1.3 + 0.3 Z) T 1000 / ((RHO Hs g + 98300) D^2), and the blade-area sweep,
// which matches that thrust and so gives the design P/D again at the design blade area.  The
// run pauses four times in case 8, three times in cases 9 and 10.
TEST(DesignCases, DesignPitchMeetsTheRequirementAndTheChecksUseItsThrust) {
  for (const DesignInput& d : kDesigns) {
    SCOPED_TRACE(std::string(series_facts(d.series).name) + " case " +
                 std::to_string(d.case_number));
    const Problem input = merchant_ship(d);
    const CaseRun run = run_case(input);
    ASSERT_FALSE(run.stopped);
    const float pd = design_pitch(input);
    ASSERT_GT(pd, 1.0f);
    ASSERT_LT(pd, 1.2f);
    EXPECT_NEAR(value_at(input, kind_of(d.case_number), pd, input.EAR), required_of(input),
                1e-4 * required_of(input));
    char pd_text[8];
    std::snprintf(pd_text, sizeof pd_text, "%6.3f", static_cast<double>(pd));
    EXPECT_NE(run.report.find(std::string("pic orani P/D = ") + pd_text + " olarak"),
              std::string::npos);
    EXPECT_NE(run.report.find(std::string("       6   .650  ") + pd_text), std::string::npos);
    EXPECT_EQ(occurrences(run.screen, " DEVAM ICIN ENTER TUSUNA BASINIZ \n"),
              d.case_number == 8 ? 4 : 3);
    EXPECT_EQ(occurrences(run.report, "**D**"), 1);
    // The blade-area sweep runs up to 1.10.
    const ResultTable* sweep = table_titled(run.outcome, "Blade-area sweep");
    ASSERT_NE(sweep, nullptr);
    ASSERT_FALSE(sweep->rows.empty());
    EXPECT_EQ(sweep->rows.back()[0], 1.10f);

    const double thrust_kn = value_at(input, Kind::Thrust, pd, input.EAR) / 1000.0;
    const double T = d.case_number == 8 ? 500.0 : thrust_kn;
    if (d.case_number == 9) {
      EXPECT_NEAR(number_after(run.report, "itme kuvveti  - T ="), T, 0.0005 + 1e-5 * thrust_kn);
    }
    const double z = blade_number_used(d.series, input.Z);  // 3 for the Gawn series
    const double keller = (1.3 + 0.3 * z) * T * 1000.0 / ((1025.0 * 3.5 * 9.81 + 98300.0) * 25.0);
    EXPECT_NEAR(number_after(run.report, "\n Min. EAR ="), keller, 0.0005);
  }
}

// With Va = 0 the design J is 0.001, below the grid: no design row, but the summary still
// holds the design point: the torque (case 10) and the power (case 9) that were required, and
// in case 9 the thrust there for the checks.
TEST(DesignCases, DesignPointBelowTheGridStillGivesTheSummary) {
  const CaseRun torque = run_case(design_problem(kB, 10, 300.0f, 4.0f, 100.0f, 0.0f, 0.6f));
  ASSERT_FALSE(torque.stopped);
  EXPECT_EQ(occurrences(torque.report, "**D**"), 0);
  EXPECT_NEAR(number_after(torque.report, "TORK="), 300.0, 0.05);

  const Problem input = design_problem(kB, 9, 3000.0f, 4.0f, 100.0f, 0.0f, 0.6f);
  const CaseRun power = run_case(input);
  ASSERT_FALSE(power.stopped);
  EXPECT_EQ(occurrences(power.report, "**D**"), 0);
  EXPECT_NEAR(number_after(power.report, "Pd="), 3000.0, 0.5);
  const double thrust_kn = value_at(input, Kind::Thrust, design_pitch(input), input.EAR) / 1000.0;
  const float T = number_after(power.report, "itme kuvveti  - T =");
  EXPECT_NEAR(T, thrust_kn, 0.0005 + 1e-5 * thrust_kn);
  EXPECT_GT(T, 100.0f);
}

// EAR = 0: no design, the viscous correction off, one pause.  Each case's blade-area table
// matches its own requirement: thrust, delivered power or torque.
TEST(DesignCases, BladeAreaOnlyEntryMatchesTheCasesOwnRequirement) {
  for (const int case_number : {8, 9, 10}) {
    SCOPED_TRACE("case " + std::to_string(case_number));
    const float requirement = case_number == 8 ? 500.0f : case_number == 9 ? 5000.0f : 450.0f;
    const Problem input = design_problem(kB, case_number, requirement, 5.0f, 110.0f, 6.5f, 0.0f, 1);
    const CaseRun run = run_case(input);
    ASSERT_FALSE(run.stopped);
    // IVISC = 1 is given, but the table is uncorrected and the report says so.
    EXPECT_NE(run.report.find(" VISKOZ DUZELTME YAPILMAMISTIR\n"), std::string::npos);
    EXPECT_EQ(run.report.find("ITTC78"), std::string::npos);
    EXPECT_EQ(run.report.find("Ilerleme"), std::string::npos);  // no header, no design
    EXPECT_EQ(occurrences(run.screen, " DEVAM ICIN ENTER TUSUNA BASINIZ \n"), 1);

    Problem uncorrected = input;
    uncorrected.IVISC = 0;
    std::istringstream in(run.report);
    std::string line;
    int rows = 0;
    while (std::getline(in, line)) {
      int i = 0;
      float ear = 0, pd = 0, eta = 0;
      if (line.rfind("      ", 0) != 0 ||
          std::sscanf(line.c_str(), "%d %f %f %f", &i, &ear, &pd, &eta) != 4)
        continue;
      ++rows;
      // P/D is printed to 0.0005; the root itself to 1e-05 of the table's range.
      const double slack = 2e-5 * required_of(input);
      const double low = value_at(uncorrected, kind_of(case_number), pd - 0.0005f, ear);
      const double high = value_at(uncorrected, kind_of(case_number), pd + 0.0005f, ear);
      EXPECT_LE(low, required_of(input) + slack) << ear;
      EXPECT_GE(high, required_of(input) - slack) << ear;
    }
    EXPECT_EQ(rows, 15);
  }
}

}  // namespace
}  // namespace tidewerk
