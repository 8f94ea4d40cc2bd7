// The layouts of the open-water tables that several cases print: the rule, the column heads
// and the row of J (or P/D), Kt, 10Kq, eta0, Bp and delta.
#pragma once

#include "report/channels.h"

namespace tidewerk {

inline constexpr const char* kOpenWaterRule =
    "---|-------|--------|---------|--------|------------|------------|";
inline constexpr const char* kOpenWaterHeads =
    " i     J       Kt      10Kq      eta0         Bp         delta";
inline constexpr const char* kOpenWaterRow = "(1X,I2,F8.3,3F9.4,4X,2(F10.4,3X))";

// The head of an open-water table, written as one block to the screen and then to the report:
// the title layout, the rule, the column heads and the rule again.
inline void write_open_water_head(Console& io, const char* title_layout) {
  io.block([title_layout](OutputChannel& out) {
    out.write(title_layout);
    out.text(kOpenWaterRule);
    out.text(kOpenWaterHeads);
    out.text(kOpenWaterRule);
  });
}

}  // namespace tidewerk
