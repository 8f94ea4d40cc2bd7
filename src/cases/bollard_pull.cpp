// Not built yet: returns without output.
#include "cases/cases.h"

namespace tidewerk {

void bollard_pull(RunContext&, Console&) {}

}  // namespace tidewerk
