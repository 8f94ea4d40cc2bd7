// The problem record: what the task file says about the design, its series resolved.  Read by
// the driver before the case runs; the cases only read it.  Every field starts at zero; a case
// reads only the fields of its own value list.
#pragma once

#include "tidewerk/series.h"

namespace tidewerk {

struct Problem {
  Series series = Series::WageningenB;  // the series of line 16 (a run stops on any other number)
  int case_number = 0;                  // calculation case, 1 to 10 (line 80)

  float T = 0;      // required thrust, kN
  float D = 0;      // propeller diameter, m
  float Va = 0;     // advance speed, m/s
  float RHO = 0;    // water density, kg/m3
  float Z = 0;      // number of blades (a whole number held as a real)
  float EAR = 0;    // expanded blade-area ratio Ae/Ao
  float N = 0;      // shaft speed, RPM
  float PQin = 0;   // delivered power, kW (cases 3, 4, 9), or torque, kNm (case 10), as read
  float PQ = 0;     // PQin * 1000: power in W or torque in N*m
  float D1 = 0;     // first candidate diameter of the bollard-pull case, m
  float D2 = 0;     // second candidate diameter, m
  float D3 = 0;     // third candidate diameter, m
  float PD = 0;     // pitch ratio P/D
  float Bp = 0;     // power coefficient Bp of the Bp-delta case
  float delta = 0;  // advance coefficient delta of the Bp-delta case
  int IVISC = 0;    // viscous correction: 0 none, non-zero ITTC78 (Wageningen B only)
  float Hs = 0;     // shaft depth below the free surface, m
};

}  // namespace tidewerk
