// The fixed blocks of every report: the banner and the statement on the viscous (scale)
// correction.  (The series statement is cases/series_use.h.)
#pragma once

#include "report/channels.h"

namespace tidewerk {

// The framed program title, written to the screen and then to the report.
void write_banner(Console& io);
// The closing statement on the extrapolation to full scale: the ITTC78 statement exactly when
// the printed numbers were corrected, the no-correction statement otherwise.
void write_viscous_statement(Console& io, bool corrected);

}  // namespace tidewerk
