// Free-form (list-directed) reading of numbers from a line-oriented text source: the task
// file and the keyboard.  Values are separated by blanks, tabs, commas or line ends; a read
// takes as many lines as it needs and discards the rest of the line of its last value.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace tidewerk {

// One value of a free-form read: its name for messages and where it goes.
struct ReadTarget {
  std::string_view name;   // e.g. "EAR" or "series"
  float* real = nullptr;   // a real value goes here ...
  int* integer = nullptr;  // ... or an integer value here
};
inline ReadTarget real_target(std::string_view name, float& v) {
  return {name, &v, nullptr};
}
inline ReadTarget integer_target(std::string_view name, int& v) {
  return {name, nullptr, &v};
}

// What one free-form read took from its source: each value's text and line, every line it
// consumed, and what stood after its last value on that value's line (discarded).
struct ReadRecord {
  struct Value {
    std::string name;
    std::string token;
    int line = 0;
  };
  struct Line {
    int number = 0;
    std::string text;
  };
  std::vector<Value> values;
  std::vector<Line> lines;
  std::string rest;
};

// The decimal commas of a line: each digit-comma-digit with no blank, as the text around it
// ("3,5"), which the free-form rules read as two values.
std::vector<std::string> decimal_commas(std::string_view line);

class FreeFormReader {
 public:
  // `source` names the input in messages, e.g. "task file Tidewerk_28-03-2020.Tsk".
  FreeFormReader(std::istream& in, std::string source);

  // Reads the next line (a CR before the line end is dropped).  False at end of input.
  bool next_line(std::string& line);

  // One free-form read of the listed values, in order.  Throws InputError naming the source,
  // the line and the value when a value is not a number of its kind or the input ends first.
  ReadRecord read(std::initializer_list<ReadTarget> targets) {
    return read(targets.begin(), targets.size());
  }
  ReadRecord read(const ReadTarget* targets, std::size_t count);

  // A read that meets `limit` lines in a row holding no value (empty, or blanks and commas
  // only) ends with an InputError naming the value it waits for; 0, the default, sets no limit.
  void set_empty_line_limit(int limit) { empty_line_limit_ = limit; }

  // Number of the last line read (1-based; 0 before the first).
  int line_number() const { return line_number_; }
  const std::string& source() const { return source_; }

 private:
  std::istream& in_;
  // The next token of the current read, crossing line ends; false at end of input.
  bool next_token(std::string& token);
  // Counts the line just taken when it holds no value; throws at the limit.
  void count_empty_line();

  std::string source_;
  int line_number_ = 0;
  std::string line_;              // the line the current read is working on
  std::size_t cursor_ = 0;        // position in line_
  bool in_read_ = false;          // line_ belongs to the current read
  ReadRecord* record_ = nullptr;  // the record of the read in progress
  int empty_line_limit_ = 0;      // lines without a value in a row that end a read; 0: none
  int empty_lines_ = 0;           // lines without a value in a row in the current read
  std::string_view wanted_;       // the value the current read waits for, for messages
  const char* wanted_kind_ = "";  // "a number" or "a whole number"
};

// Parses one free-form token as an integer (optional sign, digits) or a real (optional sign,
// digits with or without a point, optional exponent E/D).  False when the token is not such
// a number or lies outside the single-precision or integer range.
bool parse_integer_token(std::string_view token, int& value);
bool parse_real_token(std::string_view token, float& value);

}  // namespace tidewerk
