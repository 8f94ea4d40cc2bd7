#include "cases/figures.h"

#include <cstdio>

namespace tidewerk {

Diagram coefficient_diagram(const ResultTable& table, const std::string& title,
                            const std::string& subtitle, const std::string& x_label) {
  Diagram d;
  d.title = title;
  d.subtitle = subtitle;
  d.x_label = x_label;
  d.y_label = "Kt, 10Kq, eta0 (-)";
  d.series = {{"Kt", kColourKt, true, {}, {}},
              {"10Kq", kColourKq, true, {}, {}},
              {"eta0", kColourEta, true, {}, {}}};
  for (const auto& row : table.rows) {
    if (row.size() < 4) continue;
    for (std::size_t k = 0; k < 3; ++k) {
      d.series[k].x.push_back(row[0]);
      d.series[k].y.push_back(row[k + 1]);
    }
  }
  return d;
}

void mark_on_curves(Diagram& diagram, float x, float Kt, float ten_Kq, float eta0,
                    const std::string& label, const std::string& legend) {
  diagram.marks.push_back({x, Kt, ""});
  diagram.marks.push_back({x, ten_Kq, ""});
  diagram.marks.push_back({x, eta0, label});
  diagram.mark_legend = legend;
}

std::string labelled(const char* name, float value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%s = %.*f", name, decimals, static_cast<double>(value));
  return text;
}

Diagram open_water_diagram(const ResultTable& table, const std::string& title) {
  return coefficient_diagram(table, title, "Open-water diagram", "Advance coefficient J (-)");
}

}  // namespace tidewerk
