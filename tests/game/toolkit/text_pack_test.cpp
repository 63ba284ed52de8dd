// Text packs written by the compiler's writer and read by the game: loading
// one entry or joining two, the built-in UTF-8 decoder, placeholders, the
// language suffixes, and packs with damaged tables.
#include <gtest/gtest.h>

#include "game/toolkit/TextUtf8.h"
#include "runtime/lang/Arrays.h"
#include "tests/game/toolkit/game_data_fixture.h"
#include "tools/writers/LittleEndianWriter.h"
#include "tools/writers/TextPackWriter.h"
#include "wince/log.h"

namespace {

class TextPackTest : public GameDataFixture {
 protected:
  void installTexts(const std::vector<std::vector<std::string>>& entries, bool compress = false) {
    tools::PackWriter writer;
    for (const auto& texts : entries) {
      writer.add(0, tools::writeTextPack(texts),
                 compress ? tools::PackWriter::Compression::ifSmaller : tools::PackWriter::Compression::none);
    }
    install(writer.write("texts", writer.entryCount() > 1 ? std::vector<uint16_t>{0, 1} : std::vector<uint16_t>{0}, "_"));
  }
  static std::u16string textOf(String* text) { return text != nullptr ? std::u16string(text->view()) : u"(null)"; }
  static std::u16string format(const char* textTemplate, std::vector<const char*> args) {
    ObjectArray* array = newObjectArray(static_cast<int32_t>(args.size()));
    for (size_t i = 0; i < args.size(); ++i) array->set(static_cast<int32_t>(i), args[i] ? newString(args[i]) : nullptr);
    return textOf(cGame::formatText(newString(textTemplate), array));
  }
};

TEST_F(TextPackTest, LoadsOneEntryRawOrCompressed) {
  for (bool compress : {false, true}) {
    const std::string longText(300, 'w');
    installTexts({{"Hello", "", "caf\xC3\xA9 \xE2\x82\xAC", longText}}, compress);
    cGame::loadTextPack(text("texts"), 0);
    ASSERT_EQ(cGame::getTextCount(), 4) << compress;
    EXPECT_EQ(textOf(cGame::getText(0)), u"Hello");
    EXPECT_EQ(cGame::getText(1), nullptr);  // equal offsets: null, not ""
    EXPECT_EQ(textOf(cGame::getText(2)), u"caf\u00E9 \u20AC");
    EXPECT_EQ(cGame::getText(3)->length(), 300);
    wince::LogCapture log;
    EXPECT_EQ(cGame::getText(4), nullptr);
    EXPECT_EQ(cGame::getText(-1), nullptr);
    EXPECT_TRUE(log.contains("no such text"));
  }
}

TEST_F(TextPackTest, JoinsTwoEntriesWithTheSecondsIdsFollowingTheFirst) {
  installTexts({{"a", "bb"}, {"", "ccc", "d"}});
  cGame::loadTextPacks(text("texts"), 0, 1);
  ASSERT_EQ(cGame::getTextCount(), 5);
  EXPECT_EQ(textOf(cGame::getText(0)), u"a");
  EXPECT_EQ(textOf(cGame::getText(1)), u"bb");
  EXPECT_EQ(cGame::getText(2), nullptr);
  EXPECT_EQ(textOf(cGame::getText(3)), u"ccc");
  EXPECT_EQ(textOf(cGame::getText(4)), u"d");
  cGame::cacheAllTexts();
  cGame::clearTexts();
  EXPECT_EQ(cGame::getTextCount(), 0);
  EXPECT_EQ(cGame::getText(0), nullptr);
}

TEST_F(TextPackTest, BuiltInUtf8DecoderCases) {
  struct Case {
    std::vector<uint8_t> bytes;
    std::optional<std::u16string> text;
  };
  const Case cases[] = {
      {{0xE2, 0x82, 0xAC}, u"\u20AC"},
      {{0xC3, 0xA9}, u"\u00E9"},
      {{'a', 0x7F}, u"a\u007F"},
      {{0x80}, std::nullopt},
      {{'a', 0xC3}, std::nullopt},
      {{0xE2, 0x82}, u"\u0082"},  // too short for three bytes: taken as two
      {{0xC3, 'a'}, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(decodeTextUtf8(c.bytes), c.text) << c.bytes.size();
  // Through the pack, an ill-formed text is the empty string and its
  // neighbours are untouched.
  tools::LittleEndianWriter raw;
  for (uint32_t value : {2u, 1u, 3u}) raw.writeInt(value);
  raw.writeBytes(std::vector<uint8_t>{0x80, 'o', 'k'});
  tools::PackWriter writer;
  writer.add(0, raw.take());
  install(writer.write("texts"));
  cGame::loadTextPack(text("texts"), 0);
  ASSERT_NE(cGame::getText(0), nullptr);
  EXPECT_EQ(cGame::getText(0)->length(), 0);
  EXPECT_EQ(textOf(cGame::getText(1)), u"ok");
}

TEST_F(TextPackTest, FormatTextPlaceholders) {
  struct Case {
    const char* textTemplate;
    std::vector<const char*> args;
    std::u16string expected;
  };
  const Case cases[] = {
      {"%s1", {"a", "b"}, u"b"},
      {"A%s0B%s0C", {"x"}, u"AxBxC"},
      {"%%s0", {"x"}, u"%x"},
      {"%sx and %", {"x"}, u"%sx and %"},
      {"ends %s", {"x"}, u"ends %s"},
      {"n=%s0", {nullptr}, u"n=null"},
      {"%s5 past the arguments", {"x"}, u"%s5 past the arguments"},
      {"100%", {}, u"100%"},
  };
  for (const Case& c : cases) EXPECT_EQ(format(c.textTemplate, c.args), c.expected) << c.textTemplate;
  String* plain = newString("no placeholder");
  EXPECT_EQ(cGame::formatText(plain, nullptr), plain);
  EXPECT_EQ(textOf(cGame::formatText1(newString("[%s0]"), newString("y"))), u"[y]");
  EXPECT_EQ(textOf(cGame::formatText(newString("%s0"), nullptr)), u"%s0");
}

TEST_F(TextPackTest, LanguageSuffixes) {
  EXPECT_EQ(asciiOf(cGame::getLanguageSuffix(0)), "en");
  EXPECT_EQ(asciiOf(cGame::getLanguageSuffix(7)), "ru");  // literal 49
  EXPECT_EQ(asciiOf(cGame::getLanguageSuffix(14)), "tr");
  EXPECT_EQ(cGame::getLanguageSuffix(15), nullptr);
  EXPECT_EQ(cGame::getLanguageSuffix(-1), nullptr);
}

TEST_F(TextPackTest, DamagedTablesAreRefused) {
  auto pack = [](std::vector<uint32_t> words, std::vector<uint8_t> bytes) {
    tools::LittleEndianWriter raw;
    for (uint32_t value : words) raw.writeInt(value);
    raw.writeBytes(bytes);
    return raw.take();
  };
  const std::vector<std::vector<uint8_t>> cases = {
      pack({2, 3, 1}, {'a', 'b', 'c'}),   // ends run backwards
      pack({2, 1, 9}, {'a', 'b', 'c'}),   // past the data
      pack({0x7FFFFFFF}, {}),             // a count the entry cannot hold
      pack({0xFFFFFFFF}, {}),             // negative
      {1, 0},                             // cut inside the count
  };
  for (const auto& bytes : cases) {
    tools::PackWriter writer;
    writer.add(0, bytes);
    install(writer.write("texts"));
    wince::LogCapture log;
    cGame::loadTextPack(text("texts"), 0);
    EXPECT_EQ(cGame::getTextCount(), 0) << bytes.size();
    EXPECT_EQ(cGame::getText(0), nullptr);
  }
}

TEST_F(TextPackTest, WriterRefusesWhatTheDecoderCannotReadBack) {
  EXPECT_THROW(tools::writeTextPack({"\xF0\x9F\x98\x80"}), std::runtime_error);
  EXPECT_THROW(tools::writeTextPack({"\xC3"}), std::runtime_error);
  EXPECT_THROW(tools::writeTextPack({"\xED\xA0\x80"}), std::runtime_error);  // a lone surrogate
  EXPECT_THROW(tools::writeTextPack({"\xC0\x80"}), std::runtime_error);      // overlong
  EXPECT_NO_THROW(tools::writeTextPack({"\xEF\xBF\xBD", ""}));
}

}  // namespace
