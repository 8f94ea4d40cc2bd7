// Series 2: the Gawn open-water polynomials.  Same form and exponents as the Wageningen B
// polynomials, with their own coefficients, evaluated for a three-bladed propeller.
#pragma once

#include "series/polynomial.h"
#include "tidewerk/series.h"

namespace tidewerk {

// Gawn thrust polynomial, rows {C, s (J), t (P/D), u (EAR), v (Z)} in published order.
// Source: the Gawn series of three-bladed models (R.W.L. Gawn, "Effect of pitch and blade width
// on propeller performance", Trans. INA 95, 1953), fitted in the form and term order of the
// Wageningen B polynomials (Oosterveld and van Oossanen 1975); the coefficients are those the
// program has always used, eleven of them (1, 2, 3, 7, 15, 16, 18 to 21, 31) differing from
// the B series.
inline constexpr SeriesTerm kGawnThrust[39] = {
    {-0.05586363f, 0, 0, 0, 0},   // 1
    {-0.21730109f, 1, 0, 0, 0},   // 2
    {0.2605314f, 0, 1, 0, 0},     // 3
    {0.158114f, 0, 2, 0, 0},      // 4
    {-0.147581f, 2, 0, 1, 0},     // 5
    {-0.481497f, 1, 1, 1, 0},     // 6
    {0.37812278f, 0, 2, 1, 0},    // 7
    {0.0144043f, 0, 0, 0, 1},     // 8
    {-0.0530054f, 2, 0, 0, 1},    // 9
    {0.0143481f, 0, 1, 0, 1},     // 10
    {0.0606826f, 1, 1, 0, 1},     // 11
    {-0.0125894f, 0, 0, 1, 1},    // 12
    {0.0109689f, 1, 0, 1, 1},     // 13
    {-0.133698f, 0, 3, 0, 0},     // 14
    {0.00241157f, 0, 6, 0, 0},    // 15
    {-0.00053002f, 2, 6, 0, 0},   // 16
    {0.168496f, 3, 0, 1, 0},      // 17
    {0.02634542f, 0, 0, 2, 0},    // 18
    {0.04360136f, 2, 0, 2, 0},    // 19
    {-0.03118493f, 3, 0, 2, 0},   // 20
    {0.01249215f, 1, 6, 2, 0},    // 21
    {-0.00648272f, 2, 6, 2, 0},   // 22
    {-0.00841728f, 0, 3, 0, 1},   // 23
    {0.0168424f, 1, 3, 0, 1},     // 24
    {-0.00102296f, 3, 3, 0, 1},   // 25
    {-0.0317791f, 0, 3, 1, 1},    // 26
    {0.018604f, 1, 0, 2, 1},      // 27
    {-0.00410798f, 0, 2, 2, 1},   // 28
    {-0.000606848f, 0, 0, 0, 2},  // 29
    {-0.0049819f, 1, 0, 0, 2},    // 30
    {0.0025963f, 2, 0, 0, 2},     // 31
    {-0.000560528f, 3, 0, 0, 2},  // 32
    {-0.00163652f, 1, 2, 0, 2},   // 33
    {-0.000328787f, 1, 6, 0, 2},  // 34
    {0.000116502f, 2, 6, 0, 2},   // 35
    {0.000690904f, 0, 0, 1, 2},   // 36
    {0.00421749f, 0, 3, 1, 2},    // 37
    {5.65229e-05f, 3, 6, 1, 2},   // 38
    {-0.00146564f, 0, 3, 2, 2},   // 39
};

// Gawn torque polynomial, rows {C, s (J), t (P/D), u (EAR), v (Z)} in published order.
// Source: as the thrust polynomial above; fourteen coefficients (1, 2, 3, 4, 6, 8, 19 to 25,
// 30) differ from the B series.
inline constexpr SeriesTerm kGawnTorque[47] = {
    {0.00515898f, 0, 0, 0, 0},    // 1
    {0.01606668f, 2, 0, 0, 0},    // 2
    {-0.0441153f, 1, 1, 0, 0},    // 3
    {0.00682223f, 0, 2, 0, 0},    // 4
    {-0.0408811f, 0, 1, 1, 0},    // 5
    {-0.07732967f, 1, 1, 1, 0},   // 6
    {-0.0885381f, 2, 1, 1, 0},    // 7
    {0.16937502f, 0, 2, 1, 0},    // 8
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
    {0.01290435f, 0, 0, 2, 0},    // 19
    {0.02445084f, 1, 0, 2, 0},    // 20
    {0.00700643f, 3, 0, 2, 0},    // 21
    {-0.02719046f, 0, 1, 2, 0},   // 22
    {-0.01664586f, 3, 1, 2, 0},   // 23
    {0.0300449f, 2, 2, 2, 0},     // 24
    {-0.03369749f, 0, 3, 2, 0},   // 25
    {-0.00350024f, 0, 6, 2, 0},   // 26
    {-0.0106854f, 3, 0, 0, 1},    // 27
    {0.00110903f, 3, 3, 0, 1},    // 28
    {-0.000313912f, 0, 6, 0, 1},  // 29
    {0.0035895f, 3, 0, 1, 1},     // 30
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

static_assert(exponents_in_range(kGawnThrust) && exponents_in_range(kGawnTorque));

// Kt, Kq and eta0 of the Gawn propeller (pd, ear, z) at J.  First a blade number further than
// 0.01 from 3 is replaced by 3; a J of magnitude below 0.001 is raised to 0.001.  Never
// corrected for viscosity.
OpenWater gawn_open_water(float J, float pd, float ear, float z);

}  // namespace tidewerk
