#include "driver/data_entry_check.h"

namespace tidewerk {

void check_data_entry(const RunContext& ctx, Console& io) {
  if (ctx.EARmin <= ctx.EAR && ctx.EARmax > ctx.EAR) return;

  io.block([&ctx](OutputChannel& out) {
    out.blank();
    out.blank();
    out.blank();
    out.write("(1X,' Tidewerk Programi Data Giris Hata Uyarisi: ')");
    switch (ctx.series) {
      case 1:
        out.write("(1X,' Wageningen Serisi Pervanelerde 0.3<Ae/Ao<1.05 tir.')");
        out.write("(1X,' Hesabi istenen Ae = ',F6.4,' sinir disinda kalmaktadir.')", {ctx.EAR});
        break;
      case 2:
        out.write("(1X,' Gawn Serisi Pervanelerde 0.2<Ae/Ao<1.10 dir.      ')");
        out.write("(1X,' Hesabi istenen Ae/Ao = ',F6.3,' sinir disinda kalmaktadir.')", {ctx.EAR});
        break;
      case 3:
        out.write("(1X,' KCA Serisi Pervanelerde 0.5<Ae/Ao<1.10 dir.       ')");
        out.write("(1X,' Hesabi istenen Ae/Ao = ',F6.3,' sinir disinda kalmaktadir.')", {ctx.EAR});
        break;
      default:
        break;
    }
  });
  io.console.blank();
  io.console.blank();
  io.pause("  BITIRMEK ICIN ENTER TUSUNA BASINIZ");
  io.stop();
}

}  // namespace tidewerk
