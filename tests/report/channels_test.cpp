#include "report/channels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <sstream>

#include "report/run_end.h"
#include "report/standard_blocks.h"
#include "support/test_support.h"

namespace tidewerk {
namespace {

using testing::TestConsole;

TEST(Channels, ScreenDropsColumnOneReportKeepsIt) {
  TestConsole t;
  t.io.both("(1X,'Z = ',I2)", {4});
  t.io.both_text("---|");
  t.io.both_blank();
  EXPECT_EQ(t.screen.str(), "Z =  4\n---|\n\n");
  EXPECT_EQ(t.report.str(), " Z =  4\n ---|\n\n");
}

TEST(Channels, BothWritesEveryRecordToEachChannelAndNothingForARefusedLayout) {
  TestConsole t;
  t.io.both("(1X,'P/D',/,1X,2F6.3)", {0.8f, 1.25f});
  EXPECT_THROW(t.io.both("(1X,Q)", {1}), LayoutError);
  t.io.both("(1X,'P/D',/,1X,2F6.3)", {0.9f, 1.5f});
  EXPECT_EQ(t.screen.str(), "P/D\n  .800 1.250\nP/D\n  .900 1.500\n");
  EXPECT_EQ(t.report.str(), " P/D\n   .800 1.250\n P/D\n   .900 1.500\n");
}

TEST(Channels, YesNoOnlyTheFirstCharacterCountsAndEndOfInputIsNo) {
  const struct {
    const char* keys;
    bool yes;
  } rows[] = {{"E\n", true}, {"e\n", true},   {"evet\n", true}, {"H\n", false}, {"h\n", false},
              {"\n", false}, {" E\n", false}, {"x\n", false},   {"", false}};
  for (const auto& row : rows) {
    TestConsole t(row.keys);
    EXPECT_EQ(t.io.ask_yes_no("(/A)", {" ITTC VISKOZ DUZELTMESI ISTER MISIN E/H <H>"}), row.yes)
        << row.keys;
    EXPECT_EQ(t.screen.str(), "\nITTC VISKOZ DUZELTMESI ISTER MISIN E/H <H>\n");
    EXPECT_EQ(t.report.str(), "");  // questions are on the screen only
  }
}

// An answer other than the letters of the question, an empty line or the whole word is read
// all the same, and the warning says how: "y" and "yes" are no, " e" is no, "1" is no.
TEST(Channels, AnAnswerThatIsNotOneOfTheQuestionsIsWarnedAboutWithItsReading) {
  const struct {
    const char* keys;
    const char* warning;  // "" : none
  } rows[] = {
      {"E\n", ""},
      {"h\n", ""},
      {"\n", ""},
      {"Evet\n", ""},
      {"HAYIR\n", ""},
      {"", ""},
      {"y\n", "keyboard input, line 1: the answer \"y\" is read as no"},
      {"yes\n", "the answer \"yes\" is read as no"},
      {" e\n", "the answer \" e\" is read as no"},
      {"ee\n", "the answer \"ee\" is read as yes"},
      {"1\n", "the answer \"1\" is read as no (only its first letter counts: E or e means yes"},
  };
  for (const auto& row : rows) {
    std::ostringstream screen, report, errors;
    std::istringstream keys(row.keys);
    Warnings warnings(&errors);
    Console io(screen, report, keys, &warnings);
    io.ask_yes_no("(/A)", {" ITTC VISKOZ DUZELTMESI ISTER MISIN E/H <H>"});
    if (*row.warning == '\0') {
      EXPECT_EQ(errors.str(), "") << row.keys;
    } else {
      EXPECT_NE(errors.str().find(row.warning), std::string::npos) << errors.str();
      EXPECT_EQ(warnings.all().size(), 1u) << row.keys;
    }
  }
}

// 999 empty or blank lines are crossed to the number; the thousandth ends the read naming the
// value it waits for and the lines.
TEST(Channels, AThousandEmptyLinesInARowEndANumberRead) {
  float D = 0;
  TestConsole patient(std::string(999, '\n') + "4.5\n");
  patient.io.read_numbers({real_target("D (m)", D)});
  EXPECT_EQ(D, 4.5f);
  std::string blanks = "E\n";
  for (int k = 0; k < 1000; ++k) blanks += k % 3 ? " \t\n" : ",\n";
  TestConsole endless(blanks + "4.5\n");
  endless.io.ask_yes_no("(A)", {" E/H"});
  try {
    endless.io.read_numbers({real_target("D (m)", D)});
    ADD_FAILURE() << "no input error";
  } catch (const InputError& e) {
    EXPECT_STREQ(e.what(),
                 "keyboard input, lines 2 to 1001: 1000 empty lines in a row while a number was "
                 "expected for D (m)");
  }
}

TEST(Channels, NumberEntryOverSeveralLinesAndItsEndOfInput) {
  TestConsole t("4.0\n\n120\n");
  float D = 0, N = 0;
  t.io.read_numbers({real_target("D (m)", D), real_target("N (RPM)", N)});
  EXPECT_EQ(D, 4.0f);
  EXPECT_EQ(N, 120.0f);
  TestConsole empty("");
  EXPECT_THROW(empty.io.read_numbers({real_target("D (m)", D)}), InputError);
  TestConsole word("abc\n");
  EXPECT_THROW(word.io.read_numbers({real_target("D (m)", D)}), InputError);
}

TEST(Channels, PauseContinuesAtEndOfInputAndStopThrows) {
  TestConsole t("");
  t.io.pause(" DEVAM ICIN ENTER TUSUNA BASINIZ ");
  EXPECT_THROW(t.io.stop(), RunStopped);
  EXPECT_EQ(t.screen.str(), " DEVAM ICIN ENTER TUSUNA BASINIZ \nStop - Program terminated.\n");
}

TEST(Channels, AnArithmeticFaultEndsTheRunBeforeTheNextRecord) {
  for (int fault = 0; fault < 3; ++fault) {
    TestConsole t;
    clear_arithmetic_flags();
    t.io.both("(1X,'before')");
    volatile float zero = 0.0f, big = 3e38f, minus = -1.0f;
    volatile float r = fault == 0 ? 1.0f / zero : fault == 1 ? std::sqrt(minus) : big * big;
    (void)r;
    EXPECT_THROW(t.io.both("(1X,'after')"), ArithmeticError) << fault;
    EXPECT_EQ(t.report.str(), " before\n");
    clear_arithmetic_flags();
  }
}

TEST(StandardBlocks, ViscousStatement) {
  const char* kNone =
      "\n TAM OLCEGE EKSTRAPOLASYONDA\n VISKOZ DUZELTME YAPILMAMISTIR\n"
      " -----------------------------------------------------------------|\n";
  const char* kIttc =
      "\n TAM OLCEGE EKSTRAPOLASYONDA\n ITTC78 VISKOZ DUZELTME YONTEMI KULLANILMISTIR\n"
      " -----------------------------------------------------------------|\n";
  // The statement follows what was done to the numbers: the evaluator's own test.
  const Ittc78Conditions full_scale{4, 5, 150}, at_rest{4, 0, 0.0005f};
  const struct {
    Series series;
    std::optional<Ittc78Conditions> conditions;
    const char* text;
  } rows[] = {{Series::WageningenB, full_scale, kIttc},
              {Series::WageningenB, std::nullopt, kNone},
              {Series::WageningenB, at_rest, kNone},
              {Series::Gawn, full_scale, kNone},
              {Series::Kca, full_scale, kNone}};
  for (const auto& row : rows) {
    TestConsole v;
    write_viscous_statement(v.io, ittc78_applied(row.series, row.conditions));
    EXPECT_EQ(v.report.str(), row.text) << static_cast<int>(row.series);
  }
}

}  // namespace
}  // namespace tidewerk
