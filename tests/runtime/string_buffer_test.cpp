// StringBuffer: growth, the texts of appended values, insertion, deletion,
// setLength and the range checks.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "runtime/lang/Arrays.h"
#include "runtime/lang/String.h"
#include "runtime/lang/StringBuffer.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/support/RuntimeFixture.h"
#include "wince/log.h"

namespace {

class StringBufferTest : public RuntimeFixture {
 protected:
  static StringBuffer* bufferOf(const char* text) { return newObject<StringBuffer>(newString(text)); }
};

std::u16string unitsOf(StringBuffer* buffer) {
  return std::u16string(buffer->m_characters, static_cast<size_t>(buffer->m_length));
}

std::string textOf(StringBuffer* buffer) {
  std::string text;
  for (int32_t i = 0; i < buffer->m_length; ++i) text += static_cast<char>(buffer->m_characters[i]);
  return text;
}

// The unit at the length is 0 whenever there is room for it.
testing::AssertionResult terminated(StringBuffer* buffer) {
  if (buffer->m_capacity <= buffer->m_length || buffer->m_characters[buffer->m_length] == 0) {
    return testing::AssertionSuccess();
  }
  return testing::AssertionFailure() << "no zero after " << buffer->m_length << " characters";
}

TEST_F(StringBufferTest, ConstructionSetsCapacity) {
  StringBuffer* plain = newObject<StringBuffer>();
  EXPECT_EQ(plain->capacity(), 16);
  EXPECT_EQ(plain->length(), 0);
  EXPECT_TRUE(pools().m_nativePool.contains(plain->m_characters));
  EXPECT_EQ(pools().m_nativePool.owner(plain->m_characters), reinterpret_cast<void**>(&plain->m_characters));
  StringBuffer* fromText = bufferOf("seed");
  EXPECT_EQ(fromText->capacity(), 5);
  EXPECT_EQ(textOf(fromText), "seed");
  EXPECT_TRUE(terminated(fromText));
  StringBuffer* none = newObject<StringBuffer>(int32_t{0});
  EXPECT_EQ(none->m_characters, nullptr);
  EXPECT_EQ(textOf(none->append(u'x')), "x");
}

TEST_F(StringBufferTest, GrowthDoublesOrTakesWhatIsNeeded) {
  struct Case {
    int32_t capacity;
    int32_t minimum;
    int32_t expected;
  };
  const Case cases[] = {{16, 17, 32}, {16, 40, 40}, {16, 16, 16}, {16, 3, 16}, {0, 1, 1}, {10, 21, 21}};
  for (const Case& c : cases) {
    StringBuffer* buffer = newObject<StringBuffer>(c.capacity);
    buffer->ensureCapacity(c.minimum);
    EXPECT_EQ(buffer->capacity(), c.expected) << c.capacity << " to " << c.minimum;
  }
  StringBuffer* growing = bufferOf("abc");
  for (int i = 0; i < 100; ++i) growing->append(static_cast<char16_t>(u'a' + i % 26));
  EXPECT_EQ(growing->length(), 103);
  EXPECT_EQ(textOf(growing).substr(0, 8), "abcabcde");
  EXPECT_EQ(pools().m_nativePool.owner(growing->m_characters), reinterpret_cast<void**>(&growing->m_characters));
  EXPECT_TRUE(terminated(growing));
}

TEST_F(StringBufferTest, AppendedValuesHaveTheirTexts) {
  const float floatNaN = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    const char* name;
    StringBuffer* (*append)(StringBuffer*);
    const char* expected;
  };
  const Case cases[] = {
      {"text", [](StringBuffer* b) { return b->append(newString("text")); }, "text"},
      {"null text", [](StringBuffer* b) { return b->append(static_cast<String*>(nullptr)); }, "null"},
      {"null object", [](StringBuffer* b) { return b->append(static_cast<Object*>(nullptr)); }, "null"},
      {"object", [](StringBuffer* b) { return b->append(static_cast<Object*>(newString("as object"))); }, "as object"},
      {"true", [](StringBuffer* b) { return b->append(true); }, "true"},
      {"false", [](StringBuffer* b) { return b->append(false); }, "false"},
      {"char", [](StringBuffer* b) { return b->append(u'c'); }, "c"},
      {"int", [](StringBuffer* b) { return b->append(int32_t{-2147483647 - 1}); }, "-2147483648"},
      {"long", [](StringBuffer* b) { return b->append(int64_t{1} << 40); }, "1099511627776"},
      {"long min", [](StringBuffer* b) { return b->append(INT64_MIN); }, "-9223372036854775808"},
      {"float", [](StringBuffer* b) { return b->append(1.5f); }, "1.500000"},
      {"float third", [](StringBuffer* b) { return b->append(1.0f / 3.0f); }, "0.333333"},
      {"double", [](StringBuffer* b) { return b->append(-2.25); }, "-2.250000"},
      {"large double", [](StringBuffer* b) { return b->append(1e20); }, "100000000000000000000.000000"},
  };
  for (const Case& c : cases) {
    StringBuffer* buffer = newObject<StringBuffer>(int32_t{2});
    EXPECT_EQ(c.append(buffer), buffer) << c.name;
    EXPECT_EQ(textOf(buffer), c.expected) << c.name;
    EXPECT_TRUE(terminated(buffer)) << c.name;
  }
  StringBuffer* nan = newObject<StringBuffer>();
  nan->append(floatNaN);
  EXPECT_EQ(textOf(nan), "nan");
}

TEST_F(StringBufferTest, InsertAtEveryPlace) {
  StringBuffer* buffer = bufferOf("ace");
  buffer->insert(1, u'b')->insert(3, newString("d"))->insert(5, int32_t{7})->insert(0, "<")->insert(0, false);
  EXPECT_EQ(textOf(buffer), "false<abcde7");
  buffer->insert(12, int64_t{-1})->insert(5, static_cast<Object*>(nullptr))->insert(0, 0.5f)->insert(0, 0.25);
  EXPECT_EQ(textOf(buffer), "0.2500000.500000falsenull<abcde7-1");
  EXPECT_TRUE(terminated(buffer));
}

TEST_F(StringBufferTest, InsertOutsideTheTextInsertsNothing) {
  StringBuffer* buffer = bufferOf("abc");
  for (int32_t offset : {-1, 4, INT32_MAX, INT32_MIN}) {
    wince::LogCapture log;
    buffer->insert(offset, newString("xyz"));
    buffer->insert(offset, u'x');
    buffer->insert(offset, int32_t{5});
    EXPECT_EQ(takePending(), nothingPending) << offset;
    EXPECT_TRUE(log.contains("insert at " + std::to_string(offset) + "\ncharAt OOB\nstacktrace:\n")) << offset;
  }
  EXPECT_EQ(textOf(buffer), "abc");
}

TEST_F(StringBufferTest, DeleteRanges) {
  struct Case {
    int32_t start, end;
    const char* expected;
    bool outside;
  };
  const Case cases[] = {
      {1, 3, "adef", false}, {0, 6, "", false},        {2, 100, "ab", false}, {3, 3, "abcdef", false},
      {6, 9, "abcdef", false}, {-1, 2, "abcdef", true}, {4, 2, "abcdef", true}, {7, 9, "abcdef", true},
  };
  for (const Case& c : cases) {
    StringBuffer* buffer = bufferOf("abcdef");
    wince::LogCapture log;
    buffer->deleteRange(c.start, c.end);
    EXPECT_EQ(textOf(buffer), c.expected) << c.start << ".." << c.end;
    EXPECT_EQ(log.contains("charAt OOB"), c.outside) << c.start << ".." << c.end;
    EXPECT_EQ(takePending(), nothingPending);
    EXPECT_TRUE(terminated(buffer));
  }
}

TEST_F(StringBufferTest, DeleteCharAtAndCharacterAccessCheckTheIndex) {
  StringBuffer* buffer = bufferOf("abc");
  buffer->deleteCharAt(1);
  EXPECT_EQ(textOf(buffer), "ac");
  buffer->setCharAt(1, u'z');
  EXPECT_EQ(buffer->charAt(1), u'z');
  for (int32_t index : {-1, 2, INT32_MIN}) {
    wince::LogCapture log;
    buffer->deleteCharAt(index);
    buffer->setCharAt(index, u'!');
    EXPECT_EQ(buffer->charAt(index), 0);
    EXPECT_TRUE(log.contains("StringBuffer charAt " + std::to_string(index) + "\ncharAt OOB\nstacktrace:\n")) << index;
    EXPECT_EQ(takePending(), nothingPending) << index;
  }
  EXPECT_EQ(textOf(buffer), "az");
}

TEST_F(StringBufferTest, SetLengthCutsOrPadsWithZeros) {
  StringBuffer* buffer = bufferOf("abcdef");  // capacity 7
  buffer->setLength(2);
  EXPECT_EQ(textOf(buffer), "ab");
  EXPECT_TRUE(terminated(buffer));
  // Within the capacity: the old characters must not come back.
  buffer->setLength(5);
  EXPECT_EQ(unitsOf(buffer), std::u16string(u"ab\0\0\0", 5));
  buffer->setLength(20);
  EXPECT_EQ(buffer->capacity(), 20);
  EXPECT_EQ(unitsOf(buffer), std::u16string(u"ab", 2) + std::u16string(18, u'\0'));
  wince::LogCapture log;
  buffer->setLength(-1);
  EXPECT_EQ(takePending(), nothingPending);
  EXPECT_TRUE(log.contains("charAt OOB"));
  EXPECT_EQ(buffer->length(), 20);
  StringBuffer* none = newObject<StringBuffer>(int32_t{0});
  none->setLength(0);
  EXPECT_EQ(none->m_characters, nullptr);
  EXPECT_EQ(none->length(), 0);
}

TEST_F(StringBufferTest, GetCharsReverseAndToString) {
  StringBuffer* buffer = bufferOf("stressed");
  CharArray* characters = newCharArray(3);
  buffer->getChars(1, 4, characters, 0);
  EXPECT_EQ(std::u16string(characters->elements(), 3), u"tre");
  wince::LogCapture log;
  buffer->getChars(0, 9, characters, 0);
  buffer->getChars(0, 3, characters, 1);
  buffer->getChars(0, 1, nullptr, 0);
  EXPECT_TRUE(log.contains("charAt OOB"));
  EXPECT_TRUE(log.contains("array index OOB"));
  EXPECT_TRUE(log.contains("NullPointer"));
  EXPECT_EQ(takePending(), nothingPending);
  EXPECT_EQ(std::u16string(characters->elements(), 3), u"tre");
  EXPECT_EQ(textOf(buffer->reverse()), "desserts");
  String* text = buffer->toString();
  EXPECT_EQ(std::u16string(text->characters(), 8), u"desserts");
  buffer->append(u'!');
  EXPECT_EQ(text->length(), 8) << "the String is a copy";
  EXPECT_EQ(newObject<StringBuffer>()->toString()->length(), 0);
}

TEST_F(StringBufferTest, AppendingItsOwnTextDoublesIt) {
  StringBuffer* buffer = bufferOf("0123456789abcdef");
  buffer->append(static_cast<Object*>(buffer));
  EXPECT_EQ(textOf(buffer), "0123456789abcdef0123456789abcdef");
}

}  // namespace
