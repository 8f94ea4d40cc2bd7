#include "report/outcome.h"

#include <gtest/gtest.h>

#include <string>

namespace tidewerk {
namespace {

Diagram titled(const std::string& title) {
  Diagram d;
  d.title = title;
  return d;
}

// A diagram drawn later is drawn once, only when asked for, and the last diagram set wins
// whether it was set directly or to be drawn later.
TEST(Outcome, ADiagramDrawnLaterIsDrawnOnceWhenAskedAndTheLastSetWins) {
  int drawn = 0;
  Outcome outcome;
  outcome.draw_diagram_later([&drawn] {
    ++drawn;
    return titled("later");
  });
  EXPECT_EQ(drawn, 0);
  const Outcome copy = outcome;  // the record keeps a copy of the case's outcome
  EXPECT_EQ(copy.diagram().title, "later");
  EXPECT_EQ(copy.diagram().title, "later");
  EXPECT_EQ(drawn, 1);

  outcome.diagram().title = "edited";  // drawn first, then edited
  EXPECT_EQ(drawn, 2);
  EXPECT_EQ(outcome.diagram().title, "edited");

  outcome.draw_diagram_later([] { return titled("replaced"); });
  EXPECT_EQ(outcome.diagram().title, "replaced");
  outcome.diagram() = titled("set");
  EXPECT_EQ(outcome.diagram().title, "set");

  const Outcome none;
  EXPECT_TRUE(none.diagram().empty());
}

}  // namespace
}  // namespace tidewerk
