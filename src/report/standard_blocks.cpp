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

void write_viscous_statement(Console& io, bool corrected) {
  io.both_blank();
  io.both_text("TAM OLCEGE EKSTRAPOLASYONDA");
  if (corrected) {
    io.both("(' ITTC78 VISKOZ DUZELTME YONTEMI KULLANILMISTIR')");
  } else {
    io.both("(' VISKOZ DUZELTME YAPILMAMISTIR')");
  }
  io.both_text("-----------------------------------------------------------------|");
}

}  // namespace tidewerk
