// Case 4, bollard pull.  The reference propeller: 1000 kW at 120 RPM in water of 1025 kg/m3,
// Wageningen B, Z = 4, EAR = 0.70.  The expected rows were computed independently from the
// published polynomials in single precision.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "cases/cases.h"
#include "cases/propeller.h"
#include "report/record_notation.h"
#include "report/run_end.h"
#include "support/test_support.h"

namespace tidewerk {
namespace {

// The problem of case 4; the pitch and blade-area limits are those of the series.
Problem bollard(Series series, float D1, float D2, float D3, float Z = 4.0f, float EAR = 0.70f) {
  Problem p;
  p.series = series;
  p.case_number = 4;
  p.PQin = 1000.0f, p.PQ = 1000000.0f, p.N = 120.0f, p.RHO = 1025.0f;
  p.Z = Z, p.EAR = EAR, p.D1 = D1, p.D2 = D2, p.D3 = D3;
  return p;
}

// Kq of the series at the bollard point (J = 0.001).
float bollard_kq(const Problem& p, float pd) {
  return Propeller::of(p).at(0.0f, pd).Kq;
}

constexpr const char* kHead =
    "\n\n     Pervane Karakteristikleri\n"
    " ---|-------|--------|-------|--------|---------|\n"
    "  i     D(m)   10Kq      P/D      Kt       T(N)   \n"
    " ---|-------|--------|-------|--------|---------|\n";

TEST(BollardPull, GawnRefusedOnReportBeforeScreenAndNothingElse) {
  Problem p = bollard(Series::Gawn, 2.8f, 3.0f, 3.2f);
  p.EAR = 0.0f;  // would fail the data-entry check: the refusal comes first
  std::ostringstream shared;
  std::istringstream keys;
  Console io(shared, shared, keys);
  bollard_pull(p, io, testing::quiet_warnings());
  const char* refusal = "GAWN SERISI PERVANELER ICIN BOLLARD DURUMU HESABI MUMKUN DEGIL - STOP\n";
  // The report keeps column 1, the screen does not.
  EXPECT_EQ(shared.str(), std::string("\n\n ") + refusal + "\n\n" + refusal);
}

// The thrust of the 3 m row, printed to the newton, pins Kq_req = PQ / (D^5 n^3 RHO 2 pi) =
// 0.079873 to about 1e-6 (dT/dKq_req is about 13 N per 1e-6).
TEST(BollardPull, ReferenceRowsAndRequiredKqOfThe3mPropeller) {
  const Problem p = bollard(Series::WageningenB, 2.8f, 3.0f, 3.2f);
  testing::TestConsole t("2\n");
  bollard_pull(p, t.io, testing::quiet_warnings());
  EXPECT_EQ(t.report.str().substr(0, t.report.str().find(" ---|", 200)),
            std::string(kHead) +
                "  1   2.800   1.1277   1.305    .5882   148228.\n"
                "  2   3.000    .7985   1.089    .4964   164870.\n"
                "  3   3.200    .5780    .925    .4175   179497.\n");
  EXPECT_NE(t.screen.str().find("\n    Bollard Durumu Pervane Karakteristikleri\n"),
            std::string::npos);
  EXPECT_EQ(t.report.str().find("Bollard Durumu"), std::string::npos);

  // The same diameter without a crossing prints Kq_req itself: twice the power asks for twice
  // the 0.079873, above the Kq of the sweep's highest P/D (about 0.128).
  Problem doubled = bollard(Series::WageningenB, 3.0f, 3.0f, 3.0f, 4.0f, 0.70f);
  doubled.PQin = 2000.0f, doubled.PQ = 2000000.0f;
  testing::TestConsole u;
  bollard_pull(doubled, u.io, testing::quiet_warnings());
  EXPECT_NE(u.report.str().find(" Kq= .1597 ICIN P/D HESABI MEVCUT PERVANE ICIN MUMKUN  DEGIL\n"),
            std::string::npos)
      << u.report.str();
}

TEST(BollardPull, IndexOutsideOneToThreeIsAskedAgain) {
  const Problem p = bollard(Series::WageningenB, 2.8f, 3.0f, 3.2f);
  testing::TestConsole t("0\n4\n3\n");
  bollard_pull(p, t.io, testing::quiet_warnings());
  EXPECT_NE(t.screen.str().find(
                "---|\n\n\nISTEDIGINIZ PERVANE INDISINI 1,2 veya 3 OLARAK GIRINIZ\n"
                "ARA YARICAPLAR ICIN AYRICA INTERPOLASYON YAPILABILIR\n"
                "ISTEDIGINIZ PERVANE INDISINI 1,2 veya 3 OLARAK GIRINIZ\n"
                "ISTEDIGINIZ PERVANE INDISINI 1,2 veya 3 OLARAK GIRINIZ\n"
                "\nHESAPLARDA WAGENINGEN B SERISI KULLANILMISTIR\n\nSECILEN PERVANE =  3."),
            std::string::npos)
      << t.screen.str();
  EXPECT_EQ(t.report.str().find("ISTEDIGINIZ"), std::string::npos);  // prompts stay on the screen
}

TEST(BollardPull, EndOfInputOrTextAtTheChoiceIsAnInputError) {
  for (const char* keys : {"", "5\n", "iki\n"}) {
    const Problem p = bollard(Series::WageningenB, 2.8f, 3.0f, 3.2f);
    testing::TestConsole t(keys);
    EXPECT_THROW(bollard_pull(p, t.io, testing::quiet_warnings()), InputError) << keys;
    EXPECT_EQ(t.report.str().find("SECILEN"), std::string::npos);
  }
}

// Kq_req equal to the swept Kq at the lowest P/D is outside (the lower end is exclusive); at
// any higher swept P/D, the highest included, it is matched exactly there.
TEST(BollardPull, CrossingExcludesTheLowestSweptKqOnly) {
  const struct {
    float pd;
    const char* row;  // empty: no crossing
  } ties[] = {{0.5f, ""}, {0.55f, "  1   1.000"}, {1.3999997f, "  1   1.000"}};
  for (const auto& tie : ties) {
    // D = 1 m, n = 1 rev/s, RHO = 1: Kq_req = PQ / (2 pi).  Find the power whose Kq_req is
    // exactly the swept Kq.
    Problem p = bollard(Series::WageningenB, 1.0f, 1.0f, 1.0f);
    p.N = 60.0f, p.RHO = 1.0f;
    const float Kq = bollard_kq(p, tie.pd);
    const double two_pi = 2.0 * double{static_cast<float>(4.0 * std::atan(1.0))};
    float PQ = static_cast<float>(double{Kq} * two_pi);
    for (int k = 0; k < 8 && static_cast<float>(double{PQ} / two_pi) != Kq; ++k) {
      PQ = std::nextafter(PQ, static_cast<float>(double{PQ} / two_pi) < Kq ? 1e9f : 0.0f);
    }
    ASSERT_EQ(static_cast<float>(double{PQ} / two_pi), Kq);
    p.PQ = PQ;

    testing::TestConsole t("1\n");
    bollard_pull(p, t.io, testing::quiet_warnings());
    const std::string& report = t.report.str();
    if (*tie.row == '\0') {
      EXPECT_NE(report.find(" Yaricap D=   1.000 m\n"), std::string::npos) << report;
      EXPECT_EQ(report.find("  1   1.000"), std::string::npos);
    } else {
      const std::string row = std::string(tie.row) + "  " +
                              render_fixed(static_cast<float>(10.0 * double{Kq}), 7, 4) + "   " +
                              render_fixed(tie.pd, 5, 3);
      EXPECT_NE(report.find(row), std::string::npos) << row << "\n" << report;
    }
  }
}

// Reads Pmin and Pmax from " xxxx.x < DHP=  1000.0 kW<   xxx.x".
void power_range(const std::string& report, double& Pmin, double& Pmax) {
  const std::size_t at = report.find(" < DHP=");
  ASSERT_NE(at, std::string::npos) << report;
  const std::size_t start = report.rfind('\n', at) + 1;
  ASSERT_EQ(std::sscanf(report.c_str() + start, "%lf < DHP= %*f kW< %lf", &Pmin, &Pmax), 2);
}

// The power range is what the diameter absorbs at the first and the last swept P/D: 0.5 to
// 1.4 (19 values) for the Wageningen B series, 0.6 to 2.0 (29 values) for KCA.
TEST(BollardPull, PowerRangeSpansTheSweepOfEachSeries) {
  const struct {
    Series series;
    float first_pd, last_pd;
  } sweeps[] = {{Series::WageningenB, 0.5f, 1.4f}, {Series::Kca, 0.6f, 2.0f}};
  for (const auto& sweep : sweeps) {
    const Problem p = bollard(sweep.series, 5.0f, 3.0f, 3.0f);  // 5 m: Kq_req far below the sweep
    const double per_kq_kw = std::pow(5.0, 5.0) * 8.0 * 1025.0 *
                             double{static_cast<float>(4.0 * std::atan(1.0))} * 2.0 / 1000.0;
    testing::TestConsole t;
    bollard_pull(p, t.io, testing::quiet_warnings());
    double Pmin = 0, Pmax = 0;
    power_range(t.report.str(), Pmin, Pmax);
    // F8.1 shows 0.1 kW; the last swept P/D differs from the round value in its last bits.
    const double at_first = per_kq_kw * double{bollard_kq(p, sweep.first_pd)};
    const double at_last = per_kq_kw * double{bollard_kq(p, sweep.last_pd)};
    EXPECT_NEAR(Pmin, at_first, 0.051 + 1e-5 * at_first) << series_facts(sweep.series).name;
    EXPECT_NEAR(Pmax, at_last, 0.051 + 1e-5 * at_last) << series_facts(sweep.series).name;
  }
  // Only the 29-value KCA sweep reaches a pitch ratio above 1.4.
  const Problem kca = bollard(Series::Kca, 2.4f, 3.0f, 3.6f, 6.0f, 0.65f);
  testing::TestConsole t("1\n");
  bollard_pull(kca, t.io, testing::quiet_warnings());
  EXPECT_NE(t.report.str().find("  1   2.400   2.4371   1.606   1.0370   141064.\n"),
            std::string::npos);
  EXPECT_NE(t.report.str().find(" Z= 5 EAR= .650\n"), std::string::npos);  // Z = 6 clamped to 5
}

TEST(BollardPull, FirstDiameterWithoutCrossingEndsTheCaseAtOnce) {
  const std::string messages_for_2m =
      " Yaricap D=   2.000 m\n"
      " Kq= .6065 ICIN P/D HESABI MEVCUT PERVANE ICIN MUMKUN  DEGIL\n"
      "     29.5 < DHP=  1000.0 kW<   211.4\n"
      " araliginda olmalidir. Datayi buna gore duzenleyin\n";
  {
    const Problem p = bollard(Series::WageningenB, 2.0f, 3.0f, 3.2f);
    testing::TestConsole t("1\n");  // never read
    bollard_pull(p, t.io, testing::quiet_warnings());
    EXPECT_EQ(t.report.str(), kHead + messages_for_2m);
    EXPECT_EQ(t.screen.str(),
              "\n\n    Bollard Durumu Pervane Karakteristikleri\n"
              "---|-------|--------|-------|--------|---------|\n"
              " i     D(m)   10Kq      P/D      Kt       T(N)   \n"
              "---|-------|--------|-------|--------|---------|\n"
              "Yaricap D=   2.000 m\n"
              "Kq= .6065 ICIN P/D HESABI MEVCUT PERVANE ICIN MUMKUN  DEGIL\n"
              "D=   2.000 m. CAP ve N=   120.0 RPM devir icin makine gucleri\n"
              "    29.5 < DHP=  1000.0 kW<   211.4\n"
              "araliginda olmalidir. Datayi buna gore duzenleyin\n");
  }
  {
    // The first row stands, the second diameter's messages follow, nothing else.
    const Problem p = bollard(Series::WageningenB, 3.0f, 2.0f, 3.2f);
    testing::TestConsole t;
    bollard_pull(p, t.io, testing::quiet_warnings());
    EXPECT_EQ(
        t.report.str(),
        kHead + std::string("  1   3.000    .7985   1.089    .4964   164870.\n") + messages_for_2m);
  }
}

}  // namespace
}  // namespace tidewerk
