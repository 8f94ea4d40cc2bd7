// Tidewerk: preliminary design of marine screw propellers from the Wageningen B, Gawn and KCA
// series.  Without arguments it reads Tidewerk_28-03-2020.Tsk and writes Tidewerk.Son in the
// working directory; `tidewerk --help` lists the options.
#include <iostream>
#include <string>
#include <vector>

#include "driver/program.h"
#include "series/instruction_set.h"

int main(int argc, char** argv) {
  // TIDEWERK_ISA naming an instruction set this processor cannot run is refused as a bad option.
  if (const tidewerk::InstructionSetChoice& isa = tidewerk::instruction_set_in_use();
      !isa.error.empty()) {
    std::cerr << "tidewerk: " << isa.error << "\n";
    return 2;
  }
  return tidewerk::run_program(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout,
                               std::cerr);
}
