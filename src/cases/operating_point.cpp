// Not built yet: returns without output.
#include "cases/cases.h"

namespace tidewerk {

void operating_point(RunContext&, Console&) {}

}  // namespace tidewerk
