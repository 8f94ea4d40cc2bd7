// What the parts of the Python module share: text and bytes as the program reads and writes
// them, whole numbers and series given from Python, the module's exceptions, and the keeping
// of the caller's floating-point flags.
#pragma once

#include <pybind11/pybind11.h>

#include <optional>
#include <string>

#include "numeric/precision.h"
#include "tidewerk/series.h"

namespace tidewerk::python {

namespace py = pybind11;

// The module's exception classes, made once when the module is imported and kept alive by it.
struct ErrorTypes {
  PyObject* input = nullptr;
  PyObject* arithmetic = nullptr;
  PyObject* internal = nullptr;
};
extern ErrorTypes error_types;

// Raises a Python exception of `type` with `message`.
[[noreturn]] void raise(PyObject* type, const std::string& message);
[[noreturn]] void value_error(const std::string& message);
[[noreturn]] void type_error(const std::string& message);

// Text the program wrote: UTF-8 where it is, and any other byte kept as a lone surrogate, so
// that text.encode("utf-8", "surrogateescape") gives back the exact bytes.
py::str text(const std::string& bytes);

// The bytes of a str (surrogate-escaped bytes back as they were), bytes or bytearray.
std::string bytes_of(py::handle value, const char* name);

// A whole number given as a Python int (or anything with __index__, but not a bool), or
// nothing when it does not fit an int.
std::optional<int> whole_number(py::handle value, const char* name);

// A tidewerk.Series or its number 1, 2 or 3; ValueError for any other.
Series series_of(py::handle value);

// Restores the floating-point flags of the caller when it goes: the library raises them for
// NaN, infinite or extreme inputs, and they are no business of the interpreter.
using KeepFloatingPointFlags = FloatingPointFlagsKept;

// A read-only attribute of a bound class: its name, its member and its docstring.
template <class T, class Member>
struct ReadOnlyField {
  const char* name;
  Member T::*member;
  const char* doc;
};

template <class T, class Member>
ReadOnlyField<T, Member> readonly_field(const char* name, Member T::*member, const char* doc) {
  return {name, member, doc};
}

// Binds each of `fields` as a read-only attribute of `cls`, in their order.
template <class T, class... Members>
py::class_<T>& def_readonly_fields(py::class_<T>& cls, const ReadOnlyField<T, Members>&... fields) {
  (cls.def_readonly(fields.name, fields.member, fields.doc), ...);
  return cls;
}

// The registrations of each part of the module.
void register_errors(py::module_& m);
void register_series(py::module_& m);
void register_runs(py::module_& m);
void add_ship(py::module_& m);   // tidewerk.resistance and tidewerk.propulsion_factors
void add_study(py::module_& m);  // tidewerk.study and tidewerk.study_template

}  // namespace tidewerk::python
