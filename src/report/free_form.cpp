#include "report/free_form.h"

#include <algorithm>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <limits>

#include "report/run_end.h"

namespace tidewerk {
namespace {

bool is_separator(char c) {
  return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\f' || c == '\v';
}

// Quotes a token for a message, keeping it short and printable.
std::string quoted(std::string_view token) {
  std::string text;
  for (char c : token.substr(0, 40)) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 32 && u < 127 && c != '\\' && c != '"') {
      text += c;
    } else {
      static const char* hex = "0123456789ABCDEF";
      text += "\\x";
      text += hex[u >> 4];
      text += hex[u & 15];
    }
  }
  if (token.size() > 40) text += "...";
  return "\"" + text + "\"";
}

// True when the token has the form of a number of its kind, whatever its size: an unreadable
// token of that form lies outside the range of its kind.
bool number_shaped(std::string_view token, bool integer) {
  std::size_t i = (!token.empty() && (token[0] == '+' || token[0] == '-')) ? 1 : 0;
  std::size_t digits = 0;
  while (i < token.size() && token[i] >= '0' && token[i] <= '9') ++i, ++digits;
  if (integer) return digits > 0 && i == token.size();
  if (i < token.size() && token[i] == '.') {
    ++i;
    while (i < token.size() && token[i] >= '0' && token[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < token.size() && std::string_view("EeDd").find(token[i]) != std::string_view::npos) {
    ++i;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) ++i;
    std::size_t exponent = 0;
    while (i < token.size() && token[i] >= '0' && token[i] <= '9') ++i, ++exponent;
    if (exponent == 0) return false;
  }
  return i == token.size();
}

}  // namespace

bool parse_integer_token(std::string_view token, int& value) {
  std::size_t start = 0;
  bool negative = false;
  if (!token.empty() && (token[0] == '+' || token[0] == '-')) {
    negative = token[0] == '-';
    start = 1;
  }
  if (start == token.size()) return false;
  long long magnitude = 0;
  for (std::size_t i = start; i < token.size(); ++i) {
    if (token[i] < '0' || token[i] > '9') return false;
    magnitude = magnitude * 10 + (token[i] - '0');
    if (magnitude > std::numeric_limits<int>::max()) return false;
  }
  value = static_cast<int>(negative ? -magnitude : magnitude);
  return true;
}

bool parse_real_token(std::string_view token, float& value) {
  // Syntax: [sign] digits [. [digits]] | [sign] . digits, then optionally E|D [sign] digits.
  std::string text;
  std::size_t i = 0;
  bool negative = false;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) {
    negative = token[i] == '-';
    ++i;
  }
  std::size_t mantissa_digits = 0;
  while (i < token.size() && token[i] >= '0' && token[i] <= '9') {
    text += token[i++];
    ++mantissa_digits;
  }
  if (i < token.size() && token[i] == '.') {
    text += token[i++];
    while (i < token.size() && token[i] >= '0' && token[i] <= '9') {
      text += token[i++];
      ++mantissa_digits;
    }
  }
  if (mantissa_digits == 0) return false;
  if (i < token.size() &&
      (token[i] == 'E' || token[i] == 'e' || token[i] == 'D' || token[i] == 'd')) {
    text += 'e';
    ++i;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) text += token[i++];
    std::size_t exponent_digits = 0;
    while (i < token.size() && token[i] >= '0' && token[i] <= '9') {
      text += token[i++];
      ++exponent_digits;
    }
    if (exponent_digits == 0) return false;
  }
  if (i != token.size()) return false;
  if (text[0] == '.') text.insert(0, 1, '0');

  // Converted straight to the nearest single-precision value, without touching the
  // arithmetic flags of the run.
  std::fenv_t saved;
  std::fegetenv(&saved);
  float result = 0.0f;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result);
  std::fesetenv(&saved);
  if (error == std::errc::result_out_of_range) {
    // Underflow reads as zero; overflow is not a single-precision number.
    const auto e = text.find('e');
    if (e == std::string::npos || text.compare(e + 1, 1, "-") != 0) return false;
    result = 0.0f;
  } else if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(result)) {
    return false;
  }
  value = negative ? -result : result;
  return true;
}

FreeFormReader::FreeFormReader(std::istream& in, std::string source)
    : in_(in), source_(std::move(source)) {}

bool FreeFormReader::next_line(std::string& line) {
  in_read_ = false;
  if (!std::getline(in_, line)) return false;
  ++line_number_;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

std::vector<std::string> decimal_commas(std::string_view line) {
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  std::vector<std::string> found;
  for (std::size_t i = 1; i + 1 < line.size(); ++i) {
    if (line[i] != ',' || !digit(line[i - 1]) || !digit(line[i + 1])) continue;
    std::size_t start = i;
    while (start > 0 && !is_separator(line[start - 1])) --start;
    std::size_t end = i + 1;
    while (end < line.size() && !is_separator(line[end])) ++end;
    found.emplace_back(line.substr(start, end - start));
  }
  return found;
}

bool FreeFormReader::next_token(std::string& token) {
  for (;;) {
    if (in_read_) {
      bool comma = false;
      while (cursor_ < line_.size() && is_separator(line_[cursor_])) {
        if (line_[cursor_] == ',') {
          if (comma)
            throw InputError(source_ + ", line " + std::to_string(line_number_) +
                             ": an empty value between two commas");
          comma = true;
        }
        ++cursor_;
      }
      if (cursor_ < line_.size()) {
        const std::size_t start = cursor_;
        while (cursor_ < line_.size() && !is_separator(line_[cursor_])) ++cursor_;
        token.assign(line_, start, cursor_ - start);
        return true;
      }
    }
    std::string line;
    if (!next_line(line)) return false;
    line_ = std::move(line);
    cursor_ = 0;
    in_read_ = true;
    if (record_) record_->lines.push_back({line_number_, line_});
    if (empty_line_limit_ > 0) count_empty_line();
  }
}

void FreeFormReader::count_empty_line() {
  const bool empty = std::all_of(line_.begin(), line_.end(), is_separator);
  empty_lines_ = empty ? empty_lines_ + 1 : 0;
  if (empty_lines_ < empty_line_limit_) return;
  throw InputError(source_ + ", lines " + std::to_string(line_number_ - empty_lines_ + 1) + " to " +
                   std::to_string(line_number_) + ": " + std::to_string(empty_lines_) +
                   " empty lines in a row while " + wanted_kind_ + " was expected for " +
                   std::string(wanted_));
}

ReadRecord FreeFormReader::read(const ReadTarget* targets, std::size_t count) {
  ReadRecord record;
  record_ = &record;
  struct Detach {
    ReadRecord*& record;
    ~Detach() { record = nullptr; }
  } detach{record_};
  in_read_ = false;  // every read starts on a new line
  empty_lines_ = 0;
  for (std::size_t k = 0; k < count; ++k) {
    const ReadTarget& target = targets[k];
    const char* kind = target.integer != nullptr ? "a whole number" : "a number";
    wanted_ = target.name;
    wanted_kind_ = kind;
    std::string token;
    if (!next_token(token)) {
      throw InputError(source_ + ": the input ended" +
                       (line_number_ > 0 ? " after line " + std::to_string(line_number_)
                                         : std::string(" before its first line")) +
                       " while " + kind + " was expected for " + std::string(target.name));
    }
    const bool ok = target.integer != nullptr ? parse_integer_token(token, *target.integer)
                                              : parse_real_token(token, *target.real);
    if (!ok) {
      const bool integer = target.integer != nullptr;
      const std::string what = number_shaped(token, integer)
                                   ? (integer ? " is too large for a whole number"
                                              : " is too large for a single-precision number")
                                   : " is not " + std::string(kind);
      throw InputError(source_ + ", line " + std::to_string(line_number_) + ": " + quoted(token) +
                       what + " (expected " + std::string(target.name) + ")");
    }
    record.values.push_back({std::string(target.name), token, line_number_});
  }
  // The rest of the line of the last value is discarded.
  if (in_read_ && cursor_ < line_.size()) record.rest = line_.substr(cursor_);
  in_read_ = false;
  return record;
}

}  // namespace tidewerk
