// The instruction sets the grid kernel is compiled for, and the one a process uses: the widest
// the processor supports, or the one named by the environment variable TIDEWERK_ISA.  Every
// path gives the same bits (single-precision products and sums round alike in every lane
// width, and no path fuses or reorders them).
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tidewerk {

enum class InstructionSet {
  baseline,  // x86-64: SSE2, 4 float lanes
  avx2,      // AVX2, 8 float lanes (no FMA)
  avx512,    // AVX-512 F, DQ, VL and BW, 16 float lanes (no FMA)
};

// Every instruction set, narrowest first.
inline constexpr std::array<InstructionSet, 3> kInstructionSets{
    InstructionSet::baseline, InstructionSet::avx2, InstructionSet::avx512};

// The name TIDEWERK_ISA takes: "baseline", "avx2" or "avx512".
std::string_view instruction_set_name(InstructionSet set);

// True when this processor and its operating system run the instruction set.
bool instruction_set_supported(InstructionSet set);

// The names of the supported instruction sets, "baseline, avx2, ...".
std::string supported_instruction_sets();

// The instruction set a process uses.  `error` is empty, or says why the requested name was
// refused (an unknown name, or one this processor cannot run) and what the processor has;
// `set` is then the widest supported one.
struct InstructionSetChoice {
  InstructionSet set;
  std::string error;
};

// The choice for the value of TIDEWERK_ISA: none or empty picks the widest supported set.
InstructionSetChoice choose_instruction_set(const char* requested);

// The choice made once per process from TIDEWERK_ISA.
const InstructionSetChoice& instruction_set_in_use();

}  // namespace tidewerk
