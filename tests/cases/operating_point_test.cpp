// Case 6, operating point of a given propeller.  Wageningen B, P/D = 1.0, Z = 4, EAR = 0.70,
// RHO = 1025, N = 120 RPM (n = 2 rev/s); the expected lines were computed independently from
// the published polynomials in single precision.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cases/cases.h"
#include "report/outcome.h"
#include "support/test_support.h"

namespace tidewerk {
namespace {

Problem propeller(float PD, float D, float Va, Series series = Series::WageningenB,
                  float Z = 4.0f) {
  Problem p;
  p.series = series;
  p.case_number = 6;
  p.PD = PD, p.Z = Z, p.EAR = 0.70f, p.RHO = 1025.0f, p.D = D, p.N = 120.0f, p.Va = Va;
  return p;
}

// Case 6 on `p`: its report and its outcome.
struct Case6 {
  std::string report;
  CaseOutcome outcome;
};
Case6 run_case6(const Problem& p) {
  testing::TestConsole t;
  CaseOutcome outcome = operating_point(p, t.io, testing::quiet_warnings());
  return {t.report.str(), std::move(outcome)};
}

std::string run(const Problem& p) {
  return run_case6(p).report;
}

// The results row collected for --csv: J, Kt, 10Kq, eta0, T (kN), Pd (kW).
std::vector<float> operating_point_row(const Outcome& outcome) {
  for (const ResultTable& table : outcome.tables()) {
    if (table.title == "Operating point" && table.rows.size() == 1) return table.rows[0];
  }
  ADD_FAILURE() << "no operating-point table";
  return std::vector<float>(6, 0.0f);
}

bool has(const std::string& report, const std::string& lines) {
  return report.find(lines) != std::string::npos;
}

// Jop = 5 / (2 * 4.032) = 0.62 lies between the grid values 0.6000001 and 0.6500001.
TEST(OperatingPoint, Jop062IsRow13MarkedAndGivesTheResults) {
  const Problem p = propeller(1.0f, 4.032f, 5.0f);
  const auto [report, outcome] = run_case6(p);
  EXPECT_TRUE(has(report,
                  "\n\n             Pervane Karakteristikleri\n"
                  " ---|-------|--------|---------|--------|------------|------------|\n"
                  "  i     J       Kt      10Kq      eta0         Bp         delta\n"
                  " ---|-------|--------|---------|--------|------------|------------|\n"
                  "  1    .050    .4406    .6573    .0534    15165.1455    2025.3160\n"))
      << report;
  EXPECT_TRUE(has(report,
                  " 12    .600    .2256    .3727    .5779       22.8929     168.7763\n"
                  " 13 *  .620    .2162    .3599    .5928       20.7232     163.3215   *\n"
                  " 14    .650    .2021    .3406    .6139       17.9155     155.7935\n"))
      << report;
  EXPECT_TRUE(has(report, " J=   .620 Kt=   .216 10Kq=   .360 Eta0=   .593\n")) << report;
  const std::vector<float> result = operating_point_row(outcome);
  EXPECT_FLOAT_EQ(result[0], 0.62003968f);  // J
  EXPECT_NEAR(result[4], 234.280, 0.005);   // T, kN
}

// Within 0.001 of a grid value: the first of the two near-equal rows carries the mark.
TEST(OperatingPoint, JopNextToAGridValueMarksTheFirstOfTheTwo) {
  {
    const Problem p = propeller(1.0f, 4.0f, 4.8f);  // Jop = 0.6f, just below the grid's 0.6000001
    const std::string report = run(p);
    EXPECT_TRUE(has(report,
                    " 12 *  .600    .2256    .3727    .5779       22.8929     168.7763   *\n"
                    " 13    .600    .2256    .3727    .5779       22.8929     168.7763\n"))
        << report;
    EXPECT_TRUE(has(report, " J=   .600 Kt=   .226 10Kq=   .373 Eta0=   .578\n")) << report;
  }
  {
    const Problem p = propeller(1.0f, 4.0f, 4.804f);  // Jop = 0.6005: the grid row comes first
    const std::string report = run(p);
    EXPECT_TRUE(has(report,
                    " 12 *  .600    .2256    .3727    .5779       22.8929     168.7763   *\n"
                    " 13    .600    .2253    .3724    .5783       22.8356     168.6358\n"))
        << report;
  }
}

TEST(OperatingPoint, JopBelowTheGridIsRowOneAndInRange) {
  const Problem p = propeller(1.0f, 4.0f, 0.16f);  // Jop = 0.02
  const std::string report = run(p);
  EXPECT_TRUE(has(report,
                  "  1 *  .020    .4492    .6683    .0214    **********    5063.2900   *\n"
                  "  2    .050    .4406    .6573    .0534    15165.1455    2025.3160\n"))
      << report;
  EXPECT_TRUE(has(report, " Pd=   3525.96 kW\n J=   .020 Kt=   .449 10Kq=   .668 Eta0=   .021\n"))
      << report;
}

// Va = 0: Jop = 0 is row 1, shown as J = 0 with the coefficients of J = 0.001, whose Bp and
// delta do not fit their fields.
TEST(OperatingPoint, ZeroAdvanceSpeedShowsTheCoefficientsOfJ0001) {
  const Problem p = propeller(1.0f, 4.032f, 0.0f);
  const auto [report, outcome] = run_case6(p);
  const OpenWater bollard = evaluate(p.series, {0.001f, 1.0f, 0.70f, p.Z});
  EXPECT_NEAR(bollard.Kt, 0.454469, 1e-6);  // at J = 0 itself Kt would print .4547
  EXPECT_TRUE(
      has(report, "  1 *  .000    .4545    .6750    .0011    **********   **********   *\n"))
      << report;
  EXPECT_TRUE(has(report, " J=   .000 Kt=   .454 10Kq=   .675 Eta0=   .000\n")) << report;
  // The parabola through rows 1..3 returns row 1.
  EXPECT_NEAR(operating_point_row(outcome)[1], bollard.Kt, 2e-6);
}

const std::string kOutOfRange =
    "\n\n   ILERLEME HIZI VA=   8.480 m/s ILERLEME KATSAYILARI SINIRLARI\n"
    "     DISINA DUSUYOR  - PROGRAM DURDURULDU \n"
    "    VA =    8.480 m/s ICIN J =    1.060 OLUYOR\n";

// The interpolation table is all kept rows but the last: an operating J in the last kept row
// is printed and marked, and still out of range.
TEST(OperatingPoint, OperatingJInTheLastKeptRowIsOutOfRange) {
  const Problem p = propeller(1.0f, 4.0f, 8.48f);  // Jop = 1.06, Kt = 0.0009; at 1.1 Kt < 0
  const std::string report = run(p);
  EXPECT_TRUE(has(report,
                  " 21   1.050    .0058    .0601    .1625        2.2694      96.4436\n"
                  " 22 * 1.060    .0009    .0527    .0285        2.0753      95.5338   *\n"
                  " ---|-------|--------|---------|--------|------------|------------|\n" +
                      kOutOfRange))
      << report;
  EXPECT_TRUE(report.size() >= kOutOfRange.size() &&
              report.compare(report.size() - kOutOfRange.size(), kOutOfRange.size(), kOutOfRange) ==
                  0)
      << "nothing may follow the messages:\n"
      << report;
}

// Four kept rows leave three for the parabola; with fewer the case gives the out-of-range
// messages instead of interpolating in a table of one or two points.
TEST(OperatingPoint, FewerThanFourKeptRowsGiveTheOutOfRangeMessages) {
  {
    const Problem p =
        propeller(0.15f, 4.0f, 0.56f);  // Jop 0.07; Kt < 0 from J = 0.2: rows 0.05 .. 0.15
    const std::string report = run(p);
    EXPECT_TRUE(has(report, "  4    .150")) << report;
    EXPECT_FALSE(has(report, "  5 ")) << report;
    EXPECT_TRUE(has(report, " HESAPLARDA WAGENINGEN B SERISI KULLANILMISTIR\n")) << report;
    EXPECT_TRUE(has(report, " Pd=    384.73 kW\n J=   .070 Kt=   .030 10Kq=   .073 Eta0=   .045\n"))
        << report;
  }
  {
    // P/D 0.1: Kt < 0 from J = 0.15, so rows 0.05, 0.07 (Jop), 0.1.  Jop lies inside the two
    // rows left for interpolation, which are too few for the parabola.
    const Problem p = propeller(0.1f, 4.0f, 0.56f);
    const std::string report = run(p);
    EXPECT_TRUE(has(report, "  2 *  .070")) << report;
    EXPECT_TRUE(has(report,
                    "  3    .100    .0060    .0780    .0123      923.4020    1012.6580\n"
                    " ---|-------|--------|---------|--------|------------|------------|\n"
                    "\n\n   ILERLEME HIZI VA=    .560 m/s ILERLEME KATSAYILARI SINIRLARI\n"
                    "     DISINA DUSUYOR  - PROGRAM DURDURULDU \n"
                    "    VA =     .560 m/s ICIN J =     .070 OLUYOR\n"))
        << report;
    EXPECT_FALSE(has(report, "HESAPLARDA")) << report;
  }
  {
    const Problem p = propeller(0.15f, 4.0f, 4.96f);  // Jop 0.62 not kept: three rows
    const std::string report = run(p);
    EXPECT_TRUE(has(report,
                    "  3    .150    .0074    .0700    .0253      317.5129     675.1053\n"
                    " ---|-------|--------|---------|--------|------------|------------|\n"
                    "\n\n   ILERLEME HIZI VA=   4.960 m/s ILERLEME KATSAYILARI SINIRLARI\n"
                    "     DISINA DUSUYOR  - PROGRAM DURDURULDU \n"
                    "    VA =    4.960 m/s ICIN J =     .620 OLUYOR\n"))
        << report;
    EXPECT_FALSE(has(report, "HESAPLARDA")) << report;
  }
}

// The Gawn evaluator forces Z = 3, and the results block shows the rewritten Z.
TEST(OperatingPoint, GawnResultsShowZ3) {
  const Problem p = propeller(1.0f, 4.032f, 5.0f, Series::Gawn, 4.0f);
  const std::string report = run(p);
  EXPECT_TRUE(has(report, "\n HESAPLARDA GAWN SERISI KULLANILMISTIR\n")) << report;
  EXPECT_TRUE(has(report, "\n Z = 3. EAR =  .700 D =  4.032 m P/D =1.0000\n")) << report;
}

}  // namespace
}  // namespace tidewerk
