// The little of String and ObjectArray the object model needs: their layout
// (inline or owned native-pool storage), creation, access and finalisers.
#include <gtest/gtest.h>

#include <string>

#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/support/RuntimeFixture.h"
#include "wince/log.h"

namespace {

class StringAndArrayTest : public RuntimeFixture {};

TEST_F(StringAndArrayTest, StringsKeepUpToFifteenCharactersInline) {
  struct Case {
    const char* text;
    bool inlineCharacters;
  };
  const Case cases[] = {{"", true}, {"abc", true}, {"fifteen chars!!", true}, {"sixteen chars!!!", false},
                        {"a much longer text than any inline area", false}};
  for (const Case& c : cases) {
    String* text = newString(c.text);
    ASSERT_NE(text, nullptr);
    const auto length = static_cast<int32_t>(std::string(c.text).size());
    EXPECT_EQ(text->length(), length) << c.text;
    EXPECT_EQ(text->m_count, length + 1) << c.text;
    EXPECT_EQ(text->holdsCharactersInline(), c.inlineCharacters) << c.text;
    for (int32_t i = 0; i < length; ++i) EXPECT_EQ(text->charAt(i), static_cast<char16_t>(c.text[i]));
    EXPECT_EQ(text->characters()[length], 0) << "stored terminator";
    if (!c.inlineCharacters) {
      EXPECT_TRUE(pools().m_nativePool.contains(text->characters()));
      EXPECT_EQ(pools().m_nativePool.owner(text->characters()), reinterpret_cast<void**>(&text->m_characters));
      EXPECT_GE(pools().m_nativePool.payloadSize(text->characters()), (static_cast<uint32_t>(length) + 1) * 2);
    }
  }
}

TEST_F(StringAndArrayTest, SixteenCharactersTakeAThirtyFourByteBlock) {
  const uint32_t usedBefore = pools().m_nativePool.m_heapUsed;
  newString("0123456789abcdef");
  EXPECT_EQ(pools().m_nativePool.m_heapUsed - usedBefore, pools().m_nativePool.blockSizeFor(34));
}

TEST_F(StringAndArrayTest, StringOfAGivenLengthIsZeroFilledAndWritable) {
  String* text = newObject<String>(int32_t{20});
  ASSERT_EQ(text->length(), 20);
  for (int32_t i = 0; i <= 20; ++i) EXPECT_EQ(text->charAt(i), 0);
  text->setCharAt(19, u'z');
  EXPECT_EQ(text->charAt(19), u'z');
  wince::LogCapture log;
  EXPECT_EQ(newObject<String>(int32_t{-3})->length(), 0);
  EXPECT_FALSE(log.text().empty());
  // One more unit for the terminator would not fit the count field.
  String* tooLong = newObject<String>(INT32_MAX);
  EXPECT_EQ(tooLong->length(), 0);
  EXPECT_TRUE(tooLong->holdsCharactersInline());
  EXPECT_TRUE(log.contains("too long, left empty"));
}

TEST_F(StringAndArrayTest, BytesAboveAsciiBecomeTheSameCharacterCodes) {
  String* text = newString("\xe9\xff");
  EXPECT_EQ(text->charAt(0), 0xE9);
  EXPECT_EQ(text->charAt(1), 0xFF);
  EXPECT_EQ(text->toString(), text);
}

TEST_F(StringAndArrayTest, ArrayElementsLiveInAnOwnedNativeBlock) {
  ObjectArray* array = newObjectArray(5);
  ASSERT_NE(array, nullptr);
  EXPECT_EQ(array->length(), 5);
  EXPECT_EQ(array->elementSize(), static_cast<int32_t>(sizeof(Object*)));
  ASSERT_TRUE(pools().m_nativePool.contains(array->m_elements));
  EXPECT_EQ(pools().m_nativePool.owner(array->m_elements), reinterpret_cast<void**>(&array->m_elements));
  for (int32_t i = 0; i < 5; ++i) EXPECT_EQ(array->get(i), nullptr);
  Object* element = newObject<Object>();
  array->set(4, element);
  EXPECT_EQ(array->get(4), element);
}

TEST_F(StringAndArrayTest, EmptyAndNegativeArraysHaveNoStorage) {
  ObjectArray* empty = newObjectArray(0);
  EXPECT_EQ(empty->length(), 0);
  EXPECT_EQ(empty->m_elements, nullptr);
  wince::LogCapture log;
  ObjectArray* negative = newObjectArray(-1);
  EXPECT_EQ(negative->length(), -1);
  EXPECT_EQ(negative->m_elements, nullptr);
  EXPECT_TRUE(log.contains("length of array should be >= 0\n"));
}

__attribute__((noinline)) void makeUnreachableStorage() {
  newString("a text long enough for a block of its own");
  newObjectArray(100);
}

TEST_F(StringAndArrayTest, FinalisersGiveTheStorageBack) {
  const uint32_t usedBefore = pools().m_nativePool.m_heapUsed;
  makeUnreachableStorage();
  EXPECT_GT(pools().m_nativePool.m_heapUsed, usedBefore);
  collect();
  EXPECT_EQ(pools().m_nativePool.m_heapUsed, usedBefore);
}

}  // namespace
