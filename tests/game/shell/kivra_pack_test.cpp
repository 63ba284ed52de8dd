// The promotion pack: written by the content compiler's writer and read back,
// a hand-written file that pins the format, and damaged files.
#include <gtest/gtest.h>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's runtime has it; gcc installs no header for it.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

#include "tests/game/shell/kivra_fixture.h"
#include "wince/log.h"

namespace {

// Bytes the process holds from the allocator now.
size_t heldHeapBytes() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
#endif
}

class KivraPackTest : public KivraFixture {
 protected:
  static tools::PromotionMetadata metadata() {
    tools::PromotionMetadata m;
    m.parameterValues = {"en", "de"};
    m.pageNames = {"alpha", "beta", "gamma"};
    m.rowNames = {{{"r1", "MORE", "last"}, {"s1", "s2"}, {}}};
    m.version = "2W.1";
    return m;
  }
};

TEST_F(KivraPackTest, MetadataRoundTrips) {
  installPack(tools::writePromotionPack({tools::writePromotionMetadata(metadata()), {}, {1, 2, 3}}));
  ASSERT_TRUE(Kivra::openPack());
  ASSERT_TRUE(Kivra::readMetadata());
  KivraStatics& k = Kivra::statics();
  ASSERT_EQ(k.parameterValues->length(), 2);
  EXPECT_EQ(text(static_cast<String*>(k.parameterValues->get(1))), "de");
  ASSERT_EQ(k.pageNames->length(), 3);
  EXPECT_EQ(text(static_cast<String*>(k.pageNames->get(2))), "gamma");
  auto* rows = static_cast<ObjectArray*>(k.rowNames->get(0));
  ASSERT_EQ(rows->length(), 3);
  EXPECT_EQ(text(static_cast<String*>(rows->get(1))), "MORE");
  EXPECT_EQ(static_cast<ObjectArray*>(k.rowNames->get(2))->length(), 0);
  EXPECT_FALSE(k.packFlags->get(0));
  EXPECT_EQ(text(k.versionText), "2W.1");
  EXPECT_EQ(Kivra::readPackEntry(1), nullptr) << "equal offsets: an empty entry";
  ByteArray* third = Kivra::readPackEntry(2);
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(third->length(), 3);
  EXPECT_EQ(third->get(2), 3);
  EXPECT_EQ(Kivra::readPackEntry(3), nullptr) << "the last offset only ends the last entry";
}

TEST_F(KivraPackTest, HandWrittenFilePinsTheFormat) {
  // Two offsets: one entry of 5 bytes, a chunk "ab" after a u16 7.
  installPack({2, 0, 10, 0, 0, 0, 17, 0, 0, 0, 7, 0, 2, 0, 'a', 'b', 9});
  ASSERT_TRUE(Kivra::openPack());
  ByteArray* entry = Kivra::readPackEntry(0);
  ASSERT_NE(entry, nullptr);
  KivraStatics& k = Kivra::statics();
  k.position = 0;
  EXPECT_EQ(Kivra::readU16(entry), 7);
  ByteArray* chunk = Kivra::readChunk(entry);
  ASSERT_NE(chunk, nullptr);
  EXPECT_EQ(chunk->length(), 2);
  EXPECT_EQ(chunk->get(1), 'b');
  EXPECT_FALSE(k.readPastEnd);
  EXPECT_EQ(Kivra::readChunk(entry), nullptr) << "one byte left cannot hold a length";
  EXPECT_TRUE(k.readPastEnd);
}

TEST_F(KivraPackTest, DamagedPacksAreRefused) {
  wince::LogCapture log;
  const std::vector<uint8_t> good = tools::writePromotionPack({tools::writePromotionMetadata(metadata())});
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    bool opens;
  };
  std::vector<uint8_t> truncated = good;
  truncated.resize(good.size() - 4);
  std::vector<uint8_t> backwards = good;
  backwards[6] = 1;  // the second offset below the first
  std::vector<uint8_t> cutTable = {3, 0, 14, 0, 0};
  const Case cases[] = {
      {"entry cut short", truncated, true},
      {"offsets backwards", backwards, false},
      {"offset table cut short", cutTable, false},
      {"empty file", {}, false},
  };
  for (const Case& c : cases) {
    installPack(c.bytes);
    EXPECT_EQ(Kivra::openPack(), c.opens) << c.what;
    EXPECT_FALSE(Kivra::readMetadata()) << c.what;
    EXPECT_EQ(Kivra::statics().parameterValues, nullptr) << c.what;
    EXPECT_TRUE(log.contains("Kivra: ")) << c.what;
    log.clear();
  }
  EXPECT_EQ(takePending(), nothingPending);
}

TEST_F(KivraPackTest, EntriesPastThePackEndAreRefusedBeforeAllocating) {
  // Offsets near 2 GiB in packs of 10 and 12 bytes: the table is whole, the
  // entries are not there.
  wince::LogCapture log;
  const std::vector<uint8_t> packs[] = {
      {2, 0, 10, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F},
      {2, 0, 10, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 1, 0},
      {3, 0, 14, 0, 0, 0, 16, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 1, 0},
  };
  for (const std::vector<uint8_t>& bytes : packs) {
    installPack(bytes);
    ASSERT_TRUE(Kivra::openPack()) << bytes.size();
    const int32_t count = Kivra::statics().packOffsets->length();
    const size_t heldBefore = heldHeapBytes();
    EXPECT_EQ(Kivra::readPackEntry(count - 2), nullptr) << bytes.size();
    EXPECT_LT(heldHeapBytes(), heldBefore + (1u << 20)) << bytes.size();
    EXPECT_TRUE(log.contains("Kivra: pack entry " + std::to_string(count - 2) + " cut short")) << bytes.size();
    log.clear();
  }
  EXPECT_EQ(takePending(), nothingPending);
}

TEST_F(KivraPackTest, TextTableEndsPastTheEntryAreRefused) {
  // A table of one text whose length runs past the entry.
  installPack(tools::writePromotionPack({{1, 0, 200, 0, 'x'}}));
  ASSERT_TRUE(Kivra::openPack());
  ByteArray* entry = Kivra::readPackEntry(0);
  Kivra::statics().position = 0;
  EXPECT_EQ(Kivra::readTextTable(entry), nullptr);
  EXPECT_TRUE(Kivra::statics().readPastEnd);
}

}  // namespace
