#include "report/channels.h"

#include <cfenv>

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

void OutputChannel::write(std::string_view layout, const Values& values) {
  check_arithmetic();
  for (const std::string& record : render_records(layout, values)) emit(record);
}

void OutputChannel::write_records(const std::vector<std::string>& records) {
  check_arithmetic();
  for (const std::string& record : records) emit(record);
}

void OutputChannel::text(std::string_view text) {
  check_arithmetic();
  emit(" " + std::string(text));
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
      warnings_(warnings) {}

void Console::both(std::string_view layout, const Values& values) {
  // The records are rendered once for both channels; rendering leaves the flags as they were.
  check_arithmetic();
  const std::vector<std::string> records = render_records(layout, values);
  screen.write_records(records);
  report.write_records(records);
}

void Console::both_text(std::string_view text) {
  screen.text(text);
  report.text(text);
}

void Console::both_blank() {
  screen.blank();
  report.blank();
}

bool Console::ask_yes_no(std::string_view question_layout, const Values& values) {
  screen.write(question_layout, values);
  screen_stream_.flush();
  std::string answer;
  if (!keyboard_.next_line(answer)) return false;  // end of input: the default, no
  keyboard_lines_.push_back(answer);
  return !answer.empty() && (answer[0] == 'E' || answer[0] == 'e');
}

void Console::read_numbers(std::initializer_list<ReadTarget> targets) {
  screen_stream_.flush();
  const ReadRecord record = keyboard_.read(targets);
  for (const ReadRecord::Line& line : record.lines) keyboard_lines_.push_back(line.text);
  if (warnings_ != nullptr) warn_decimal_commas(*warnings_, keyboard_.source(), record);
}

void Console::pause(std::string_view text) {
  check_arithmetic();
  screen_stream_ << text << '\n';
  screen_stream_.flush();
  // Any line continues; so does the end of input.
  std::string line;
  if (keyboard_.next_line(line)) keyboard_lines_.push_back(line);
}

void Console::stop(std::string no_result) {
  screen_stream_ << "Stop - Program terminated.\n";
  screen_stream_.flush();
  throw RunStopped{std::move(no_result)};
}

}  // namespace tidewerk
