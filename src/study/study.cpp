// The propulsion study: resistance, design-point search, speed-power table, engine match.
#include "study/study.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <set>
#include <sstream>

#include "cases/blade_area.h"
#include "numeric/monotone_cubic.h"
#include "numeric/numeric_messages.h"
#include "numeric/parallel.h"
#include "numeric/precision.h"
#include "report/warnings.h"

namespace tidewerk {
namespace {

constexpr double kPi = std::numbers::pi;

// Keller's k added to the minimum blade-area ratio: single-screw ships, slow twin-screw ships.
constexpr double kKellerSingleScrew = 0.2;
constexpr double kKellerTwinScrew = 0.1;
// The blade-area iteration stops when the ratio changes by less than this.
constexpr double kEarTolerance = 0.005;
constexpr int kEarIterations = 40;
// The design search: a scan of the free variable (D or N), then a golden-section search around
// the best scanned point to this fraction of the variable.
constexpr int kScanPoints = 17;
constexpr double kSearchTolerance = 0.001;
// With N given, D is searched from this fraction of D_max up to D_max.
constexpr double kLowestDiameterFraction = 0.25;
// The advance coefficients scanned for an operating point.
constexpr float kScanJStep = 0.02f;
constexpr int kScanJPoints = 100;

std::string text(double value, int decimals) {
  return fixed(value, decimals);
}

// The resistance of the hull by Holtrop-Mennen, for the method and for Holtrop's w, t, etaR.
std::optional<Resistance> hull_resistance(const StudyInput& in, double V) {
  if (!in.hull_given) return std::nullopt;
  const ResistanceMethod method = in.resistance == ResistanceSource::HoltropMennen1982
                                      ? ResistanceMethod::HoltropMennen1982
                                      : ResistanceMethod::Holtrop1984;
  return resistance(in.hull, V, method, in.water);
}

// The state of the ship at one speed: resistance and what Holtrop's factors read.
struct ShipAtSpeed {
  double V;
  double RT;  // trial, N
  std::optional<Resistance> hull;
};

ShipAtSpeed ship_at(const StudyInput& in, double V) {
  ShipAtSpeed s{V, 0.0, hull_resistance(in, V)};
  if (in.resistance == ResistanceSource::Table) {
    s.RT = monotone_cubic(in.table_V_mps, in.table_RT_N, V).value_or(NAN);
  } else {
    s.RT = s.hull->RT;
  }
  return s;
}

bool holtrop_factors(const StudyInput& in) {
  return !in.wake || !in.thrust_deduction || !in.relative_rotative;
}

// The hull with the wetted area and entrance angle its resistance run used (estimated where the
// study gives none), so that Holtrop's factors, asked for at every step of the design search,
// take them as given instead of estimating them again: the same numbers, without the estimates'
// powers and exponentials.  A value that would not pass as given is left to be estimated.
Hull hull_as_resolved(const Hull& hull, const Resistance& run) {
  Hull resolved = hull;
  if (!resolved.S && std::isfinite(run.S) && run.S > 0) resolved.S = run.S;
  if (!resolved.iE && run.iE > 0 && run.iE < 90) resolved.iE = run.iE;
  return resolved;
}

PropulsionFactors factors_at(const StudyInput& in, const ShipAtSpeed& ship, double D, double EAR,
                             double PD) {
  PropulsionFactors f{NAN, NAN, NAN};
  if (holtrop_factors(in)) {
    f = propulsion_factors(hull_as_resolved(in.hull, *ship.hull), *ship.hull,
                           in.screws == 1 ? Screws::Single : Screws::Twin, D, EAR, PD);
  }
  if (in.wake) f.w = *in.wake;
  if (in.thrust_deduction) f.t = *in.thrust_deduction;
  if (in.relative_rotative) f.etaR = *in.relative_rotative;
  return f;
}

bool usable(const PropulsionFactors& f) {
  return f.w >= 0 && f.w < 1 && f.t >= 0 && f.t < 1 && f.etaR > 0;
}

// The ITTC78 conditions of a Wageningen B propeller when the study asks for the correction.
std::optional<Ittc78Conditions> full_scale(const StudyInput& in, Series series, double D, double Va,
                                           double N_rpm) {
  if (!in.ittc78 || !series_facts(series).ittc78) return std::nullopt;
  return Ittc78Conditions{single(D), single(Va), single(N_rpm)};
}

OpenWater evaluate_at(const StudyInput& in, Series series, float J, float PD, float EAR, int Z,
                      double D, double Va, double N_rpm) {
  return evaluate(series, {J, PD, EAR, static_cast<float>(Z)},
                  full_scale(in, series, D, Va, N_rpm));
}

// The search of one candidate at the design speed in the service condition.
class DesignSearch {
 public:
  DesignSearch(const StudyInput& in, const ShipAtSpeed& ship, Series series, int Z)
      : in_(in), ship_(ship), series_(series), Z_(Z), facts_(series_facts(series)) {
    R_ = ship.RT * (1 + in.sea_margin);
    PD_low_ = std::max<float>(single(in.PD_low), facts_.PDmin);
    PD_high_ = std::min<float>(single(in.PD_high), facts_.PDmax);
  }

  Candidate best() const {
    Candidate out = base();
    if (Z_ < facts_.Zmin || Z_ > facts_.Zmax) {
      out.reason = facts_.Zmin == facts_.Zmax
                       ? "the " + std::string(facts_.name) + " series has " +
                             std::to_string(facts_.Zmin) + " blades only"
                       : "Z = " + std::to_string(Z_) + " is outside the series' " +
                             std::to_string(facts_.Zmin) + " to " + std::to_string(facts_.Zmax) +
                             " blades";
      return out;
    }
    if (!(PD_low_ < PD_high_)) {
      out.reason = "the P/D range " + text(in_.PD_low, 2) + " to " + text(in_.PD_high, 2) +
                   " misses the series' " + text(facts_.PDmin, 2) + " to " + text(facts_.PDmax, 2);
      return out;
    }
    const bool diameter_free = in_.D_max.has_value();
    const double low = diameter_free ? kLowestDiameterFraction * *in_.D_max : in_.N_min_rpm;
    const double high = diameter_free ? *in_.D_max : in_.N_max_rpm;
    std::array<double, kScanPoints> x{};
    std::array<Candidate, kScanPoints> scanned{};
    int best_k = -1;
    for (int k = 0; k < kScanPoints; ++k) {
      x[k] = low + (high - low) * k / (kScanPoints - 1);
      scanned[k] = at(x[k]);
      if (scanned[k].feasible && (best_k < 0 || scanned[k].etaD > scanned[best_k].etaD)) {
        best_k = k;
      }
    }
    if (best_k < 0) {
      // Infeasible over the whole range: each limit met (a reason's words before its first
      // number), where the scan first met it.
      const auto limit = [](const std::string& reason) {
        return reason.substr(0, reason.find_first_of("0123456789"));
      };
      std::vector<const Candidate*> met;
      for (const Candidate& c : scanned) {
        if (std::none_of(met.begin(), met.end(),
                         [&](const Candidate* m) { return limit(m->reason) == limit(c.reason); })) {
          met.push_back(&c);
        }
      }
      Candidate infeasible = scanned[0];
      if (met.size() > 1) {
        infeasible.reason.clear();
        for (const Candidate* c : met) {
          infeasible.reason += (infeasible.reason.empty() ? "" : "; ") +
                               (diameter_free ? "at D = " + text(c->D, 3) + " m: "
                                              : "at N = " + text(c->N_rpm, 1) + " rpm: ") +
                               c->reason;
        }
      }
      return infeasible;
    }

    // Golden-section search between the neighbours of the best scanned point.
    double a = x[std::max(best_k - 1, 0)], b = x[std::min(best_k + 1, kScanPoints - 1)];
    const double ratio = (std::sqrt(5.0) - 1) / 2;
    double c = b - ratio * (b - a), d = a + ratio * (b - a);
    Candidate fc = at(c), fd = at(d);
    const auto value = [](const Candidate& k) {
      return k.feasible ? k.etaD : -std::numeric_limits<double>::infinity();
    };
    while (b - a > kSearchTolerance * b) {
      if (value(fc) >= value(fd)) {
        b = d;
        d = c;
        fd = fc;
        c = b - ratio * (b - a);
        fc = at(c);
      } else {
        a = c;
        c = d;
        fc = fd;
        d = a + ratio * (b - a);
        fd = at(d);
      }
    }
    Candidate found = value(fc) >= value(fd) ? fc : fd;
    return value(found) > value(scanned[best_k]) ? found : scanned[best_k];
  }

 private:
  Candidate base() const {
    Candidate c;
    c.series = series_;
    c.Z = Z_;
    return c;
  }

  // The design at the free variable x (D with N given, N with D given).
  Candidate at(double x) const {
    const double D = in_.D_max ? x : *in_.D;
    const double N_rpm = in_.D_max ? in_.engine_rpm / in_.gear_ratio : x;
    return design(D, N_rpm);
  }

  // One state of the thrust balance: the pitch, the factors, the thrust and the coefficients.
  struct Balance {
    float PD;
    PropulsionFactors f;
    double T, Va;
    float J;
    OpenWater ow;
    double residual;  // Kt - T / (rho n^2 D^4)
  };

  Balance balance(double D, double N_rpm, float EAR, float PD) const {
    Balance b{};
    b.PD = PD;
    b.f = factors_at(in_, ship_, D, EAR, PD);
    b.T = R_ / ((1 - b.f.t) * in_.screws);
    b.Va = ship_.V * (1 - b.f.w);
    const double n = N_rpm / 60;
    b.J = single(b.Va / (n * D));
    b.ow = evaluate_at(in_, series_, b.J, PD, EAR, Z_, D, b.Va, N_rpm);
    b.residual = b.ow.Kt - b.T / (in_.water.rho * n * n * std::pow(D, 4));
    return b;
  }

  // The pitch ratio that delivers the thrust at D, N and EAR: bisection down to neighbouring
  // single-precision pitch ratios.
  std::optional<Balance> solve_pitch(double D, double N_rpm, float EAR, std::string& reason) const {
    Balance lo = balance(D, N_rpm, EAR, PD_low_);
    Balance hi = balance(D, N_rpm, EAR, PD_high_);
    for (const Balance* b : {&lo, &hi}) {
      if (!usable(b->f)) {
        reason = "the wake or thrust-deduction fraction is out of range (w = " + text(b->f.w, 3) +
                 ", t = " + text(b->f.t, 3) + ")";
        return std::nullopt;
      }
    }
    if (lo.residual > 0) {
      reason = "needs P/D below " + text(PD_low_, 3);
      return std::nullopt;
    }
    if (hi.residual < 0) {
      reason = "needs P/D above " + text(PD_high_, 3);
      return std::nullopt;
    }
    for (int k = 0; k < 64; ++k) {
      const float mid = single((double{lo.PD} + double{hi.PD}) / 2);
      if (mid <= lo.PD || mid >= hi.PD) break;
      const Balance m = balance(D, N_rpm, EAR, mid);
      (m.residual < 0 ? lo : hi) = m;
    }
    return std::abs(lo.residual) <= std::abs(hi.residual) ? lo : hi;
  }

  // The criterion's minimum blade-area ratio of a propeller carrying T.
  double criterion_minimum(const Balance& b, double D, double N_rpm, float EAR) const {
    SilentNumericMessages silent;
    const DesignedPropeller prop{series_,      single(b.T / 1000),     single(D),  single(N_rpm),
                                 single(b.Va), single(in_.water.rho),  single(Z_), EAR,
                                 b.PD,         single(in_.shaft_depth)};
    const BladeAreaCheck c = compute_blade_area_check(prop, {}, silent);
    switch (in_.blade_area) {
      case BladeAreaRule::Keller:
        return double{c.EARk} + (in_.screws == 1 ? kKellerSingleScrew : kKellerTwinScrew);
      case BladeAreaRule::Burrill2_5:
        return c.EAR25;
      case BladeAreaRule::Burrill5:
        return c.EAR5;
      case BladeAreaRule::Fixed:
        break;
    }
    return in_.EAR_fixed;
  }

  Candidate design(double D, double N_rpm) const {
    Candidate out = base();
    out.D = D;
    out.N_rpm = N_rpm;
    double EAR = in_.blade_area == BladeAreaRule::Fixed ? in_.EAR_fixed : facts_.EARmin;
    if (in_.blade_area == BladeAreaRule::Fixed && !(EAR >= facts_.EARmin && EAR <= facts_.EARmax)) {
      out.reason = "EAR = " + text(EAR, 3) + " is outside the series' " + text(facts_.EARmin, 2) +
                   " to " + text(facts_.EARmax, 2);
      return out;
    }
    const double n = N_rpm / 60;
    const double tip = kPi * n * D;
    if (in_.tip_speed_max > 0 && tip > in_.tip_speed_max) {
      out.reason =
          "tip speed " + text(tip, 1) + " m/s above " + text(in_.tip_speed_max, 1) + " m/s";
      return out;
    }
    std::optional<Balance> b;
    double minimum = EAR;
    for (int k = 0; k < kEarIterations; ++k) {
      b = solve_pitch(D, N_rpm, single(EAR), out.reason);
      if (!b) return out;
      if (in_.blade_area == BladeAreaRule::Fixed) break;
      minimum = criterion_minimum(*b, D, N_rpm, single(EAR));
      if (std::isnan(minimum)) {
        out.reason = "the cavitation number lies outside the Burrill chart line";
        return out;
      }
      const double next = std::max<double>(minimum, facts_.EARmin);
      if (!(next <= facts_.EARmax)) {
        out.reason =
            "needs EAR = " + text(next, 3) + ", above the series' " + text(facts_.EARmax, 2);
        return out;
      }
      if (std::abs(next - EAR) < kEarTolerance) break;
      EAR = next;
    }
    out.feasible = true;
    out.EAR = single(EAR);
    out.EARmin = minimum;
    out.PD = b->PD;
    out.J = b->J;
    out.Kt = b->ow.Kt;
    out.Kq = b->ow.Kq;
    out.eta0 = b->ow.eta0;
    out.w = b->f.w;
    out.t = b->f.t;
    out.etaR = b->f.etaR;
    out.etaD = out.eta0 * (1 - out.t) / (1 - out.w) * out.etaR;
    out.Va = b->Va;
    out.T = b->T;
    const double Q = out.Kq * in_.water.rho * n * n * std::pow(D, 5);
    out.Pd = 2 * kPi * n * Q / out.etaR * in_.screws;
    out.Pb = out.Pd / in_.shaft_efficiency;
    return out;
  }

  const StudyInput& in_;
  const ShipAtSpeed& ship_;
  Series series_;
  int Z_;
  const SeriesFacts& facts_;
  double R_;  // service resistance, N
  float PD_low_, PD_high_;
};

// The operating point of a propeller at one speed: Kt(J) / J^2 = T / (rho Va^2 D^2).
PowerRow operating_point_at(const StudyInput& in, const Candidate& p, const ShipAtSpeed& ship,
                            Condition condition) {
  PowerRow row;
  row.V = ship.V;
  row.condition = condition;
  row.RT = ship.RT * (condition == Condition::Service ? 1 + in.sea_margin : 1.0);
  const PropulsionFactors f = factors_at(in, ship, p.D, p.EAR, p.PD);
  row.w = f.w;
  row.t = f.t;
  row.etaR = f.etaR;
  if (!usable(f)) {
    row.reason = "the wake or thrust-deduction fraction is out of range";
    return row;
  }
  row.T = row.RT / ((1 - f.t) * in.screws);
  row.Va = ship.V * (1 - f.w);
  if (!(row.Va > 0)) {
    row.reason = "no advance speed";
    return row;
  }
  const double K = row.T / (in.water.rho * row.Va * row.Va * p.D * p.D);
  const float PD = single(p.PD), EAR = single(p.EAR);
  const auto corrected = [&](float J) {
    const double N_rpm = 60 * row.Va / (double{J} * p.D);
    const OpenWater ow = evaluate_at(in, p.series, J, PD, EAR, p.Z, p.D, row.Va, N_rpm);
    return std::pair{ow, double{ow.Kt} / (double{J} * double{J}) - K};
  };

  // The uncorrected coefficients over the scan bracket the root ...
  std::array<float, kScanJPoints> J{};
  for (int k = 0; k < kScanJPoints; ++k) J[k] = kScanJStep * static_cast<float>(k + 1);
  std::array<OpenWater, kScanJPoints> scan{};
  evaluate_grid(p.series, PD, EAR, static_cast<float>(p.Z), J, scan);
  int k = 0;
  while (k + 1 < kScanJPoints &&
         !(double{scan[k + 1].Kt} / (double{J[k + 1]} * double{J[k + 1]}) - K <= 0)) {
    ++k;
  }
  if (k + 1 >= kScanJPoints) {
    row.reason = "no operating point: the propeller cannot deliver the thrust";
    return row;
  }
  // ... and the corrected ones, at each J's own shaft speed, close it.
  // (Each J is evaluated once: the ends keep their values.)
  float lo = J[k], hi = J[k + 1];
  auto at_lo = corrected(lo);
  while (at_lo.second <= 0 && lo > 2 * kScanJStep) at_lo = corrected(lo -= kScanJStep);
  auto at_hi = corrected(hi);
  while (at_hi.second > 0 && hi < kScanJStep * 2 * kScanJPoints)
    at_hi = corrected(hi += kScanJStep);
  if (!(at_lo.second > 0 && at_hi.second <= 0)) {
    row.reason = "no operating point: the propeller cannot deliver the thrust";
    return row;
  }
  for (int i = 0; i < 64; ++i) {
    const float mid = single((double{lo} + double{hi}) / 2);
    if (mid <= lo || mid >= hi) break;
    const auto at_mid = corrected(mid);
    if (at_mid.second > 0) {
      lo = mid;
      at_lo = at_mid;
    } else {
      hi = mid;
      at_hi = at_mid;
    }
  }
  const bool low_end = std::abs(at_lo.second) <= std::abs(at_hi.second);
  const float root = low_end ? lo : hi;
  const OpenWater ow = (low_end ? at_lo : at_hi).first;
  row.found = true;
  row.J = root;
  row.Kt = ow.Kt;
  row.Kq = ow.Kq;
  row.eta0 = ow.eta0;
  row.etaH = (1 - f.t) / (1 - f.w);
  row.etaD = row.eta0 * row.etaH * row.etaR;
  const double n = row.Va / (row.J * p.D);
  row.N_rpm = 60 * n;
  row.Q = row.Kq * in.water.rho * n * n * std::pow(p.D, 5);
  row.Pd = 2 * kPi * n * row.Q / row.etaR * in.screws;
  row.Pb = row.Pd / in.shaft_efficiency;
  row.load = row.Pb / in.MCR_W;
  return row;
}

// The speed at which the brake power of `condition` reaches P: bracketed by two rows of the
// table, or, with the Holtrop-Mennen resistance, by speeds stepped beyond the table's range
// (down to one step, up to half the range's top speed more); then bisection on the speed.
std::optional<PowerRow> speed_at_power(const StudyInput& in, const Candidate& p,
                                       const std::vector<PowerRow>& rows, Condition condition,
                                       double P) {
  std::vector<PowerRow> known;
  for (const PowerRow& row : rows) {
    if (row.condition == condition && row.found) known.push_back(row);
  }
  if (known.empty()) return std::nullopt;
  if (in.resistance != ResistanceSource::Table) {
    const double step = in.range_step_mps > 0 ? in.range_step_mps : in.range_from_mps / 10;
    while (known.back().Pb < P && known.back().V + step <= 1.5 * in.range_to_mps) {
      const PowerRow next =
          operating_point_at(in, p, ship_at(in, known.back().V + step), condition);
      if (!next.found) break;
      known.push_back(next);
    }
    while (known.front().Pb > P && known.front().V - step >= step) {
      const PowerRow next =
          operating_point_at(in, p, ship_at(in, known.front().V - step), condition);
      if (!next.found) break;
      known.insert(known.begin(), next);
    }
  }
  std::size_t k = 0;
  while (k + 1 < known.size() && !(known[k].Pb <= P && known[k + 1].Pb >= P)) ++k;
  if (k + 1 >= known.size()) return std::nullopt;
  double lo = known[k].V, hi = known[k + 1].V;
  PowerRow found = known[k];
  for (int i = 0; i < 60 && hi - lo > 1e-10 * hi; ++i) {
    const double mid = (lo + hi) / 2;
    found = operating_point_at(in, p, ship_at(in, mid), condition);
    if (!found.found) return std::nullopt;
    (found.Pb < P ? lo : hi) = mid;
  }
  return found;
}

}  // namespace

const char* condition_name(Condition condition) {
  return condition == Condition::Trial ? "trial" : "service";
}

ResistanceRow resistance_at(const StudyInput& in, double V) {
  ResistanceRow row{};
  row.V = V;
  const ShipAtSpeed ship = ship_at(in, V);
  if (in.resistance != ResistanceSource::Table) {
    const Resistance& r = *ship.hull;
    row = {V,      r.Fn, r.Rn, r.CF,  r.CA, r.form_factor, r.RF,
           r.RAPP, r.RW, r.RB, r.RTR, r.RA, r.RT,          r.PE};
    return row;
  }
  row = {V, NAN, NAN, NAN, NAN, NAN, NAN, NAN, NAN, NAN, NAN, NAN, ship.RT, ship.RT * V};
  if (in.hull_given) {
    row.Fn = V / std::sqrt(in.water.g * in.hull.L);
    row.Rn = V * in.hull.L / in.water.nu;
  }
  return row;
}

PowerRow operating_point(const StudyInput& input, const Candidate& propeller, double V,
                         Condition condition) {
  return operating_point_at(input, propeller, ship_at(input, V), condition);
}

std::vector<std::string> input_warnings(const StudyInput& in) {
  std::vector<std::string> warnings;
  std::set<std::string> seen;
  const auto add = [&](const std::string& what) {
    if (seen.insert(what).second) warnings.push_back(what);
  };
  if (in.resistance != ResistanceSource::Table) {
    const ResistanceMethod method = in.resistance == ResistanceSource::HoltropMennen1982
                                        ? ResistanceMethod::HoltropMennen1982
                                        : ResistanceMethod::Holtrop1984;
    std::vector<double> speeds = table_speeds(in);
    speeds.push_back(in.design_V_mps);
    for (const double V : speeds) {
      for (const std::string& what : outside_fitted_range(in.hull, V, method)) add(what);
    }
  }
  if (in.hull_given && in.shaft_depth > std::max(in.hull.TF, in.hull.TA)) {
    add("the shaft centre (shaft_depth = " + fixed(in.shaft_depth, 2) +
        " m) lies below the draught aft");
  }
  const double D = in.D ? *in.D : *in.D_max;
  if (in.shaft_depth < D / 2) {
    add("the shaft centre (shaft_depth = " + fixed(in.shaft_depth, 2) +
        " m) is less than half the diameter below the waterline: the tip would emerge");
  }
  return warnings;
}

StudyResult run_study(const StudyInput& in, unsigned jobs) {
  StudyResult result;
  result.warnings = input_warnings(in);
  const std::vector<double> speeds = table_speeds(in);
  for (const double V : speeds) result.resistance.push_back(resistance_at(in, V));

  // The candidates, evaluated independently and stored by index.
  const ShipAtSpeed design_ship = ship_at(in, in.design_V_mps);
  std::vector<std::pair<Series, int>> asked;
  for (const Series s : in.series) {
    for (const int Z : in.blades) asked.emplace_back(s, Z);
  }
  result.candidates = for_each_item(asked.size(), jobs, [&](std::size_t k) {
    return DesignSearch(in, design_ship, asked[k].first, asked[k].second).best();
  });
  for (std::size_t k = 0; k < result.candidates.size(); ++k) {
    const Candidate& c = result.candidates[k];
    if (c.feasible && (!result.chosen || c.etaD > result.candidates[*result.chosen].etaD)) {
      result.chosen = k;
    }
  }
  if (!result.chosen) {
    result.reason = "no feasible propeller:";
    for (const Candidate& c : result.candidates) {
      result.reason += " " + std::string(series_facts(c.series).name) +
                       " Z = " + std::to_string(c.Z) + ": " + c.reason + ";";
    }
    result.reason.pop_back();
    return result;
  }
  const Candidate& p = result.candidates[*result.chosen];
  if (p.Pb > in.MCR_W) {
    result.warnings.push_back("the design point needs Pb = " + fixed(p.Pb / 1000, 0) +
                              " kW, more than the MCR of " + fixed(in.MCR_W / 1000, 0) + " kW");
  }

  // The speed-power table, row by row.
  result.speed_power = for_each_item(2 * speeds.size(), jobs, [&](std::size_t k) {
    const Condition condition = k % 2 == 0 ? Condition::Trial : Condition::Service;
    return operating_point(in, p, speeds[k / 2], condition);
  });
  for (const PowerRow& row : result.speed_power) {
    if (!row.found) {
      result.warnings.push_back(fixed(row.V / knot, 2) + " kn, " + condition_name(row.condition) +
                                ": " + row.reason);
    }
  }

  // The engine match at service_load x MCR.
  EngineMatch& e = result.engine;
  e.P = in.service_load * in.MCR_W;
  const std::optional<PowerRow> service =
      speed_at_power(in, p, result.speed_power, Condition::Service, e.P);
  const std::optional<PowerRow> trial =
      speed_at_power(in, p, result.speed_power, Condition::Trial, e.P);
  for (const auto& [row, name] : {std::pair{&service, "service"}, std::pair{&trial, "trial"}}) {
    if (!*row) {
      result.warnings.push_back("the " + std::string(name) + " condition does not reach " +
                                fixed(e.P / 1000, 0) + " kW within the speeds studied");
      continue;
    }
    const double engine_rpm = (*row)->N_rpm * in.gear_ratio;
    if (engine_rpm > in.engine_rpm * (1 + 1e-9)) {
      result.warnings.push_back("at " + fixed(e.P / 1000, 0) + " kW in the " + name +
                                " condition the engine turns at " + fixed(engine_rpm, 1) +
                                " rpm, above its rated " + fixed(in.engine_rpm, 1) + " rpm");
    }
  }
  if (service) {
    e.V_service = service->V;
    e.N_service = service->N_rpm;
  }
  if (trial) {
    e.V_trial = trial->V;
    e.N_trial = trial->N_rpm;
  }
  e.light_running_margin = e.N_trial / e.N_service - 1;
  return result;
}

}  // namespace tidewerk
