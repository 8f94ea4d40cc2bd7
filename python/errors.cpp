// The module's exceptions: tidewerk.InputError, ArithmeticError and InternalError, each with
// the Run that failed.
#include "common.h"

namespace tidewerk::python {

ErrorTypes error_types;

void raise(PyObject* type, const std::string& message) {
  PyErr_SetString(type, message.c_str());
  throw py::error_already_set();
}

void value_error(const std::string& message) {
  raise(PyExc_ValueError, message);
}

void type_error(const std::string& message) {
  raise(PyExc_TypeError, message);
}

namespace {

PyObject* make_error_type(py::module_& m, const char* name, PyObject* base, const char* doc) {
  const std::string qualified = std::string("tidewerk.") + name;
  PyObject* type = PyErr_NewExceptionWithDoc(qualified.c_str(), doc, base, nullptr);
  if (type == nullptr) throw py::error_already_set();
  m.add_object(name, py::handle(type));  // the module holds the reference
  return type;
}

}  // namespace

void register_errors(py::module_& m) {
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
}

}  // namespace tidewerk::python
