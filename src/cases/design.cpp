// Not built yet: returns without output.
#include "cases/cases.h"

namespace tidewerk {

void design_for_thrust(RunContext&, Console&) {}
void design_for_power(RunContext&, Console&) {}
void design_for_torque(RunContext&, Console&) {}

}  // namespace tidewerk
