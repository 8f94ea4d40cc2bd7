// The study file's reader: the template reads back, and every kind of slip ends with the
// file, line, column and key, and says what is wrong.
#include "study/study_file.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "report/run_end.h"

namespace tidewerk {
namespace {

// The template with the line starting with `start` replaced by `line` (removed when empty).
std::string edited(const std::string& start, const std::string& line) {
  std::istringstream in(study_template());
  std::string out, current;
  bool found = false;
  while (std::getline(in, current)) {
    if (!found && current.rfind(start, 0) == 0) {
      found = true;
      if (!line.empty()) out += line + "\n";
      continue;
    }
    out += current + "\n";
  }
  EXPECT_TRUE(found) << start;
  return out;
}

std::string message_of(const std::string& text) {
  try {
    read_study(text, "ship.toml");
  } catch (const InputError& e) {
    return e.what();
  }
  return "(read without error)";
}

TEST(StudyFile, TheTemplateReadsBackWithItsValuesInSiUnits) {
  const StudyInput in = read_study(study_template(), "ship.toml");
  EXPECT_EQ(in.name, "Holtrop-Mennen example ship");
  EXPECT_TRUE(in.hull_given);
  EXPECT_DOUBLE_EQ(in.hull.L, 205.0);
  EXPECT_DOUBLE_EQ(in.hull.Cstern, 10.0);  // "U"
  EXPECT_FALSE(in.hull.S.has_value());
  EXPECT_EQ(in.resistance, ResistanceSource::Holtrop1984);
  EXPECT_FALSE(in.wake.has_value());
  EXPECT_EQ(in.series, (std::vector<Series>{Series::WageningenB, Series::Gawn, Series::Kca}));
  EXPECT_EQ(in.blades, (std::vector<int>{4, 5}));
  EXPECT_DOUBLE_EQ(*in.D_max, 8.0);
  EXPECT_FALSE(in.D.has_value());
  EXPECT_EQ(in.blade_area, BladeAreaRule::Keller);
  EXPECT_DOUBLE_EQ(in.MCR_W, 25.0e6);
  EXPECT_DOUBLE_EQ(in.design_V_mps, 25.0 * knot);
  const std::vector<double> speeds = table_speeds(in);
  ASSERT_EQ(speeds.size(), 25u);  // 14 to 26 kn by 0.5, both ends included
  EXPECT_NEAR(speeds.back(), 26.0 * knot, 1e-12);
}

struct Slip {
  const char* name;
  const char* line_start;  // the template's line to replace
  const char* line;        // its replacement ("" removes it)
  const char* message;     // the whole message
};

const Slip kSlips[] = {
    {"unknown key with a hint", "MCR =", "mcr = 25000.0",
     "ship.toml:52:1: [engine] mcr: unknown key; did you mean MCR?"},
    {"unknown key without a hint", "L =", "Lpp = 205.0", "ship.toml:4:1: [ship] Lpp: unknown key"},
    {"unknown table", "[water]", "[watr]",
     "ship.toml:21:2: [watr]: unknown table; did you mean [water]?"},
    {"wrong type", "B =", "B = \"32\"",
     "ship.toml:5:5: [ship] B: must be a number, found a string"},
    {"missing key", "TF =", "", "ship.toml:2:1: [ship] TF: missing (m, draught forward)"},
    {"out of domain", "CM =", "CM = 1.2",
     "ship.toml:10:6: [ship] CM: 1.2 is out of its domain: it must be above 0 and at most 1"},
    {"real blade number", "blades =", "blades = [4, 4.5]",
     "ship.toml:40:14: [propeller] blades: must hold whole numbers; found a real number"},
    {"blade number out of domain", "blades =", "blades = [4, 9]",
     "ship.toml:40:14: [propeller] blades: 9 is out of its domain: blade numbers go from 2 to 7"},
    {"word in the wrong case", "stern =", "stern = \"u\"",
     "ship.toml:17:9: [ship] stern: \"u\" is not one of \"pram\", \"V\", \"normal\" or \"U\"; did "
     "you mean \"U\"?"},
    {"series misspelt", "series =", "series = [\"wageningen\"]",
     "ship.toml:39:11: [propeller] series: \"wageningen\" is not one of \"wageningen-b\", \"gawn\" "
     "or \"kca\"; did you mean \"wageningen-b\"?"},
    {"table method without its table", "method =", "method = \"table\"",
     "ship.toml:25:1: [resistance] speeds_kn: missing (the table's speeds, kn, with method = "
     "\"table\")"},
    {"both D and D_max", "# D = 7.6", "D = 7.6",
     "ship.toml:42:5: [propeller] D: give D_max (the study chooses D) or D (the study chooses N), "
     "not both"},
    {"N range without D", "# N_min", "N_min = 80.0",
     "ship.toml:43:9: [propeller] N_min: belongs to a given D (the study chooses D with D_max at "
     "the engine's rpm)"},
    {"speed range backwards", "range =", "range = [14.0, 10.0, 0.5]",
     "ship.toml:59:9: [speeds] range: must be [from, to, step] with 0 < from <= to and step > 0"},
    {"wake of 1 or more", "wake =", "wake = 1.2",
     "ship.toml:33:8: [propulsion] wake: 1.2 is out of its domain: it must be from 0 up to 1"},
    {"factor word", "wake =", "wake = \"holtropp\"",
     "ship.toml:33:8: [propulsion] wake: \"holtropp\" is not \"holtrop\" or a number"},
    {"truth value as a number", "ittc78 =", "ittc78 = 1",
     "ship.toml:48:10: [propeller] ittc78: must be true or false, found a whole number"},
    {"table header left out", "[speeds]", "", "ship.toml:57:1: [engine] design: unknown key"},
    {"TOML syntax", "L =", "L = 205.0.0",
     "ship.toml:4:10: Error while parsing floating-point: expected decimal digit or exponent, saw "
     "'.'"},
    // Found by fuzzing: toml++ 3.3 has undefined behaviour for some such characters.
    {"character beyond ASCII in a key", "SAPP =", "S\xc7\xafP = 50.0",
     "ship.toml:15:2: a character beyond ASCII outside a string or comment"},
    // A quote inside a bare word opens no string: the parser scans the word to its end.
    {"quote inside a bare value", "series =", "series = [\"w\", +5\"\xca\x98 ca]",
     "ship.toml:39:19: a character beyond ASCII outside a string or comment"},
    {"character beyond ASCII in a quoted key", "SAPP =", "\"S\xc7\xafP\" = 50.0",
     "ship.toml:15:3: a character beyond ASCII in a key"},
    {"character beyond ASCII in an inline table's key", "name =",
     "name = { a = 1, 'b\xc3\xa4' = 2 }", "ship.toml:3:19: a character beyond ASCII in a key"},
    {"character beyond ASCII after a backslash", "name =", "name = \"\"\"F\\\xc3\xa4hre\"\"\"",
     "ship.toml:3:13: a character beyond ASCII after a backslash"},
    {"character beyond ASCII after a line-ending backslash",
     "name =", "name = \"\"\"F\\  \n  \xc3\xa4hre\"\"\"",
     "ship.toml:4:3: a character beyond ASCII after a line-ending backslash"},
    {"block coefficient of 1 or more", "volume =", "volume = 66000.0",
     "ship.toml:8:10: [ship] volume: 66000 is out of its domain: it must be below L B T (block "
     "coefficient below 1)"},
};

class StudyFileSlip : public ::testing::TestWithParam<Slip> {};

TEST_P(StudyFileSlip, EndsWithFileLineColumnKeyAndWhat) {
  const Slip& slip = GetParam();
  EXPECT_EQ(message_of(edited(slip.line_start, slip.line)), slip.message);
}

INSTANTIATE_TEST_SUITE_P(Slips, StudyFileSlip, ::testing::ValuesIn(kSlips),
                         [](const ::testing::TestParamInfo<Slip>& info) {
                           std::string name = info.param.name;
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

// A resistance table must cover the design speed and the speed range.
TEST(StudyFile, ATableIsNotReadBeyondItsSpeeds) {
  const std::string text =
      edited("method =",
             "method = \"table\"\nspeeds_kn = [14.0, 20.0, 24.0]\nRT_kN = [400.0, 900.0, 1600.0]");
  const std::string message = message_of(text);
  EXPECT_NE(message.find("[speeds] design: 25 is out of its domain: it must be within the "
                         "resistance table's speeds, 14 to 24 kn"),
            std::string::npos)
      << message;
}

TEST(StudyFile, CharactersBeyondAsciiAreReadInStringsAndComments) {
  std::string text = edited("name =", "name = \"F\xc3\xa4hre \\\" \xc2\xb0\" # \xc3\xa9t\xc3\xa9");
  text +=
      "# Schiff f\xc3\xbc"
      "r 20 \xc2\xb0"
      "C\n";
  EXPECT_EQ(read_study(text, "ship.toml").name, "F\xc3\xa4hre \" \xc2\xb0");
  text = edited("name =", "name = '''F\xc3\xa4hre'''");
  EXPECT_EQ(read_study(text, "ship.toml").name, "F\xc3\xa4hre");
  text = "\xEF\xBB\xBF" + edited("name =", "name = \"\"\"F\xc3\xa4\\\n  hre \\u00e9\"\"\"");
  EXPECT_EQ(read_study(text, "ship.toml").name, "F\xc3\xa4hre \xc3\xa9");
}

TEST(StudyFile, AMissingTableIsNamed) {
  const std::string text = study_template();
  EXPECT_EQ(message_of(text.substr(0, text.find("[speeds]"))),
            "ship.toml: [speeds]: missing table");
}

TEST(StudyFile, NearestKeyAllowsFewEditsAndIgnoresLetterCase) {
  const std::vector<std::string_view> keys = {"shaft_depth", "D_max", "PD", "rpm"};
  EXPECT_EQ(nearest_key("shaft_dept", keys), "shaft_depth");
  EXPECT_EQ(nearest_key("d_MAX", keys), "D_max");
  EXPECT_EQ(nearest_key("pd", keys), "PD");
  EXPECT_EQ(nearest_key("rev", keys), "");  // two edits of three letters is another word
  EXPECT_EQ(nearest_key("Lpp", {"SAPP"}), "");
  EXPECT_EQ(nearest_key("blades", keys), "");
}

}  // namespace
}  // namespace tidewerk
