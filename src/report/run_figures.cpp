#include "report/run_figures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace tidewerk {
namespace {

std::string number(double v, const char* format = "%.9g") {
  if (!std::isfinite(v)) return "";
  char text[64];
  std::snprintf(text, sizeof text, format, v);
  return text;
}

std::string csv_field(const std::string& text) {
  if (text.find_first_of(",\"\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string xml(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// A "nice" axis: ticks at 1, 2 or 5 times a power of ten covering [lo, hi].
struct Axis {
  double lo, hi, step;
};
Axis nice_axis(double lo, double hi) {
  if (!(hi > lo)) {
    lo -= 0.5;
    hi += 0.5;
  }
  const double raw = (hi - lo) / 6.0;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  double step = magnitude;
  for (double m : {1.0, 2.0, 5.0, 10.0}) {
    if (raw <= m * magnitude) {
      step = m * magnitude;
      break;
    }
  }
  return {std::floor(lo / step) * step, std::ceil(hi / step) * step, step};
}

}  // namespace

ResultTable& RunFigures::table(std::string title, std::vector<std::string> columns) {
  tables_.push_back({std::move(title), std::move(columns), {}});
  return tables_.back();
}

std::string tables_to_csv(const std::vector<ResultTable>& tables) {
  std::string out;
  for (std::size_t t = 0; t < tables.size(); ++t) {
    if (t > 0) out += "\n";
    out += csv_field(tables[t].title) + "\n";
    for (std::size_t c = 0; c < tables[t].columns.size(); ++c) {
      out += (c ? "," : "") + csv_field(tables[t].columns[c]);
    }
    out += "\n";
    for (const auto& row : tables[t].rows) {
      for (std::size_t c = 0; c < row.size(); ++c) out += (c ? "," : "") + number(row[c]);
      out += "\n";
    }
  }
  return out;
}

std::string propeller_title(std::string_view series_name, float Z, float EAR, float PD) {
  std::string title = std::string(series_name) + " series, Z = " + number(std::trunc(Z), "%.0f") +
                      ", EAR = " + number(EAR, "%.3f");
  if (std::isfinite(PD)) title += ", P/D = " + number(PD, "%.3f");
  return title;
}

std::string diagram_to_svg(const Diagram& d) {
  constexpr double W = 800, H = 560, left = 80, right = 190, top = 70, bottom = 70;
  const double pw = W - left - right, ph = H - top - bottom;

  double xlo = 1e300, xhi = -1e300, ylo = 0.0, yhi = -1e300;
  auto take = [&](float x, float y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    xlo = std::min(xlo, double{x}), xhi = std::max(xhi, double{x});
    ylo = std::min(ylo, double{y}), yhi = std::max(yhi, double{y});
  };
  for (const auto& s : d.series) {
    for (std::size_t i = 0; i < s.x.size() && i < s.y.size(); ++i) take(s.x[i], s.y[i]);
  }
  for (const auto& m : d.marks) take(m.x, m.y);
  if (xlo > xhi) xlo = 0, xhi = 1, yhi = 1;
  const Axis ax = nice_axis(xlo, xhi), ay = nice_axis(ylo, yhi);
  auto px = [&](double x) { return left + (x - ax.lo) / (ax.hi - ax.lo) * pw; };
  auto py = [&](double y) { return top + ph - (y - ay.lo) / (ay.hi - ay.lo) * ph; };

  std::ostringstream o;
  o << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" << W << "\" height=\""
    << H << "\" viewBox=\"0 0 " << W << " " << H
    << "\" font-family=\"Helvetica, Arial, sans-serif\">\n"
    << "<rect x=\"0\" y=\"0\" width=\"" << W << "\" height=\"" << H << "\" fill=\"#ffffff\"/>\n"
    << "<text x=\"" << W / 2
    << "\" y=\"28\" text-anchor=\"middle\" font-size=\"18\" font-weight=\"bold\">" << xml(d.title)
    << "</text>\n"
    << "<text x=\"" << W / 2
    << "\" y=\"50\" text-anchor=\"middle\" font-size=\"14\" fill=\"#444444\">" << xml(d.subtitle)
    << "</text>\n";

  // Grid, ticks and tick labels.
  o << "<g font-size=\"12\" fill=\"#222222\">\n";
  for (double x = ax.lo; x <= ax.hi + ax.step * 1e-6; x += ax.step) {
    o << "<line x1=\"" << number(px(x), "%.2f") << "\" y1=\"" << top << "\" x2=\""
      << number(px(x), "%.2f") << "\" y2=\"" << top + ph << "\" stroke=\"#e3e3e3\"/>\n"
      << "<line x1=\"" << number(px(x), "%.2f") << "\" y1=\"" << top + ph << "\" x2=\""
      << number(px(x), "%.2f") << "\" y2=\"" << top + ph + 6 << "\" stroke=\"#000000\"/>\n"
      << "<text x=\"" << number(px(x), "%.2f") << "\" y=\"" << top + ph + 22
      << "\" text-anchor=\"middle\">" << number(std::fabs(x) < ax.step * 1e-6 ? 0.0 : x, "%g")
      << "</text>\n";
  }
  for (double y = ay.lo; y <= ay.hi + ay.step * 1e-6; y += ay.step) {
    o << "<line x1=\"" << left << "\" y1=\"" << number(py(y), "%.2f") << "\" x2=\"" << left + pw
      << "\" y2=\"" << number(py(y), "%.2f") << "\" stroke=\"#e3e3e3\"/>\n"
      << "<line x1=\"" << left - 6 << "\" y1=\"" << number(py(y), "%.2f") << "\" x2=\"" << left
      << "\" y2=\"" << number(py(y), "%.2f") << "\" stroke=\"#000000\"/>\n"
      << "<text x=\"" << left - 10 << "\" y=\"" << number(py(y) + 4, "%.2f")
      << "\" text-anchor=\"end\">" << number(std::fabs(y) < ay.step * 1e-6 ? 0.0 : y, "%g")
      << "</text>\n";
  }
  o << "</g>\n"
    << "<rect x=\"" << left << "\" y=\"" << top << "\" width=\"" << pw << "\" height=\"" << ph
    << "\" fill=\"none\" stroke=\"#000000\"/>\n"
    << "<text x=\"" << left + pw / 2 << "\" y=\"" << H - 22
    << "\" text-anchor=\"middle\" font-size=\"14\">" << xml(d.x_label) << "</text>\n"
    << "<text x=\"22\" y=\"" << top + ph / 2
    << "\" text-anchor=\"middle\" font-size=\"14\" transform=\"rotate(-90 22 " << top + ph / 2
    << ")\">" << xml(d.y_label) << "</text>\n";

  // Curves and points.
  for (const auto& s : d.series) {
    std::string points;
    for (std::size_t i = 0; i < s.x.size() && i < s.y.size(); ++i) {
      if (!std::isfinite(s.x[i]) || !std::isfinite(s.y[i])) continue;
      points += number(px(s.x[i]), "%.2f") + "," + number(py(s.y[i]), "%.2f") + " ";
      if (!s.line) {
        o << "<circle cx=\"" << number(px(s.x[i]), "%.2f") << "\" cy=\""
          << number(py(s.y[i]), "%.2f") << "\" r=\"5\" fill=\"" << s.colour << "\"/>\n";
      }
    }
    if (s.line && !points.empty()) {
      points.pop_back();
      o << "<polyline points=\"" << points << "\" fill=\"none\" stroke=\"" << s.colour
        << "\" stroke-width=\"2.5\"/>\n";
    }
  }
  for (const auto& m : d.marks) {
    if (!std::isfinite(m.x) || !std::isfinite(m.y)) continue;
    // The label stands on the side of the point that has room.
    const bool right_half = px(m.x) > left + pw / 2;
    o << "<circle cx=\"" << number(px(m.x), "%.2f") << "\" cy=\"" << number(py(m.y), "%.2f")
      << "\" r=\"7\" fill=\"none\" stroke=\"#000000\" stroke-width=\"2\"/>\n"
      << "<text x=\"" << number(px(m.x) + (right_half ? -10 : 10), "%.2f") << "\" y=\""
      << number(py(m.y) - 12, "%.2f") << "\" font-size=\"12\" text-anchor=\""
      << (right_half ? "end" : "start") << "\">" << xml(m.label) << "</text>\n";
  }

  // Legend.
  double ly = top + 10;
  o << "<g font-size=\"13\">\n";
  for (const auto& s : d.series) {
    const double lx = left + pw + 20;
    if (s.line) {
      o << "<line x1=\"" << lx << "\" y1=\"" << ly << "\" x2=\"" << lx + 28 << "\" y2=\"" << ly
        << "\" stroke=\"" << s.colour << "\" stroke-width=\"3\"/>\n";
    } else {
      o << "<circle cx=\"" << lx + 14 << "\" cy=\"" << ly << "\" r=\"5\" fill=\"" << s.colour
        << "\"/>\n";
    }
    o << "<text x=\"" << lx + 36 << "\" y=\"" << ly + 4 << "\">" << xml(s.label) << "</text>\n";
    ly += 22;
  }
  if (!d.marks.empty()) {
    const double lx = left + pw + 20;
    o << "<circle cx=\"" << lx + 14 << "\" cy=\"" << ly
      << "\" r=\"6\" fill=\"none\" stroke=\"#000000\" stroke-width=\"2\"/>\n"
      << "<text x=\"" << lx + 36 << "\" y=\"" << ly + 4 << "\">" << xml(d.mark_legend)
      << "</text>\n";
  }
  o << "</g>\n</svg>\n";
  return o.str();
}

}  // namespace tidewerk
