// Performance quantities shared by the cases: revolutions per second, thrust, torque,
// delivered power, Bp, delta, 10Kq and tip speed.
//
// Each is an expression evaluated in double from its single-precision operands and rounded
// to float when it is returned.  Powers (D^4, D^5, n^2, J^5, the square root in Bp) use the
// general real power in double, not repeated multiplication; constants are single-precision
// values.  The products are formed left to right in the order given by each function's
// comment: a case that writes the same quantity with its factors in another order (e.g.
// n^2 * D^4 * Kt * RHO) forms its own expression instead.
#pragma once

#include <cmath>

#include "numeric/precision.h"

namespace tidewerk {

// n = N / 60, rev/s from the shaft speed N in RPM.
inline float revolutions_per_second(float N) {
  return single(double{N} / double{60.0f});
}

// Thrust in N: D^4 * Kt * n^2 * RHO.
inline float thrust_d4_kt_n2_rho(float D, float Kt, float n, float RHO) {
  return single(std::pow(double{D}, 4.0) * double{Kt} * std::pow(double{n}, 2.0) * double{RHO});
}

// Torque in N*m: D^5 * Kq * n^2 * RHO.
inline float torque_d5_kq_n2_rho(float D, float Kq, float n, float RHO) {
  return single(std::pow(double{D}, 5.0) * double{Kq} * std::pow(double{n}, 2.0) * double{RHO});
}

// Delivered power in kW from the torque Q in N*m: Q * n * 6.28318 / 1000 (6.28318 as used
// for 2*pi in this quantity).
inline float delivered_power_kw(float Q, float n) {
  return single(double{Q} * double{n} * double{6.28318f} / double{1000.0f});
}

// Power coefficient Bp = 33.06746 * (Kq / J^5)^0.5.
inline float power_coefficient_bp(float Kq, float J) {
  return single(double{33.06746f} * std::pow(double{Kq} / std::pow(double{J}, 5.0), 0.5));
}

// Advance coefficient delta = 101.2658 / J.
inline float advance_coefficient_delta(float J) {
  return single(double{101.2658f} / double{J});
}

// Torque coefficient as printed, 10 * Kq.
inline float ten_kq(float Kq) {
  return single(double{10.0f} * double{Kq});
}

// Tip speed in m/s: D * n * 3.1415927.
inline float tip_speed(float D, float n) {
  return single(double{D} * double{n} * double{3.1415927f});
}

}  // namespace tidewerk
