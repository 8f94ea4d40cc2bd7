// The open-water table that cases 5, 6, 7 and 8 to 10 print: its layouts, its head, the row of
// one evaluated point and the collection of its rows for --csv and --svg.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "numeric/grid.h"
#include "report/channels.h"
#include "report/outcome.h"
#include "tidewerk/series.h"

namespace tidewerk {

inline constexpr const char* kOpenWaterRule =
    "---|-------|--------|---------|--------|------------|------------|";
inline constexpr const char* kOpenWaterHeads =
    " i     J       Kt      10Kq      eta0         Bp         delta";
inline constexpr const char* kOpenWaterRow = "(1X,I2,F8.3,3F9.4,4X,2(F10.4,3X))";

// The advance coefficients of the open-water tables of cases 5 and 8 to 10: 0.05 to about
// 1.475 in steps of 0.025, 58 points.
inline constexpr GridSpec kOpenWaterGrid{0.05f, 1.5f, 0.025f};

// Open-water table columns of --csv, with a mark column for the design or operating row.
inline const std::vector<std::string> kOpenWaterColumns = {"J",    "Kt", "10Kq",
                                                           "eta0", "Bp", "delta"};
inline constexpr const char* kOpenWaterTable = "open-water";

// One row: the first column as printed (J, or P/D in the Bp-delta case), the coefficients, and
// Bp and delta at the J the evaluator used.
struct OpenWaterRow {
  float x;
  float Kt;
  float Kq;
  float eta0;
  float Bp;
  float delta;
};
OpenWaterRow open_water_row(float x, const OpenWater& point);

// The columns of an open-water table of at most N rows, kept for interpolation: the first
// column (J or P/D) and the coefficients of each row.
template <std::size_t N>
struct OpenWaterColumns {
  std::array<float, N> x{};
  std::array<float, N> Kt{};
  std::array<float, N> Kq{};
  std::array<float, N> eta0{};
  std::array<float, N> Bp{};
  std::array<float, N> delta{};

  void set(std::size_t r, const OpenWaterRow& row) {
    x[r] = row.x, Kt[r] = row.Kt, Kq[r] = row.Kq, eta0[r] = row.eta0, Bp[r] = row.Bp,
    delta[r] = row.delta;
  }
  OpenWaterRow row(std::size_t r) const { return {x[r], Kt[r], Kq[r], eta0[r], Bp[r], delta[r]}; }
};

// The head of an open-water table, written as one block to the screen and then to the report:
// the title layout, the rule, the column heads and the rule again.
void write_open_water_head(Console& io, const char* title_layout);

// Row i in `layout` (kOpenWaterRow or a marked variant) on the screen and the report, and its
// numbers as a row of `table`.
void write_open_water_row(Console& io, const char* layout, int i, const OpenWaterRow& row,
                          ResultTable& table);

}  // namespace tidewerk
