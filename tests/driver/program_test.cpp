// The driver's own items besides a run: the task-file templates, the check of a task file,
// where a run's files go and what is said about a task file that cannot be opened.
#include "driver/program.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cases/series_use.h"
#include "driver/case_table.h"
#include "driver/output_files.h"
#include "driver/task_check.h"
#include "driver/task_reading.h"
#include "driver/task_template.h"
#include "support/test_support.h"

namespace tidewerk {
namespace {

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

constexpr Series kSeries[] = {Series::WageningenB, Series::Gawn, Series::Kca};

// Every template reads back as the run reads it: its series, its case, all the case's values
// on line 81, and not one warning.  Its free lines explain the values in
// order and give the series' ranges.
TEST(TaskTemplate, EveryCaseAndSeriesReadsBackWithoutAWarning) {
  for (const CaseEntry& entry : case_table()) {
    for (const Series series : kSeries) {
      const int number = static_cast<int>(series);
      const std::string text = task_template(entry.number, series);
      const std::string label =
          "case " + std::to_string(entry.number) + ", series " + std::to_string(number);
      const std::vector<std::string> lines = lines_of(text);
      std::istringstream in(text);
      TaskFile task(in, "template.Tsk");
      Warnings warnings;
      TaskReader reader(task, warnings);
      ASSERT_TRUE(reader.read()) << label;
      const TaskRead& read = reader.progress();
      const Problem& problem = read.problem;
      EXPECT_EQ(read.series_number, number) << label;
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
      const SeriesUse& use = series_use(series);
      for (const std::string& range :
           {"P/D swept by the cases: " + fixed(use.PDmin, 2) + " to " + fixed(use.PDmax, 2),
            std::string("blade-area ratios accepted: ")}) {
        EXPECT_NE(text.find(range), std::string::npos) << label << ": " << range;
      }
      EXPECT_EQ(text.find("refuses") != std::string::npos, entry.number == 4 && !use.bollard_pull)
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

struct Checked {
  int status;
  std::string out, errors;
};

Checked check(const std::string& task, const std::string& name = "t.Tsk") {
  std::istringstream in(task);
  std::ostringstream out, errors;
  const int status = check_task(in, name, "/work/" + name, out, errors);
  return {status, out.str(), errors.str()};
}

TEST(CheckTask, ShowsTheFileSeriesCaseAndEachValueWithItsLine) {
  const Checked c =
      check(testing::task_file(1, 8, "450 5.2 105\n6.4 1025 4 0.65 0 3.5  T D N"), "d/coaster.Tsk");
  EXPECT_EQ(c.status, 0);
  EXPECT_EQ(c.errors, "");
  EXPECT_EQ(c.out,
            "Task file  d/coaster.Tsk (/work/d/coaster.Tsk)\n"
            "Series     1    Wageningen B series, line 16\n"
            "Case       8    pitch for a required thrust, line 80\n"
            "Values\n"
            "  T     = 450       kN     required thrust                     line 81\n"
            "  D     = 5.2       m      propeller diameter                  line 81\n"
            "  N     = 105       RPM    shaft speed                         line 81\n"
            "  Va    = 6.4       m/s    advance speed                       line 82\n"
            "  RHO   = 1025      kg/m3  water density                       line 82\n"
            "  Z     = 4                number of blades                    line 82\n"
            "  EAR   = 0.65             expanded blade-area ratio Ae/Ao     line 82\n"
            "  IVISC = 0                ITTC78 correction: 0 off, 1 on      line 82\n"
            "  Hs    = 3.5       m      shaft depth below the free surface  line 82\n"
            "Warnings   none\n");
}

// The slips a run warns about are listed, and a file that does not read says why on the error
// stream after what it read.
TEST(CheckTask, ListsTheWarningsAndNamesTheFault) {
  std::string one_line_short = testing::task_file(1, 8, "450 5.2 105 6.4 1025 4 0.65 0 3.5");
  one_line_short.erase(one_line_short.find("explanatory line 17\n"), 20);
  const struct {
    const char* name;
    std::string task;
    int status;
    bool values;  // the value list is shown
    std::vector<std::string> out;
    std::string errors;
  } rows[] = {
      // The run stops without a result at once: --check says so, with the run's reason.
      {"a free line missing above line 80",
       one_line_short,
       5,
       false,
       {"Case       450  not a case (1 to 10): nothing more is read, line 80\n",
        "Warnings\n  task file t.Tsk, line 80: the case line holds \"450 5.2 105",
        "more than one number; case 450 is used (is a free line missing or extra above it?)"},
       "Tidewerk: no result: line 80 holds case 450, not 1 to 10 (is a line missing above it?)\n"},
      {"decimal comma",
       testing::task_file(2, 5, "1,2 3 0.8"),
       5,
       true,
       {"  P/D   = 1 ", "  Z     = 2 ", "  EAR   = 3 ",
        "  task file t.Tsk, line 81: \"1,2\" reads as the two values 1 and 2",
        "  task file t.Tsk, line 81: Z = 2 is used as 3 by the Gawn series\n",
        "Run        ends without a result before computing\n"},
       "Tidewerk: no result: the blade-area ratio EAR = 3.0000 lies outside the range of the Gawn "
       "series (0.201 <= EAR < 1.101)\n"},
      {"series 4",
       testing::task_file(4, 5, "1.0 4 0.7"),
       5,
       true,
       {"Series     4    not a series (1 Wageningen B, 2 Gawn, 3 KCA), line 16\n"},
       "Tidewerk: no result: the series on line 16 is 4, not 1 (Wageningen B), 2 (Gawn) or 3 "
       "(KCA)\n"},
      {"the bollard-pull case with the Gawn series",
       testing::task_file(2, 4, "1000 120 1025 3 0.7 2.8 3.0 3.2"),
       5,
       true,
       {},
       "Tidewerk: no result: the bollard-pull case does not take the Gawn series\n"},
      // Case 7 makes no data-entry check; the design cases none for their blade-area-only entry.
      {"case 7 with EAR 1.2",
       testing::task_file(1, 7, "20 150 4 1.2 1025 4.0 120 5.0 0"),
       0,
       true,
       {"Warnings"},
       ""},
      {"case 8 blade-area only",
       testing::task_file(1, 8, "450 5.2 105 6.4 1025 4 0 0 3.5"),
       0,
       true,
       {"Warnings"},
       ""},
      {"short values",
       testing::task_file(3, 6, "1.0 4 0.7"),
       1,
       false,
       {"Series     3    KCA series, line 16\n", "Case       6    operating point",
        "Warnings   none\n"},
       "Tidewerk: input error: task file t.Tsk: the input ended after line 81 while a number was "
       "expected for RHO (kg/m3)\n"},
  };
  for (const auto& row : rows) {
    const Checked c = check(row.task);
    EXPECT_EQ(c.status, row.status) << row.name;
    for (const std::string& wanted : row.out) {
      EXPECT_NE(c.out.find(wanted), std::string::npos) << row.name << ": " << wanted << "\n"
                                                       << c.out;
    }
    if (row.errors.empty()) {
      EXPECT_EQ(c.errors, "") << row.name;
    } else {
      EXPECT_EQ(c.errors.rfind(row.errors, 0), 0u) << row.name << ": " << c.errors;
    }
    EXPECT_EQ(c.out.find("Values\n") != std::string::npos, row.values) << row.name;
  }
}

namespace fs = std::filesystem;

// Where a run's files go, for each way of naming the task file and the output folder.
TEST(OutputPlanOf, TheTaskFilesFolderAndStemOrTheClassicNames) {
  const struct {
    const char* task_file;
    const char* output_dir;
    const char* dir;
    const char* stem;
    const char* report;
  } rows[] = {
      {"", "", "", "Tidewerk", "Tidewerk.Son"},
      {"", "out", "out", "Tidewerk", "out/Tidewerk.Son"},
      {"designs/coaster.Tsk", "", "designs", "coaster", "designs/coaster.Son"},
      {"designs/coaster.Tsk", "out", "out", "coaster", "out/coaster.Son"},
      {"coaster.Tsk", "", "", "coaster", "coaster.Son"},
      {"/tmp/a/coaster.tug.Tsk", "", "/tmp/a", "coaster.tug", "/tmp/a/coaster.tug.Son"},
  };
  for (const auto& row : rows) {
    Options options;
    options.task_file = row.task_file;
    options.output_dir = row.output_dir;
    options.csv = true;
    const OutputPlan plan = output_plan(options);
    EXPECT_EQ(plan.dir, fs::path(row.dir)) << row.task_file;
    EXPECT_EQ(plan.stem, row.stem) << row.task_file;
    EXPECT_EQ(plan.report(), fs::path(row.report)) << row.task_file;
    EXPECT_TRUE(plan.kinds.csv && !plan.kinds.svg && !plan.kinds.json);
  }
}

// A folder of its own in the temporary folder, removed with the test.
struct Folder {
  fs::path path;
  explicit Folder(const std::string& name)
      : path(fs::temp_directory_path() /
             ("tidewerk-program-" + name + "-" + std::to_string(::getpid()))) {
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~Folder() { fs::remove_all(path); }
  void file(const std::string& name, const std::string& text = "") const {
    std::ofstream(path / name) << text;
  }
};

// The near matches of a name that is not there: letter case, one extension more or less.
TEST(NearMatches, LetterCaseAndOneExtensionMoreOrLess) {
  const Folder folder("near");
  for (const char* name : {"Coaster.tsk", "coaster", "coaster.Tsk.txt", "coaster.txt",
                           "coaster.Tsk.bak.txt", "tug.Tsk", "coasters.Tsk"}) {
    folder.file(name);
  }
  fs::create_directories(folder.path / "COASTER.TSK");  // a folder is no task file
  const fs::path given = folder.path / "coaster.Tsk";
  EXPECT_EQ(near_matches(given),
            (std::vector<fs::path>{folder.path / "Coaster.tsk", folder.path / "coaster",
                                   folder.path / "coaster.Tsk.txt"}));
  EXPECT_EQ(near_matches(folder.path / "Tug"), (std::vector<fs::path>{folder.path / "tug.Tsk"}));
  EXPECT_TRUE(near_matches(folder.path / "barge.Tsk").empty());
  EXPECT_TRUE(near_matches(folder.path / "no-folder" / "coaster.Tsk").empty());
}

TEST(NearMatches, TheMessageJoinsTheMatchesAndSaysWhatIsWrong) {
  const Folder folder("message");
  folder.file("Coaster.tsk");
  folder.file("coaster.Tsk.txt");
  fs::create_directories(folder.path / "d.Tsk");
  const fs::path given = folder.path / "coaster.Tsk";
  EXPECT_EQ(unopenable_task_file(given, false),
            "task file " + given.string() + ": cannot be opened (" + given.string() +
                ": no such file); did you mean " + (folder.path / "Coaster.tsk").string() + " or " +
                (folder.path / "coaster.Tsk.txt").string() + "?");
  EXPECT_NE(unopenable_task_file(folder.path / "x" / "t.Tsk", true)
                .find(": cannot be opened in the working directory (" +
                      (folder.path / "x" / "t.Tsk").string() + ": no folder "),
            std::string::npos);
  EXPECT_NE(unopenable_task_file(folder.path / "d.Tsk", false).find("a folder, not a file"),
            std::string::npos);
}

}  // namespace
}  // namespace tidewerk
