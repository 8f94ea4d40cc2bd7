// The hulls of the two published worked examples of the Holtrop-Mennen method.
#pragma once

#include "tidewerk/ship.h"

namespace tidewerk {

// Holtrop and Mennen 1982: L 205 m, B 32 m, T 10 m, 37 500 m3, bulb 20 m2 and transom 16 m2,
// appendages 50 m2 at 1 + k2 1.5, U sections; S and iE estimated.  Published at 25 kn.
inline Hull example_1982() {
  return {.L = 205,
          .B = 32,
          .TF = 10,
          .TA = 10,
          .volume = 37500,
          .lcb = -0.75,
          .CM = 0.98,
          .CWP = 0.75,
          .ABT = 20,
          .hB = 4,
          .AT = 16,
          .SAPP = 50,
          .one_plus_k2 = 1.5,
          .Cstern = 10,
          .S = {},
          .iE = {}};
}

// Holtrop 1984, the fast ship: L 50 m, B 12 m, 900 m3, S 584.9 m2 and iE 25 degrees given, no
// bulb.  Published at 25 to 35 kn.
inline Hull fast_ship_1984() {
  return {.L = 50,
          .B = 12,
          .TF = 3.1,
          .TA = 3.3,
          .volume = 900,
          .lcb = -4.5,
          .CM = 0.78,
          .CWP = 0.80,
          .ABT = 0,
          .hB = 0,
          .AT = 10,
          .SAPP = 50,
          .one_plus_k2 = 3.0,
          .Cstern = 0,
          .S = 584.9,
          .iE = 25.0};
}

}  // namespace tidewerk
