// The study file's reader, over toml++ (compiled into this file alone, header-only).
#include "study/study_file.h"

#include <toml++/toml.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <sstream>
#include <stdexcept>

#include "report/run_end.h"

namespace tidewerk {
namespace {

// The keys of each table, in the template's order.
struct TableKeys {
  std::string_view table;
  bool required;
  std::vector<std::string_view> keys;
};

const std::vector<TableKeys>& known_tables() {
  static const std::vector<TableKeys> tables = {
      {"ship",
       true,
       {"name", "L", "B", "TF", "TA", "volume", "lcb", "CM", "CWP", "ABT", "hB", "AT", "SAPP",
        "one_plus_k2", "stern", "S", "iE"}},
      {"water", false, {"rho", "nu"}},
      {"resistance", true, {"method", "speeds_kn", "RT_kN", "sea_margin"}},
      {"propulsion",
       true,
       {"screws", "wake", "thrust_deduction", "relative_rotative", "shaft_efficiency"}},
      {"propeller",
       true,
       {"series", "blades", "D_max", "D", "N_min", "N_max", "PD", "blade_area", "shaft_depth",
        "ittc78", "tip_speed_max"}},
      {"engine", true, {"MCR", "rpm", "gear_ratio", "service_load"}},
      {"speeds", true, {"design", "range"}},
  };
  return tables;
}

// The afterbody forms and their Cstern.
struct SternForm {
  std::string_view key;
  double Cstern;
};
constexpr SternForm kSternForms[] = {{"pram", -25.0}, {"V", -10.0}, {"normal", 0.0}, {"U", 10.0}};

struct SeriesName {
  std::string_view key;
  Series series;
};
constexpr SeriesName kSeriesNames[] = {
    {"wageningen-b", Series::WageningenB}, {"gawn", Series::Gawn}, {"kca", Series::Kca}};

struct MethodName {
  std::string_view key;
  ResistanceSource source;
};
constexpr MethodName kMethodNames[] = {{"holtrop-mennen-1982", ResistanceSource::HoltropMennen1982},
                                       {"holtrop-1984", ResistanceSource::Holtrop1984},
                                       {"table", ResistanceSource::Table}};

struct RuleName {
  std::string_view key;
  BladeAreaRule rule;
};
constexpr RuleName kRuleNames[] = {{"keller", BladeAreaRule::Keller},
                                   {"burrill-2.5", BladeAreaRule::Burrill2_5},
                                   {"burrill-5", BladeAreaRule::Burrill5}};

std::string lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

std::size_t edit_distance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// "one of "a", "b" or "c""
template <typename Names>
std::string listing(const Names& names) {
  std::string text;
  const std::size_t count = std::size(names);
  for (std::size_t k = 0; k < count; ++k) {
    text += (k == 0 ? "" : k + 1 == count ? " or " : ", ");
    text += "\"" + std::string(names[k].key) + "\"";
  }
  return text;
}

std::string type_name(const toml::node& node) {
  switch (node.type()) {
    case toml::node_type::string:
      return "a string";
    case toml::node_type::integer:
      return "a whole number";
    case toml::node_type::floating_point:
      return "a real number";
    case toml::node_type::boolean:
      return "true or false";
    case toml::node_type::array:
      return "an array";
    case toml::node_type::table:
      return "a table";
    default:
      return "a date or time";
  }
}

// Reads the tables of one study file, throwing InputError at the first fault.
class StudyReader {
 public:
  StudyReader(const toml::table& root, std::string file) : root_(root), file_(std::move(file)) {}

  StudyInput read() {
    check_keys();
    StudyInput in;
    in.file = file_;
    read_resistance(in);
    read_propulsion(in);
    read_ship(in);
    read_water(in);
    read_propeller(in);
    read_engine(in);
    read_speeds(in);
    check_table_speeds(in);
    check_hull(in);
    return in;
  }

 private:
  [[noreturn]] void fail(const toml::source_region& where, std::string_view table,
                         std::string_view key, const std::string& what) const {
    std::string message = file_;
    if (where.begin.line > 0) {
      message += ":" + std::to_string(where.begin.line) + ":" + std::to_string(where.begin.column);
    }
    message += ": [" + std::string(table) + "]";
    if (!key.empty()) message += " " + std::string(key);
    throw InputError(message + ": " + what);
  }

  void check_keys() const {
    const auto& tables = known_tables();
    std::vector<std::string_view> table_names;
    for (const TableKeys& t : tables) table_names.push_back(t.table);
    for (const auto& [key, node] : root_) {
      const std::string_view name = key.str();
      const auto it = std::find_if(tables.begin(), tables.end(),
                                   [name](const TableKeys& t) { return t.table == name; });
      if (it == tables.end()) {
        const std::string near = nearest_key(key.str(), table_names);
        fail(key.source(), key.str(), "",
             "unknown table" + (near.empty() ? std::string() : "; did you mean [" + near + "]?"));
      }
      if (!node.is_table())
        fail(key.source(), key.str(), "", "must be a table, found " + type_name(node));
      for (const auto& [inner, value] : *node.as_table()) {
        if (std::find(it->keys.begin(), it->keys.end(), inner.str()) != it->keys.end()) continue;
        const std::string near = nearest_key(inner.str(), it->keys);
        fail(inner.source(), key.str(), inner.str(),
             "unknown key" + (near.empty() ? std::string() : "; did you mean " + near + "?"));
      }
    }
    for (const TableKeys& t : tables) {
      if (t.required && !root_.contains(t.table)) {
        fail({}, t.table, "", "missing table");
      }
    }
  }

  const toml::table* table(std::string_view name) const { return root_[name].as_table(); }

  const toml::node* node(std::string_view t, std::string_view key) const {
    const toml::table* tab = table(t);
    return tab ? tab->get(key) : nullptr;
  }

  toml::source_region table_place(std::string_view t) const {
    const toml::table* tab = table(t);
    return tab ? tab->source() : toml::source_region{};
  }

  [[noreturn]] void missing(std::string_view t, std::string_view key,
                            const std::string& what) const {
    fail(table_place(t), t, key, "missing (" + what + ")");
  }

  // A real number (an integer is taken as a real); nothing when the key is absent.
  std::optional<double> real(std::string_view t, std::string_view key) const {
    const toml::node* n = node(t, key);
    if (!n) return std::nullopt;
    if (!n->is_number()) fail(n->source(), t, key, "must be a number, found " + type_name(*n));
    const double value = n->value<double>().value();
    if (!std::isfinite(value)) fail(n->source(), t, key, "must be a finite number");
    return value;
  }

  double required_real(std::string_view t, std::string_view key, const std::string& what) const {
    const std::optional<double> value = real(t, key);
    if (!value) missing(t, key, what);
    return *value;
  }

  // Checks `value` of t.key against its domain, described by `domain` ("above 0").
  void within(std::string_view t, std::string_view key, double value, bool inside,
              const std::string& domain) const {
    if (inside) return;
    const toml::node* n = node(t, key);
    std::ostringstream shown;
    shown << value;
    fail(n ? n->source() : table_place(t), t, key,
         shown.str() + " is out of its domain: it must be " + domain);
  }

  double positive(std::string_view t, std::string_view key, const std::string& what) const {
    const double value = required_real(t, key, what);
    within(t, key, value, value > 0, "above 0");
    return value;
  }

  double optional_real(std::string_view t, std::string_view key, double fallback,
                       const std::function<bool(double)>& inside, const std::string& domain) const {
    const std::optional<double> value = real(t, key);
    if (!value) return fallback;
    within(t, key, *value, inside(*value), domain);
    return *value;
  }

  std::optional<std::string> text(std::string_view t, std::string_view key) const {
    const toml::node* n = node(t, key);
    if (!n) return std::nullopt;
    if (!n->is_string()) fail(n->source(), t, key, "must be a string, found " + type_name(*n));
    return n->value<std::string>().value();
  }

  template <typename Names>
  auto named(std::string_view t, std::string_view key, const std::string& value,
             const Names& names) const {
    for (const auto& entry : names) {
      if (entry.key == value) return entry;
    }
    std::vector<std::string_view> keys;
    for (const auto& entry : names) keys.push_back(entry.key);
    const std::string near = nearest_key(value, keys);
    fail(node(t, key)->source(), t, key,
         "\"" + value + "\" is not one of " + listing(names) +
             (near.empty() ? std::string() : "; did you mean \"" + near + "\"?"));
  }

  // A numeric array; nothing when absent.
  std::optional<std::vector<double>> reals(std::string_view t, std::string_view key) const {
    const toml::node* n = node(t, key);
    if (!n) return std::nullopt;
    const toml::array* array = n->as_array();
    if (!array) fail(n->source(), t, key, "must be an array of numbers, found " + type_name(*n));
    std::vector<double> values;
    for (const toml::node& item : *array) {
      if (!item.is_number()) {
        fail(item.source(), t, key, "must be an array of numbers; found " + type_name(item));
      }
      const double value = item.value<double>().value();
      if (!std::isfinite(value)) fail(item.source(), t, key, "must hold finite numbers");
      values.push_back(value);
    }
    return values;
  }

  // A factor given as a number or as "holtrop"; nothing for Holtrop's formula.
  std::optional<double> factor(std::string_view key, double low, double high,
                               const std::string& domain) const {
    const toml::node* n = node("propulsion", key);
    if (!n) missing("propulsion", key, "\"holtrop\" or a number");
    if (n->is_string()) {
      const std::string value = n->value<std::string>().value();
      if (value != "holtrop") {
        fail(n->source(), "propulsion", key, "\"" + value + "\" is not \"holtrop\" or a number");
      }
      return std::nullopt;
    }
    const double value = real("propulsion", key).value();
    within("propulsion", key, value, value >= low && value < high, domain);
    return value;
  }

  void read_resistance(StudyInput& in) const {
    const std::string method = text("resistance", "method").value_or("holtrop-1984");
    in.resistance = named("resistance", "method", method, kMethodNames).source;
    const auto speeds = reals("resistance", "speeds_kn");
    const auto rt = reals("resistance", "RT_kN");
    if (in.resistance == ResistanceSource::Table) {
      if (!speeds)
        missing("resistance", "speeds_kn", "the table's speeds, kn, with method = \"table\"");
      if (!rt)
        missing("resistance", "RT_kN", "the table's resistances, kN, with method = \"table\"");
      if (speeds->size() < 2) {
        fail(node("resistance", "speeds_kn")->source(), "resistance", "speeds_kn",
             "needs at least two speeds");
      }
      if (rt->size() != speeds->size()) {
        fail(node("resistance", "RT_kN")->source(), "resistance", "RT_kN",
             std::to_string(rt->size()) + " values for " + std::to_string(speeds->size()) +
                 " speeds");
      }
      for (std::size_t k = 0; k < speeds->size(); ++k) {
        const double previous = k == 0 ? 0.0 : (*speeds)[k - 1];
        if (!((*speeds)[k] > previous)) {
          fail(node("resistance", "speeds_kn")->as_array()->get(k)->source(), "resistance",
               "speeds_kn", "speeds must be above 0 and ascending");
        }
        if (!((*rt)[k] > 0)) {
          fail(node("resistance", "RT_kN")->as_array()->get(k)->source(), "resistance", "RT_kN",
               "resistances must be above 0");
        }
        in.table_V_mps.push_back((*speeds)[k] * knot);
        in.table_RT_N.push_back((*rt)[k] * 1000.0);
      }
    } else {
      for (std::string_view key : {"speeds_kn", "RT_kN"}) {
        if (const toml::node* n = node("resistance", key)) {
          fail(n->source(), "resistance", key, "belongs to method = \"table\"");
        }
      }
    }
    in.sea_margin = optional_real(
        "resistance", "sea_margin", 0.15, [](double v) { return v >= 0 && v <= 2; }, "from 0 to 2");
  }

  void read_propulsion(StudyInput& in) const {
    const double screws = optional_real(
        "propulsion", "screws", 1, [](double v) { return v == 1 || v == 2; }, "1 or 2");
    in.screws = static_cast<int>(screws);
    in.wake = factor("wake", 0.0, 1.0, "from 0 up to 1");
    in.thrust_deduction = factor("thrust_deduction", 0.0, 1.0, "from 0 up to 1");
    in.relative_rotative = factor("relative_rotative", 0.5, 1.5, "from 0.5 up to 1.5");
    in.shaft_efficiency = optional_real(
        "propulsion", "shaft_efficiency", 0.98, [](double v) { return v > 0.5 && v <= 1; },
        "above 0.5 and at most 1");
  }

  void read_ship(StudyInput& in) const {
    in.name = text("ship", "name").value_or("");
    const bool holtrop_factors = !in.wake || !in.thrust_deduction || !in.relative_rotative;
    in.hull_given =
        in.resistance != ResistanceSource::Table || holtrop_factors || node("ship", "L") != nullptr;
    if (!in.hull_given) return;
    Hull& h = in.hull;
    h.L = positive("ship", "L", "m, length on the waterline");
    h.B = positive("ship", "B", "m, moulded breadth");
    h.TF = positive("ship", "TF", "m, draught forward");
    h.TA = positive("ship", "TA", "m, draught aft");
    h.volume = positive("ship", "volume", "m3, moulded displacement");
    h.lcb = required_real("ship", "lcb", "% of L, forward of L/2 positive");
    within("ship", "lcb", h.lcb, std::abs(h.lcb) < 20, "between -20 and 20 (% of L)");
    h.CM = required_real("ship", "CM", "midship-section coefficient");
    within("ship", "CM", h.CM, h.CM > 0 && h.CM <= 1, "above 0 and at most 1");
    h.CWP = required_real("ship", "CWP", "waterplane-area coefficient");
    within("ship", "CWP", h.CWP, h.CWP > 0 && h.CWP <= 1, "above 0 and at most 1");
    const auto non_negative = [](double v) { return v >= 0; };
    h.ABT = optional_real("ship", "ABT", 0, non_negative, "0 or above");
    h.hB = optional_real("ship", "hB", 0, non_negative, "0 or above");
    h.AT = optional_real("ship", "AT", 0, non_negative, "0 or above");
    h.SAPP = optional_real("ship", "SAPP", 0, non_negative, "0 or above");
    h.one_plus_k2 = optional_real(
        "ship", "one_plus_k2", 1.5, [](double v) { return v >= 1 && v <= 5; }, "from 1 to 5");
    const double Cb = h.volume / (h.L * h.B * 0.5 * (h.TF + h.TA));
    within("ship", "volume", h.volume, Cb < 1, "below L B T (block coefficient below 1)");
    if (const toml::node* stern = node("ship", "stern")) {
      if (stern->is_string()) {
        h.Cstern = named("ship", "stern", stern->value<std::string>().value(), kSternForms).Cstern;
      } else {
        h.Cstern = real("ship", "stern").value();
        within("ship", "stern", h.Cstern, std::abs(h.Cstern) <= 25, "from -25 to 25");
      }
    }
    if (real("ship", "S")) {
      h.S = *real("ship", "S");
      within("ship", "S", *h.S, *h.S > 0, "above 0");
    }
    if (real("ship", "iE")) {
      h.iE = *real("ship", "iE");
      within("ship", "iE", *h.iE, *h.iE > 0 && *h.iE < 90, "above 0 and below 90 (degrees)");
    }
  }

  void read_water(StudyInput& in) const {
    in.water.rho = optional_real(
        "water", "rho", in.water.rho, [](double v) { return v >= 900 && v <= 1100; },
        "from 900 to 1100 kg/m3");
    in.water.nu = optional_real(
        "water", "nu", in.water.nu, [](double v) { return v > 0 && v < 1e-4; },
        "above 0 and below 1e-4 m2/s");
  }

  void read_propeller(StudyInput& in) const {
    const toml::node* series = node("propeller", "series");
    if (!series) missing("propeller", "series", "an array of " + listing(kSeriesNames));
    const toml::array* series_array = series->as_array();
    if (!series_array || series_array->empty()) {
      fail(series->source(), "propeller", "series",
           "must be a non-empty array of " + listing(kSeriesNames));
    }
    for (const toml::node& item : *series_array) {
      if (!item.is_string()) {
        fail(item.source(), "propeller", "series", "must hold strings; found " + type_name(item));
      }
      const std::string name = item.value<std::string>().value();
      const auto it = std::find_if(std::begin(kSeriesNames), std::end(kSeriesNames),
                                   [&](const SeriesName& s) { return s.key == name; });
      if (it == std::end(kSeriesNames)) {
        std::vector<std::string_view> keys;
        for (const SeriesName& s : kSeriesNames) keys.push_back(s.key);
        const std::string near = nearest_key(name, keys);
        fail(item.source(), "propeller", "series",
             "\"" + name + "\" is not one of " + listing(kSeriesNames) +
                 (near.empty() ? std::string() : "; did you mean \"" + near + "\"?"));
      }
      if (std::find(in.series.begin(), in.series.end(), it->series) != in.series.end()) {
        fail(item.source(), "propeller", "series", "\"" + name + "\" is named twice");
      }
      in.series.push_back(it->series);
    }

    const toml::node* blades = node("propeller", "blades");
    if (!blades) missing("propeller", "blades", "an array of blade numbers");
    const toml::array* blade_array = blades->as_array();
    if (!blade_array || blade_array->empty()) {
      fail(blades->source(), "propeller", "blades", "must be a non-empty array of whole numbers");
    }
    for (const toml::node& item : *blade_array) {
      if (!item.is_integer()) {
        fail(item.source(), "propeller", "blades",
             "must hold whole numbers; found " + type_name(item));
      }
      const std::int64_t z = item.value<std::int64_t>().value();
      if (z < 2 || z > 7) {
        fail(item.source(), "propeller", "blades",
             std::to_string(z) + " is out of its domain: blade numbers go from 2 to 7");
      }
      if (std::find(in.blades.begin(), in.blades.end(), z) != in.blades.end()) {
        fail(item.source(), "propeller", "blades", std::to_string(z) + " is named twice");
      }
      in.blades.push_back(static_cast<int>(z));
    }

    in.D_max = real("propeller", "D_max");
    in.D = real("propeller", "D");
    if (in.D_max && in.D) {
      fail(node("propeller", "D")->source(), "propeller", "D",
           "give D_max (the study chooses D) or D (the study chooses N), not both");
    }
    if (!in.D_max && !in.D) missing("propeller", "D_max", "m, or D with N_min and N_max");
    if (in.D_max)
      within("propeller", "D_max", *in.D_max, *in.D_max > 0 && *in.D_max < 30,
             "above 0 and below 30 m");
    if (in.D) {
      within("propeller", "D", *in.D, *in.D > 0 && *in.D < 30, "above 0 and below 30 m");
      in.N_min_rpm = positive("propeller", "N_min", "rpm at the propeller, with D given");
      in.N_max_rpm = positive("propeller", "N_max", "rpm at the propeller, with D given");
      within("propeller", "N_max", in.N_max_rpm, in.N_max_rpm > in.N_min_rpm, "above N_min");
    } else {
      for (std::string_view key : {"N_min", "N_max"}) {
        if (const toml::node* n = node("propeller", key)) {
          fail(n->source(), "propeller", key,
               "belongs to a given D (the study chooses D with D_max at the engine's rpm)");
        }
      }
    }

    if (const auto pd = reals("propeller", "PD")) {
      if (pd->size() != 2) {
        fail(node("propeller", "PD")->source(), "propeller", "PD",
             "must be two numbers [lowest, highest]");
      }
      in.PD_low = (*pd)[0];
      in.PD_high = (*pd)[1];
      within("propeller", "PD", in.PD_low, in.PD_low > 0 && in.PD_high > in.PD_low,
             "[lowest, highest] with 0 < lowest < highest");
    }

    if (const toml::node* rule = node("propeller", "blade_area")) {
      if (rule->is_string()) {
        in.blade_area =
            named("propeller", "blade_area", rule->value<std::string>().value(), kRuleNames).rule;
      } else {
        in.blade_area = BladeAreaRule::Fixed;
        in.EAR_fixed = real("propeller", "blade_area").value();
        within("propeller", "blade_area", in.EAR_fixed, in.EAR_fixed > 0 && in.EAR_fixed < 2,
               "above 0 and below 2");
      }
    }
    in.shaft_depth = positive("propeller", "shaft_depth", "m, shaft centre below the waterline");
    if (const toml::node* n = node("propeller", "ittc78")) {
      if (!n->is_boolean())
        fail(n->source(), "propeller", "ittc78", "must be true or false, found " + type_name(*n));
      in.ittc78 = n->value<bool>().value();
    }
    in.tip_speed_max = optional_real(
        "propeller", "tip_speed_max", 0, [](double v) { return v >= 0; }, "0 (no limit) or above");
  }

  void read_engine(StudyInput& in) const {
    in.MCR_W = positive("engine", "MCR", "kW, the installed power") * 1000.0;
    in.engine_rpm = positive("engine", "rpm", "rpm at MCR");
    in.gear_ratio = optional_real(
        "engine", "gear_ratio", 1.0, [](double v) { return v > 0; }, "above 0");
    in.service_load = optional_real(
        "engine", "service_load", 0.85, [](double v) { return v > 0 && v <= 1.1; },
        "above 0 and at most 1.1");
  }

  void read_speeds(StudyInput& in) const {
    in.design_V_mps = positive("speeds", "design", "kn, the design speed") * knot;
    const auto range = reals("speeds", "range");
    if (!range) missing("speeds", "range", "kn: [from, to, step]");
    const toml::source_region where = node("speeds", "range")->source();
    if (range->size() != 3)
      fail(where, "speeds", "range", "must be three numbers [from, to, step]");
    const double from = (*range)[0], to = (*range)[1], step = (*range)[2];
    if (!(from > 0 && to >= from && step > 0)) {
      fail(where, "speeds", "range", "must be [from, to, step] with 0 < from <= to and step > 0");
    }
    if ((to - from) / step > 1000) fail(where, "speeds", "range", "more than 1000 speeds");
    in.range_from_mps = from * knot;
    in.range_to_mps = to * knot;
    in.range_step_mps = step * knot;
  }

  // A resistance table answers only within its speeds.
  void check_table_speeds(const StudyInput& in) const {
    if (in.resistance != ResistanceSource::Table) return;
    const double low = in.table_V_mps.front(), high = in.table_V_mps.back();
    const auto inside = [&](double v) { return v >= low * (1 - 1e-12) && v <= high * (1 + 1e-12); };
    std::ostringstream range;
    range << "within the resistance table's speeds, " << low / knot << " to " << high / knot
          << " kn";
    within("speeds", "design", in.design_V_mps / knot, inside(in.design_V_mps), range.str());
    const std::vector<double> speeds = table_speeds(in);
    within("speeds", "range", in.range_from_mps / knot,
           inside(speeds.front()) && inside(speeds.back()), range.str());
  }

  // A hull on which a formula of the method (or of Holtrop's w, t and etaR) is undefined is
  // refused here, with the ship library's reason.
  void check_hull(const StudyInput& in) const {
    if (!in.hull_given) return;
    const ResistanceMethod method = in.resistance == ResistanceSource::HoltropMennen1982
                                        ? ResistanceMethod::HoltropMennen1982
                                        : ResistanceMethod::Holtrop1984;
    const bool holtrop_factors = !in.wake || !in.thrust_deduction || !in.relative_rotative;
    const double D = in.D ? *in.D : *in.D_max;
    try {
      for (const double V : {in.design_V_mps, in.range_from_mps, in.range_to_mps}) {
        const Resistance r = resistance(in.hull, V, method, in.water);
        if (holtrop_factors) {
          propulsion_factors(in.hull, r, in.screws == 1 ? Screws::Single : Screws::Twin, D, 0.7,
                             1.0);
        }
      }
    } catch (const std::invalid_argument& e) {
      fail(table_place("ship"), "ship", "", e.what());
    }
  }

  const toml::table& root_;
  std::string file_;
};

}  // namespace

std::string nearest_key(std::string_view key, const std::vector<std::string_view>& known) {
  std::string best;
  std::size_t best_distance = 3;
  const std::string wanted = lower(key);
  for (std::string_view candidate : known) {
    const std::size_t distance = edit_distance(wanted, lower(candidate));
    const std::size_t limit = candidate.size() <= 4 ? 1 : 2;
    if (distance <= limit && distance < best_distance) {
      best_distance = distance;
      best = std::string(candidate);
    }
  }
  return best;
}

namespace {

// TOML allows characters beyond ASCII only in strings and comments.  toml++ 3.3 reaches an
// unreachable point when it asks whether one of them is a blank, which it does between tokens,
// inside a bare value, all through a quoted key and after a backslash in a multi-line string.  So
// they are refused where they stand, before the parser sees them, everywhere except in comments
// and in the strings that are values; a study file's keys are all ASCII anyway.  The scan follows
// TOML's contexts: a quote opens a string only where a string may start (after '=', '[', ',', '{',
// at the start of a line, or after '.' in a dotted key); a quote inside a bare word is part of the
// word, as the parser sees it.
void check_characters_outside_strings(std::string_view text, const std::string& file) {
  enum class State { Code, Comment, Basic, Literal, MultiBasic, MultiBasicBlanks, MultiLiteral };
  State state = State::Code;
  bool in_key = true;       // a key is expected: at the start of a line, in a header, in `{ }`
  bool string_key = false;  // the open string is a key
  std::string nesting;      // '[' for an array, '{' for an inline table
  char last = '\n';         // the last character of code that is not a blank
  std::size_t line = 1, column = 0;
  const auto refuse = [&](const char* where) {
    throw InputError(file + ":" + std::to_string(line) + ":" + std::to_string(column) +
                     ": a character beyond ASCII " + where);
  };
  const std::size_t start = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;  // a byte-order mark
  for (std::size_t k = start; k < text.size(); ++k) {
    const char c = text[k];
    ++column;
    const bool wide = static_cast<unsigned char>(c) >= 0x80;
    const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
    const auto starts = [&](std::string_view what) { return text.substr(k, what.size()) == what; };
    const auto skip = [&](std::size_t n) {
      k += n;
      column += n;
    };
    if (state == State::MultiBasicBlanks) {  // after a line-ending backslash, blanks are skipped
      if (blank) {
        if (c == '\n') ++line, column = 0;
        continue;
      }
      if (wide) refuse("after a line-ending backslash");
      state = State::MultiBasic;
    }
    if (c == '\n') {
      ++line;
      column = 0;
      if (state == State::Comment || state == State::Basic || state == State::Literal) {
        state = State::Code;  // a single-line string left open is the parser's error
      }
      if (state == State::Code) {
        last = '\n';
        if (nesting.empty()) in_key = true;
      }
      continue;
    }
    switch (state) {
      case State::Code: {
        if (wide) refuse("outside a string or comment");
        if (c == ' ' || c == '\t' || c == '\r') break;
        const bool opens = last == '\n' || last == '=' || last == '[' || last == ',' ||
                           last == '{' || (last == '.' && in_key);
        if ((c == '"' || c == '\'') && opens) {
          string_key = in_key;
          if (starts("\"\"\"")) {
            state = State::MultiBasic;
            skip(2);
          } else if (starts("\'\'\'")) {
            state = State::MultiLiteral;
            skip(2);
          } else {
            state = c == '"' ? State::Basic : State::Literal;
          }
          last = '"';
          break;
        }
        switch (c) {
          case '#':
            state = State::Comment;
            break;
          case '=':
            in_key = false;
            break;
          case '[':
            if (!in_key) nesting += '[';  // else a table header, whose name is a key
            break;
          case '{':
            nesting += '{';
            in_key = true;
            break;
          case ',':
            if (!nesting.empty() && nesting.back() == '{') in_key = true;
            break;
          case ']':
          case '}':
            if (!nesting.empty() && nesting.back() == (c == ']' ? '[' : '{')) nesting.pop_back();
            break;
          default:
            break;
        }
        last = c;
        break;
      }
      case State::Comment:
        break;
      case State::Basic:
      case State::MultiBasic:
        if (wide && string_key) refuse("in a key");
        if (c == '\\' && state == State::MultiBasic) {
          const char next = k + 1 < text.size() ? text[k + 1] : '\0';
          if (next == ' ' || next == '\t' || next == '\r' || next == '\n') {
            state = State::MultiBasicBlanks;
          } else if (static_cast<unsigned char>(next) >= 0x80) {
            ++column;
            refuse("after a backslash");
          } else {
            skip(1);
          }
        } else if (c == '\\') {
          if (k + 1 < text.size() && text[k + 1] != '\n') skip(1);
        } else if (state == State::Basic && c == '"') {
          state = State::Code;
        } else if (state == State::MultiBasic && starts("\"\"\"")) {
          state = State::Code;
          skip(2);
        }
        break;
      case State::Literal:
      case State::MultiLiteral:
        if (wide && string_key) refuse("in a key");
        if (state == State::Literal && c == '\'') {
          state = State::Code;
        } else if (state == State::MultiLiteral && starts("\'\'\'")) {
          state = State::Code;
          skip(2);
        }
        break;
      case State::MultiBasicBlanks:
        break;  // handled above
    }
  }
}

}  // namespace

StudyInput read_study(std::string_view text, const std::string& file) {
  check_characters_outside_strings(text, file);
  toml::table root;
  try {
    root = toml::parse(text, file);
  } catch (const toml::parse_error& e) {
    const toml::source_position where = e.source().begin;
    throw InputError(file + ":" + std::to_string(where.line) + ":" + std::to_string(where.column) +
                     ": " + std::string(e.description()));
  }
  return StudyReader(root, file).read();
}

std::vector<double> table_speeds(const StudyInput& input) {
  std::vector<double> speeds;
  const double span = input.range_to_mps - input.range_from_mps;
  const auto count = static_cast<long>(std::floor(span / input.range_step_mps + 0.01));
  for (long k = 0; k <= count; ++k) {
    speeds.push_back(input.range_from_mps + static_cast<double>(k) * input.range_step_mps);
  }
  return speeds;
}

const char* resistance_source_name(ResistanceSource source) {
  for (const MethodName& m : kMethodNames) {
    if (m.source == source) return m.key.data();
  }
  return "";
}

const char* blade_area_rule_name(BladeAreaRule rule) {
  for (const RuleName& r : kRuleNames) {
    if (r.rule == rule) return r.key.data();
  }
  return "fixed";
}

const char* series_key(Series series) {
  for (const SeriesName& s : kSeriesNames) {
    if (s.series == series) return s.key.data();
  }
  return "";
}

std::string study_template() {
  return R"(# Tidewerk propulsion study: tidewerk study FILE.toml
[ship]
name = "Holtrop-Mennen example ship"
L = 205.0            # m, length on the waterline
B = 32.0             # m
TF = 10.0            # m, draught forward
TA = 10.0            # m, draught aft
volume = 37500.0     # m3, moulded displacement
lcb = -0.75          # % of L, forward of L/2 positive
CM = 0.98
CWP = 0.75
ABT = 20.0           # m2, bulb transverse area (0: none)
hB = 4.0             # m
AT = 16.0            # m2, immersed transom
SAPP = 50.0          # m2, appendages
one_plus_k2 = 1.5
stern = "U"          # "pram", "V", "normal", "U", or the number Cstern
# S = 7381.45        # m2, optional (estimated when absent)
# iE = 12.08         # degrees, optional

[water]              # optional: sea water at 15 degrees C by default
rho = 1025.0
nu = 1.18831e-6

[resistance]
method = "holtrop-1984"          # or "holtrop-mennen-1982", or "table"
# speeds_kn = [14.0, 16.0, 18.0]   # with method = "table": a model-test or CFD result
# RT_kN = [610.0, 820.0, 1100.0]
sea_margin = 0.15                # added resistance in service (fouling, wind, waves)

[propulsion]
screws = 1
wake = "holtrop"                 # or a number
thrust_deduction = "holtrop"     # or a number
relative_rotative = "holtrop"    # or a number
shaft_efficiency = 0.98          # shafting and gearbox

[propeller]
series = ["wageningen-b", "gawn", "kca"]   # any of them
blades = [4, 5]
D_max = 8.0                      # m; the study chooses D <= D_max ...
# D = 7.6                        # ... or, given D, chooses the shaft speed in [N_min, N_max]
# N_min = 80.0                   # rpm at the propeller, with D given
# N_max = 160.0
PD = [0.5, 1.4]                  # pitch-ratio range (within each series' own range)
blade_area = "keller"            # "keller", "burrill-2.5", "burrill-5", or a number
shaft_depth = 6.5                # m, shaft centre below the waterline (cavitation criteria)
ittc78 = true                    # scale correction of the Wageningen B coefficients
tip_speed_max = 0.0              # m/s, 0: no limit

[engine]
MCR = 25000.0                    # kW, the installed power (all engines together)
rpm = 105.0                      # at MCR, at the engine
gear_ratio = 1.0
service_load = 0.85              # fraction of MCR at which the service speed is taken

[speeds]
design = 25.0                    # kn: the propeller is chosen here
range = [14.0, 26.0, 0.5]        # kn: from, to, step of the speed-power table
)";
}

}  // namespace tidewerk
