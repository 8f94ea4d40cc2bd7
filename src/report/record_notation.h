// The record notation: layout texts such as "(1X,I2,F8.3,3F9.4,4X,2(F10.4,3X))" and the
// values that fill them turn into text records (lines).  One renderer produces every
// formatted line of the program.
//
// Edit items: 'text', k('text'), nX / nx, Iw, Iw.m, Fw.d, A, /, k/, repeat counts (3F9.4)
// and groups (2(F10.4,3X)).  Processing stops at the closing parenthesis or at the first
// value-taking item with no value left.  Columns skipped by a final X give no trailing blanks.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace tidewerk {

// One value of an output list: an integer (for Iw), a single-precision real (for Fw.d) or a
// text (for A).  A double is rounded to single precision, as every printed real is stored.
class Value {
 public:
  enum class Kind { Integer, Real, Text };
  Value(int v) : kind_(Kind::Integer), integer_(v) {}
  Value(long v) : kind_(Kind::Integer), integer_(v) {}
  Value(float v) : kind_(Kind::Real), real_(v) {}
  Value(double v) : kind_(Kind::Real), real_(static_cast<float>(v)) {}
  Value(const char* v) : kind_(Kind::Text), text_(v) {}
  Value(std::string v) : kind_(Kind::Text), text_(std::move(v)) {}
  Value(std::string_view v) : kind_(Kind::Text), text_(v) {}

  Kind kind() const { return kind_; }
  long integer() const { return integer_; }
  float real() const { return real_; }
  const std::string& text() const { return text_; }

 private:
  Kind kind_;
  long integer_ = 0;
  float real_ = 0.0f;
  std::string text_;
};

using Values = std::vector<Value>;

// Renders a layout with its values into records (without line ends).  A layout with k
// slashes gives k + 1 records.  Throws LayoutError for a layout it cannot interpret.
std::vector<std::string> render_records(std::string_view layout, const Values& values = {});

// Each layout text is parsed at its first use and kept for later calls, up to a limit beyond
// which layouts are parsed at every call.  The number of layouts kept:
std::size_t kept_layout_count();

// Fw.d of a single-precision value: no digit before the point when the integer part is 0,
// "0." for Fw.0 below 0.5, w asterisks when the text does not fit or the value is not finite.
std::string render_fixed(float value, int w, int d);

// Iw.m of an integer: at least m digits, right-justified in w columns, w asterisks if too long.
std::string render_integer(long value, int w, int m = 1);

}  // namespace tidewerk
