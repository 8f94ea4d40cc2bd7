// Output channels and the console dialogue.
//
// screen  - the console screen; column 1 of every record is carriage control and not shown.
// report  - the report file Tidewerk.Son; every column is written.
// console - the console screen, for the free-form records around pauses.
// keyboard - answers typed by the user.
//
// Before each record is written the floating-point environment is tested: a division by
// zero, an invalid operation or an overflow since the start of the run ends it with an
// ArithmeticError, so that no record carries the result of a fault.
#pragma once

#include <initializer_list>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "report/free_form.h"
#include "report/record_notation.h"
#include "report/texts.h"
#include "report/warnings.h"

namespace tidewerk {

// Throws ArithmeticError when a division by zero, invalid operation or overflow has been
// flagged since the flags were last cleared.
void check_arithmetic();
// Clears the floating-point exception flags (at the start of a run).
void clear_arithmetic_flags();

// The keyboard lines a run took (answers, numbers, pauses): the first kKept in order and a
// count of the rest, so that a run fed endless input keeps a bounded record.
struct KeyboardLog {
  static constexpr std::size_t kKept = 1000;
  std::vector<std::string> lines;  // the first kKept lines
  std::size_t not_kept = 0;        // lines taken after them

  void add(std::string line);
};

// Lines without a value in a row at a number prompt that end the run as an input error: far
// more than anyone types, a sign that the input is a stream of empty lines.
inline constexpr int kKeyboardEmptyLineLimit = 1000;

class OutputChannel {
 public:
  OutputChannel(std::ostream& out, bool carriage_control)
      : out_(out), carriage_control_(carriage_control) {}

  // Writes the records of one layout filled with `values`, in the channel's language (the
  // layout and its text values as the language's table gives them).
  void write(std::string_view layout, const Values& values = {});
  // Writes records already rendered.
  void write_records(const std::vector<std::string>& records);
  // A free-form record: one blank column, then the text.
  void text(std::string_view text);
  // An empty free-form record.
  void blank();

  void set_language(Language language) { language_ = language; }
  Language language() const { return language_; }

 private:
  void emit(const std::string& record);
  std::ostream& out_;
  bool carriage_control_;
  Language language_ = Language::Turkish;
};

// The records of `layout` with `values` in `language`.
std::vector<std::string> render_in(Language language, std::string_view layout,
                                   const Values& values);

class Console {
 public:
  // Slips at the keyboard (a decimal comma) are reported to `warnings` when one is given.
  Console(std::ostream& screen_stream, std::ostream& report_stream, std::istream& keyboard_stream,
          Warnings* warnings = nullptr);

  OutputChannel screen;
  OutputChannel report;
  OutputChannel console;

  // Result records, record by record: to the screen channel, then to the report channel.
  void both(std::string_view layout, const Values& values = {});
  void both_text(std::string_view text);
  void both_blank();

  // A whole block to the screen channel, then the same block to the report channel.
  template <class WriteBlock>
  void block(WriteBlock&& write_block) {
    write_block(screen);
    write_block(report);
  }

  // The language of the screen, the report and the questions (Turkish unless set).
  void set_language(Language language);

  // Yes/no question: writes the layout on the screen, reads one line; only its first
  // character counts and "E" or "e" is yes (in English also "Y" or "y").  End of keyboard input
  // counts as no.  An answer that is not one of the expected ones is warned about with how it
  // was read.
  bool ask_yes_no(std::string_view question_layout, const Values& values = {});
  // Number entry: one free-form read from the keyboard.  End of input, and
  // kKeyboardEmptyLineLimit empty lines in a row, are an InputError.
  void read_numbers(std::initializer_list<ReadTarget> targets);
  // A whole number typed outside `low` to `high`, about to be asked again: the `refused`-th in a
  // row.  The kKeyboardEmptyLineLimit-th ends the run with an InputError naming the prompt: the
  // input is not someone typing.
  void refuse_answer(int refused, std::string_view name, int low, int high);
  // Pause: shows `text` on a line of its own and waits for a line (end of input continues).
  void pause(std::string_view text);
  // Stop: shows "Stop - Program terminated." and ends the run (throws RunStopped); a
  // non-empty `no_result` says why the case has no result.
  [[noreturn]] void stop(std::string no_result = {});
  // The same stop message where the run ends normally, by returning.
  void announce_stop();

  std::ostream& screen_stream() { return screen_stream_; }
  // The keyboard lines the dialogue has taken (answers, numbers, pauses), in order.
  const KeyboardLog& keyboard_lines() const { return keyboard_lines_; }
  // The real values typed at the number prompts, the last of each name: the likely cause of
  // an arithmetic fault when zero or negative.
  const std::vector<ReadRecord::Value>& typed_reals() const { return typed_reals_; }

 private:
  std::ostream& screen_stream_;
  FreeFormReader keyboard_;
  Warnings* warnings_;
  Language language_ = Language::Turkish;
  KeyboardLog keyboard_lines_;
  std::vector<ReadRecord::Value> typed_reals_;
};

}  // namespace tidewerk
