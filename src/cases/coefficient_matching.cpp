// Not built yet: returns without output.
#include "cases/cases.h"

namespace tidewerk {

void match_kt_over_j2(RunContext&, Console&) {}
void match_kt_over_j4(RunContext&, Console&) {}
void match_kq_over_j5(RunContext&, Console&) {}

}  // namespace tidewerk
