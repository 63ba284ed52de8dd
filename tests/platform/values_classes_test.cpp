// The value classes and the Latin-1 case converter.
#include <gtest/gtest.h>

#include <string>

#include "platform/com_sun_cldc_i18n_uclc/com_sun_cldc_i18n_uclc_DefaultCaseConverter.h"
#include "platform/java_lang/java_lang_Boolean.h"
#include "platform/java_lang/java_lang_Character.h"
#include "platform/java_lang/java_lang_Integer.h"
#include "platform/java_lang/java_lang_Long.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/support/LiteralPoolBytes.h"
#include "tests/support/RuntimeFixture.h"

namespace {

using Converter = com_sun_cldc_i18n_uclc_DefaultCaseConverter;

std::u16string textOf(String* text) {
  std::u16string result;
  for (int32_t i = 0; i < text->length(); ++i) result += text->charAt(i);
  return result;
}

TEST(DefaultCaseConverter, WholeLatin1Range) {
  for (uint32_t c = 0; c < 0x180; ++c) {
    const bool lower = (c >= 'a' && c <= 'z') || (c >= 223 && c <= 246) || (c >= 248 && c <= 255);
    const bool upper = (c >= 'A' && c <= 'Z') || (c >= 192 && c <= 214) || (c >= 216 && c <= 222);
    const auto ch = static_cast<char16_t>(c);
    EXPECT_EQ(Converter::isLowerCase(ch), lower) << c;
    EXPECT_EQ(Converter::isUpperCase(ch), upper) << c;
    EXPECT_EQ(Converter::toLowerCase(ch), upper ? c + 32 : c) << c;
    if (upper) {
      EXPECT_EQ(Converter::toLowerCase(ch) - 32, c) << "round trip of " << c;
    }
    if (lower && c != 223 && c != 255) {
      EXPECT_EQ(Converter::toUpperCase(ch), c - 32) << c;
    }
    if (!lower) {
      EXPECT_EQ(Converter::toUpperCase(ch), c) << c;
    }
  }
  EXPECT_EQ(Converter::toUpperCase(223), 223) << "sharp s has no capital here";
  EXPECT_EQ(Converter::toUpperCase(255), 0x178);
  EXPECT_EQ(Converter::toUpperCase(u'a'), u'A');
  EXPECT_EQ(Converter::toLowerCase(192), 224);
}

TEST(DefaultCaseConverter, DigitTable) {
  struct DigitCase {
    char16_t c;
    int32_t radix;
    int32_t value;
  };
  const DigitCase cases[] = {
      {u'0', 10, 0}, {u'9', 10, 9}, {u'9', 8, -1},  {u'z', 36, 35}, {u'Z', 36, 35}, {u'a', 16, 10},
      {u'g', 16, -1}, {u'A', 11, 10}, {u'5', 1, -1}, {u'5', 37, -1}, {224, 36, -1},   {192, 36, -1},
      {u'/', 36, -1}, {u':', 36, -1}, {u'@', 36, -1}, {u'[', 36, -1}, {u'`', 36, -1}, {u'{', 36, -1},
  };
  for (const DigitCase& entry : cases) {
    EXPECT_EQ(Converter::digit(entry.c, entry.radix), entry.value) << int(entry.c) << " radix " << entry.radix;
  }
  EXPECT_EQ(java_lang_Character::digit(0x10000 + u'7', 10), 7) << "the low 16 bits count";
}

class ValueClasses : public RuntimeFixture {};

TEST_F(ValueClasses, IntegerNarrowsAndCompares) {
  auto* number = newObject<java_lang_Integer>(0x12345680);
  EXPECT_EQ(number->byteValue(), int8_t(0x80));
  EXPECT_EQ(number->shortValue(), int16_t(0x5680));
  EXPECT_EQ(newObject<java_lang_Integer>(-1)->longValue(), -1);
  EXPECT_EQ(number->hashCode(), 0x12345680);
  EXPECT_TRUE(number->equals(newObject<java_lang_Integer>(0x12345680)));
  EXPECT_FALSE(number->equals(newObject<java_lang_Long>(int64_t{0x12345680})));
  EXPECT_FALSE(number->equals(nullptr));
  EXPECT_EQ(textOf(newObject<java_lang_Integer>(-42)->toString()), u"-42");
  EXPECT_EQ(newObject<java_lang_Integer>()->intValue(), 0);
}

TEST_F(ValueClasses, LongBooleanCharacter) {
  auto* big = newObject<java_lang_Long>(int64_t{0x100000005});
  EXPECT_EQ(big->hashCode(), 5);
  EXPECT_TRUE(big->equals(newObject<java_lang_Long>(int64_t{0x100000005})));
  EXPECT_FALSE(big->equals(newObject<java_lang_Long>(int64_t{5})));
  EXPECT_EQ(textOf(newObject<java_lang_Long>(int64_t{-9000000000})->toString()), u"-9000000000");

  auto* two = newObject<java_lang_Boolean>(2);
  EXPECT_TRUE(two->booleanValue());
  EXPECT_TRUE(two->equals(newObject<java_lang_Boolean>(1)));
  EXPECT_FALSE(two->equals(newObject<java_lang_Boolean>(0)));
  // The texts are the pool's, as PrintStream's are.
  ASSERT_TRUE(loadStringLiteralPool(literalPoolBytes(279, {{277, "pool true"}, {278, "pool false"}})));
  EXPECT_EQ(textOf(two->toString()), u"pool true");
  EXPECT_EQ(textOf(newObject<java_lang_Boolean>()->toString()), u"pool false");

  auto* letter = newObject<java_lang_Character>(u'\u00e9');
  EXPECT_EQ(letter->hashCode(), 0xE9);
  EXPECT_TRUE(letter->equals(newObject<java_lang_Character>(u'\u00e9')));
  EXPECT_FALSE(letter->equals(newObject<java_lang_Integer>(0xE9)));
  EXPECT_EQ(textOf(letter->toString()), u"\u00e9");
}

}  // namespace
