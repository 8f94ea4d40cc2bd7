// Warnings that several cases give.
#include "cases/case_warnings.h"

#include "cases/cases.h"

namespace tidewerk {

void warn_outside_fitted(Warnings& warnings, const Problem& p, const char* what, float value,
                         float low, float high) {
  if (value >= low && value <= high) return;
  warnings.add(case_where(p), std::string(what) + " = " + fixed(value, 3) + " lies outside " +
                                  fixed(low, 2) + " to " + fixed(high, 2) + ", the range of the " +
                                  std::string(series_facts(p.series).name) +
                                  " series' polynomials: the coefficients there are extrapolated");
}

void warn_pitch_at_end(Warnings& warnings, const Problem& p, const char* what, float pd,
                       float first, float last) {
  if (pd != first && pd != last) return;
  warnings.add(case_where(p), std::string(what) + " P/D = " + fixed(pd, 3) + " is the " +
                                  (pd == first ? "first" : "last") + " pitch ratio of the sweep (" +
                                  fixed(first, 2) + " to " + fixed(last, 2) +
                                  "): the true answer may lie outside the series");
}

void warn_correction_not_applied(Warnings& warnings, const Problem& p, const Propeller& propeller,
                                 const std::string& asked_by) {
  if (!propeller.full_scale || propeller.corrected()) return;
  const SeriesFacts& facts = series_facts(propeller.series);
  const Ittc78Conditions& c = *propeller.full_scale;
  const std::string why = !facts.ittc78
                              ? "the " + std::string(facts.name) + " series does not take it"
                              : "Va = " + fixed(c.Va, 3) + " m/s and N = " + fixed(c.N, 1) +
                                    " RPM are both below 0.001, where it has no meaning";
  warnings.add(case_where(p), asked_by +
                                  " asks for the ITTC78 correction, but it is not applied (" + why +
                                  "): the coefficients are the model's");
}

}  // namespace tidewerk
