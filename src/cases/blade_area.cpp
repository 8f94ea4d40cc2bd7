// Blade-area and tip-speed checks of the designed propeller, and the blade-area sweep.
#include "cases/blade_area.h"

#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "cases/case_warnings.h"
#include "cases/numeric_messages.h"
#include "numeric/interpolation.h"
#include "numeric/precision.h"

namespace tidewerk {
namespace {

constexpr float kGravity = 9.81f;
// Burrill's cavitation number at 0.7 R: (p_atm - p_v + RHO g Hs) / (RHO V^2 / 2), with the
// atmospheric less the vapour pressure taken as 100000 Pa.
constexpr float kBurrillPressure = 100000.0f;  // Pa
// Keller's minimum blade area (auf'm Keller, Schip en Werf 1966):
//   Ae/Ao = (1.3 + 0.3 Z) T / ((p0 - pv) D^2) + k,  p0 - pv = 98300 Pa + RHO g Hs.
constexpr float kKellerPressure = 98300.0f;  // Pa
constexpr float kKellerConstant = 1.3f;
constexpr float kKellerPerBlade = 0.3f;
constexpr float kKnot = 0.5144f;  // m/s
constexpr float kPi = 3.1415927f;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// Burrill's back-cavitation diagram (Burrill and Emerson, Trans. NECIES 1963), read off its
// 2.5 % and 5 % back-cavitation lines: Sigma at 0.7 R (ascending) against the thrust loading
// Tauc of the projected blade area.
constexpr std::array<float, 8> kBurrillSigma2_5{0.18f, 0.29f, 0.4f, 0.5f, 0.6f, 0.8f, 1.0f, 1.5f};
constexpr std::array<float, 8> kBurrillTauc2_5{0.02f, 0.11f, 0.14f, 0.165f,
                                               0.18f, 0.21f, 0.25f, 0.29f};
constexpr std::array<float, 7> kBurrillSigma5{0.15f, 0.21f, 0.3f, 0.4f, 0.6f, 1.0f, 1.5f};
constexpr std::array<float, 7> kBurrillTauc5{0.03f, 0.1f, 0.135f, 0.17f, 0.22f, 0.3f, 0.33f};
// The same diagram's suggested upper limit for merchant ship propellers, as a cubic in Sigma:
// Tauc = 0.0331 + 0.382 Sigma - 0.1968 Sigma^2 + 0.056 Sigma^3.
constexpr std::array<float, 4> kBurrillUpperLimit{0.0331f, 0.382f, 0.1968f, 0.056f};

// The blade-area ratios of the sweep, as constants (not a running sum).
constexpr std::array<float, 15> kSweepEAR{0.40f, 0.45f, 0.50f, 0.55f, 0.60f, 0.65f, 0.70f, 0.75f,
                                          0.80f, 0.85f, 0.90f, 0.95f, 1.00f, 1.05f, 1.10f};

constexpr const char* kSweepRule = "    ---|-------|-------|-------|";

// The chart line at Sigma; NaN when Sigma lies outside it (the interpolation then reports it).
template <std::size_t N>
float read_chart_line(const std::array<float, N>& sigma, const std::array<float, N>& tauc,
                      float Sigma, NumericMessages& messages) {
  float tau = kNaN;
  interpolate_table(static_cast<int>(N), sigma.data(), tauc.data(), Sigma, tau,
                    kParabolicInterpolation, messages);
  return tau;
}

struct SweepRow {
  float EAR;
  float PD;
  float eta0;
};

}  // namespace

BladeAreaCheck compute_blade_area_check(const DesignedPropeller& prop, BurrillRules rules,
                                        NumericMessages& messages) {
  BladeAreaCheck c;
  const double Vk = single(double{prop.Va} / double{kKnot});
  const double g = kGravity;

  c.burrill = !(rules.skip_for_gawn && prop.series == Series::Gawn);
  if (c.burrill) {
    const double section =
        double{kPi} * double{prop.N} / double{60.0f} * double{prop.D} * double{0.7f};
    c.V2 = single(std::pow(section, 2.0) + std::pow(Vk * double{kKnot}, 2.0));
    c.Sigma = single((double{prop.RHO} * double{prop.Hs} * g + double{kBurrillPressure}) /
                     (double{0.5f} * double{prop.RHO} * double{c.V2}));
    c.A0 = single(double{kPi} * std::pow(double{prop.D}, 2.0) / double{4.0f});
    const double projected_fraction = double{1.067f} - double{0.229f} * double{prop.PD};
    const float Ap = single(double{c.A0} * projected_fraction * double{prop.EAR});
    const double thrust = double{prop.T} * double{1000.0f};
    c.Tauc = single(thrust / (double{Ap} * double{prop.RHO} * double{c.V2} * double{0.5f}));

    // The expanded-area ratio whose projected area carries the thrust at the loading tau.
    const auto minimum_ear = [&](float tau) {
      if (std::isnan(tau)) return kNaN;
      return single((thrust / (double{prop.RHO} * double{tau} * double{c.V2} * double{0.5f})) /
                    (double{c.A0} * projected_fraction));
    };

    if (rules.zero_below_first_sigma && c.Sigma < kBurrillSigma2_5.front()) {
      c.tau25 = 0.0f;
      c.EAR25 = 0.0f;
    } else {
      c.tau25 = read_chart_line(kBurrillSigma2_5, kBurrillTauc2_5, c.Sigma, messages);
      c.EAR25 = minimum_ear(c.tau25);
    }
    c.tau5 = read_chart_line(kBurrillSigma5, kBurrillTauc5, c.Sigma, messages);
    c.EAR5 = minimum_ear(c.tau5);
    const double s = c.Sigma;
    c.tauU = single(double{kBurrillUpperLimit[0]} + double{kBurrillUpperLimit[1]} * s -
                    double{kBurrillUpperLimit[2]} * std::pow(s, 2.0) +
                    double{kBurrillUpperLimit[3]} * std::pow(s, 3.0));
    c.EARU = minimum_ear(c.tauU);
  }

  c.EARk = single(((double{kKellerConstant} + double{kKellerPerBlade} * double{prop.Z}) *
                   double{prop.T} * double{1000.0f}) /
                  ((double{prop.RHO} * double{prop.Hs} * g + double{kKellerPressure}) *
                   double{prop.D} * double{prop.D}));
  c.Vtip = single(double{kPi} * double{prop.N} / double{60.0f} * double{prop.D});
  return c;
}

std::vector<ResultValue> check_blade_area(const DesignedPropeller& prop, Console& io,
                                          BurrillRules rules, Warnings& warnings,
                                          const std::string& where) {
  ChannelNumericMessages messages(io);
  const BladeAreaCheck c = compute_blade_area_check(prop, rules, messages);
  const auto warn_above = [&](const char* criterion, float minimum) {
    if (std::isgreater(minimum, prop.EAR)) {  // quietly false for a chart line Sigma misses (NaN)
      warnings.add(where, std::string("the ") + criterion + " minimum blade-area ratio " +
                              fixed(minimum, 3) +
                              " is above the propeller's EAR = " + fixed(prop.EAR, 3));
    }
  };
  if (c.burrill) {
    warn_above("Burrill 2.5 % back-cavitation", c.EAR25);
    warn_above("Burrill 5 % back-cavitation", c.EAR5);
  }
  warn_above("Keller", c.EARk);
  if (c.Vtip > kTipSpeedLimit) {
    warnings.add(where, "the tip speed Vtip = " + fixed(c.Vtip, 2) + " m/s is above the " +
                            fixed(kTipSpeedLimit, 0) +
                            " m/s the report gives as the limit for tip vortices");
  }
  const auto plus = [](float x, float k) { return single(double{x} + double{k}); };

  io.block([&](OutputChannel& out) {
    out.blank();
    out.write("(1X,72('-'))");
    out.blank();
    if (c.burrill) {
      out.write(
          "(1X,                                                    'BURRIL KAVITASYON KRITERINE "
          "GORE ACINIM ALANI KONTROLU')");
      out.write("(1X,'Mevcut EAR = ',F6.3,' =>  ','Sigma = ',         F5.3,' Tauc = ',F5.3)",
                {prop.EAR, c.Sigma, c.Tauc});
      out.write("(1X,'%2.5 Sirt Kavitasyon Hattina Gore Min. EAR = ',  F5.3)", {c.EAR25});
      out.write("(1X,'%5.0 Sirt Kavitasyon Hattina Gore Min. EAR = ',  F5.3)", {c.EAR5});
      out.write("(1X,'Tavsiye edilen ust sinir icin Minimum  EAR = ',  F5.3)", {c.EARU});
      out.blank();
      out.write("(1X,72('-'))");
      out.blank();
    }
    out.write(
        "(1X,                                                    'KELLER KRITERINE GORE ACINIM "
        "ALANI KONTROLU')");
    out.write("(1X,'Min. EAR = ',F5.3,' + k ')", {c.EARk});
    out.write("(1X,'     EAR = ',F5.3,' -> Tek pervaneli gemiler    ')", {plus(c.EARk, 0.2f)});
    out.write("(1X,'     EAR = ',F5.3,' -> Hizli askeri gemiler (cift pervaneli.)')", {c.EARk});
    out.write("(1X,'     EAR = ',F5.3,' -> Yavas ticari gemiler (cift pervaneli.)')",
              {plus(c.EARk, 0.1f)});
    out.blank();
    out.write("(1X,72('-'))");
    out.blank();
    out.write(
        "(1X,                                                    'KANAT UCU HIZINA GORE KANAT UCU "
        "GIRDABI TEHLIKESI KONTROLU')");
    out.write("(1X,'Vtip = ',F6.3,' m/s',2X,'(Vtip - Kanat ucu hizi < 30 m/s olmali)')", {c.Vtip});
  });
  std::vector<ResultValue> values;
  if (c.burrill) {
    values.push_back({"Sigma", "", c.Sigma});
    values.push_back({"Tauc", "", c.Tauc});
    values.push_back({"EARmin_burrill_2_5", "", c.EAR25});
    values.push_back({"EARmin_burrill_5", "", c.EAR5});
    values.push_back({"EARmin_burrill_upper", "", c.EARU});
  }
  values.push_back({"EARmin_keller", "", c.EARk});
  values.push_back({"Vtip", "m/s", c.Vtip});
  pause_between_blank_records(io);
  return values;
}

ResultTable sweep_blade_area(const Problem& p, const Propeller& propeller, Console& io,
                             const PitchQuantity& quantity, float required,
                             RootSearchState& state) {
  ChannelNumericMessages messages(io);
  std::vector<SweepRow> rows;
  const float J = design_advance_coefficient(p.Va, p.N, p.D);
  float pd = 0.0f;  // the root of the last solved table
  for (const float ear : kSweepEAR) {
    Propeller at_ratio = propeller;
    at_ratio.ear = ear;
    const PitchTable table = sweep_pitch(at_ratio, J, p.N, p.D, p.RHO, quantity);
    if (!table_brackets(table, required)) continue;  // left out without a message
    pd = solve_pitch(table, required, pd, messages, state);
    rows.push_back({ear, pd, at_ratio.at(table.J, pd).eta0});
  }

  io.block([&rows](OutputChannel& out) {
    out.write("(2/)");
    out.text("Acinim alani orani Ae degisimine bagli pervane verimleri");
    out.text(kSweepRule);
    out.text("     i     Ae     P/D    Eta0  |");
    out.text(kSweepRule);
    int i = 0;
    for (const SweepRow& row : rows) {
      out.write("(6X,I2,1X,3(F6.3,2X))", {++i, row.EAR, row.PD, row.eta0});
    }
    out.text(kSweepRule);
    out.text("Pervane acinim alan orani yukaridaki verilere gore yeniden belirlenebilir.");
  });
  ResultTable t{"blade-area", "Blade-area sweep", {"EAR", "PD", "eta0"}, {}, false, {}};
  for (const SweepRow& row : rows) t.rows.push_back({row.EAR, row.PD, row.eta0});
  pause_between_blank_records(io);
  return t;
}

void pause_between_blank_records(Console& io) {
  io.console.text(" ");
  io.pause(kContinuePause);
  io.console.text(" ");
}

}  // namespace tidewerk
