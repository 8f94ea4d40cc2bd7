// A diagram as a self-contained SVG 1.1 document.
#pragma once

#include <string>

#include "report/outcome.h"

namespace tidewerk {

// The diagram as an SVG 1.1 document of 800 x 560 px: the title lines, the axes over every
// finite point, the curves with their markers, the marks with their labels placed clear of the
// drawing, and the legend.
std::string diagram_to_svg(const Diagram& diagram);

// `text` with the characters XML and HTML give a meaning (& < > ") written as entities.
std::string xml_escaped(const std::string& text);

}  // namespace tidewerk
