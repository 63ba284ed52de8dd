// Number text: formatting of ints and longs, and the decimal parse with its
// edge cases (white space, signs, overflow, wide characters, radix).
#include <gtest/gtest.h>

#include <string>

#include "runtime/lang/NumberText.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/support/RuntimeFixture.h"
#include "wince/log.h"

namespace {

class NumberTextTest : public RuntimeFixture {};

std::string textOf(String* text) {
  std::string result;
  for (int32_t i = 0; i < text->length(); ++i) result += static_cast<char>(text->charAt(i));
  return result;
}

TEST_F(NumberTextTest, Formatting) {
  EXPECT_EQ(textOf(intToText(0)), "0");
  EXPECT_EQ(textOf(intToText(-2147483647 - 1)), "-2147483648");
  EXPECT_EQ(textOf(intToText(2147483647)), "2147483647");
  EXPECT_EQ(textOf(intToHexText(255)), "ff");
  EXPECT_EQ(textOf(intToHexText(-1)), "ffffffff");
  EXPECT_EQ(textOf(intToHexText(0)), "0");
  EXPECT_EQ(textOf(intToBinaryText(5)), "101");
  EXPECT_EQ(textOf(intToBinaryText(0)), "0");
  EXPECT_EQ(textOf(intToBinaryText(-2147483647 - 1)), "1" + std::string(31, '0'));
  EXPECT_EQ(textOf(longToText(int64_t{1} << 40)), "1099511627776");
  EXPECT_EQ(textOf(longToText(INT64_MIN)), "-9223372036854775808");
  EXPECT_EQ(textOf(longToText(INT64_MAX)), "9223372036854775807");
}

TEST_F(NumberTextTest, ParseInt) {
  struct Case {
    std::u16string text;
    int32_t expected;
  };
  const Case cases[] = {
      {u" 42abc", 42},
      {u"abc", 0},
      {u"-7", -7},
      {u"+7", 7},
      {u"", 0},
      {u"-", 0},
      {u"\t\n\v\f\r 9", 9},
      {u"2147483647", 2147483647},
      {u"-2147483648", -2147483647 - 1},
      {u"0000000000000000000000012", 12},
      {u"1 2", 1},
      {u"--1", 0},
      {u"\u0131", 0},       // low byte '1'
      {u"4\u0132", 4},      // low byte '2' ends the digits
      {u"\u0120" u"5", 0},  // low byte ' ' is no white space
      {u"\u00A05", 0},
  };
  for (const Case& c : cases) {
    String* text = newObject<String>(c.text.data(), 0, static_cast<int32_t>(c.text.size()));
    EXPECT_EQ(parseIntText(text), c.expected) << textOf(text);
  }
}

TEST_F(NumberTextTest, OverflowSaturatesAndIsLogged) {
  struct Case {
    const char* text;
    int32_t asInt;
    int64_t asLong;
  };
  const Case cases[] = {
      {"2147483648", INT32_MAX, 2147483648},
      {"-2147483649", INT32_MIN, -2147483649},
      {"9223372036854775807", INT32_MAX, INT64_MAX},
      {"-9223372036854775808", INT32_MIN, INT64_MIN},
      {"9223372036854775808", INT32_MAX, INT64_MAX},
      {"-99999999999999999999999999", INT32_MIN, INT64_MIN},
  };
  for (const Case& c : cases) {
    wince::LogCapture log;
    EXPECT_EQ(parseIntText(newString(c.text)), c.asInt) << c.text;
    EXPECT_TRUE(log.contains("out of range")) << c.text;
    EXPECT_EQ(parseLongText(newString(c.text)), c.asLong) << c.text;
  }
}

TEST_F(NumberTextTest, ParseLongTakesAll64Bits) {
  EXPECT_EQ(parseLongText(newString("1099511627776")), int64_t{1} << 40);
  EXPECT_EQ(parseLongText(newString(" -4294967296x")), -(int64_t{1} << 32));
  EXPECT_EQ(parseLongText(newString("")), 0);
}

TEST_F(NumberTextTest, RadixOtherThanTenIsLoggedAndStaysDecimal) {
  wince::LogCapture log;
  EXPECT_EQ(parseIntText(newString("ff"), 16), 0);
  EXPECT_TRUE(log.contains("base == 10\nstacktrace:\n"));
  EXPECT_EQ(parseIntText(newString("12"), 16), 12);
  EXPECT_EQ(parseLongText(newString("12"), 2), 12);
  log.clear();
  EXPECT_EQ(parseIntText(newString("12"), 10), 12);
  EXPECT_EQ(parseLongText(newString("12"), 10), 12);
  EXPECT_FALSE(log.contains("base == 10"));
}

TEST_F(NumberTextTest, NullTextIsANullPointer) {
  wince::LogCapture log;
  EXPECT_EQ(parseIntText(nullptr), 0);
  EXPECT_EQ(parseLongText(nullptr), 0);
  EXPECT_TRUE(log.contains("NullPointer"));
}

}  // namespace
