#include "report/channels.h"

#include <algorithm>
#include <cctype>
#include <cfenv>
#include <span>

#include "report/run_end.h"

namespace tidewerk {

void clear_arithmetic_flags() {
  std::feclearexcept(FE_ALL_EXCEPT);
}

void check_arithmetic() {
  const int raised = std::fetestexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
  if (raised == 0) return;
  std::string what;
  if (raised & FE_DIVBYZERO) what += "division by zero";
  if (raised & FE_INVALID) what += std::string(what.empty() ? "" : ", ") + "invalid operation";
  if (raised & FE_OVERFLOW) what += std::string(what.empty() ? "" : ", ") + "overflow";
  clear_arithmetic_flags();
  throw ArithmeticError(what);
}

void KeyboardLog::add(std::string line) {
  if (lines.size() < kKept) {
    lines.push_back(std::move(line));
  } else {
    ++not_kept;
  }
}

std::vector<std::string> render_in(Language language, std::string_view layout,
                                   const Values& values) {
  if (language == Language::Turkish) return render_records(layout, values);
  Values translated;
  translated.reserve(values.size());
  for (const Value& value : values) {
    translated.push_back(
        value.kind() == Value::Kind::Text ? Value(in_language(language, value.text())) : value);
  }
  return render_records(in_language(language, layout), translated);
}

void OutputChannel::write(std::string_view layout, const Values& values) {
  check_arithmetic();
  for (const std::string& record : render_in(language_, layout, values)) emit(record);
}

void OutputChannel::write_records(const std::vector<std::string>& records) {
  check_arithmetic();
  for (const std::string& record : records) emit(record);
}

void OutputChannel::text(std::string_view text) {
  check_arithmetic();
  emit(" " + std::string(in_language(language_, text)));
}

void OutputChannel::blank() {
  check_arithmetic();
  emit("");
}

void OutputChannel::emit(const std::string& record) {
  // On the screen column 1 is carriage control: its blank starts a new line and is not shown.
  if (carriage_control_ && !record.empty()) {
    out_.write(record.data() + 1, static_cast<std::streamsize>(record.size() - 1));
  } else {
    out_ << record;
  }
  out_ << '\n';
}

Console::Console(std::ostream& screen_stream, std::ostream& report_stream,
                 std::istream& keyboard_stream, Warnings* warnings)
    : screen(screen_stream, true),
      report(report_stream, false),
      console(screen_stream, true),
      screen_stream_(screen_stream),
      keyboard_(keyboard_stream, "keyboard input"),
      warnings_(warnings) {
  keyboard_.set_empty_line_limit(kKeyboardEmptyLineLimit);
}

void Console::both(std::string_view layout, const Values& values) {
  // The records are rendered once for both channels; rendering leaves the flags as they were.
  check_arithmetic();
  const std::vector<std::string> records = render_in(language_, layout, values);
  screen.write_records(records);
  report.write_records(records);
}

void Console::set_language(Language language) {
  language_ = language;
  screen.set_language(language);
  report.set_language(language);
  console.set_language(language);
}

void Console::both_text(std::string_view text) {
  screen.text(text);
  report.text(text);
}

void Console::both_blank() {
  screen.blank();
  report.blank();
}

namespace {

std::string lower_case(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// How a yes/no answer is read in a language: the first letters that mean yes, and the answers
// whose reading is what they say (a letter of the question, an empty line, the whole word).
struct AnswerRules {
  std::string_view yes_letters;
  std::span<const std::string_view> plain;
  const char* meaning;  // for the warning
};

const AnswerRules& answer_rules(Language language) {
  static constexpr std::string_view kTurkishPlain[] = {"", "e", "h", "evet", "hayir"};
  static constexpr std::string_view kEnglishPlain[] = {"",    "y",  "n",    "e",    "h",
                                                       "yes", "no", "evet", "hayir"};
  static const AnswerRules kTurkish{"Ee", kTurkishPlain, "E or e means yes, anything else no"};
  // In English Y and E both mean yes, so that a Turkish habit still reads as it did.
  static const AnswerRules kEnglish{"YyEe", kEnglishPlain,
                                    "Y, y, E or e means yes, anything else no"};
  return language == Language::English ? kEnglish : kTurkish;
}

bool plain_answer(const AnswerRules& rules, const std::string& answer) {
  const std::string word = lower_case(answer);
  return std::find(rules.plain.begin(), rules.plain.end(), word) != rules.plain.end();
}

}  // namespace

bool Console::ask_yes_no(std::string_view question_layout, const Values& values) {
  screen.write(question_layout, values);
  screen_stream_.flush();
  std::string answer;
  if (!keyboard_.next_line(answer)) return false;  // end of input: the default, no
  const AnswerRules& rules = answer_rules(language_);
  const bool yes = !answer.empty() && rules.yes_letters.find(answer[0]) != std::string_view::npos;
  if (warnings_ != nullptr && !plain_answer(rules, answer)) {
    warnings_->add(keyboard_.source() + ", line " + std::to_string(keyboard_.line_number()),
                   "the answer \"" + answer.substr(0, 40) + (answer.size() > 40 ? "..." : "") +
                       "\" is read as " + (yes ? "yes" : "no") +
                       " (only its first letter counts: " + rules.meaning + ")");
  }
  keyboard_lines_.add(std::move(answer));
  return yes;
}

void Console::read_numbers(std::initializer_list<ReadTarget> targets) {
  screen_stream_.flush();
  const ReadRecord record = keyboard_.read(targets);
  for (const ReadRecord::Line& line : record.lines) keyboard_lines_.add(line.text);
  if (warnings_ != nullptr) warn_decimal_commas(*warnings_, keyboard_.source(), record);
  std::size_t k = 0;
  for (const ReadTarget& target : targets) {
    const ReadRecord::Value& typed = record.values[k++];
    if (target.real == nullptr) continue;
    const auto same =
        std::find_if(typed_reals_.begin(), typed_reals_.end(),
                     [&](const ReadRecord::Value& v) { return v.name == typed.name; });
    if (same != typed_reals_.end()) {
      *same = typed;
    } else {
      typed_reals_.push_back(typed);
    }
  }
}

void Console::refuse_answer(int refused, std::string_view name, int low, int high) {
  if (refused < kKeyboardEmptyLineLimit) return;
  throw InputError(keyboard_.source() + ", line " + std::to_string(keyboard_.line_number()) + ": " +
                   std::to_string(refused) + " answers in a row outside " + std::to_string(low) +
                   " to " + std::to_string(high) + " for " + std::string(name));
}

void Console::pause(std::string_view text) {
  check_arithmetic();
  screen_stream_ << in_language(language_, text) << '\n';
  screen_stream_.flush();
  // Any line continues; so does the end of input.
  std::string line;
  if (keyboard_.next_line(line)) keyboard_lines_.add(line);
}

void Console::announce_stop() {
  screen_stream_ << "Stop - Program terminated.\n";
  screen_stream_.flush();
}

void Console::stop(std::string no_result) {
  announce_stop();
  throw RunStopped{std::move(no_result)};
}

}  // namespace tidewerk
