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
#include "report/run_end.h"
#include "series/evaluator.h"
#include "support/test_support.h"

namespace tidewerk {
namespace {

// The series' limits as the main program sets them: PDmin, PDmax, EARmin, EARmax.
constexpr float kLimits[4][4] = {{0, 0, 0, 0},
                                 {0.5f, 1.401f, 0.3f, 1.0501f},
                                 {0.5f, 2.001f, 0.201f, 1.101f},
                                 {0.6f, 2.001f, 0.501f, 1.101f}};

// The record as the main program fills it for case 8 (requirement in kN), 9 (kW) or 10 (kNm).
RunContext design_context(int series, int case_number, float requirement, float D, float N,
                          float Va, float EAR, int IVISC = 0) {
  RunContext ctx;
  ctx.series = series;
  ctx.case_number = case_number;
  const float* limits = kLimits[series >= 1 && series <= 3 ? series : 0];
  ctx.PDmin = limits[0];
  ctx.PDmax = limits[1];
  ctx.EARmin = limits[2];
  ctx.EARmax = limits[3];
  if (case_number == 8) {
    ctx.T = requirement;
  } else {
    ctx.PQin = requirement;
    ctx.PQ = requirement * 1000.0f;
  }
  ctx.D = D;
  ctx.N = N;
  ctx.Va = Va;
  ctx.RHO = 1025.0f;
  ctx.Z = 4.0f;
  ctx.EAR = EAR;
  ctx.IVISC = IVISC;
  ctx.Hs = 3.5f;
  return ctx;
}

CaseProcedure procedure_of(int case_number) {
  return case_number == 8   ? design_for_thrust
         : case_number == 9 ? design_for_power
                            : design_for_torque;
}

struct CaseRun {
  RunContext ctx;
  std::string screen;
  std::string report;
  bool stopped = false;
};

CaseRun run_case(RunContext ctx) {
  clear_arithmetic_flags();
  testing::TestConsole t;
  CaseRun run;
  try {
    procedure_of(ctx.case_number)(ctx, t.io);
  } catch (const RunStopped&) {
    run.stopped = true;
  }
  run.ctx = ctx;
  run.screen = t.screen.str();
  run.report = t.report.str();
  return run;
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

// The value the pitch table of `kind` would hold at `pd` for the record's J, EAR and Z.
double value_at(RunContext ctx, PitchKind kind, float pd, float ear) {
  ctx.J = ctx.Va / (ctx.N / 60.0f * ctx.D);
  evaluate_series(ctx, pd, ear, ctx.Z);
  const double n = ctx.N / 60.0;
  const double q = n * n * std::pow(ctx.D, 5.0) * ctx.Kq * ctx.RHO;
  switch (kind) {
    case PitchKind::Thrust:
      return n * n * std::pow(ctx.D, 4.0) * ctx.Kt * ctx.RHO;
    case PitchKind::Power:
      return n * q * 6.28318 / 1000.0;
    case PitchKind::Torque:
      break;
  }
  return q / 1000.0;
}

PitchKind kind_of(int case_number) {
  return case_number == 8   ? PitchKind::Thrust
         : case_number == 9 ? PitchKind::Power
                            : PitchKind::Torque;
}

// The requirement in the unit of the pitch table: N, kW or kNm.
double required_of(const RunContext& input) {
  return input.case_number == 8 ? input.T * 1000.0 : input.PQin;
}

// ---------------------------------------------------------------------------------------------
// Pitch sweep

// At J = 0.1 every P/D of every series has a positive thrust: the full grids.
TEST(DesignPitchSweep, EachSeriesSweepsItsWholePitchRange) {
  struct Expected {
    int series;
    int count;
    float first;
    float last;
  };
  for (const Expected e :
       {Expected{1, 10, 0.5f, 1.4f}, Expected{2, 16, 0.5f, 2.0f}, Expected{3, 15, 0.6f, 2.0f}}) {
    RunContext ctx = design_context(e.series, 8, 300.0f, 4.0f, 120.0f, 0.8f, 0.65f);
    ctx.J = 0.1f;
    PitchTable table;
    sweep_pitch(ctx, PitchKind::Thrust, table);
    ASSERT_EQ(table.size(), e.count) << "series " << e.series;
    EXPECT_NEAR(table.pd.front(), e.first, 1e-6);
    EXPECT_NEAR(table.pd.back(), e.last, 1e-5);
    for (int k = 1; k < table.size(); ++k) {
      EXPECT_NEAR(table.pd[k] - table.pd[k - 1], 0.1, 1e-6);
      EXPECT_GT(table.value[k], table.value[k - 1]);
    }
  }
}

// n = 2 rev/s, D = 4 m, RHO = 1025, Kt = 0.2, Kq = 0.03 give 209.92 kN, 125.952 kNm and
// 1582.76 kW.  With series 0 the evaluator leaves the coefficients as they are, so the value
// column shows the formulas alone.
TEST(DesignPitchSweep, ValueColumnOfEachKindGivesTheQuotedQuantities) {
  RunContext ctx = design_context(0, 8, 300.0f, 4.0f, 120.0f, 6.0f, 0.55f);
  ctx.PDmin = 0.5f;
  ctx.PDmax = 0.5f;  // one pitch
  ctx.Kt = 0.2f;
  ctx.Kq = 0.03f;
  PitchTable table;
  sweep_pitch(ctx, PitchKind::Thrust, table);
  ASSERT_EQ(table.size(), 1);
  EXPECT_FLOAT_EQ(table.value[0], 209920.0f);
  sweep_pitch(ctx, PitchKind::Torque, table);
  EXPECT_FLOAT_EQ(table.value[0], 125.952f);
  sweep_pitch(ctx, PitchKind::Power, table);
  EXPECT_NEAR(table.value[0], 1582.76, 0.005);
}

// The spline through a real pitch table need not return the last value exactly at the last
// knot, so the root search alone reports "no root" for a requirement equal to it and leaves
// the pitch unchanged.  solve_pitch takes the end's P/D instead.
TEST(DesignSolvePitch, RequirementEqualToAnEndValueGivesThatEndsPitch) {
  RunContext ctx = design_context(1, 8, 300.0f, 4.0f, 120.0f, 3.0f, 0.45f);
  ctx.J = 0.375f;
  PitchTable table;
  sweep_pitch(ctx, PitchKind::Thrust, table);
  ASSERT_EQ(table.size(), 10);

  RootSearchState state;
  RecordingNumericMessages messages;
  float root = -1.0f;
  find_root_on_table(table.size(), table.pd.data(), table.value.data(), table.value.back(), root,
                     messages, state);
  EXPECT_EQ(root, -1.0f);  // the fault the end rule removes
  EXPECT_EQ(messages.count(RecordingNumericMessages::Kind::NoRootInRange), 1);

  messages.clear();
  solve_pitch(table, table.value.back(), root, messages, state);
  EXPECT_EQ(root, table.pd.back());
  solve_pitch(table, table.value.front(), root, messages, state);
  EXPECT_EQ(root, table.pd.front());
  EXPECT_TRUE(messages.messages().empty());
  EXPECT_TRUE(table_brackets(table, table.value.back()));
  EXPECT_FALSE(table_brackets(table, std::nextafter(table.value.back(), 1e9f)));
  EXPECT_FALSE(table_brackets(PitchTable{}, 0.0f));
}

// ---------------------------------------------------------------------------------------------
// The design cases

struct DesignInput {
  int series;
  int case_number;
  float requirement;
};

const DesignInput kDesigns[] = {
    {1, 8, 500.0f},  {1, 9, 5000.0f}, {1, 10, 450.0f}, {2, 8, 500.0f},  {2, 9, 5000.0f},
    {2, 10, 450.0f}, {3, 8, 500.0f},  {3, 9, 5000.0f}, {3, 10, 450.0f},
};

RunContext merchant_ship(const DesignInput& d) {
  return design_context(d.series, d.case_number, d.requirement, 5.0f, 110.0f, 6.5f, 0.65f);
}

// The design P/D gives the requirement at the design J and the result line shows it.  Cases 9
// and 10 set T to the thrust at the design point (kN), case 9 prints it, and the checks use it:
// the Keller minimum (1.3 + 0.3 Z) T 1000 / ((RHO Hs g + 98300) D^2), and the blade-area sweep,
// which matches that thrust and so gives the design P/D again at the design blade area.  The
// run pauses four times in case 8, three times in cases 9 and 10.
TEST(DesignCases, DesignPitchMeetsTheRequirementAndTheChecksUseItsThrust) {
  for (const DesignInput& d : kDesigns) {
    SCOPED_TRACE("series " + std::to_string(d.series) + " case " + std::to_string(d.case_number));
    const RunContext input = merchant_ship(d);
    const CaseRun run = run_case(input);
    ASSERT_FALSE(run.stopped);
    const float pd = run.ctx.PD;
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
    EXPECT_EQ(run.ctx.EAR, 1.10f);

    const float T = run.ctx.T;
    const double thrust_kn = value_at(input, PitchKind::Thrust, pd, input.EAR) / 1000.0;
    EXPECT_NEAR(T, d.case_number == 8 ? 500.0 : thrust_kn, 1e-5 * thrust_kn);
    if (d.case_number == 9) EXPECT_NEAR(number_after(run.report, "itme kuvveti  - T ="), T, 0.0005);
    const double z = run.ctx.Z;  // 3 after the Gawn evaluator
    const double keller = (1.3 + 0.3 * z) * T * 1000.0 / ((1025.0 * 3.5 * 9.81 + 98300.0) * 25.0);
    EXPECT_NEAR(number_after(run.report, "\n Min. EAR ="), keller, 0.0005);
  }
}

// With Va = 0 the design J is 0.001, below the grid: no design row, but the summary still
// holds the design point: the torque (case 10) and the power (case 9) that were required, and
// in case 9 the thrust there for the checks.
TEST(DesignCases, DesignPointBelowTheGridStillGivesTheSummary) {
  const CaseRun torque = run_case(design_context(1, 10, 300.0f, 4.0f, 100.0f, 0.0f, 0.6f));
  ASSERT_FALSE(torque.stopped);
  EXPECT_EQ(occurrences(torque.report, "**D**"), 0);
  EXPECT_NEAR(number_after(torque.report, "TORK="), 300.0, 0.05);

  const RunContext input = design_context(1, 9, 3000.0f, 4.0f, 100.0f, 0.0f, 0.6f);
  const CaseRun power = run_case(input);
  ASSERT_FALSE(power.stopped);
  EXPECT_EQ(occurrences(power.report, "**D**"), 0);
  EXPECT_NEAR(number_after(power.report, "Pd="), 3000.0, 0.5);
  EXPECT_NEAR(power.ctx.T, number_after(power.report, "itme kuvveti  - T ="), 0.0005);
  EXPECT_GT(power.ctx.T, 100.0f);
}

// EAR = 0: no design, the viscous correction off, one pause.  Each case's blade-area table
// matches its own requirement: thrust, delivered power or torque.
TEST(DesignCases, BladeAreaOnlyEntryMatchesTheCasesOwnRequirement) {
  for (const int case_number : {8, 9, 10}) {
    SCOPED_TRACE("case " + std::to_string(case_number));
    const float requirement = case_number == 8 ? 500.0f : case_number == 9 ? 5000.0f : 450.0f;
    RunContext input = design_context(1, case_number, requirement, 5.0f, 110.0f, 6.5f, 0.0f, 1);
    const CaseRun run = run_case(input);
    ASSERT_FALSE(run.stopped);
    EXPECT_EQ(run.ctx.IVISC, 0);
    EXPECT_EQ(run.report.find("Ilerleme"), std::string::npos);  // no header, no design
    EXPECT_EQ(occurrences(run.screen, " DEVAM ICIN ENTER TUSUNA BASINIZ \n"), 1);

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
      input.IVISC = 0;
      // P/D is printed to 0.0005; the root itself to 1e-05 of the table's range.
      const double slack = 2e-5 * required_of(input);
      const double low = value_at(input, kind_of(case_number), pd - 0.0005f, ear);
      const double high = value_at(input, kind_of(case_number), pd + 0.0005f, ear);
      EXPECT_LE(low, required_of(input) + slack) << ear;
      EXPECT_GE(high, required_of(input) - slack) << ear;
    }
    EXPECT_EQ(rows, 15);
  }
}

}  // namespace
}  // namespace tidewerk
