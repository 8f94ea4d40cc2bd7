// Whole runs of the program in-process, through tidewerk/run.h, and the task files of
// --template.
//
//   tidewerk.run(task, keyboard="")                           one run of the program
//   tidewerk.template(case=None, series=None)                 a task file of --template
//
// A run is the program's run with string streams; its tables and record are those --csv and
// --json write, converted from the same record.  The interpreter lock is released while it runs.
#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <cctype>
#include <cerrno>
#include <charconv>
#include <limits>
#include <memory>
#include <string_view>
#include <utility>

#include "common.h"
#include "outputs/csv.h"
#include "outputs/record.h"
#include "tidewerk/run.h"

namespace tidewerk::python {
namespace {

using namespace pybind11::literals;

// --- run -------------------------------------------------------------------------------------

struct Run {
  int status = -1;
  std::string ending, reason;
  py::object screen, report, errors;
  py::dict tables;
  py::list warnings;
  py::dict result, result_units;
  // The run's record, kept for its JSON: the --json document is written only when asked for
  // (it costs a tenth of a run), then kept as text and as a parsed dict.
  std::shared_ptr<const RunRecord> record;
  std::optional<std::string> json_text;  // '' when no task file was read
  py::object json = py::none();

  const std::string& record_text() {
    if (!json_text) json_text = record_json_text(*record);
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
py::dict tables_of(const Outcome& outcome) {
  const py::module_ np = py::module_::import("numpy");
  py::dict tables;
  for (const ResultTable& table : outcome.tables()) {
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

// The exception class of a run's ending; null for the endings a Run is returned for.
PyObject* error_type(Ending ending) {
  switch (ending) {
    case Ending::InputError:
      return error_types.input;
    case Ending::ArithmeticError:
      return error_types.arithmetic;
    case Ending::InternalError:
      return error_types.internal;
    case Ending::Result:
    case Ending::NoResult:
      break;
  }
  return nullptr;
}

py::object run(py::handle task_value, py::handle keyboard_value, const std::string& lang) {
  const Task task = task_of(task_value);
  if (lang != "tr" && lang != "en") value_error("lang must be 'tr' or 'en', not '" + lang + "'");
  RunInput input;
  input.language = lang;
  input.task = task.text;
  input.keyboard = bytes_of(keyboard_value, "keyboard");
  if (task.file) input.task_name = *task.file;
  RunOutput output;
  {
    py::gil_scoped_release unlocked;
    KeepFloatingPointFlags flags;
    output = run_task(input);
  }
  const RunRecord& record = *output.record;

  Run out;
  out.status = record.status;
  out.ending = std::string(ending_text(record.ending));
  out.reason = record.reason;
  out.screen = text(output.screen);
  out.report = text(output.report);
  out.errors = text(output.errors);
  out.tables = tables_of(record.outcome);
  for (const ResultValue& v : record.outcome.results()) {
    out.result[text(v.name)] = result_value(v);
    out.result_units[text(v.name)] = text(v.unit);
  }
  for (const Warning& w : record.warnings)
    out.warnings.append(py::make_tuple(text(w.where), text(w.what)));
  out.record = output.record;
  PyObject* const failure = error_type(record.ending);
  py::object run_object = py::cast(std::move(out));
  if (failure != nullptr) raise_for_run(failure, run_object.cast<const Run&>(), run_object);
  return run_object;
}

// The annotated task file of a case, or with no case the list of the cases (--template alone).
py::str template_text(py::handle case_value, py::handle series_value) {
  if (case_value.is_none()) {
    if (!series_value.is_none()) type_error("template() needs a case for a series");
    return text(case_listing_text());
  }
  const std::optional<int> case_number = whole_number(case_value, "case");
  if (!case_number || !is_case_number(*case_number)) {
    value_error("unknown case " + py::repr(case_value).cast<std::string>() +
                ": the cases are numbered 1 to 10 (tidewerk.template() lists them)");
  }
  const Series series = series_value.is_none() ? Series::WageningenB : series_of(series_value);
  return text(task_template_text(*case_number, series));
}

}  // namespace

void register_runs(py::module_& m) {
  py::class_<Run> run_class(m, "Run", "One run of the program.");
  def_readonly_fields(
      run_class,
      readonly_field("status", &Run::status,
                     "the exit status: 0 result, 1 input error, 3 arithmetic error, 4 internal "
                     "error, 5 no result"),
      readonly_field(
          "ending", &Run::ending,
          "'result', 'no result', 'input error', 'arithmetic error' or 'internal error'"),
      readonly_field("reason", &Run::reason, "why the run ended without its result, or ''"),
      readonly_field("screen", &Run::screen, "the screen text, exactly as the program writes it"),
      readonly_field("report", &Run::report, "the report Tidewerk.Son, exactly"),
      readonly_field("errors", &Run::errors, "what the program writes to its error output"),
      readonly_field("tables", &Run::tables,
                     "the run's tables (those --csv writes) keyed by name ('open-water', "
                     "'pitch' ...), each a dict of float32 NumPy columns keyed by column token "
                     "('J', 'Kt', '10Kq', 'T_kN' ...) and, where the report marks a row, a str "
                     "column 'mark' ('' but for the marked row): "
                     "pandas.DataFrame(run.tables['open-water'])"),
      readonly_field("warnings", &Run::warnings, "the run's warnings as (where, what) pairs"),
      readonly_field("result", &Run::result,
                     "the case's result block as a dict name -> number ('PD', 'J', 'Pd' ...), "
                     "in the report's order, the values of the --json document: an int for a "
                     "count ('Z', 'selected', 'chosen'), else a float; {} without a result block"),
      readonly_field("result_units", &Run::result_units,
                     "the unit of each result ('kN', 'kW', 'RPM' ...; '' for a ratio or count)"));
  run_class
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
}

}  // namespace tidewerk::python
