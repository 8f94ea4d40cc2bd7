// The run flow: what a whole run writes and how it ends (the banner, the case number and
// data-entry refusals, task files that cannot be read, the warnings), and every example.
#include "driver/run_flow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

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
  for (std::string line; std::getline(in, line);)
    screen += (line.empty() ? line : line.substr(1)) + "\n";
  return screen;
}

TEST(RunFlow, CaseNumbersOutsideOneToTenWriteOnlyTheBannerAndClose) {
  for (int case_number : {0, 11, -1, 99}) {
    auto run = run_in_process(task_file(1, case_number, "1 2 3"));
    EXPECT_EQ(run.status, 5);
    EXPECT_NE(
        run.errors.find("Tidewerk: no result: line 80 holds case " + std::to_string(case_number) +
                        ", not 1 to 10 (is a line missing above it?)\n"),
        std::string::npos)
        << run.errors;
    EXPECT_EQ(run.report, kBannerReport) << case_number;
    EXPECT_EQ(run.screen,
              screen_of(kBannerReport) +
                  "\n\nBITIRMEK ICIN ENTER TUSUNA BASINIZ\nStop - Program terminated.\n");
  }
}

TEST(RunFlow, BannerLinesAre73ColumnsOnTheReport) {
  auto run = run_in_process(task_file(1, 0, ""));
  std::istringstream in(run.report);
  for (std::string line; std::getline(in, line);) EXPECT_EQ(line.size(), 73u) << line;
}

TEST(RunFlow, AnOutOfRangeBladeAreaStopsWithTheMessageBlock) {
  auto run = run_in_process(task_file(4, 5, "1.0 4 0.7"));  // no limits for series 4
  EXPECT_EQ(run.status, 5);
  EXPECT_EQ(run.report, kBannerReport + "\n\n\n  Tidewerk Programi Data Giris Hata Uyarisi: \n");
  EXPECT_NE(run.screen.find("  BITIRMEK ICIN ENTER TUSUNA BASINIZ\nStop - Program terminated.\n"),
            std::string::npos);
}

TEST(RunFlow, MissingShortOrUnreadableTaskFilesAreInputErrors) {
  const struct {
    std::optional<std::string> task;
    const char* message;
  } rows[] = {
      {std::nullopt,
       "task file Tidewerk_28-03-2020.Tsk: cannot be opened in the working directory"},
      {std::string("one\ntwo\nthree\nfour\nfive\nsix\nseven\neight\nnine\nten\n"),
       "task file Tidewerk_28-03-2020.Tsk: the file ends after line 10, within the 15 explanatory "
       "lines"},
      {task_file(1, 5, "").substr(0, 200), "the file ends after line"},
      {std::string(15, '\n') + "Wageningen\n",
       "line 16: \"Wageningen\" is not a whole number (expected series (line 16))"},
      {std::string(15, '\n') + "1.5\n", "line 16: \"1.5\" is not a whole number"},
      {task_file(1, 5, "1.0 4"),
       "the input ended after line 81 while a number was expected for EAR"},
  };
  for (const auto& row : rows) {
    auto run = run_in_process(row.task);
    EXPECT_EQ(run.status, kExitInputError);
    EXPECT_EQ(run.report, kBannerReport);  // what was written before the fault stays
    EXPECT_NE(run.errors.find(row.message), std::string::npos)
        << run.errors << " -- " << row.message;
    EXPECT_EQ(run.screen.find("Stop - Program terminated."), std::string::npos);
  }
}

// Each warning from one small task file: the exact line on standard error, none with --quiet,
// and never anything on the screen or in the report that the quiet run does not also show.
TEST(Warnings, EachSlipIsPointedOutOnceAndQuietSilencesIt) {
  const std::string where = "Tidewerk: warning: task file Tidewerk_28-03-2020.Tsk, line ";
  const struct {
    const char* name;
    std::string task;
    std::string keyboard;
    std::string warning;
  } rows[] = {
      {"decimal comma", task_file(1, 8, "450 5.2 105 6.4 1025 4 0.65 0 3,5"), "",
       where + "81: \"3,5\" reads as the two values 3 and 5 (a decimal point is written \".\")"},
      {"two numbers on the case line",
       task_file(1, 8, "").replace(task_file(1, 8, "").rfind("8\n"), 2, "5 1\n1.0 4 0.7"), "",
       where + "80: the case line holds \"5 1\", more than one number; case 5 is used (is a free "
               "line missing or extra above it?)"},
      {"series out of range", task_file(7, 5, "1.0 4 0.7"), "",
       where +
           "16: the series line holds 7, not 1 to 3 (is a free line missing or extra above it?)"},
      {"IVISC 2", task_file(1, 6, "1.0 4 0.70 1025 4.032 120 5.0 2"), "",
       where + "81: IVISC = 2 is read as \"correction on\" (0 is off, 1 is on)"},
      {"Z not whole", task_file(1, 5, "1.0 4.5 0.7"), "",
       where + "81: Z = 4.5 is not a whole number of blades; the report prints 4 where it shows Z"},
      {"negative shaft depth", task_file(1, 8, "450 5.2 105 6.4 1025 4 0.65 0 -3.5"), "",
       where + "81: Hs = -3.5 m is negative: the shaft would lie above the free surface"},
      {"tip speed above the report's limit", task_file(1, 8, "450 5.2 120 6.4 1025 4 0.65 0 3.5"),
       "",
       "Tidewerk: warning: case 8: the tip speed Vtip = 32.67 m/s is above the 30 m/s the report "
       "gives as the limit for tip vortices"},
      {"correction asked of the KCA series", task_file(3, 8, "450 5.2 105 6.4 1025 4 0.65 1 3.5"),
       "",
       "Tidewerk: warning: case 8: IVISC = 1 asks for the ITTC78 correction, but it is not applied "
       "(the KCA series does not take it): the coefficients are the model's"},
      {"correction asked with N = 0 typed", task_file(1, 5, "1.0 4 0.7"), "E\n4 0\n",
       "Tidewerk: warning: case 5: the answer at the keyboard asks for the ITTC78 correction, but "
       "it is not applied (Va = 0.000 m/s and N = 0.0 RPM are both below 0.001"},
      {"correction asked for the blade-area-only entry",
       task_file(1, 8, "450 5.2 105 6.4 1025 4 0 1 3.5"), "",
       "Tidewerk: warning: case 8: IVISC = 1 asks for the ITTC78 correction, but the "
       "blade-area-only entry (EAR = 0) is computed without it"},
      {"yes/no answer of another language", task_file(1, 5, "1.0 4 0.7"), "yes\n",
       "Tidewerk: warning: keyboard input, line 1: the answer \"yes\" is read as no"},
      {"Z outside the series", task_file(1, 5, "1.0 9 0.7"), "",
       where + "81: Z = 9 lies outside the blade numbers 2 to 7 of the Wageningen B series"},
      {"Z changed by the series", task_file(3, 5, "1.0 6 0.7"), "",
       where + "81: Z = 6 is used as 5 by the KCA series"},
      {"RHO in g/cm3", task_file(1, 6, "1.0 4 0.70 1.025 4.032 120 5.0 0"), "",
       where + "81: RHO = 1.025 kg/m3 lies outside 950 to 1100 kg/m3 (sea water is about 1025)"},
      {"zero diameter", task_file(1, 2, "450 0 6.4 1025 4 0.65"), "",
       where + "81: N = 0 is zero or negative"},
      {"power in W", task_file(1, 9, "4600000 5.2 105 6.4 1025 4 0.65 0 3.5"), "",
       "Tidewerk: warning: case 9: the required power 4600000.00 kW is more than a hundred times "
       "the most the pitch "
       "table reaches (10401.34 kW): is it given in kW?"},
      {"optimum at the last P/D", task_file(1, 1, "400 6.5 7.0 1025 4 0.60"), "\n",
       "Tidewerk: warning: case 1: the selected propeller's P/D = 1.400 is the last pitch ratio of "
       "the sweep (0.50 "
       "to 1.40): the true answer may lie outside the series"},
      {"P/D outside the series", task_file(1, 5, "1.6 4 0.7"), "",
       "Tidewerk: warning: case 5: P/D = 1.600 lies outside 0.50 to 1.40, the range of the "
       "Wageningen B series' "
       "polynomials: the coefficients there are extrapolated"},
      {"Burrill minimum above EAR", task_file(1, 8, "450 5.2 105 6.4 1025 4 0.40 0 3.5"), "",
       "Tidewerk: warning: case 8: the Burrill 2.5 % back-cavitation minimum blade-area ratio "
       "0.628 is above the "
       "propeller's EAR = 0.400"},
      {"decimal comma at the keyboard", task_file(1, 5, "1.0 4 0.7"), "E\n4,5 120\n",
       "Tidewerk: warning: keyboard input, line 2: \"4,5\" reads as the two values 4 and 5"},
  };
  for (const auto& row : rows) {
    std::ostringstream screen, report, errors, quiet_screen, quiet_report, quiet_errors;
    std::istringstream keys(row.keyboard), quiet_keys(row.keyboard);
    const auto opener = [&row]() -> std::unique_ptr<std::istream> {
      return std::make_unique<std::istringstream>(row.task);
    };
    run_tidewerk({screen, report, keys, errors}, opener);
    RunSetup quiet;
    quiet.quiet = true;
    run_tidewerk({quiet_screen, quiet_report, quiet_keys, quiet_errors}, opener, quiet);
    const std::size_t at = errors.str().find(row.warning);
    EXPECT_NE(at, std::string::npos) << row.name << "\n" << errors.str();
    EXPECT_EQ(errors.str().find(row.warning, at + 1), std::string::npos) << row.name << ": twice";
    EXPECT_EQ(quiet_errors.str().find("warning"), std::string::npos) << row.name;
    EXPECT_EQ(screen.str(), quiet_screen.str()) << row.name;
    EXPECT_EQ(report.str(), quiet_report.str()) << row.name;
  }
}

// Every task file of examples/ produces its case's result (status 0); the studies (.toml) have
// their own end-to-end runs.
TEST(Examples, EveryExampleProducesItsResult) {
  for (const auto& entry : std::filesystem::directory_iterator(
           std::filesystem::path(TIDEWERK_SOURCE_DIR) / "examples")) {
    if (entry.path().extension() == ".toml") continue;
    const std::string task = testing::read_file(entry.path().string());
    const auto run = run_in_process(task, "1\n");  // case 4 asks for the propeller to keep
    EXPECT_EQ(run.status, 0) << entry.path() << "\n" << run.errors;
  }
}

}  // namespace
}  // namespace tidewerk
