// Not built yet: returns without output.
#include "cases/cases.h"

namespace tidewerk {

void open_water_table(RunContext&, Console&) {}

}  // namespace tidewerk
