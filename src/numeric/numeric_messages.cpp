#include "numeric/numeric_messages.h"

namespace tidewerk {

NumericMessages::~NumericMessages() = default;

void RecordingNumericMessages::interpolation_out_of_range(float x1, float xp, float xn) {
  messages_.push_back({Kind::InterpolationOutOfRange, x1, xp, xn});
}

void RecordingNumericMessages::no_root_in_range() {
  messages_.push_back({Kind::NoRootInRange});
}

void RecordingNumericMessages::point_outside_table() {
  messages_.push_back({Kind::PointOutsideTable});
}

int RecordingNumericMessages::count(Kind kind) const {
  int k = 0;
  for (const Message& m : messages_) {
    if (m.kind == kind) ++k;
  }
  return k;
}

}  // namespace tidewerk
