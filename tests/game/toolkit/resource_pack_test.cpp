// Resource packs written by the content compiler's writer and read back by
// the game: entry kinds, navigation over parts with the reopens it costs,
// and packs whose tables or data are damaged.
#include <gtest/gtest.h>

#include <fstream>

#include "runtime/lang/Arrays.h"
#include "tests/game/toolkit/game_data_fixture.h"
#include "tests/runtime/archive_test_support.h"
#include "tests/support/LiteralPoolBytes.h"
#include "tests/support/MappedFileSystem.h"
#include "tools/writers/TypedArrayWriter.h"
#include "wince/log.h"

namespace {

std::vector<uint8_t> filled(size_t n, uint8_t seed) {
  std::vector<uint8_t> bytes(n);
  for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 7);
  return bytes;
}

class ResourcePackTest : public GameDataFixture {};

TEST_F(ResourcePackTest, EntrySizesAndTypeBytesFollowTheFormat) {
  tools::PackWriter writer;
  writer.addStored({0x05, 'a', 'b'});  // raw type 5
  writer.addStored({});                // size 0: no type byte
  writer.addStored({0x09});            // size 1: a type and no data
  writer.addStored({126, 'x'});        // raw type 126
  writer.addStored({0x02, 'z'});
  install(writer.write("p"));
  cGame::openPack(text("p"));

  EXPECT_EQ(cGame::locatePack(0), 2);
  EXPECT_EQ(cGame::getPackEntryType(), 5);
  EXPECT_FALSE(cGame::isPackEntryCompressed());
  EXPECT_EQ(bytesOf(cGame::readPackEntry(0)), (std::vector<uint8_t>{'a', 'b'}));

  ByteArray* empty = cGame::readPackEntry(1);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->length(), 0);
  EXPECT_EQ(cGame::getPackEntryType(), 5);  // a size-0 entry leaves the type as it was

  ByteArray* typeOnly = cGame::readPackEntry(2);
  ASSERT_NE(typeOnly, nullptr);
  EXPECT_EQ(typeOnly->length(), 0);
  EXPECT_EQ(cGame::getPackEntryType(), 9);

  EXPECT_EQ(bytesOf(cGame::readPackEntry(3)), (std::vector<uint8_t>{'x'}));
  EXPECT_EQ(cGame::getPackEntryType(), 126);
  EXPECT_FALSE(cGame::isPackEntryCompressed());
  // Ascending reads never reopen; only reading entry 0 after locating it
  // (which took its type byte) went back once.
  EXPECT_EQ(opens("p"), 2);
}

TEST_F(ResourcePackTest, CompressedTypeBytes127And255) {
  const std::vector<uint8_t> data(500, 'q');
  tools::PackWriter writer;
  writer.add(0, data, tools::PackWriter::Compression::ifSmaller);
  writer.add(126, data, tools::PackWriter::Compression::ifSmaller);
  writer.add(3, {1, 2}, tools::PackWriter::Compression::ifSmaller);  // would grow: stays raw
  const auto files = writer.write("c");
  install(files);
  EXPECT_EQ(files[0].bytes[4 + 2 + 16], 127);
  cGame::openPack(text("c"));
  EXPECT_EQ(bytesOf(cGame::readPackEntry(0)), data);
  EXPECT_EQ(cGame::getPackEntryType(), 0);
  EXPECT_TRUE(cGame::isPackEntryCompressed());
  EXPECT_EQ(bytesOf(cGame::readPackEntry(1)), data);
  EXPECT_EQ(cGame::getPackEntryType(), 126);  // type byte 253
  EXPECT_EQ(bytesOf(cGame::readPackEntry(2)), (std::vector<uint8_t>{1, 2}));
  EXPECT_FALSE(cGame::isPackEntryCompressed());

  tools::PackWriter highest;
  std::vector<uint8_t> entry = tools::lzmaCompress(data);
  entry.insert(entry.begin(), 255);
  highest.addStored(entry);
  install(highest.write("h"));
  cGame::openPack(text("h"));
  EXPECT_EQ(bytesOf(cGame::readPackEntry(0)), data);
  EXPECT_EQ(cGame::getPackEntryType(), 128);
}

TEST_F(ResourcePackTest, NavigationOverThreePartsReopensOnlyWhereItMust) {
  tools::PackWriter writer;
  for (int i = 0; i < 9; ++i) writer.add(static_cast<uint8_t>(i), filled(300 + i, static_cast<uint8_t>(i)));
  const auto files = writer.write("m", {0, 3, 6}, "_");
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(files[1].name, "m_1");
  install(files);
  cGame::openPack(text("m"));
  EXPECT_EQ(opens("m"), 1);

  for (int i = 0; i < 9; ++i) EXPECT_EQ(bytesOf(cGame::readPackEntry(i)), filled(300 + i, static_cast<uint8_t>(i))) << i;
  EXPECT_EQ(opens("m"), 1);
  EXPECT_EQ(opens("m_1"), 1);
  EXPECT_EQ(opens("m_2"), 1);

  // Part 2, then part 0: the pack is opened again by name, header and all.
  EXPECT_EQ(bytesOf(cGame::readPackEntry(1)), filled(301, 1));
  EXPECT_EQ(opens("m"), 2);
  // A lower entry of the same part reopens that part and skips from 0.
  EXPECT_EQ(bytesOf(cGame::readPackEntry(0)), filled(300, 0));
  EXPECT_EQ(opens("m"), 3);
  EXPECT_EQ(bytesOf(cGame::readPackEntry(7)), filled(307, 7));
  EXPECT_EQ(bytesOf(cGame::readPackEntry(6)), filled(306, 6));
  EXPECT_EQ(opens("m_2"), 3);
  // After closePack the next locate reopens the part by itself.
  cGame::closePack();
  EXPECT_EQ(bytesOf(cGame::readPackEntry(8)), filled(308, 8));
  EXPECT_EQ(opens("m_2"), 4);
  // Opening the open pack again keeps the stream where it is.
  cGame::openPack(text("m"));
  EXPECT_EQ(opens("m"), 3);
}

TEST_F(ResourcePackTest, OnePartPackSplitByBytes) {
  tools::PackWriter writer;
  for (int i = 0; i < 6; ++i) writer.add(1, filled(1000, static_cast<uint8_t>(i)));
  EXPECT_EQ(writer.splitByBytes(1u << 20), (std::vector<uint16_t>{0}));
  EXPECT_EQ(writer.splitByBytes(2100), (std::vector<uint16_t>{0, 2, 4}));
  install(writer.write("s", writer.splitByBytes(2100), "_"));
  cGame::openPack(text("s"));
  for (int i = 5; i >= 0; --i) EXPECT_EQ(bytesOf(cGame::readPackEntry(i)), filled(1000, static_cast<uint8_t>(i)));
}

TEST_F(ResourcePackTest, TypedArrayEntriesRawAndCompressed) {
  const tools::TypedArrayValue table = tools::TypedArrayValue::ofArrays(
      {tools::TypedArrayValue::ofInts(std::vector<int32_t>(400, 100000)), tools::TypedArrayValue::ofShorts({-1, 1})});
  const std::vector<uint8_t> bytes = tools::writeTypedArray(table);
  tools::PackWriter writer;
  writer.add(0, bytes);
  writer.add(0, bytes, tools::PackWriter::Compression::ifSmaller);
  writer.add(0, {0x02, 0x05, 1});  // cut short
  install(writer.write("t", {0, 1}, "_"));
  cGame::openPack(text("t"));
  for (int entry = 0; entry < 2; ++entry) {
    Object* result = cGame::readPackTypedArray(entry);
    ASSERT_NE(result, nullptr) << entry;
    auto* outer = static_cast<ObjectArray*>(result);
    ASSERT_EQ(outer->length(), 2);
    EXPECT_EQ(static_cast<IntArray*>(outer->get(0))->get(399), 100000);
    EXPECT_EQ(static_cast<ShortArray*>(outer->get(1))->get(0), -1);
    EXPECT_EQ(cGame::getStreamByteCount(), static_cast<int32_t>(bytes.size()));
  }
  wince::LogCapture log;
  EXPECT_EQ(cGame::readPackTypedArray(2), nullptr);
  EXPECT_TRUE(log.contains("malformed typed array"));
}

TEST_F(ResourcePackTest, DamagedPacksGiveEntryUnavailableWithALogLine) {
  tools::PackWriter writer;
  writer.add(1, {1, 2, 3});
  writer.add(1, {4, 5});
  const std::vector<uint8_t> good = writer.write("x")[0].bytes;
  // Layout: count(2) parts(2) first(2) offsets 3 x 4, entries.
  auto patched = [&](size_t at, std::vector<uint8_t> bytes) {
    std::vector<uint8_t> copy = good;
    for (size_t i = 0; i < bytes.size(); ++i) copy[at + i] = bytes[i];
    return copy;
  };
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    const char* logged;
  };
  const Case cases[] = {
      {"cut header", {2, 0, 1}, "header cut short"},
      {"no parts", patched(2, {0, 0}), "part count"},
      {"negative part count", patched(2, {0xFF, 0xFF}), "part count"},
      {"first entry above 0", patched(4, {1, 0}), "first entry out of order"},
      {"cut offset table", std::vector<uint8_t>(good.begin(), good.begin() + 12), "offset table cut short"},
      {"offsets not ascending", patched(10, {0x20, 0, 0, 0}), "offsets out of order"},
      {"offset inside the table", patched(6, {2, 0, 0, 0}), "offsets out of order"},
      {"entry past the end", patched(14, {0x40, 0, 0, 0}), "passes the end"},
      {"cut entry data", std::vector<uint8_t>(good.begin(), good.end() - 1), "passes the end"},
  };
  for (const Case& c : cases) {
    install("x", c.bytes);
    wince::LogCapture log;
    cGame::openPack(text("x"));
    log.clear();
    EXPECT_EQ(cGame::readPackEntry(1), nullptr) << c.what;
    EXPECT_TRUE(log.contains(c.logged)) << c.what << ": " << log.text();
    cGame::closePack();
    // Another pack opens cleanly afterwards.
    install("ok", good);
    cGame::openPack(text("ok"));
    EXPECT_EQ(bytesOf(cGame::readPackEntry(1)), (std::vector<uint8_t>{4, 5})) << c.what;
  }
}

TEST_F(ResourcePackTest, AFailedReadClosesTheStreamSoTheNextEntryIsReadWhereItLies) {
  std::vector<uint8_t> broken = tools::lzmaCompress(filled(4000, 3));
  broken.resize(broken.size() / 3);  // the LZMA data ends early
  broken.insert(broken.begin(), 127);
  tools::PackWriter writer;
  writer.addStored(broken);
  writer.add(1, filled(50, 9));
  writer.addStored({0x01, 0x0B, 0xFF, 0xFF});  // a typed array that promises more than the entry
  writer.add(1, filled(20, 4));
  install(writer.write("f"));
  wince::LogCapture log;
  cGame::openPack(text("f"));
  EXPECT_EQ(cGame::readPackEntry(0), nullptr);
  EXPECT_TRUE(log.contains("cannot unpack entry 0"));
  EXPECT_EQ(bytesOf(cGame::readPackEntry(1)), filled(50, 9));
  EXPECT_EQ(opens("f"), 2);  // reopened after the failure, then read forward
  EXPECT_EQ(cGame::readPackTypedArray(2), nullptr);
  EXPECT_EQ(bytesOf(cGame::readPackEntry(3)), filled(20, 4));
}

// The same cut over the archive's own stream: a part file whose last entry
// runs past the file's end inside data.bar is refused by its size, without
// reading the archive's next file, and the entries before it still read.
class ArchivePackTest : public ToolkitFixture {
 protected:
  void SetUp() override {
    ToolkitFixture::SetUp();
    tools::PackWriter writer;
    writer.add(1, filled(40, 1));
    writer.add(1, filled(300, 2));
    std::vector<tools::PackFile> files = writer.write("cut");
    ASSERT_EQ(files.size(), 1u);
    std::vector<uint8_t>& bytes = files[0].bytes;
    bytes.resize(bytes.size() - 100);
    const std::vector<uint8_t> pool = literalPoolBytes(1, {{0, ""}});
    const std::vector<uint8_t> archive = archivetest::archiveOf(
        {{"constants.bin", std::string(pool.begin(), pool.end())},
         {"cut", std::string(bytes.begin(), bytes.end())},
         {"next", std::string(400, 'x')}});
    std::ofstream(m_folders.installed / "data.bar", std::ios::binary)
        .write(reinterpret_cast<const char*>(archive.data()), static_cast<std::streamsize>(archive.size()));
    application().close();
    ASSERT_TRUE(application().init(&toolkitTestInitialisers(), 4u << 20, 4u << 20, Application::LiteralPool::fromArchive));
    toolkitStatics().cGamePack.opener = nullptr;
  }
  testsupport::MappedFileSystem m_folders{"archive-pack"};
};

TEST_F(ArchivePackTest, AnEntryCutShortInsideTheArchiveIsUnavailable) {
  wince::LogCapture log;
  cGame::openPack(newString("/cut"));
  EXPECT_EQ(cGame::readPackEntry(1), nullptr);
  EXPECT_TRUE(log.contains("passes the end of its part: entry 1")) << log.text();
  EXPECT_EQ(application().getPending(), nullptr);
  std::vector<uint8_t> first;
  ByteArray* entry = cGame::readPackEntry(0);
  for (int32_t i = 0; entry != nullptr && i < entry->length(); ++i) first.push_back(static_cast<uint8_t>(entry->get(i)));
  EXPECT_EQ(first, filled(40, 1));
  cGame::closePack();
}

TEST_F(ResourcePackTest, MissingPartsAndIndicesOutsideAreUnavailable) {
  tools::PackWriter writer;
  for (int i = 0; i < 4; ++i) writer.add(1, {static_cast<uint8_t>(i)});
  const auto files = writer.write("g", {0, 2}, "_");
  install(files[0].name, files[0].bytes);  // part 1 missing
  wince::LogCapture log;
  cGame::openPack(text("g"));
  EXPECT_EQ(cGame::readPackEntry(2), nullptr);
  EXPECT_TRUE(log.contains("no file for part 1"));
  EXPECT_EQ(bytesOf(cGame::readPackEntry(1)), (std::vector<uint8_t>{1}));
  for (int index : {-1, 4, 70000}) {
    log.clear();
    EXPECT_EQ(cGame::locatePack(index), -1) << index;
    EXPECT_TRUE(log.contains("has no entry")) << index;
  }
  cGame::openPack(text("nothing"));
  EXPECT_EQ(cGame::readPackEntry(0), nullptr);
  EXPECT_EQ(cGame::readPackTypedArray(0), nullptr);
}

TEST_F(ResourcePackTest, StringTableLoadsOnceAndKeepsThePackPosition) {
  tools::PackWriter writer;
  writer.add(1, {7});
  writer.add(1, {8});
  install(writer.write("w"));
  install("names", tools::writePackStringTable({"alpha", "", "\xC3\xA9t\xC3\xA9"}));
  cGame::openPack(text("w"));
  EXPECT_EQ(bytesOf(cGame::readPackEntry(0)), (std::vector<uint8_t>{7}));
  cGame::loadPackStringTable(text("names"));
  EXPECT_EQ(bytesOf(cGame::readPackEntry(1)), (std::vector<uint8_t>{8}));
  EXPECT_EQ(opens("w"), 1);
  EXPECT_EQ(asciiOf(cGame::getPackString(0)), "alpha");
  EXPECT_EQ(cGame::getPackString(1)->length(), 0);
  EXPECT_EQ(cGame::getPackString(2)->view(), std::u16string_view(u"\u00E9t\u00E9"));
  EXPECT_EQ(cGame::getPackString(3)->length(), 0);
  EXPECT_EQ(cGame::getPackString(-1)->length(), 0);
  install("names", tools::writePackStringTable({"other"}));
  cGame::loadPackStringTable(text("names"));
  EXPECT_EQ(asciiOf(cGame::getPackString(0)), "alpha");
  EXPECT_THROW(tools::writePackStringTable({std::string(256, 'a')}), std::runtime_error);
}

}  // namespace
