#include "cases/figures.h"

namespace tidewerk {

Diagram coefficient_diagram(const ResultTable& table, const std::string& title, const std::string& subtitle,
                            const std::string& x_label) {
  Diagram d;
  d.title = title;
  d.subtitle = subtitle;
  d.x_label = x_label;
  d.y_label = "Kt, 10Kq, eta0 (-)";
  d.series = {{"Kt", kColourKt, true, {}, {}}, {"10Kq", kColourKq, true, {}, {}}, {"eta0", kColourEta, true, {}, {}}};
  for (const auto& row : table.rows) {
    if (row.size() < 4) continue;
    for (std::size_t k = 0; k < 3; ++k) {
      d.series[k].x.push_back(row[0]);
      d.series[k].y.push_back(row[k + 1]);
    }
  }
  return d;
}

Diagram open_water_diagram(const ResultTable& table, const std::string& title) {
  return coefficient_diagram(table, title, "Open-water diagram", "Advance coefficient J (-)");
}

}  // namespace tidewerk
