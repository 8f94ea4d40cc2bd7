// The study's record (inputs, tables, results, diagrams, warnings, ending) and its text report.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "outputs/general_record.h"
#include "study/study.h"
#include "study/study_input.h"

namespace tidewerk {

// The names of the study's tables and diagrams (<stem>.<name>.csv, <stem>.<name>.svg): a study
// without a result has only the first two tables and no diagram.
inline constexpr std::array<std::string_view, 3> kStudyTables{"resistance", "candidates",
                                                              "speed-power"};
inline constexpr std::array<std::string_view, 2> kStudyDiagrams{"speed-power", "open-water"};

// What the study file holds, in the file's units (kn, kW, m, rpm).
std::vector<NamedValue> study_inputs(const StudyInput& input);

// The record of a finished study: the tables resistance, candidates, speed-power; the results
// of the chosen propeller and the engine match; the speed-power and open-water diagrams, drawn
// when `with_diagrams` (the SVG and HTML outputs need them, the others do not).  `version` is
// the program's.
Record study_record(const StudyInput& input, const StudyResult& result, const std::string& version,
                    bool with_diagrams = true);

// The text report (screen and <stem>.txt) of a record made by study_record.
std::string study_text(const Record& record);

// What --check shows: the inputs with their units and the warnings of the input.
std::string study_check_text(const StudyInput& input, const std::vector<std::string>& warnings);

}  // namespace tidewerk
