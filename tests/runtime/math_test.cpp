// java_lang_Math: ties, NaN, infinities and the most negative values.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "runtime/lang/java_lang_Math.h"

namespace {

using Math = java_lang_Math;
constexpr float floatNaN = std::numeric_limits<float>::quiet_NaN();
constexpr double doubleNaN = std::numeric_limits<double>::quiet_NaN();
constexpr float floatInfinity = std::numeric_limits<float>::infinity();
constexpr double doubleInfinity = std::numeric_limits<double>::infinity();

TEST(MathTest, AbsOfIntegers) {
  EXPECT_EQ(Math::abs(int32_t{-5}), 5);
  EXPECT_EQ(Math::abs(int32_t{5}), 5);
  EXPECT_EQ(Math::abs(INT32_MIN), INT32_MIN);
  EXPECT_EQ(Math::abs(int64_t{-5}), 5);
  EXPECT_EQ(Math::abs(INT64_MIN), INT64_MIN);
}

TEST(MathTest, AbsOfFloatingPoint) {
  EXPECT_EQ(Math::abs(-1.5f), 1.5f);
  EXPECT_EQ(Math::abs(-floatInfinity), floatInfinity);
  EXPECT_EQ(Math::abs(-2.5), 2.5);
  EXPECT_TRUE(std::isnan(Math::abs(floatNaN)));
  EXPECT_TRUE(std::isnan(Math::abs(doubleNaN)));
  // -0 is >= 0, so it stays itself.
  EXPECT_TRUE(std::signbit(Math::abs(-0.0f)));
}

// Tells which argument came back by identity of the bits.
TEST(MathTest, TiesAnswerTheSecondArgument) {
  EXPECT_EQ(Math::max(3, 3), 3);
  EXPECT_TRUE(std::signbit(Math::max(0.0f, -0.0f))) << "0 == -0: the second";
  EXPECT_FALSE(std::signbit(Math::max(-0.0f, 0.0f)));
  EXPECT_TRUE(std::signbit(Math::min(0.0, -0.0)));
  EXPECT_FALSE(std::signbit(Math::min(-0.0, 0.0)));
}

TEST(MathTest, MaxAndMin) {
  EXPECT_EQ(Math::max(int32_t{-1}, int32_t{2}), 2);
  EXPECT_EQ(Math::min(int32_t{-1}, int32_t{2}), -1);
  EXPECT_EQ(Math::max(INT64_MIN, INT64_MAX), INT64_MAX);
  EXPECT_EQ(Math::min(INT64_MIN, INT64_MAX), INT64_MIN);
  EXPECT_EQ(Math::max(1.0f, 2.0f), 2.0f);
  EXPECT_EQ(Math::min(-doubleInfinity, 0.0), -doubleInfinity);
  EXPECT_EQ(Math::max(floatInfinity, 1.0f), floatInfinity);
}

TEST(MathTest, NaNInEitherPlaceAnswersTheSecond) {
  EXPECT_EQ(Math::max(floatNaN, 1.0f), 1.0f);
  EXPECT_TRUE(std::isnan(Math::max(1.0f, floatNaN)));
  EXPECT_EQ(Math::min(floatNaN, 1.0f), 1.0f);
  EXPECT_TRUE(std::isnan(Math::min(1.0f, floatNaN)));
  EXPECT_EQ(Math::max(doubleNaN, 1.0), 1.0);
  EXPECT_TRUE(std::isnan(Math::max(1.0, doubleNaN)));
  EXPECT_EQ(Math::min(doubleNaN, 1.0), 1.0);
  EXPECT_TRUE(std::isnan(Math::min(1.0, doubleNaN)));
}

TEST(MathTest, FunctionsOfTheCLibrary) {
  EXPECT_EQ(Math::sqrt(16.0f), 4.0f);
  EXPECT_EQ(Math::sqrt(2.0), std::sqrt(2.0));
  EXPECT_TRUE(std::isnan(Math::sqrt(-1.0f)));
  EXPECT_EQ(Math::sqrt(floatInfinity), floatInfinity);
  EXPECT_EQ(Math::sin(0.5), std::sin(0.5));
  EXPECT_EQ(Math::cos(0.5), std::cos(0.5));
  EXPECT_EQ(Math::sin(0.5f), static_cast<float>(std::sin(0.5)));
  EXPECT_EQ(Math::cos(0.5f), static_cast<float>(std::cos(0.5)));
  EXPECT_EQ(Math::tan(0.5f), static_cast<float>(std::tan(0.5)));
  EXPECT_EQ(Math::asin(0.5f), static_cast<float>(std::asin(0.5)));
  EXPECT_EQ(Math::acos(0.5f), static_cast<float>(std::acos(0.5)));
  EXPECT_TRUE(std::isnan(Math::asin(2.0f)));
  EXPECT_EQ(Math::atan2(1.0f, -1.0f), static_cast<float>(std::atan2(1.0, -1.0)));
  EXPECT_TRUE(std::isnan(Math::sin(doubleInfinity)));
}

TEST(MathTest, DegreesAndRadians) {
  EXPECT_EQ(Math::toRadians(180.0f), static_cast<float>(180.0f * 0.017453292519943295));
  EXPECT_NEAR(Math::toRadians(180.0f), 3.14159265f, 1e-6f);
  EXPECT_NEAR(Math::toDegrees(3.14159265f), 180.0f, 1e-4f);
  EXPECT_EQ(Math::toDegrees(floatInfinity), floatInfinity);
  // The product with 180 is a float and overflows on its own.
  EXPECT_EQ(Math::toDegrees(3e38f), floatInfinity);
}

}  // namespace
