#include "cases/numeric_messages.h"

#include <gtest/gtest.h>

#include <sstream>

#include "numeric/interpolation.h"
#include "numeric/root_search.h"
#include "report/channels.h"

namespace tidewerk {
namespace {

struct Channels {
  std::ostringstream screen;
  std::ostringstream report;
  std::istringstream keyboard;
  Console io{screen, report, keyboard};
  ChannelNumericMessages messages{io};
};

// The screen does not show column 1 (carriage control), and the report never gets these.
TEST(NumericMessages, InterpolationFailureOnTheScreenOnly) {
  Channels c;
  const float x[] = {0.0f, 1.0f, 2.0f, 3.0f};
  const float y[] = {0.0f, 1.0f, 4.0f, 9.0f};
  float yp = 5.0f;
  interpolate_table(4, x, y, -0.1f, yp, kParabolicInterpolation, c.messages);
  EXPECT_EQ(yp, 5.0f);
  EXPECT_EQ(c.screen.str(),
            " **** INTERPOLANT ARALIGIN DISINDA ****\n"
            "X(1)=    .000000000000000\n"
            "X   =   -.100000001490116\n"
            "X(N)=   3.000000000000000\n"
            " **** INTERPOLASYON BASARISIZ ****\n");
  EXPECT_EQ(c.report.str(), "");
}

TEST(NumericMessages, NoRootAndPointOutside) {
  Channels c;
  const float x[] = {0.5f, 0.7f, 0.9f, 1.1f};
  const float y[] = {0.1f, 0.3f, 0.5f, 0.7f};
  RootSearchState state;
  float root = 2.0f;
  find_root_on_table(4, x, y, 0.8f, root, c.messages, state);
  EXPECT_EQ(root, 2.0f);
  EXPECT_EQ(c.screen.str(), "\n\nVERILEN ARALIKTA KOK YOKTUR - STOP\n");

  c.screen.str("");
  float v = 0.0f;
  spline_value(4, 1.5f, v, state.knots.data(), state.rows.data(), state.location_flag, c.messages);
  EXPECT_EQ(c.screen.str(), "** NOKTA ARALIGIN DISINDA **\n");
  EXPECT_EQ(c.report.str(), "");
}

}  // namespace
}  // namespace tidewerk
