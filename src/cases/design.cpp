// Cases 8, 9 and 10: the pitch ratio at which a propeller of given diameter, revolutions,
// blade number and blade area gives a required thrust, absorbs a required delivered power or
// a required torque.  One procedure; what differs between the three cases is the data of a
// DesignCase.
#include "cases/design.h"

#include <cmath>

#include "cases/blade_area.h"
#include "cases/cases.h"
#include "cases/figures.h"
#include "cases/numeric_messages.h"
#include "cases/open_water_layouts.h"
#include "cases/performance.h"
#include "driver/data_entry_check.h"
#include "numeric/precision.h"
#include "report/standard_blocks.h"
#include "series/evaluator.h"

namespace tidewerk {
namespace {

constexpr float kPitchStep = 0.1f;

// The open-water grid of the designed propeller: 0.05 to about 1.475 in steps of 0.025.
constexpr float kFirstJ = 0.05f;
constexpr float kLastJ = 1.5f;
constexpr float kStepJ = 0.025f;

constexpr const char* kPause = " DEVAM ICIN ENTER TUSUNA BASINIZ ";
constexpr const char* kPitchRule = "---|-------|--------|";
constexpr const char* kDesignRow = "(1X,I2,F8.3,3F9.4,4x,2(F10.4,3X),'**D**')";

// The line after the P/D line of the result block.
enum class ResultLine {
  None,
  DeliveredPower,  // the power the propeller absorbs at the design P/D
  Thrust,          // the thrust it gives there
};

// Everything in which the three design cases differ.
struct DesignCase {
  PitchKind kind;
  bool pause_after_header;
  const char* pitch_heading;
  const char* column_heads;
  const char* row_layout;          // i, P/D, the table value in its printed unit
  const char* requirement_layout;  // the required value in its printed unit
  const char* stop_layout;
  const char* result_layout;       // the design P/D
  ResultLine second_result_line;
  bool thrust_from_design_point;   // T := the design thrust, for the checks and the sweep
  BurrillRules burrill;
};

constexpr DesignCase kThrustDesign{
    PitchKind::Thrust,
    true,
    "Pic degisimine bagli pervane itme kuvvetleri",
    "  i   P/D     T(kN)  ",
    "(1X,I2,2X,F6.3,2X,F7.2)",
    "(1X,'Istenen pervane itme kuvveti - T = ', F7.2, ' kN dur.')",
    "(1X,'Itme sinirlari disindasiniz - Baska dizayn yapiniz - STOP')",
    "(1X,'Istenen itmeyi saglayan pic orani P/D = ', F6.3,   ' olarak hesaplanmistir.')",
    ResultLine::DeliveredPower,
    false,
    BurrillRules{true, true},
};

constexpr DesignCase kPowerDesign{
    PitchKind::Power,
    false,
    "Pic degisimine bagli pervaneye verilen gucler",
    "  i   P/D     Pd(kW)  ",
    "(1X,I2,2X,F6.3,3X,F7.1)",
    "(1X,'Pervaneye verilen guc - Pd = ', F7.2, ' kW')",
    "(1X,'Guc sinirlari disindasiniz - Baska dizayn yapiniz  - STOP')",
    "(1X,'Istenen gucu saglayan pic orani P/D = ', F6.3,     ' olarak hesaplanmistir.')",
    ResultLine::Thrust,
    true,
    BurrillRules{false, false},
};

constexpr DesignCase kTorqueDesign{
    PitchKind::Torque,
    false,
    "Pic degisimine bagli pervaneye verilen gucler",
    "  i    P/D    Q(kNm)  ",
    "(1X,I2,2X,F6.3,2X,F7.2)",
    "(1X,'Pervaneye verilen moment - Q = ', F7.2, ' kNm')",
    "(1X,'Moment sinirlari disindasiniz - Baska dizayn yapiniz - STOP')",
    "(1X,'Istenen momenti saglayan pic orani P/D = ', F6.3,  ' olarak hesaplanmistir.')",
    ResultLine::None,
    true,
    BurrillRules{false, false},
};

// The table value as printed: thrust in kN, power and torque as held.
float printed_value(PitchKind kind, float value) {
  return kind == PitchKind::Thrust ? single(double{value} / double{1000.0f}) : value;
}

double squared(float n) { return std::pow(double{n}, 2.0); }

// Thrust, N, with the factors in the order n^2 * D^4 * Kt * RHO.
double thrust_expression(float n, float D, float Kt, float RHO) {
  return squared(n) * std::pow(double{D}, 4.0) * double{Kt} * double{RHO};
}

// Torque, N*m, with the factors in the order n^2 * D^5 * Kq * RHO.
double torque_expression(float n, float D, float Kq, float RHO) {
  return squared(n) * std::pow(double{D}, 5.0) * double{Kq} * double{RHO};
}

// J = Va / ((N / 60) * D).
float design_advance_coefficient(const RunContext& ctx) {
  return single(double{ctx.Va} / (double{ctx.N} / double{60.0f} * double{ctx.D}));
}

void pause_between_blank_records(Console& io) {
  io.console.text(" ");
  io.pause(kPause);
  io.console.text(" ");
}

void write_header(const RunContext& ctx, Console& io) {
  io.block([&ctx](OutputChannel& out) {
    out.write("(//1X,'Pervane Ilerleme Katsayisi - J = ',F6.3)", {ctx.J});
    out.write("(  1X,'Pervane Capi               - D = ',F6.3,' m')", {ctx.D});
    out.write("(  1X,'Pervane Devri              - N = ',F6.1,' RPM')", {ctx.N});
    out.write("(  1X,'Pervane Kanat Sayisi       - Z = ',I2.1)", {whole_number(ctx.Z)});
    out.write("(  1X,'Pervane Acinim Alan Orani - Ae = ',F6.3)", {ctx.EAR});
    out.write("(  1X,'Pervane Saft Derinligi    - Hs = ',F6.3,' m')", {ctx.Hs});
    out.blank();
    out.blank();
  });
}

void write_pitch_table(const DesignCase& c, const PitchTable& table, float required, Console& io) {
  io.block([&](OutputChannel& out) {
    out.text(c.pitch_heading);
    out.text(kPitchRule);
    out.text(c.column_heads);
    out.text(kPitchRule);
    for (int i = 0; i < table.size(); ++i) {
      const auto k = static_cast<std::size_t>(i);
      out.write(c.row_layout, {i + 1, table.pd[k], printed_value(c.kind, table.value[k])});
    }
    out.text(kPitchRule);
    out.write(c.requirement_layout, {printed_value(c.kind, required)});
  });
  if (RunFigures* figures = io.figures()) {
    const char* unit = c.kind == PitchKind::Thrust ? "T (kN)" : c.kind == PitchKind::Power ? "Pd (kW)" : "Q (kNm)";
    ResultTable& t = figures->table("Pitch table", {"P/D (-)", unit});
    for (int i = 0; i < table.size(); ++i) {
      const auto k = static_cast<std::size_t>(i);
      t.rows.push_back({table.pd[k], printed_value(c.kind, table.value[k])});
    }
  }
}

void write_result(const DesignCase& c, RunContext& ctx, Console& io) {
  const float n = revolutions_per_second(ctx.N);
  Values second;
  const char* second_layout = nullptr;
  switch (c.second_result_line) {
    case ResultLine::DeliveredPower: {
      evaluate_series(ctx, ctx.PD, ctx.EAR, ctx.Z);
      const float Q = single(torque_expression(n, ctx.D, ctx.Kq, ctx.RHO));
      second_layout = "(' Pervaneye verilen guc - Pd = ',F8.2,                ' kW' )";
      second = {delivered_power_kw(Q, n)};
      break;
    }
    case ResultLine::Thrust:
      evaluate_series(ctx, ctx.PD, ctx.EAR, ctx.Z);
      second_layout = "(' Pervane itme kuvveti  - T = ',F8.3,                 ' kN' )";
      second = {single(thrust_expression(n, ctx.D, ctx.Kt, ctx.RHO) / double{1000.0f})};
      break;
    case ResultLine::None:
      break;
  }
  io.block([&](OutputChannel& out) {
    out.write(c.result_layout, {ctx.PD});
    if (second_layout != nullptr) out.write(second_layout, second);
  });
}

// Writes the row of the current ctx.J (with ctx.Kt, ctx.Kq, ctx.eta0) in `layout`.
void write_open_water_row(RunContext& ctx, Console& io, const char* layout, int i) {
  ctx.delta = advance_coefficient_delta(ctx.J);
  ctx.Bp = power_coefficient_bp(ctx.Kq, ctx.J);
  io.both(layout, {i, ctx.J, ctx.Kt, ten_kq(ctx.Kq), ctx.eta0, ctx.Bp, ctx.delta});
}

struct DesignPoint {
  float Kt = 0;
  float Kq = 0;
  float eta0 = 0;
};

// For --csv: the row just written.
void collect_row(ResultTable* table, const RunContext& ctx) {
  if (table) table->rows.push_back({ctx.J, ctx.Kt, ten_kq(ctx.Kq), ctx.eta0, ctx.Bp, ctx.delta});
}

// The open-water table of the designed propeller with the design row marked "**D**" after the
// grid row below it.  Returns the coefficients at the design point: those of the design row,
// or, where the table has none (design J outside the grid or beside a left-out row), the
// series evaluated there all the same.
DesignPoint write_open_water_table(RunContext& ctx, Console& io, float Jd, float design_pd) {
  write_open_water_head(io, "(//5X,'Pervane Acik Su Karakteristikleri ')");

  ResultTable* figure_table = nullptr;
  if (RunFigures* figures = io.figures()) {
    figure_table = &figures->table("Open-water characteristics of the designed propeller", kOpenWaterColumns);
  }
  DesignPoint design;
  bool design_row_written = false;
  const int points =
      static_cast<int>((double{kLastJ} - double{kFirstJ} + double{kStepJ}) / double{kStepJ});
  int i = 0;
  float grid_j = kFirstJ;
  for (int k = 0; k < points; ++k, grid_j = single(double{grid_j} + double{kStepJ})) {
    ctx.J = grid_j;
    evaluate_series(ctx, design_pd, ctx.EAR, ctx.Z);
    if (ctx.Kt < 0.0f) continue;  // no row, and no design-row test
    write_open_water_row(ctx, io, kOpenWaterRow, ++i);
    collect_row(figure_table, ctx);

    // One design row only, even where single-precision rounding of the grid would let two
    // neighbouring rows claim it.
    if (!design_row_written && Jd > ctx.J && double{ctx.J} + double{kStepJ} > double{Jd}) {
      ctx.J = Jd;
      evaluate_series(ctx, design_pd, ctx.EAR, ctx.Z);
      write_open_water_row(ctx, io, kDesignRow, ++i);
      collect_row(figure_table, ctx);
      design = {ctx.Kt, ctx.Kq, ctx.eta0};
      design_row_written = true;
    }
  }
  io.both_text(kOpenWaterRule);

  if (!design_row_written) {
    ctx.J = Jd;
    evaluate_series(ctx, design_pd, ctx.EAR, ctx.Z);
    design = {ctx.Kt, ctx.Kq, ctx.eta0};
  }
  if (figure_table) {
    Diagram& d = io.figures()->diagram();
    d = open_water_diagram(*figure_table, propeller_title(ctx.series, ctx.Z, ctx.EAR, design_pd));
    mark_on_curves(d, Jd, design.Kt, ten_kq(design.Kq), design.eta0, labelled("J", Jd), "design point");
  }
  return design;
}

void write_design_summary(const DesignCase& c, RunContext& ctx, Console& io, DesignPoint design) {
  write_series_used(io, ctx.series);
  const float n = revolutions_per_second(ctx.N);
  const float Qd = single(squared(n) * std::pow(double{ctx.D}, 5.0) * double{ctx.RHO} *
                          double{design.Kq});
  if (c.thrust_from_design_point) {
    ctx.T = single(squared(n) * std::pow(double{ctx.D}, 4.0) * double{ctx.RHO} *
                   double{design.Kt} / double{1000.0f});
  }
  const float Pd = delivered_power_kw(Qd, n);
  io.both("(1X,'Z = ',I2,' EAR = ',F5.3,' P/D = ',F5.3)", {whole_number(ctx.Z), ctx.EAR, ctx.PD});
  io.both("(' TORK=',F8.3,' kNm',1X,'Pd=',F7.1,' kW')", {single(double{Qd} / double{1000.0f}), Pd});
}

void run_design_case(const DesignCase& c, RunContext& ctx, Console& io) {
  RootSearchState root_search;

  // Blade-area-only entry: no design, only the blade-area table, uncorrected.  The thrust case
  // matches its required thrust; the power and torque cases match their own requirement.
  if (std::fabs(ctx.EAR) < 0.001f) {
    // Without a series (0, 4, ...) nothing can be evaluated, and the table would show pitch
    // ratios that were never computed: the data-entry message ends such a run here too.
    if (ctx.series < 1 || ctx.series > 3) check_data_entry(ctx, io);
    ctx.IVISC = 0;
    sweep_blade_area(ctx, io, c.kind, required_value(ctx, c.kind), root_search);
    write_series_used(io, ctx.series);
    write_viscous_statement(io, ctx.IVISC, ctx.series);
    return;
  }

  check_data_entry(ctx, io);
  ctx.J = design_advance_coefficient(ctx);
  write_header(ctx, io);
  if (c.pause_after_header) {
    io.pause(kPause);
    for (int k = 0; k < 3; ++k) io.console.text(" ");
  }

  PitchTable table;
  sweep_pitch(ctx, c.kind, table);
  const float required = required_value(ctx, c.kind);
  write_pitch_table(c, table, required, io);
  if (!table_brackets(table, required)) {
    io.block([&c](OutputChannel& out) { out.write(c.stop_layout); });
    io.stop();
  }

  ChannelNumericMessages messages(io);
  solve_pitch(table, required, ctx.PD, messages, root_search);
  write_result(c, ctx, io);

  const float Jd = ctx.J;
  const float design_pd = ctx.PD;
  pause_between_blank_records(io);

  const DesignPoint design = write_open_water_table(ctx, io, Jd, design_pd);
  write_design_summary(c, ctx, io, design);
  check_blade_area(ctx, io, c.burrill);

  sweep_blade_area(ctx, io, PitchKind::Thrust, required_value(ctx, PitchKind::Thrust),
                   root_search);
  write_series_used(io, ctx.series);
  write_viscous_statement(io, ctx.IVISC, ctx.series);
}

}  // namespace

void sweep_pitch(RunContext& ctx, PitchKind kind, PitchTable& table) {
  table.pd.clear();
  table.value.clear();
  const float n = revolutions_per_second(ctx.N);
  const int count = static_cast<int>((double{ctx.PDmax} - double{ctx.PDmin} + double{kPitchStep}) /
                                     double{kPitchStep});
  float pd = ctx.PDmin;
  for (int k = 0; k < count; ++k, pd = single(double{pd} + double{kPitchStep})) {
    evaluate_series(ctx, pd, ctx.EAR, ctx.Z);
    if (ctx.Kt < 0.0f) continue;
    float value = 0.0f;
    switch (kind) {
      case PitchKind::Thrust:
        value = single(thrust_expression(n, ctx.D, ctx.Kt, ctx.RHO));
        break;
      case PitchKind::Power: {
        const float Q = single(torque_expression(n, ctx.D, ctx.Kq, ctx.RHO));
        value = single(double{n} * double{Q} * double{6.28318f} / double{1000.0f});
        break;
      }
      case PitchKind::Torque:
        value = single(torque_expression(n, ctx.D, ctx.Kq, ctx.RHO) / double{1000.0f});
        break;
    }
    table.pd.push_back(pd);
    table.value.push_back(value);
  }
}

float required_value(const RunContext& ctx, PitchKind kind) {
  if (kind == PitchKind::Thrust) return single(double{ctx.T} * double{1000.0f});
  return single(double{ctx.PQ} / double{1000.0f});
}

bool table_brackets(const PitchTable& table, float required) {
  if (table.size() == 0) return false;
  return !(table.value.front() > required || table.value.back() < required);
}

void solve_pitch(const PitchTable& table, float required, float& pd, NumericMessages& messages,
                 RootSearchState& state) {
  if (table.size() > 0 && table.value.back() == required) {
    pd = table.pd.back();
    return;
  }
  find_root_on_table(table.size(), table.pd.data(), table.value.data(), required, pd, messages,
                     state);
}

void design_for_thrust(RunContext& ctx, Console& io) { run_design_case(kThrustDesign, ctx, io); }
void design_for_power(RunContext& ctx, Console& io) { run_design_case(kPowerDesign, ctx, io); }
void design_for_torque(RunContext& ctx, Console& io) { run_design_case(kTorqueDesign, ctx, io); }

}  // namespace tidewerk
