// The command-line options of the real program.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <vector>

#include "support/test_support.h"
#include "support/xml_check.h"

namespace fs = std::filesystem;

namespace tidewerk {
namespace {

using testing::read_file;

struct Outcome {
  int status = -1;
  std::string out, err;
  fs::path dir;
};

// Runs the program with `arguments` in o.dir, whatever the folder holds.
void run_in(Outcome& o, const std::string& arguments, const std::string& keyboard) {
  std::ofstream(o.dir / "keys") << keyboard;
  const std::string command = "cd '" + o.dir.string() + "' && '" + TIDEWERK_BINARY + "' " +
                              arguments + " < keys > out.txt 2> err.txt";
  const int raw = std::system(command.c_str());
  o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  o.out = read_file((o.dir / "out.txt").string());
  o.err = read_file((o.dir / "err.txt").string());
}

// Runs the program with `arguments` in a fresh folder holding `example` as the task file.
Outcome run(const std::string& name, const std::string& arguments, const std::string& example = "",
            const std::string& keyboard = "") {
  Outcome o;
  o.dir =
      fs::temp_directory_path() / ("tidewerk-options-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(o.dir);
  fs::create_directories(o.dir);
  if (!example.empty()) {
    fs::copy_file(fs::path(TIDEWERK_SOURCE_DIR) / "examples" / (example + ".Tsk"),
                  o.dir / "Tidewerk_28-03-2020.Tsk");
  }
  run_in(o, arguments, keyboard);
  return o;
}

// The files of a folder that a run writes besides its report.
std::vector<std::string> outputs_in(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) {
    const std::string name = entry.path().filename().string();
    for (const char* kind : {".csv", ".svg", ".json", ".part"}) {
      if (name.ends_with(kind)) names.push_back(name);
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(CommandLine, HelpAndVersionExitZeroWithoutARun) {
  const Outcome help = run("help", "--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Usage: tidewerk"), std::string::npos);
  EXPECT_FALSE(fs::exists(help.dir / "Tidewerk.Son"));
  const Outcome version = run("version", "--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("Tidewerk ", 0), 0u);
  fs::remove_all(help.dir);
  fs::remove_all(version.dir);
}

TEST(CommandLine, AnUnknownOptionIsRefusedWithStatusTwoAndNoRun) {
  const Outcome o = run("unknown", "--plot", "case5_b");
  EXPECT_EQ(o.status, 2);
  EXPECT_EQ(o.out, "");
  EXPECT_EQ(o.err,
            "tidewerk: unknown option '--plot'\nUsage: tidewerk [--svg] [--csv] [--quiet] | --help "
            "| --version\n");
  EXPECT_FALSE(fs::exists(o.dir / "Tidewerk.Son"));
  fs::remove_all(o.dir);
}

TEST(CommandLine, SvgCsvAndJsonAreWrittenBesideAnUnchangedReport) {
  const Outcome plain = run("plain", "", "case8_merchant_ship");
  const Outcome both = run("both", "--svg --csv --json", "case8_merchant_ship");
  EXPECT_EQ(both.status, 0);
  EXPECT_EQ(both.out, plain.out);
  EXPECT_EQ(read_file((both.dir / "Tidewerk.Son").string()),
            read_file((plain.dir / "Tidewerk.Son").string()));
  EXPECT_TRUE(outputs_in(plain.dir).empty());
  const std::string svg = read_file((both.dir / "Tidewerk.svg").string());
  testing::XmlCheck xml(svg);
  ASSERT_TRUE(xml.well_formed());
  EXPECT_EQ(xml.counts["polyline"], 3);  // Kt, 10Kq and eta0 of the designed propeller
  EXPECT_NE(svg.find("design point"), std::string::npos);
  // The design point is marked on each curve: three rings of radius 7.
  int rings = 0;
  for (const auto& attributes : xml.attributes) {
    const auto r = attributes.find("r");
    if (r != attributes.end() && r->second == "7") ++rings;
  }
  EXPECT_EQ(rings, 3);
  EXPECT_EQ(svg.find("nan"), std::string::npos);
  // One file per table.
  EXPECT_EQ(
      outputs_in(both.dir),
      (std::vector<std::string>{"Tidewerk.blade-area.csv", "Tidewerk.json",
                                "Tidewerk.open-water.csv", "Tidewerk.pitch.csv", "Tidewerk.svg"}));
  EXPECT_EQ(read_file((both.dir / "Tidewerk.pitch.csv").string()).substr(0, 28),
            "PD,T_kN\n0.70000005,62.64943\n");
  fs::remove_all(plain.dir);
  fs::remove_all(both.dir);
}

TEST(CommandLine, AFailedRunAfterASuccessfulOneLeavesNoStaleTableOrDiagram) {
  Outcome o = run("stale", "--svg --csv --json", "case1_merchant_ship_b", "1\n");
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(outputs_in(o.dir),
            (std::vector<std::string>{"Tidewerk.candidates.csv", "Tidewerk.json", "Tidewerk.svg"}));
  // The same folder, a task file whose case finds no propeller.
  fs::copy_file(fs::path(TIDEWERK_SOURCE_DIR) / "tests/e2e/runs/case1_b_no_crossing/task.Tsk",
                o.dir / "Tidewerk_28-03-2020.Tsk", fs::copy_options::overwrite_existing);
  run_in(o, "--svg --csv --json", "");
  EXPECT_EQ(o.status, 5);
  EXPECT_EQ(outputs_in(o.dir), std::vector<std::string>{"Tidewerk.json"});
  const nlohmann::json j = nlohmann::json::parse(read_file((o.dir / "Tidewerk.json").string()));
  EXPECT_EQ(j["ending"], "no result");
  EXPECT_EQ(j["exit_status"], 5);
  EXPECT_EQ(j["reason"],
            "no propeller of the Wageningen B series meets the load coefficient Kt/J^2 = 60.9756");
  EXPECT_NE(o.err.find("Tidewerk: no result: " + j["reason"].get<std::string>()),
            std::string::npos);
  // Without its task file: nothing but the report.
  fs::remove(o.dir / "Tidewerk_28-03-2020.Tsk");
  run_in(o, "--svg --csv --json", "");
  EXPECT_EQ(o.status, 1);
  EXPECT_TRUE(outputs_in(o.dir).empty());
  // Asked for the table alone, a run leaves the other kinds as they are.
  std::ofstream(o.dir / "Tidewerk.json") << "{}\n";
  run_in(o, "--csv", "");
  EXPECT_TRUE(fs::exists(o.dir / "Tidewerk.json"));
  fs::remove_all(o.dir);
}

}  // namespace
}  // namespace tidewerk
