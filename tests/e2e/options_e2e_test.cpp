// The command-line options of the real program.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>

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
  std::ofstream(o.dir / "keys") << keyboard;
  const std::string command = "cd '" + o.dir.string() + "' && '" + TIDEWERK_BINARY + "' " +
                              arguments + " < keys > out.txt 2> err.txt";
  const int raw = std::system(command.c_str());
  o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  o.out = read_file((o.dir / "out.txt").string());
  o.err = read_file((o.dir / "err.txt").string());
  return o;
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

TEST(CommandLine, SvgAndCsvAreWrittenBesideAnUnchangedReport) {
  const Outcome plain = run("plain", "", "case8_merchant_ship");
  const Outcome both = run("both", "--svg --csv", "case8_merchant_ship");
  EXPECT_EQ(both.status, 0);
  EXPECT_EQ(both.out, plain.out);
  EXPECT_EQ(read_file((both.dir / "Tidewerk.Son").string()),
            read_file((plain.dir / "Tidewerk.Son").string()));
  EXPECT_FALSE(fs::exists(plain.dir / "Tidewerk.svg"));
  EXPECT_FALSE(fs::exists(plain.dir / "Tidewerk.csv"));
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
  const std::string csv = read_file((both.dir / "Tidewerk.csv").string());
  for (const char* table :
       {"Pitch table\n", "Open-water characteristics of the designed propeller\n",
        "Blade-area sweep\n"}) {
    EXPECT_NE(csv.find(table), std::string::npos) << table;
  }
  fs::remove_all(plain.dir);
  fs::remove_all(both.dir);
}

}  // namespace
}  // namespace tidewerk
