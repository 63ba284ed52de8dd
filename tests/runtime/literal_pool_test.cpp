// The string-literal pool: /constants.bin bytes pinned by hand, loading
// through the archive at start-up, and the packed pool of the build.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "runtime/Application.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/object/StaticClass.h"
#include "tests/support/RuntimeFixture.h"
#include "tests/support/MappedFileSystem.h"
#include "wince/log.h"
#include "wince/path_mapping.h"

namespace {

namespace fs = std::filesystem;

std::u16string textOf(String* text) { return std::u16string(text->characters(), static_cast<size_t>(text->length())); }

class LiteralPoolTest : public RuntimeFixture {};

TEST_F(LiteralPoolTest, EntriesDecodeAsModifiedUtf8) {
  // count 3: "", "Ab", U+00E9 U+20AC U+0000
  const std::vector<uint8_t> bytes = {0, 0, 0, 3,                                    //
                                      0, 0,                                          //
                                      0, 2, 'A', 'b',                                //
                                      0, 7, 0xC3, 0xA9, 0xE2, 0x82, 0xAC, 0xC0, 0x80};
  ASSERT_TRUE(loadStringLiteralPool(bytes));
  ASSERT_EQ(block().literalPool->length(), 3);
  String* empty = stringLiteral(0);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->m_count, 1);
  EXPECT_EQ(textOf(stringLiteral(1)), u"Ab");
  EXPECT_EQ(textOf(stringLiteral(2)), std::u16string(u"\u00E9\u20AC\0", 3));
}

TEST_F(LiteralPoolTest, SameIndexAnswersSameObjectWhichSurvivesCollections) {
  const std::vector<uint8_t> bytes = {0, 0, 0, 1, 0, 3, 'x', 'y', 'z'};
  ASSERT_TRUE(loadStringLiteralPool(bytes));
  String* first = stringLiteral(0);
  collect();
  EXPECT_EQ(stringLiteral(0), first);
  EXPECT_EQ(first->collectable(), 0);
  EXPECT_EQ(textOf(first), u"xyz");
}

TEST_F(LiteralPoolTest, CountZeroGivesAnEmptyPoolWhoseAccessIsLoggedNotRead) {
  const std::vector<uint8_t> bytes = {0, 0, 0, 0};
  ASSERT_TRUE(loadStringLiteralPool(bytes));
  EXPECT_EQ(block().literalPool->length(), 0);
  wince::LogCapture log;
  EXPECT_EQ(stringLiteral(0), nullptr);
  EXPECT_TRUE(log.contains("NullPointer"));
}

TEST_F(LiteralPoolTest, DamagedFilesAreRefusedWithALogLine) {
  const std::vector<std::vector<uint8_t>> damaged = {
      {},                                   // no count
      {0, 0, 0},                            // count cut short
      {0, 0, 0, 2, 0, 1, 'a'},              // second entry missing
      {0, 0, 0, 1, 0, 5, 'a', 'b'},         // text cut short
      {0x7F, 0xFF, 0xFF, 0xFF, 0, 0},       // count larger than the bytes allow
      {0xFF, 0xFF, 0xFF, 0xFF},             // negative count
      {0, 0, 0, 1, 0, 1, 0x80},             // malformed text
  };
  for (const auto& bytes : damaged) {
    wince::LogCapture log;
    EXPECT_FALSE(loadStringLiteralPool(bytes)) << bytes.size();
    EXPECT_EQ(block().literalPool, nullptr);
    EXPECT_TRUE(log.contains("/constants.bin")) << log.text();
    // The check before start-up refuses the same files with the same line.
    const std::string loadLine = log.text();
    log.clear();
    EXPECT_FALSE(checkStringLiteralPool(bytes)) << bytes.size();
    EXPECT_EQ(log.text(), loadLine);
  }
  EXPECT_TRUE(checkStringLiteralPool(std::vector<uint8_t>{0, 0, 0, 2, 0, 1, 'a', 0, 2, 0xC3, 0xA9}));
  EXPECT_TRUE(checkStringLiteralPool(std::vector<uint8_t>{0, 0, 0, 0}));
}

// An installed folder holding a hand-made archive, for start-up.
class LiteralPoolStartUpTest : public testing::Test {
 protected:
  void TearDown() override { m_application.close(); }
  void writeArchive(const std::vector<uint8_t>& bytes) {
    std::ofstream(m_folders.installed / "data.bar", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

  testsupport::MappedFileSystem m_folders{"literal-test"};
  Application m_application;
};

// One entry "constants.bin" at offset 25 holding count 1 and "hi".
const std::vector<uint8_t> archiveWithPool = {
    0, 1,                                                          // count
    0, 13, 'c', 'o', 'n', 's', 't', 'a', 'n', 't', 's', '.', 'b', 'i', 'n',  //
    0, 0, 0, 25, 0, 0, 0, 8,                                       // offset, size
    0, 0, 0, 1, 0, 2, 'h', 'i'};

TEST_F(LiteralPoolStartUpTest, StartUpLoadsThePoolFromTheArchive) {
  writeArchive(archiveWithPool);
  ASSERT_TRUE(m_application.init(nullptr, 1u << 20, 1u << 20, Application::LiteralPool::fromArchive));
  EXPECT_EQ(textOf(stringLiteral(0)), u"hi");
}

TEST_F(LiteralPoolStartUpTest, StartUpFailsOnAMissingOrTruncatedArchive) {
  {
    wince::LogCapture log;
    EXPECT_FALSE(m_application.init(nullptr, 1u << 20, 1u << 20, Application::LiteralPool::fromArchive));
    EXPECT_TRUE(log.contains("data.bar: cannot be opened")) << log.text();
    m_application.close();
  }
  std::vector<uint8_t> truncated = archiveWithPool;
  truncated.resize(truncated.size() - 1);
  writeArchive(truncated);
  wince::LogCapture log;
  EXPECT_FALSE(m_application.init(nullptr, 1u << 20, 1u << 20, Application::LiteralPool::fromArchive));
  EXPECT_TRUE(log.contains("data.bar: entry constants.bin lies outside the file")) << log.text();
}


}  // namespace
