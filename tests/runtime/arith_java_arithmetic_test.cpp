// Java's arithmetic where C++ differs: division by zero, MIN / -1, shift
// masking, >>>, saturating conversions.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "runtime/glue/JavaArithmetic.h"
#include "tests/support/RuntimeFixture.h"

namespace {

constexpr int32_t intMin = std::numeric_limits<int32_t>::min();
constexpr int32_t intMax = std::numeric_limits<int32_t>::max();
constexpr int64_t longMin = std::numeric_limits<int64_t>::min();
constexpr int64_t longMax = std::numeric_limits<int64_t>::max();

class JavaArithmeticTest : public RuntimeFixture {
 protected:
  void TearDown() override {
    application().m_pending = nullptr;
    RuntimeFixture::TearDown();
  }
};

TEST_F(JavaArithmeticTest, DivisionAndRemainder) {
  struct Case {
    int64_t dividend, divisor, quotient, remainder;
    bool byZero;
  };
  const Case intCases[] = {
      {7, 2, 3, 1, false},           {-7, 2, -3, -1, false},    {7, -2, -3, 1, false},
      {-7, 3, -2, -1, false},        {intMin, -1, intMin, 0, false}, {intMax, -1, -intMax, 0, false},
      {intMin, 1, intMin, 0, false}, {5, 0, 0, 0, true},        {0, 0, 0, 0, true},
  };
  for (const Case& c : intCases) {
    const auto dividend = static_cast<int32_t>(c.dividend);
    const auto divisor = static_cast<int32_t>(c.divisor);
    EXPECT_EQ(javaDivide(dividend, divisor), c.quotient) << c.dividend << " / " << c.divisor;
    EXPECT_EQ(takePending(), c.byZero ? classid::java_lang_ArithmeticException : nothingPending);
    EXPECT_EQ(javaRemainder(dividend, divisor), c.remainder) << c.dividend << " % " << c.divisor;
    EXPECT_EQ(takePending(), c.byZero ? classid::java_lang_ArithmeticException : nothingPending);
  }
  EXPECT_EQ(javaDivide(longMin, int64_t{-1}), longMin);
  EXPECT_EQ(javaRemainder(longMin, int64_t{-1}), 0);
  EXPECT_EQ(javaDivide(int64_t{-9}, int64_t{4}), -2);
  EXPECT_EQ(javaRemainder(int64_t{-9}, int64_t{4}), -1);
  EXPECT_EQ(javaDivide(int64_t{1} << 40, int64_t{0}), 0);
  EXPECT_EQ(takePending(), classid::java_lang_ArithmeticException);
  EXPECT_EQ(javaRemainder(int64_t{1} << 40, int64_t{0}), 0);
  EXPECT_EQ(takePending(), classid::java_lang_ArithmeticException);
}

TEST(JavaShifts, CountsAreMaskedAndUnsignedShiftsFillWithZeros) {
  struct Case {
    int32_t value, count, left, right, unsignedRight;
  };
  const Case cases[] = {
      {1, 32, 1, 1, 1},
      {1, 33, 2, 0, 0},
      {-8, -1, 0, -1, 1},  // -1 & 31 = 31
      {-8, 1, -16, -4, 0x7FFFFFFC},
      {intMin, 31, 0, -1, 1},
      {0x40000000, 1, intMin, 0x20000000, 0x20000000},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(javaShiftLeft(c.value, c.count), c.left) << c.value << " << " << c.count;
    EXPECT_EQ(javaShiftRight(c.value, c.count), c.right) << c.value << " >> " << c.count;
    EXPECT_EQ(javaUnsignedShiftRight(c.value, c.count), c.unsignedRight) << c.value << " >>> " << c.count;
  }
  EXPECT_EQ(javaShiftLeft(int64_t{1}, 64), 1);
  EXPECT_EQ(javaShiftLeft(int64_t{1}, 32), int64_t{1} << 32) << "a long shifts by 32";
  EXPECT_EQ(javaShiftRight(longMin, -1), -1);
  EXPECT_EQ(javaUnsignedShiftRight(int64_t{-1}, 63), 1);
  EXPECT_EQ(javaUnsignedShiftRight(int64_t{-1}, -1), 1);
}

TEST(JavaConversions, FloatToIntAndLongSaturateAndNaNGivesZero) {
  constexpr float infinity = std::numeric_limits<float>::infinity();
  struct Case {
    double value;
    int32_t asInt;
    int64_t asLong;
  };
  const Case cases[] = {
      {std::nan(""), 0, 0},
      {infinity, intMax, longMax},
      {-infinity, intMin, longMin},
      {2.9, 2, 2},
      {-2.9, -2, -2},
      {2147483647.0, intMax, 2147483647},
      {2147483648.0, intMax, 2147483648},
      {-2147483649.0, intMin, -2147483649},
      {1e19, intMax, longMax},
      {-1e19, intMin, longMin},
      {9223372036854775807.0, intMax, longMax},  // rounds to 2^63
  };
  for (const Case& c : cases) {
    EXPECT_EQ(javaFloatToInt(c.value), c.asInt) << c.value;
    EXPECT_EQ(javaFloatToLong(c.value), c.asLong) << c.value;
  }
  EXPECT_EQ(javaFloatToInt(std::numeric_limits<float>::quiet_NaN()), 0);
  EXPECT_EQ(javaFloatToLong(3.0e10f), 30000001024) << "the float's own value";
}

}  // namespace
