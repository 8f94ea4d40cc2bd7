// The driver's own items besides a run: the task-file templates, the check of a task file,
// where a run's files go and what is said about a task file that cannot be opened.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "driver/case_table.h"
#include "driver/main_program.h"
#include "driver/task_template.h"

namespace tidewerk {
namespace {

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

constexpr Series kSeries[] = {Series::WageningenB, Series::Gawn, Series::Kca};

// Every template reads back as the run reads it: its series and case on lines 16 and 80, all
// the case's values from line 81, and not one warning.  Its free lines explain the values in
// order and give the series' ranges.
TEST(TaskTemplate, EveryCaseAndSeriesReadsBackWithoutAWarning) {
  for (const CaseEntry& entry : case_table()) {
    for (const Series series : kSeries) {
      const int number = static_cast<int>(series);
      const std::string text = task_template(entry.number, series);
      const std::string label =
          "case " + std::to_string(entry.number) + ", series " + std::to_string(number);
      const std::vector<std::string> lines = lines_of(text);
      ASSERT_GT(lines.size(), 81u) << label;
      EXPECT_EQ(lines[15], std::to_string(number) + "      " +
                               std::string(series_facts(series).name) + " series")
          << label;
      EXPECT_EQ(lines[79].rfind(std::to_string(entry.number) + " ", 0), 0u) << label;

      std::istringstream in(text);
      TaskFile task(in, "template.Tsk");
      Problem problem;
      TaskRead read;
      Warnings warnings;
      ASSERT_TRUE(read_task(problem, task, warnings, read)) << label;
      EXPECT_EQ(problem.series_number, number) << label;
      EXPECT_EQ(problem.case_number, entry.number) << label;
      ASSERT_EQ(read.values.values.size(), entry.count) << label;
      EXPECT_EQ(read.values.values.back().line, 81) << label;
      EXPECT_TRUE(warnings.all().empty()) << label << ": " << warnings.all().front().what;

      // The value list of lines 17 to 79, in the case's order, and the names on line 81.
      std::size_t line = 16;
      while (line < 79 && lines[line].rfind("Line 80 holds", 0) != 0) ++line;
      for (const CaseField& field : entry.values()) {
        while (line < 79 && lines[line].find(field.meaning) == std::string::npos) ++line;
        EXPECT_LT(line, 79u) << label << ": " << field.meaning;
        EXPECT_NE(lines[line].find(field.label), std::string::npos) << label << ": " << lines[line];
        EXPECT_NE(lines[80].find(field.label), std::string::npos) << label;
      }
      const SeriesFacts& facts = series_facts(series);
      for (const std::string& range : {"P/D swept by the cases: " + fixed(facts.PDmin, 2) +
                                           " to " + fixed(facts.PDmax, 2),
                                       std::string("blade-area ratios accepted: ")}) {
        EXPECT_NE(text.find(range), std::string::npos) << label << ": " << range;
      }
      EXPECT_EQ(text.find("refuses") != std::string::npos, entry.number == 4 && !facts.bollard_pull)
          << label;
    }
  }
}

TEST(TaskTemplate, TheListingNamesTheTenCasesInOrder) {
  const std::vector<std::string> lines = lines_of(case_listing());
  ASSERT_EQ(lines.size(), 10u);
  for (const CaseEntry& entry : case_table()) {
    const std::string& line = lines[static_cast<std::size_t>(entry.number - 1)];
    EXPECT_EQ(line.rfind(std::to_string(entry.number) + " ", 0), 0u) << line;
    EXPECT_EQ(line.substr(4), entry.title);
  }
  EXPECT_THROW(task_template(11, Series::WageningenB), std::invalid_argument);
}

}  // namespace
}  // namespace tidewerk
