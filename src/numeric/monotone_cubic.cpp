#include "numeric/monotone_cubic.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tidewerk {
namespace {

// The slope at point k: the Fritsch-Carlson harmonic mean of the neighbouring secants, zero
// at an extremum; one-sided at the ends.
double slope_at(std::span<const double> x, std::span<const double> y, std::size_t k) {
  const std::size_t last = x.size() - 1;
  const auto secant = [&](std::size_t i) { return (y[i + 1] - y[i]) / (x[i + 1] - x[i]); };
  if (k == 0) return secant(0);
  if (k == last) return secant(last - 1);
  const double left = secant(k - 1), right = secant(k);
  if (left * right <= 0) return 0.0;
  const double h_left = x[k] - x[k - 1], h_right = x[k + 1] - x[k];
  const double w1 = 2 * h_right + h_left, w2 = h_right + 2 * h_left;
  return (w1 + w2) / (w1 / left + w2 / right);
}

}  // namespace

std::optional<double> monotone_cubic(std::span<const double> x, std::span<const double> y,
                                     double xp) {
  if (x.size() < 2 || x.size() != y.size() || !(xp >= x.front() && xp <= x.back())) {
    return std::nullopt;
  }
  const auto upper = std::upper_bound(x.begin(), x.end(), xp);
  const std::size_t k =
      std::min<std::size_t>(static_cast<std::size_t>(upper - x.begin()), x.size() - 1) - 1;
  const double h = x[k + 1] - x[k];
  const double s = (xp - x[k]) / h;
  const double m0 = slope_at(x, y, k) * h, m1 = slope_at(x, y, k + 1) * h;
  const double h00 = (1 + 2 * s) * (1 - s) * (1 - s), h10 = s * (1 - s) * (1 - s);
  const double h01 = s * s * (3 - 2 * s), h11 = s * s * (s - 1);
  return h00 * y[k] + h10 * m0 + h01 * y[k + 1] + h11 * m1;
}

}  // namespace tidewerk
