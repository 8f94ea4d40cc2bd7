#include "numeric/spline.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "numeric/numeric_messages.h"

namespace tidewerk {
namespace {

using Kind = RecordingNumericMessages::Kind;

struct Spline {
  std::vector<float> tau;
  std::vector<SplineRow> rows;
  int n() const { return static_cast<int>(tau.size()); }
};

Spline build(const std::vector<float>& tau, const std::function<double(double)>& f) {
  Spline s{tau, std::vector<SplineRow>(tau.size())};
  for (std::size_t i = 0; i < tau.size(); ++i) s.rows[i].c1 = static_cast<float>(f(tau[i]));
  not_a_knot_spline(s.tau.data(), s.rows.data(), s.n());
  return s;
}

float value_at(const Spline& s, float x) {
  SilentNumericMessages silent;
  int flag = 0;
  float v = -99.0f;
  spline_value(s.n(), x, v, s.tau.data(), s.rows.data(), flag, silent);
  EXPECT_EQ(flag, kPointInside) << "x = " << x;
  return v;
}

// Checks the value and the three derivatives stored at every knot but the last (rounding
// errors grow with each derivative on close knots), and the value between the knots.
void expect_reproduces(const Spline& s, double (*f)(double), double (*f1)(double),
                       double (*f2)(double), double f3, float tolerance) {
  for (int i = 0; i + 1 < s.n(); ++i) {
    const double t = s.tau[static_cast<std::size_t>(i)];
    const SplineRow& r = s.rows[static_cast<std::size_t>(i)];
    EXPECT_NEAR(r.c1, f(t), tolerance) << "knot " << i;
    EXPECT_NEAR(r.c2, f1(t), 10 * tolerance) << "knot " << i;
    EXPECT_NEAR(r.c3, f2(t), 100 * tolerance) << "knot " << i;
    EXPECT_NEAR(r.c4, f3, 1000 * tolerance) << "knot " << i;
  }
  const float lo = s.tau.front();
  const float hi = s.tau.back();
  for (int k = 0; k <= 20; ++k) {
    const float x = lo + (hi - lo) * static_cast<float>(k) / 20.0f;
    EXPECT_NEAR(value_at(s, x), f(x), tolerance) << "x = " << x;
  }
}

double line(double x) {
  return 0.3 - 1.7 * x;
}
double line1(double) {
  return -1.7;
}
double zero(double) {
  return 0.0;
}
double parabola(double x) {
  return 1.0 + 2.0 * x - 0.75 * x * x;
}
double parabola1(double x) {
  return 2.0 - 1.5 * x;
}
double parabola2(double) {
  return -1.5;
}
double cubic(double x) {
  return 0.5 - x + 0.25 * x * x + 0.8 * x * x * x;
}
double cubic1(double x) {
  return -1.0 + 0.5 * x + 2.4 * x * x;
}
double cubic2(double x) {
  return 0.5 + 4.8 * x;
}

TEST(Spline, ReproducesLinesParabolasAndCubics) {
  // Two points: the straight line; three: the parabola.
  expect_reproduces(build({0.5f, 1.3f}, line), line, line1, zero, 0.0, 1e-6f);
  expect_reproduces(build({0.5f, 0.9f, 1.6f}, parabola), parabola, parabola1, parabola2, 0.0,
                    2e-6f);
  // Four and more: not-a-knot reproduces every cubic.
  const std::vector<float> even = {0.5f, 0.6f, 0.7f, 0.8f, 0.9f, 1.0f, 1.1f, 1.2f, 1.3f, 1.4f};
  const std::vector<float> uneven = {0.0f, 0.1f, 0.35f, 0.4f, 0.9f, 1.7f};
  const std::vector<float> four = {-1.0f, -0.2f, 0.5f, 2.0f};
  for (const auto& tau : {even, uneven, four}) {
    SCOPED_TRACE(testing::Message() << tau.size() << " knots from " << tau.front());
    expect_reproduces(build(tau, line), line, line1, zero, 0.0, 2e-5f);
    expect_reproduces(build(tau, parabola), parabola, parabola1, parabola2, 0.0, 2e-5f);
    expect_reproduces(build(tau, cubic), cubic, cubic1, cubic2, 4.8, 2e-5f);
  }
}

TEST(LocateInterval, FindsTheIntervalWithEndTolerance) {
  const float tau[] = {0.5f, 0.7f, 0.9f, 1.1f};
  RecordingNumericMessages messages;
  int interval = -1;
  int flag = 0;
  auto locate = [&](float xv) {
    interval = -1;
    flag = -1;
    locate_interval(tau, xv, 4, interval, flag, messages);
    EXPECT_EQ(flag, kPointInside) << "xv = " << xv;
    return interval;
  };
  EXPECT_EQ(locate(0.5f), 0);
  EXPECT_EQ(locate(0.6f), 0);
  EXPECT_EQ(locate(0.7f), 1);  // a knot starts its own interval
  EXPECT_EQ(locate(0.8999f), 1);
  EXPECT_EQ(locate(0.9f), 2);
  EXPECT_EQ(locate(1.1f), 2);  // the last knot belongs to the last interval
  EXPECT_EQ(locate(1.0999995f), 2);
  EXPECT_TRUE(messages.messages().empty());
}

TEST(LocateInterval, PointOutsideClearsTheFlagAndKeepsTheInterval) {
  const float tau[] = {0.5f, 0.7f, 0.9f, 1.1f};
  RecordingNumericMessages messages;
  for (float xv : {0.4999f, 1.1001f}) {
    int interval = 7;
    int flag = kPointInside;
    locate_interval(tau, xv, 4, interval, flag, messages);
    EXPECT_EQ(flag, kPointOutside);
    EXPECT_EQ(interval, 7);
  }
  EXPECT_EQ(messages.count(Kind::PointOutsideTable), 2);
}

TEST(Spline, ValueOutsideTheKnotsKeepsItsPreviousContent) {
  const Spline s = build({0.5f, 0.7f, 0.9f, 1.1f}, line);
  RecordingNumericMessages messages;
  int flag = kPointInside;
  float v = 123.0f;
  spline_value(s.n(), 1.2f, v, s.tau.data(), s.rows.data(), flag, messages);
  EXPECT_EQ(v, 123.0f);
  EXPECT_EQ(flag, kPointOutside);
  EXPECT_EQ(messages.count(Kind::PointOutsideTable), 1);
  spline_value(s.n(), 0.6f, v, s.tau.data(), s.rows.data(), flag, messages);
  EXPECT_NEAR(v, line(0.6), 1e-6);
  EXPECT_EQ(flag, kPointInside);
}

}  // namespace
}  // namespace tidewerk
