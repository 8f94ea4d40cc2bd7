#include "numeric/array_utilities.h"

#include <cmath>

namespace tidewerk {

namespace {

// Integer part of 1000*v, cut toward zero; kept as a double so that no value can overflow
// an integer type.
double thousandths(float v) {
  return std::trunc(double{v} * 1000.0);
}

}  // namespace

void index_of_largest(int n, const float* values, int& imax) {
  imax = 0;
  if (n < 1) return;
  float best = values[0];
  for (int i = 1; i < n; ++i) {
    if (thousandths(values[i]) > thousandths(best)) {
      best = values[i];
      imax = i;
    }
  }
}

void sort_ascending(int n, float* values) {
  for (int i = 0; i + 1 < n; ++i) {
    int smallest = i;
    for (int j = i + 1; j < n; ++j) {
      if (values[j] < values[smallest]) smallest = j;
    }
    if (smallest != i) {
      const float exchanged = values[i];
      values[i] = values[smallest];
      values[smallest] = exchanged;
    }
  }
}

}  // namespace tidewerk
