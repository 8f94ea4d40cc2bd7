// The command-line options of the real program.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
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

// Runs the program with `arguments` in the folder `dir`; the keyboard, standard output and
// standard error are the files keys, out.txt and err.txt of that folder.
Outcome run_at(const fs::path& dir, const std::string& arguments,
               const std::string& keyboard = "") {
  Outcome o;
  o.dir = dir;
  std::ofstream(o.dir / "keys") << keyboard;
  const std::string command = "cd '" + o.dir.string() + "' && '" + TIDEWERK_BINARY + "' " +
                              arguments + " < keys > out.txt 2> err.txt";
  const int raw = std::system(command.c_str());
  o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  o.out = read_file((o.dir / "out.txt").string());
  o.err = read_file((o.dir / "err.txt").string());
  return o;
}

fs::path fresh_folder(const std::string& name) {
  const fs::path dir =
      fs::temp_directory_path() / ("tidewerk-options-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

const fs::path kExamples = fs::path(TIDEWERK_SOURCE_DIR) / "examples";

// Runs the program with `arguments` in a fresh folder holding `example` as the task file.
Outcome run(const std::string& name, const std::string& arguments, const std::string& example = "",
            const std::string& keyboard = "") {
  const fs::path dir = fresh_folder(name);
  if (!example.empty()) {
    fs::copy_file(kExamples / (example + ".Tsk"), dir / "Tidewerk_28-03-2020.Tsk");
  }
  return run_at(dir, arguments, keyboard);
}

// The names of the files in `dir`, sorted.
std::vector<std::string> files_in(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Runs the program again with `arguments` in o.dir, whatever the folder holds.
void run_in(Outcome& o, const std::string& arguments, const std::string& keyboard) {
  o = run_at(o.dir, arguments, keyboard);
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

const std::string kUsage =
    "Usage: tidewerk [--svg] [--csv] [--json] [-o DIR] [-q] [--lang en] [TASK_FILE]\n"
    "       tidewerk --check [TASK_FILE]\n"
    "       tidewerk --template [CASE] [--series S]\n"
    "       tidewerk study [OPTIONS] STUDY_FILE   (tidewerk study --help)\n"
    "       tidewerk --help | --version\n";

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
  EXPECT_EQ(o.err, "tidewerk: unknown option '--plot'\n" + kUsage);
  EXPECT_FALSE(fs::exists(o.dir / "Tidewerk.Son"));
  fs::remove_all(o.dir);
}

// A bad value or a refused combination: status 2, the message and the usage on standard
// error, nothing on standard output, no run and no file written.
TEST(CommandLine, ABadValueOrCombinationIsRefusedWithStatusTwoAndNoRun) {
  const struct {
    const char* arguments;
    const char* message;
  } rows[] = {
      {"--template 11", "--template: Value 11 not in range 1 to 10"},
      {"--template 3 Tidewerk_28-03-2020.Tsk", "--template excludes TASK_FILE"},
      {"--check --csv", "--check excludes --csv"},
      {"--lang de", "--lang: de not in {tr,en}"},
  };
  const fs::path dir = fresh_folder("refused");
  fs::copy_file(kExamples / "case5_b.Tsk", dir / "Tidewerk_28-03-2020.Tsk");
  for (const auto& row : rows) {
    const Outcome o = run_at(dir, row.arguments);
    EXPECT_EQ(o.status, 2) << row.arguments;
    EXPECT_EQ(o.out, "") << row.arguments;
    EXPECT_EQ(o.err, "tidewerk: " + std::string(row.message) + "\n" + kUsage) << row.arguments;
    EXPECT_EQ(files_in(dir),
              (std::vector<std::string>{"Tidewerk_28-03-2020.Tsk", "err.txt", "keys", "out.txt"}))
        << row.arguments;
  }
  fs::remove_all(dir);
}

// From another folder: the report goes beside the named task file under its stem, or into
// the output folder (made when missing); it is the classic run's report, and the working
// directory gets no file of the run.
TEST(CommandLine, ANamedTaskFileHasItsReportBesideItOrInTheOutputFolder) {
  const Outcome classic = run("classic", "", "case8_merchant_ship");
  const fs::path dir = fresh_folder("named");
  fs::create_directories(dir / "designs");
  fs::copy_file(kExamples / "case8_merchant_ship.Tsk", dir / "designs" / "coaster.Tsk");
  const std::string report = read_file((classic.dir / "Tidewerk.Son").string());

  Outcome o = run_at(dir, "designs/coaster.Tsk");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, classic.out);
  EXPECT_EQ(read_file((dir / "designs" / "coaster.Son").string()), report);
  EXPECT_EQ(files_in(dir / "designs"), (std::vector<std::string>{"coaster.Son", "coaster.Tsk"}));

  o = run_at(dir, "-o out designs/coaster.Tsk");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(read_file((dir / "out" / "coaster.Son").string()), report);

  o = run_at(dir, "--svg --csv --output-dir runs/b designs/coaster.Tsk");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(
      files_in(dir / "runs" / "b"),
      (std::vector<std::string>{"coaster.Son", "coaster.blade-area.csv", "coaster.open-water.csv",
                                "coaster.pitch.csv", "coaster.svg"}));
  EXPECT_EQ(files_in(dir),
            (std::vector<std::string>{"designs", "err.txt", "keys", "out", "out.txt", "runs"}));

  // A task file whose report would replace it is refused before the run.
  fs::copy_file(kExamples / "case5_b.Tsk", dir / "designs" / "self.Son");
  o = run_at(dir, "designs/self.Son");
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out, "");
  EXPECT_EQ(read_file((dir / "designs" / "self.Son").string()),
            read_file((kExamples / "case5_b.Tsk").string()));

  // The messages name the task file as it was given.
  fs::copy_file(kExamples / "case5_b.Tsk", dir / "designs" / "comma.Tsk");
  std::string text = read_file((dir / "designs" / "comma.Tsk").string());
  text.replace(text.find("\n1.0  4  0.70") + 9, 4, "0,70");
  std::ofstream(dir / "designs" / "comma.Tsk") << text;
  o = run_at(dir, "designs/comma.Tsk");
  EXPECT_NE(o.err.find("Tidewerk: warning: task file designs/comma.Tsk, line 81: \"0,70\""),
            std::string::npos)
      << o.err;
  fs::remove_all(dir);
  fs::remove_all(classic.dir);
}

// A task file that cannot be opened: status 1, its absolute path, the near match of the
// folder, and no report.
TEST(CommandLine, AMistypedTaskFileNameGetsTheNearMatch) {
  const struct {
    const char* present;
    const char* given;
    const char* hint;
  } rows[] = {
      {"Coaster.tsk", "designs/coaster.Tsk", "; did you mean designs/Coaster.tsk?"},
      {"coaster", "designs/coaster.Tsk", "; did you mean designs/coaster?"},
      {"coaster.Tsk.txt", "designs/coaster.Tsk", "; did you mean designs/coaster.Tsk.txt?"},
      {"coaster.Tsk", "designs/coaster", "; did you mean designs/coaster.Tsk?"},
      {"barge.Tsk", "designs/coaster.Tsk", ""},
      // A report, a diagram, a table or a record is never offered as the task file.
      {"coaster.Son", "designs/coaster", ""},
      {"coaster.SON", "designs/coaster", ""},
      {"coaster.svg", "designs/coaster", ""},
      {"coaster.json", "designs/coaster", ""},
      {"coaster.open-water.csv", "designs/coaster.open-water", ""},
  };
  for (const auto& row : rows) {
    const fs::path dir = fresh_folder("mistyped");
    fs::create_directories(dir / "designs");
    fs::copy_file(kExamples / "case5_b.Tsk", dir / "designs" / row.present);
    const Outcome o = run_at(dir, row.given);
    EXPECT_EQ(o.status, 1) << row.given;
    const fs::path absolute = fs::absolute(dir / row.given).lexically_normal();
    EXPECT_NE(o.err.find("Tidewerk: input error: task file " + std::string(row.given) +
                         ": cannot be opened (" + absolute.string() + ": no such file)" + row.hint +
                         "\n"),
              std::string::npos)
        << o.err;
    EXPECT_NE(o.out.find("HESAP PROGRAMI"), std::string::npos);  // the banner, as ever
    EXPECT_EQ(files_in(dir / "designs"), std::vector<std::string>{row.present}) << row.given;
    fs::remove_all(dir);
  }
}

// Every template runs unchanged to its case's result with a 1 typed at the keyboard and every
// other pause and question taking its default; the Gawn series in case 4 is refused.
TEST(CommandLine, EveryTemplateRunsToItsResult) {
  const fs::path dir = fresh_folder("templates");
  Outcome o = run_at(dir, "--template");
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), 10);
  EXPECT_EQ(o.out.rfind("1   optimum propeller for a load coefficient Kt/J^2", 0), 0u) << o.out;
  for (int case_number = 1; case_number <= 10; ++case_number) {
    for (int series = 1; series <= 3; ++series) {
      const std::string pair =
          "case " + std::to_string(case_number) + ", series " + std::to_string(series);
      o = run_at(
          dir, "--template " + std::to_string(case_number) + " --series " + std::to_string(series));
      ASSERT_EQ(o.status, 0) << pair;
      std::ofstream(dir / "t.Tsk") << o.out;
      std::istringstream lines(o.out);
      std::vector<std::string> line(1);
      for (std::string text; std::getline(lines, text);) line.push_back(text);
      ASSERT_GT(line.size(), 81u) << pair;
      EXPECT_EQ(line[16].rfind(std::to_string(series) + " ", 0), 0u) << pair;
      EXPECT_EQ(line[80].rfind(std::to_string(case_number) + " ", 0), 0u) << pair;

      o = run_at(dir, "t.Tsk", "1\n");
      const bool refused = case_number == 4 && series == 2;
      EXPECT_EQ(o.status, refused ? 5 : 0) << pair << "\n" << o.err;
      // The 1 answers case 5's yes/no question: read as no, and warned about.
      const std::string answer_warning =
          case_number == 5 ? "Tidewerk: warning: keyboard input, line 1: the answer \"1\" is read "
                             "as no (only its first letter counts: E or e means yes, anything else "
                             "no)\n"
                           : "";
      if (!refused) EXPECT_EQ(o.err, answer_warning) << pair;
      EXPECT_TRUE(fs::exists(dir / "t.Son")) << pair;
      fs::remove(dir / "t.Son");
    }
  }
  fs::remove_all(dir);
}

// --check shows what was read and runs nothing: no report, no question.
TEST(CommandLine, CheckShowsTheReadingAndWritesNoReport) {
  const fs::path dir = fresh_folder("check");
  fs::copy_file(kExamples / "case4_tug_b.Tsk", dir / "Tidewerk_28-03-2020.Tsk");
  Outcome o = run_at(dir, "--check");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out.rfind("Task file  Tidewerk_28-03-2020.Tsk (" +
                            (dir / "Tidewerk_28-03-2020.Tsk").string() + ")\n",
                        0),
            0u)
      << o.out;
  EXPECT_NE(o.out.find("  D3    = 2.8       m      third candidate diameter"), std::string::npos);
  EXPECT_EQ(o.out.find("BASINIZ"), std::string::npos);  // no pause: the case is not run
  o = run_at(dir, "--check shp.Tsk");
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out, "");
  EXPECT_NE(o.err.find("cannot be opened (" + (dir / "shp.Tsk").string() + ": no such file)"),
            std::string::npos);
  EXPECT_EQ(files_in(dir),
            (std::vector<std::string>{"Tidewerk_28-03-2020.Tsk", "err.txt", "keys", "out.txt"}));
  fs::remove_all(dir);
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

// The blade-area-only entry draws no diagram: --svg says so once, on standard error and in the
// JSON record, and writes no file; IVISC = 1 there is not applied, and that is said too.
TEST(CommandLine, SvgWithoutADiagramAndAnIgnoredCorrectionAreWarnedAboutInTheJson) {
  const fs::path dir = fresh_folder("no-diagram");
  std::ofstream(dir / "t.Tsk") << testing::task_file(1, 8, "450 5.2 105 6.4 1025 4 0 1 3.5");
  const Outcome o = run_at(dir, "--svg --json t.Tsk");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.err,
            "Tidewerk: warning: case 8: IVISC = 1 asks for the ITTC78 correction, but the "
            "blade-area-only entry (EAR = 0) is computed without it\n"
            "Tidewerk: warning: --svg: case 8 drew no diagram in this run; no t.svg is written\n");
  EXPECT_FALSE(fs::exists(dir / "t.svg"));
  const auto json = nlohmann::json::parse(read_file((dir / "t.json").string()));
  ASSERT_EQ(json["warnings"].size(), 2u);
  EXPECT_EQ(json["warnings"][1]["where"], "--svg");
  fs::remove_all(dir);
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

// `yes '' | tidewerk`, the obvious way to press Enter at every pause, on every example: each
// run ends within seconds, with its result or an input error naming the number prompt that
// took 1,000 empty lines, in a few megabytes of memory (the limit below is far from reached).
TEST(CommandLine, EndlessEmptyLinesEndEveryExampleInBoundedTimeAndMemory) {
  // AddressSanitizer reserves terabytes of address space for its shadow memory, so the limit on
  // virtual memory holds in the ordinary build only.
#if defined(__SANITIZE_ADDRESS__)
  const std::string kMemoryLimit;
#else
  const std::string kMemoryLimit = "ulimit -v 400000; ";
#endif
  for (const auto& entry : fs::directory_iterator(kExamples)) {
    if (entry.path().extension() != ".Tsk") continue;
    const std::string example = entry.path().stem().string();
    const fs::path dir = fresh_folder("endless-" + example);
    fs::copy_file(entry.path(), dir / "Tidewerk_28-03-2020.Tsk");
    const std::string command = "cd '" + dir.string() + "' && yes '' | (" + kMemoryLimit +
                                "timeout 30 '" + TIDEWERK_BINARY + "' > out.txt 2> err.txt)";
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw)) << example;
    const int status = WEXITSTATUS(raw);
    const std::string err = read_file((dir / "err.txt").string());
    if (status == 1) {
      EXPECT_NE(err.find(": 1000 empty lines in a row while "), std::string::npos) << err;
    } else {
      EXPECT_EQ(status, 0) << example << "\n" << err;
    }
    fs::remove_all(dir);
  }
}

// --- --lang en ---------------------------------------------------------------------------------

// The numbers of a text in order, as written ("1.037", ".650", "-4", "2.5" of "%2.5"; "60" of
// "60."), with runs of asterisks as one token: what must stand in the same order in English.
std::vector<std::string> numbers_of(const std::string& text) {
  std::vector<std::string> numbers;
  std::size_t i = 0;
  const auto digit = [&text](std::size_t k) {
    return k < text.size() && std::isdigit(static_cast<unsigned char>(text[k]));
  };
  while (i < text.size()) {
    if (text[i] == '*') {
      std::size_t end = i;
      while (end < text.size() && text[end] == '*') ++end;
      numbers.push_back(text.substr(i, end - i));
      i = end;
      continue;
    }
    const bool starts = digit(i) || (text[i] == '.' && digit(i + 1));
    if (!starts) {
      ++i;
      continue;
    }
    std::size_t start = i > 0 && text[i - 1] == '-' ? i - 1 : i;
    while (digit(i)) ++i;
    if (i < text.size() && text[i] == '.' && digit(i + 1)) {
      ++i;
      while (digit(i)) ++i;
    }
    numbers.push_back(text.substr(start, i - start));
  }
  return numbers;
}

// Words of the Turkish texts that no English screen or report may hold.
constexpr const char* kTurkishWords[] = {
    "PERVANE", "Pervane", "pervane", "SERISI",  "Serisi",   "KULLANILMISTIR", "ICIN",
    "TUSUNA",  "Hesabi",  "disinda", "olarak",  "DUZELTME", "degistirmek",    "GIRIN",
    "dev/san", "TORK",    "olmali",  "Acinim",  "Uyari",    "OLUYOR",         "DURDURULDU",
    "Istenen", "sinir",   "KONTROL", "gemiler", "YARICAP",  "Yaricap",        "DEGIL"};

struct Language {
  int status;
  std::string screen, report, err;
};

Language run_in(const std::string& name, const std::string& task, const std::string& keyboard,
                const std::string& arguments) {
  const fs::path dir = fresh_folder(name);
  std::ofstream(dir / "t.Tsk") << task;
  const Outcome o = run_at(dir, arguments + " t.Tsk", keyboard);
  Language l{o.status, o.out, read_file((dir / "t.Son").string()), o.err};
  fs::remove_all(dir);
  return l;
}

// Every example and every checked end-to-end run in English: the same exit status, the same
// numbers in the same order on the screen and in the report, the same number of lines, and no
// Turkish word left.
TEST(CommandLine, EnglishRunsGiveTheSameNumbersInTheSameOrderAsTurkish) {
  std::vector<std::pair<std::string, std::pair<std::string, std::string>>> runs;
  for (const auto& entry : fs::directory_iterator(kExamples)) {
    if (entry.path().extension() == ".Tsk")
      runs.push_back({entry.path().stem().string(), {read_file(entry.path().string()), "1\n"}});
  }
  const fs::path e2e = fs::path(TIDEWERK_SOURCE_DIR) / "tests" / "e2e" / "runs";
  for (const auto& entry : fs::directory_iterator(e2e)) {
    // The English runs among them have their own checked files.
    if (!fs::exists(entry.path() / "task.Tsk") || fs::exists(entry.path() / "arguments")) continue;
    runs.push_back({entry.path().filename().string(),
                    {read_file((entry.path() / "task.Tsk").string()),
                     read_file((entry.path() / "keyboard.txt").string())}});
  }
  ASSERT_GT(runs.size(), 90u);
  for (const auto& [name, input] : runs) {
    // E typed for yes reads as yes in both languages.
    const Language tr = run_in("tr-" + name, input.first, input.second, "");
    const Language en = run_in("en-" + name, input.first, input.second, "--lang en");
    EXPECT_EQ(en.status, tr.status) << name;
    EXPECT_EQ(numbers_of(en.screen), numbers_of(tr.screen)) << name;
    EXPECT_EQ(numbers_of(en.report), numbers_of(tr.report)) << name;
    EXPECT_EQ(std::count(en.report.begin(), en.report.end(), '\n'),
              std::count(tr.report.begin(), tr.report.end(), '\n'))
        << name;
    for (const char* word : kTurkishWords) {
      EXPECT_EQ(en.screen.find(word), std::string::npos) << name << ": " << word;
      EXPECT_EQ(en.report.find(word), std::string::npos) << name << ": " << word;
    }
  }
}

// The questions read Y as yes in English, E too; in Turkish Y is no (with a warning).
TEST(CommandLine, EnglishQuestionsTakeYAndEAsYes) {
  const std::string task = read_file((kExamples / "case5_b.Tsk").string());
  for (const char* yes : {"Y\n4 120\n", "y\n4 120\n", "E\n4 120\n", "yes\n4 120\n"}) {
    const Language en = run_in("en-yes", task, yes, "--lang en");
    EXPECT_NE(en.report.find(" THE ITTC78 VISCOUS CORRECTION METHOD WAS USED"), std::string::npos)
        << yes;
    EXPECT_EQ(en.err, "") << yes;
  }
  const Language en_no = run_in("en-no", task, "N\n", "--lang en");
  EXPECT_NE(en_no.report.find(" NO VISCOUS CORRECTION WAS MADE"), std::string::npos);
  EXPECT_NE(en_no.screen.find("DO YOU WANT THE ITTC VISCOUS CORRECTION Y/N <N>"),
            std::string::npos);
  const Language tr_y = run_in("tr-y", task, "Y\n", "");
  EXPECT_NE(tr_y.report.find(" VISKOZ DUZELTME YAPILMAMISTIR"), std::string::npos);
  EXPECT_NE(tr_y.err.find("the answer \"Y\" is read as no"), std::string::npos) << tr_y.err;
}

}  // namespace
}  // namespace tidewerk
