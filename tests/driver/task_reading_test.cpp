#include "driver/task_reading.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "driver/task_file.h"
#include "report/run_end.h"
#include "support/test_support.h"

namespace tidewerk {
namespace {

using testing::task_file;
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
  EXPECT_FALSE(read_case_values(problem, task).values.empty());
  return problem;
}

TEST(CaseValues, EachCaseReadsItsOwnListIntoItsFields) {
  Problem c = read_case(1, "100 4 5 1025 4 0.7");
  EXPECT_EQ(c.T, 100);
  EXPECT_EQ(c.D, 4);
  EXPECT_EQ(c.Va, 5);
  EXPECT_EQ(c.RHO, 1025);
  EXPECT_EQ(c.Z, 4);
  EXPECT_EQ(c.EAR, 0.7f);
  c = read_case(2, "100 120 5 1025 4 0.7");
  EXPECT_EQ(c.T, 100);
  EXPECT_EQ(c.N, 120);
  EXPECT_EQ(c.Va, 5);
  EXPECT_EQ(c.D, 0);
  c = read_case(3, "1000 5 120 1025 4 0.7");
  EXPECT_EQ(c.PQin, 1000);
  EXPECT_EQ(c.PQ, 1000000);
  EXPECT_EQ(c.Va, 5);
  EXPECT_EQ(c.N, 120);
  c = read_case(4, "1000 120 1025 4 0.7 2.8 3.0 3.2");
  EXPECT_EQ(c.PQ, 1000000);
  EXPECT_EQ(c.N, 120);
  EXPECT_EQ(c.RHO, 1025);
  EXPECT_EQ(c.D1, 2.8f);
  EXPECT_EQ(c.D2, 3.0f);
  EXPECT_EQ(c.D3, 3.2f);
  EXPECT_EQ(c.EAR, 0.7f);
  c = read_case(5, "1.1 4 0.7");
  EXPECT_EQ(c.PD, 1.1f);
  EXPECT_EQ(c.Z, 4);
  EXPECT_EQ(c.EAR, 0.7f);
  c = read_case(6, "1.0 4 0.7 1025 4.032 120 5 1");
  EXPECT_EQ(c.PD, 1);
  EXPECT_EQ(c.RHO, 1025);
  EXPECT_EQ(c.D, 4.032f);
  EXPECT_EQ(c.N, 120);
  EXPECT_EQ(c.Va, 5);
  EXPECT_EQ(c.IVISC, 1);
  c = read_case(7, "20 150 4 0.7 1025 4 120 5 1");
  EXPECT_EQ(c.Bp, 20);
  EXPECT_EQ(c.delta, 150);
  EXPECT_EQ(c.Z, 4);
  EXPECT_EQ(c.EAR, 0.7f);
  EXPECT_EQ(c.D, 4);
  EXPECT_EQ(c.N, 120);
  EXPECT_EQ(c.Va, 5);
  EXPECT_EQ(c.IVISC, 1);
  c = read_case(8, "300 4 120 6 1025 4 0.55 1 3");
  EXPECT_EQ(c.T, 300);
  EXPECT_EQ(c.D, 4);
  EXPECT_EQ(c.N, 120);
  EXPECT_EQ(c.Va, 6);
  EXPECT_EQ(c.EAR, 0.55f);
  EXPECT_EQ(c.IVISC, 1);
  EXPECT_EQ(c.Hs, 3);
  EXPECT_EQ(c.PQ, 0);
  c = read_case(10, "240 4.2 120 6.5 1025 4 0.55 0 3");
  EXPECT_EQ(c.PQin, 240);
  EXPECT_EQ(c.PQ, 240000);
  EXPECT_EQ(c.D, 4.2f);
  EXPECT_EQ(c.Hs, 3);
}

TEST(CaseValues, OneLineOrOneValuePerLineGiveTheSameRecord) {
  Problem a = read_case(9, "3000 4.2 120 6.5 1025 4 0.55 1 3.0");
  Problem b = read_case(9, "3000\n4.2\n120\n6.5\n1025\n4\n0.55\n1\n3.0\n");
  for (const Problem* c : {&a, &b}) {
    EXPECT_EQ(c->PQ, 3000000);
    EXPECT_EQ(c->D, 4.2f);
    EXPECT_EQ(c->N, 120);
    EXPECT_EQ(c->Va, 6.5f);
    EXPECT_EQ(c->RHO, 1025);
    EXPECT_EQ(c->Z, 4);
    EXPECT_EQ(c->EAR, 0.55f);
    EXPECT_EQ(c->IVISC, 1);
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

// read_task reads what a run reads, nothing after it, and records every value with its line;
// the read-time warnings come with it.
TEST(ReadTask, ReadsTheWholeTaskWithoutRunningTheCase) {
  const struct {
    const char* name;
    std::string task;
    bool known_case;
    int series, case_number;
    std::size_t values;
    int first_value_line;
    std::size_t warnings;
  } rows[] = {
      {"case 8 on one line", task_file(1, 8, "450 5.2 105 6.4 1025 4 0.65 0 3.5\nnot read"), true,
       1, 8, 9, 81, 0},
      {"values over lines", task_file(3, 5, "\n1.1\n\n4 0.8 comment"), true, 3, 5, 3, 82, 0},
      {"case 11 reads nothing more", task_file(2, 11, "not a number"), false, 2, 11, 0, 0, 1},
      {"decimal comma and Z", task_file(1, 5, "1.0 4.5 0,7"), true, 1, 5, 3, 81, 2},
  };
  for (const auto& row : rows) {
    std::istringstream in(row.task);
    TaskFile task(in, "t.Tsk");
    Warnings warnings;
    TaskReader reader(task, warnings);
    EXPECT_EQ(reader.read(), row.known_case) << row.name;
    const TaskRead& read = reader.progress();
    const Problem& problem = read.problem;
    EXPECT_EQ(read.series_number, row.series) << row.name;
    EXPECT_EQ(problem.case_number, row.case_number) << row.name;
    EXPECT_EQ(read.series_line.values.front().line, 16) << row.name;
    EXPECT_EQ(read.case_line.values.front().line, 80) << row.name;
    ASSERT_EQ(read.values.values.size(), row.values) << row.name;
    if (row.values > 0) {
      EXPECT_EQ(read.values.values.front().line, row.first_value_line) << row.name;
    }
    EXPECT_EQ(warnings.all().size(), row.warnings) << row.name;
  }
  // The values land in their fields, with PQ in W.
  std::istringstream in(task_file(1, 9, "4600 5.2 105 6.4 1025 4 0.65 1 3.5"));
  TaskFile task(in);
  Warnings warnings;
  TaskReader reader(task, warnings);
  ASSERT_TRUE(reader.read());
  const TaskRead& read = reader.progress();
  const Problem& problem = read.problem;
  EXPECT_EQ(problem.PQ, 4600000.0f);
  EXPECT_EQ(problem.IVISC, 1);
  EXPECT_EQ(problem.Hs, 3.5f);
  EXPECT_EQ(read.values.values[8].token, "3.5");
}

}  // namespace
}  // namespace tidewerk
