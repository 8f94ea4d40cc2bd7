// Series 3: the KCA open-water polynomials.  No blade-number factor; each term carries a
// power of ten applied to its mantissa.
#pragma once

#include "series/polynomial.h"
#include "tidewerk/series.h"

namespace tidewerk {

// KCA thrust polynomial, rows {M, p, s (J), t (P/D), u (EAR)} in published order; a term
// is (10^p * M) * J^s * (P/D)^t * EAR^u.  Source: a regression of the open-water results of
// the KCA model series (R.W.L. Gawn and L.C. Burrill, "Effect of cavitation on the
// performance of a series of 16 in. model propellers", Trans. INA 99, 1957); the mantissas
// and powers of ten are those the program has always used, numbered in its order.
inline constexpr KcaTerm kKcaThrust[16] = {
    {0.1193852f, 0, 0, 0, 0},   // 1
    {-0.6574682f, 0, 1, 0, 0},  // 2
    {0.3493294f, 0, 0, 1, 0},   // 3
    {0.4119366f, 0, 1, 1, 0},   // 4
    {-0.1991927f, 0, 1, 2, 0},  // 5
    {5.863051f, -2, 2, 2, 0},   // 6
    {-1.107735f, -2, 3, 2, 0},  // 7
    {-0.1341679f, 0, 0, 0, 1},  // 8
    {0.2628839f, 0, 1, 0, 1},   // 9
    {-0.5217023f, 0, 1, 1, 1},  // 10
    {0.2970728f, 0, 0, 2, 1},   // 11
    {6.15258f, -2, 3, 1, 2},    // 12
    {-2.47084f, -2, 3, 2, 2},   // 13
    {-4.080166f, -3, 0, 6, 1},  // 14
    {4.154201f, -3, 1, 6, 1},   // 15
    {-1.136452f, -3, 0, 6, 2},  // 16
};

// KCA torque polynomial, rows {M, p, s (J), t (P/D), u (EAR)} in published order; a term
// is (10^p * M) * (P/D)^t * EAR^u * J^s.  Source: as the thrust polynomial above.
inline constexpr KcaTerm kKcaTorque[17] = {
    {1.541166f, -3, 0, 0, 0},   // 1
    {0.1091688f, 0, 1, 0, 0},   // 2
    {-0.310242f, 0, 2, 0, 0},   // 3
    {0.1547428f, 0, 3, 0, 0},   // 4
    {-4.370615f, -2, 0, 1, 0},  // 5
    {0.2490295f, 0, 2, 1, 0},   // 6
    {-0.1594602f, 0, 3, 1, 0},  // 7
    {8.536747f, -2, 0, 2, 0},   // 8
    {-9.512163f, -2, 1, 2, 0},  // 9
    {-9.320307f, -3, 2, 2, 0},  // 10
    {3.287805f, -2, 3, 2, 0},   // 11
    {5.496034f, -2, 1, 0, 1},   // 12
    {-4.865063f, -2, 0, 1, 1},  // 13
    {-0.10625f, 0, 1, 1, 1},    // 14
    {8.529955f, -2, 0, 2, 1},   // 15
    {1.101023f, -2, 3, 0, 2},   // 16
    {-3.151756f, -3, 2, 2, 2},  // 17
};

static_assert(exponents_in_range(kKcaThrust) && exponents_in_range(kKcaTorque));

// Kt, Kq and eta0 of the KCA propeller (pd, ear) at J.  First z below 2.99 becomes 3, then z
// above 5.01 becomes 5; z takes no other part.  A J of magnitude below 0.001 is raised to
// 0.001.  Never corrected for viscosity.
OpenWater kca_open_water(float J, float pd, float ear, float z);

// The tables with 10^p * M formed once, by the same single-precision products.
inline constexpr auto kKcaThrustScaled = scale_kca_table(kKcaThrust);
inline constexpr auto kKcaTorqueScaled = scale_kca_table(kKcaTorque);

}  // namespace tidewerk
