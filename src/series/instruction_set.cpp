#include "series/instruction_set.h"

#include <cstdlib>

namespace tidewerk {

std::string_view instruction_set_name(InstructionSet set) {
  switch (set) {
    case InstructionSet::baseline:
      return "baseline";
    case InstructionSet::avx2:
      return "avx2";
    case InstructionSet::avx512:
      return "avx512";
  }
  return "baseline";
}

bool instruction_set_supported(InstructionSet set) {
  // The features the kernels are compiled with (grid_avx2.cpp, grid_avx512.cpp); libgcc also
  // checks that the operating system saves the wide registers.
  __builtin_cpu_init();
  switch (set) {
    case InstructionSet::baseline:
      return true;
    case InstructionSet::avx2:
      return __builtin_cpu_supports("avx2");
    case InstructionSet::avx512:
      return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq") &&
             __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512bw");
  }
  return false;
}

std::string supported_instruction_sets() {
  std::string names;
  for (InstructionSet set : kInstructionSets) {
    if (!instruction_set_supported(set)) continue;
    if (!names.empty()) names += ", ";
    names += instruction_set_name(set);
  }
  return names;
}

InstructionSetChoice choose_instruction_set(const char* requested) {
  InstructionSetChoice choice{InstructionSet::baseline, ""};
  for (InstructionSet set : kInstructionSets) {
    if (instruction_set_supported(set)) choice.set = set;
  }
  if (requested == nullptr || *requested == '\0') return choice;
  const std::string_view name = requested;
  for (InstructionSet set : kInstructionSets) {
    if (name != instruction_set_name(set)) continue;
    if (instruction_set_supported(set)) return {set, ""};
    choice.error = "TIDEWERK_ISA=" + std::string(name) + ": this processor cannot run " +
                   std::string(name) + "; it supports " + supported_instruction_sets();
    return choice;
  }
  choice.error = "TIDEWERK_ISA=" + std::string(name) +
                 ": unknown instruction set (baseline, avx2 or avx512); this processor supports " +
                 supported_instruction_sets();
  return choice;
}

const InstructionSetChoice& instruction_set_in_use() {
  static const InstructionSetChoice choice = choose_instruction_set(std::getenv("TIDEWERK_ISA"));
  return choice;
}

}  // namespace tidewerk
