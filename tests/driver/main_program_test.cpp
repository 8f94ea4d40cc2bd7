#include "driver/main_program.h"

#include <gtest/gtest.h>

#include <sstream>

#include "driver/task_file.h"
#include "report/run_end.h"
#include "support/test_support.h"

namespace tidewerk {
namespace {

using testing::run_in_process;
using testing::task_file;

const std::string kBannerReport =
    " ------------------------------------------------------------------------\n"
    " !                                                                      !\n"
    " !                                                                      !\n"
    " !   WAGENINGEN/GAWN/KCA SERISI PERVANE HIDRODINAMIK KARAKTERISTILERI   !\n"
    " !                            HESAP PROGRAMI                            !\n"
    " ------------------------------------------------------------------------\n";

std::string screen_of(const std::string& report) {
  std::string screen;
  std::istringstream in(report);
  for (std::string line; std::getline(in, line);) screen += (line.empty() ? line : line.substr(1)) + "\n";
  return screen;
}

TEST(MainProgram, CaseNumbersOutsideOneToTenWriteOnlyTheBannerAndClose) {
  for (int case_number : {0, 11, -1, 99}) {
    auto run = run_in_process(task_file(1, case_number, "1 2 3"));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.report, kBannerReport) << case_number;
    EXPECT_EQ(run.screen, screen_of(kBannerReport) +
                              "\n\nBITIRMEK ICIN ENTER TUSUNA BASINIZ\nStop - Program terminated.\n");
  }
}

TEST(MainProgram, BannerLinesAre73ColumnsOnTheReport) {
  auto run = run_in_process(task_file(1, 0, ""));
  std::istringstream in(run.report);
  for (std::string line; std::getline(in, line);) EXPECT_EQ(line.size(), 73u) << line;
}

TEST(MainProgram, AnOutOfRangeBladeAreaStopsWithTheMessageBlock) {
  auto run = run_in_process(task_file(4, 5, "1.0 4 0.7"));  // no limits for series 4
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.report, kBannerReport + "\n\n\n  Tidewerk Programi Data Giris Hata Uyarisi: \n");
  EXPECT_NE(run.screen.find("  BITIRMEK ICIN ENTER TUSUNA BASINIZ\nStop - Program terminated.\n"),
            std::string::npos);
}

TEST(MainProgram, MissingShortOrUnreadableTaskFilesAreInputErrors) {
  const struct {
    std::optional<std::string> task;
    const char* message;
  } rows[] = {
      {std::nullopt, "task file Tidewerk_28-03-2020.Tsk: cannot be opened in the working directory"},
      {std::string("one\ntwo\nthree\nfour\nfive\nsix\nseven\neight\nnine\nten\n"),
       "task file Tidewerk_28-03-2020.Tsk: the file ends after line 10, within the 15 explanatory lines"},
      {task_file(1, 5, "").substr(0, 200), "the file ends after line"},
      {std::string(15, '\n') + "Wageningen\n", "line 16: \"Wageningen\" is not a whole number (expected series (line 16))"},
      {std::string(15, '\n') + "1.5\n", "line 16: \"1.5\" is not a whole number"},
      {task_file(1, 5, "1.0 4"), "the input ended after line 81 while a number was expected for EAR"},
  };
  for (const auto& row : rows) {
    auto run = run_in_process(row.task);
    EXPECT_EQ(run.status, kExitInputError);
    EXPECT_EQ(run.report, kBannerReport);  // what was written before the fault stays
    EXPECT_NE(run.errors.find(row.message), std::string::npos) << run.errors << " -- " << row.message;
    EXPECT_EQ(run.screen.find("Stop - Program terminated."), std::string::npos);
  }
}

TEST(TaskFileReading, SkipCountsLongLinesAsOneAndIgnoresCommentsAfterTheSeries) {
  std::string text = std::string(200, 'x') + "\n";
  for (int k = 2; k <= 15; ++k) text += "\n";
  text += "1   Wageningen B, the comment is ignored 99\n";
  std::istringstream in(text);
  TaskFile task(in);
  task.skip_lines(15, "top");
  int series = 0;
  task.read({integer_target("series", series)});
  EXPECT_EQ(series, 1);
}

// Reads the value list of one case from `values`, as the main program does.
Problem read_case(int case_number, const std::string& values) {
  Problem problem;
  problem.case_number = case_number;
  std::istringstream in(values);
  TaskFile task(in);
  EXPECT_TRUE(read_case_values(problem, task));
  return problem;
}

TEST(CaseValues, EachCaseReadsItsOwnListIntoItsFields) {
  Problem c = read_case(1, "100 4 5 1025 4 0.7");
  EXPECT_EQ(c.T, 100); EXPECT_EQ(c.D, 4); EXPECT_EQ(c.Va, 5); EXPECT_EQ(c.RHO, 1025); EXPECT_EQ(c.Z, 4);
  EXPECT_EQ(c.EAR, 0.7f);
  c = read_case(2, "100 120 5 1025 4 0.7");
  EXPECT_EQ(c.T, 100); EXPECT_EQ(c.N, 120); EXPECT_EQ(c.Va, 5); EXPECT_EQ(c.D, 0);
  c = read_case(3, "1000 5 120 1025 4 0.7");
  EXPECT_EQ(c.PQin, 1000); EXPECT_EQ(c.PQ, 1000000); EXPECT_EQ(c.Va, 5); EXPECT_EQ(c.N, 120);
  c = read_case(4, "1000 120 1025 4 0.7 2.8 3.0 3.2");
  EXPECT_EQ(c.PQ, 1000000); EXPECT_EQ(c.N, 120); EXPECT_EQ(c.RHO, 1025); EXPECT_EQ(c.D1, 2.8f);
  EXPECT_EQ(c.D2, 3.0f); EXPECT_EQ(c.D3, 3.2f); EXPECT_EQ(c.EAR, 0.7f);
  c = read_case(5, "1.1 4 0.7");
  EXPECT_EQ(c.PD, 1.1f); EXPECT_EQ(c.Z, 4); EXPECT_EQ(c.EAR, 0.7f);
  c = read_case(6, "1.0 4 0.7 1025 4.032 120 5 1");
  EXPECT_EQ(c.PD, 1); EXPECT_EQ(c.RHO, 1025); EXPECT_EQ(c.D, 4.032f); EXPECT_EQ(c.N, 120);
  EXPECT_EQ(c.Va, 5); EXPECT_EQ(c.IVISC, 1);
  c = read_case(7, "20 150 4 0.7 1025 4 120 5 1");
  EXPECT_EQ(c.Bp, 20); EXPECT_EQ(c.delta, 150); EXPECT_EQ(c.Z, 4); EXPECT_EQ(c.EAR, 0.7f);
  EXPECT_EQ(c.D, 4); EXPECT_EQ(c.N, 120); EXPECT_EQ(c.Va, 5); EXPECT_EQ(c.IVISC, 1);
  c = read_case(8, "300 4 120 6 1025 4 0.55 1 3");
  EXPECT_EQ(c.T, 300); EXPECT_EQ(c.D, 4); EXPECT_EQ(c.N, 120); EXPECT_EQ(c.Va, 6);
  EXPECT_EQ(c.EAR, 0.55f); EXPECT_EQ(c.IVISC, 1); EXPECT_EQ(c.Hs, 3); EXPECT_EQ(c.PQ, 0);
  c = read_case(10, "240 4.2 120 6.5 1025 4 0.55 0 3");
  EXPECT_EQ(c.PQin, 240); EXPECT_EQ(c.PQ, 240000); EXPECT_EQ(c.D, 4.2f); EXPECT_EQ(c.Hs, 3);
}

TEST(CaseValues, OneLineOrOneValuePerLineGiveTheSameRecord) {
  Problem a = read_case(9, "3000 4.2 120 6.5 1025 4 0.55 1 3.0");
  Problem b = read_case(9, "3000\n4.2\n120\n6.5\n1025\n4\n0.55\n1\n3.0\n");
  for (const Problem* c : {&a, &b}) {
    EXPECT_EQ(c->PQ, 3000000); EXPECT_EQ(c->D, 4.2f); EXPECT_EQ(c->N, 120); EXPECT_EQ(c->Va, 6.5f);
    EXPECT_EQ(c->RHO, 1025); EXPECT_EQ(c->Z, 4); EXPECT_EQ(c->EAR, 0.55f); EXPECT_EQ(c->IVISC, 1);
    EXPECT_EQ(c->Hs, 3.0f);
  }
  EXPECT_EQ(read_case(9, "1.5 4 120 6 1025 4 0.55 0 3").PQ, 1500.0f);
}

TEST(CaseValues, IvIscMustBeAWholeNumber) {
  Problem problem;
  problem.case_number = 8;
  std::istringstream in("300 4 120 6 1025 4 0.55 1.5 3");
  TaskFile task(in);
  EXPECT_THROW(read_case_values(problem, task), InputError);
}

}  // namespace
}  // namespace tidewerk
