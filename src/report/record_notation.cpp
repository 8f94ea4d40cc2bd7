#include "report/record_notation.h"

#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <mutex>
#include <system_error>
#include <unordered_map>

#include "report/run_end.h"

namespace tidewerk {
namespace {

// Widths, counts and repeat factors beyond this are not layouts of this program.
constexpr int kMaxNumber = 1000;
// No layout of this program writes more text than this in one call.
constexpr std::size_t kMaxOutput = 1 << 20;
// The program has about a hundred layouts of at most a few hundred characters; the parsed-layout
// store keeps no more than these, so that random layouts cannot fill the memory.
constexpr std::size_t kMaxKeptLayouts = 2048;
constexpr std::size_t kMaxKeptCharacters = 64 * 1024;

struct Item {
  enum class Type { Literal, Skip, Slash, Integer, Fixed, Text, Group };
  Type type = Type::Literal;
  int repeat = 1;
  std::string text;  // Literal
  int w = 0;         // Skip: columns; Integer, Fixed, Text: field width (0: as long as it is)
  int d = 0;         // Fixed: decimals; Integer: minimum digits
  std::vector<Item> items;  // Group
  bool takes_value() const {
    return type == Type::Integer || type == Type::Fixed || type == Type::Text;
  }
};

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  std::vector<Item> parse() {
    skip_blanks();
    expect('(');
    std::vector<Item> items = parse_list();
    expect(')');
    skip_blanks();
    if (pos_ != text_.size()) fail("text after the closing parenthesis");
    return items;
  }

 private:
  [[noreturn]] void fail(const std::string& why) const {
    throw LayoutError("layout " + std::string(text_) + ": " + why + " at column " +
                      std::to_string(pos_ + 1));
  }
  void skip_blanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
  }
  char peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
  void expect(char c) {
    if (peek() != c) fail(std::string("expected '") + c + "'");
    ++pos_;
  }
  bool digit() const { return peek() >= '0' && peek() <= '9'; }
  int number() {
    if (!digit()) fail("expected a number");
    int value = 0;
    while (digit()) {
      value = value * 10 + (peek() - '0');
      if (value > kMaxNumber) fail("number too large");
      ++pos_;
    }
    return value;
  }

  // Items up to (not including) the closing parenthesis of the current list.  Commas are
  // optional separators, as in "F6.3/)" or "(/' TEXT')".
  std::vector<Item> parse_list() {
    std::vector<Item> items;
    for (;;) {
      skip_blanks();
      char c = peek();
      if (c == ')') return items;
      if (c == '\0') fail("missing closing parenthesis");
      if (c == ',') {
        ++pos_;
        continue;
      }
      items.push_back(parse_item());
      if (++depth_guard_ > 100000) fail("layout too long");
    }
  }

  Item parse_item() {
    Item item;
    bool counted = false;
    if (digit()) {
      item.repeat = number();
      if (item.repeat == 0) fail("a count of zero");
      counted = true;
      skip_blanks();
    }
    char c = peek();
    if (c == '\'' || c == '"') {
      item.type = Item::Type::Literal;
      item.text = literal(c);
      return item;
    }
    if (c == '(') {
      ++pos_;
      if (++nesting_ > 50) fail("groups nested too deeply");
      item.type = Item::Type::Group;
      item.items = parse_list();
      expect(')');
      --nesting_;
      return item;
    }
    if (c == '/') {
      ++pos_;
      item.type = Item::Type::Slash;
      return item;
    }
    if (c == 'X' || c == 'x') {
      ++pos_;
      item.type = Item::Type::Skip;
      item.w = counted ? item.repeat : 1;
      item.repeat = 1;
      return item;
    }
    if (c == 'I' || c == 'i') {
      ++pos_;
      item.type = Item::Type::Integer;
      item.w = number();
      item.d = 1;
      if (peek() == '.') {
        ++pos_;
        item.d = number();
      }
      if (item.w == 0 || item.d > item.w) fail("bad integer field");
      return item;
    }
    if (c == 'F' || c == 'f') {
      ++pos_;
      item.type = Item::Type::Fixed;
      item.w = number();
      expect('.');
      item.d = number();
      if (item.w == 0) fail("bad fixed-point field");
      return item;
    }
    if (c == 'A' || c == 'a') {
      ++pos_;
      item.type = Item::Type::Text;
      if (digit()) item.w = number();
      return item;
    }
    fail("unknown edit item");
  }

  std::string literal(char quote) {
    ++pos_;
    std::string text;
    for (;;) {
      if (pos_ >= text_.size()) fail("unterminated text");
      char c = text_[pos_++];
      if (c == quote) {
        if (peek() == quote) {  // a doubled quote stands for one
          text += quote;
          ++pos_;
          continue;
        }
        return text;
      }
      text += c;
    }
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  int nesting_ = 0;
  long depth_guard_ = 0;
};

class Renderer {
 public:
  explicit Renderer(const Values& values) : values_(values) {}

  // Renders the items once; false when it stopped at a value-taking item without a value.
  bool run(const std::vector<Item>& items) {
    for (const Item& item : items) {
      for (int k = 0; k < item.repeat; ++k) {
        if (!run_item(item)) return false;
      }
    }
    return true;
  }
  bool values_left() const { return next_ < values_.size(); }
  std::size_t values_used() const { return next_; }
  void end_record() {
    count_output(1);
    records_.push_back(std::move(record_));
    record_.clear();
    column_ = 0;
  }
  std::vector<std::string> take() { return std::move(records_); }

 private:
  bool run_item(const Item& item) {
    switch (item.type) {
      case Item::Type::Literal:
        put(item.text);
        return true;
      case Item::Type::Skip:
        column_ += static_cast<std::size_t>(item.w);
        return true;
      case Item::Type::Slash:
        end_record();
        return true;
      case Item::Type::Group:
        return run(item.items);
      default:
        break;
    }
    if (!values_left()) return false;
    const Value& v = values_[next_++];
    switch (item.type) {
      case Item::Type::Integer:
        put(render_integer(as_integer(v), item.w, item.d));
        break;
      case Item::Type::Fixed:
        put(render_fixed(as_real(v), item.w, item.d));
        break;
      default:
        if (v.kind() != Value::Kind::Text) throw LayoutError("A edit item given a number");
        put(v.text());
        break;
    }
    return true;
  }

  static long as_integer(const Value& v) {
    if (v.kind() == Value::Kind::Integer) return v.integer();
    if (v.kind() == Value::Kind::Real && std::isfinite(v.real()) && std::fabs(v.real()) < 1e15f)
      return static_cast<long>(v.real());
    if (v.kind() == Value::Kind::Real) return kNotRepresentable;
    throw LayoutError("I edit item given a text");
  }
  static float as_real(const Value& v) {
    if (v.kind() == Value::Kind::Real) return v.real();
    if (v.kind() == Value::Kind::Integer) return static_cast<float>(v.integer());
    throw LayoutError("F edit item given a text");
  }

  // Writes text at the current column; columns skipped by X become blanks.
  void put(const std::string& text) {
    if (record_.size() < column_) {
      count_output(column_ - record_.size());
      record_.append(column_ - record_.size(), ' ');
    }
    record_.resize(column_);
    record_ += text;
    column_ = record_.size();
    count_output(text.size());
  }
  void count_output(std::size_t n) {
    output_ += n;
    if (output_ > kMaxOutput) throw LayoutError("layout writes more than a program's layout can");
  }

 public:
  static constexpr long kNotRepresentable = -9223372036854775807L;

 private:
  const Values& values_;
  std::size_t next_ = 0;
  std::vector<std::string> records_;
  std::string record_;
  std::size_t column_ = 0;
  std::size_t output_ = 0;
};

bool any_value_item(const std::vector<Item>& items) {
  for (const Item& item : items) {
    if (item.takes_value()) return true;
    if (item.type == Item::Type::Group && any_value_item(item.items)) return true;
  }
  return false;
}

// A layout text with its items, parsed once.
struct ParsedLayout {
  std::string text;
  std::vector<Item> items;
  bool takes_values = false;
};

// The layouts already parsed, by their text.  A layout is parsed at its first use and kept for
// the rest of the program; entries are never removed, and the key views the text of its own
// entry.  A layout that cannot be parsed is never kept, so it throws at every use.  Past the
// limits a layout is parsed for the one call.  Safe to use from several threads.
class LayoutStore {
 public:
  std::shared_ptr<const ParsedLayout> get(std::string_view text) {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      const auto found = layouts_.find(text);
      if (found != layouts_.end()) return found->second;
    }
    auto parsed = std::make_shared<ParsedLayout>();
    parsed->text = std::string(text);
    parsed->items = Parser(text).parse();
    parsed->takes_values = any_value_item(parsed->items);

    const std::lock_guard<std::mutex> lock(mutex_);
    const auto found = layouts_.find(text);
    if (found != layouts_.end()) return found->second;  // parsed meanwhile by another thread
    if (layouts_.size() < kMaxKeptLayouts && characters_ + text.size() <= kMaxKeptCharacters) {
      layouts_.emplace(std::string_view(parsed->text), parsed);
      characters_ += text.size();
    }
    return parsed;
  }

  std::size_t size() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return layouts_.size();
  }

 private:
  std::mutex mutex_;
  std::unordered_map<std::string_view, std::shared_ptr<const ParsedLayout>> layouts_;
  std::size_t characters_ = 0;
};

LayoutStore& layout_store() {
  static LayoutStore store;
  return store;
}

}  // namespace

std::string render_fixed(float value, int w, int d) {
  const auto width = static_cast<std::size_t>(w);
  if (!std::isfinite(value)) return std::string(width, '*');
  // The exact single-precision value, rounded to d decimals to nearest.  Every field of the
  // program fits the buffer; a longer text is converted again at its full length.
  const double exact = value;
  char buffer[80];
  std::string text;
  const std::to_chars_result short_text =
      std::to_chars(buffer, buffer + sizeof buffer, exact, std::chars_format::fixed, d);
  if (short_text.ec == std::errc{}) {
    text.assign(buffer, short_text.ptr);
  } else {
    text.resize(std::numeric_limits<float>::max_exponent10 + 2 + sizeof buffer +
                static_cast<std::size_t>(d));
    const std::to_chars_result long_text =
        std::to_chars(text.data(), text.data() + text.size(), exact, std::chars_format::fixed, d);
    text.resize(static_cast<std::size_t>(long_text.ptr - text.data()));
  }
  if (text.size() > width + 2) return std::string(width, '*');
  if (d == 0) {
    text += '.';  // "4." ; a value below 0.5 keeps its single "0": "0."
  } else {
    const std::size_t digits_start = text[0] == '-' ? 1 : 0;
    if (text.compare(digits_start, 2, "0.") == 0) text.erase(digits_start, 1);  // ".500"
  }
  if (text.size() > width) return std::string(width, '*');
  text.insert(0, width - text.size(), ' ');
  return text;
}

std::string render_integer(long value, int w, int m) {
  const auto width = static_cast<std::size_t>(w);
  if (value == Renderer::kNotRepresentable) return std::string(width, '*');
  const bool negative = value < 0;
  unsigned long magnitude =
      negative ? 0UL - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
  std::string digits = (magnitude == 0 && m == 0) ? "" : std::to_string(magnitude);
  if (static_cast<int>(digits.size()) < m)
    digits.insert(0, static_cast<std::size_t>(m) - digits.size(), '0');
  if (negative) digits.insert(0, 1, '-');
  if (digits.size() > width) return std::string(width, '*');
  digits.insert(0, width - digits.size(), ' ');
  return digits;
}

std::vector<std::string> render_records(std::string_view layout, const Values& values) {
  // Rendering never disturbs the arithmetic flags that the channels test.
  std::fenv_t saved;
  std::fegetenv(&saved);
  struct Restore {
    std::fenv_t* env;
    ~Restore() { std::fesetenv(env); }
  } restore{&saved};

  const std::shared_ptr<const ParsedLayout> parsed = layout_store().get(layout);
  const std::vector<Item>& items = parsed->items;
  Renderer renderer(values);
  bool complete = renderer.run(items);
  // Values left at the closing parenthesis start a new record and the layout again.
  if (complete && renderer.values_left()) {
    if (!parsed->takes_values)
      throw LayoutError("layout " + std::string(layout) + " takes no values");
    while (complete && renderer.values_left()) {
      renderer.end_record();
      const std::size_t used = renderer.values_used();
      complete = renderer.run(items);
      if (renderer.values_used() == used)
        throw LayoutError("layout " + std::string(layout) + " takes no values");
    }
  }
  renderer.end_record();
  return renderer.take();
}

std::size_t kept_layout_count() {
  return layout_store().size();
}

}  // namespace tidewerk
