// Single-precision storage.  Quantities are stored as float; expressions are evaluated in
// double and rounded when stored.  `single` marks each such store so that a reader sees
// where digits are lost.
#pragma once

#include <cmath>

namespace tidewerk {

// Rounds an expression evaluated in double to the single-precision value that is stored.
constexpr float single(double x) { return static_cast<float>(x); }

// General real power x^y of the cases (D^4, J^5, the square root in Bp ...), evaluated in
// double from single-precision operands and rounded to single precision.
inline float power(float x, float y) { return single(std::pow(double{x}, double{y})); }

}  // namespace tidewerk
