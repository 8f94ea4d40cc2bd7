// The study's record: its inputs, tables, results and diagrams.
#include "outputs/study_record.h"

#include <array>
#include <cmath>
#include <numbers>

#include "cases/figures.h"
#include "numeric/precision.h"
#include "outputs/record.h"
#include "report/warnings.h"

namespace tidewerk {
namespace {

constexpr double kKilo = 1000.0;
// Colours of the study's own lines and points (the curves take those of the open-water
// diagram); each is told apart from the others in the browser check.
constexpr const char* kColourMcr = "#e08a00";
constexpr const char* kColourTrialPoints = "#333333";
constexpr const char* kColourServicePoints = "#8a2be2";

Cell real(double value) {
  return value;
}

// A real of the record in a diagram (single precision).
float plotted(double value) {
  return single(value);
}

std::string factor_text(const std::optional<double>& value) {
  return value ? fixed(*value, 4) : std::string("holtrop");
}

std::string joined(const std::vector<std::string>& words) {
  std::string text;
  for (std::size_t k = 0; k < words.size(); ++k) text += (k ? ", " : "") + words[k];
  return text;
}

RecordTable resistance_table(const StudyResult& result) {
  RecordTable t{std::string(kStudyTables[0]),
                "Resistance in the trial condition",
                {{"V_kn", 2},
                 {"Fn", 4},
                 {"Rn", 0},
                 {"CF", 6},
                 {"CA", 6},
                 {"form_factor", 4},
                 {"RF_kN", 1},
                 {"RAPP_kN", 1},
                 {"RW_kN", 1},
                 {"RB_kN", 1},
                 {"RTR_kN", 1},
                 {"RA_kN", 1},
                 {"RT_kN", 1},
                 {"PE_kW", 0}},
                {}};
  for (const ResistanceRow& r : result.resistance) {
    t.rows.push_back({real(r.V / knot), real(r.Fn), real(r.Rn), real(r.CF), real(r.CA),
                      real(r.form_factor), real(r.RF / kKilo), real(r.RAPP / kKilo),
                      real(r.RW / kKilo), real(r.RB / kKilo), real(r.RTR / kKilo),
                      real(r.RA / kKilo), real(r.RT / kKilo), real(r.PE / kKilo)});
  }
  return t;
}

RecordTable candidates_table(const StudyResult& result) {
  RecordTable t{std::string(kStudyTables[1]),
                "Candidates at the design speed, service condition",
                {{"series", 0}, {"Z", 0},     {"EAR", 3},      {"EARmin", 3}, {"D_m", 3},
                 {"PD", 3},     {"N_rpm", 2}, {"J", 4},        {"Kt", 4},     {"10Kq", 4},
                 {"eta0", 4},   {"w", 4},     {"t", 4},        {"etaR", 4},   {"etaD", 4},
                 {"Pd_kW", 0},  {"Pb_kW", 0}, {"feasible", 0}, {"reason", 0}, {"mark", 0}},
                {}};
  for (std::size_t k = 0; k < result.candidates.size(); ++k) {
    const Candidate& c = result.candidates[k];
    const bool chosen = result.chosen && *result.chosen == k;
    t.rows.push_back({std::string(series_facts(c.series).name),
                      static_cast<long>(c.Z),
                      real(c.EAR),
                      real(c.EARmin),
                      real(c.D),
                      real(c.PD),
                      real(c.N_rpm),
                      real(c.J),
                      real(c.Kt),
                      real(10 * c.Kq),
                      real(c.eta0),
                      real(c.w),
                      real(c.t),
                      real(c.etaR),
                      real(c.etaD),
                      real(c.Pd / kKilo),
                      real(c.Pb / kKilo),
                      c.feasible,
                      c.reason,
                      std::string(chosen ? "chosen" : "")});
  }
  return t;
}

RecordTable speed_power_table(const StudyResult& result) {
  RecordTable t{std::string(kStudyTables[2]),
                "Speed-power table of the chosen propeller",
                {{"V_kn", 2},
                 {"condition", 0},
                 {"RT_kN", 1},
                 {"w", 4},
                 {"t", 4},
                 {"etaR", 4},
                 {"T_kN", 1},
                 {"Va_mps", 3},
                 {"J", 4},
                 {"Kt", 4},
                 {"10Kq", 4},
                 {"eta0", 4},
                 {"etaH", 4},
                 {"etaD", 4},
                 {"N_rpm", 2},
                 {"Q_kNm", 1},
                 {"Pd_kW", 0},
                 {"Pb_kW", 0},
                 {"load", 3}},
                {}};
  t.rows.reserve(result.speed_power.size());
  for (const PowerRow& r : result.speed_power) {
    t.rows.push_back({real(r.V / knot), std::string(condition_name(r.condition)),
                      real(r.RT / kKilo), real(r.w), real(r.t), real(r.etaR), real(r.T / kKilo),
                      real(r.Va), real(r.J), real(r.Kt), real(10 * r.Kq), real(r.eta0),
                      real(r.etaH), real(r.etaD), real(r.N_rpm), real(r.Q / kKilo),
                      real(r.Pd / kKilo), real(r.Pb / kKilo), real(r.load)});
  }
  return t;
}

std::vector<NamedValue> results_of(const StudyResult& result) {
  const Candidate& c = result.candidates[*result.chosen];
  const EngineMatch& e = result.engine;
  return {
      {"series", "", static_cast<long>(c.series), std::string(series_facts(c.series).name)},
      {"Z", "", static_cast<long>(c.Z), "blade number"},
      {"EAR", "", real(c.EAR), "expanded blade-area ratio"},
      {"D", "m", real(c.D), "diameter"},
      {"PD", "", real(c.PD), "pitch ratio"},
      {"N", "rpm", real(c.N_rpm), "propeller shaft speed at the design point"},
      {"J", "", real(c.J), "advance coefficient"},
      {"Kt", "", real(c.Kt), "thrust coefficient"},
      {"10Kq", "", real(10 * c.Kq), "torque coefficient times 10"},
      {"eta0", "", real(c.eta0), "open-water efficiency"},
      {"w", "", real(c.w), "wake fraction"},
      {"t", "", real(c.t), "thrust deduction"},
      {"etaR", "", real(c.etaR), "relative rotative efficiency"},
      {"etaD", "", real(c.etaD), "quasi-propulsive efficiency"},
      {"T", "kN", real(c.T / kKilo), "thrust per screw"},
      {"Pd", "kW", real(c.Pd / kKilo), "delivered power, all screws"},
      {"Pb", "kW", real(c.Pb / kKilo), "brake power, all screws"},
      {"V_service", "kn", real(e.V_service / knot), "speed at the service load, service"},
      {"V_trial", "kn", real(e.V_trial / knot), "speed at the service load, trial"},
      {"N_service", "rpm", real(e.N_service), "propeller shaft speed there, service"},
      {"N_trial", "rpm", real(e.N_trial), "propeller shaft speed there, trial"},
      {"light_running_margin", "", real(e.light_running_margin), "N_trial / N_service - 1"},
  };
}

Diagram speed_power_diagram(const StudyInput& in, const StudyResult& result) {
  Diagram d;
  const Candidate& c = result.candidates[*result.chosen];
  d.title = "Speed and brake power: " + in.name;
  d.subtitle = "trial and service conditions, with the MCR and the service load";
  d.conditions = std::string(series_facts(c.series).name) + ", Z = " + std::to_string(c.Z) +
                 ", D = " + fixed(c.D, 3) + " m, P/D = " + fixed(c.PD, 3) +
                 ", EAR = " + fixed(c.EAR, 3);
  d.x_label = "V (kn)";
  d.y_label = "Pb (kW)";
  const std::array<std::pair<Condition, const char*>, 2> conditions{
      std::pair{Condition::Trial, kColourKt}, std::pair{Condition::Service, kColourKq}};
  float low = 0, high = 0;
  for (const auto& [condition, colour] : conditions) {
    DiagramSeries s{std::string("Pb, ") + condition_name(condition), colour, true, {}, {}};
    for (const PowerRow& r : result.speed_power) {
      if (r.condition != condition || !r.found) continue;
      s.x.push_back(plotted(r.V / knot));
      s.y.push_back(plotted(r.Pb / kKilo));
      s.markers.push_back({s.x.back(), s.y.back(),
                           fixed(r.V / knot, 2) + " kn, " + fixed(r.Pb / kKilo, 0) + " kW, " +
                               fixed(r.N_rpm, 1) + " rpm"});
    }
    if (!s.x.empty()) {
      low = low == high ? s.x.front() : std::min(low, s.x.front());
      high = std::max(high, s.x.back());
    }
    d.series.push_back(std::move(s));
  }
  const auto level = [&](const std::string& label, const char* colour, double kW) {
    d.series.push_back({label, colour, true, {low, high}, {plotted(kW), plotted(kW)}});
  };
  level("MCR " + fixed(in.MCR_W / kKilo, 0) + " kW", kColourMcr, in.MCR_W / kKilo);
  level("service load " + fixed(in.service_load * 100, 0) + " % MCR", kColourEta,
        result.engine.P / kKilo);
  for (const auto& [V, name] :
       {std::pair{result.engine.V_service, "service"}, std::pair{result.engine.V_trial, "trial"}}) {
    if (std::isfinite(V)) {
      d.marks.push_back({plotted(V / knot), plotted(result.engine.P / kKilo),
                         std::string(name) + ": " + fixed(V / knot, 2) + " kn"});
    }
  }
  d.mark_legend = "engine match";
  return d;
}

Diagram open_water_diagram(const StudyInput& in, const StudyResult& result) {
  const Candidate& c = result.candidates[*result.chosen];
  Diagram d;
  d.title = propeller_title(c.series, static_cast<float>(c.Z), plotted(c.EAR), plotted(c.PD));
  d.subtitle = "open-water diagram with the operating points of the speed-power table";
  const bool corrected = in.ittc78 && series_facts(c.series).ittc78;
  d.conditions = "D = " + fixed(c.D, 3) + " m" +
                 (corrected ? ", ITTC78 at the design point's Va = " + fixed(c.Va, 3) +
                                  " m/s and N = " + fixed(c.N_rpm, 1) + " rpm"
                            : std::string());
  d.x_label = "J";
  d.y_label = "Kt, 10Kq, eta0";
  std::vector<float> J;
  for (float j = 0.02f; j <= 1.6f; j = single(double{j} + 0.02)) J.push_back(j);
  std::vector<OpenWater> ow(J.size());
  const Ittc78Conditions conditions{plotted(c.D), plotted(c.Va), plotted(c.N_rpm)};
  evaluate_grid(c.series, plotted(c.PD), plotted(c.EAR), static_cast<float>(c.Z), J, ow,
                corrected ? std::optional{conditions} : std::nullopt);
  DiagramSeries kt{"Kt", kColourKt, true, {}, {}}, kq{"10Kq", kColourKq, true, {}, {}},
      eta{"eta0", kColourEta, true, {}, {}};
  for (std::size_t k = 0; k < J.size(); ++k) {
    if (ow[k].Kt < 0) break;
    kt.x.push_back(J[k]);
    kt.y.push_back(ow[k].Kt);
    kq.x.push_back(J[k]);
    kq.y.push_back(single(10.0 * ow[k].Kq));
    eta.x.push_back(J[k]);
    eta.y.push_back(ow[k].eta0);
  }
  d.series = {kt, kq, eta};
  for (const auto& [condition, label] :
       {std::pair{Condition::Trial, "operating points, trial"},
        std::pair{Condition::Service, "operating points, service"}}) {
    DiagramSeries points{label,
                         condition == Condition::Trial ? kColourTrialPoints : kColourServicePoints,
                         false,
                         {},
                         {}};
    for (const PowerRow& r : result.speed_power) {
      if (r.condition != condition || !r.found) continue;
      points.x.push_back(plotted(r.J));
      points.y.push_back(plotted(r.Kt));
      points.markers.push_back({points.x.back(), points.y.back(),
                                fixed(r.V / knot, 2) + " kn " + condition_name(condition) +
                                    ": J = " + fixed(r.J, 4) + ", Kt = " + fixed(r.Kt, 4)});
    }
    d.series.push_back(std::move(points));
  }
  d.marks.push_back({plotted(c.J), plotted(c.Kt),
                     "design point\nJ = " + fixed(c.J, 4) + ", Kt = " + fixed(c.Kt, 4)});
  d.mark_legend = "design point";
  return d;
}

}  // namespace

std::vector<NamedValue> study_inputs(const StudyInput& in) {
  std::vector<NamedValue> v;
  const auto add = [&v](std::string name, std::string unit, Cell value, std::string meaning) {
    v.push_back({std::move(name), std::move(unit), std::move(value), std::move(meaning)});
  };
  add("ship.name", "", in.name, "the ship");
  if (in.hull_given) {
    const Hull& h = in.hull;
    add("ship.L", "m", h.L, "length on the waterline");
    add("ship.B", "m", h.B, "moulded breadth");
    add("ship.TF", "m", h.TF, "draught forward");
    add("ship.TA", "m", h.TA, "draught aft");
    add("ship.volume", "m3", h.volume, "moulded displacement");
    add("ship.lcb", "% L", h.lcb, "centre of buoyancy, forward of L/2 positive");
    add("ship.CM", "", h.CM, "midship-section coefficient");
    add("ship.CWP", "", h.CWP, "waterplane-area coefficient");
    add("ship.ABT", "m2", h.ABT, "bulb transverse area");
    add("ship.hB", "m", h.hB, "bulb area centroid above the keel");
    add("ship.AT", "m2", h.AT, "immersed transom area");
    add("ship.SAPP", "m2", h.SAPP, "appendage wetted area");
    add("ship.one_plus_k2", "", h.one_plus_k2, "appendage form factor");
    add("ship.Cstern", "", h.Cstern, "afterbody form");
    add("ship.S", "m2", h.S ? Cell(*h.S) : Cell(std::string("estimated")), "hull wetted area");
    add("ship.iE", "deg", h.iE ? Cell(*h.iE) : Cell(std::string("estimated")),
        "half angle of entrance");
  }
  add("water.rho", "kg/m3", in.water.rho, "density");
  add("water.nu", "m2/s", in.water.nu, "kinematic viscosity");
  add("resistance.method", "", std::string(resistance_source_name(in.resistance)),
      in.resistance == ResistanceSource::Table ? "the table, monotone cubic interpolation"
                                               : "Holtrop-Mennen statistical method");
  if (in.resistance == ResistanceSource::Table) {
    for (std::size_t k = 0; k < in.table_V_mps.size(); ++k) {
      add("resistance.RT(" + fixed(in.table_V_mps[k] / knot, 2) + " kn)", "kN",
          in.table_RT_N[k] / kKilo, "resistance table");
    }
  }
  add("resistance.sea_margin", "", in.sea_margin, "added resistance in service");
  add("propulsion.screws", "", static_cast<long>(in.screws), "number of screws");
  add("propulsion.wake", "", factor_text(in.wake), "wake fraction w");
  add("propulsion.thrust_deduction", "", factor_text(in.thrust_deduction), "thrust deduction t");
  add("propulsion.relative_rotative", "", factor_text(in.relative_rotative),
      "relative rotative efficiency etaR");
  add("propulsion.shaft_efficiency", "", in.shaft_efficiency, "shafting and gearbox");
  std::vector<std::string> series;
  for (const Series s : in.series) series.push_back(series_key(s));
  add("propeller.series", "", joined(series), "series searched");
  std::vector<std::string> blades;
  for (const int z : in.blades) blades.push_back(std::to_string(z));
  add("propeller.blades", "", joined(blades), "blade numbers searched");
  if (in.D_max) {
    add("propeller.D_max", "m", *in.D_max, "largest diameter; N from the engine");
  } else {
    add("propeller.D", "m", *in.D, "diameter; N chosen");
    add("propeller.N_min", "rpm", in.N_min_rpm, "lowest propeller shaft speed");
    add("propeller.N_max", "rpm", in.N_max_rpm, "highest propeller shaft speed");
  }
  add("propeller.PD", "", fixed(in.PD_low, 3) + " to " + fixed(in.PD_high, 3), "pitch-ratio range");
  add("propeller.blade_area", "",
      in.blade_area == BladeAreaRule::Fixed
          ? Cell(in.EAR_fixed)
          : Cell(std::string(blade_area_rule_name(in.blade_area))),
      "blade-area criterion or ratio");
  add("propeller.shaft_depth", "m", in.shaft_depth, "shaft centre below the waterline");
  add("propeller.ittc78", "", in.ittc78, "ITTC78 correction of the Wageningen B series");
  add("propeller.tip_speed_max", "m/s", in.tip_speed_max, "tip-speed limit (0: none)");
  add("engine.MCR", "kW", in.MCR_W / kKilo, "installed power");
  add("engine.rpm", "rpm", in.engine_rpm, "engine speed at MCR");
  add("engine.gear_ratio", "", in.gear_ratio, "engine rpm over propeller rpm");
  add("engine.service_load", "", in.service_load, "fraction of MCR in service");
  add("speeds.design", "kn", in.design_V_mps / knot, "design speed");
  add("speeds.range", "kn",
      fixed(in.range_from_mps / knot, 2) + " to " + fixed(in.range_to_mps / knot, 2) + " by " +
          fixed(in.range_step_mps / knot, 2),
      "speeds of the speed-power table");
  return v;
}

Record study_record(const StudyInput& in, const StudyResult& result, const std::string& version,
                    bool with_diagrams) {
  Record r;
  r.version = version;
  r.source_key = "study_file";
  r.source = in.file;
  r.title = "Propulsion study: " + in.name;
  r.inputs = study_inputs(in);
  r.tables.push_back(resistance_table(result));
  r.tables.push_back(candidates_table(result));
  r.warnings = result.warnings;
  if (!result.chosen) {
    r.ending = ending_text(Ending::NoResult);
    r.reason = result.reason;
    r.exit_status = exit_status(Ending::NoResult);
    return r;
  }
  r.tables.push_back(speed_power_table(result));
  r.results = results_of(result);
  if (with_diagrams) {
    r.diagrams.emplace_back(kStudyDiagrams[0], speed_power_diagram(in, result));
    r.diagrams.emplace_back(kStudyDiagrams[1], open_water_diagram(in, result));
  }
  r.ending = ending_text(Ending::Result);
  r.exit_status = exit_status(Ending::Result);
  return r;
}

}  // namespace tidewerk
