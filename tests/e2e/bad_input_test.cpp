// The bad-input catalogue: every kind of slip a user makes in the task file or at the
// keyboard, run through the real program.  Each run must end in bounded time with a clear
// message and the right exit status, and the report must hold only complete lines of what was
// written before the fault, never a "nan" or "inf".
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/wait.h>

#include "support/test_support.h"

namespace fs = std::filesystem;

namespace tidewerk {
namespace {

using testing::read_file;
using testing::task_file;

struct Slip {
  const char* name;
  std::string task;      // the task file's content; "<missing>" for no file
  std::string keyboard;  // what is typed
  int status;            // expected exit status
  std::string message;   // a text the error output must contain ("" : the error output is empty)
  std::string report;    // a text the report must contain ("" : nothing to check)
};

struct Outcome {
  int status = -1;
  std::string screen, report, errors;
};

Outcome run_binary(const std::string& name, const std::string& task, const std::string& keyboard) {
  const fs::path work = fs::temp_directory_path() / ("tidewerk-slip-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(work);
  fs::create_directories(work);
  if (task != "<missing>") std::ofstream(work / "Tidewerk_28-03-2020.Tsk", std::ios::binary) << task;
  std::ofstream(work / "keyboard.txt", std::ios::binary) << keyboard;
  const std::string command = "cd '" + work.string() + "' && timeout 60 '" + TIDEWERK_BINARY +
                              "' < keyboard.txt > screen.out 2> errors.out";
  const int raw = std::system(command.c_str());
  Outcome out;
  out.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  out.screen = read_file((work / "screen.out").string());
  out.report = read_file((work / "Tidewerk.Son").string());
  out.errors = read_file((work / "errors.out").string());
  fs::remove_all(work);
  return out;
}

// The first 79 lines of a valid task file, then `rest`.
std::string head_then(const std::string& rest, int series = 1) {
  std::string text = task_file(series, 0, "");
  text.erase(text.rfind("0\n"));
  return text + rest;
}

std::vector<Slip> catalogue() {
  const std::string banner_end = " ------------------------------------------------------------------------\n";
  std::vector<Slip> slips = {
      {"missing_task_file", "<missing>", "", 1, "cannot be opened", ""},
      {"empty_task_file", "", "", 1, "the file ends after line 0, within the 15 explanatory lines", ""},
      {"short_task_file", "a\nb\nc\n", "", 1, "the file ends after line 3", ""},
      {"seventy_nine_lines", head_then(""), "", 1, "the input ended after line 79 while a whole number was expected for case", ""},
      {"binary_task_file", std::string("\x7f" "ELF\x02\x01\x01\0\0\0\0", 12) + std::string(3000, '\x90'), "", 1,
       "the file ends after line 1", ""},
      {"word_for_series", head_then("5\n1 4 0.7\n").replace(head_then("").find("\n1\n") + 1, 1, "one"), "", 1,
       "line 16: \"one\" is not a whole number", ""},
      {"real_for_series", std::string(15, '\n') + "1.5\n", "", 1, "line 16: \"1.5\" is not a whole number", ""},
      {"lone_sign_for_a_value", head_then("5\n1.0 - 0.7\n"), "", 1, "line 81: \"-\" is not a number (expected Z)", ""},
      {"two_points_in_a_value", head_then("5\n1.2.3 4 0.7\n"), "", 1, "line 81: \"1.2.3\" is not a number (expected P/D)", ""},
      {"exponent_without_digits", head_then("5\n1e 4 0.7\n"), "", 1, "\"1e\" is not a number", ""},
      {"overflowing_value", head_then("5\n1e999 4 0.7\n"), "", 1, "\"1e999\" is not a number", ""},
      {"real_for_ivisc", head_then("8\n300 4 120 6 1025 4 0.55 1.5 3\n"), "", 1,
       "\"1.5\" is not a whole number (expected IVISC)", ""},
      {"values_missing_at_end", head_then("5\n1.0 4\n"), "", 1, "while a number was expected for EAR", ""},
      {"case_minus_one", head_then("-1\n"), "", 0, "", banner_end},
      {"case_zero", head_then("0\n"), "", 0, "", banner_end},
      {"case_eleven", head_then("11\n"), "", 0, "", banner_end},
      {"case_ninety_nine", head_then("99\n"), "", 0, "", banner_end},
      {"very_long_lines", std::string(5000, 'x') + "\n" + head_then("5\n1.0 4 0.7 " + std::string(5000, 'y') + "\n").substr(
                                                                  head_then("").find('\n') + 1),
       "H\n", 0, "", "HESAPLARDA WAGENINGEN B SERISI KULLANILMISTIR"},
      {"case5_keyboard_ends_at_the_question", head_then("5\n1.0 4 0.7\n"), "", 0, "", "VISKOZ DUZELTME YAPILMAMISTIR"},
      {"case5_keyboard_ends_at_the_numbers", head_then("5\n1.0 4 0.7\n"), "E\n4\n", 1,
       "keyboard input: the input ended after line 2 while a number was expected for N (RPM)", ""},
      {"case5_word_at_the_numbers", head_then("5\n1.0 4 0.7\n"), "E\nfour 120\n", 1,
       "keyboard input, line 2: \"four\" is not a number (expected D (m))", ""},
  };
  // A series outside 1..3 fails the data-entry check of every case that makes it.
  for (int series : {0, 4}) {
    for (const char* values : {"5\n1.0 4 0.7\n"}) {
      slips.push_back({series == 0 ? "series0_case5" : "series4_case5", head_then(values, series), "", 0, "",
                       "Tidewerk Programi Data Giris Hata Uyarisi"});
    }
  }
  return slips;
}

class BadInput : public ::testing::TestWithParam<Slip> {};

TEST_P(BadInput, EndsCleanlyWithAClearMessage) {
  const Slip& slip = GetParam();
  const Outcome out = run_binary(slip.name, slip.task, slip.keyboard);
  EXPECT_EQ(out.status, slip.status) << out.errors;
  if (slip.message.empty()) {
    EXPECT_EQ(out.errors, "");
  } else {
    EXPECT_NE(out.errors.find(slip.message), std::string::npos) << out.errors;
    EXPECT_EQ(out.errors.rfind("Tidewerk: ", 0), 0u) << out.errors;
  }
  if (!slip.report.empty()) EXPECT_NE(out.report.find(slip.report), std::string::npos) << out.report;
  // The report always starts with the banner and holds complete lines only.
  EXPECT_EQ(out.report.rfind(" -----", 0), 0u);
  EXPECT_TRUE(out.report.empty() || out.report.back() == '\n');
  for (const char* bad : {"nan", "inf"}) {
    std::istringstream words(out.report);
    for (std::string w; words >> w;) EXPECT_NE(w.find(bad), 0u) << w;
  }
  // A run that did not stop normally never claims it did.
  if (out.status != 0) EXPECT_EQ(out.screen.find("Stop - Program terminated."), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, BadInput, ::testing::ValuesIn(catalogue()),
                         [](const ::testing::TestParamInfo<Slip>& info) { return std::string(info.param.name); });

// Commas, tabs and Windows line ends are separators and line ends like any other.
TEST(BadInputSeparators, CommasTabsAndCrlfReadTheSameAsBlanks) {
  const Outcome plain = run_binary("plain", head_then("5\n1.0 4 0.7\n"), "H\n");
  std::string crlf = head_then("5\n1.0,\t4 ,0.7\n");
  for (std::size_t at = 0; (at = crlf.find('\n', at)) != std::string::npos; at += 2) crlf.insert(at, "\r");
  const Outcome odd = run_binary("crlf", crlf, "H\r\n");
  EXPECT_EQ(odd.status, 0) << odd.errors;
  EXPECT_EQ(odd.report, plain.report);
  EXPECT_EQ(odd.screen, plain.screen);
}

}  // namespace
}  // namespace tidewerk
