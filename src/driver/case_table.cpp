#include "driver/case_table.h"

namespace tidewerk {
namespace {

using P = Problem;

constexpr CaseField real(const char* label, const char* symbol, const char* unit,
                         const char* meaning, float P::*field) {
  return {label, symbol, unit, meaning, field, nullptr};
}

// The values the cases read, each described once.
constexpr CaseField kT = real("T (kN)", "T", "kN", "required thrust", &P::T);
constexpr CaseField kD = real("D (m)", "D", "m", "propeller diameter", &P::D);
constexpr CaseField kVa = real("Va (m/s)", "Va", "m/s", "advance speed", &P::Va);
constexpr CaseField kRHO = real("RHO (kg/m3)", "RHO", "kg/m3", "water density", &P::RHO);
constexpr CaseField kZ = real("Z", "Z", "", "number of blades", &P::Z);
constexpr CaseField kEAR = real("EAR", "EAR", "", "expanded blade-area ratio Ae/Ao", &P::EAR);
constexpr CaseField kN = real("N (RPM)", "N", "RPM", "shaft speed", &P::N);
constexpr CaseField kPower = real("PQin (kW)", "PQin", "kW", "delivered power", &P::PQin);
constexpr CaseField kTorque = real("PQin (kNm)", "PQin", "kNm", "required torque", &P::PQin);
constexpr CaseField kD1 = real("D1 (m)", "D1", "m", "first candidate diameter", &P::D1);
constexpr CaseField kD2 = real("D2 (m)", "D2", "m", "second candidate diameter", &P::D2);
constexpr CaseField kD3 = real("D3 (m)", "D3", "m", "third candidate diameter", &P::D3);
constexpr CaseField kPD = real("P/D", "P/D", "", "pitch ratio", &P::PD);
constexpr CaseField kBp = real("Bp", "Bp", "", "power coefficient Bp", &P::Bp);
constexpr CaseField kDelta = real("delta", "delta", "", "advance coefficient delta", &P::delta);
constexpr CaseField kHs = real("Hs (m)", "Hs", "m", "shaft depth below the free surface", &P::Hs);
constexpr CaseField kIVISC = {"IVISC", "IVISC",  "", "ITTC78 correction: 0 off, 1 on",
                              nullptr, &P::IVISC};

const std::array<CaseEntry, 10> kCases{{
    {1,
     "optimum propeller for a load coefficient Kt/J^2 (revolutions follow)",
     match_kt_over_j2,
     false,
     6,
     {kT, kD, kVa, kRHO, kZ, kEAR},
     {"600  7.0  7.5  1025  5  0.65", "800  6.0  7.0  1025  3  0.65",
      "600  7.0  7.5  1025  4  0.65"}},
    {2,
     "optimum propeller for a load coefficient Kt/J^4 (diameter follows)",
     match_kt_over_j4,
     false,
     6,
     {kT, kN, kVa, kRHO, kZ, kEAR},
     {"500  110  7.5  1025  4  0.65", "500  110  7.5  1025  3  0.65",
      "500  110  7.5  1025  4  0.65"}},
    {3,
     "optimum propeller for a load coefficient Kq/J^5 (diameter follows)",
     match_kq_over_j5,
     true,
     6,
     {kPower, kVa, kN, kRHO, kZ, kEAR},
     {"5000  7.0  105  1025  4  0.60", "5000  7.0  105  1025  3  0.60",
      "5000  7.0  105  1025  4  0.60"}},
    {4,
     "bollard pull of three candidate diameters",
     bollard_pull,
     true,
     8,
     {kPower, kN, kRHO, kZ, kEAR, kD1, kD2, kD3},
     {"1200  200  1025  4  0.70  2.4  2.6  2.8", "1200  200  1025  3  0.70  2.4  2.6  2.8",
      "1200  200  1025  4  0.70  2.4  2.6  2.8"}},
    {5,
     "open-water table of a given propeller",
     open_water_table,
     false,
     3,
     {kPD, kZ, kEAR},
     {"1.0  4  0.70", "1.2  3  0.80", "1.1  4  0.80"}},
    {6,
     "operating point of a given propeller",
     operating_point,
     false,
     8,
     {kPD, kZ, kEAR, kRHO, kD, kN, kVa, kIVISC},
     {"1.0  4  0.70  1025  4.032  120  5.0  0", "1.0  3  0.70  1025  4.032  120  5.0  0",
      "1.0  4  0.70  1025  4.032  120  5.0  0"}},
    {7,
     "propeller from Bp and delta",
     bp_delta,
     false,
     9,
     {kBp, kDelta, kZ, kEAR, kRHO, kD, kN, kVa, kIVISC},
     {"20  150  4  0.70  1025  4.0  120  5.0  0", "20  150  3  0.70  1025  4.0  120  5.0  0",
      "20  150  4  0.70  1025  4.0  120  5.0  0"}},
    {8,
     "pitch for a required thrust",
     design_for_thrust,
     false,
     9,
     {kT, kD, kN, kVa, kRHO, kZ, kEAR, kIVISC, kHs},
     {"450  5.2  105  6.4  1025  4  0.65  0  3.5", "450  5.2  105  6.4  1025  3  0.65  0  3.5",
      "450  5.2  105  6.4  1025  4  0.65  0  3.5"}},
    {9,
     "pitch for a required delivered power",
     design_for_power,
     true,
     9,
     {kPower, kD, kN, kVa, kRHO, kZ, kEAR, kIVISC, kHs},
     {"4600  5.2  105  6.4  1025  4  0.75  1  3.5", "4600  5.2  105  6.4  1025  3  0.75  0  3.5",
      "4600  5.2  105  6.4  1025  4  0.75  0  3.5"}},
    {10,
     "pitch for a required torque",
     design_for_torque,
     true,
     9,
     {kTorque, kD, kN, kVa, kRHO, kZ, kEAR, kIVISC, kHs},
     {"430  5.0  110  6.6  1025  4  0.75  0  3.2", "430  5.0  110  6.6  1025  3  0.75  0  3.2",
      "430  5.0  110  6.6  1025  4  0.75  0  3.2"}},
}};

}  // namespace

const std::array<CaseEntry, 10>& case_table() {
  return kCases;
}

const CaseEntry* find_case(int number) {
  for (const CaseEntry& entry : kCases) {
    if (entry.number == number) return &entry;
  }
  return nullptr;
}

}  // namespace tidewerk
