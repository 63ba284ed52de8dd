// Bytes to String and back through the encoding dispatch: ISO-8859-1, UTF-8
// and SJIS, cut-off sequences, and names that are none of them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/lang/Arrays.h"
#include "runtime/lang/Encoding.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/support/RuntimeFixture.h"
#include "wince/log.h"

namespace {

class EncodingTest : public RuntimeFixture {
 protected:
  static ByteArray* bytesOf(const std::vector<uint8_t>& values) {
    ByteArray* bytes = newByteArray(static_cast<int32_t>(values.size()));
    for (size_t i = 0; i < values.size(); ++i) bytes->set(static_cast<int32_t>(i), static_cast<int8_t>(values[i]));
    return bytes;
  }
  static String* decoded(const std::vector<uint8_t>& values, const char* encoding) {
    return newObject<String>(bytesOf(values), encoding != nullptr ? newString(encoding) : nullptr);
  }
};

std::u16string unitsOf(String* text) {
  EXPECT_EQ(text->characters()[text->length()], 0) << "stored terminator";
  return std::u16string(text->characters(), static_cast<size_t>(text->length()));
}

std::vector<uint8_t> valuesOf(ByteArray* bytes) {
  std::vector<uint8_t> values;
  for (int32_t i = 0; i < bytes->length(); ++i) values.push_back(static_cast<uint8_t>(bytes->get(i)));
  return values;
}

TEST_F(EncodingTest, DecodingByEncoding) {
  struct Case {
    const char* name;
    const char* encoding;
    std::vector<uint8_t> bytes;
    std::u16string expected;
  };
  const Case cases[] = {
      {"no name is ISO-8859-1", nullptr, {0x41, 0xE9, 0xFF, 0x00}, std::u16string(u"A\u00E9\u00FF\0", 4)},
      {"ISO-8859-1", "ISO-8859-1", {0x80, 0x7F}, u"\u0080\u007F"},
      {"UTF-8 euro sign", "UTF-8", {0xE2, 0x82, 0xAC}, u"\u20AC"},
      {"UTF8 in lower case", "utf8", {0x61, 0xC3, 0xA9}, u"a\u00E9"},
      {"Utf-8 mixed case", "Utf-8", {0xC2, 0x80}, u"\u0080"},
      {"UTF-8 stray continuation byte", "UTF-8", {0x61, 0x80, 0x62}, u"ab"},
      {"UTF-8 four-byte lead skipped", "UTF-8", {0xF0, 0x41}, u"A"},
      {"UTF-8 two bytes cut off", "UTF-8", {0x61, 0xC3}, u"a"},
      {"UTF-8 three bytes cut off", "UTF-8", {0x61, 0xE2, 0x82}, u"a"},
      {"UTF-8 modified zero", "UTF-8", {0xC0, 0x80}, std::u16string(1, u'\0')},
      {"SJIS single bytes", "SJIS", {0x41, 0xA1, 0xDF}, u"A\u00A1\u00DF"},
      {"SJIS pairs keep their codes", "SJIS", {0x82, 0xA0, 0xE0, 0x40, 0x5A}, u"\u82A0\uE040Z"},
      {"SJIS lead cut off", "SJIS", {0x41, 0x81}, u"A"},
      {"empty", "UTF-8", {}, u""},
  };
  for (const Case& c : cases) EXPECT_EQ(unitsOf(decoded(c.bytes, c.encoding)), c.expected) << c.name;
}

TEST_F(EncodingTest, DecodingARangeReadsNoByteOutsideIt) {
  ByteArray* bytes = bytesOf({0x41, 0xE2, 0x82, 0xAC, 0x42});
  String* utf8 = newString("UTF-8");
  EXPECT_EQ(unitsOf(newObject<String>(bytes, 1, 3, utf8)), u"\u20AC");
  EXPECT_EQ(unitsOf(newObject<String>(bytes, 0, 3, utf8)), u"A") << "the cut sequence stops at the range's end";
  EXPECT_EQ(unitsOf(newObject<String>(bytes, 4, 1, utf8)), u"B");
  wince::LogCapture log;
  EXPECT_EQ(unitsOf(newObject<String>(bytes, 3, 3, utf8)), u"");
  EXPECT_EQ(unitsOf(newObject<String>(bytes, -1, 2, utf8)), u"");
  EXPECT_TRUE(log.contains("charAt OOB"));
  EXPECT_EQ(takePending(), nothingPending);
}

TEST_F(EncodingTest, UnknownEncodingGivesAnEmptyStringAndALogLine) {
  for (const char* name : {"UTF-16", "iso-8859-1", "sjis", "UTF-8 ", "", "UTF"}) {
    wince::LogCapture log;
    String* text = decoded({0x41, 0x42}, name);
    EXPECT_EQ(text->m_count, 1) << name;
    EXPECT_EQ(text->length(), 0) << name;
    EXPECT_TRUE(log.contains("unsupported encoding")) << name;
  }
  wince::LogCapture log;
  EXPECT_EQ(newString("AB")->getBytes(newString("UTF-16")), nullptr);
  EXPECT_TRUE(log.contains("unsupported encoding"));
}

TEST_F(EncodingTest, EncodingByEncoding) {
  struct Case {
    const char* name;
    const char* encoding;
    std::u16string text;
    std::vector<uint8_t> expected;
  };
  const Case cases[] = {
      {"UTF-8 ASCII", "UTF-8", u"Az", {0x41, 0x7A}},
      {"UTF-8 zero takes two bytes", "UTF8", std::u16string(1, u'\0'), {0xC0, 0x80}},
      {"UTF-8 two bytes", "utf-8", u"\u00E9\u07FF", {0xC3, 0xA9, 0xDF, 0xBF}},
      {"UTF-8 three bytes", "UTF-8", u"\u0800\u20AC\uFFFF", {0xE0, 0xA0, 0x80, 0xE2, 0x82, 0xAC, 0xEF, 0xBF, 0xBF}},
      {"ISO-8859-1 low bytes", "ISO-8859-1", u"A\u00FF\u20AC", {0x41, 0xFF, 0xAC}},
      {"SJIS codes as bytes", "SJIS", u"A\u82A0\u00A1", {0x41, 0x82, 0xA0, 0xA1}},
      {"no name is ISO-8859-1", nullptr, u"x", {0x78}},
  };
  for (const Case& c : cases) {
    String* text = newObject<String>(c.text.data(), 0, static_cast<int32_t>(c.text.size()));
    ByteArray* bytes = text->getBytes(c.encoding != nullptr ? newString(c.encoding) : nullptr);
    ASSERT_NE(bytes, nullptr) << c.name;
    EXPECT_EQ(valuesOf(bytes), c.expected) << c.name;
  }
  EXPECT_EQ(newString("")->getBytes(newString("UTF-8"))->length(), 0);
}

TEST_F(EncodingTest, EveryCharacterRoundTripsThroughUtf8) {
  std::u16string all;
  for (uint32_t unit = 0; unit <= 0xFFFF; ++unit) all += static_cast<char16_t>(unit);
  String* text = newObject<String>(all.data(), 0, static_cast<int32_t>(all.size()));
  String* utf8 = newString("UTF-8");
  String* back = newObject<String>(text->getBytes(utf8), utf8);
  EXPECT_EQ(back->equals(text), 1);
}

TEST_F(EncodingTest, SjisRoundTripsWhatItDecodes) {
  std::vector<uint8_t> bytes;
  for (uint32_t lead = 0; lead <= 0xFF; ++lead) {
    bytes.push_back(static_cast<uint8_t>(lead));
    bytes.push_back(0x40);
  }
  String* sjis = newString("SJIS");
  ByteArray* original = bytesOf(bytes);
  String* text = newObject<String>(original, sjis);
  EXPECT_EQ(valuesOf(text->getBytes(sjis)), bytes);
}

TEST_F(EncodingTest, CountAndConversionAgreeOnEveryByte) {
  for (Encoding encoding : {Encoding::latin1, Encoding::utf8, Encoding::sjis}) {
    for (uint32_t first = 0; first <= 0xFF; ++first) {
      const uint8_t bytes[3] = {static_cast<uint8_t>(first), 0xA5, 0x85};
      for (int32_t count = 0; count <= 3; ++count) {
        const int32_t units = decodedLength(encoding, bytes, count);
        ASSERT_LE(units, count);
        std::vector<char16_t> out(static_cast<size_t>(units) + 1, u'\x7777');
        decodeBytes(encoding, bytes, count, out.data());
        EXPECT_EQ(out[static_cast<size_t>(units)], u'\x7777') << "wrote past the count";
      }
    }
  }
}

}  // namespace
