#include "report/run_figures.h"

#include <algorithm>
#include <charconv>
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

ResultTable& RunFigures::table(std::string name, std::string title,
                               std::vector<std::string> columns, bool mark_column) {
  const auto taken = [this](const std::string& candidate) {
    return std::any_of(tables_.begin(), tables_.end(),
                       [&](const ResultTable& t) { return t.name == candidate; });
  };
  std::string unique = name;
  for (int k = 2; taken(unique); ++k) unique = name + "-" + std::to_string(k);
  tables_.push_back({std::move(unique), std::move(title), std::move(columns), {}, mark_column, {}});
  return tables_.back();
}

void RunFigures::result(std::string name, float value, std::string unit) {
  results_.push_back({std::move(name), std::move(unit), value, false});
}

void RunFigures::result(std::string name, int value) {
  results_.push_back({std::move(name), "", static_cast<float>(value), true});
}

std::string shortest_text(float value) {
  if (!std::isfinite(value)) return "";
  char text[32];
  char* end = std::to_chars(text, text + sizeof text, value).ptr;
  std::string shortest(text, end);
  if (shortest.find('e') != std::string::npos) {
    // "1e-05" -> "1.0e-05": a real reads as a real.
    if (shortest.find('.') == std::string::npos) shortest.insert(shortest.find('e'), ".0");
    return shortest;
  }
  // Fixed notation from the fewest digits: a large whole number is written "33584500.0", not
  // with every digit of its exact value ("33584496").
  end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific).ptr;
  const std::string scientific(text, end);
  const std::size_t e = scientific.find('e');
  const bool negative = scientific[0] == '-';
  std::string digits;
  for (std::size_t k = negative ? 1 : 0; k < e; ++k) {
    if (scientific[k] != '.') digits += scientific[k];
  }
  const int exponent = std::stoi(scientific.substr(e + 1));
  const int whole = exponent + 1;  // digits before the point
  std::string fixed;
  if (whole <= 0) {
    fixed = "0." + std::string(static_cast<std::size_t>(-whole), '0') + digits;
  } else if (static_cast<std::size_t>(whole) >= digits.size()) {
    fixed = digits + std::string(static_cast<std::size_t>(whole) - digits.size(), '0') + ".0";
  } else {
    const auto point = static_cast<std::size_t>(whole);
    fixed = digits.substr(0, point) + "." + digits.substr(point);
  }
  return (negative ? "-" : "") + fixed;
}

std::string table_to_csv(const ResultTable& table) {
  // One line of fields.  A line of one empty field is written as "" so that no reader takes it
  // for a blank line and skips it.
  const auto line = [](const std::vector<std::string>& fields) {
    if (fields.size() == 1 && fields[0].empty()) return std::string("\"\"\n");
    std::string text;
    for (std::size_t k = 0; k < fields.size(); ++k) text += (k ? "," : "") + fields[k];
    return text + "\n";
  };
  std::vector<std::string> fields;
  for (const std::string& column : table.columns) fields.push_back(csv_field(column));
  if (table.mark_column) fields.emplace_back("mark");
  std::string out = line(fields);
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    const std::vector<float>& row = table.rows[r];
    fields.clear();
    // Exactly one field per column, whatever the row holds.
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
      fields.push_back(c < row.size() ? shortest_text(row[c]) : std::string());
    }
    if (table.mark_column) {
      const auto mark = table.marks.find(r);
      fields.push_back(mark == table.marks.end() ? std::string() : csv_field(mark->second));
    }
    out += line(fields);
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
