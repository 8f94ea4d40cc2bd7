// The bad-input catalogue: every kind of slip a user makes in the task file or at the
// keyboard, run through the real program.  Each run must end in bounded time with a clear
// message and the right exit status, and the report must hold only complete lines of what was
// written before the fault, never a "nan" or "inf".
//
// Where a slip leaves the run comparable with one of the checked runs of tests/e2e/runs/,
// the entry names that run: the slip's screen and report must then be the same as the
// checked files, or its report must be the first lines of the checked report (a run ended by
// a fault holds exactly what was written before it).
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <utility>
#include <vector>

#include "support/test_support.h"

namespace fs = std::filesystem;

namespace tidewerk {
namespace {

using testing::read_file;
using testing::task_file;

// How the outcome of a slip compares with a checked run of tests/e2e/runs/.
enum class Against {
  Nothing,     // only the entry's own checks
  SameRun,     // screen and report the same as the checked run's
  StartOfRun,  // the report is the first `report_lines` lines of the checked run's report,
               // after the `edits`
  EditedRun,   // the report is the checked run's report with the lines of `edits` replaced
};

struct Slip {
  Slip(std::string name_, std::string task_, std::string keyboard_, int status_,
       std::string message_, std::string report_)
      : name(std::move(name_)),
        task(std::move(task_)),
        keyboard(std::move(keyboard_)),
        status(status_),
        message(std::move(message_)),
        report(std::move(report_)) {}

  std::string name;
  std::string task;      // the task file's content; "<missing>" for no file
  std::string keyboard;  // what is typed
  int status;            // expected exit status
  std::string message;   // a text the error output must contain ("" : the error output is empty)
  std::string report;    // a text the report must contain ("" : nothing to check)

  Against against = Against::Nothing;
  std::string run;        // the checked run compared with
  int report_lines = -1;  // StartOfRun: the number of lines of the report
  std::vector<std::pair<std::string, std::string>> edits;  // EditedRun: whole lines, from -> to
  std::string whole_report;                                // when not empty: the whole report
  std::string whole_screen;                                // when not empty: the whole screen
};

void PrintTo(const Slip& slip, std::ostream* out) {
  *out << slip.name;
}

struct Outcome {
  int status = -1;
  std::string screen, report, errors;
  std::string check;  // how --check on the same task file differs from the run ("": agrees)
};

Outcome run_binary(const std::string& name, const std::string& task, const std::string& keyboard) {
  const fs::path work =
      fs::temp_directory_path() / ("tidewerk-slip-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(work);
  fs::create_directories(work);
  if (task != "<missing>")
    std::ofstream(work / "Tidewerk_28-03-2020.Tsk", std::ios::binary) << task;
  std::ofstream(work / "keyboard.txt", std::ios::binary) << keyboard;
  // Quiet: the slips' warnings have their own tests; here the error line and the status count.
  const std::string command = "cd '" + work.string() + "' && timeout 60 '" + TIDEWERK_BINARY +
                              "' --quiet < keyboard.txt > screen.out 2> errors.out";
  const int raw = std::system(command.c_str());
  Outcome out;
  out.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  out.screen = read_file((work / "screen.out").string());
  out.report = read_file((work / "Tidewerk.Son").string());
  out.errors = read_file((work / "errors.out").string());
  out.check = testing::check_against_run(TIDEWERK_BINARY, work.string(), out.status, out.errors);
  fs::remove_all(work);
  return out;
}

// The first 79 lines of a valid task file, then `rest`.
std::string head_then(const std::string& rest, int series = 1) {
  std::string text = task_file(series, 0, "");
  text.erase(text.rfind("0\n"));
  return text + rest;
}

// --- The checked runs ----------------------------------------------------------------------

// A file of a checked run of tests/e2e/runs/ ("" when it has none).
std::string checked(const std::string& run, const char* file) {
  return read_file(
      (fs::path(TIDEWERK_SOURCE_DIR) / "tests" / "e2e" / "runs" / run / file).string());
}

std::vector<std::string> split_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string join_lines(const std::vector<std::string>& lines, const char* end = "\n") {
  std::string text;
  for (const std::string& line : lines) text += line + end;
  return text;
}

// The first `count` lines of a text.
std::string first_lines(const std::string& text, int count) {
  std::size_t at = 0;
  for (int k = 0; k < count && at != std::string::npos; ++k) {
    at = text.find('\n', at);
    if (at != std::string::npos) ++at;
  }
  return at == std::string::npos ? text : text.substr(0, at);
}

int count_lines(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// A task file with the `index`-th value of line 81 (counted from 0) replaced.
std::string with_value(std::string task, int index, const std::string& value) {
  std::vector<std::string> lines = split_lines(task);
  std::istringstream words(lines.at(80));
  std::vector<std::string> values;
  for (std::string w; words >> w;) values.push_back(w);
  values.at(static_cast<std::size_t>(index)) = value;
  std::string line;
  for (const std::string& v : values) line += (line.empty() ? "" : " ") + v;
  lines[80] = line;
  return join_lines(lines);
}

// A task file with line `number` (from 1) replaced.
std::string with_line(std::string task, int number, const std::string& text) {
  std::vector<std::string> lines = split_lines(task);
  lines.at(static_cast<std::size_t>(number - 1)) = text;
  return join_lines(lines);
}

// The values of line 81 (the trailing comment left out).
std::vector<std::string> values_of(const std::string& task, int count) {
  std::istringstream words(split_lines(task).at(80));
  std::vector<std::string> values;
  for (std::string w; values.size() < static_cast<std::size_t>(count) && words >> w;)
    values.push_back(w);
  return values;
}

// A slip made on the task file and keyboard of a checked run.
Slip on_run(std::string name, const std::string& run, std::string task, std::string keyboard,
            int status, std::string message = "", std::string report = "") {
  Slip slip{std::move(name), std::move(task),    std::move(keyboard),
            status,          std::move(message), std::move(report)};
  slip.run = run;
  return slip;
}

Slip same_as(Slip slip) {
  slip.against = Against::SameRun;
  return slip;
}

Slip start_of(Slip slip, int report_lines) {
  slip.against = Against::StartOfRun;
  slip.report_lines = report_lines;
  return slip;
}

Slip edited(Slip slip, std::vector<std::pair<std::string, std::string>> edits) {
  if (slip.against == Against::Nothing) slip.against = Against::EditedRun;
  slip.edits = std::move(edits);
  return slip;
}

std::string arithmetic(const std::string& what, int case_number) {
  return "Tidewerk: arithmetic error (" + what + ") in case " + std::to_string(case_number);
}

// The checked Wageningen B run of each case, whose values the generated slips alter.
const char* const kReference[11] = {"",
                                    "case1_b_merchant",
                                    "case2_b_merchant",
                                    "case3_b_merchant",
                                    "case4_b_choice1",
                                    "case5_b_no_correction",
                                    "case6_b_jop_062",
                                    "case7_b_reference",
                                    "case8_b_merchant_ship",
                                    "case9_b_ittc78_merchant_ship",
                                    "case10_b_merchant_ship"};
constexpr int kValueCount[11] = {0, 6, 6, 6, 8, 3, 8, 9, 9, 9, 9};

// --- The slips -----------------------------------------------------------------------------

// A series outside 1..3: every case, case 7 included, ends with the data-entry message and
// nothing else (the series has no limits, so no blade-area ratio passes).  Cases 8 to 10 do
// so on the blade-area-only entry too; there, with a zero requirement, the blade-area table
// used to be printed with pitch ratios and efficiencies of zero that nothing had computed.
void add_unknown_series(std::vector<Slip>& slips) {
  const std::string report = checked("series0_case5_rejected", "report.txt");
  const std::string screen = checked("series0_case5_rejected", "screen.txt");
  for (int series : {0, 4}) {
    for (int c = 1; c <= 10; ++c) {
      const std::string run = kReference[c];
      std::vector<std::string> variants = {checked(run, "task.Tsk")};
      if (c >= 8) {  // the blade-area-only entry, with the requirement and EAR zero
        variants.push_back(with_value(with_value(variants[0], 6, "0"), 0, "0"));
      }
      for (std::size_t v = 0; v < variants.size(); ++v) {
        Slip slip{"series" + std::to_string(series) + "_case" + std::to_string(c) +
                      (v ? "_blade_area_only" : ""),
                  with_line(variants[v], 16, std::to_string(series)),
                  "",
                  5,
                  "Tidewerk: no result: the series on line 16 is " + std::to_string(series) + ",",
                  ""};
        slip.whole_report = report;
        slip.whole_screen = screen;
        slips.push_back(slip);
      }
    }
  }
}

// Zero or negative D, N, Va, RHO, Z (and the three diameters of case 4) in each case that
// reads them.  A division by zero or an invalid operation ends the run with the arithmetic
// error and the report holds the first lines of the checked run, up to the fault; any other
// outcome is a sound result of the values as read (the report states them).
struct FieldSlip {
  int case_number;
  const char* field;
  int index;  // position in the case's list of values
  const char* value;
  int status;
  const char* fault;   // status 3: what the arithmetic error names
  int report_lines;    // status 3: lines of the report, the start of the checked run's
  const char* report;  // a line the report must hold ("": none)
};

const FieldSlip kFieldSlips[] = {
    // Case 1: K = T*1000 / (RHO * D^2 * Va^2).
    {1, "D", 1, "0", 3, "division by zero", 6, ""},
    {1, "Va", 2, "0", 3, "division by zero", 6, ""},
    {1, "RHO", 3, "0", 3, "division by zero", 6, ""},
    {1, "RHO", 3, "-1025", 5, "", -1, "     Pervane Karakteristikleri - Kt/J^2 =  -.244"},
    {1, "Z", 4, "0", 0, "", -1, " Z = 0. EAR =  .700 D =  4.000 m"},
    {1, "Z", 4, "-4", 0, "", -1, " Z = ** EAR =  .700 D =  4.000 m"},
    // Case 2: K = n^2 * T*1000 / (RHO * Va^4).
    {2, "N", 1, "0", 5, "", -1, "     Pervane Karakteristikleri - Kt/J^4 =   .000"},
    {2, "Va", 2, "0", 3, "division by zero", 6, ""},
    {2, "RHO", 3, "0", 3, "division by zero", 6, ""},
    {2, "RHO", 3, "-1025", 5, "", -1, "     Pervane Karakteristikleri - Kt/J^4 =  -.624"},
    {2, "Z", 4, "0", 0, "", -1, " Z = 0. EAR =  .700 D =  3.128 m"},
    {2, "Z", 4, "-4", 0, "", -1, " Z = ** EAR =  .700 D =  3.301 m"},
    // Case 3: K = n^2 * PQ / (2*pi * RHO * Va^5).
    {3, "Va", 1, "0", 3, "division by zero", 6, ""},
    {3, "Va", 1, "-5.0", 5, "", -1, "     Pervane Karakteristikleri - Kq/J^5 =  -.199"},
    {3, "N", 2, "0", 5, "", -1, "     Pervane Karakteristikleri - Kq/J^5 =   .000"},
    {3, "RHO", 3, "0", 3, "division by zero", 6, ""},
    {3, "RHO", 3, "-1025", 5, "", -1, "     Pervane Karakteristikleri - Kq/J^5 =  -.199"},
    {3, "Z", 4, "0", 0, "", -1, " Z = 0. EAR =  .700 D =  3.164 m Vtip = 19.9 m/s"},
    {3, "Z", 4, "-4", 0, "", -1, " Z = ** EAR =  .700 D =  3.239 m Vtip = 20.4 m/s"},
    // Case 4: Kq_req = PQ / (D^5 * n^3 * RHO * pi * 2) for each diameter; a negative one
    // (0.1128 of the checked run for 2.8 m, 0.07987 for 3 m, with the sign turned) cannot be
    // matched, and the case ends with the admissible power range.
    {4, "N", 1, "0", 3, "division by zero", 12, ""},
    {4, "N", 1, "-120", 5, "", -1, " Kq=-.1128 ICIN P/D HESABI MEVCUT PERVANE ICIN MUMKUN  DEGIL"},
    {4, "RHO", 2, "0", 3, "division by zero", 12, ""},
    {4, "RHO", 2, "-1025", 5, "", -1,
     " Kq=-.1128 ICIN P/D HESABI MEVCUT PERVANE ICIN MUMKUN  DEGIL"},
    {4, "Z", 3, "0", 0, "", -1, " Z= 0 EAR= .700"},
    {4, "Z", 3, "-4", 0, "", -1, " Z=-4 EAR= .700"},
    {4, "D1", 5, "0", 3, "division by zero", 12, ""},
    {4, "D1", 5, "-2.8", 5, "", -1, "   -158.6 < DHP=  1000.0 kW< -1137.0"},
    {4, "D2", 6, "0", 3, "division by zero", 13, ""},
    {4, "D2", 6, "-3.0", 5, "", -1, " Kq=-.0799 ICIN P/D HESABI MEVCUT PERVANE ICIN MUMKUN  DEGIL"},
    {4, "D3", 7, "0", 3, "division by zero", 14, ""},
    {4, "D3", 7, "-3.2", 5, "", -1, " Kq=-.0578 ICIN P/D HESABI MEVCUT PERVANE ICIN MUMKUN  DEGIL"},
    // Case 5 reads only P/D, Z and EAR from the task file.
    {5, "Z", 1, "0", 0, "", -1, " Z =  0 EAR =  .700 P/D = 1.000"},
    {5, "Z", 1, "-4", 0, "", -1, " Z = -4 EAR =  .700 P/D = 1.000"},
    // Case 6: Jop = Va / (n * D); a negative Jop makes J^5 negative under the root of Bp.
    {6, "Z", 1, "0", 0, "", -1, " Z = 0. EAR =  .700 D =  4.032 m P/D =1.0000"},
    {6, "Z", 1, "-4", 5, "", -1, "    VA =    5.000 m/s ICIN J =     .620 OLUYOR"},
    {6, "RHO", 3, "0", 0, "", -1, " T=       .00 kN  Va=   5.000 m/s  RHO =     .0 kg/m3"},
    {6, "RHO", 3, "-1025", 0, "", -1, " T=   -234.28 kN  Va=   5.000 m/s  RHO = ****** kg/m3"},
    {6, "D", 4, "0", 3, "division by zero, invalid operation", 6, ""},
    {6, "D", 4, "-4.032", 3, "invalid operation", 6, ""},
    {6, "N", 5, "0", 3, "division by zero, invalid operation", 6, ""},
    {6, "N", 5, "-120", 3, "invalid operation", 6, ""},
    {6, "Va", 6, "0", 0, "", -1, " J=   .000 Kt=   .454 10Kq=   .675 Eta0=   .000"},
    {6, "Va", 6, "-5.0", 3, "invalid operation", 6, ""},
    // Case 7: J comes from delta alone; D, N, RHO and Va only scale the results.
    {7, "Z", 2, "0", 0, "", -1, " Z = 0. EAR =  .700 D =  4.000 m"},
    {7, "Z", 2, "-4", 0, "", -1, " Z = ** EAR =  .700 D =  4.000 m"},
    {7, "RHO", 4, "0", 0, "", -1,
     " RPS=  2.000 dev/san RPM= 120.00 TORK=    .000 kNm Pd=     .0 kW"},
    {7, "RHO", 4, "-1025", 0, "", -1,
     " RPS=  2.000 dev/san RPM= 120.00 TORK=-215.408 kNm Pd=-2706.9 kW"},
    {7, "D", 5, "0", 0, "", -1, " RPS=  2.000 dev/san RPM= 120.00 TORK=    .000 kNm Pd=     .0 kW"},
    {7, "D", 5, "-4.0", 0, "", -1,
     " RPS=  2.000 dev/san RPM= 120.00 TORK=-215.408 kNm Pd=-2706.9 kW"},
    {7, "N", 6, "0", 0, "", -1, " RPS=   .000 dev/san RPM=    .00 TORK=    .000 kNm Pd=     .0 kW"},
    {7, "N", 6, "-120", 0, "", -1,
     " RPS= -2.000 dev/san RPM=-120.00 TORK= 215.408 kNm Pd=-2706.9 kW"},
    {7, "Va", 7, "0", 0, "", -1, " T=    287.22 kN  Va=    .000 m/s  RHO = 1025.0 kg/m3"},
    {7, "Va", 7, "-5.0", 0, "", -1, " T=    287.22 kN  Va=  -5.000 m/s  RHO = 1025.0 kg/m3"},
    // Cases 8 to 10: J = Va / ((N / 60) * D).
    {8, "D", 1, "0", 3, "division by zero", 6, ""},
    {8, "D", 1, "-5.2", 5, "", -1, " Itme sinirlari disindasiniz - Baska dizayn yapiniz - STOP"},
    {8, "N", 2, "0", 3, "division by zero", 6, ""},
    {8, "N", 2, "-105", 5, "", -1, " Itme sinirlari disindasiniz - Baska dizayn yapiniz - STOP"},
    {8, "Va", 3, "0", 5, "", -1, " Itme sinirlari disindasiniz - Baska dizayn yapiniz - STOP"},
    {8, "Va", 3, "-6.4", 5, "", -1, " Itme sinirlari disindasiniz - Baska dizayn yapiniz - STOP"},
    {8, "RHO", 4, "0", 5, "", -1, " Itme sinirlari disindasiniz - Baska dizayn yapiniz - STOP"},
    {8, "RHO", 4, "-1025", 5, "", -1, " Itme sinirlari disindasiniz - Baska dizayn yapiniz - STOP"},
    {8, "Z", 5, "0", 0, "", -1, " Z =  0 EAR =  .650 P/D = 1.216"},
    {8, "Z", 5, "-4", 0, "", -1, " Z = -4 EAR =  .650 P/D = 1.372"},
    // The checked case-9 run applies the ITTC78 correction: its chord is EAR*D*2.073/Z.
    {9, "D", 1, "0", 3, "division by zero", 6, ""},
    {9, "N", 2, "0", 3, "division by zero", 6, ""},
    {9, "N", 2, "-105", 5, "", -1, " Guc sinirlari disindasiniz - Baska dizayn yapiniz  - STOP"},
    {9, "Va", 3, "0", 0, "", -1, " TORK= 418.338 kNm Pd= 4599.9 kW"},
    {9, "Va", 3, "-6.4", 0, "", -1, " TORK= 418.347 kNm Pd= 4600.0 kW"},
    {9, "RHO", 4, "0", 5, "", -1, " Guc sinirlari disindasiniz - Baska dizayn yapiniz  - STOP"},
    {9, "RHO", 4, "-1025", 5, "", -1, " Guc sinirlari disindasiniz - Baska dizayn yapiniz  - STOP"},
    {10, "D", 1, "0", 3, "division by zero", 6, ""},
    {10, "D", 1, "-5.0", 5, "", -1, " Moment sinirlari disindasiniz - Baska dizayn yapiniz - STOP"},
    {10, "N", 2, "0", 3, "division by zero", 6, ""},
    {10, "N", 2, "-110", 0, "", -1, " TORK= 429.992 kNm Pd=-4953.1 kW"},
    {10, "Va", 3, "0", 0, "", -1, " TORK= 429.990 kNm Pd= 4953.1 kW"},
    {10, "Va", 3, "-6.6", 0, "", -1, " TORK= 429.992 kNm Pd= 4953.1 kW"},
    {10, "RHO", 4, "0", 5, "", -1, " Moment sinirlari disindasiniz - Baska dizayn yapiniz - STOP"},
    {10, "RHO", 4, "-1025", 5, "", -1,
     " Moment sinirlari disindasiniz - Baska dizayn yapiniz - STOP"},
    {10, "Z", 5, "0", 0, "", -1, " Z =  0 EAR =  .700 P/D = 1.179"},
    {10, "Z", 5, "-4", 0, "", -1, " Z = -4 EAR =  .700 P/D = 1.240"},
};

std::string value_name(const std::string& value) {
  std::string name;
  for (char c : value)
    name += c == '-' ? std::string("minus") : c == '.' ? std::string("_") : std::string(1, c);
  return name;
}

void add_field_slips(std::vector<Slip>& slips) {
  for (const FieldSlip& f : kFieldSlips) {
    const std::string run = kReference[f.case_number];
    const std::string name =
        "case" + std::to_string(f.case_number) + "_" + f.field + "_" + value_name(f.value);
    Slip slip = on_run(name, run, with_value(checked(run, "task.Tsk"), f.index, f.value),
                       checked(run, "keyboard.txt"), f.status,
                       f.status == 3 ? arithmetic(f.fault, f.case_number) + "; " + f.field + " = " +
                                           f.value + " (line 81)"
                       : f.status == 5 ? "Tidewerk: no result: "
                                       : "",
                       f.report);
    slips.push_back(f.report_lines >= 0 ? start_of(slip, f.report_lines) : slip);
  }

  // Case 9 with the ITTC78 correction: a blade number of zero divides the chord by zero, a
  // negative diameter or blade number makes the chord negative and its logarithm in the
  // roughness formula invalid.  The fault arises in the pitch sweep, after the header block.
  const std::string case9 = kReference[9];
  const std::string header_j = " Pervane Ilerleme Katsayisi - J =   .703";
  const std::string header_z = " Pervane Kanat Sayisi       - Z =  4";
  slips.push_back(start_of(
      edited(on_run("case9_D_minus5_2", case9, with_value(checked(case9, "task.Tsk"), 1, "-5.2"),
                    "", 3, arithmetic("invalid operation", 9)),
             {{header_j, " Pervane Ilerleme Katsayisi - J =  -.703"},
              {" Pervane Capi               - D =  5.200 m",
               " Pervane Capi               - D = -5.200 m"}}),
      16));
  slips.push_back(
      start_of(edited(on_run("case9_Z_0", case9, with_value(checked(case9, "task.Tsk"), 5, "0"), "",
                             3, arithmetic("division by zero, invalid operation", 9)),
                      {{header_z, " Pervane Kanat Sayisi       - Z =  0"}}),
               16));
  slips.push_back(start_of(
      edited(on_run("case9_Z_minus4", case9, with_value(checked(case9, "task.Tsk"), 5, "-4"), "", 3,
                    arithmetic("invalid operation", 9)),
             {{header_z, " Pervane Kanat Sayisi       - Z = -4"}}),
      16));

  // A negative diameter, revolutions or advance speed only turns signs in cases 1 to 3: the
  // load coefficient holds them squared (D^2, n^2) or to the fourth power, so the candidate
  // table and the selection are those of the checked run.
  const std::string d_line = " Z = 4. EAR =  .700 D =  4.000 m";
  const std::string rps_line = " RPS=  1.461 dev/san RPM=  87.63 TORK=  79.415 kNm Pd=  728.8 kW";
  slips.push_back(
      edited(on_run("case1_D_minus4", "case1_b_merchant",
                    with_value(checked("case1_b_merchant", "task.Tsk"), 1, "-4.0"), "", 0),
             {{d_line, " Z = 4. EAR =  .700 D = -4.000 m"},
              {rps_line, " RPS= -1.461 dev/san RPM= -87.63 TORK= -79.415 kNm Pd=  728.8 kW"}}));
  slips.push_back(
      edited(on_run("case1_Va_minus5", "case1_b_merchant",
                    with_value(checked("case1_b_merchant", "task.Tsk"), 2, "-5.0"), "", 0),
             {{" T=    100.00 kN  Va=   5.000 m/s  RHO = 1025.0 kg/m3",
               " T=    100.00 kN  Va=  -5.000 m/s  RHO = 1025.0 kg/m3"},
              {" Vtip= 18.35 m/s", " Vtip=-18.35 m/s"},
              {rps_line, " RPS= -1.461 dev/san RPM= -87.63 TORK=  79.415 kNm Pd= -728.8 kW"}}));
  for (const char* run : {"case2_b_merchant", "case3_b_merchant"}) {
    const bool case3 = std::string(run) == "case3_b_merchant";
    const std::string tail = case3 ? " Vtip = 24.1 m/s" : "";
    const std::string D = case3 ? "3.836" : "3.600";
    const std::string torque = case3 ? "79.577 kNm Pd= 1000.0 kW" : "60.440 kNm Pd=  759.5 kW";
    slips.push_back(
        edited(on_run(std::string(case3 ? "case3" : "case2") + "_N_minus120", run,
                      with_value(checked(run, "task.Tsk"), case3 ? 2 : 1, "-120"), "", 0),
               {{" Z = 4. EAR =  .700 D =  " + D + " m" + tail,
                 " Z = 4. EAR =  .700 D = -" + D + " m" + tail},
                {" RPS=  2.000 dev/san RPM= 120.00 TORK=  " + torque,
                 " RPS= -2.000 dev/san RPM=-120.00 TORK= -" + torque}}));
  }
  slips.push_back(
      edited(on_run("case2_Va_minus5", "case2_b_merchant",
                    with_value(checked("case2_b_merchant", "task.Tsk"), 2, "-5.0"), "", 0),
             {{" T=    100.00 kN  Va=   5.000 m/s  RHO = 1025.0 kg/m3",
               " T=    100.00 kN  Va=  -5.000 m/s  RHO = 1025.0 kg/m3"},
              {" Z = 4. EAR =  .700 D =  3.600 m", " Z = 4. EAR =  .700 D = -3.600 m"},
              {" RPS=  2.000 dev/san RPM= 120.00 TORK=  60.440 kNm Pd=  759.5 kW",
               " RPS=  2.000 dev/san RPM= 120.00 TORK= -60.440 kNm Pd= -759.5 kW"}}));
}

// Keyboard slips at each kind of prompt.
void add_keyboard_slips(std::vector<Slip>& slips) {
  const std::string case5 = checked("case5_b_no_correction", "task.Tsk");
  const std::string ittc = " ITTC78 VISKOZ DUZELTME YONTEMI KULLANILMISTIR";
  const std::string none = " VISKOZ DUZELTME YAPILMAMISTIR";
  // Case 5: the question, then D and N.
  slips.push_back(same_as(
      on_run("case5_keyboard_ends_at_the_question", "case5_b_no_correction", case5, "", 0)));
  slips.push_back(
      same_as(on_run("case5_digit_at_the_question", "case5_b_no_correction", case5, "1\n", 0)));
  // The question comes before the table head: a run ended at the numbers holds the banner.
  const struct {
    const char* name;
    const char* typed;
    const char* message;
  } case5_numbers[] = {
      {"case5_keyboard_ends_before_the_numbers", "E\n",
       "keyboard input: the input ended after line 1 while a number was expected for D (m)"},
      {"case5_keyboard_ends_at_the_numbers", "E\n4\n",
       "keyboard input: the input ended after line 2 while a number was expected for N (RPM)"},
      {"case5_answer_and_numbers_on_one_line", "E 4 120\n",
       "keyboard input: the input ended after line 1 while a number was expected for D (m)"},
      {"case5_word_at_the_diameter", "E\nfour 120\n",
       "keyboard input, line 2: \"four\" is not a number (expected D (m))"},
      {"case5_word_at_the_revolutions", "E\n4\nx\n",
       "keyboard input, line 3: \"x\" is not a number (expected N (RPM))"},
  };
  for (const auto& k : case5_numbers) {
    slips.push_back(
        start_of(on_run(k.name, "case5_b_correction_E", case5, k.typed, 1, k.message), 6));
  }
  // Zero or negative D and N typed.  A diameter below 0.001 makes the ITTC78 correction take
  // Va/(n*J) = 0 as its diameter (a zero chord); revolutions below 0.001 with Va = 0 leave
  // the coefficients uncorrected, and the closing statement says so: the run is the one
  // without correction.
  // The error names the typed value as it names a task file's.
  for (const std::string D : {"0", "-4"}) {
    slips.push_back(
        start_of(on_run("case5_typed_D_" + value_name(D), "case5_b_correction_E", case5,
                        "E\n" + D + " 120\n", 3,
                        arithmetic("division by zero, invalid operation", 5) + "; D = " + D +
                            " typed at the keyboard (line 2); the run was ended"),
                 12));
  }
  for (const char* typed : {"E\n4 0\n", "E\n4 -120\n"}) {
    slips.push_back(
        edited(on_run(std::string("case5_typed_N_") + (typed[4] == '0' ? "0" : "minus120"),
                      "case5_b_no_correction", case5, typed, 0),
               {}));
  }

  // Case 1: the best row is the last one; the question, then the row number.
  const std::string case1 = checked("case1_b_best_last_empty_answer", "task.Tsk");
  const std::string row_prompt = "the row number of the propeller (left column)";
  slips.push_back(same_as(on_run("case1_keyboard_ends_at_the_question",
                                 "case1_b_best_last_empty_answer", case1, "", 0)));
  // The table and its closing rule are in the report; the dialogue is on the screen only.
  const int table_lines = 104;
  slips.push_back(start_of(
      on_run("case1_keyboard_ends_at_the_row", "case1_b_best_last_empty_answer", case1, "e\n", 1,
             "keyboard input: the input ended after line 1 while a whole number was expected for " +
                 row_prompt),
      table_lines));
  slips.push_back(start_of(
      on_run("case1_row_outside_then_end", "case1_b_best_last_empty_answer", case1, "e\n0\n99\n", 1,
             "the input ended after line 3 while a whole number was expected for " + row_prompt),
      table_lines));
  slips.push_back(start_of(
      on_run(
          "case1_word_at_the_row", "case1_b_best_last_empty_answer", case1, "e\nsixty\n", 1,
          "keyboard input, line 2: \"sixty\" is not a whole number (expected " + row_prompt + ")"),
      table_lines));
  slips.push_back(
      start_of(on_run("case1_real_at_the_row", "case1_b_best_last_empty_answer", case1, "e\n60.0\n",
                      1, "keyboard input, line 2: \"60.0\" is not a whole number"),
               table_lines));

  // Case 4: the choice of the propeller.
  const std::string case4 = checked("case4_b_choice1", "task.Tsk");
  const int bollard_table_lines = 16;
  slips.push_back(start_of(
      on_run("case4_keyboard_ends_at_the_choice", "case4_b_choice1", case4, "", 1,
             "keyboard input: the input ended before its first line while a whole number was "
             "expected for propeller index"),
      bollard_table_lines));
  slips.push_back(start_of(
      on_run("case4_choice_outside_then_end", "case4_b_choice1", case4, "4\n0\n", 1,
             "the input ended after line 2 while a whole number was expected for propeller index"),
      bollard_table_lines));
  slips.push_back(start_of(
      on_run("case4_word_at_the_choice", "case4_b_choice1", case4, "one\n", 1,
             "keyboard input, line 1: \"one\" is not a whole number (expected propeller index)"),
      bollard_table_lines));
  slips.push_back(
      same_as(on_run("case4_choice_after_empty_lines", "case4_b_choice1", case4, "\n\n 1 ,\n", 0)));

  // Endless empty lines, as `yes ''` gives them: a number prompt takes 1,000 empty lines in a
  // row as the sign that nobody is typing and ends the run with an input error naming it.
  const std::string empty_lines(3000, '\n');
  std::string blank_lines;  // blanks, tabs and a comma hold no value either
  for (int k = 0; k < 1500; ++k) blank_lines += k % 2 ? " \t ,\r\n" : "   \n";
  slips.push_back(start_of(
      on_run("case4_endless_empty_lines_at_the_choice", "case4_b_choice1", case4, empty_lines, 1,
             "keyboard input, lines 1 to 1000: 1000 empty lines in a row while a whole number was "
             "expected for propeller index"),
      bollard_table_lines));
  slips.push_back(start_of(
      on_run("case5_endless_empty_lines_at_the_diameter", "case5_b_correction_E", case5,
             "E\n" + empty_lines, 1,
             "keyboard input, lines 2 to 1001: 1000 empty lines in a row while a number was "
             "expected for D (m)"),
      6));
  slips.push_back(start_of(
      on_run("case5_endless_blank_lines_at_the_revolutions", "case5_b_correction_E", case5,
             "E\n4\n" + blank_lines, 1,
             "keyboard input, lines 3 to 1002: 1000 empty lines in a row while a number was "
             "expected for N (RPM)"),
      6));
  slips.push_back(start_of(
      on_run("case1_endless_empty_lines_at_the_row", "case1_b_best_last_empty_answer", case1,
             "e\n" + empty_lines, 1,
             "keyboard input, lines 2 to 1001: 1000 empty lines in a row while a whole number "
             "was expected for " +
                 row_prompt),
      table_lines));
  // Endless answers outside the range are asked again a thousand times, then end the run.
  std::string fours;
  for (int k = 0; k < 1500; ++k) fours += "4\n";
  slips.push_back(start_of(
      on_run("case4_endless_choices_outside", "case4_b_choice1", case4, fours, 1,
             "keyboard input, line 1000: 1000 answers in a row outside 1 to 3 for propeller index"),
      bollard_table_lines));
  // 999 empty lines and then the number: the read goes on to it.
  slips.push_back(same_as(on_run("case4_choice_after_999_empty_lines", "case4_b_choice1", case4,
                                 std::string(999, '\n') + "1\n", 0)));

  // Cases 8 to 10: a pause at the end of the input continues, and so does one answered with
  // anything at all; the run is the same as the checked one.
  const struct {
    const char* run;
    int pauses;
  } design_runs[] = {{"case8_b_merchant_ship", 4},
                     {"case9_b_ittc78_merchant_ship", 3},
                     {"case10_b_merchant_ship", 3}};
  for (const auto& d : design_runs) {
    const std::string task = checked(d.run, "task.Tsk");
    std::string typed;
    for (int answered = 0; answered < d.pauses; ++answered, typed += "\n") {
      slips.push_back(same_as(on_run(
          std::string(d.run) + "_keyboard_ends_after_" + std::to_string(answered) + "_pauses",
          d.run, task, typed, 0)));
    }
    slips.push_back(same_as(on_run(std::string(d.run) + "_words_at_the_pauses", d.run, task,
                                   "x\n1e999\n\x01\x02\n" + std::string(10000, 'y') + "\nE\n", 0)));
  }
  // The data-entry stop pauses too.
  slips.push_back(same_as(on_run("case5_ear_too_large_words_at_the_pause", "case5_ear_too_large",
                                 checked("case5_ear_too_large", "task.Tsk"), "nothing\n", 5,
                                 "Tidewerk: no result: the blade-area ratio EAR = 1.2000")));
}

// Commas, tabs and Windows line ends separate values like blanks and line ends: the run is
// the same as the checked one.  CRLF also in the keyboard input.
std::string windows_line_ends(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

void add_separator_slips(std::vector<Slip>& slips) {
  const char* const separators[] = {",", "\t", " , ", ",\t", "\t,\t"};
  for (int c : {1, 4, 5, 6, 7, 8, 9, 10}) {
    const std::string run = kReference[c];
    const std::string task = checked(run, "task.Tsk");
    const std::vector<std::string> values = values_of(task, kValueCount[c]);
    std::string one_line, one_per_line;
    for (std::size_t k = 0; k < values.size(); ++k) {
      one_line += (k ? separators[k % 5] : "") + values[k];
      one_per_line += values[k] + (k % 2 ? ",\n\n" : "\t\n");
    }
    one_line += ",\t! a comment after the values";
    for (const bool spread : {false, true}) {
      std::vector<std::string> lines = split_lines(task);
      lines.resize(80);
      lines[15] += "\t, comment";  // the series, then a comment
      lines.push_back(spread ? one_per_line : one_line);
      slips.push_back(same_as(on_run(
          "case" + std::to_string(c) + (spread ? "_values_spread_crlf" : "_commas_tabs_crlf"), run,
          join_lines(lines, "\r\n"), windows_line_ends(checked(run, "keyboard.txt")), 0)));
    }
  }
  // Keyboard answers with commas, tabs and CRLF.
  slips.push_back(
      same_as(on_run("case5_typed_numbers_comma_tab_crlf", "case5_b_correction_E",
                     checked("case5_b_correction_E", "task.Tsk"), "E\r\n4.0,\t120\r\n", 0)));
  slips.push_back(same_as(on_run("case1_typed_row_crlf", "case1_b_best_last_choose_row",
                                 checked("case1_b_best_last_choose_row", "task.Tsk"),
                                 "e\r\n\t60 ,\r\n\r\n", 0)));
}

// Very long lines: in the explanatory part, after the series, the case and the values, and
// as a run of blanks before the values.  The run is the same as the checked one.
void add_long_line_slips(std::vector<Slip>& slips) {
  const std::string run = "case8_b_merchant_ship";
  const std::string task = checked(run, "task.Tsk");
  const std::string keyboard = checked(run, "keyboard.txt");
  const std::string long_text(200000, 'x');
  const struct {
    const char* name;
    int line;
    std::string text;
  } long_lines[] = {
      {"first_line", 1, long_text},
      {"fifteenth_line", 15, std::string(81, '-')},
      {"line_40_of_blanks_and_tabs", 40, std::string(100000, ' ') + std::string(100000, '\t')},
      {"series_then_comment", 16, "1 " + long_text},
      {"case_then_comment", 80, "8 " + long_text},
      {"values_then_comment", 81, split_lines(task)[80] + " " + long_text},
      {"blanks_before_the_values", 81, std::string(100000, ' ') + split_lines(task)[80]},
  };
  for (const auto& l : long_lines) {
    slips.push_back(same_as(
        on_run(std::string("long_") + l.name, run, with_line(task, l.line, l.text), keyboard, 0)));
  }
  // A value written with many digits reads as its single-precision value.
  slips.push_back(
      same_as(on_run("long_number", run,
                     with_value(task, 0, "450.000000000000000000000000000000000000000000000000001"),
                     keyboard, 0)));
  slips.push_back(on_run(
      "long_word_for_a_value", run, with_value(task, 1, std::string(5000, '5') + "x"), keyboard, 1,
      "line 81: \"" + std::string(40, '5') + "...\" is not a number (expected D (m))"));
}

// Files that are not task files at all.
void add_file_slips(std::vector<Slip>& slips) {
  std::string nul_lines;
  for (int k = 0; k < 100; ++k) nul_lines += std::string(30, '\0') + "\n";
  std::string utf16 = "\xFF\xFE";
  for (char c : windows_line_ends(head_then("5\n1.0 4 0.7\n"))) {
    utf16 += c;
    utf16 += '\0';
  }
  std::string noise;
  unsigned state = 12345;
  for (int k = 0; k < 20000; ++k) {
    state = state * 1103515245u + 12345u;
    noise += static_cast<char>((state >> 16) & 0xFF);
  }
  const std::vector<Slip> files = {
      {"nul_bytes_task_file", nul_lines, "", 1, "line 16: \"\\x00\\x00\\x00", ""},
      {"utf16_task_file", utf16, "", 1,
       "line 16: \"\\x001\\x00\" is not a whole number (expected series (line 16))", ""},
      {"noise_task_file", noise, "", 1, "is not a whole number (expected series (line 16))", ""},
      {"only_empty_lines", std::string(200, '\n'), "", 1,
       "the input ended after line 200 while a whole number was expected for series (line 16)", ""},
      {"only_crlf_lines", windows_line_ends(std::string(200, '\n')), "", 1,
       "the input ended after line 200 while a whole number was expected for series (line 16)", ""},
      {"carriage_returns_only", std::string(200, '\r'), "", 1, "the file ends after line 1", ""},
      {"two_commas_between_values", head_then("5\n1.0,,4 0.7\n"), "", 1,
       "line 81: an empty value between two commas", ""},
      // A decimal comma splits a number in two: the values that follow slide along, and the
      // blade-area ratio gets 1025 (RHO), which the data-entry check refuses.
      {"decimal_commas", head_then("8\n450 5,2 105 6,4 1025 4 0,65 0 3,5\n"), "", 5,
       "Tidewerk: no result: the blade-area ratio EAR = 1025.0000",
       "  Hesabi istenen Ae = ****** sinir disinda kalmaktadir."},
  };
  slips.insert(slips.end(), files.begin(), files.end());

  // A byte-order mark on the first line, and no line end after the last line of the file or
  // of the keyboard input.
  slips.push_back(same_as(on_run("utf8_byte_order_mark", "case0_banner_only",
                                 "\xEF\xBB\xBF" + checked("case0_banner_only", "task.Tsk"), "", 5,
                                 "Tidewerk: no result: line 80 holds case 0")));
  std::string unterminated = checked("case5_b_no_correction", "task.Tsk");
  unterminated.pop_back();
  slips.push_back(same_as(
      on_run("no_line_end_after_the_values", "case5_b_no_correction", unterminated, "H", 0)));
}

std::vector<Slip> catalogue() {
  const std::string banner_end =
      " ------------------------------------------------------------------------\n";
  std::vector<Slip> slips = {
      {"missing_task_file", "<missing>", "", 1, "cannot be opened", ""},
      {"empty_task_file", "", "", 1, "the file ends after line 0, within the 15 explanatory lines",
       ""},
      {"short_task_file", "a\nb\nc\n", "", 1, "the file ends after line 3", ""},
      {"seventy_nine_lines", head_then(""), "", 1,
       "the input ended after line 79 while a whole number was expected for case", ""},
      {"binary_task_file",
       std::string("\x7f"
                   "ELF\x02\x01\x01\0\0\0\0",
                   12) +
           std::string(3000, '\x90'),
       "", 1, "the file ends after line 1", ""},
      {"word_for_series",
       head_then("5\n1 4 0.7\n").replace(head_then("").find("\n1\n") + 1, 1, "one"), "", 1,
       "line 16: \"one\" is not a whole number", ""},
      {"real_for_series", std::string(15, '\n') + "1.5\n", "", 1,
       "line 16: \"1.5\" is not a whole number", ""},
      {"lone_sign_for_a_value", head_then("5\n1.0 - 0.7\n"), "", 1,
       "line 81: \"-\" is not a number (expected Z)", ""},
      {"two_points_in_a_value", head_then("5\n1.2.3 4 0.7\n"), "", 1,
       "line 81: \"1.2.3\" is not a number (expected P/D)", ""},
      {"exponent_without_digits", head_then("5\n1e 4 0.7\n"), "", 1, "\"1e\" is not a number", ""},
      {"overflowing_value", head_then("5\n1e999 4 0.7\n"), "", 1,
       "\"1e999\" is too large for a single-precision number (expected P/D)", ""},
      {"real_for_ivisc", head_then("8\n300 4 120 6 1025 4 0.55 1.5 3\n"), "", 1,
       "\"1.5\" is not a whole number (expected IVISC)", ""},
      {"values_missing_at_end", head_then("5\n1.0 4\n"), "", 1,
       "while a number was expected for EAR", ""},
      {"case_minus_one", head_then("-1\n"), "", 5, "no result: line 80 holds case -1, not 1 to 10",
       banner_end},
      {"case_zero", head_then("0\n"), "", 5, "no result: line 80 holds case 0, not 1 to 10",
       banner_end},
      {"case_eleven", head_then("11\n"), "", 5, "no result: line 80 holds case 11, not 1 to 10",
       banner_end},
      {"case_ninety_nine", head_then("99\n"), "", 5,
       "no result: line 80 holds case 99, not 1 to 10", banner_end},
      {"very_long_lines",
       std::string(5000, 'x') + "\n" +
           head_then("5\n1.0 4 0.7 " + std::string(5000, 'y') + "\n")
               .substr(head_then("").find('\n') + 1),
       "H\n", 0, "", "HESAPLARDA WAGENINGEN B SERISI KULLANILMISTIR"},
  };
  // delta = 0 in case 7: J = 101.2685 / delta divides by zero before anything of the case is
  // written; the report holds the banner only.
  slips.push_back(start_of(on_run("case7_delta_zero", "case7_b_reference",
                                  with_value(checked("case7_b_reference", "task.Tsk"), 1, "0"), "",
                                  3, arithmetic("division by zero", 7)),
                           6));
  add_unknown_series(slips);
  add_field_slips(slips);
  add_keyboard_slips(slips);
  add_separator_slips(slips);
  add_long_line_slips(slips);
  add_file_slips(slips);
  return slips;
}

class BadInput : public ::testing::TestWithParam<Slip> {};

TEST_P(BadInput, EndsCleanlyWithAClearMessage) {
  const Slip& slip = GetParam();
  const Outcome out = run_binary(slip.name, slip.task, slip.keyboard);
  EXPECT_EQ(out.status, slip.status) << out.errors;
  EXPECT_EQ(out.check, "");
  if (slip.message.empty()) {
    EXPECT_EQ(out.errors, "");
  } else {
    EXPECT_NE(out.errors.find(slip.message), std::string::npos) << out.errors;
    EXPECT_EQ(out.errors.rfind("Tidewerk: ", 0), 0u) << out.errors;
  }
  if (!slip.report.empty()) {
    EXPECT_NE(out.report.find(slip.report), std::string::npos) << out.report;
  }
  // The report always starts with the banner and holds complete lines only.
  EXPECT_EQ(out.report.rfind(" -----", 0), 0u);
  EXPECT_TRUE(out.report.empty() || out.report.back() == '\n');
  std::istringstream words(out.report);
  for (std::string w; words >> w;) {
    const std::size_t start = w[0] == '-' || w[0] == '+' ? 1 : 0;
    for (const char* bad : {"nan", "inf"}) EXPECT_NE(w.find(bad, start), start) << w;
  }
  // A run that did not stop normally never claims it did; one that did, always does (with its
  // result, status 0, or without it, status 5).
  const bool stopped = out.screen.find("Stop - Program terminated.") != std::string::npos;
  EXPECT_EQ(stopped, out.status == 0 || out.status == 5);

  if (!slip.whole_report.empty()) {
    EXPECT_EQ(out.report, slip.whole_report);
  }
  if (!slip.whole_screen.empty()) {
    EXPECT_EQ(out.screen, slip.whole_screen);
  }
  const std::string checked_report = slip.run.empty() ? "" : checked(slip.run, "report.txt");
  if (slip.against == Against::Nothing) return;
  ASSERT_FALSE(checked_report.empty()) << "no checked run " << slip.run;
  if (slip.against == Against::SameRun) {
    EXPECT_EQ(out.report, checked_report);
    EXPECT_EQ(out.screen, checked(slip.run, "screen.txt"));
    return;
  }
  std::vector<std::string> lines = split_lines(checked_report);
  for (const auto& [from, to] : slip.edits) {
    const auto at = std::find(lines.begin(), lines.end(), from);
    ASSERT_NE(at, lines.end()) << "not in " << slip.run << ": " << from;
    *at = to;
  }
  if (slip.against == Against::StartOfRun) {
    EXPECT_EQ(count_lines(out.report), slip.report_lines);
    EXPECT_EQ(out.report, first_lines(join_lines(lines), slip.report_lines));
  } else {
    EXPECT_EQ(out.report, join_lines(lines));
  }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, BadInput, ::testing::ValuesIn(catalogue()),
                         [](const ::testing::TestParamInfo<Slip>& param_info) {
                           std::string name = param_info.param.name;
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

}  // namespace
}  // namespace tidewerk
