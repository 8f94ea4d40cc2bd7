// Single-precision storage.  Quantities are stored as float; expressions are evaluated in
// double and rounded when stored.  `single` marks each such store so that a reader sees
// where digits are lost.
#pragma once

#include <cfenv>
#include <cmath>

namespace tidewerk {

// Rounds an expression evaluated in double to the single-precision value that is stored.
constexpr float single(double x) {
  return static_cast<float>(x);
}

// General real power x^y of the cases (D^4, J^5, the square root in Bp ...), evaluated in
// double from single-precision operands and rounded to single precision.
inline float power(float x, float y) {
  return single(std::pow(double{x}, double{y}));
}

// The whole part of a real, truncated toward zero, as the blade number Z is printed and used
// (Z = 4.0 gives 4).  Values beyond the integer range saturate, and a NaN gives 0, so that an
// absurd task-file value can never make the conversion undefined.
constexpr int whole_number(float x) {
  if (!(x == x)) return 0;
  if (x >= 2147483520.0f) return 2147483647;
  if (x <= -2147483648.0f) return -2147483647 - 1;
  return static_cast<int>(x);
}

// Keeps the floating-point exception flags as they were when it was made, restoring them when it
// goes: for evaluations whose flags are none of the caller's business (the points of a diagram
// alone, the library called from Python).
class FloatingPointFlagsKept {
 public:
  FloatingPointFlagsKept() { std::fegetexceptflag(&saved_, FE_ALL_EXCEPT); }
  ~FloatingPointFlagsKept() { std::fesetexceptflag(&saved_, FE_ALL_EXCEPT); }
  FloatingPointFlagsKept(const FloatingPointFlagsKept&) = delete;
  FloatingPointFlagsKept& operator=(const FloatingPointFlagsKept&) = delete;

 private:
  std::fexcept_t saved_{};
};

}  // namespace tidewerk
