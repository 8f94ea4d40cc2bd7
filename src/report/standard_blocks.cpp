#include "report/standard_blocks.h"

namespace tidewerk {

void write_banner(Console& io) {
  io.block([](OutputChannel& out) {
    out.write("(1X,72('-'))");
    out.write("(' !',70X,'!')");
    out.write("(' !',70X,'!')");
    out.write("(' !',3X,'WAGENINGEN/GAWN/KCA SERISI PERVANE HIDRODINAMIK KARAKTERISTILERI   !')");
    out.write("(' !',28X,'HESAP PROGRAMI',28X,'!')");
    out.write("(1X,72('-'))");
  });
}

void write_series_used(Console& io, int series) {
  switch (series) {
    case 1:
      io.both("(/' HESAPLARDA WAGENINGEN B SERISI KULLANILMISTIR')");
      break;
    case 2:
      io.both("(/' HESAPLARDA GAWN SERISI KULLANILMISTIR')");
      break;
    case 3:
      io.both("(/' HESAPLARDA KCA SERISI KULLANILMISTIR')");
      break;
    default:
      break;
  }
}

void write_viscous_statement(Console& io, int IVISC, int series) {
  io.both_blank();
  io.both_text("TAM OLCEGE EKSTRAPOLASYONDA");
  // Only the Wageningen B coefficients are ever corrected.
  if (IVISC == 1 && series == 1) {
    io.both("(' ITTC78 VISKOZ DUZELTME YONTEMI KULLANILMISTIR')");
  } else {
    io.both("(' VISKOZ DUZELTME YAPILMAMISTIR')");
  }
  io.both_text("-----------------------------------------------------------------|");
}

}  // namespace tidewerk
