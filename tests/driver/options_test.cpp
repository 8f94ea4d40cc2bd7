// The command line: tidewerk [OPTIONS] [TASK_FILE].
#include "driver/options.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/test_support.h"

namespace tidewerk {
namespace {

// Each command line, and what the program reads from it.
TEST(CommandLineOptions, EachArgumentSetsItsField) {
  Options o = parse_options({"--svg", "--csv", "--json", "-q", "-o", "out", "designs/coaster.Tsk"});
  EXPECT_TRUE(o.svg && o.csv && o.json && o.quiet && !o.help && !o.version && !o.check);
  EXPECT_EQ(o.output_dir, "out");
  EXPECT_EQ(o.task_file, "designs/coaster.Tsk");
  EXPECT_FALSE(o.template_case || o.template_listing || o.series);
  EXPECT_EQ(o.error, "");

  o = parse_options({});
  EXPECT_TRUE(!o.svg && !o.csv && !o.json && !o.quiet && !o.check && o.task_file.empty() &&
              o.output_dir.empty() && o.error.empty());
  EXPECT_TRUE(parse_options({"--help"}).help);
  EXPECT_TRUE(parse_options({"-h"}).help);
  EXPECT_TRUE(parse_options({"--version"}).version);
  EXPECT_TRUE(parse_options({"--quiet"}).quiet);
  EXPECT_EQ(parse_options({"--output-dir=runs/a"}).output_dir, "runs/a");
  EXPECT_EQ(parse_options({"--", "-odd.Tsk"}).task_file, "-odd.Tsk");

  o = parse_options({"--template", "4", "--series", "3"});
  EXPECT_EQ(o.template_case, 4);
  EXPECT_EQ(o.series, Series::Kca);
  EXPECT_FALSE(o.template_listing);
  o = parse_options({"--template"});
  EXPECT_TRUE(o.template_listing);
  EXPECT_FALSE(o.template_case || o.series);
  EXPECT_EQ(parse_options({"--template=10"}).template_case, 10);

  o = parse_options({"--check", "coaster.Tsk"});
  EXPECT_TRUE(o.check);
  EXPECT_EQ(o.task_file, "coaster.Tsk");
  EXPECT_TRUE(parse_options({"--check"}).task_file.empty());
}

// A command line that is refused names the first thing wrong with it.
TEST(CommandLineOptions, AnUnknownOptionOrABadValueIsRefused) {
  const struct {
    std::vector<std::string> arguments;
    std::string error;
  } rows[] = {
      {{"--svg", "-x", "--bad"}, "unknown option '-x'"},
      {{"--plot"}, "unknown option '--plot'"},
      {{"a.Tsk", "b.Tsk"}, "unexpected argument 'b.Tsk'"},
      {{"--template", "11"}, "--template: Value 11 not in range 1 to 10"},
      {{"--template", "0"}, "--template: Value 0 not in range 1 to 10"},
      {{"--template", "two"}, "--template: Value two not in range 1 to 10"},
      {{"--template", "1", "--series", "4"}, "--series: Value 4 not in range 1 to 3"},
      {{"--template", "1", "--series"}, "--series: 1 required S missing"},
      {{"--series", "2"}, "--series requires --template"},
      {{"--template", "--series", "2"}, "--series needs a case: --template CASE --series S"},
      {{"--template", "1", "coaster.Tsk"}, "--template excludes TASK_FILE"},
      {{"--template", "1", "--check"}, "--template excludes --check"},
      {{"--template", "1", "--svg"}, "--template excludes --svg"},
      {{"--check", "-o", "out"}, "--check excludes --output-dir"},
      {{"-o"}, "--output-dir: 1 required DIR missing"},
      {{"-o", "a", "-o", "b"}, "--output-dir: At Most 1 required but received 2"},
  };
  for (const auto& row : rows) {
    std::string command;
    for (const std::string& argument : row.arguments) command += " " + argument;
    EXPECT_EQ(parse_options(row.arguments).error, row.error) << command;
  }
}

TEST(CommandLineOptions, HelpListsEveryOptionOnALineOfItsOwn) {
  const std::string help = help_text();
  for (const char* needed :
       {"Tidewerk_28-03-2020.Tsk", "Tidewerk.Son", "<stem>.Son", "<stem>.svg", "<stem>.<table>.csv",
        "<stem>.json", "Exit status", "  0 ", "  1 ", "  2 ", "  3 ", "  4 ", "  5 "}) {
    EXPECT_NE(help.find(needed), std::string::npos) << needed;
  }
  // Every option on a line of its own, as the line's first word; the same in the manual page.
  const std::string man = testing::read_file(std::string(TIDEWERK_SOURCE_DIR) + "/doc/tidewerk.1");
  for (const char* option :
       {"--svg", "--csv", "--json", "-o, --output-dir DIR", "--template [CASE]", "--series S",
        "--check", "-q, --quiet", "-h, --help", "--version"}) {
    EXPECT_NE(help.find("\n  " + std::string(option) + " "), std::string::npos) << option;
    const std::string text = option;
    const std::size_t start = text.find("--");
    std::string roff;  // "--output-dir" as the manual page writes it: \-\-output\-dir
    for (const char c : text.substr(start, text.find(' ', start) - start))
      roff += c == '-' ? std::string("\\-") : std::string(1, c);
    EXPECT_NE(man.find(roff), std::string::npos) << roff;
  }
  std::istringstream lines(help);
  for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 100u) << line;
  EXPECT_EQ(version_text().rfind("Tidewerk 0.", 0), 0u);
  EXPECT_EQ(usage_line().rfind("Usage: tidewerk [", 0), 0u);
}

}  // namespace
}  // namespace tidewerk
