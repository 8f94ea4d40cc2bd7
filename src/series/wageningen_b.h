// Series 1: the Wageningen B-series open-water polynomials (39 thrust terms, 47 torque
// terms) and the preparation of the ITTC78 viscous correction that only this series applies.
#pragma once

#include <optional>

#include "series/ittc78.h"
#include "series/polynomial.h"
#include "tidewerk/series.h"

namespace tidewerk {

// Wageningen B thrust polynomial, rows {C, s (J), t (P/D), u (EAR), v (Z)} in published order.
// Source: M.W.C. Oosterveld and P. van Oossanen, "Further computer-analyzed data of the
// Wageningen B-screw series", International Shipbuilding Progress 22 (1975), the Kt and Kq
// polynomials at Rn = 2 x 10^6 (39 and 47 terms); the comment of each row is the term number.
inline constexpr SeriesTerm kWageningenBThrust[39] = {
    {0.00880496f, 0, 0, 0, 0},    // 1
    {-0.204554f, 1, 0, 0, 0},     // 2
    {0.166351f, 0, 1, 0, 0},      // 3
    {0.158114f, 0, 2, 0, 0},      // 4
    {-0.147581f, 2, 0, 1, 0},     // 5
    {-0.481497f, 1, 1, 1, 0},     // 6
    {0.415437f, 0, 2, 1, 0},      // 7
    {0.0144043f, 0, 0, 0, 1},     // 8
    {-0.0530054f, 2, 0, 0, 1},    // 9
    {0.0143481f, 0, 1, 0, 1},     // 10
    {0.0606826f, 1, 1, 0, 1},     // 11
    {-0.0125894f, 0, 0, 1, 1},    // 12
    {0.0109689f, 1, 0, 1, 1},     // 13
    {-0.133698f, 0, 3, 0, 0},     // 14
    {0.00638407f, 0, 6, 0, 0},    // 15
    {-0.00132718f, 2, 6, 0, 0},   // 16
    {0.168496f, 3, 0, 1, 0},      // 17
    {-0.0507214f, 0, 0, 2, 0},    // 18
    {0.0854559f, 2, 0, 2, 0},     // 19
    {-0.0504475f, 3, 0, 2, 0},    // 20
    {0.010465f, 1, 6, 2, 0},      // 21
    {-0.00648272f, 2, 6, 2, 0},   // 22
    {-0.00841728f, 0, 3, 0, 1},   // 23
    {0.0168424f, 1, 3, 0, 1},     // 24
    {-0.00102296f, 3, 3, 0, 1},   // 25
    {-0.0317791f, 0, 3, 1, 1},    // 26
    {0.018604f, 1, 0, 2, 1},      // 27
    {-0.00410798f, 0, 2, 2, 1},   // 28
    {-0.000606848f, 0, 0, 0, 2},  // 29
    {-0.0049819f, 1, 0, 0, 2},    // 30
    {0.0025983f, 2, 0, 0, 2},     // 31
    {-0.000560528f, 3, 0, 0, 2},  // 32
    {-0.00163652f, 1, 2, 0, 2},   // 33
    {-0.000328787f, 1, 6, 0, 2},  // 34
    {0.000116502f, 2, 6, 0, 2},   // 35
    {0.000690904f, 0, 0, 1, 2},   // 36
    {0.00421749f, 0, 3, 1, 2},    // 37
    {5.65229e-05f, 3, 6, 1, 2},   // 38
    {-0.00146564f, 0, 3, 2, 2},   // 39
};

// Wageningen B torque polynomial, rows {C, s (J), t (P/D), u (EAR), v (Z)} in published order.
// Source: Oosterveld and van Oossanen (1975), as the thrust polynomial above.
inline constexpr SeriesTerm kWageningenBTorque[47] = {
    {0.00379368f, 0, 0, 0, 0},    // 1
    {0.00886523f, 2, 0, 0, 0},    // 2
    {-0.032241f, 1, 1, 0, 0},     // 3
    {0.00344778f, 0, 2, 0, 0},    // 4
    {-0.0408811f, 0, 1, 1, 0},    // 5
    {-0.108009f, 1, 1, 1, 0},     // 6
    {-0.0885381f, 2, 1, 1, 0},    // 7
    {0.188561f, 0, 2, 1, 0},      // 8
    {-0.00370871f, 1, 0, 0, 1},   // 9
    {0.00513696f, 0, 1, 0, 1},    // 10
    {0.0209449f, 1, 1, 0, 1},     // 11
    {0.00474319f, 2, 1, 0, 1},    // 12
    {-0.00723408f, 2, 0, 1, 1},   // 13
    {0.00438388f, 1, 1, 1, 1},    // 14
    {-0.0269403f, 0, 2, 1, 1},    // 15
    {0.0558082f, 3, 0, 1, 0},     // 16
    {0.0161886f, 0, 3, 1, 0},     // 17
    {0.00318086f, 1, 3, 1, 0},    // 18
    {0.015896f, 0, 0, 2, 0},      // 19
    {0.0471729f, 1, 0, 2, 0},     // 20
    {0.0196283f, 3, 0, 2, 0},     // 21
    {-0.0502782f, 0, 1, 2, 0},    // 22
    {-0.030055f, 3, 1, 2, 0},     // 23
    {0.0417122f, 2, 2, 2, 0},     // 24
    {-0.0397722f, 0, 3, 2, 0},    // 25
    {-0.00350024f, 0, 6, 2, 0},   // 26
    {-0.0106854f, 3, 0, 0, 1},    // 27
    {0.00110903f, 3, 3, 0, 1},    // 28
    {-0.000313912f, 0, 6, 0, 1},  // 29
    {0.0035985f, 3, 0, 1, 1},     // 30
    {-0.00142121f, 0, 6, 1, 1},   // 31
    {-0.00383637f, 1, 0, 2, 1},   // 32
    {0.0126803f, 0, 2, 2, 1},     // 33
    {-0.00318278f, 2, 3, 2, 1},   // 34
    {0.00334268f, 0, 6, 2, 1},    // 35
    {-0.00183491f, 1, 1, 0, 2},   // 36
    {0.000112451f, 3, 2, 0, 2},   // 37
    {-2.97228e-05f, 3, 6, 0, 2},  // 38
    {0.000269551f, 1, 0, 1, 2},   // 39
    {0.00083265f, 2, 0, 1, 2},    // 40
    {0.00155334f, 0, 2, 1, 2},    // 41
    {0.000302683f, 0, 6, 1, 2},   // 42
    {-0.0001843f, 0, 0, 2, 2},    // 43
    {-0.000425399f, 0, 3, 2, 2},  // 44
    {8.69243e-05f, 3, 3, 2, 2},   // 45
    {-0.0004659f, 0, 6, 2, 2},    // 46
    {5.54194e-05f, 1, 6, 2, 2},   // 47
};

static_assert(exponents_in_range(kWageningenBThrust) && exponents_in_range(kWageningenBTorque));

// Kt, Kq and eta0 of the Wageningen B propeller (pd, ear, z) at J.  A J of magnitude below 0.001
// is raised to 0.001.  With `full_scale` the ITTC78 correction is applied (unless Va and N are
// both below 0.001).  z is used as it is, not rounded.
OpenWater wageningen_b_open_water(float J, float pd, float ear, float z,
                                  const Ittc78Conditions* full_scale);

// Steps before the ITTC78 correction, from the full-scale conditions and J (after the J guard):
// the diameter used, the truncated blade number, chord and thickness at 0.75R, the scale ratio
// and the reference rotation rate and viscosity.  Nothing when Va < 0.001 and N < 0.001: then
// no correction is made.
std::optional<Ittc78Inputs> prepare_ittc78(const Ittc78Conditions& full_scale, float J, float ear,
                                           float z);

// The corrected coefficients: Kt - dKt, Kq - dKq and eta0 from them, at the guarded J.
OpenWater apply_ittc78(const OpenWater& uncorrected, float pd, float ear,
                       const Ittc78Conditions& full_scale);

}  // namespace tidewerk
