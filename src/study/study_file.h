// The study file: TOML with the tables [ship], [water], [resistance], [propulsion],
// [propeller], [engine] and [speeds] (study_template() shows every key with its unit).
#pragma once

#include <string>
#include <string_view>

#include "study/study_input.h"

namespace tidewerk {

// Reads the study file's text; `file` names it in messages.  Throws InputError with
// "file:line:column: [table] key: what" for a TOML syntax error, an unknown key (with the
// nearest known key), a value of the wrong type, a missing key or a value out of its domain.
StudyInput read_study(std::string_view text, const std::string& file);

// The annotated study file that `tidewerk study --template` prints: every key, its unit and
// its default, for the Holtrop-Mennen example ship.
std::string study_template();

// The known key nearest to `key` in spelling (letter case aside; one edit for a key of up to
// four letters, two for a longer one), or empty.
std::string nearest_key(std::string_view key, const std::vector<std::string_view>& known);

}  // namespace tidewerk
