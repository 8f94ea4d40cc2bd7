// The ship library in the Python module:
//
//   tidewerk.resistance(hull, speed_knots, method="holtrop-1984", water=None,
//                       correlation_area="hull+appendages")
//       the Holtrop-Mennen resistance: a dict of NumPy arrays named as the fields of
//       tidewerk::Resistance (forces in N, power in W), shaped as speed_knots
//   tidewerk.propulsion_factors(hull, speed_knots, screws, D, EAR, PD, method="holtrop-1984", ...)
//       the wake fraction, thrust deduction and relative rotative efficiency (w, t, etaR)
//
// `hull` is a dict of the fields of tidewerk::Hull.  Bad input raises ValueError with the
// library's message, which names the input and its value; a value of the wrong type TypeError.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tidewerk/ship.h"

namespace py = pybind11;
using namespace pybind11::literals;

namespace tidewerk::python {

void add_ship(py::module_& m);

namespace {

[[noreturn]] void value_error(const std::string& message) {
  PyErr_SetString(PyExc_ValueError, message.c_str());
  throw py::error_already_set();
}

[[noreturn]] void type_error(const std::string& message) {
  PyErr_SetString(PyExc_TypeError, message.c_str());
  throw py::error_already_set();
}

std::string python_repr(py::handle value) {
  return py::repr(value).cast<std::string>();
}

// A real number from a Python number (bool excepted); `where` names it in the message.
double number(py::handle value, const std::string& where) {
  if (PyBool_Check(value.ptr()) || !PyNumber_Check(value.ptr()) || py::isinstance<py::str>(value)) {
    type_error(where + " must be a number, not " +
               py::str(py::type::handle_of(value).attr("__name__")).cast<std::string>());
  }
  const double x = PyFloat_AsDouble(value.ptr());
  if (x == -1.0 && PyErr_Occurred()) throw py::error_already_set();
  return x;
}

// A name given as a string, one of `names`; its value the matching entry of `values`.
template <typename T, std::size_t N>
T choice(py::handle value, const char* where, const std::array<const char*, N>& names,
         const std::array<T, N>& values) {
  std::string known;
  for (std::size_t k = 0; k < N; ++k) known += std::string(k == 0 ? "" : ", ") + names[k];
  if (!py::isinstance<py::str>(value)) {
    type_error(std::string(where) + " must be one of the strings " + known + ", not " +
               python_repr(value));
  }
  const std::string given = value.cast<std::string>();
  for (std::size_t k = 0; k < N; ++k) {
    if (given == names[k]) return values[k];
  }
  value_error(std::string(where) + " " + python_repr(value) + " is unknown: it is one of " + known);
}

ResistanceMethod method_of(py::handle value, const char* where = "method") {
  return choice<ResistanceMethod, 2>(
      value, where, {"holtrop-mennen-1982", "holtrop-1984"},
      {ResistanceMethod::HoltropMennen1982, ResistanceMethod::Holtrop1984});
}

CorrelationArea area_of(py::handle value) {
  return choice<CorrelationArea, 2>(value, "correlation_area", {"hull+appendages", "hull"},
                                    {CorrelationArea::HullAndAppendages, CorrelationArea::Hull});
}

ViscousFormFactor form_factor_of(py::handle value) {
  return choice<ViscousFormFactor, 2>(
      value, "viscous_form_factor", {"hull", "hull+appendages"},
      {ViscousFormFactor::Hull, ViscousFormFactor::HullAndAppendages});
}

// The fields of tidewerk::Hull by name; the first eight have no default.
struct HullField {
  const char* name;
  double Hull::*member;  // nullptr for the optional S and iE
};
constexpr std::array<HullField, 16> kHullFields = {{
    {"L", &Hull::L},
    {"B", &Hull::B},
    {"TF", &Hull::TF},
    {"TA", &Hull::TA},
    {"volume", &Hull::volume},
    {"lcb", &Hull::lcb},
    {"CM", &Hull::CM},
    {"CWP", &Hull::CWP},
    {"ABT", &Hull::ABT},
    {"hB", &Hull::hB},
    {"AT", &Hull::AT},
    {"SAPP", &Hull::SAPP},
    {"one_plus_k2", &Hull::one_plus_k2},
    {"Cstern", &Hull::Cstern},
    {"S", nullptr},
    {"iE", nullptr},
}};
constexpr std::size_t kRequiredHullFields = 8;

Hull hull_of(py::handle value) {
  if (!py::isinstance<py::dict>(value)) {
    type_error(
        "hull must be a dict of the hull's fields (L, B, TF, TA, volume, lcb, CM, CWP, ...), "
        "not " +
        py::str(py::type::handle_of(value).attr("__name__")).cast<std::string>());
  }
  const py::dict fields = py::reinterpret_borrow<py::dict>(value);
  std::string known;
  for (const HullField& field : kHullFields)
    known += std::string(known.empty() ? "" : ", ") + field.name;
  for (const auto& [key, item] : fields) {
    bool found = false;
    for (const HullField& field : kHullFields) {
      found = found || (py::isinstance<py::str>(key) && key.cast<std::string>() == field.name);
    }
    if (!found)
      value_error("hull: unknown field " + python_repr(key) + "; the fields are " + known);
  }
  Hull hull{};
  for (std::size_t k = 0; k < kHullFields.size(); ++k) {
    const HullField& field = kHullFields[k];
    const std::string where = std::string("hull['") + field.name + "']";
    if (!fields.contains(field.name)) {
      if (k < kRequiredHullFields) value_error(where + " is missing");
      continue;
    }
    const py::handle item = fields[field.name];
    if (field.member != nullptr) {
      hull.*field.member = number(item, where);
    } else if (!item.is_none()) {
      (std::string(field.name) == "S" ? hull.S : hull.iE) = number(item, where);
    }
  }
  return hull;
}

Water water_of(py::handle value) {
  Water water;
  if (value.is_none()) return water;
  if (!py::isinstance<py::dict>(value)) {
    type_error("water must be None or a dict of rho (kg/m3), nu (m2/s) and g (m/s2)");
  }
  const py::dict fields = py::reinterpret_borrow<py::dict>(value);
  for (const auto& [key, item] : fields) {
    const std::string name = py::isinstance<py::str>(key) ? key.cast<std::string>() : "";
    if (name == "rho") {
      water.rho = number(item, "water['rho']");
    } else if (name == "nu") {
      water.nu = number(item, "water['nu']");
    } else if (name == "g") {
      water.g = number(item, "water['g']");
    } else {
      value_error("water: unknown field " + python_repr(key) + "; the fields are rho, nu, g");
    }
  }
  return water;
}

// The speeds as a C-ordered float64 array, each a finite number of knots not below zero.
py::array_t<double, py::array::c_style> speeds_of(py::handle value) {
  const py::module_ np = py::module_::import("numpy");
  py::object array;
  try {
    array = np.attr("asarray")(value, "dtype"_a = np.attr("float64"), "order"_a = "C");
  } catch (py::error_already_set& e) {
    if (!e.matches(PyExc_ValueError) && !e.matches(PyExc_TypeError)) throw;
    type_error("speed_knots must be a number or an array of numbers (" +
               std::string(py::str(e.value())) + ")");
  }
  py::array_t<double, py::array::c_style> speeds = array;
  const double* v = speeds.data();
  for (py::ssize_t i = 0; i < speeds.size(); ++i) {
    if (!std::isfinite(v[i]) || v[i] < 0) {
      value_error("speed_knots = " + python_repr(py::float_(v[i])) +
                  ": must be a finite number of knots, zero or more");
    }
  }
  return speeds;
}

// The fields of tidewerk::Resistance by name, in their order.
struct ResistanceField {
  const char* name;
  double Resistance::*member;
};
constexpr std::array<ResistanceField, 16> kResistanceFields = {{
    {"V", &Resistance::V},
    {"Fn", &Resistance::Fn},
    {"Rn", &Resistance::Rn},
    {"CF", &Resistance::CF},
    {"CA", &Resistance::CA},
    {"S", &Resistance::S},
    {"iE", &Resistance::iE},
    {"form_factor", &Resistance::form_factor},
    {"RF", &Resistance::RF},
    {"RAPP", &Resistance::RAPP},
    {"RW", &Resistance::RW},
    {"RB", &Resistance::RB},
    {"RTR", &Resistance::RTR},
    {"RA", &Resistance::RA},
    {"RT", &Resistance::RT},
    {"PE", &Resistance::PE},
}};

// One output array per name, shaped as the speeds.
template <std::size_t N>
std::array<py::array_t<double>, N> outputs_like(const py::array& speeds) {
  std::vector<py::ssize_t> shape(speeds.shape(), speeds.shape() + speeds.ndim());
  std::array<py::array_t<double>, N> arrays;
  for (py::array_t<double>& a : arrays) a = py::array_t<double>(shape);
  return arrays;
}

py::dict resistance_py(py::handle hull_value, py::handle speed_value, py::handle method_value,
                       py::handle water_value, py::handle area_value) {
  const Hull hull = hull_of(hull_value);
  const ResistanceMethod method = method_of(method_value);
  const Water water = water_of(water_value);
  const CorrelationArea area = area_of(area_value);
  const auto speeds = speeds_of(speed_value);
  auto arrays = outputs_like<kResistanceFields.size()>(speeds);
  std::array<double*, kResistanceFields.size()> out{};
  for (std::size_t f = 0; f < out.size(); ++f) out[f] = arrays[f].mutable_data();
  const double* knots = speeds.data();
  const auto count = static_cast<std::size_t>(speeds.size());
  {
    py::gil_scoped_release unlocked;  // std::invalid_argument becomes ValueError
    for (std::size_t i = 0; i < count; ++i) {
      const Resistance r = resistance(hull, knots[i] * knot, method, water, area);
      for (std::size_t f = 0; f < out.size(); ++f) out[f][i] = r.*kResistanceFields[f].member;
    }
  }
  py::dict result;
  for (std::size_t f = 0; f < out.size(); ++f) result[kResistanceFields[f].name] = arrays[f];
  return result;
}

Screws screws_of(py::handle value) {
  if (py::isinstance<py::str>(value)) {
    return choice<Screws, 2>(value, "screws", {"single", "twin"}, {Screws::Single, Screws::Twin});
  }
  if (PyBool_Check(value.ptr()) || !PyIndex_Check(value.ptr())) {
    type_error("screws must be 1, 2, 'single' or 'twin', not " + python_repr(value));
  }
  const long n = value.cast<long>();
  if (n != 1 && n != 2) value_error("screws = " + python_repr(value) + ": must be 1 or 2");
  return n == 1 ? Screws::Single : Screws::Twin;
}

// A number, or NaN for None (a value the screw arrangement does not use).
double number_or_none(py::handle value, const char* where) {
  if (value.is_none()) return std::numeric_limits<double>::quiet_NaN();
  return number(value, where);
}

py::object propulsion_py(py::handle hull_value, py::handle speed_value, py::handle screws_value,
                         py::handle D_value, py::handle EAR_value, py::handle PD_value,
                         py::handle method_value, py::handle water_value, py::handle area_value,
                         py::handle form_factor_value, py::handle single_screw_value,
                         const py::object& result_type) {
  const Hull hull = hull_of(hull_value);
  const Screws screws = screws_of(screws_value);
  const double D = number(D_value, "D");
  const double EAR = number_or_none(EAR_value, "EAR");
  const double PD = number_or_none(PD_value, "PD");
  const ResistanceMethod method = method_of(method_value);
  const Water water = water_of(water_value);
  const CorrelationArea area = area_of(area_value);
  const PropulsionOptions options{
      .viscous_form_factor = form_factor_of(form_factor_value),
      .single_screw_formulas = method_of(single_screw_value, "single_screw_formulas")};
  const auto speeds = speeds_of(speed_value);
  auto arrays = outputs_like<3>(speeds);
  double* const w = arrays[0].mutable_data();
  double* const t = arrays[1].mutable_data();
  double* const etaR = arrays[2].mutable_data();
  const double* knots = speeds.data();
  const auto count = static_cast<std::size_t>(speeds.size());
  {
    py::gil_scoped_release unlocked;  // std::invalid_argument becomes ValueError
    for (std::size_t i = 0; i < count; ++i) {
      const Resistance r = resistance(hull, knots[i] * knot, method, water, area);
      const PropulsionFactors p = propulsion_factors(hull, r, screws, D, EAR, PD, options);
      w[i] = p.w;
      t[i] = p.t;
      etaR[i] = p.etaR;
    }
  }
  return result_type(arrays[0], arrays[1], arrays[2]);
}

}  // namespace

void add_ship(py::module_& m) {
  const py::object factors_type =
      py::module_::import("collections")
          .attr("namedtuple")("PropulsionFactors", "w t etaR", "module"_a = "tidewerk");
  factors_type.attr("__doc__") =
      "Wake fraction w, thrust deduction t and relative rotative efficiency etaR, each a NumPy "
      "array shaped as the speeds.";
  m.attr("PropulsionFactors") = factors_type;

  m.def("resistance", &resistance_py, "hull"_a, "speed_knots"_a, "method"_a = "holtrop-1984",
        "water"_a = py::none(), "correlation_area"_a = "hull+appendages",
        "Calm-water resistance of a displacement ship by Holtrop and Mennen.\n\n"
        "hull: dict of L, B, TF, TA (m), volume (m3), lcb (% of L, forward of L/2 positive), CM, "
        "CWP, and optionally ABT (m2), hB (m), AT (m2), SAPP (m2), one_plus_k2, Cstern, S (m2) "
        "and iE (degrees); S and iE are estimated when absent or None.\n"
        "speed_knots: a number or an array of numbers.\n"
        "method: 'holtrop-1984' or 'holtrop-mennen-1982'.\n"
        "water: None (sea water at 15 C: rho 1025, nu 1.18831e-6, g 9.81) or a dict of rho "
        "(kg/m3), nu (m2/s) and g (m/s2).\n"
        "correlation_area: 'hull+appendages' or 'hull', the area the correlation allowance RA "
        "is taken over.\n\n"
        "Returns a dict of float64 arrays shaped as speed_knots: V (m/s), Fn, Rn, CF, CA, S (m2), "
        "iE (degrees), form_factor (1 + k1), RF, RAPP, RW, RB, RTR, RA, RT (N) and PE (W).  "
        "Raises ValueError naming the input for bad input.");

  m.def(
      "propulsion_factors",
      [factors_type](py::handle hull, py::handle speed_knots, py::handle screws, py::handle D,
                     py::handle EAR, py::handle PD, py::handle method, py::handle water,
                     py::handle correlation_area, py::handle viscous_form_factor,
                     py::handle single_screw_formulas) {
        return propulsion_py(hull, speed_knots, screws, D, EAR, PD, method, water, correlation_area,
                             viscous_form_factor, single_screw_formulas, factors_type);
      },
      "hull"_a, "speed_knots"_a, "screws"_a, "D"_a, "EAR"_a, "PD"_a, "method"_a = "holtrop-1984",
      "water"_a = py::none(), "correlation_area"_a = "hull+appendages",
      "viscous_form_factor"_a = "hull", "single_screw_formulas"_a = "holtrop-1984",
      "Wake fraction, thrust deduction and relative rotative efficiency by Holtrop and Mennen.\n\n"
      "hull, speed_knots, method, water and correlation_area as for resistance(), whose run at "
      "each speed gives the viscous resistance coefficient CV.  screws: 1 or 'single' (the 1984 "
      "formulas), 2 or 'twin' (the 1982 ones).  D: propeller diameter (m); EAR: expanded "
      "blade-area ratio (single screw); PD: pitch ratio (twin screw); the one not used may be "
      "None.\n"
      "viscous_form_factor: 'hull' (1 + k1 in CV) or 'hull+appendages' (the older combined "
      "form).  single_screw_formulas: 'holtrop-1984' or 'holtrop-mennen-1982'.\n\n"
      "Returns PropulsionFactors(w, t, etaR), float64 arrays shaped as speed_knots.  Raises "
      "ValueError naming the input for bad input.");
}

}  // namespace tidewerk::python
