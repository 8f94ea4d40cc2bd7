// The three propeller series vectorised over NumPy arrays, and what the program knows of each.
//
//   tidewerk.open_water(series, J, pd, ear, z, ittc78=None, threads=None)
//                                                         Kt, Kq and eta0 as float32 arrays
//   tidewerk.series_info(series)                              the limits and rules of a series
//
// Every value is bit-identical to tidewerk::evaluate.  The interpreter lock is released while
// the points are evaluated.
#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <sstream>
#include <tuple>
#include <utility>
#include <vector>

#include "cases/series_use.h"
#include "common.h"
#include "open_water_points.h"
#include "report/warnings.h"

namespace tidewerk::python {
namespace {

using namespace pybind11::literals;

// --- Arrays ----------------------------------------------------------------------------------

// `value` as a float32 array: numbers of any NumPy kind (bool, integer, real) or anything
// numpy.asarray makes such an array of; reals outside the float range become infinities.
py::array as_float32(py::handle value, const char* name) {
  const py::module_ np = py::module_::import("numpy");
  if (value.is_none()) type_error(std::string(name) + " must be a number or an array of numbers");
  py::object array;
  try {
    array = np.attr("asarray")(value);
  } catch (py::error_already_set& e) {
    if (!e.matches(PyExc_ValueError) && !e.matches(PyExc_TypeError)) throw;
    type_error(std::string(name) + " must be a number or an array of numbers (" +
               std::string(py::str(e.value())) + ")");
  }
  const std::string kind = py::str(array.attr("dtype").attr("kind"));
  if (kind != "b" && kind != "i" && kind != "u" && kind != "f") {
    type_error(std::string(name) + " must be a number or an array of numbers, not an array of " +
               std::string(py::str(array.attr("dtype"))));
  }
  py::object state = np.attr("errstate")("over"_a = "ignore", "invalid"_a = "ignore");
  state.attr("__enter__")();
  py::object converted;
  try {
    converted = array.attr("astype")(np.attr("float32"), "copy"_a = false);
  } catch (...) {
    state.attr("__exit__")(py::none(), py::none(), py::none());
    throw;
  }
  state.attr("__exit__")(py::none(), py::none(), py::none());
  return converted;
}

// An input as the points read it, keeping alive the array it points into.
struct Input {
  py::array_t<float, py::array::c_style> array;
  PointColumn column;
};

// `array` spread to `shape`: one shared value when it holds one value, else a C-ordered array
// of that shape (copied only when it is not one already).
Input spread(const py::array& array, const py::tuple& shape) {
  const py::module_ np = py::module_::import("numpy");
  Input input;
  if (array.size() == 1) {
    input.array = np.attr("ascontiguousarray")(array.attr("reshape")(1));
    input.column = {input.array.data(), 0};
  } else {
    input.array = np.attr("ascontiguousarray")(np.attr("broadcast_to")(array, shape));
    input.column = {input.array.data(), 1};
  }
  return input;
}

// --- open_water ------------------------------------------------------------------------------

struct OpenWaterResult {
  Series series;
  py::array J, z, Kt, Kq, eta0;
  bool ittc78 = false;
};

// The warning category of open_water for points outside a series' ranges (made once, kept for
// the life of the interpreter).
PyObject* range_warning = nullptr;

// What lies outside the ranges of the series among the points: P/D outside the swept pitch
// ratios, EAR outside the data-entry limits, Z outside the fitted blade numbers, and J below 0
// or beyond zero thrust (Kt < 0), where the polynomials were not fitted.  "" when nothing does.
std::string outside_ranges(Series series, const PointInputs& in, const float* Kt,
                           std::size_t count) {
  const SeriesFacts& f = series_facts(series);
  struct Range {
    const char* name;
    const PointColumn* column;
    float low, high;
    std::size_t outside = 0;
    float first = 0;  // the first value outside
  };
  Range ranges[] = {{"P/D", &in.pd, f.PDmin, f.PDmax},
                    {"EAR", &in.ear, f.EARmin, f.EARmax},
                    {"Z", &in.z, static_cast<float>(f.Zmin), static_cast<float>(f.Zmax)}};
  std::size_t beyond_thrust = 0;
  float first_J = 0;
  for (std::size_t i = 0; i < count; ++i) {
    for (Range& r : ranges) {
      const float v = r.column->at(i);
      if (!(v >= r.low && v <= r.high) && r.outside++ == 0) r.first = v;
    }
    if (!(in.J.at(i) >= 0.0f && Kt[i] >= 0.0f) && beyond_thrust++ == 0) first_J = in.J.at(i);
  }
  std::string what;
  const auto add = [&what](const std::string& part) { what += (what.empty() ? "" : "; ") + part; };
  const auto points = [](std::size_t n) {
    return std::to_string(n) + (n == 1 ? " point" : " points");
  };
  for (const Range& r : ranges) {
    if (r.outside == 0) continue;
    add(std::string(r.name) + " outside " + fixed(r.low, 2) + " to " + fixed(r.high, 2) + " at " +
        points(r.outside) + " (the first " + fixed(r.first, 3) + ")");
  }
  if (beyond_thrust > 0) {
    add("J below 0 or beyond zero thrust (Kt < 0) at " + points(beyond_thrust) +
        " (the first J = " + fixed(first_J, 3) + ")");
  }
  return what.empty() ? what : "the " + std::string(f.name) + " series is extrapolated: " + what;
}

OpenWaterResult open_water(py::handle series_value, py::handle J_value, py::handle pd_value,
                           py::handle ear_value, py::handle z_value, py::handle ittc78_value,
                           py::handle threads_value, bool strict) {
  const py::module_ np = py::module_::import("numpy");
  const Series series = series_of(series_value);
  unsigned threads = 0;  // every hardware thread for a large evaluation
  if (!threads_value.is_none()) {
    const std::optional<int> given = whole_number(threads_value, "threads");
    if (!given || *given < 1) value_error("threads must be None or a whole number from 1 up");
    threads = static_cast<unsigned>(*given);
  }

  std::vector<std::pair<const char*, py::object>> given = {
      {"J", py::reinterpret_borrow<py::object>(J_value)},
      {"pd", py::reinterpret_borrow<py::object>(pd_value)},
      {"ear", py::reinterpret_borrow<py::object>(ear_value)},
      {"z", py::reinterpret_borrow<py::object>(z_value)}};
  const bool full_scale = !ittc78_value.is_none();
  if (full_scale) {
    if (py::isinstance<py::str>(ittc78_value) || py::isinstance<py::bytes>(ittc78_value) ||
        !py::isinstance<py::sequence>(ittc78_value)) {
      type_error("ittc78 must be None or a sequence (D, Va, N)");
    }
    const py::sequence conditions = py::reinterpret_borrow<py::sequence>(ittc78_value);
    const std::size_t size = conditions.size();
    if (size != 3) {
      value_error("ittc78 must hold three values, D (m), Va (m/s) and N (RPM); it holds " +
                  std::to_string(size));
    }
    given.emplace_back("D", conditions[0]);
    given.emplace_back("Va", conditions[1]);
    given.emplace_back("N", conditions[2]);
  }

  std::vector<py::array> arrays;
  py::list shapes;
  for (const auto& [name, value] : given) {
    arrays.push_back(as_float32(value, name));
    shapes.append(arrays.back().attr("shape"));
  }
  py::tuple shape;
  try {
    shape = np.attr("broadcast_shapes")(*shapes);
  } catch (py::error_already_set& e) {
    if (!e.matches(PyExc_ValueError)) throw;
    std::string lengths;
    for (std::size_t k = 0; k < arrays.size(); ++k) {
      lengths +=
          std::string(k == 0 ? "" : ", ") + given[k].first + " " + std::string(py::str(shapes[k]));
    }
    value_error("the arrays have different lengths (" + lengths +
                "): give each input as one value or as an array of the length of the others");
  }

  std::vector<Input> inputs;
  for (const py::array& array : arrays) inputs.push_back(spread(array, shape));
  PointInputs in;
  in.J = inputs[0].column;
  in.pd = inputs[1].column;
  in.ear = inputs[2].column;
  in.z = inputs[3].column;
  in.full_scale = full_scale;
  if (full_scale) {
    in.D = inputs[4].column;
    in.Va = inputs[5].column;
    in.N = inputs[6].column;
  }

  // The five results are the rows of one block: one allocation, which the C library keeps for
  // the next call of the same size instead of handing fresh pages each time.
  std::vector<py::ssize_t> extents{5};
  for (const py::handle extent : shape) extents.push_back(extent.cast<py::ssize_t>());
  py::array_t<float> block(extents);
  const auto count = static_cast<std::size_t>(block.size() / 5);
  float* const base = block.mutable_data();
  const PointOutputs out{base, base + count, base + 2 * count, base + 3 * count, base + 4 * count};
  const auto row = [&block](int k) -> py::array {
    return block[py::make_tuple(k, py::ellipsis())];
  };
  const py::array J = row(0), z = row(1), Kt = row(2), Kq = row(3), eta0 = row(4);
  std::size_t corrected = 0;
  {
    py::gil_scoped_release unlocked;
    KeepFloatingPointFlags flags;
    corrected = evaluate_points_on_threads(series, in, count, out, threads);
  }
  const std::string outside = outside_ranges(series, in, out.Kt, count);
  if (!outside.empty()) {
    if (strict) value_error(outside);
    if (PyErr_WarnEx(range_warning, outside.c_str(), 1) != 0) throw py::error_already_set();
  }
  return {series, J, z, Kt, Kq, eta0, count > 0 && corrected == count};
}

// One point through evaluate() itself: the reference the vectorised path is checked against.
py::tuple evaluate_point(py::handle series_value, float J, float pd, float ear, float z,
                         std::optional<std::tuple<float, float, float>> ittc78) {
  const Series series = series_of(series_value);
  OpenWater r{};
  {
    KeepFloatingPointFlags flags;
    std::optional<Ittc78Conditions> full_scale;
    if (ittc78) {
      full_scale =
          Ittc78Conditions{std::get<0>(*ittc78), std::get<1>(*ittc78), std::get<2>(*ittc78)};
    }
    r = evaluate(series, {J, pd, ear, z}, full_scale);
  }
  const py::module_ np = py::module_::import("numpy");
  const py::object f32 = np.attr("float32");
  return py::make_tuple(f32(r.J), f32(r.z), f32(r.Kt), f32(r.Kq), f32(r.eta0));
}

// --- series_info -----------------------------------------------------------------------------

struct SeriesInfo {
  Series series;
  std::string name;
  double pd_min, pd_max, ear_min, ear_max;
  BladeNumberRule blade_rule;
  int z_min, z_max;
  bool ittc78, bollard_pull;
};

SeriesInfo series_info(py::handle series_value) {
  const SeriesFacts& f = series_facts(series_of(series_value));
  const SeriesUse& use = series_use(f.series);
  return {f.series,        std::string(f.name), use.PDmin, use.PDmax, use.EARmin,
          use.EARmax,      f.blade_rule,        f.Zmin,    f.Zmax,    f.ittc78,
          use.bollard_pull};
}

}  // namespace

void register_series(py::module_& m) {
  py::enum_<Series>(m, "Series", "The systematic series, numbered as on line 16 of a task file.")
      .value("WAGENINGEN_B", Series::WageningenB)
      .value("GAWN", Series::Gawn)
      .value("KCA", Series::Kca);

  py::enum_<BladeNumberRule>(m, "BladeNumberRule",
                             "How a series treats the blade number before evaluating.")
      .value("AS_GIVEN", BladeNumberRule::AsGiven, "Z enters the polynomials as given")
      .value("THREE_BLADES", BladeNumberRule::ThreeBlades,
             "a Z further than 0.01 from 3 is replaced by 3")
      .value("THREE_TO_FIVE", BladeNumberRule::ThreeToFive,
             "Z below 2.99 becomes 3, above 5.01 becomes 5");

  py::class_<SeriesInfo>(m, "SeriesInfo", "What the program knows about one series.")
      .def_readonly("series", &SeriesInfo::series)
      .def_readonly("name", &SeriesInfo::name, "the series' name, 'Wageningen B'")
      .def_readonly("pd_min", &SeriesInfo::pd_min, "lowest pitch ratio the cases search")
      .def_readonly("pd_max", &SeriesInfo::pd_max,
                    "highest pitch ratio the cases search (with a small margin)")
      .def_readonly("ear_min", &SeriesInfo::ear_min, "blade-area ratios accepted: ear_min <= EAR")
      .def_readonly("ear_max", &SeriesInfo::ear_max, "blade-area ratios accepted: EAR < ear_max")
      .def_readonly("blade_rule", &SeriesInfo::blade_rule)
      .def_readonly("z_min", &SeriesInfo::z_min, "fewest blades the series was fitted on")
      .def_readonly("z_max", &SeriesInfo::z_max, "most blades the series was fitted on")
      .def_readonly("ittc78", &SeriesInfo::ittc78, "the ITTC78 correction applies")
      .def_readonly("bollard_pull", &SeriesInfo::bollard_pull, "case 4 accepts the series")
      .def("__repr__", [](const SeriesInfo& s) {
        std::ostringstream out;
        out << "SeriesInfo(" << s.name << ", P/D " << s.pd_min << " to " << s.pd_max << ", EAR "
            << s.ear_min << " to " << s.ear_max << ", Z " << s.z_min << " to " << s.z_max
            << (s.ittc78 ? ", ITTC78" : "") << ")";
        return out.str();
      });

  m.def("series_info", &series_info, "series"_a,
        "The limits and rules of a series (a tidewerk.Series or its number 1, 2 or 3).\n\n"
        "Raises ValueError for an unknown series number.");

  m.def(
      "blade_number_used",
      [](py::handle series, float z) { return blade_number_used(series_of(series), z); },
      "series"_a, "z"_a, "The blade number the series' polynomials use for z.");

  py::class_<OpenWaterResult> open_water_class(
      m, "OpenWater",
      "Open-water coefficients: float32 arrays of the shape of the "
      "inputs broadcast together.");
  def_readonly_fields(
      open_water_class, readonly_field("series", &OpenWaterResult::series, "the series evaluated"),
      readonly_field("J", &OpenWaterResult::J,
                     "the advance coefficients used (a magnitude below 0.001 is raised to 0.001)"),
      readonly_field("z", &OpenWaterResult::z, "the blade numbers the series used"),
      readonly_field("Kt", &OpenWaterResult::Kt, "thrust coefficient T / (rho n^2 D^4)"),
      readonly_field("Kq", &OpenWaterResult::Kq, "torque coefficient Q / (rho n^2 D^5)"),
      readonly_field("eta0", &OpenWaterResult::eta0, "open-water efficiency (Kt / Kq) J / (2 pi)"),
      readonly_field("ittc78", &OpenWaterResult::ittc78,
                     "True when the ITTC78 correction was applied at every point"));
  open_water_class.def("__len__", [](const OpenWaterResult& r) { return r.J.size(); })
      .def(
          "as_dict",
          [](const OpenWaterResult& r) {
            py::dict columns;
            columns["J"] = r.J;
            columns["z"] = r.z;
            columns["Kt"] = r.Kt;
            columns["Kq"] = r.Kq;
            columns["eta0"] = r.eta0;
            return columns;
          },
          "The arrays as a dict of columns J, z, Kt, Kq, eta0 (for pandas.DataFrame).")
      .def("__repr__", [](const OpenWaterResult& r) {
        return "OpenWater(" + std::string(series_facts(r.series).name) + ", " +
               std::to_string(r.J.size()) + " points" + (r.ittc78 ? ", ITTC78" : "") + ")";
      });

  range_warning = PyErr_NewExceptionWithDoc(
      "tidewerk.RangeWarning",
      "open_water was given points outside the ranges of the series (P/D, EAR, Z, or J below 0 "
      "or beyond zero thrust): the polynomials are extrapolated there.",
      PyExc_UserWarning, nullptr);
  m.attr("RangeWarning") = py::handle(range_warning);

  m.def("open_water", &open_water, "series"_a, "J"_a, "pd"_a, "ear"_a, "z"_a,
        "ittc78"_a = py::none(), "threads"_a = py::none(), py::kw_only(), "strict"_a = false,
        "Kt, Kq and eta0 of a series over any number of points.\n\n"
        "series  tidewerk.Series or its number 1, 2 or 3\n"
        "J, pd, ear, z  numbers or arrays (converted to float32) that broadcast together: the "
        "advance coefficient, pitch ratio, blade-area ratio and blade number\n"
        "ittc78  None, or (D, Va, N): diameter m, advance speed m/s and shaft speed RPM "
        "(numbers or arrays) for the ITTC78 full-scale correction of the Wageningen B series\n"
        "threads  None: every hardware thread from a million points up, one below; or how many "
        "threads to use.  The results are the same whatever the number\n\n"
        "Returns an OpenWater with float32 arrays J, z, Kt, Kq and eta0, each value "
        "bit-identical to the program's.  Raises ValueError for an unknown series or arrays of "
        "different lengths, TypeError for inputs that are not numbers.\n\n"
        "Points outside the series' ranges (P/D, EAR, Z, or J below 0 or beyond zero thrust) "
        "give one tidewerk.RangeWarning per call naming them; with strict=True they raise "
        "ValueError instead.");

  m.def(
      "_evaluate_point",
      [](py::handle series, float J, float pd, float ear, float z,
         std::optional<std::tuple<float, float, float>> ittc78) {
        return evaluate_point(series, J, pd, ear, z, ittc78);
      },
      "series"_a, "J"_a, "pd"_a, "ear"_a, "z"_a, "ittc78"_a = py::none(),
      "One point through the scalar evaluation: (J, z, Kt, Kq, eta0) as numpy.float32.");
}

}  // namespace tidewerk::python
