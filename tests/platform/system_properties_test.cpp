// System's properties and clock.
#include <gtest/gtest.h>

#include <string>

#include "platform/java_lang/java_lang_System.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/support/RuntimeFixture.h"
#include "wince/clock.h"

namespace {

std::u16string textOf(String* text) {
  std::u16string result;
  for (int32_t i = 0; i < text->length(); ++i) result += text->charAt(i);
  return result;
}

class SystemProperties : public RuntimeFixture {};

TEST_F(SystemProperties, MediaVersionAndEverythingElseEmpty) {
  EXPECT_EQ(textOf(java_lang_System::getProperty(newObject<String>("microedition.media.version"))), u"1.0");
  EXPECT_EQ(textOf(java_lang_System::getProperty(newObject<String>("microedition.platform"))),
            u"PROPERTY VALUE EMPTY");
  EXPECT_EQ(textOf(java_lang_System::getProperty(newObject<String>("MICROEDITION.MEDIA.VERSION"))),
            u"PROPERTY VALUE EMPTY");
  EXPECT_EQ(textOf(java_lang_System::getProperty(nullptr)), u"PROPERTY VALUE EMPTY");
}

TEST(SystemClock, MillisecondsPassTheThirtyTwoBitWrapWithoutRunningBackwards) {
  wince::useFakeClock(0xFFFFFFF0ull, false);
  const int64_t before = java_lang_System::currentTimeMillis();
  wince::advanceFakeClock(0x20);
  const int64_t after = java_lang_System::currentTimeMillis();
  wince::useRealClock();
  EXPECT_EQ(before, 0xFFFFFFF0ll);
  EXPECT_EQ(after - before, 0x20);
}

}  // namespace
