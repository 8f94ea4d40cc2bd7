// The propulsion study in the Python module:
//
//   tidewerk.study(source, jobs=None)  the study's record, the dict `tidewerk study --json` writes
//   tidewerk.study_template()          the annotated study file of `tidewerk study --template`
//
// `source` is the study file's TOML text (str), or the same as a dict (what tomllib.loads gives:
// tables as dicts, arrays as lists).  A study file that cannot be read raises
// tidewerk.InputError with the program's message ("study: [ship] L: missing ..." for a dict,
// with the line and column for a text).  A study without a feasible propeller returns its
// record with ending "no result" and exit_status 5, as the program ends.  The interpreter lock
// is released while the study computes.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <toml++/toml.h>

#include <regex>
#include <sstream>
#include <string>
#include <thread>

#include "outputs/study_record.h"
#include "report/run_end.h"
#include "study/study.h"
#include "study/study_file.h"

namespace py = pybind11;
using namespace pybind11::literals;

namespace tidewerk::python {

void add_study(py::module_& m);

namespace {

// The name the messages and the record give the study file.
constexpr const char* kSourceName = "study";

[[noreturn]] void type_error(const std::string& message) {
  PyErr_SetString(PyExc_TypeError, message.c_str());
  throw py::error_already_set();
}

void insert(toml::table& table, const std::string& key, py::handle value, const std::string& where);

toml::array array_of(py::handle list, const std::string& where);

toml::table table_of(py::handle dict, const std::string& where) {
  toml::table table;
  for (const auto& [key, value] : py::reinterpret_borrow<py::dict>(dict)) {
    if (!py::isinstance<py::str>(key)) type_error(where + ": a key that is not a str");
    const std::string name = key.cast<std::string>();
    insert(table, name, value, where.empty() ? name : where + "." + name);
  }
  return table;
}

// A Python value as the TOML node it stands for, given to `add`; `where` names it in a
// TypeError.
template <typename Add>
void node_of(py::handle value, const std::string& where, const Add& add) {
  if (py::isinstance<py::bool_>(value)) {
    add(value.cast<bool>());
  } else if (py::isinstance<py::int_>(value)) {
    add(value.cast<std::int64_t>());
  } else if (py::isinstance<py::float_>(value)) {
    add(value.cast<double>());
  } else if (py::isinstance<py::str>(value)) {
    add(value.cast<std::string>());
  } else if (py::isinstance<py::dict>(value)) {
    add(table_of(value, where));
  } else if (py::isinstance<py::list>(value) || py::isinstance<py::tuple>(value)) {
    add(array_of(value, where));
  } else {
    type_error(where + ": a " +
               py::str(py::type::handle_of(value).attr("__name__")).cast<std::string>() +
               " has no TOML form");
  }
}

void insert(toml::table& table, const std::string& key, py::handle value,
            const std::string& where) {
  node_of(value, where, [&](auto&& node) { table.insert_or_assign(key, std::move(node)); });
}

toml::array array_of(py::handle list, const std::string& where) {
  toml::array array;
  for (py::handle item : list) {
    node_of(item, where, [&](auto&& node) { array.push_back(std::move(node)); });
  }
  return array;
}

// The study file's text of `source`.
std::string source_text(const py::object& source, bool& from_dict) {
  from_dict = py::isinstance<py::dict>(source);
  if (py::isinstance<py::str>(source)) return source.cast<std::string>();
  if (!from_dict) type_error("study(): source must be the study file's TOML text (str) or a dict");
  std::ostringstream text;
  text << table_of(source, "");
  return text.str();
}

py::dict study(const py::object& source, const std::optional<unsigned>& jobs) {
  bool from_dict = false;
  const std::string text = source_text(source, from_dict);
  std::string record_text;
  std::string error;
  {
    py::gil_scoped_release unlocked;
    try {
      const StudyInput input = read_study(text, kSourceName);
      record_text =
          record_json(study_record(input, run_study(input, jobs.value_or(0)), TIDEWERK_VERSION));
    } catch (const InputError& e) {
      error = e.what();
    }
  }
  if (!error.empty()) {
    // The lines and columns of a dict's formatted text mean nothing to the caller.
    if (from_dict)
      error =
          std::regex_replace(error, std::regex(std::string("^") + kSourceName + ":[0-9]+:[0-9]+:"),
                             std::string(kSourceName) + ":");
    PyErr_SetString(py::module_::import("tidewerk").attr("InputError").ptr(), error.c_str());
    throw py::error_already_set();
  }
  return py::module_::import("json").attr("loads")(record_text);
}

}  // namespace

void add_study(py::module_& m) {
  m.def(
      "study", &study, "source"_a, "jobs"_a = py::none(),
      "Runs a propulsion study in-process.\n\n"
      "source  the study file's TOML text (str), or the same as a dict (as tomllib.loads gives)\n"
      "jobs    threads for the candidates (default: one per processor); the record is the same\n\n"
      "Returns the study's record as a dict, the document `tidewerk study --json` writes: "
      "program, version, study_file, inputs, tables (resistance, candidates, speed-power), "
      "results, warnings, ending, reason, exit_status (5 when no propeller is feasible).  "
      "Raises tidewerk.InputError for a study file that cannot be read.");
  m.def("study_template", &study_template,
        "The annotated study file of `tidewerk study --template`, ready for study().");
}

}  // namespace tidewerk::python
