// Text, bytes, whole numbers and series as given from Python.
#include <climits>

#include "common.h"

namespace tidewerk::python {

py::str text(const std::string& bytes) {
  PyObject* decoded =
      PyUnicode_DecodeUTF8(bytes.data(), static_cast<Py_ssize_t>(bytes.size()), "surrogateescape");
  if (decoded == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::str>(decoded);
}

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

}  // namespace tidewerk::python
