// The ten cases: what each reads from the task file, in order, with names and units, and the
// procedure it runs, with a worked example.  The one table the main program, --check, --template
// and --json read.
#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "cases/cases.h"
#include "cases/problem.h"

namespace tidewerk {

// One value of a case's list in the task file.
struct CaseField {
  const char* label;      // the name in messages: "T (kN)"
  const char* symbol;     // "T"
  const char* unit;       // "kN"; "" for a ratio or a count
  const char* meaning;    // "required thrust"
  float Problem::*real;   // the field a real is read into ...
  int Problem::*integer;  // ... or an integer
};

inline constexpr std::size_t kMaxCaseFields = 9;

struct CaseEntry {
  int number;
  const char* title;  // "optimum propeller for a load coefficient Kt/J^2 (revolutions follow)"
  CaseProcedure procedure;
  bool power_or_torque;  // the first value is PQin; PQ = PQin * 1000
  std::size_t count;
  std::array<CaseField, kMaxCaseFields> fields;
  // A worked example of the values, as a task file's line 81 holds them, for each series
  // (Wageningen B, Gawn, KCA): a run of it completes the case with its result, its questions
  // and pauses taking their defaults and a 1 typed at the first of them (case 4: propeller 1).
  // The Gawn example of case 4 is the one the case refuses.
  std::array<const char*, 3> examples;

  std::span<const CaseField> values() const { return {fields.data(), count}; }
};

// The ten cases, numbered 1 to 10 in order.
const std::array<CaseEntry, 10>& case_table();

// The case with this number, or null.
const CaseEntry* find_case(int number);

}  // namespace tidewerk
