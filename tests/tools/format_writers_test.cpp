// The writers of the packed formats, pinned by hand-written bytes and read
// back by the independent readers.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/tools/byte_readers.h"
#include "tools/writers/ArchiveWriter.h"
#include "tools/writers/BigEndianWriter.h"
#include "tools/writers/DescriptorWriter.h"
#include "tools/writers/LiteralPoolWriter.h"
#include "tools/writers/ModifiedUtf8.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

TEST(ModifiedUtf8, EncodesEachUtf16UnitAsReadUtfExpects) {
  const struct {
    const char* utf8;
    Bytes encoded;
  } cases[] = {
      {"", {}},
      {"A~", {0x41, 0x7E}},
      {"\xc3\xa9", {0xC3, 0xA9}},                                          // U+00E9
      {"\xdf\xbf", {0xDF, 0xBF}},                                          // U+07FF
      {"\xe0\xa0\x80", {0xE0, 0xA0, 0x80}},                                // U+0800
      {"\xe2\x82\xac", {0xE2, 0x82, 0xAC}},                                // U+20AC
      {"\xef\xbf\xbf", {0xEF, 0xBF, 0xBF}},                                // U+FFFF
      {"\xf0\x9f\x98\x80", {0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80}},          // U+1F600 as two surrogates
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(tools::encodeModifiedUtf8(c.utf8), c.encoded);
  }
  EXPECT_EQ(tools::encodeModifiedUtf8(std::string("a\0b", 3)), (Bytes{0x61, 0xC0, 0x80, 0x62}))
      << "character 0 takes two bytes";
}

TEST(ModifiedUtf8, RefusesMalformedUtf8) {
  for (const char* bad : {"\x80", "\xc3", "\xc3\x41", "\xc0\x80", "\xc1\xbf", "\xe0\x80\x80", "\xed\xa0\x80",
                          "\xf0\x8f\xbf\xbf", "\xf4\x90\x80\x80", "\xf8\x88\x80\x80\x80", "\xff", "ok\xe2\x82"}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(tools::encodeModifiedUtf8(bad), std::runtime_error);
  }
}

TEST(BigEndianWriter, WritesHighByteFirstAndLengthPrefixedText) {
  tools::BigEndianWriter out;
  out.writeShort(0xFFFE);
  out.writeInt(0x01020304);
  out.writeInt(uint32_t(-2));
  out.writeUtf("A\xc3\xa9");
  EXPECT_EQ(out.bytes(), (Bytes{0xFF, 0xFE, 1, 2, 3, 4, 0xFF, 0xFF, 0xFF, 0xFE, 0x00, 0x03, 0x41, 0xC3, 0xA9}));
}

TEST(BigEndianWriter, TextLengthStopsAt65535EncodedBytes) {
  tools::BigEndianWriter out;
  out.writeUtf(std::string(65535, 'x'));
  EXPECT_EQ(out.size(), 65537u);
  EXPECT_THROW(out.writeUtf(std::string(65536, 'x')), std::runtime_error);
  std::string accented;
  for (int i = 0; i < 32768; ++i) accented += "\xc3\xa9";  // 65536 encoded bytes from 32768 characters
  EXPECT_THROW(out.writeUtf(accented), std::runtime_error);
}

TEST(ArchiveWriter, MatchesHandWrittenBytes) {
  tools::ArchiveWriter archive;
  archive.add("app.jad", bytesOf("a:b"));
  archive.add("X", {});
  archive.add("caf\xc3\xa9", {0xFF});
  const Bytes expected = {
      0x00, 0x03,                                            // three entries
      0x00, 0x07, 'a', 'p', 'p', '.', 'j', 'a', 'd',         // name
      0x00, 0x00, 0x00, 0x2D, 0x00, 0x00, 0x00, 0x03,        // offset 45 (the index's size), length 3
      0x00, 0x01, 'X',                                       //
      0x00, 0x00, 0x00, 0x30, 0x00, 0x00, 0x00, 0x00,        // offset 48, length 0
      0x00, 0x05, 'c', 'a', 'f', 0xC3, 0xA9,                 //
      0x00, 0x00, 0x00, 0x30, 0x00, 0x00, 0x00, 0x01,        // offset 48, length 1
      'a', ':', 'b', 0xFF,                                   // the entries' bytes
  };
  EXPECT_EQ(archive.write(), expected);
}

TEST(ArchiveWriter, AnEmptyArchiveIsItsCountAlone) { EXPECT_EQ(tools::ArchiveWriter().write(), (Bytes{0, 0})); }

TEST(ArchiveWriter, ReadsBackInIndexOrderWithDuplicatesKept) {
  tools::ArchiveWriter archive;
  archive.add("Data.txt", bytesOf("first"));
  archive.add("data.txt", bytesOf("second"));
  archive.add("/constants.bin", Bytes(300, 7));
  const Bytes packed = archive.write();
  const auto index = bytecheck::readArchiveIndex(packed);
  ASSERT_TRUE(index);
  ASSERT_EQ(index->size(), 3u);
  EXPECT_EQ((*index)[0].name, u"Data.txt");
  EXPECT_EQ((*index)[1].name, u"data.txt");
  EXPECT_EQ((*index)[2].name, u"/constants.bin");
  EXPECT_EQ(size_t((*index)[2].offset + (*index)[2].size), packed.size()) << "the last entry ends the file";
  EXPECT_EQ(bytecheck::archiveEntry(packed, u"data.txt"), bytesOf("second"));
  EXPECT_EQ(bytecheck::archiveEntry(packed, u"/constants.bin"), Bytes(300, 7));
}

TEST(ArchiveWriter, ContainsComparesAsTheLookupDoes) {
  tools::ArchiveWriter archive;
  archive.add("App.Jad", {});
  archive.add("caf\xc3\xa9", {});
  EXPECT_TRUE(archive.contains("app.jad"));
  EXPECT_TRUE(archive.contains("APP.JAD"));
  EXPECT_FALSE(archive.contains("app.ja"));
  EXPECT_FALSE(archive.contains("/app.jad"));
  EXPECT_TRUE(archive.contains("CAF\xc3\xa9"));
  EXPECT_FALSE(archive.contains("caf\xc3\x89")) << "only ASCII letters fold";
}

TEST(ArchiveWriter, RefusesWhatTheIndexCannotHold) {
  tools::ArchiveWriter full;
  for (int i = 0; i < 32767; ++i) full.add("e", {});
  EXPECT_EQ(full.write().size(), 2u + 32767u * 11u) << "32767 entries still fit the signed count";
  full.add("one too many", {});
  EXPECT_THROW(full.write(), std::runtime_error);

  tools::ArchiveWriter longName;
  longName.add(std::string(65536, 'n'), {});
  EXPECT_THROW(longName.write(), std::runtime_error);

  tools::ArchiveWriter badName;
  badName.add("bad\xff", {});
  EXPECT_THROW(badName.write(), std::runtime_error);
}

TEST(LiteralPoolWriter, MatchesHandWrittenBytes) {
  const Bytes expected = {
      0x00, 0x00, 0x00, 0x04,              // four literals
      0x00, 0x00,                          // literal 0: empty
      0x00, 0x04, 't', 'r', 'u', 'e',      // literal 1
      0x00, 0x02, 0xC3, 0xA9,              // literal 2: U+00E9
      0x00, 0x02, 0xC0, 0x80,              // literal 3: character 0
  };
  EXPECT_EQ(tools::writeLiteralPool({"", "true", "\xc3\xa9", std::string(1, '\0')}), expected);
  EXPECT_EQ(tools::writeLiteralPool({}), (Bytes{0, 0, 0, 0}));
}

TEST(LiteralPoolWriter, ReadsBackEveryText) {
  const std::vector<std::string> texts = {"", "UTF-8", "\n", "\xe2\x82\xac 5", "\xf0\x9f\x98\x80", std::string(1000, 'z')};
  const auto pool = bytecheck::readLiteralPool(tools::writeLiteralPool(texts));
  ASSERT_TRUE(pool);
  ASSERT_EQ(pool->size(), texts.size());
  for (size_t i = 0; i < texts.size(); ++i) EXPECT_EQ((*pool)[i], bytecheck::utf16(texts[i])) << "literal " << i;
}

TEST(LiteralPoolWriter, NamesTheLiteralItCannotWrite) {
  try {
    tools::writeLiteralPool({"fine", "fine", "broken \xc3"});
    FAIL() << "a malformed text was written";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("literal 2"), std::string::npos) << error.what();
  }
}

TEST(DescriptorWriter, WritesKeyColonValueLines) {
  EXPECT_EQ(tools::writeDescriptor({{"MIDlet-Name", "Quendrill"}, {"URL", "http://example.org:80/x"}, {"Empty", ""}}),
            "MIDlet-Name: Quendrill\nURL: http://example.org:80/x\nEmpty: \n");
  EXPECT_EQ(tools::writeDescriptor({}), "");
}

TEST(DescriptorWriter, RefusesPropertiesTheMidletWouldReadDifferently) {
  const tools::DescriptorProperties bad[] = {
      {{"", "value"}},          {{"a:b", "value"}},       {{" key", "value"}},    {{"key", "value "}},
      {{"key", "two\nlines"}},  {{"key", "cr\r"}},        {{"key\n", "v"}},       {{"key", "caf\xc3\xa9"}},
      {{"key", "tab\there"}},
  };
  for (const auto& properties : bad) {
    SCOPED_TRACE(properties[0].first + "|" + properties[0].second);
    EXPECT_THROW(tools::writeDescriptor(properties), std::runtime_error);
  }
}

}  // namespace
