#include "report/record_notation.h"

#include <gtest/gtest.h>

#include "report/run_end.h"

namespace tidewerk {
namespace {

// Joins records with '|' marking each end, so trailing blanks are visible.
std::string shown(std::string_view layout, const Values& values = {}) {
  std::string text;
  for (const std::string& r : render_records(layout, values)) text += r + "|\n";
  return text;
}

TEST(RecordNotationFixed, NoDigitBeforeThePointWhenTheIntegerPartIsZero) {
  EXPECT_EQ(render_fixed(0.5f, 5, 3), " .500");
  EXPECT_EQ(render_fixed(0.0413f, 6, 3), "  .041");
  EXPECT_EQ(render_fixed(-0.25f, 5, 3), "-.250");
  EXPECT_EQ(render_fixed(0.0f, 6, 3), "  .000");
}

TEST(RecordNotationFixed, RoundingCarriesIntoTheIntegerPart) {
  EXPECT_EQ(render_fixed(0.9996f, 5, 3), "1.000");
  EXPECT_EQ(render_fixed(2025.316f, 10, 4), " 2025.3160");
}

TEST(RecordNotationFixed, ZeroDecimalsEndWithThePoint) {
  EXPECT_EQ(render_fixed(4.0f, 2, 0), "4.");
  EXPECT_EQ(render_fixed(12345.0f, 9, 0), "   12345.");
  EXPECT_EQ(render_fixed(0.3f, 2, 0), "0.");  // a value below 0.5 keeps one zero
  EXPECT_EQ(render_fixed(0.7f, 2, 0), "1.");
}

TEST(RecordNotationFixed, FieldsTooNarrowOrValuesNotFiniteShowAsterisks) {
  EXPECT_EQ(render_fixed(10.0f, 2, 0), "**");
  EXPECT_EQ(render_fixed(1234.5f, 6, 3), "******");
  EXPECT_EQ(render_fixed(std::numeric_limits<float>::quiet_NaN(), 5, 3), "*****");
  EXPECT_EQ(render_fixed(std::numeric_limits<float>::infinity(), 8, 2), "********");
  EXPECT_EQ(render_fixed(-std::numeric_limits<float>::infinity(), 4, 1), "****");
  EXPECT_EQ(render_fixed(-1.5f, 4, 2), "****");  // the sign needs a column too
}

TEST(RecordNotationFixed, ConvertsTheExactSingleValue) {
  // 0.1f is 0.100000001490116...; 1.4f is 1.39999997615814...
  EXPECT_EQ(render_fixed(0.1f, 20, 15), "    .100000001490116");
  EXPECT_EQ(render_fixed(1.4f, 20, 15), "   1.399999976158142");
}

TEST(RecordNotationInteger, WidthMinimumDigitsAndOverflow) {
  EXPECT_EQ(render_integer(3, 2), " 3");
  EXPECT_EQ(render_integer(-7, 3), " -7");
  EXPECT_EQ(render_integer(100, 2), "**");
  EXPECT_EQ(render_integer(4, 2, 1), " 4");
  EXPECT_EQ(render_integer(4, 3, 2), " 04");
  EXPECT_EQ(render_integer(0, 2, 1), " 0");
}

TEST(RecordNotationLayout, TableRowWithGroupsAndRepeats) {
  EXPECT_EQ(shown("(1X,I2,F8.3,3F9.4,4X,2(F10.4,3X))", {3, 0.1f, 0.2f, 0.03f, 0.6f, 12.5f, 1012.658f}),
            "  3    .100    .2000    .0300    .6000       12.5000    1012.6580|\n");
}

TEST(RecordNotationLayout, SlashesMakeRecords) {
  EXPECT_EQ(shown("(/A)", {" ITTC VISKOZ DUZELTMESI ISTER MISIN E/H <H>"}),
            "|\n ITTC VISKOZ DUZELTMESI ISTER MISIN E/H <H>|\n");
  EXPECT_EQ(shown("(/)"), "|\n|\n");
  EXPECT_EQ(shown("(//)"), "|\n|\n|\n");
  EXPECT_EQ(shown("(2/)"), "|\n|\n|\n");
  EXPECT_EQ(shown("(//5X,'Pervane Karakteristikleri - Kt/J^2 = ',F6.3/)", {0.2439f}),
            "|\n|\n     Pervane Karakteristikleri - Kt/J^2 =   .244|\n|\n");
  EXPECT_EQ(shown("(/' HESAPLARDA GAWN SERISI KULLANILMISTIR')"),
            "|\n HESAPLARDA GAWN SERISI KULLANILMISTIR|\n");
}

TEST(RecordNotationLayout, LiteralsRepeatsAndSkips) {
  EXPECT_EQ(render_records("(1X,72('-'))")[0], " " + std::string(72, '-'));
  EXPECT_EQ(shown("(' !',70X,'!')"), " !" + std::string(70, ' ') + "!|\n");
  EXPECT_EQ(shown("(1X,'It''s')"), " It's|\n");
  EXPECT_EQ(shown("(  1X,'a',             ', b')"), " a, b|\n");  // runs of blanks between items
  EXPECT_EQ(shown("(1X,I2,4x,F5.2)", {1, 2.5f}), "  1     2.50|\n");
}

TEST(RecordNotationLayout, NoTrailingBlanksFromAFinalSkip) {
  EXPECT_EQ(shown("(1X,'T',3X)"), " T|\n");
  EXPECT_EQ(shown("(1X)"), "|\n");
}

TEST(RecordNotationLayout, StopsAtTheFirstValueItemWithoutAValue) {
  // The bollard row: seven value fields, six values; the record ends after the sixth.
  EXPECT_EQ(shown("(1X,I2,3X,F5.3,2X,F7.4,3X,F5.3,2X,F7.4,1X,F9.0,3X,F5.3)",
                  {1, 3.0f, 0.7987f, 0.912f, 0.4f, 123456.0f}),
            "  1   3.000    .7987    .912    .4000   123456.|\n");
  EXPECT_EQ(shown("(' a=',F5.2,' b=',F5.2)", {1.0f}), " a= 1.00 b=|\n");
}

TEST(RecordNotationLayout, TextItemsAndMixedValues) {
  EXPECT_EQ(shown("(A,F8.3,A)", {" Yaricap D=", 3.0f, " m"}), " Yaricap D=   3.000 m|\n");
  EXPECT_EQ(shown("(1X,'Z = ',I2,' EAR = ',F5.3,' P/D = ',F5.3)", {4, 0.7f, 1.0f}),
            " Z =  4 EAR =  .700 P/D = 1.000|\n");
}

TEST(RecordNotationLayout, ValuesLeftOverStartTheLayoutAgainOnANewRecord) {
  EXPECT_EQ(shown("(1X,I2)", {1, 2}), "  1|\n  2|\n");
}

TEST(RecordNotationLayout, RejectsLayoutsItCannotInterpret) {
  for (const char* bad : {"", "1X", "(1X", "(Q5)", "(F5)", "('abc)", "(1X,'a'))", "(I0)"}) {
    EXPECT_THROW(render_records(bad, {1}), LayoutError) << bad;
  }
  EXPECT_THROW(render_records("(1X,'a')", {1}), LayoutError);      // values for a layout without fields
  EXPECT_THROW(render_records("(1X,I2)", {"text"}), LayoutError);  // a text for an integer field
}

// Found by fuzzing: a zero count made a layout that takes values but never uses them, and the
// restart for leftover values ran without end; nested repeats could ask for gigabytes.
TEST(RecordNotationLayout, RefusesZeroCountsAndRunawayLayouts) {
  EXPECT_THROW(render_records("(0X,0F9.0)", {2.0f}), LayoutError);
  EXPECT_THROW(render_records("(1X,0I2)", {1}), LayoutError);
  EXPECT_THROW(render_records("(1000(1000(1000('x'))))"), LayoutError);
  EXPECT_THROW(render_records("(1000(1000(1000X)),'x')"), LayoutError);
}

}  // namespace
}  // namespace tidewerk
