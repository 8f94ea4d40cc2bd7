// The messages of the numerical tools, written on the screen and console channels.
#pragma once

#include "numeric/numeric_messages.h"
#include "report/channels.h"

namespace tidewerk {

class ChannelNumericMessages final : public NumericMessages {
 public:
  explicit ChannelNumericMessages(Console& io) : io_(io) {}

  // Screen only: the failure banner with X(1), X and X(N).
  void interpolation_out_of_range(float x1, float xp, float xn) override;
  // Screen only: two empty records, then the text.
  void no_root_in_range() override;
  // Console channel.
  void point_outside_table() override;

 private:
  Console& io_;
};

}  // namespace tidewerk
