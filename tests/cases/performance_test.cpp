// Performance quantities: check values with n = 2 rev/s (N = 120 RPM), D = 4 m,
// RHO = 1025 kg/m3, Kt = 0.2, Kq = 0.03, and the Bp-delta pair at J = 0.75.
#include "cases/performance.h"

#include <gtest/gtest.h>

namespace tidewerk {
namespace {

TEST(PerformanceQuantities, RevolutionsPerSecondFromRpm) {
  EXPECT_EQ(revolutions_per_second(120.0f), 2.0f);
  EXPECT_FLOAT_EQ(revolutions_per_second(100.0f), 100.0f / 60.0f);
}

// Wrong exponent (D^4 vs D^5, n vs n^2) or a missing factor shows in these.
TEST(PerformanceQuantities, ThrustTorqueAndDeliveredPower) {
  const float n = revolutions_per_second(120.0f);
  EXPECT_FLOAT_EQ(thrust_d4_kt_n2_rho(4.0f, 0.2f, n, 1025.0f), 209920.0f);
  const float q = torque_d5_kq_n2_rho(4.0f, 0.03f, n, 1025.0f);
  EXPECT_FLOAT_EQ(q, 125952.0f);
  EXPECT_NEAR(delivered_power_kw(q, n), 1582.76, 0.005);
}

TEST(PerformanceQuantities, BpAndDeltaAtJ075) {
  EXPECT_NEAR(advance_coefficient_delta(0.75f), 135.0211, 5e-5);
  EXPECT_NEAR(power_coefficient_bp(0.03f, 0.75f), 11.7573, 5e-5);
}

// 101.2658, not the 101.2685 of the delta-to-J conversion elsewhere.
TEST(PerformanceQuantities, DeltaAtGridStart) {
  EXPECT_NEAR(advance_coefficient_delta(0.05f), 2025.316, 5e-4);
}

TEST(PerformanceQuantities, TipSpeedAndTenKq) {
  EXPECT_NEAR(tip_speed(4.0f, 2.0f), 8.0 * 3.1415927, 1e-5);
  EXPECT_FLOAT_EQ(ten_kq(0.04343f), 0.4343f);
}

}  // namespace
}  // namespace tidewerk
