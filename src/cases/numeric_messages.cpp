#include "cases/numeric_messages.h"

namespace tidewerk {

void ChannelNumericMessages::interpolation_out_of_range(float x1, float xp, float xn) {
  // Free-form records: the channel writes the blank column, then the text with its own blank.
  io_.screen.text(" **** INTERPOLANT ARALIGIN DISINDA ****");
  io_.screen.write("(' X(1)=',F20.15,/,' X   =',F20.15,/,' X(N)=',F20.15)", {x1, xp, xn});
  io_.screen.text(" **** INTERPOLASYON BASARISIZ ****");
}

void ChannelNumericMessages::no_root_in_range() {
  io_.screen.write("(/,/,' VERILEN ARALIKTA KOK YOKTUR - STOP')");
}

void ChannelNumericMessages::point_outside_table() {
  io_.console.write("(' ** NOKTA ARALIGIN DISINDA **')");
}

}  // namespace tidewerk
