#include "report/record_notation.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "report/run_end.h"
#include "report/warnings.h"

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

// The digits are those of C's "%.*f" of the exact single-precision value (correctly rounded,
// ties to even), over a dense range of floats of both signs and every decimal count used.
TEST(RecordNotationFixed, DigitsAreThoseOfPrintfOverADenseRangeOfFloats) {
  const auto printf_field = [](float value, int d) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "%.*f", d, double{value});
    std::string text = buffer;
    if (d == 0) {
      text += '.';
    } else {
      const std::size_t start = text[0] == '-' ? 1 : 0;
      if (text.compare(start, 2, "0.") == 0) text.erase(start, 1);
    }
    return std::string(60 - text.size(), ' ') + text;
  };
  long compared = 0;
  for (float v = 1e-7f; v < 1e9f; v = std::nextafter(v, 2e9f) * 1.00037f) {
    for (const float value : {v, -v}) {
      for (int d = 0; d <= 7; ++d) {
        ASSERT_EQ(render_fixed(value, 60, d), printf_field(value, d)) << value << " d=" << d;
        ++compared;
      }
    }
  }
  // Exact ties at every decimal count: 0.5, 0.25, 0.125 ... and their odd multiples.
  for (int d = 0; d <= 7; ++d) {
    for (float tie = 0.5f; tie > 1e-8f; tie /= 2) {
      for (const float value : {tie, 3 * tie, 5 * tie, 2.5f, 1.5f, -0.5f * tie})
        ASSERT_EQ(render_fixed(value, 60, d), printf_field(value, d)) << value << " d=" << d;
    }
  }
  EXPECT_EQ(render_fixed(-0.0f, 6, 3), printf_field(-0.0f, 3).substr(54));
  EXPECT_EQ(render_fixed(3e38f, 60, 2), printf_field(3e38f, 2));
  EXPECT_GT(compared, 500000);
}

// fixed(), the double form of the warnings and the study's tables: printf's "%.*f" digits over a
// dense range of doubles, ties, zero, infinities and NaN, and no cut-off for the largest.
TEST(RecordNotationFixed, FixedHasThePrintfDigitsOfADouble) {
  const auto printf_text = [](double value, int d) {
    std::vector<char> buffer(400);
    std::snprintf(buffer.data(), buffer.size(), "%.*f", d, value);
    return std::string(buffer.data());
  };
  long compared = 0;
  for (double v = 1e-9; v < 1e12; v = std::nextafter(v, 2e12) * 1.0031) {
    for (const double value : {v, -v}) {
      for (int d = 0; d <= 6; ++d) {
        ASSERT_EQ(fixed(value, d), printf_text(value, d)) << value << " d=" << d;
        ++compared;
      }
    }
  }
  const double infinity = std::numeric_limits<double>::infinity();
  for (const double value : {0.5, 2.5, 0.125, -0.0, 0.0, 1e300, -1.7976931348623157e308, infinity,
                             -infinity, std::nan("")})
    EXPECT_EQ(fixed(value, 2), printf_text(value, 2)) << value;
  EXPECT_EQ(fixed(1e100, 1).size(), 103u);  // 101 digits, the point and one decimal
  EXPECT_EQ(fixed(-1e300 / 3, 90), printf_text(-1e300 / 3, 90));  // beyond the short buffer
  EXPECT_GT(compared, 100000);
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

TEST(RecordNotationFixed, WideFieldsWithManyDecimals) {
  // 1.4f is exactly 1.39999997615814208984375; past its last digit come zeros.  The lengths
  // 78 to 81 lie on both sides of the converter's short buffer.
  const std::string exact = "1.39999997615814208984375";
  for (int d : {23, 76, 77, 78, 79, 100, 900}) {
    const std::string text = exact + std::string(static_cast<std::size_t>(d - 23), '0');
    EXPECT_EQ(render_fixed(1.4f, d + 2, d), text) << d;
    EXPECT_EQ(render_fixed(1.4f, d + 5, d), "   " + text) << d;
    EXPECT_EQ(render_fixed(-1.4f, d + 2, d), std::string(static_cast<std::size_t>(d + 2), '*'))
        << d;
    if (d >= 27) {  // 0.1f is exactly 0.100000001490116119384765625
      EXPECT_EQ(
          render_fixed(-0.1f, d + 2, d),
          "-.100000001490116119384765625" + std::string(static_cast<std::size_t>(d - 27), '0'))
          << d;
    }
  }
}

TEST(RecordNotationInteger, WidthMinimumDigitsAndOverflow) {
  EXPECT_EQ(render_integer(3, 2), " 3");
  EXPECT_EQ(render_integer(-7, 3), " -7");
  EXPECT_EQ(render_integer(100, 2), "**");
  EXPECT_EQ(render_integer(4, 2, 1), " 4");
  EXPECT_EQ(render_integer(4, 3, 2), " 04");
  EXPECT_EQ(render_integer(0, 2, 1), " 0");
  EXPECT_EQ(render_integer(0, 3, 0), "   ");
  EXPECT_EQ(render_integer(-42, 30, 5), std::string(24, ' ') + "-00042");
  EXPECT_EQ(render_integer(-42, 5, 5), "*****");
}

TEST(RecordNotationLayout, TableRowWithGroupsAndRepeats) {
  EXPECT_EQ(
      shown("(1X,I2,F8.3,3F9.4,4X,2(F10.4,3X))", {3, 0.1f, 0.2f, 0.03f, 0.6f, 12.5f, 1012.658f}),
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
  EXPECT_THROW(render_records("(1X,'a')", {1}), LayoutError);  // values for a layout without fields
  EXPECT_THROW(render_records("(1X,I2)", {"text"}), LayoutError);  // a text for an integer field
}

// Each layout text is parsed once and kept; the values of one call never stay with it.
TEST(RecordNotationLayout, AKeptLayoutTakesNewValuesAtEveryUse) {
  const struct {
    Values values;
    const char* records;
  } rows[] = {{{1, 2.5f}, "  1     2.50|\n"},
              {{-7, 0.25f}, " -7      .25|\n"},
              {{1, 2.5f, 3}, "  1     2.50|\n  3|\n"},
              {{}, "|\n"},
              {{100, 99.99f}, " **    99.99|\n"}};
  const std::string built = std::string("(1X,I2,") + "4x,F5.2)";
  for (int use = 0; use < 2; ++use) {
    for (const auto& row : rows) {
      EXPECT_EQ(shown("(1X,I2,4x,F5.2)", row.values), row.records) << use;
      EXPECT_EQ(shown(built, row.values), row.records) << use;
    }
  }
}

TEST(RecordNotationLayout, ARefusedLayoutIsRefusedAtEveryUseWithTheSameMessage) {
  const struct {
    const char* layout;
    const char* message;
  } rows[] = {{"(Q5)", "layout (Q5): unknown edit item at column 2"},
              {"('abc)", "layout ('abc): unterminated text at column 7"},
              {"(1X,'a'))", "layout (1X,'a')): text after the closing parenthesis at column 9"},
              {"(1X,'kept')", "layout (1X,'kept') takes no values"}};
  for (const auto& row : rows) {
    for (int use = 0; use < 3; ++use) {
      try {
        render_records(row.layout, {1});
        ADD_FAILURE() << row.layout;
      } catch (const LayoutError& e) {
        EXPECT_STREQ(e.what(), row.message) << use;
      }
    }
  }
  EXPECT_EQ(shown("(1X,'kept')"), " kept|\n");
}

TEST(RecordNotationLayout, LayoutsAreKeptByTheirTextUpToALimit) {
  std::string a = "(1X,'same text',I3)";
  EXPECT_EQ(shown(a, {1}), " same text  1|\n");
  const std::size_t kept = kept_layout_count();
  const std::string b = a;  // the same text elsewhere
  a[5] = 'X';               // the first text changes after its use
  EXPECT_EQ(shown(b, {2}), " same text  2|\n");
  EXPECT_EQ(kept_layout_count(), kept);
  EXPECT_EQ(shown(a, {3}), " Xame text  3|\n");

  // A layout far longer than the program's is rendered but not kept.
  const std::size_t before_long = kept_layout_count();
  const std::string long_layout = "(1X,'" + std::string(70000, 'x') + "')";
  EXPECT_EQ(render_records(long_layout)[0], " " + std::string(70000, 'x'));
  EXPECT_EQ(kept_layout_count(), before_long);

  // Random layouts cannot fill the memory: past the limit a layout is parsed at every use.
  for (int k = 0; k < 3000; ++k) {
    const std::string layout = "(1X,'" + std::to_string(k) + "')";
    ASSERT_EQ(shown(layout), " " + std::to_string(k) + "|\n");
    ASSERT_EQ(shown(layout), " " + std::to_string(k) + "|\n");
  }
  EXPECT_LT(kept_layout_count(), 3000u);
  EXPECT_EQ(shown(b, {4}), " same text  4|\n");
  EXPECT_THROW(render_records("(Q5)"), LayoutError);
}

TEST(RecordNotationLayout, SeveralThreadsUseTheKeptLayouts) {
  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t, &wrong] {
      for (int k = 0; k < 400; ++k) {
        const int n = (k * 7 + t) % 150;  // the threads meet on the same layouts
        const std::string layout = "(1X,'t" + std::to_string(n) + "',I4)";
        if (render_records(layout, {t})[0] != " t" + std::to_string(n) + render_integer(t, 4))
          ++wrong;
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(wrong.load(), 0);
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
