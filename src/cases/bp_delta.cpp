// Not built yet: returns without output.
#include "cases/cases.h"

namespace tidewerk {

void bp_delta(RunContext&, Console&) {}

}  // namespace tidewerk
