#include "report/free_form.h"

#include <gtest/gtest.h>

#include <sstream>

#include "report/run_end.h"

namespace tidewerk {
namespace {

TEST(FreeFormTokens, IntegersTakeAnOptionalSignAndDigitsOnly) {
  int v = 0;
  EXPECT_TRUE(parse_integer_token("12", v));
  EXPECT_EQ(v, 12);
  EXPECT_TRUE(parse_integer_token("-3", v));
  EXPECT_EQ(v, -3);
  EXPECT_TRUE(parse_integer_token("+7", v));
  EXPECT_EQ(v, 7);
  for (const char* bad : {"1.5", "1e3", "-", "+", "", "abc", "3x", "99999999999"}) {
    EXPECT_FALSE(parse_integer_token(bad, v)) << bad;
  }
}

TEST(FreeFormTokens, RealsWithOrWithoutPointAndExponent) {
  float v = 0;
  for (const char* same : {"1500", "1500.", "1.5E3", "1.5e+3", "15D2", "+1500.0"}) {
    ASSERT_TRUE(parse_real_token(same, v)) << same;
    EXPECT_EQ(v, 1500.0f) << same;
  }
  ASSERT_TRUE(parse_real_token(".5", v));
  EXPECT_EQ(v, 0.5f);
  ASSERT_TRUE(parse_real_token("-0.25", v));
  EXPECT_EQ(v, -0.25f);
  ASSERT_TRUE(parse_real_token("0.1", v));
  EXPECT_EQ(v, 0.1f);  // straight to the nearest single value
  ASSERT_TRUE(parse_real_token("1e-60", v));
  EXPECT_EQ(v, 0.0f);  // underflow reads as zero
  for (const char* bad :
       {"-", "1.2.3", "1e", "1e+", "1e999", "4e38", ".", "abc", "nan", "inf", "1,5x", "0x10"}) {
    EXPECT_FALSE(parse_real_token(bad, v)) << bad;
  }
}

TEST(FreeFormRead, SeparatorsLineEndsAndEmptyLines) {
  std::istringstream in("3000 4.2,120 , 6.5\r\n\n\t1025\n4 0.55 1 3.0   trailing comment\nnext\n");
  FreeFormReader reader(in, "test input");
  float a, b, c, d, e, f, g, i;
  int h;
  reader.read({real_target("a", a), real_target("b", b), real_target("c", c), real_target("d", d),
               real_target("e", e), real_target("f", f), real_target("g", g),
               integer_target("h", h), real_target("i", i)});
  EXPECT_EQ(a, 3000.0f);
  EXPECT_EQ(d, 6.5f);
  EXPECT_EQ(e, 1025.0f);
  EXPECT_EQ(g, 0.55f);
  EXPECT_EQ(h, 1);
  EXPECT_EQ(i, 3.0f);
  std::string line;
  ASSERT_TRUE(reader.next_line(line));  // the rest of the value line was discarded
  EXPECT_EQ(line, "next");
}

TEST(FreeFormRead, EachReadStartsOnANewLine) {
  std::istringstream in("1 2 3\n4\n");
  FreeFormReader reader(in, "test input");
  int a = 0, b = 0;
  reader.read({integer_target("a", a)});
  reader.read({integer_target("b", b)});
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 4);
}

TEST(FreeFormRead, ErrorsNameTheSourceLineValueAndWhatWasExpected) {
  std::istringstream in("1\nabc\n");
  FreeFormReader reader(in, "task file X.Tsk");
  float a = 0, b = 0;
  try {
    reader.read({real_target("D (m)", a), real_target("EAR", b)});
    FAIL() << "no error";
  } catch (const InputError& e) {
    EXPECT_STREQ(e.what(), "task file X.Tsk, line 2: \"abc\" is not a number (expected EAR)");
  }
}

TEST(FreeFormRead, EndOfInputBeforeTheListIsComplete) {
  std::istringstream in("1\n\n");
  FreeFormReader reader(in, "keyboard input");
  float a = 0, b = 0;
  try {
    reader.read({real_target("D (m)", a), real_target("N (RPM)", b)});
    FAIL() << "no error";
  } catch (const InputError& e) {
    EXPECT_STREQ(
        e.what(),
        "keyboard input: the input ended after line 2 while a number was expected for N (RPM)");
  }
}

TEST(FreeFormRead, NumbersTooLargeForTheirKindAreNamedAsSuch) {
  std::istringstream in("1e999\n2147483648\n");
  FreeFormReader reader(in, "t");
  float a = 0;
  int b = 0;
  try {
    reader.read({real_target("D (m)", a)});
    FAIL() << "no error";
  } catch (const InputError& e) {
    EXPECT_STREQ(
        e.what(),
        "t, line 1: \"1e999\" is too large for a single-precision number (expected D (m))");
  }
  try {
    reader.read({integer_target("case", b)});
    FAIL() << "no error";
  } catch (const InputError& e) {
    EXPECT_STREQ(e.what(),
                 "t, line 2: \"2147483648\" is too large for a whole number (expected case)");
  }
}

TEST(FreeFormRead, EmptyValueBetweenCommasIsRefused) {
  std::istringstream in("1,,2\n");
  FreeFormReader reader(in, "t");
  float a = 0, b = 0;
  EXPECT_THROW(reader.read({real_target("a", a), real_target("b", b)}), InputError);
}

}  // namespace
}  // namespace tidewerk
