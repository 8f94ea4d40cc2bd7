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
      fields.push_back(c >= row.size() ? std::string()
                       : c < table.count_columns && std::isfinite(row[c])
                           ? std::to_string(static_cast<long>(row[c]))
                           : shortest_text(row[c]));
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

namespace {

// The page: title lines above the plot area, the legend to its right.
constexpr double kWidth = 800, kHeight = 560;
constexpr double kLeft = 76, kRight = 200, kTop = 84, kBottom = 66;

// Mark labels: font size and line pitch in px, padding of their box, and the gaps between a
// marked point and the nearest corner of its label: beside the point, or set off with a leader.
constexpr double kLabelFont = 12, kLabelLine = 14, kLabelPad = 4, kLabelGap = 9, kLeaderGap = 40;
// Width of a character as a fraction of the font size: generous for Helvetica and Arial, whose
// digits are 0.556 em and whose widest letters in the labels (M, m) 0.833 em.
constexpr double kCharWidth = 0.6;

struct Box {
  double x0, y0, x1, y1;
  bool contains(const Box& b) const { return b.x0 >= x0 && b.x1 <= x1 && b.y0 >= y0 && b.y1 <= y1; }
  bool contains(double x, double y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};

double overlap(const Box& a, const Box& b) {
  const double w = std::min(a.x1, b.x1) - std::max(a.x0, b.x0);
  const double h = std::min(a.y1, b.y1) - std::max(a.y0, b.y0);
  return w > 0 && h > 0 ? w * h : 0.0;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A point of the plot in px.
struct Pixel {
  double x, y;
};

// Places by number around a point: 0 right and above, 1 left and above, 2 right and below,
// 3 left and below, 4 right, 5 left, 6 above, 7 below; the same again set off from the point.
constexpr int kPlaces = 16;

// The box of a label with `lines` of text in place `where` around the point `at`.
Box label_box(const Pixel& at, const std::vector<std::string>& lines, int where) {
  std::size_t longest = 0;
  for (const auto& line : lines) longest = std::max(longest, line.size());
  const double w = static_cast<double>(longest) * kCharWidth * kLabelFont + 2 * kLabelPad;
  const double h = static_cast<double>(lines.size()) * kLabelLine + 2 * kLabelPad;
  const double g = where < kPlaces / 2 ? kLabelGap : kLeaderGap, side = g + 3;
  switch (where % (kPlaces / 2)) {
    case 0:
      return {at.x + g, at.y - g - h, at.x + g + w, at.y - g};
    case 1:
      return {at.x - g - w, at.y - g - h, at.x - g, at.y - g};
    case 2:
      return {at.x + g, at.y + g, at.x + g + w, at.y + g + h};
    case 3:
      return {at.x - g - w, at.y + g, at.x - g, at.y + g + h};
    case 4:
      return {at.x + side, at.y - h / 2, at.x + side + w, at.y + h / 2};
    case 5:
      return {at.x - side - w, at.y - h / 2, at.x - side, at.y + h / 2};
    case 6:
      return {at.x - w / 2, at.y - side - h, at.x + w / 2, at.y - side};
    default:
      return {at.x - w / 2, at.y + side, at.x + w / 2, at.y + side + h};
  }
}

// Places the labels of the marks inside `plot`: of the places around each point that fit, the
// one that covers the fewest curves, rings and labels already placed, the nearer places
// preferred; so a label stands right of and above its point unless the frame or the drawing is
// in the way.  A label that fits nowhere is pushed inside the frame.
std::vector<Box> place_labels(const std::vector<Pixel>& points,
                              const std::vector<std::vector<std::string>>& labels,
                              const std::vector<Pixel>& curve_samples,
                              const std::vector<Pixel>& rings, const Box& plot) {
  std::vector<Box> placed;
  for (std::size_t k = 0; k < points.size(); ++k) {
    Box best{};
    double best_cost = -1;
    for (int where = 0; where < kPlaces; ++where) {
      const Box b = label_box(points[k], labels[k], where);
      if (!plot.contains(b)) continue;
      // Costs: each curve sample covered (4 px of curve) 3, a place set off from the point 12,
      // a ring covered 30, each px^2 of another label 1; the places in their order 0.5 apart.
      double cost = (where < kPlaces / 2 ? 0.0 : 12.0) + 0.5 * (where % (kPlaces / 2));
      for (const Pixel& s : curve_samples) cost += b.contains(s.x, s.y) ? 3.0 : 0.0;
      const Box around{b.x0 - 7, b.y0 - 7, b.x1 + 7, b.y1 + 7};
      for (const Pixel& r : rings) cost += around.contains(r.x, r.y) ? 30.0 : 0.0;
      for (const Box& other : placed) cost += overlap(b, other);
      if (best_cost < 0 || cost < best_cost) best = b, best_cost = cost;
    }
    if (best_cost < 0) {
      best = label_box(points[k], labels[k], 0);
      const double dx = std::max(plot.x0 - best.x0, std::min(0.0, plot.x1 - best.x1));
      const double dy = std::max(plot.y0 - best.y0, std::min(0.0, plot.y1 - best.y1));
      best = {best.x0 + dx, best.y0 + dy, best.x1 + dx, best.y1 + dy};
    }
    placed.push_back(best);
  }
  return placed;
}

}  // namespace

std::string diagram_to_svg(const Diagram& d) {
  constexpr double W = kWidth, H = kHeight, left = kLeft, top = kTop;
  const double pw = W - kLeft - kRight, ph = H - kTop - kBottom;

  double xlo = 1e300, xhi = -1e300, ylo = 0.0, yhi = -1e300;
  auto take = [&](float x, float y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    xlo = std::min(xlo, double{x}), xhi = std::max(xhi, double{x});
    ylo = std::min(ylo, double{y}), yhi = std::max(yhi, double{y});
  };
  for (const auto& s : d.series) {
    for (std::size_t i = 0; i < s.x.size() && i < s.y.size(); ++i) take(s.x[i], s.y[i]);
    for (const auto& m : s.markers) take(m.x, m.y);
  }
  for (const auto& m : d.marks) take(m.x, m.y);
  if (xlo > xhi) xlo = 0, xhi = 1, yhi = 1;
  const Axis ax = nice_axis(xlo, xhi), ay = nice_axis(ylo, yhi);
  auto px = [&](double x) { return left + (x - ax.lo) / (ax.hi - ax.lo) * pw; };
  auto py = [&](double y) { return top + ph - (y - ay.lo) / (ay.hi - ay.lo) * ph; };
  auto at = [](double v) { return number(v, "%.2f"); };

  std::ostringstream o;
  o << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" << W << "\" height=\""
    << H << "\" viewBox=\"0 0 " << W << " " << H
    << "\" font-family=\"Helvetica, Arial, sans-serif\">\n"
    << "<rect x=\"0\" y=\"0\" width=\"" << W << "\" height=\"" << H << "\" fill=\"#ffffff\"/>\n"
    << "<text x=\"" << W / 2
    << "\" y=\"26\" text-anchor=\"middle\" font-size=\"18\" font-weight=\"bold\">" << xml(d.title)
    << "</text>\n"
    << "<text x=\"" << W / 2
    << "\" y=\"47\" text-anchor=\"middle\" font-size=\"14\" fill=\"#444444\">" << xml(d.subtitle)
    << "</text>\n";
  if (!d.conditions.empty()) {
    o << "<text x=\"" << W / 2
      << "\" y=\"66\" text-anchor=\"middle\" font-size=\"13\" fill=\"#444444\">"
      << xml(d.conditions) << "</text>\n";
  }

  // Grid, ticks and tick labels.
  o << "<g fill=\"#222222\">\n";
  for (double x = ax.lo; x <= ax.hi + ax.step * 1e-6; x += ax.step) {
    o << "<line x1=\"" << at(px(x)) << "\" y1=\"" << top << "\" x2=\"" << at(px(x)) << "\" y2=\""
      << top + ph << "\" stroke=\"#e3e3e3\"/>\n"
      << "<line x1=\"" << at(px(x)) << "\" y1=\"" << top + ph << "\" x2=\"" << at(px(x))
      << "\" y2=\"" << top + ph + 6 << "\" stroke=\"#000000\"/>\n"
      << "<text x=\"" << at(px(x)) << "\" y=\"" << top + ph + 20
      << "\" text-anchor=\"middle\" font-size=\"12\">"
      << number(std::fabs(x) < ax.step * 1e-6 ? 0.0 : x, "%g") << "</text>\n";
  }
  for (double y = ay.lo; y <= ay.hi + ay.step * 1e-6; y += ay.step) {
    o << "<line x1=\"" << left << "\" y1=\"" << at(py(y)) << "\" x2=\"" << left + pw << "\" y2=\""
      << at(py(y)) << "\" stroke=\"#e3e3e3\"/>\n"
      << "<line x1=\"" << left - 6 << "\" y1=\"" << at(py(y)) << "\" x2=\"" << left << "\" y2=\""
      << at(py(y)) << "\" stroke=\"#000000\"/>\n"
      << "<text x=\"" << left - 10 << "\" y=\"" << at(py(y) + 4)
      << "\" text-anchor=\"end\" font-size=\"12\">"
      << number(std::fabs(y) < ay.step * 1e-6 ? 0.0 : y, "%g") << "</text>\n";
  }
  o << "</g>\n"
    << "<rect x=\"" << left << "\" y=\"" << top << "\" width=\"" << pw << "\" height=\"" << ph
    << "\" fill=\"none\" stroke=\"#000000\"/>\n"
    << "<text x=\"" << left + pw / 2 << "\" y=\"" << H - 20
    << "\" text-anchor=\"middle\" font-size=\"14\">" << xml(d.x_label) << "</text>\n"
    << "<text x=\"22\" y=\"" << top + ph / 2
    << "\" text-anchor=\"middle\" font-size=\"14\" transform=\"rotate(-90 22 " << top + ph / 2
    << ")\">" << xml(d.y_label) << "</text>\n";

  // Curves and points; the curves sampled every few px for the placing of the labels.
  std::vector<Pixel> samples;
  for (const auto& s : d.series) {
    std::string points;
    bool have_last = false;
    Pixel last{};
    for (std::size_t i = 0; i < s.x.size() && i < s.y.size(); ++i) {
      if (!std::isfinite(s.x[i]) || !std::isfinite(s.y[i])) continue;
      const Pixel p{px(s.x[i]), py(s.y[i])};
      points += at(p.x) + "," + at(p.y) + " ";
      if (!s.line) {
        o << "<circle cx=\"" << at(p.x) << "\" cy=\"" << at(p.y) << "\" r=\"5\" fill=\"" << s.colour
          << "\"/>\n";
        samples.push_back(p);
        continue;
      }
      const int steps =
          have_last ? std::max(1, static_cast<int>(std::hypot(p.x - last.x, p.y - last.y) / 4)) : 1;
      for (int k = 1; k <= steps; ++k) {
        const double f = have_last ? static_cast<double>(k) / steps : 1.0;
        samples.push_back({last.x + (p.x - last.x) * f, last.y + (p.y - last.y) * f});
      }
      last = p, have_last = true;
    }
    if (s.line && !points.empty()) {
      points.pop_back();
      o << "<polyline points=\"" << points << "\" fill=\"none\" stroke=\"" << s.colour
        << "\" stroke-width=\"2.5\"/>\n";
    }
  }
  // The table's points, their values on hover.
  for (const auto& s : d.series) {
    for (const auto& m : s.markers) {
      if (!std::isfinite(m.x) || !std::isfinite(m.y)) continue;
      o << "<circle cx=\"" << at(px(m.x)) << "\" cy=\"" << at(py(m.y)) << "\" r=\"3\" fill=\""
        << s.colour << "\" stroke=\"#ffffff\" stroke-width=\"1\">";
      if (!m.label.empty()) o << "<title>" << xml(m.label) << "</title>";
      o << "</circle>\n";
    }
  }

  // Marks, then their labels on top of everything drawn.
  std::vector<Pixel> rings, labelled_points;
  std::vector<std::vector<std::string>> labels;
  for (const auto& m : d.marks) {
    if (!std::isfinite(m.x) || !std::isfinite(m.y)) continue;
    const Pixel p{px(m.x), py(m.y)};
    if (m.ring) {
      o << "<circle cx=\"" << at(p.x) << "\" cy=\"" << at(p.y)
        << "\" r=\"7\" fill=\"none\" stroke=\"#000000\" stroke-width=\"2\"/>\n";
      rings.push_back(p);
    }
    if (!m.label.empty()) {
      labelled_points.push_back(p);
      labels.push_back(lines_of(m.label));
    }
  }
  const std::vector<Box> boxes =
      place_labels(labelled_points, labels, samples, rings, {left, top, left + pw, top + ph});
  for (std::size_t k = 0; k < boxes.size(); ++k) {
    const Box& b = boxes[k];
    o << "<g class=\"mark-label\">\n";
    // A label set off from its point is tied to it by a leader from the ring.
    const Pixel& p = labelled_points[k];
    const double nx = std::clamp(p.x, b.x0, b.x1), ny = std::clamp(p.y, b.y0, b.y1);
    const double reach = std::hypot(nx - p.x, ny - p.y);
    if (reach > kLabelGap * 2) {
      o << "<line x1=\"" << at(p.x + (nx - p.x) * 8 / reach) << "\" y1=\""
        << at(p.y + (ny - p.y) * 8 / reach) << "\" x2=\"" << at(nx) << "\" y2=\"" << at(ny)
        << "\" stroke=\"#777777\" stroke-width=\"0.8\"/>\n";
    }
    o << "<rect x=\"" << at(b.x0) << "\" y=\"" << at(b.y0) << "\" width=\"" << at(b.x1 - b.x0)
      << "\" height=\"" << at(b.y1 - b.y0)
      << "\" rx=\"3\" fill=\"#ffffff\" fill-opacity=\"0.9\" stroke=\"#777777\" "
         "stroke-width=\"0.8\"/>\n"
      << "<text font-size=\"" << kLabelFont << "\" fill=\"#111111\">";
    for (std::size_t i = 0; i < labels[k].size(); ++i) {
      o << "<tspan x=\"" << at(b.x0 + kLabelPad) << "\" y=\""
        << at(b.y0 + kLabelPad + 11 + kLabelLine * static_cast<double>(i)) << "\">"
        << xml(labels[k][i]) << "</tspan>";
    }
    o << "</text>\n</g>\n";
  }

  // Legend.
  double ly = top + 10;
  const double lx = left + pw + 16;
  for (const auto& s : d.series) {
    if (s.line) {
      o << "<line x1=\"" << lx << "\" y1=\"" << ly << "\" x2=\"" << lx + 28 << "\" y2=\"" << ly
        << "\" stroke=\"" << s.colour << "\" stroke-width=\"3\"/>\n";
    }
    if (!s.line || !s.markers.empty()) {
      o << "<circle cx=\"" << lx + 14 << "\" cy=\"" << ly << "\" r=\"" << (s.line ? 3 : 5)
        << "\" fill=\"" << s.colour << "\" stroke=\"#ffffff\" stroke-width=\"1\"/>\n";
    }
    o << "<text x=\"" << lx + 34 << "\" y=\"" << ly + 4 << "\" font-size=\"13\">" << xml(s.label)
      << "</text>\n";
    ly += 22;
  }
  if (!rings.empty()) {
    o << "<circle cx=\"" << lx + 14 << "\" cy=\"" << ly
      << "\" r=\"6\" fill=\"none\" stroke=\"#000000\" stroke-width=\"2\"/>\n"
      << "<text x=\"" << lx + 34 << "\" y=\"" << ly + 4 << "\" font-size=\"13\">"
      << xml(d.mark_legend) << "</text>\n";
  }
  o << "</svg>\n";
  return o.str();
}

}  // namespace tidewerk
