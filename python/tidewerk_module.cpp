// The Python module tidewerk: the three propeller series vectorised over NumPy arrays, and
// whole runs of the program in-process.
//
//   tidewerk.open_water(series, J, pd, ear, z, ittc78=None)   Kt, Kq and eta0 as float32 arrays
//   tidewerk.series_info(series)                              the limits and rules of a series
//   tidewerk.run(task, keyboard="")                           one run of the program
//   tidewerk.template(case=None, series=None)                 a task file of --template
//
// The arithmetic is the library's own: every value is bit-identical to tidewerk::evaluate, and
// a run is the program's run through run_tidewerk with string streams, its tables and record
// those --csv and --json write.  The interpreter lock is released while either computes.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cctype>
#include <cerrno>
#include <cfenv>
#include <charconv>
#include <climits>
#include <limits>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "driver/case_table.h"
#include "driver/main_program.h"
#include "driver/outputs.h"
#include "driver/task_template.h"
#include "open_water_points.h"
#include "report/run_end.h"
#include "report/run_figures.h"
#include "report/warnings.h"
#include "tidewerk/series.h"

namespace py = pybind11;
using namespace pybind11::literals;

namespace tidewerk::python {

// tidewerk.resistance and tidewerk.propulsion_factors (ship_bindings.cpp).
void add_ship(py::module_& m);

namespace {

// --- Exceptions ------------------------------------------------------------------------------

// The module's exception classes, made once when the module is imported and kept alive by it.
struct ErrorTypes {
  PyObject* input = nullptr;
  PyObject* arithmetic = nullptr;
  PyObject* internal = nullptr;
};
ErrorTypes error_types;

[[noreturn]] void raise(PyObject* type, const std::string& message) {
  PyErr_SetString(type, message.c_str());
  throw py::error_already_set();
}

[[noreturn]] void value_error(const std::string& message) {
  raise(PyExc_ValueError, message);
}
[[noreturn]] void type_error(const std::string& message) {
  raise(PyExc_TypeError, message);
}

// Text the program wrote: UTF-8 where it is, and any other byte kept as a lone surrogate, so
// that text.encode("utf-8", "surrogateescape") gives back the exact bytes.
py::str text(const std::string& bytes) {
  PyObject* decoded =
      PyUnicode_DecodeUTF8(bytes.data(), static_cast<Py_ssize_t>(bytes.size()), "surrogateescape");
  if (decoded == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::str>(decoded);
}

// The bytes of a str (surrogate-escaped bytes back as they were), bytes or bytearray.
std::string bytes_of(py::handle value, const char* name) {
  if (py::isinstance<py::str>(value)) {
    PyObject* encoded = PyUnicode_AsEncodedString(value.ptr(), "utf-8", "surrogateescape");
    if (encoded == nullptr) throw py::error_already_set();
    return py::reinterpret_steal<py::bytes>(encoded).cast<std::string>();
  }
  if (py::isinstance<py::bytes>(value)) return value.cast<std::string>();
  if (PyByteArray_Check(value.ptr())) {
    return std::string(PyByteArray_AsString(value.ptr()),
                       static_cast<std::size_t>(PyByteArray_Size(value.ptr())));
  }
  type_error(std::string(name) + " must be a str or bytes, not " +
             py::str(py::type::handle_of(value).attr("__name__")).cast<std::string>());
}

// --- Series and case numbers ----------------------------------------------------------------

// A whole number given as a Python int (or anything with __index__, but not a bool), or
// nothing when it does not fit an int.
std::optional<int> whole_number(py::handle value, const char* name) {
  if (PyBool_Check(value.ptr()) || !PyIndex_Check(value.ptr())) {
    type_error(std::string(name) + " must be a whole number, not " +
               py::str(py::type::handle_of(value).attr("__name__")).cast<std::string>());
  }
  const py::int_ number = py::reinterpret_steal<py::int_>(PyNumber_Index(value.ptr()));
  if (!number) throw py::error_already_set();
  int overflow = 0;
  const long long n = PyLong_AsLongLongAndOverflow(number.ptr(), &overflow);
  if (overflow != 0 || n < INT_MIN || n > INT_MAX) return std::nullopt;
  return static_cast<int>(n);
}

Series series_of(py::handle value) {
  if (py::isinstance<Series>(value)) return value.cast<Series>();
  const std::optional<int> n = whole_number(value, "series");
  const std::optional<Series> series = n ? series_from_number(*n) : std::nullopt;
  if (!series) {
    value_error("unknown series " + py::repr(value).cast<std::string>() +
                ": the series are 1 Wageningen B, 2 Gawn and 3 KCA");
  }
  return *series;
}

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

// Restores the floating-point flags of the caller when it goes: the library raises them for
// NaN, infinite or extreme inputs, and they are no business of the interpreter.
class KeepFloatingPointFlags {
 public:
  KeepFloatingPointFlags() { std::fegetexceptflag(&saved_, FE_ALL_EXCEPT); }
  ~KeepFloatingPointFlags() { std::fesetexceptflag(&saved_, FE_ALL_EXCEPT); }
  KeepFloatingPointFlags(const KeepFloatingPointFlags&) = delete;
  KeepFloatingPointFlags& operator=(const KeepFloatingPointFlags&) = delete;

 private:
  std::fexcept_t saved_{};
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
      if (!(v >= r.low && v <= r.high)) {
        if (r.outside++ == 0) r.first = v;
      }
    }
    if (!(in.J.at(i) >= 0.0f && Kt[i] >= 0.0f)) {
      if (beyond_thrust++ == 0) first_J = in.J.at(i);
    }
  }
  std::string what;
  const auto add = [&what](const std::string& part) { what += (what.empty() ? "" : "; ") + part; };
  for (const Range& r : ranges) {
    if (r.outside == 0) continue;
    add(std::string(r.name) + " outside " + fixed(r.low, 2) + " to " + fixed(r.high, 2) + " at " +
        std::to_string(r.outside) + " point" + (r.outside == 1 ? "" : "s") + " (the first " +
        fixed(r.first, 3) + ")");
  }
  if (beyond_thrust > 0) {
    add("J below 0 or beyond zero thrust (Kt < 0) at " + std::to_string(beyond_thrust) + " point" +
        (beyond_thrust == 1 ? "" : "s") + " (the first J = " + fixed(first_J, 3) + ")");
  }
  return what.empty() ? what : "the " + std::string(f.name) + " series is extrapolated: " + what;
}

OpenWaterResult open_water(py::handle series_value, py::handle J_value, py::handle pd_value,
                           py::handle ear_value, py::handle z_value, py::handle ittc78_value,
                           bool strict) {
  const py::module_ np = py::module_::import("numpy");
  const Series series = series_of(series_value);

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
    corrected = evaluate_points(series, in, count, out);
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
    if (ittc78) {
      const Ittc78Conditions conditions{std::get<0>(*ittc78), std::get<1>(*ittc78),
                                        std::get<2>(*ittc78)};
      r = evaluate(series, {J, pd, ear, z}, &conditions);
    } else {
      r = evaluate(series, {J, pd, ear, z});
    }
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
  return {f.series,      std::string(f.name), f.PDmin, f.PDmax, f.EARmin,
          f.EARmax,      f.blade_rule,        f.Zmin,  f.Zmax,  f.ittc78,
          f.bollard_pull};
}

// --- run -------------------------------------------------------------------------------------

struct Run {
  int status = -1;
  std::string ending, reason;
  py::object screen, report, errors;
  py::dict tables;
  py::list warnings;
  py::dict result, result_units;
  // What the run collected and read, kept for its record: the --json document is written only
  // when asked for (it costs a tenth of a run), then kept as text and as a parsed dict.
  struct Collected {
    RunFigures figures;
    RunRecord record;
  };
  std::shared_ptr<const Collected> collected;
  std::optional<std::string> json_text;  // '' when no task file was read
  py::object json = py::none();

  const std::string& record_text() {
    if (!json_text) {
      json_text = collected->record.read.opened
                      ? run_json_text(collected->figures, collected->record)
                      : std::string();
    }
    return *json_text;
  }
};

// A task given as a path (os.PathLike, or a str naming an existing file) is read from that
// file; any other str, or bytes, is the task-file text itself.
struct Task {
  std::string text;
  std::optional<std::string> file;  // the path it was read from
};

// A one-line text that can only be meant as a file name: no blank in it, ending in ".Tsk" in
// any case.
bool looks_like_task_file_name(const std::string& s) {
  constexpr std::string_view kExtension = ".tsk";
  if (s.size() <= kExtension.size() || s.find_first_of(" \t") != std::string::npos) return false;
  for (std::size_t k = 0; k < kExtension.size(); ++k) {
    const char c = s[s.size() - kExtension.size() + k];
    if (std::tolower(static_cast<unsigned char>(c)) != kExtension[k]) return false;
  }
  return true;
}

Task task_of(py::handle value) {
  const py::module_ os = py::module_::import("os");
  std::optional<py::object> path;
  if (py::isinstance(value, os.attr("PathLike"))) {
    path = os.attr("fspath")(value);
  } else if (py::isinstance<py::str>(value)) {
    const std::string s = bytes_of(value, "task");
    const bool one_line = s.find_first_of("\r\n") == std::string::npos;
    if (!s.empty() && one_line && s.find('\0') == std::string::npos &&
        os.attr("path").attr("isfile")(value).cast<bool>()) {
      path = py::reinterpret_borrow<py::object>(value);
    } else if (one_line && looks_like_task_file_name(s)) {
      // A file name whose file is not there, not a task: say so rather than read the name.
      const py::object error = py::module_::import("builtins")
                                   .attr("FileNotFoundError")(ENOENT, "no such task file", value);
      PyErr_SetObject(PyExc_FileNotFoundError, error.ptr());
      throw py::error_already_set();
    }
  } else if (!py::isinstance<py::bytes>(value) && !PyByteArray_Check(value.ptr())) {
    type_error("task must be the task-file text (str or bytes) or a path, not " +
               py::str(py::type::handle_of(value).attr("__name__")).cast<std::string>());
  }
  Task task;
  if (path) {
    const py::object bytes =
        py::module_::import("pathlib").attr("Path")(*path).attr("read_bytes")();
    task.text = bytes.cast<std::string>();
    task.file = bytes_of(os.attr("fsdecode")(*path), "task");
  } else {
    task.text = bytes_of(value, "task");
  }
  return task;
}

// The tables of the run, keyed by name, each a dict of float32 columns keyed by column token
// and, for a table that marks rows, a last column "mark" of str ('' for the rows not marked).
py::dict tables_of(const RunFigures& figures) {
  const py::module_ np = py::module_::import("numpy");
  py::dict tables;
  for (const ResultTable& table : figures.tables()) {
    py::dict columns;
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
      py::array_t<float> column(static_cast<py::ssize_t>(table.rows.size()));
      float* values = column.mutable_data();
      for (std::size_t r = 0; r < table.rows.size(); ++r) {
        values[r] =
            c < table.rows[r].size() ? table.rows[r][c] : std::numeric_limits<float>::quiet_NaN();
      }
      py::str name = text(table.columns[c]);
      if (columns.contains(name)) name = text(table.columns[c] + " #" + std::to_string(c + 1));
      columns[name] = column;
    }
    if (table.mark_column) {
      py::list marks;
      for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const auto mark = table.marks.find(r);
        marks.append(text(mark == table.marks.end() ? std::string() : mark->second));
      }
      columns["mark"] = np.attr("array")(marks, "dtype"_a = "str");
    }
    tables[text(table.name)] = columns;
  }
  return tables;
}

// A number of the result block as the --json document writes it: a count as an int, any other
// value as the float of its shortest decimal text that reads back to the single-precision
// value (0.6200397, not 0.620039701461792); an infinity or NaN as it is.
py::object result_value(const ResultValue& v) {
  if (v.whole) return py::int_(static_cast<long>(v.value));
  const std::string digits = shortest_text(v.value);
  double value = static_cast<double>(v.value);
  if (!digits.empty()) std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return py::float_(value);
}

[[noreturn]] void raise_for_run(PyObject* type, const Run& run, const py::object& run_object) {
  const py::object error = py::reinterpret_borrow<py::object>(type)(text(run.reason));
  error.attr("run") = run_object;
  error.attr("status") = run.status;
  PyErr_SetObject(type, error.ptr());
  throw py::error_already_set();
}

py::object run(py::handle task_value, py::handle keyboard_value, const std::string& lang) {
  const Task task = task_of(task_value);
  const std::string keyboard_text = bytes_of(keyboard_value, "keyboard");
  const std::optional<Language> language = language_from_code(lang);
  if (!language) value_error("lang must be 'tr' or 'en', not '" + lang + "'");

  std::ostringstream screen, report, errors;
  const auto collected = std::make_shared<Run::Collected>();
  RunFigures& figures = collected->figures;
  RunRecord& record = collected->record;
  {
    py::gil_scoped_release unlocked;
    KeepFloatingPointFlags flags;
    std::istringstream keyboard(keyboard_text);
    RunSetup setup;
    if (task.file) setup.task_name = *task.file;
    setup.language = *language;
    run_tidewerk(
        screen, report, keyboard, errors,
        [&task]() -> std::unique_ptr<std::istream> {
          return std::make_unique<std::istringstream>(task.text);
        },
        &figures, setup, &record);
  }

  Run out;
  out.status = record.status;
  out.ending = record.ending;
  out.reason = record.reason;
  out.screen = text(screen.str());
  out.report = text(report.str());
  out.errors = text(errors.str());
  out.tables = tables_of(figures);
  for (const ResultValue& v : figures.results()) {
    out.result[text(v.name)] = result_value(v);
    out.result_units[text(v.name)] = text(v.unit);
  }
  out.collected = collected;
  for (const Warning& w : record.warnings)
    out.warnings.append(py::make_tuple(text(w.where), text(w.what)));
  const int status = out.status;
  py::object run_object = py::cast(std::move(out));
  const Run& kept = run_object.cast<const Run&>();
  switch (status) {
    case kExitInputError:
      raise_for_run(error_types.input, kept, run_object);
    case kExitArithmetic:
      raise_for_run(error_types.arithmetic, kept, run_object);
    case kExitInternal:
      raise_for_run(error_types.internal, kept, run_object);
    default:
      return run_object;
  }
}

// The annotated task file of a case, or with no case the list of the cases (--template alone).
py::str template_text(py::handle case_value, py::handle series_value) {
  if (case_value.is_none()) {
    if (!series_value.is_none()) type_error("template() needs a case for a series");
    return text(case_listing());
  }
  const std::optional<int> case_number = whole_number(case_value, "case");
  if (!case_number || find_case(*case_number) == nullptr) {
    value_error("unknown case " + py::repr(case_value).cast<std::string>() +
                ": the cases are numbered 1 to 10 (tidewerk.template() lists them)");
  }
  const Series series = series_value.is_none() ? Series::WageningenB : series_of(series_value);
  return text(task_template(*case_number, series));
}

PyObject* make_error_type(py::module_& m, const char* name, PyObject* base, const char* doc) {
  const std::string qualified = std::string("tidewerk.") + name;
  PyObject* type = PyErr_NewExceptionWithDoc(qualified.c_str(), doc, base, nullptr);
  if (type == nullptr) throw py::error_already_set();
  m.add_object(name, py::handle(type));  // the module holds the reference
  return type;
}

}  // namespace
}  // namespace tidewerk::python

PYBIND11_MODULE(tidewerk, m) {
  using namespace tidewerk;
  using namespace tidewerk::python;

  m.doc() =
      "Tidewerk: open-water characteristics of the Wageningen B, Gawn and KCA propeller series "
      "(with the ITTC78 correction of the Wageningen B series), vectorised over NumPy arrays, "
      "and whole runs of the Tidewerk program in-process.";
  m.attr("__version__") = TIDEWERK_VERSION;

  error_types.input = make_error_type(
      m, "InputError", PyExc_Exception,
      "The task or the keyboard input could not be read (exit status 1 of the program).  The "
      "message is the program's; .run holds the Run with its screen, report and errors, .status "
      "the exit status.");
  error_types.arithmetic = make_error_type(
      m, "ArithmeticError", PyExc_ArithmeticError,
      "A division by zero, an invalid operation or an overflow ended the run (exit status 3).  "
      "The message is the program's; .run holds the Run, .status the exit status.");
  error_types.internal = make_error_type(
      m, "InternalError", PyExc_RuntimeError,
      "An internal fault of the program ended the run (exit status 4).  .run holds the Run, "
      ".status the exit status.");

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

  py::class_<OpenWaterResult>(m, "OpenWater",
                              "Open-water coefficients: float32 arrays of the shape of the "
                              "inputs broadcast together.")
      .def_readonly("series", &OpenWaterResult::series)
      .def_readonly("J", &OpenWaterResult::J,
                    "the advance coefficients used (a magnitude below 0.001 is raised to 0.001)")
      .def_readonly("z", &OpenWaterResult::z, "the blade numbers the series used")
      .def_readonly("Kt", &OpenWaterResult::Kt, "thrust coefficient T / (rho n^2 D^4)")
      .def_readonly("Kq", &OpenWaterResult::Kq, "torque coefficient Q / (rho n^2 D^5)")
      .def_readonly("eta0", &OpenWaterResult::eta0, "open-water efficiency (Kt / Kq) J / (2 pi)")
      .def_readonly("ittc78", &OpenWaterResult::ittc78,
                    "True when the ITTC78 correction was applied at every point")
      .def("__len__", [](const OpenWaterResult& r) { return r.J.size(); })
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
        "ittc78"_a = py::none(), py::kw_only(), "strict"_a = false,
        "Kt, Kq and eta0 of a series over any number of points.\n\n"
        "series  tidewerk.Series or its number 1, 2 or 3\n"
        "J, pd, ear, z  numbers or arrays (converted to float32) that broadcast together: the "
        "advance coefficient, pitch ratio, blade-area ratio and blade number\n"
        "ittc78  None, or (D, Va, N): diameter m, advance speed m/s and shaft speed RPM "
        "(numbers or arrays) for the ITTC78 full-scale correction of the Wageningen B series\n\n"
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

  py::class_<Run>(m, "Run", "One run of the program.")
      .def_readonly("status", &Run::status,
                    "the exit status: 0 result, 1 input error, 3 arithmetic error, 4 internal "
                    "error, 5 no result")
      .def_readonly("ending", &Run::ending,
                    "'result', 'no result', 'input error', 'arithmetic error' or 'internal error'")
      .def_readonly("reason", &Run::reason, "why the run ended without its result, or ''")
      .def_readonly("screen", &Run::screen, "the screen text, exactly as the program writes it")
      .def_readonly("report", &Run::report, "the report Tidewerk.Son, exactly")
      .def_readonly("errors", &Run::errors, "what the program writes to its error output")
      .def_readonly("tables", &Run::tables,
                    "the run's tables (those --csv writes) keyed by name ('open-water', "
                    "'pitch' ...), each a dict of float32 NumPy columns keyed by column token "
                    "('J', 'Kt', '10Kq', 'T_kN' ...) and, where the report marks a row, a str "
                    "column 'mark' ('' but for the marked row): "
                    "pandas.DataFrame(run.tables['open-water'])")
      .def_readonly("warnings", &Run::warnings, "the run's warnings as (where, what) pairs")
      .def_readonly("result", &Run::result,
                    "the case's result block as a dict name -> number ('PD', 'J', 'Pd' ...), "
                    "in the report's order, the values of the --json document: an int for a "
                    "count ('Z', 'selected', 'chosen'), else a float; {} without a result block")
      .def_readonly("result_units", &Run::result_units,
                    "the unit of each result ('kN', 'kW', 'RPM' ...; '' for a ratio or count)")
      .def_property_readonly(
          "json",
          [](Run& r) -> py::object {
            if (r.json.is_none() && !r.record_text().empty()) {
              r.json = py::module_::import("json").attr("loads")(text(r.record_text()));
            }
            return r.json;
          },
          "the run's record, the document --json writes, as a dict (written on first use)")
      .def_property_readonly(
          "json_text",
          [](Run& r) -> py::object {
            if (r.record_text().empty()) return py::none();
            return text(r.record_text());
          },
          "the run's record as the text of the file --json writes")
      .def("__repr__", [](const Run& r) {
        return "Run(status=" + std::to_string(r.status) + ", ending='" + r.ending + "', " +
               std::to_string(py::len(r.tables)) + " tables, " +
               std::to_string(py::len(r.warnings)) + " warnings)";
      });

  m.def("run", &run, "task"_a, "keyboard"_a = "", py::kw_only(), "lang"_a = "tr",
        "Runs the program in-process on a task.\n\n"
        "task  the task-file text (str or bytes), or a path (os.PathLike, or a str naming an "
        "existing file) to read it from; a one-line str without blanks ending in .Tsk that "
        "names no file raises FileNotFoundError\n"
        "keyboard  what is typed at the keyboard, lines ending in '\\n'\n"
        "lang  the language of the screen and the report: 'tr' (Turkish, the default) or 'en'\n\n"
        "Returns a Run, with the tables, result block and record --csv and --json write, "
        "for exit statuses 0 and 5.  Raises tidewerk.InputError (status 1), "
        "tidewerk.ArithmeticError (status 3) or tidewerk.InternalError (status 4), whose .run "
        "holds the Run.");

  m.def("template", &template_text, "case"_a = py::none(), "series"_a = py::none(),
        "The annotated task file of a case (1 to 10) and series (tidewerk.Series or 1, 2, 3; "
        "1 when not given), the text of `tidewerk --template CASE --series S`, ready for "
        "run().  With no case, the list of the cases, one line each.\n\n"
        "Raises ValueError for an unknown case or series.");

  add_ship(m);
}
