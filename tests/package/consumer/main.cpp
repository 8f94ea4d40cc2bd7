// The three series at one operating point (J 0.5, P/D 1.0, EAR 0.70, Z 4), through the
// installed library alone.
#include <tidewerk/series.h>

#include <cstdio>

using namespace tidewerk;

static void print(const char* name, const OpenWater& w) {
  std::printf("%s Kt %.4f 10Kq %.4f eta0 %.4f J %.4f Z %.0f\n", name, w.Kt, 10.0f * w.Kq, w.eta0,
              w.J, w.z);
}

int main() {
  const OperatingPoint point{0.5f, 1.0f, 0.7f, 4.0f};
  const Ittc78Conditions full_scale{4.0f, 5.0f, 150.0f};
  print("wageningen_b", evaluate(Series::WageningenB, point));
  print("wageningen_b_ittc78", evaluate(Series::WageningenB, point, full_scale));
  print("gawn", evaluate(Series::Gawn, point));
  print("kca", evaluate(Series::Kca, point));
  const float J[] = {point.J};
  OpenWater row[1]{};
  evaluate_grid(Series::WageningenB, point.pd, point.ear, point.z, J, row);
  print("wageningen_b_grid", row[0]);
  static_assert(TIDEWERK_VERSION_NUMBER >= 100, "the version of the installed headers");
}
