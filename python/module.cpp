// The Python module tidewerk: the three propeller series vectorised over NumPy arrays
// (series.cpp), whole runs of the program in-process (runs.cpp) and their exceptions
// (errors.cpp), and the ship library (ship_bindings.cpp), over the program's own core library.
#include "common.h"
#include "series/instruction_set.h"

PYBIND11_MODULE(tidewerk, m) {
  using namespace tidewerk::python;
  // TIDEWERK_ISA naming an instruction set this processor cannot run refuses the import.
  if (const tidewerk::InstructionSetChoice& isa = tidewerk::instruction_set_in_use();
      !isa.error.empty()) {
    throw py::import_error(isa.error);
  }

  m.doc() =
      "Tidewerk: open-water characteristics of the Wageningen B, Gawn and KCA propeller series "
      "(with the ITTC78 correction of the Wageningen B series), vectorised over NumPy arrays, "
      "and whole runs of the Tidewerk program in-process.";
  m.attr("__version__") = TIDEWERK_VERSION;

  register_errors(m);
  register_series(m);
  register_runs(m);
  add_ship(m);
}
