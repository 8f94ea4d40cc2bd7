// Outputs that cannot be written or removed: a read-only folder and a full file system end the
// program with the message and exit status 1, and leave no partial file.
#include "driver/output_files.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "driver/program.h"
#include "driver/run_flow.h"
#include "report/run_end.h"
#include "support/test_support.h"

namespace tidewerk {
namespace {

namespace fs = std::filesystem;

// A folder of its own for a test, removed with it; optionally a small file system of its own
// (tmpfs of `bytes`), mounted read-only when asked.  Mounting needs the right to mount: where
// it is missing, mounted() is false and the test is skipped.
class Folder {
 public:
  explicit Folder(const std::string& name)
      : path_(fs::temp_directory_path() /
              ("tidewerk-output-files-" + name + "-" + std::to_string(::getpid()))) {
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~Folder() {
    if (mounted_) ::umount(path_.c_str());
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;

  // Mounts a tmpfs of `bytes` on the folder; read-only when `read_only`, after `seed` (file
  // names) are written into it.
  bool mount(std::size_t bytes, bool read_only = false, const std::vector<std::string>& seed = {}) {
    const std::string options = "size=" + std::to_string(bytes);
    if (::mount("tmpfs", path_.c_str(), "tmpfs", 0, options.c_str()) != 0) return false;
    mounted_ = true;
    for (const std::string& name : seed) std::ofstream(path_ / name) << "old\n";
    if (read_only &&
        ::mount("tmpfs", path_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, options.c_str()) != 0)
      return false;
    return true;
  }

  const fs::path& path() const { return path_; }

  // The names of the files in the folder, sorted (hidden ones, the partial files, included).
  std::vector<std::string> files() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  fs::path path_;
  bool mounted_ = false;
};

struct ProgramRun {
  int status = -1;
  std::string screen, errors;
};

// The program on the case-8 example copied to `task_folder`/ship.Tsk, its outputs into `out`.
ProgramRun run_case8(const Folder& task_folder, const Folder& out, const std::string& options) {
  const fs::path task = task_folder.path() / "ship.Tsk";
  std::ofstream(task) << testing::read_file(std::string(TIDEWERK_SOURCE_DIR) +
                                            "/examples/case8_merchant_ship.Tsk");
  std::vector<std::string> arguments;
  std::istringstream words(options);
  for (std::string word; words >> word;) arguments.push_back(word);
  arguments.insert(arguments.end(), {"-o", out.path().string(), task.string()});
  std::istringstream keyboard("\n\n\n\n");
  std::ostringstream screen, errors;
  ProgramRun run;
  run.status = run_program(arguments, keyboard, screen, errors);
  run.screen = screen.str();
  run.errors = errors.str();
  return run;
}

// Each failure: the status, the message on the error stream and the files left in the folder.
TEST(OutputFailures, EndWithStatusOneAMessageAndNoPartialFile) {
  const struct {
    const char* name;
    std::size_t bytes;  // of the output folder's file system
    bool read_only;
    std::vector<std::string> seed;  // files there before the run
    const char* options;
    std::string message;             // the start of the error stream's last line
    std::vector<std::string> files;  // in the folder after the run
  } rows[] = {
      {"read-only folder", 1 << 20, true, {}, "", "Tidewerk: cannot create the report file ", {}},
      {"read-only stale output",
       1 << 20,
       true,
       {"ship.json"},
       "--json",
       "Tidewerk: cannot remove ",
       {"ship.json"}},
      {"report on a full disk", 4096, false, {}, "", "Tidewerk: cannot write the report file ", {}},
      {"diagram on a full disk",
       8192,
       false,
       {},
       "--svg --csv --json",
       "Tidewerk: cannot write ",
       {"ship.Son"}},
  };
  for (const auto& row : rows) {
    Folder task_folder(std::string("task-") + std::to_string(row.bytes));
    Folder out("out");
    if (::geteuid() != 0 || !out.mount(row.bytes, row.read_only, row.seed)) {
      GTEST_SKIP() << "no right to mount a tmpfs here";
    }
    const ProgramRun run = run_case8(task_folder, out, row.options);
    EXPECT_EQ(run.status, 1) << row.name << "\n" << run.errors;
    const std::string last = run.errors.substr(run.errors.rfind('\n', run.errors.size() - 2) + 1);
    EXPECT_EQ(last.rfind(row.message, 0), 0u) << row.name << "\n" << run.errors;
    EXPECT_EQ(out.files(), row.files) << row.name;
    if (!row.files.empty() && row.files[0] == "ship.Son") {
      // The report that took its name is whole: it ends with the closing of the run.
      const std::string report = testing::read_file((out.path() / "ship.Son").string());
      EXPECT_NE(report.find("Vtip = "), std::string::npos) << row.name;
    }
  }
}

// A run whose own status was already an error keeps it when an output fails too.
TEST(OutputFailures, TheRunsOwnErrorStatusIsKept) {
  Folder task_folder("error-task");
  Folder out("error-out");
  if (::geteuid() != 0 || !out.mount(8192)) GTEST_SKIP() << "no right to mount a tmpfs here";
  const fs::path task = task_folder.path() / "bad.Tsk";
  std::ofstream(task) << testing::task_file(1, 5, "1.0 x 0.7");
  std::vector<std::string> arguments{"--json", "-o", out.path().string(), task.string()};
  std::istringstream keyboard;
  std::ostringstream screen, errors;
  // Two pages: the filler takes one, the banner-only report the other; the JSON record none.
  std::ofstream(out.path() / "filler") << std::string(3000, 'x');
  EXPECT_EQ(run_program(arguments, keyboard, screen, errors), 1) << errors.str();
  EXPECT_NE(errors.str().find("Tidewerk: input error: "), std::string::npos);
  EXPECT_NE(errors.str().find("Tidewerk: cannot write "), std::string::npos) << errors.str();
  EXPECT_EQ(out.files(), (std::vector<std::string>{"bad.Son", "filler"}));
}

// The outputs of an earlier run of the same stem are removed, those of other stems and kinds
// are kept.
TEST(OutputFiles, StaleFilesOfTheRequestedKindsAndStemAreRemovedAndNoOthers) {
  const Folder folder("stale");
  const fs::path& dir = folder.path();
  for (const char* name :
       {"other.pitch.csv", "stem.Son", "stem.b.pitch.csv", "stem.csv", "stem.json",
        "stem.open-water-2.csv", "stem.pitch.csv", "stem.svg", "stem.x y.csv"}) {
    std::ofstream(dir / name) << "old\n";
  }
  remove_stale_outputs({dir, "stem", {true, true, false}});
  EXPECT_EQ(folder.files(),
            (std::vector<std::string>{"other.pitch.csv", "stem.Son", "stem.b.pitch.csv", "stem.csv",
                                      "stem.json", "stem.x y.csv"}));
  remove_stale_outputs({dir, "stem", {false, false, true}});
  EXPECT_FALSE(fs::exists(dir / "stem.json"));
}

// A run's files are written whole or none of them.
TEST(OutputFiles, TheFilesOfARunAreWrittenWholeOrNoneOfThem) {
  std::ostringstream screen, report, errors;
  std::istringstream keyboard("H\n");
  const std::string task = testing::task_file(1, 5, "1.0 4 0.7");
  const RunRecord record = run_tidewerk({screen, report, keyboard, errors},
                                        [&] { return std::make_unique<std::istringstream>(task); });
  const Folder folder("whole");
  const fs::path& dir = folder.path();
  // The JSON cannot take its name (a folder holds it): neither the diagram nor the table stays.
  fs::create_directories(dir / "ship.json" / "inside");
  EXPECT_THROW(write_outputs({dir, "ship", {true, true, true}}, record), OutputError);
  EXPECT_EQ(folder.files(), std::vector<std::string>{"ship.json"});
  fs::remove_all(dir / "ship.json");
  write_outputs({dir, "ship", {true, true, true}}, record);
  EXPECT_EQ(folder.files(),
            (std::vector<std::string>{"ship.json", "ship.open-water.csv", "ship.svg"}));
}

// write_whole leaves none of its files when one cannot be written, and says which.
TEST(OutputFailures, WriteWholeNamesTheFileAndLeavesNone) {
  Folder folder("whole");
  fs::create_directories(folder.path() / "b.csv" / "inside");  // b.csv cannot take its name
  try {
    write_whole({{folder.path() / "a.svg", "a"}, {folder.path() / "b.csv", "b"}});
    ADD_FAILURE() << "written";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("b.csv"), std::string::npos) << e.what();
  }
  EXPECT_EQ(folder.files(), std::vector<std::string>{"b.csv"});
}

}  // namespace
}  // namespace tidewerk
