// Messages of the numerical tools.  The tools never write anything themselves: they report
// through this interface, and the caller decides where the texts go (the cases send them to
// the screen and console channels).
#pragma once

#include <vector>

namespace tidewerk {

class NumericMessages {
 public:
  virtual ~NumericMessages();

  // interpolate_table: the abscissa wanted lies outside the table x(1) .. x(n).
  virtual void interpolation_out_of_range(float x1, float xp, float xn) = 0;
  // find_root_on_table: the end values of the shifted table have the same sign.
  virtual void no_root_in_range() = 0;
  // locate_interval: the abscissa lies outside the spline knots.
  virtual void point_outside_table() = 0;
};

// Discards every message.
class SilentNumericMessages final : public NumericMessages {
 public:
  void interpolation_out_of_range(float, float, float) override {}
  void no_root_in_range() override {}
  void point_outside_table() override {}
};

// Keeps every message, in order, for inspection.
class RecordingNumericMessages final : public NumericMessages {
 public:
  enum class Kind { InterpolationOutOfRange, NoRootInRange, PointOutsideTable };
  struct Message {
    Kind kind;
    float x1 = 0.0f;  // the three values of an out-of-range interpolation, else 0
    float xp = 0.0f;
    float xn = 0.0f;
  };

  void interpolation_out_of_range(float x1, float xp, float xn) override;
  void no_root_in_range() override;
  void point_outside_table() override;

  const std::vector<Message>& messages() const { return messages_; }
  int count(Kind kind) const;
  void clear() { messages_.clear(); }

 private:
  std::vector<Message> messages_;
};

}  // namespace tidewerk
