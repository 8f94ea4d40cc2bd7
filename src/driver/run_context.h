// The run context: the problem record, the shared values and the operating point.
// Owned by the main program for the whole run; the cases and the series evaluator read and
// overwrite its fields in place. Every field starts at zero.
#pragma once

namespace tidewerk {

struct RunContext {
  // --- Problem record -------------------------------------------------------------------
  int series = 0;  // propeller series: 1 Wageningen B, 2 Gawn, 3 KCA
  float T = 0;     // thrust: kN as read (cases 1, 2, 8) and in cases 9, 10; N in cases 3, 4, 7
  float D = 0;     // propeller diameter, m
  float Va = 0;    // advance speed, m/s
  float RHO = 0;   // water density, kg/m3
  float Z = 0;     // number of blades (a whole number held as a real)
  float EAR = 0;   // expanded blade-area ratio Ae/Ao
  float N = 0;     // shaft speed, RPM
  float PQ = 0;    // delivered power, W (cases 3, 4, 9) or torque, N*m (case 10)
  float D1 = 0;    // first candidate diameter of the bollard-pull case, m
  float D2 = 0;    // second candidate diameter, m
  float D3 = 0;    // third candidate diameter, m
  float PD = 0;    // pitch ratio P/D

  // --- Shared values --------------------------------------------------------------------
  int case_number = 0;  // calculation case, 1 to 10 (`case` in the task file)
  float PQin = 0;       // power in kW or torque in kNm, as read from the task file
  float EARmin = 0;     // lowest blade-area ratio of the series (inclusive)
  float EARmax = 0;     // upper blade-area ratio limit of the series (exclusive)
  float PDmin = 0;      // lowest pitch ratio of the series
  float PDmax = 0;      // pitch-ratio limit of the series (with a small margin)
  float Bp = 0;         // power coefficient Bp (case 7)
  float delta = 0;      // advance coefficient delta (case 7)
  int IVISC = 0;        // viscous correction: 0 none, 1 ITTC78 (Wageningen B only)
  float Hs = 0;         // shaft depth below the free surface, m

  // --- Operating point ------------------------------------------------------------------
  float J = 0;     // advance coefficient Va/(n*D); set by the caller, may be raised by the evaluator
  float Kt = 0;    // thrust coefficient
  float Kq = 0;    // torque coefficient
  float eta0 = 0;  // open-water efficiency
};

}  // namespace tidewerk
