// The outputs of a run besides its report, each written from the run's record: the diagram
// (SVG), one file of comma-separated values per table, and the record itself (JSON).
#pragma once

#include <string>
#include <vector>

#include "outputs/record.h"

namespace tidewerk {

// The kinds of output asked for.
struct OutputKinds {
  bool svg = false, csv = false, json = false;
  bool any() const { return svg || csv || json; }
};

// One output: what follows the stem in its file name (".svg", ".open-water.csv", ".json"), and
// its text.
struct OutputText {
  std::string suffix;
  std::string text;
};

// The outputs of a record, in the order diagram, tables, record: the diagram when the run drew
// one, the tables it made, and the JSON record once its input was opened.
std::vector<OutputText> output_texts(const RunRecord& record, const OutputKinds& kinds);

}  // namespace tidewerk
