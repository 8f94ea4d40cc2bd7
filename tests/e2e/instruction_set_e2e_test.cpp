// The real program on each instruction set of the grid kernel (TIDEWERK_ISA): the same screen
// and report as the checked files, and a refused name stops before any run.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "series/instruction_set.h"
#include "support/test_support.h"

namespace fs = std::filesystem;

namespace tidewerk {
namespace {

using testing::read_file;

const fs::path kRuns = fs::path(TIDEWERK_SOURCE_DIR) / "tests" / "e2e" / "runs";

struct Outcome {
  int status = -1;
  std::string screen, errors, report;
};

// Runs the program with TIDEWERK_ISA=`isa` on the task file of the end-to-end run `name`.
Outcome run_with(const std::string& isa, const std::string& name) {
  const fs::path work = fs::temp_directory_path() /
                        ("tidewerk-isa-" + name + "-" + isa + "-" + std::to_string(::getpid()));
  fs::remove_all(work);
  fs::create_directories(work);
  fs::copy_file(kRuns / name / "task.Tsk", work / "Tidewerk_28-03-2020.Tsk");
  const fs::path keyboard = fs::exists(kRuns / name / "keyboard.txt")
                                ? kRuns / name / "keyboard.txt"
                                : fs::path("/dev/null");
  const std::string command = "cd '" + work.string() + "' && TIDEWERK_ISA='" + isa + "' '" +
                              TIDEWERK_BINARY + "' < '" + keyboard.string() +
                              "' > screen.out 2> stderr.out";
  const int raw = std::system(command.c_str());
  Outcome o;
  o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  o.screen = read_file((work / "screen.out").string());
  o.errors = read_file((work / "stderr.out").string());
  o.report = fs::exists(work / "Tidewerk.Son") ? read_file((work / "Tidewerk.Son").string()) : "";
  fs::remove_all(work);
  return o;
}

// The largest sweeps of each series, with and without the ITTC78 correction: the kernel
// decides every digit.
TEST(InstructionSets, EverySupportedSetGivesTheCheckedScreenAndReport) {
  for (const char* name : {"case2_gawn", "case1_b_merchant", "case3_kca", "case6_b_ittc78",
                           "case9_b_ittc78_merchant_ship", "case5_kca_full_grid"}) {
    for (InstructionSet set : kInstructionSets) {
      if (!instruction_set_supported(set)) continue;
      const std::string isa(instruction_set_name(set));
      const Outcome o = run_with(isa, name);
      EXPECT_EQ(o.status, 0) << name << ", " << isa << ": " << o.errors;
      EXPECT_TRUE(o.screen == read_file((kRuns / name / "screen.txt").string()))
          << name << ", " << isa << ": the screen differs";
      EXPECT_TRUE(o.report == read_file((kRuns / name / "report.txt").string()))
          << name << ", " << isa << ": the report differs";
    }
  }
}

TEST(InstructionSets, AnUnknownOrUnsupportedNameIsRefusedWithStatusTwoAndNoRun) {
  const Outcome unknown = run_with("sse9", "case2_gawn");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.screen, "");
  EXPECT_EQ(unknown.report, "");
  EXPECT_EQ(unknown.errors,
            "tidewerk: TIDEWERK_ISA=sse9: unknown instruction set (baseline, "
            "avx2 or avx512); this processor supports " +
                supported_instruction_sets() + "\n");
  for (InstructionSet set : kInstructionSets) {
    if (instruction_set_supported(set)) continue;
    const std::string isa(instruction_set_name(set));
    const Outcome o = run_with(isa, "case2_gawn");
    EXPECT_EQ(o.status, 2) << isa;
    EXPECT_EQ(o.report, "") << isa;
    EXPECT_EQ(o.errors, "tidewerk: TIDEWERK_ISA=" + isa + ": this processor cannot run " + isa +
                            "; it supports " + supported_instruction_sets() + "\n");
  }
}

// The choice itself: the widest supported set, an empty value as none.
TEST(InstructionSets, TheWidestSupportedSetIsChosenUnlessOneIsNamed) {
  InstructionSet widest = InstructionSet::baseline;
  for (InstructionSet set : kInstructionSets) {
    if (instruction_set_supported(set)) widest = set;
  }
  EXPECT_EQ(choose_instruction_set(nullptr).set, widest);
  EXPECT_EQ(choose_instruction_set("").set, widest);
  EXPECT_TRUE(choose_instruction_set("").error.empty());
  EXPECT_EQ(choose_instruction_set("baseline").set, InstructionSet::baseline);
  EXPECT_TRUE(choose_instruction_set("baseline").error.empty());
  EXPECT_EQ(choose_instruction_set("AVX2").set, widest);
  EXPECT_FALSE(choose_instruction_set("AVX2").error.empty());
  EXPECT_EQ(supported_instruction_sets().rfind("baseline", 0), 0u);
}

}  // namespace
}  // namespace tidewerk
