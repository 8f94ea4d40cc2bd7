// The fixed blocks of every report: the banner, the series statement and the statement on
// the viscous (scale) correction.
#pragma once

#include "report/channels.h"
#include "tidewerk/series.h"

namespace tidewerk {

// The framed program title, written to the screen and then to the report.
void write_banner(Console& io);
// An empty record and the name of the series used.
void write_series_used(Console& io, Series series);
// The closing statement on the extrapolation to full scale: the ITTC78 statement exactly when
// the printed numbers were corrected, the no-correction statement otherwise.
void write_viscous_statement(Console& io, bool corrected);

}  // namespace tidewerk
