// End-to-end studies of the real program.  Each folder under tests/e2e/studies/ is one run of
// `tidewerk study [arguments] study.toml`:
//   study.toml      the study file (a copy of an example, or a slip)
//   arguments       the options before the file (absent: none)
//   screen.txt      the expected screen text, checked by hand
//   report.txt      the expected report study.txt (absent: no report may be written)
//   status          the expected exit status (absent: 0)
//   stderr.txt      a text the error output must contain (absent: the error output is empty)
// TIDEWERK_REGENERATE=1 rewrites screen.txt, report.txt and status from the program's output
// after an intended change; check the differences by hand before committing.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "support/test_support.h"
#include "support/xml_check.h"
#include "tidewerk/series.h"

namespace fs = std::filesystem;

namespace tidewerk {
namespace {

using testing::read_file;

const fs::path kStudies = fs::path(TIDEWERK_SOURCE_DIR) / "tests" / "e2e" / "studies";
const fs::path kExamples = fs::path(TIDEWERK_SOURCE_DIR) / "examples";

std::vector<std::string> study_names() {
  std::vector<std::string> names;
  if (fs::exists(kStudies)) {
    for (const auto& entry : fs::directory_iterator(kStudies)) {
      if (entry.is_directory()) names.push_back(entry.path().filename().string());
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

struct Outcome {
  int status = -1;
  std::string screen, errors;
};

fs::path fresh_folder(const std::string& name) {
  const fs::path dir =
      fs::temp_directory_path() / ("tidewerk-study-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

Outcome run_in(const fs::path& dir, const std::string& arguments) {
  const std::string command = "cd '" + dir.string() + "' && '" + TIDEWERK_BINARY + "' study " +
                              arguments + " > screen.out 2> stderr.out";
  const int raw = std::system(command.c_str());
  Outcome o;
  o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  o.screen = read_file((dir / "screen.out").string());
  o.errors = read_file((dir / "stderr.out").string());
  return o;
}

void write_file(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

std::string trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

class StudyEndToEnd : public ::testing::TestWithParam<std::string> {};

TEST_P(StudyEndToEnd, ScreenReportAndStatusMatchTheCheckedFiles) {
  const fs::path source = kStudies / GetParam();
  const fs::path work = fresh_folder(GetParam());
  fs::copy_file(source / "study.toml", work / "study.toml");
  const Outcome o =
      run_in(work, trimmed(read_file((source / "arguments").string())) + " study.toml");
  const bool reported = fs::exists(work / "study.txt");
  const std::string report = read_file((work / "study.txt").string());

  if (std::getenv("TIDEWERK_REGENERATE") != nullptr) {
    write_file(source / "screen.txt", o.screen);
    if (reported) write_file(source / "report.txt", report);
    if (o.status != 0) write_file(source / "status", std::to_string(o.status) + "\n");
  }
  const std::string status = read_file((source / "status").string());
  EXPECT_EQ(o.status, status.empty() ? 0 : std::stoi(status));
  EXPECT_EQ(o.screen, read_file((source / "screen.txt").string()));
  EXPECT_EQ(reported, fs::exists(source / "report.txt"));
  if (reported) EXPECT_EQ(report, read_file((source / "report.txt").string()));
  if (fs::exists(source / "stderr.txt")) {
    EXPECT_NE(o.errors.find(trimmed(read_file((source / "stderr.txt").string()))),
              std::string::npos)
        << o.errors;
  } else {
    EXPECT_EQ(o.errors, "");
  }
  fs::remove_all(work);
}

INSTANTIATE_TEST_SUITE_P(Studies, StudyEndToEnd, ::testing::ValuesIn(study_names()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(StudyEndToEnd);

// A CSV file as rows of fields by column name (no quoted commas in these tables' numbers).
std::vector<std::map<std::string, std::string>> read_csv(const fs::path& path) {
  std::istringstream in(read_file(path.string()));
  std::string line;
  std::vector<std::string> header;
  std::vector<std::map<std::string, std::string>> rows;
  while (std::getline(in, line)) {
    std::vector<std::string> fields;
    std::istringstream fields_in(line);
    for (std::string field; std::getline(fields_in, field, ',');) fields.push_back(field);
    if (line.back() == ',') fields.emplace_back();
    if (header.empty()) {
      header = fields;
      continue;
    }
    std::map<std::string, std::string> row;
    for (std::size_t k = 0; k < header.size() && k < fields.size(); ++k) row[header[k]] = fields[k];
    rows.push_back(row);
  }
  return rows;
}

double relative(double a, double b) {
  return std::abs(a - b) / std::abs(b);
}

// The identities of the issue in the numbers of the written files: etaD Pd = PE (x 1 + sea
// margin in service), Kt rho n^2 D^4 = T, and Kt, Kq of each row the library's at its J.
TEST(StudyOutputs, TheWrittenNumbersHoldEveryIdentity) {
  const fs::path work = fresh_folder("outputs");
  fs::copy_file(kExamples / "study_twin_screw_ferry.toml", work / "ferry.toml");
  const Outcome o = run_in(work, "--csv --json --svg --html -q ferry.toml");
  ASSERT_EQ(o.status, 0) << o.errors;
  for (const char* name :
       {"ferry.txt", "ferry.json", "ferry.html", "ferry.resistance.csv", "ferry.candidates.csv",
        "ferry.speed-power.csv", "ferry.speed-power.svg", "ferry.open-water.svg"}) {
    EXPECT_TRUE(fs::exists(work / name)) << name;
  }
  EXPECT_EQ(read_file((work / "ferry.txt").string()), o.screen);
  for (const char* svg : {"ferry.speed-power.svg", "ferry.open-water.svg"}) {
    testing::XmlCheck check(read_file((work / svg).string()));
    EXPECT_TRUE(check.well_formed()) << svg;
  }

  const nlohmann::json json = nlohmann::json::parse(read_file((work / "ferry.json").string()));
  EXPECT_EQ(json["study_file"], "ferry.toml");
  EXPECT_EQ(json["ending"], "result");
  EXPECT_EQ(json["exit_status"], 0);
  std::map<std::string, double> result;
  for (const auto& r : json["results"]) result[r["name"]] = r["value"].get<double>();
  const double rho = 1025.0, margin = 0.20, screws = 2;
  const auto series = static_cast<Series>(static_cast<int>(result["series"]));
  const double D = result["D"], PD = result["PD"], EAR = result["EAR"], Z = result["Z"];
  const double n = result["N"] / 60;
  EXPECT_LT(relative(result["Kt"] * rho * n * n * std::pow(D, 4), result["T"] * 1000), 3e-6);

  std::map<double, double> PE;  // kW by speed in kn
  for (const auto& row : read_csv(work / "ferry.resistance.csv"))
    PE[std::stod(row.at("V_kn"))] = std::stod(row.at("PE_kW"));
  const auto rows = read_csv(work / "ferry.speed-power.csv");
  ASSERT_EQ(rows.size(), 2 * PE.size());
  for (const auto& row : rows) {
    const auto at = [&row](const char* column) { return std::stod(row.at(column)); };
    const double V = at("V_kn");
    const double wanted = PE.at(V) * (row.at("condition") == "service" ? 1 + margin : 1.0);
    EXPECT_LT(relative(at("etaD") * at("Pd_kW"), wanted), 3e-6) << V;
    const double n_row = at("N_rpm") / 60;
    EXPECT_LT(relative(at("Kt") * rho * n_row * n_row * std::pow(D, 4), at("T_kN") * 1000), 3e-6);
    EXPECT_LT(relative(2 * M_PI * n_row * at("Q_kNm") / at("etaR") * screws, at("Pd_kW")), 1e-12);
    const Ittc78Conditions c{static_cast<float>(D), static_cast<float>(at("Va_mps")),
                             static_cast<float>(at("N_rpm"))};
    const OpenWater ow = evaluate(series,
                                  {static_cast<float>(at("J")), static_cast<float>(PD),
                                   static_cast<float>(EAR), static_cast<float>(Z)},
                                  c);
    EXPECT_EQ(static_cast<float>(at("Kt")), ow.Kt) << V;
    EXPECT_EQ(static_cast<float>(at("10Kq") / 10), ow.Kq) << V;
  }
  fs::remove_all(work);
}

TEST(StudyOutputs, TheTemplateIsTheHoltropMennenShipAndCheckWritesNothing) {
  const fs::path work = fresh_folder("template");
  Outcome o = run_in(work, "--template");
  EXPECT_EQ(o.status, 0);
  EXPECT_NE(o.screen.find("name = \"Holtrop-Mennen example ship\""), std::string::npos);
  write_file(work / "ship.toml", o.screen);
  fs::remove(work / "screen.out");
  fs::remove(work / "stderr.out");
  o = run_in(work, "--check ship.toml");
  EXPECT_EQ(o.status, 0) << o.errors;
  const std::size_t design = o.screen.find("  speeds.design ");
  ASSERT_NE(design, std::string::npos) << o.screen;
  const std::string line = o.screen.substr(design, o.screen.find('\n', design) - design);
  EXPECT_NE(line.find(" 25.0000 kn "), std::string::npos) << line;
  EXPECT_NE(o.screen.find("No warnings."), std::string::npos) << o.screen;
  std::vector<std::string> files;
  for (const auto& entry : fs::directory_iterator(work)) files.push_back(entry.path().filename());
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"screen.out", "ship.toml", "stderr.out"}));
  fs::remove_all(work);
}

// A study file named like its report is refused before anything is written over it.
TEST(StudyOutputs, TheReportNeverReplacesTheStudyFile) {
  const fs::path work = fresh_folder("replace");
  const std::string study = read_file((kExamples / "study_twin_screw_ferry.toml").string());
  write_file(work / "ferry.txt", study);
  const Outcome o = run_in(work, "ferry.txt");
  EXPECT_EQ(o.status, 1);
  EXPECT_NE(o.errors.find("would replace the study file ferry.txt"), std::string::npos) << o.errors;
  EXPECT_EQ(o.screen, "");
  EXPECT_EQ(read_file((work / "ferry.txt").string()), study);
  fs::remove_all(work);
}

// A study without a result, run after one with a result under the same name, leaves none of
// the earlier study's speed-power table and diagrams behind to be taken for its own.
TEST(StudyOutputs, AStudyWithoutAResultRemovesTheEarlierSpeedPowerFiles) {
  const fs::path work = fresh_folder("stale");
  fs::copy_file(kExamples / "study_twin_screw_ferry.toml", work / "ferry.toml");
  ASSERT_EQ(run_in(work, "--csv --svg -q ferry.toml").status, 0);
  ASSERT_TRUE(fs::exists(work / "ferry.speed-power.csv"));
  fs::copy_file(kStudies / "no_feasible_propeller" / "study.toml", work / "ferry.toml",
                fs::copy_options::overwrite_existing);
  EXPECT_EQ(run_in(work, "--csv --svg -q ferry.toml").status, 5);
  for (const char* gone :
       {"ferry.speed-power.csv", "ferry.speed-power.svg", "ferry.open-water.svg"}) {
    EXPECT_FALSE(fs::exists(work / gone)) << gone;
  }
  EXPECT_TRUE(fs::exists(work / "ferry.candidates.csv"));
  fs::remove_all(work);
}

TEST(StudyOutputs, BadOptionsAreRefusedWithStatusTwo) {
  const fs::path work = fresh_folder("options");
  for (const char* arguments : {"--jobs 0 x.toml", "--template --csv", "--check --json x.toml",
                                "--frobnicate x.toml", ""}) {
    const Outcome o = run_in(work, arguments);
    EXPECT_EQ(o.status, 2) << arguments;
    EXPECT_NE(o.errors.find("Usage: tidewerk study"), std::string::npos) << arguments;
  }
  fs::remove_all(work);
}

}  // namespace
}  // namespace tidewerk
