#include "outputs/svg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <sstream>
#include <vector>

namespace tidewerk {
namespace {

std::string number(double v, const char* format = "%.9g") {
  if (!std::isfinite(v)) return "";
  char text[64];
  std::snprintf(text, sizeof text, format, v);
  return text;
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

// The plot's frame: its axes and the mapping of diagram values to px.
struct Frame {
  Axis x_axis, y_axis;
  double left = kLeft, top = kTop;
  double width = kWidth - kLeft - kRight, height = kHeight - kTop - kBottom;
  double px(double x) const { return left + (x - x_axis.lo) / (x_axis.hi - x_axis.lo) * width; }
  double py(double y) const {
    return top + height - (y - y_axis.lo) / (y_axis.hi - y_axis.lo) * height;
  }
  Box plot() const { return {left, top, left + width, top + height}; }
};

std::string at(double v) {
  return number(v, "%.2f");
}

// The axes over every finite point of the curves, markers and marks, the ordinate from zero.
Frame frame_of(const Diagram& d) {
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
  Frame f;
  f.x_axis = nice_axis(xlo, xhi);
  f.y_axis = nice_axis(ylo, yhi);
  return f;
}

// The document's head, the white page and the title lines.
void write_heading(std::ostream& o, const Diagram& d) {
  constexpr double W = kWidth, H = kHeight;
  o << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" << W << "\" height=\""
    << H << "\" viewBox=\"0 0 " << W << " " << H
    << "\" font-family=\"Helvetica, Arial, sans-serif\">\n"
    << "<rect x=\"0\" y=\"0\" width=\"" << W << "\" height=\"" << H << "\" fill=\"#ffffff\"/>\n"
    << "<text x=\"" << W / 2
    << "\" y=\"26\" text-anchor=\"middle\" font-size=\"18\" font-weight=\"bold\">"
    << xml_escaped(d.title) << "</text>\n"
    << "<text x=\"" << W / 2
    << "\" y=\"47\" text-anchor=\"middle\" font-size=\"14\" fill=\"#444444\">"
    << xml_escaped(d.subtitle) << "</text>\n";
  if (!d.conditions.empty()) {
    o << "<text x=\"" << W / 2
      << "\" y=\"66\" text-anchor=\"middle\" font-size=\"13\" fill=\"#444444\">"
      << xml_escaped(d.conditions) << "</text>\n";
  }
}

// Grid, ticks, tick labels, the frame and the axis labels.
void write_axes(std::ostream& o, const Diagram& d, const Frame& f) {
  const double left = f.left, top = f.top, pw = f.width, ph = f.height;
  const Axis &ax = f.x_axis, &ay = f.y_axis;
  o << "<g fill=\"#222222\">\n";
  for (double x = ax.lo; x <= ax.hi + ax.step * 1e-6; x += ax.step) {
    o << "<line x1=\"" << at(f.px(x)) << "\" y1=\"" << top << "\" x2=\"" << at(f.px(x))
      << "\" y2=\"" << top + ph << "\" stroke=\"#e3e3e3\"/>\n"
      << "<line x1=\"" << at(f.px(x)) << "\" y1=\"" << top + ph << "\" x2=\"" << at(f.px(x))
      << "\" y2=\"" << top + ph + 6 << "\" stroke=\"#000000\"/>\n"
      << "<text x=\"" << at(f.px(x)) << "\" y=\"" << top + ph + 20
      << "\" text-anchor=\"middle\" font-size=\"12\">"
      << number(std::fabs(x) < ax.step * 1e-6 ? 0.0 : x, "%g") << "</text>\n";
  }
  for (double y = ay.lo; y <= ay.hi + ay.step * 1e-6; y += ay.step) {
    o << "<line x1=\"" << left << "\" y1=\"" << at(f.py(y)) << "\" x2=\"" << left + pw << "\" y2=\""
      << at(f.py(y)) << "\" stroke=\"#e3e3e3\"/>\n"
      << "<line x1=\"" << left - 6 << "\" y1=\"" << at(f.py(y)) << "\" x2=\"" << left << "\" y2=\""
      << at(f.py(y)) << "\" stroke=\"#000000\"/>\n"
      << "<text x=\"" << left - 10 << "\" y=\"" << at(f.py(y) + 4)
      << "\" text-anchor=\"end\" font-size=\"12\">"
      << number(std::fabs(y) < ay.step * 1e-6 ? 0.0 : y, "%g") << "</text>\n";
  }
  o << "</g>\n"
    << "<rect x=\"" << left << "\" y=\"" << top << "\" width=\"" << pw << "\" height=\"" << ph
    << "\" fill=\"none\" stroke=\"#000000\"/>\n"
    << "<text x=\"" << left + pw / 2 << "\" y=\"" << kHeight - 20
    << "\" text-anchor=\"middle\" font-size=\"14\">" << xml_escaped(d.x_label) << "</text>\n"
    << "<text x=\"22\" y=\"" << top + ph / 2
    << "\" text-anchor=\"middle\" font-size=\"14\" transform=\"rotate(-90 22 " << top + ph / 2
    << ")\">" << xml_escaped(d.y_label) << "</text>\n";
}

// Curves and points, then the table's points with their values on hover.  Returns the curves
// sampled every few px, for the placing of the labels.
std::vector<Pixel> write_curves(std::ostream& o, const Diagram& d, const Frame& f) {
  std::vector<Pixel> samples;
  for (const auto& s : d.series) {
    std::string points;
    bool have_last = false;
    Pixel last{};
    for (std::size_t i = 0; i < s.x.size() && i < s.y.size(); ++i) {
      if (!std::isfinite(s.x[i]) || !std::isfinite(s.y[i])) continue;
      const Pixel p{f.px(s.x[i]), f.py(s.y[i])};
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
        const double t = have_last ? static_cast<double>(k) / steps : 1.0;
        samples.push_back({last.x + (p.x - last.x) * t, last.y + (p.y - last.y) * t});
      }
      last = p, have_last = true;
    }
    if (s.line && !points.empty()) {
      points.pop_back();
      o << "<polyline points=\"" << points << "\" fill=\"none\" stroke=\"" << s.colour
        << "\" stroke-width=\"2.5\"/>\n";
    }
  }
  for (const auto& s : d.series) {
    for (const auto& m : s.markers) {
      if (!std::isfinite(m.x) || !std::isfinite(m.y)) continue;
      o << "<circle cx=\"" << at(f.px(m.x)) << "\" cy=\"" << at(f.py(m.y)) << "\" r=\"3\" fill=\""
        << s.colour << "\" stroke=\"#ffffff\" stroke-width=\"1\">";
      if (!m.label.empty()) o << "<title>" << xml_escaped(m.label) << "</title>";
      o << "</circle>\n";
    }
  }
  return samples;
}

// The marks' rings, then their labels on top of everything drawn.  Returns whether a ring was
// drawn (the legend then names the marks).
bool write_marks(std::ostream& o, const Diagram& d, const Frame& f,
                 const std::vector<Pixel>& samples) {
  std::vector<Pixel> rings, labelled_points;
  std::vector<std::vector<std::string>> labels;
  for (const auto& m : d.marks) {
    if (!std::isfinite(m.x) || !std::isfinite(m.y)) continue;
    const Pixel p{f.px(m.x), f.py(m.y)};
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
  const std::vector<Box> boxes = place_labels(labelled_points, labels, samples, rings, f.plot());
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
        << xml_escaped(labels[k][i]) << "</tspan>";
    }
    o << "</text>\n</g>\n";
  }
  return !rings.empty();
}

// The legend right of the plot: one entry per curve, and the marks' entry when rings were drawn.
void write_legend(std::ostream& o, const Diagram& d, const Frame& f, bool rings) {
  double ly = f.top + 10;
  const double lx = f.left + f.width + 16;
  for (const auto& s : d.series) {
    if (s.line) {
      o << "<line x1=\"" << lx << "\" y1=\"" << ly << "\" x2=\"" << lx + 28 << "\" y2=\"" << ly
        << "\" stroke=\"" << s.colour << "\" stroke-width=\"3\"/>\n";
    }
    if (!s.line || !s.markers.empty()) {
      o << "<circle cx=\"" << lx + 14 << "\" cy=\"" << ly << "\" r=\"" << (s.line ? 3 : 5)
        << "\" fill=\"" << s.colour << "\" stroke=\"#ffffff\" stroke-width=\"1\"/>\n";
    }
    o << "<text x=\"" << lx + 34 << "\" y=\"" << ly + 4 << "\" font-size=\"13\">"
      << xml_escaped(s.label) << "</text>\n";
    ly += 22;
  }
  if (rings) {
    o << "<circle cx=\"" << lx + 14 << "\" cy=\"" << ly
      << "\" r=\"6\" fill=\"none\" stroke=\"#000000\" stroke-width=\"2\"/>\n"
      << "<text x=\"" << lx + 34 << "\" y=\"" << ly + 4 << "\" font-size=\"13\">"
      << xml_escaped(d.mark_legend) << "</text>\n";
  }
}

}  // namespace

std::string diagram_to_svg(const Diagram& d) {
  const Frame f = frame_of(d);
  std::ostringstream o;
  write_heading(o, d);
  write_axes(o, d, f);
  const std::vector<Pixel> samples = write_curves(o, d, f);
  const bool rings = write_marks(o, d, f, samples);
  write_legend(o, d, f, rings);
  o << "</svg>\n";
  return o.str();
}

std::string xml_escaped(const std::string& text) {
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

}  // namespace tidewerk
