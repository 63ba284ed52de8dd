// String: construction from every source, comparison, search, new texts and
// the range checks of the index-taking operations.
#include <gtest/gtest.h>

#include <string>

#include "runtime/lang/Arrays.h"
#include "runtime/lang/String.h"
#include "runtime/lang/StringBuffer.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/support/RuntimeFixture.h"
#include "wince/log.h"

namespace {

class StringOperationsTest : public RuntimeFixture {
 protected:
  static String* text(const char16_t* units) { return newObject<String>(units); }
  static String* text(const char* bytes) { return newString(bytes); }
};

std::u16string unitsOf(String* text) {
  if (text == nullptr) return u"<null>";
  EXPECT_EQ(text->characters()[text->length()], 0) << "stored terminator";
  return std::u16string(text->characters(), static_cast<size_t>(text->length()));
}

TEST_F(StringOperationsTest, EveryConstructorGivesItsCharacters) {
  ByteArray* bytes = newByteArray(4);
  for (int32_t i = 0; i < 4; ++i) bytes->set(i, static_cast<int8_t>("a\xe9z!"[i]));
  CharArray* characters = newCharArray(3);
  characters->set(0, u'x');
  characters->set(1, 0x20AC);
  characters->set(2, u'y');
  StringBuffer* buffer = newObject<StringBuffer>();
  buffer->append(newString("buffered"));
  const char16_t raw[] = u"raw units";
  struct Case {
    const char* name;
    String* made;
    std::u16string expected;
  };
  const Case cases[] = {
      {"empty", newObject<String>(), u""},
      {"8-bit text", newString("plain"), u"plain"},
      {"UTF-16 text", text(u"\u20ACuro"), u"\u20ACuro"},
      {"raw units", newObject<String>(raw, 4, 5), u"units"},
      {"bytes", newObject<String>(bytes), u"a\u00E9z!"},
      {"byte range", newObject<String>(bytes, 1, 2), u"\u00E9z"},
      {"characters", newObject<String>(characters), u"x\u20ACy"},
      {"character range", newObject<String>(characters, 1, 2), u"\u20ACy"},
      {"buffer", newObject<String>(buffer), u"buffered"},
      {"one character", String::valueOf(char16_t{0x3042}), u"\u3042"},
      {"true", String::valueOf(true), u"true"},
      {"false", String::valueOf(false), u"false"},
  };
  for (const Case& c : cases) EXPECT_EQ(unitsOf(c.made), c.expected) << c.name;
}

TEST_F(StringOperationsTest, ConstructorRangesOutsideTheSourceGiveEmptyStrings) {
  ByteArray* bytes = newByteArray(4);
  CharArray* characters = newCharArray(4);
  wince::LogCapture log;
  EXPECT_EQ(unitsOf(newObject<String>(bytes, 2, 3)), u"");
  EXPECT_EQ(unitsOf(newObject<String>(bytes, -1, 2)), u"");
  EXPECT_EQ(unitsOf(newObject<String>(characters, 3, 2)), u"");
  EXPECT_EQ(unitsOf(newObject<String>(characters, 0, -1)), u"");
  EXPECT_EQ(unitsOf(newObject<String>(static_cast<CharArray*>(nullptr))), u"");
  const char16_t raw[] = u"abc";
  EXPECT_EQ(unitsOf(newObject<String>(raw, -1, 2)), u"");
  EXPECT_EQ(unitsOf(newObject<String>(raw, 0, -2)), u"");
  EXPECT_TRUE(log.contains("String of bytes from 2\ncharAt OOB\nstacktrace:\n"));
  EXPECT_TRUE(log.contains("NullPointer"));
  EXPECT_EQ(takePending(), nothingPending);
}

TEST_F(StringOperationsTest, EmptyStringsHaveCountOneHashZeroAndAreEqual) {
  String* empty = newObject<String>();
  EXPECT_EQ(empty->m_count, 1);
  EXPECT_EQ(empty->hashCode(), 0);
  EXPECT_EQ(empty->equals(newString("")), 1);
  EXPECT_EQ(newString("")->equals(empty), 1);
}

TEST_F(StringOperationsTest, EqualsAndHashCode) {
  String* abc = newString("abc");
  EXPECT_EQ(abc->hashCode(), 96354);
  EXPECT_EQ(text(u"\uFFFF\uFFFF\uFFFF\uFFFF\uFFFF\uFFFF\uFFFF")->hashCode(), static_cast<int32_t>(0x6CF75C5Fu))
      << "32-bit wrap-around";
  EXPECT_EQ(abc->equals(abc), 1);
  EXPECT_EQ(abc->equals(newString("abc")), 1);
  EXPECT_EQ(abc->equals(newString("abd")), 0);
  EXPECT_EQ(abc->equals(newString("ab")), 0);
  EXPECT_EQ(abc->equals(nullptr), 0);
  EXPECT_EQ(abc->equals(newObject<Object>()), 0);
  EXPECT_EQ(abc->equals(newCharArray(3)), 0);
  EXPECT_EQ(abc->toString(), abc);
}

TEST_F(StringOperationsTest, CompareTo) {
  struct Case {
    const char* left;
    const char* right;
    int32_t expected;
  };
  const Case cases[] = {{"ab", "abc", -1}, {"b", "a", 1}, {"abc", "abc", 0}, {"", "xyz", -3}, {"a\xff", "a ", 0xFF - 32}};
  for (const Case& c : cases) EXPECT_EQ(newString(c.left)->compareTo(newString(c.right)), c.expected) << c.left;
  EXPECT_EQ(text(u"\uFFFF")->compareTo(newString("a")), 0xFFFF - 'a') << "characters compare unsigned";
}

TEST_F(StringOperationsTest, RegionMatches) {
  String* receiver = newString("Hello World");
  String* other = newString("xWORLDx");
  struct Case {
    bool ignoreCase;
    int32_t toffset;
    int32_t ooffset;
    int32_t len;
    int32_t expected;
  };
  const Case cases[] = {
      {true, 6, 1, 5, 1},   {false, 6, 1, 5, 0}, {false, 0, 0, 0, 1},  {true, -1, 1, 2, 0},
      {true, 6, -1, 2, 0},  {true, 7, 1, 5, 0},  {true, 6, 3, 5, 0},  {true, 6, 1, INT32_MAX, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(receiver->regionMatches(c.ignoreCase, c.toffset, other, c.ooffset, c.len), c.expected)
        << c.toffset << "," << c.ooffset << "," << c.len;
  }
  EXPECT_EQ(newString("ab")->regionMatches(false, 1, newString("xb"), 1, 2), 0) << "the region would pass the end";
  EXPECT_EQ(receiver->regionMatches(false, 0, nullptr, 0, 1), 0);
  EXPECT_EQ(text(u"\u00E9")->regionMatches(true, 0, text(u"\u00C9"), 0, 1), 0) << "only ASCII letters fold";
}

TEST_F(StringOperationsTest, StartsWithAndEndsWith) {
  String* receiver = newString("prefix-suffix");
  EXPECT_EQ(receiver->startsWith(newString("prefix")), 1);
  EXPECT_EQ(receiver->startsWith(newString("")), 1);
  EXPECT_EQ(receiver->startsWith(newString("suffix"), 7), 1);
  EXPECT_EQ(receiver->startsWith(newString("suffix"), 8), 0);
  EXPECT_EQ(receiver->startsWith(newString("p"), -1), 0);
  EXPECT_EQ(receiver->startsWith(newString(""), 14), 0);
  EXPECT_EQ(receiver->startsWith(nullptr), 0);
  EXPECT_EQ(receiver->endsWith(newString("-suffix")), 1);
  EXPECT_EQ(receiver->endsWith(newString("")), 1);
  EXPECT_EQ(receiver->endsWith(newString("prefix")), 0);
  EXPECT_EQ(newString("x")->endsWith(newString("longer")), 0);
  EXPECT_EQ(receiver->endsWith(nullptr), 0);
}

TEST_F(StringOperationsTest, CharacterSearchesClampTheirStart) {
  String* receiver = newString("abcabc");
  struct Case {
    int32_t character;
    int32_t from;
    int32_t first;
    int32_t last;  // lastIndexOf from the same index
  };
  const Case cases[] = {
      {'b', 0, 1, -1}, {'b', 2, 4, 1},  {'b', -5, 1, -1}, {'b', 6, -1, 4},       {'b', INT32_MAX, -1, 4},
      {'z', 0, -1, -1}, {'c', 5, 5, 5}, {'a', INT32_MIN, 0, -1}, {0x10062, 0, -1, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(receiver->indexOf(c.character, c.from), c.first) << char(c.character) << " from " << c.from;
    EXPECT_EQ(receiver->lastIndexOf(c.character, c.from), c.last) << char(c.character) << " from " << c.from;
  }
  EXPECT_EQ(receiver->indexOf('c'), 2);
  EXPECT_EQ(receiver->lastIndexOf('a'), 3);
  EXPECT_EQ(receiver->lastIndexOf(0), -1);
  EXPECT_EQ(newString("")->lastIndexOf('a'), -1);
}

TEST_F(StringOperationsTest, TextSearch) {
  String* receiver = newString("one two one two");
  struct Case {
    const char* wanted;
    int32_t from;
    int32_t expected;
  };
  const Case cases[] = {
      {"two", 0, 4}, {"two", 5, 12}, {"two", 13, -1}, {"one", -3, 0}, {"o", 1, 6},   {"", 3, 3},
      {"", 15, 15},  {"", 16, -1},   {"three", 0, -1}, {"two two", 0, -1}, {"one two one two!", 0, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(receiver->indexOf(newString(c.wanted), c.from), c.expected) << c.wanted << " from " << c.from;
  }
  EXPECT_EQ(receiver->indexOf(static_cast<String*>(nullptr), 0), -1);
}

TEST_F(StringOperationsTest, SubstringLogsARangeOutsideAndAnswersAnEmptyText) {
  String* receiver = newString("substring");
  EXPECT_EQ(unitsOf(receiver->substring(3)), u"string");
  EXPECT_EQ(unitsOf(receiver->substring(3, 6)), u"str");
  EXPECT_EQ(unitsOf(receiver->substring(9)), u"");
  EXPECT_EQ(unitsOf(receiver->substring(0, 9)), u"substring");
  EXPECT_EQ(takePending(), nothingPending);
  const std::pair<int32_t, int32_t> outside[] = {{-1, 3}, {4, 3}, {0, 10}, {10, 10}, {INT32_MIN, INT32_MAX}};
  for (auto [begin, end] : outside) {
    wince::LogCapture log;
    EXPECT_EQ(unitsOf(receiver->substring(begin, end)), u"") << begin << ".." << end;
    EXPECT_TRUE(log.contains("substring from")) << begin << ".." << end;
    EXPECT_TRUE(log.contains("charAt OOB\nstacktrace:\n")) << begin << ".." << end;
    EXPECT_EQ(takePending(), nothingPending) << begin << ".." << end;
  }
  String* longText = newString("a text long enough to need a block of its own");
  String* part = longText->substring(2, 30);
  EXPECT_EQ(unitsOf(part), u"text long enough to need a b");
  EXPECT_FALSE(part->holdsCharactersInline());
}

TEST_F(StringOperationsTest, ConcatReplaceCaseAndTrim) {
  String* receiver = newString("Mixed Case 123");
  String* empty = newString("");
  EXPECT_EQ(receiver->concat(empty), receiver);
  EXPECT_EQ(unitsOf(receiver->concat(newString("!"))), u"Mixed Case 123!");
  EXPECT_EQ(unitsOf(empty->concat(receiver)), u"Mixed Case 123");
  EXPECT_EQ(receiver->replace(u'e', u'e'), receiver);
  EXPECT_EQ(receiver->replace(u'z', u'y'), receiver);
  EXPECT_EQ(unitsOf(receiver->replace(u'e', u'3')), u"Mix3d Cas3 123");
  EXPECT_EQ(unitsOf(receiver), u"Mixed Case 123") << "the receiver is unchanged";
  EXPECT_EQ(unitsOf(receiver->toLowerCase()), u"mixed case 123");
  EXPECT_EQ(unitsOf(receiver->toUpperCase()), u"MIXED CASE 123");
  EXPECT_EQ(unitsOf(text(u"\u00C9t\u00E9")->toUpperCase()), u"\u00C9T\u00E9") << "only ASCII letters change";
  EXPECT_NE(receiver->toLowerCase(), receiver);
  EXPECT_EQ(unitsOf(newString(" \t\n trimmed \x01 ")->trim()), u"trimmed");
  EXPECT_EQ(unitsOf(newString(" \x01\x20")->trim()), u"");
  EXPECT_EQ(unitsOf(newString("x")->trim()), u"x");
  wince::LogCapture log;
  EXPECT_EQ(receiver->concat(nullptr), receiver);
  EXPECT_TRUE(log.contains("NullPointer"));
}

TEST_F(StringOperationsTest, GetCharsChecksBothRanges) {
  String* receiver = newString("abcdef");
  CharArray* destination = newCharArray(4);
  receiver->getChars(1, 4, destination, 1);
  EXPECT_EQ(std::u16string(destination->elements(), 4), std::u16string(u"\0bcd", 4));
  struct Case {
    int32_t begin, end, at;
    const char* message;
  };
  const Case cases[] = {{-1, 2, 0, "charAt OOB"},
                        {3, 2, 0, "charAt OOB"},
                        {0, 7, 0, "charAt OOB"},
                        {0, 4, 1, "array index OOB"},
                        {0, 1, -1, "array index OOB"}};
  for (const Case& c : cases) {
    wince::LogCapture log;
    receiver->getChars(c.begin, c.end, destination, c.at);
    EXPECT_TRUE(log.contains(c.message)) << c.begin << ".." << c.end << " at " << c.at;
    EXPECT_EQ(takePending(), nothingPending) << c.begin << ".." << c.end << " at " << c.at;
    EXPECT_EQ(std::u16string(destination->elements(), 4), std::u16string(u"\0bcd", 4));
  }
  wince::LogCapture log;
  receiver->getChars(0, 1, nullptr, 0);
  EXPECT_TRUE(log.contains("NullPointer\n"));
}

TEST_F(StringOperationsTest, CharAtAndArraysOfTheText) {
  String* receiver = text(u"A\u20AC\u00FF");
  EXPECT_EQ(receiver->charAt(1), 0x20AC);
  wince::LogCapture log;
  EXPECT_EQ(receiver->charAt(3), 0);
  EXPECT_EQ(receiver->charAt(-1), 0);
  EXPECT_EQ(takePending(), nothingPending);
  EXPECT_TRUE(log.contains("charAt 3\ncharAt OOB\nstacktrace:\n"));
  CharArray* characters = receiver->toCharArray();
  ASSERT_EQ(characters->length(), 3);
  EXPECT_EQ(characters->get(1), 0x20AC);
  ByteArray* bytes = receiver->getBytes();
  ASSERT_EQ(bytes->length(), 3);
  EXPECT_EQ(bytes->get(0), 'A');
  EXPECT_EQ(bytes->get(1), static_cast<int8_t>(0xAC)) << "the low byte";
  EXPECT_EQ(bytes->get(2), static_cast<int8_t>(0xFF));
  EXPECT_EQ(newString("")->toCharArray()->length(), 0);
}

}  // namespace
