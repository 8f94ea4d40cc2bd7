// The shared open-water table, and case 5: the open-water table of a given propeller (P/D, Z,
// EAR) over the advance coefficient, up to the first negative thrust coefficient.
#include "cases/open_water_table.h"

#include "cases/case_warnings.h"
#include "cases/cases.h"
#include "cases/data_entry_check.h"
#include "cases/figures.h"
#include "cases/performance.h"
#include "cases/propeller.h"
#include "cases/series_use.h"
#include "numeric/grid.h"
#include "numeric/precision.h"
#include "report/standard_blocks.h"

namespace tidewerk {

OpenWaterRow open_water_row(float x, const OpenWater& point) {
  return {x,
          point.Kt,
          point.Kq,
          point.eta0,
          power_coefficient_bp(point.Kq, point.J),
          advance_coefficient_delta(point.J)};
}

void write_open_water_head(Console& io, const char* title_layout) {
  io.block([title_layout](OutputChannel& out) {
    out.write(title_layout);
    out.text(kOpenWaterRule);
    out.text(kOpenWaterHeads);
    out.text(kOpenWaterRule);
  });
}

void write_open_water_row(Console& io, const char* layout, int i, const OpenWaterRow& row,
                          ResultTable& table) {
  io.both(layout, {i, row.x, row.Kt, ten_kq(row.Kq), row.eta0, row.Bp, row.delta});
  table.rows.push_back({row.x, row.Kt, ten_kq(row.Kq), row.eta0, row.Bp, row.delta});
}

CaseOutcome open_water_table(const Problem& p, Console& io, Warnings& warnings) {
  CaseOutcome outcome;
  check_data_entry(p, io);
  const SeriesUse& use = series_use(p.series);
  warn_outside_fitted(warnings, p, "P/D", p.PD, use.PDmin, use.PDmax);

  Propeller propeller{p.series, p.EAR, p.Z, std::nullopt};
  if (io.ask_yes_no("(/A)", {" ITTC VISKOZ DUZELTMESI ISTER MISIN E/H <H>"})) {
    float D = 0;
    float N = 0;
    io.screen.write("(/A)", {" HESAPLANACAK PERVANE CAPINI (m) ve DEVRINI (RPM) GIRIN"});
    io.read_numbers({real_target("D (m)", D), real_target("N (RPM)", N)});
    propeller.full_scale = Ittc78Conditions{D, 0.0f, N};  // no advance speed in this case
    warn_correction_not_applied(warnings, p, propeller, "the answer at the keyboard");
  }

  write_open_water_head(io, "(//5X,'Pervane Karakteristikleri ')");
  ResultTable& table =
      outcome.table(kOpenWaterTable, "Open-water characteristics", kOpenWaterColumns, kMarkColumn);

  const std::vector<float> J = accumulated_grid(kOpenWaterGrid);
  std::vector<OpenWater> points(J.size());
  const std::size_t rows =
      propeller.over_until_negative_thrust(p.PD, J.data(), J.size(), points.data());
  for (std::size_t k = 0; k < rows; ++k) {
    write_open_water_row(io, kOpenWaterRow, static_cast<int>(k + 1),
                         open_water_row(points[k].J, points[k]), table);
  }
  io.both_text(kOpenWaterRule);

  const float Z = points.front().z;  // as the series used it
  write_series_used(io, p.series);
  io.both("(1X,'Z = ',I2,' EAR = ',F5.3,' P/D = ',F5.3)", {whole_number(Z), p.EAR, p.PD});
  outcome.result("Z", whole_number(Z));
  write_viscous_statement(io, propeller.corrected());
  outcome.draw_diagram_later([table, propeller, Z, EAR = p.EAR, PD = p.PD] {
    Diagram d =
        open_water_diagram(table, propeller, PD, propeller_title(propeller.series, Z, EAR, PD));
    const auto& typed = propeller.full_scale;  // D and N typed for the correction, when asked
    d.conditions = conditions_line(typed ? typed->D : kNotKnown, typed ? typed->N : kNotKnown,
                                   kNotKnown, propeller.corrected());
    return d;
  });
  return outcome;
}

}  // namespace tidewerk
