// The record's writers: numbers that read back, tidy CSV with quoted texts, the JSON record's
// keys in order with null for a missing value, the HTML page self-contained.
#include "outputs/general_record.h"

#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>

#include "support/xml_check.h"

namespace tidewerk {
namespace {

TEST(Record, RealsReadBackAndAlwaysLookReal) {
  const struct {
    double value;
    const char* text;
  } cases[] = {{3.0, "3.0"},    {0.1, "0.1"},   {1e-7, "1e-07"},
               {2e22, "2e+22"}, {-0.5, "-0.5"}, {0.1 + 0.2, "0.30000000000000004"},
               {NAN, ""},       {INFINITY, ""}};
  for (const auto& c : cases) {
    const std::string text = shortest_text(c.value);
    if (std::string(c.text).find('e') != std::string::npos) {
      EXPECT_EQ(std::stod(text), c.value) << text;
      EXPECT_NE(text.find('.'), std::string::npos) << text;  // "1.0e-07"
    } else {
      EXPECT_EQ(text, c.text);
    }
  }
}

RecordTable sample_table() {
  return {"candidates",
          "Candidates",
          {{"series", 0}, {"Z", 0}, {"etaD", 4}, {"feasible", 0}, {"reason", 0}},
          {{std::string("KCA"), 4L, 0.71, true, std::string()},
           {std::string("Gawn"), 5L, NAN, false,
            std::string("needs P/D above 1.4, \"so\" \n to speak")}}};
}

TEST(Record, CsvHasOneFieldPerColumnAndQuotesTextsThatNeedIt) {
  EXPECT_EQ(record_table_csv(sample_table()),
            "series,Z,etaD,feasible,reason\n"
            "KCA,4,0.71,true,\n"
            "Gawn,5,,false,\"needs P/D above 1.4, \"\"so\"\" \n to speak\"\n");
}

TEST(Record, JsonHasItsKeysInOrderAndNullForMissingValues) {
  Record r;
  r.version = "1.2";
  r.source_key = "study_file";
  r.source = "ship.toml";
  r.inputs = {{"speeds.design", "kn", 25.0, "design speed"}};
  r.tables = {sample_table()};
  r.results = {{"D", "m", 7.5}, {"series", "", 1L}};
  r.warnings = {"a warning"};
  r.ending = "result";
  const nlohmann::ordered_json json = nlohmann::ordered_json::parse(record_json(r));
  std::vector<std::string> keys;
  for (const auto& [key, value] : json.items()) keys.push_back(key);
  EXPECT_EQ(keys,
            (std::vector<std::string>{"program", "version", "study_file", "inputs", "tables",
                                      "results", "warnings", "ending", "reason", "exit_status"}));
  EXPECT_EQ(json["tables"][0]["rows"][1][2], nullptr);  // NaN
  EXPECT_EQ(json["tables"][0]["rows"][0][4], nullptr);  // no reason
  EXPECT_EQ(json["tables"][0]["rows"][0][3], true);
  EXPECT_EQ(json["results"][1]["value"], 1);
  EXPECT_TRUE(json["results"][1]["value"].is_number_integer());
  EXPECT_EQ(json["reason"], nullptr);
  EXPECT_EQ(json["inputs"][0]["unit"], "kn");
}

TEST(Record, HtmlIsWellFormedSelfContainedAndEscaped) {
  Record r;
  r.title = "Study <of> a & b";
  r.source_key = "study_file";
  r.tables = {sample_table()};
  Diagram d;
  d.title = "one";
  d.x_label = "J";
  d.y_label = "Kt";
  d.series.push_back({"Kt", kColourKt, true, {0.1f, 0.5f}, {0.3f, 0.1f}});
  r.diagrams = {{"open-water", d}, {"speed-power", d}};
  const std::string page = record_html(r);
  EXPECT_NE(page.find("Study &lt;of&gt; a &amp; b"), std::string::npos);
  EXPECT_EQ(page.find("<?xml"), std::string::npos);
  std::size_t svgs = 0;
  for (std::size_t at = page.find("<svg"); at != std::string::npos; at = page.find("<svg", at + 1))
    ++svgs;
  EXPECT_EQ(svgs, 2u);
  // Nothing fetched: the only URL is the SVG namespace.
  for (std::size_t at = page.find("http"); at != std::string::npos; at = page.find("http", at + 1))
    EXPECT_EQ(page.compare(at, 26, "http://www.w3.org/2000/svg"), 0) << page.substr(at, 40);
  // Each inline diagram is well-formed on its own.
  const std::size_t start = page.find("<svg"), end = page.find("</svg>") + 6;
  testing::XmlCheck check(page.substr(start, end - start));
  EXPECT_TRUE(check.well_formed());
}

}  // namespace
}  // namespace tidewerk
