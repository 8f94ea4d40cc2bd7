// Cases 8, 9 and 10: the pitch ratio at which a propeller of given diameter, revolutions,
// blade number and blade area gives a required thrust, absorbs a required delivered power or
// a required torque.  One procedure; what differs between the three cases is the data of a
// DesignCase.
#include "cases/design.h"

#include <algorithm>
#include <cmath>

#include "cases/blade_area.h"
#include "cases/case_warnings.h"
#include "cases/cases.h"
#include "cases/data_entry_check.h"
#include "cases/figures.h"
#include "cases/numeric_messages.h"
#include "cases/open_water_table.h"
#include "cases/performance.h"
#include "cases/series_use.h"
#include "numeric/grid.h"
#include "numeric/precision.h"
#include "report/standard_blocks.h"

namespace tidewerk {
namespace {

constexpr float kPitchStep = 0.1f;

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
  const PitchQuantity& quantity;
  bool pause_after_header;
  const char* pitch_heading;
  const char* column_heads;
  const char* row_layout;          // i, P/D, the table value in its printed unit
  const char* requirement_layout;  // the required value in its printed unit
  const char* stop_layout;
  const char* result_layout;  // the design P/D
  ResultLine second_result_line;
  bool thrust_from_design_point;  // T := the design thrust, for the checks and the sweep
  BurrillRules burrill;
};

const DesignCase kThrustDesign{
    .quantity = kThrustQuantity,
    .pause_after_header = true,
    .pitch_heading = "Pic degisimine bagli pervane itme kuvvetleri",
    .column_heads = "  i   P/D     T(kN)  ",
    .row_layout = "(1X,I2,2X,F6.3,2X,F7.2)",
    .requirement_layout = "(1X,'Istenen pervane itme kuvveti - T = ', F7.2, ' kN dur.')",
    .stop_layout = "(1X,'Itme sinirlari disindasiniz - Baska dizayn yapiniz - STOP')",
    .result_layout =
        "(1X,'Istenen itmeyi saglayan pic orani P/D = ', F6.3,   ' olarak hesaplanmistir.')",
    .second_result_line = ResultLine::DeliveredPower,
    .thrust_from_design_point = false,
    .burrill = {.skip_for_gawn = true, .zero_below_first_sigma = true},
};

const DesignCase kPowerDesign{
    .quantity = kPowerQuantity,
    .pause_after_header = false,
    .pitch_heading = "Pic degisimine bagli pervaneye verilen gucler",
    .column_heads = "  i   P/D     Pd(kW)  ",
    .row_layout = "(1X,I2,2X,F6.3,3X,F7.1)",
    .requirement_layout = "(1X,'Pervaneye verilen guc - Pd = ', F7.2, ' kW')",
    .stop_layout = "(1X,'Guc sinirlari disindasiniz - Baska dizayn yapiniz  - STOP')",
    .result_layout =
        "(1X,'Istenen gucu saglayan pic orani P/D = ', F6.3,     ' olarak hesaplanmistir.')",
    .second_result_line = ResultLine::Thrust,
    .thrust_from_design_point = true,
    .burrill = {.skip_for_gawn = false, .zero_below_first_sigma = false},
};

const DesignCase kTorqueDesign{
    .quantity = kTorqueQuantity,
    .pause_after_header = false,
    .pitch_heading = "Pic degisimine bagli pervaneye verilen gucler",
    .column_heads = "  i    P/D    Q(kNm)  ",
    .row_layout = "(1X,I2,2X,F6.3,2X,F7.2)",
    .requirement_layout = "(1X,'Pervaneye verilen moment - Q = ', F7.2, ' kNm')",
    .stop_layout = "(1X,'Moment sinirlari disindasiniz - Baska dizayn yapiniz - STOP')",
    .result_layout =
        "(1X,'Istenen momenti saglayan pic orani P/D = ', F6.3,  ' olarak hesaplanmistir.')",
    .second_result_line = ResultLine::None,
    .thrust_from_design_point = true,
    .burrill = {.skip_for_gawn = false, .zero_below_first_sigma = false},
};

double squared(float n) {
  return std::pow(double{n}, 2.0);
}

// Thrust, N, with the factors in the order n^2 * D^4 * Kt * RHO.
double thrust_expression(float n, float D, float Kt, float RHO) {
  return squared(n) * std::pow(double{D}, 4.0) * double{Kt} * double{RHO};
}

// Torque, N*m, with the factors in the order n^2 * D^5 * Kq * RHO.
double torque_expression(float n, float D, float Kq, float RHO) {
  return squared(n) * std::pow(double{D}, 5.0) * double{Kq} * double{RHO};
}

void write_header(const Problem& p, float J, Console& io) {
  io.block([&](OutputChannel& out) {
    out.write("(//1X,'Pervane Ilerleme Katsayisi - J = ',F6.3)", {J});
    out.write("(  1X,'Pervane Capi               - D = ',F6.3,' m')", {p.D});
    out.write("(  1X,'Pervane Devri              - N = ',F6.1,' RPM')", {p.N});
    out.write("(  1X,'Pervane Kanat Sayisi       - Z = ',I2.1)", {whole_number(p.Z)});
    out.write("(  1X,'Pervane Acinim Alan Orani - Ae = ',F6.3)", {p.EAR});
    out.write("(  1X,'Pervane Saft Derinligi    - Hs = ',F6.3,' m')", {p.Hs});
    out.blank();
    out.blank();
  });
}

// Writes the pitch table and the requirement; returns the table "pitch" (P/D and the value).
ResultTable write_pitch_table(const DesignCase& c, const PitchTable& table, float required,
                              Console& io) {
  const PitchQuantity& q = c.quantity;
  io.block([&](OutputChannel& out) {
    out.text(c.pitch_heading);
    out.text(kPitchRule);
    out.text(c.column_heads);
    out.text(kPitchRule);
    for (int i = 0; i < table.size(); ++i) {
      const auto k = static_cast<std::size_t>(i);
      out.write(c.row_layout, {i + 1, table.pd[k], q.printed(table.value[k])});
    }
    out.text(kPitchRule);
    out.write(c.requirement_layout, {q.printed(required)});
  });
  ResultTable t{"pitch", "Pitch table", {"PD", q.column}, {}, false, {}};
  for (int i = 0; i < table.size(); ++i) {
    const auto k = static_cast<std::size_t>(i);
    t.rows.push_back({table.pd[k], q.printed(table.value[k])});
  }
  return t;
}

// Writes the design P/D and the case's second result line; returns their values.
std::vector<ResultValue> write_result(const DesignCase& c, const Problem& p,
                                      const Propeller& propeller, float J, float pd, Console& io) {
  const float n = revolutions_per_second(p.N);
  float second = 0;
  const char* second_layout = nullptr;
  const char* second_name = nullptr;  // and unit, for the result block of --json
  const char* second_unit = nullptr;
  switch (c.second_result_line) {
    case ResultLine::DeliveredPower: {
      const OpenWater point = propeller.at(J, pd);
      const float Q = single(torque_expression(n, p.D, point.Kq, p.RHO));
      second_layout = "(' Pervaneye verilen guc - Pd = ',F8.2,                ' kW' )";
      second = delivered_power_kw(Q, n);
      second_name = "Pd", second_unit = "kW";
      break;
    }
    case ResultLine::Thrust: {
      const OpenWater point = propeller.at(J, pd);
      second_layout = "(' Pervane itme kuvveti  - T = ',F8.3,                 ' kN' )";
      second = single(thrust_expression(n, p.D, point.Kt, p.RHO) / double{1000.0f});
      second_name = "T", second_unit = "kN";
      break;
    }
    case ResultLine::None:
      break;
  }
  io.block([&](OutputChannel& out) {
    out.write(c.result_layout, {pd});
    if (second_layout != nullptr) out.write(second_layout, {second});
  });
  std::vector<ResultValue> values{{"PD", "", pd}};
  if (second_name != nullptr) values.push_back({second_name, second_unit, second});
  return values;
}

// The open-water grid of the designed propeller.
const std::vector<float>& design_grid() {
  static const std::vector<float> grid = accumulated_grid(kOpenWaterGrid);
  return grid;
}

// The design point with the open-water table and diagram of the designed propeller.
struct DesignedOpenWater {
  OpenWater design;
  ResultTable table;
  Diagram diagram;
};

// The open-water table of the designed propeller with the design row marked "**D**" after the
// grid row below it.  Returns the design point: that of the design row or, where the table has
// none (design J outside the grid or beside a left-out row), the series evaluated there all the
// same; with the table and its diagram.
DesignedOpenWater write_open_water_table(const Propeller& propeller, Console& io, float Jd,
                                         float design_pd) {
  write_open_water_head(io, "(//5X,'Pervane Acik Su Karakteristikleri ')");

  ResultTable figure_table{
      kOpenWaterTable,   "Open-water characteristics of the designed propeller",
      kOpenWaterColumns, {},
      kMarkColumn,       {}};
  const std::vector<float>& grid = design_grid();
  std::vector<OpenWater> points(grid.size());
  propeller.over(design_pd, grid.data(), grid.size(), points.data());

  OpenWater design{};
  bool design_row_written = false;
  int i = 0;
  for (const OpenWater& point : points) {
    if (point.Kt < 0.0f) continue;  // no row, and no design-row test
    write_open_water_row(io, kOpenWaterRow, ++i, open_water_row(point.J, point), figure_table);

    // One design row only, even where single-precision rounding of the grid would let two
    // neighbouring rows claim it.
    if (!design_row_written && Jd > point.J &&
        double{point.J} + double{kOpenWaterGrid.step} > double{Jd}) {
      design = propeller.at(Jd, design_pd);
      write_open_water_row(io, kDesignRow, ++i, open_water_row(design.J, design), figure_table);
      figure_table.mark_last_row("design");
      design_row_written = true;
    }
  }
  io.both_text(kOpenWaterRule);

  if (!design_row_written) design = propeller.at(Jd, design_pd);
  Diagram d =
      open_water_diagram(figure_table, propeller, design_pd,
                         propeller_title(propeller.series, design.z, propeller.ear, design_pd));
  mark_on_curves(d, Jd, design.Kt, ten_kq(design.Kq), design.eta0,
                 open_water_label(Jd, design.Kt, ten_kq(design.Kq), design.eta0), "design point");
  return {design, std::move(figure_table), std::move(d)};
}

// The thrust the checks and the sweep work with, and the values of the summary.
struct DesignSummary {
  float T;  // kN: the required thrust, or in the power and torque cases the design point's
  std::vector<ResultValue> values;
};

// Writes the summary under the table.
DesignSummary write_design_summary(const DesignCase& c, const Problem& p, const OpenWater& design,
                                   float design_pd, Console& io) {
  write_series_used(io, p.series);
  const float n = revolutions_per_second(p.N);
  const float Qd =
      single(squared(n) * std::pow(double{p.D}, 5.0) * double{p.RHO} * double{design.Kq});
  float T = p.T;
  if (c.thrust_from_design_point) {
    T = single(squared(n) * std::pow(double{p.D}, 4.0) * double{p.RHO} * double{design.Kt} /
               double{1000.0f});
  }
  const float Pd = delivered_power_kw(Qd, n);
  io.both("(1X,'Z = ',I2,' EAR = ',F5.3,' P/D = ',F5.3)",
          {whole_number(design.z), p.EAR, design_pd});
  io.both("(' TORK=',F8.3,' kNm',1X,'Pd=',F7.1,' kW')", {single(double{Qd} / double{1000.0f}), Pd});
  DesignSummary summary{T, {}};
  summary.values.push_back({"Z", "", static_cast<float>(whole_number(design.z)), true});
  summary.values.push_back({"Q", "kNm", single(double{Qd} / double{1000.0f})});
  // The thrust case has given the power already, on the line under the design P/D.
  if (c.second_result_line != ResultLine::DeliveredPower)
    summary.values.push_back({"Pd", "kW", Pd});
  return summary;
}

// Why a table that does not enclose the requirement gives no design.
std::string outside_table(const PitchQuantity& q, const PitchTable& table, float required) {
  std::string why = "the required " + std::string(q.name) + " " + fixed(q.printed(required), 2) +
                    " " + q.unit + " lies outside the pitch table";
  if (table.size() == 0) return why + " (no pitch ratio gives a positive thrust)";
  return why + " (" + fixed(q.printed(table.value.front()), 2) + " to " +
         fixed(q.printed(table.value.back()), 2) + " " + q.unit + ")";
}

// A requirement a hundred times what the table reaches or more is the mark of a unit slip: a
// power typed in W instead of kW, or a torque in N*m instead of kNm, is a thousand times its
// value, and the table reaches a few times the usual requirement at most.
void warn_unit_slip(const PitchQuantity& q, const PitchTable& table, float required,
                    const Problem& p, Warnings& warnings) {
  if (table.size() == 0) return;
  const float highest = q.printed(*std::max_element(table.value.begin(), table.value.end()));
  if (!(highest > 0.0f) || q.printed(required) < 100.0f * highest) return;
  warnings.add(case_where(p),
               "the required " + std::string(q.name) + " " + fixed(q.printed(required), 2) + " " +
                   q.unit + " is more than a hundred times the most the pitch table reaches (" +
                   fixed(highest, 2) + " " + q.unit + "): is it given in " + q.unit + "?");
}

CaseOutcome run_design_case(const DesignCase& c, const Problem& p, Console& io,
                            Warnings& warnings) {
  CaseOutcome outcome;
  RootSearchState root_search;

  // Blade-area-only entry: no design, only the blade-area table, uncorrected.  The thrust case
  // matches its required thrust; the power and torque cases match their own requirement.
  if (blade_area_only_entry(p)) {
    if (p.IVISC != 0) {
      warnings.add(case_where(p), "IVISC = " + std::to_string(p.IVISC) +
                                      " asks for the ITTC78 correction, but the blade-area-only "
                                      "entry (EAR = 0) is computed without it");
    }
    const Propeller uncorrected{p.series, p.EAR, p.Z, std::nullopt};
    outcome.add(sweep_blade_area(p, uncorrected, io, c.quantity, c.quantity.required(p.T, p.PQ),
                                 root_search));
    write_series_used(io, p.series);
    write_viscous_statement(io, false);
    return outcome;
  }

  check_data_entry(p, io);
  const Propeller propeller = Propeller::of(p);
  warn_correction_not_applied(warnings, p, propeller, "IVISC = " + std::to_string(p.IVISC));
  const float J = design_advance_coefficient(p.Va, p.N, p.D);
  write_header(p, J, io);
  outcome.result("J", J);
  if (c.pause_after_header) {
    io.pause(kContinuePause);
    for (int k = 0; k < 3; ++k) io.console.text(" ");
  }

  const PitchTable table = sweep_pitch(propeller, J, p.N, p.D, p.RHO, c.quantity);
  const float required = c.quantity.required(p.T, p.PQ);
  outcome.add(write_pitch_table(c, table, required, io));
  if (!table_brackets(table, required)) {
    warn_unit_slip(c.quantity, table, required, p, warnings);
    io.block([&c](OutputChannel& out) { out.write(c.stop_layout); });
    outcome.closed = true;
    return std::move(outcome).without_result(outside_table(c.quantity, table, required));
  }

  ChannelNumericMessages messages(io);
  const float design_pd = solve_pitch(table, required, p.PD, messages, root_search);
  warn_pitch_at_end(warnings, p, "the design", design_pd, table.pd.front(), table.pd.back());
  const float Jd = table.J;  // as the series used it
  outcome.add(write_result(c, p, propeller, Jd, design_pd, io));
  pause_between_blank_records(io);

  DesignedOpenWater designed = write_open_water_table(propeller, io, Jd, design_pd);
  const OpenWater design = designed.design;
  outcome.add(std::move(designed.table));
  outcome.diagram() = std::move(designed.diagram);
  outcome.diagram().conditions = conditions_line(p.D, p.N, p.Va, propeller.corrected());
  const DesignSummary summary = write_design_summary(c, p, design, design_pd, io);
  const float T = summary.T;
  outcome.add(summary.values);
  outcome.add(
      check_blade_area({p.series, T, p.D, p.N, p.Va, p.RHO, design.z, p.EAR, design_pd, p.Hs}, io,
                       c.burrill, warnings, case_where(p)));

  outcome.add(sweep_blade_area(p, propeller, io, kThrustQuantity, kThrustQuantity.required(T, p.PQ),
                               root_search));
  write_series_used(io, p.series);
  write_viscous_statement(io, propeller.corrected());
  return outcome;
}

}  // namespace

const PitchQuantity kThrustQuantity{
    .name = "thrust",
    .unit = "kN",
    .column = "T_kN",
    .value = [](float n, float D, float RHO,
                const OpenWater& point) { return single(thrust_expression(n, D, point.Kt, RHO)); },
    .printed = [](float value) { return single(double{value} / double{1000.0f}); },
    .required = [](float T, float) { return single(double{T} * double{1000.0f}); },
};

const PitchQuantity kPowerQuantity{
    .name = "power",
    .unit = "kW",
    .column = "Pd_kW",
    .value =
        [](float n, float D, float RHO, const OpenWater& point) {
          const float Q = single(torque_expression(n, D, point.Kq, RHO));
          return single(double{n} * double{Q} * double{6.28318f} / double{1000.0f});
        },
    .printed = [](float value) { return value; },
    .required = [](float, float PQ) { return single(double{PQ} / double{1000.0f}); },
};

const PitchQuantity kTorqueQuantity{
    .name = "torque",
    .unit = "kNm",
    .column = "Q_kNm",
    .value =
        [](float n, float D, float RHO, const OpenWater& point) {
          return single(torque_expression(n, D, point.Kq, RHO) / double{1000.0f});
        },
    .printed = [](float value) { return value; },
    .required = [](float, float PQ) { return single(double{PQ} / double{1000.0f}); },
};

float design_advance_coefficient(float Va, float N, float D) {
  return single(double{Va} / (double{N} / double{60.0f} * double{D}));
}

PitchTable sweep_pitch(const Propeller& propeller, float J, float N, float D, float RHO,
                       const PitchQuantity& quantity) {
  PitchTable table;
  table.J = J;
  const float n = revolutions_per_second(N);
  const SeriesUse& use = series_use(propeller.series);
  const int count = grid_count(use.PDmin, use.PDmax, kPitchStep);
  float pd = use.PDmin;
  for (int k = 0; k < count; ++k, pd = single(double{pd} + double{kPitchStep})) {
    const OpenWater point = propeller.at(J, pd);
    table.J = point.J;
    if (point.Kt < 0.0f) continue;
    table.pd.push_back(pd);
    table.value.push_back(quantity.value(n, D, RHO, point));
  }
  return table;
}

bool table_brackets(const PitchTable& table, float required) {
  if (table.size() == 0) return false;
  return !(table.value.front() > required || table.value.back() < required);
}

float solve_pitch(const PitchTable& table, float required, float pd, NumericMessages& messages,
                  RootSearchState& state) {
  if (table.size() > 0 && table.value.back() == required) return table.pd.back();
  find_root_on_table(table.size(), table.pd.data(), table.value.data(), required, pd, messages,
                     state);
  return pd;
}

const CaseProcedure design_for_thrust = twin_case<DesignCase, run_design_case, kThrustDesign>;
const CaseProcedure design_for_power = twin_case<DesignCase, run_design_case, kPowerDesign>;
const CaseProcedure design_for_torque = twin_case<DesignCase, run_design_case, kTorqueDesign>;

}  // namespace tidewerk
