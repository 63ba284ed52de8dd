// The LZMA decoder against streams made by liblzma, and the damaged streams
// it must refuse without reading or writing outside its buffers.
#include <gtest/gtest.h>

#include <random>

#include "game/toolkit/LzmaDecoder.h"
#include "runtime/lang/Arrays.h"
#include "tests/game/toolkit/game_data_fixture.h"
#include "tools/writers/LzmaWriter.h"
#include "tools/writers/TextPackWriter.h"
#include "wince/clock.h"
#include "wince/log.h"

namespace {

std::vector<uint8_t> randomBytes(size_t n, uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<uint8_t> bytes(n);
  for (auto& byte : bytes) byte = static_cast<uint8_t>(random());
  return bytes;
}

std::vector<uint8_t> textBytes() {
  std::string text;
  for (int i = 0; i < 200; ++i) text += "The lantern flickers in room " + std::to_string(i % 17) + ". ";
  return {text.begin(), text.end()};
}

// Decodes a whole entry (header and data); nothing when refused.
std::optional<std::vector<uint8_t>> decodeEntry(const std::vector<uint8_t>& entry) {
  const auto header = lzma::readHeader(entry);
  if (!header || header->unpackedSize > lzma::maxUnpackedSize) return std::nullopt;
  std::vector<uint8_t> out(header->unpackedSize);
  const lzma::Result result =
      lzma::decode(*header, std::span<const uint8_t>(entry).subspan(lzma::headerBytes), out.data());
  if (result != lzma::Result::ok) return std::nullopt;
  return out;
}

TEST(LzmaDecoderTest, DecodesLibLzmaStreamsExactly) {
  std::vector<uint8_t> repeats;
  for (int i = 0; i < 100000; ++i) repeats.push_back(static_cast<uint8_t>("ab"[i % 2]));
  std::vector<uint8_t> mixed = textBytes();
  const std::vector<uint8_t> noise = randomBytes(5000, 1);
  mixed.insert(mixed.end(), noise.begin(), noise.end());
  mixed.insert(mixed.end(), repeats.begin(), repeats.begin() + 3000);
  struct Case {
    const char* what;
    std::vector<uint8_t> data;
    tools::LzmaOptions options;
  };
  const Case cases[] = {
      {"empty", {}, {}},
      {"one byte", {42}, {}},
      {"text", textBytes(), {}},
      {"random", randomBytes(20000, 7), {}},
      {"long overlapping repeats", repeats, {}},
      {"zeros", std::vector<uint8_t>(70000, 0), {}},
      {"lc0 lp0 pb0", mixed, {0, 0, 0, 6}},
      {"lc4 lp0 pb4", mixed, {4, 0, 4, 6}},
      {"lc0 lp4 pb2", mixed, {0, 4, 2, 6}},
      {"lc1 lp3 pb1", mixed, {1, 3, 1, 1}},
      {"preset 9", mixed, {3, 0, 2, 9}},
  };
  for (const Case& c : cases) {
    const std::vector<uint8_t> entry = tools::lzmaCompress(c.data, c.options);
    EXPECT_EQ(entry[0], (c.options.pb * 5 + c.options.lp) * 9 + c.options.lc) << c.what;
    const auto decoded = decodeEntry(entry);
    ASSERT_TRUE(decoded.has_value()) << c.what;
    EXPECT_EQ(*decoded, c.data) << c.what;
  }
}

TEST(LzmaDecoderTest, HeaderFieldsAndTheEndMarker) {
  const std::vector<uint8_t> data = textBytes();
  std::vector<uint8_t> entry = tools::lzmaCompress(data);
  // The writer's patch: the true size in bytes 5..8, zero in 9..12.
  const auto header = lzma::readHeader(entry);
  ASSERT_TRUE(header.has_value());
  EXPECT_EQ(header->lc, 3);
  EXPECT_EQ(header->lp, 0);
  EXPECT_EQ(header->pb, 2);
  EXPECT_EQ(header->unpackedSize, data.size());
  EXPECT_EQ(std::vector<uint8_t>(entry.begin() + 9, entry.begin() + 13), std::vector<uint8_t>(4, 0));
  // liblzma ended the data with an end marker; a smaller size in the header
  // stops the decoder early, with exactly that prefix.
  entry[5] = 100;
  entry[6] = entry[7] = entry[8] = 0;
  const auto prefix = decodeEntry(entry);
  ASSERT_TRUE(prefix.has_value());
  EXPECT_EQ(*prefix, std::vector<uint8_t>(data.begin(), data.begin() + 100));
  // An empty output never looks past the range coder's start.
  const std::vector<uint8_t> empty = {0x5D, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  const auto none = decodeEntry(empty);
  ASSERT_TRUE(none.has_value());
  EXPECT_TRUE(none->empty());
}

TEST(LzmaDecoderTest, RefusesMalformedStreams) {
  const std::vector<uint8_t> data = textBytes();
  const std::vector<uint8_t> good = tools::lzmaCompress(data);
  std::vector<uint8_t> badProperties = good;
  badProperties[0] = 225;
  std::vector<uint8_t> unknownSize = tools::lzmaCompress(data);
  for (int i = 5; i < 13; ++i) unknownSize[i] = 0xFF;
  std::vector<uint8_t> matchFirst = {0x5D, 0, 0, 1, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};
  for (int i = 0; i < 16; ++i) matchFirst.push_back(0xFF);
  const std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2));
  std::vector<uint8_t> longer = good;  // claims more than the data holds
  longer[5] = static_cast<uint8_t>(longer[5] + 50);
  const std::vector<std::pair<const char*, std::vector<uint8_t>>> cases = {
      {"empty", {}},
      {"12 bytes", std::vector<uint8_t>(good.begin(), good.begin() + 12)},
      {"properties 225", badProperties},
      {"size unknown", unknownSize},
      {"match before the start", matchFirst},
      {"cut in half", cut},
      {"size beyond the data", longer},
  };
  for (const auto& [what, entry] : cases) EXPECT_FALSE(decodeEntry(entry).has_value()) << what;
}

class LzmaGlueTest : public GameDataFixture {};

TEST_F(LzmaGlueTest, DecodesFromAStreamAndRefusesDamageWithNull) {
  const std::vector<uint8_t> data = textBytes();
  const std::vector<uint8_t> entry = tools::lzmaCompress(data);
  cGame::setStreamByteCount(0);
  cGame::lzmaDecode(streamOf(entry), static_cast<int32_t>(entry.size()));
  EXPECT_EQ(cGame::getStreamByteCount(), static_cast<int32_t>(entry.size()));
  EXPECT_EQ(bytesOf(cGame::takeLzmaOutput()), data);
  EXPECT_EQ(cGame::takeLzmaOutput(), nullptr);

  wince::LogCapture log;
  std::vector<uint8_t> huge = entry;
  huge[8] = 0x10;  // 256 MiB and more
  cGame::lzmaDecode(streamOf(huge), static_cast<int32_t>(huge.size()));
  EXPECT_EQ(cGame::takeLzmaOutput(), nullptr);
  EXPECT_TRUE(log.contains("past the limit"));
  cGame::lzmaDecode(streamOf(entry), 12);
  EXPECT_EQ(cGame::takeLzmaOutput(), nullptr);
  cGame::lzmaDecode(streamOf(std::vector<uint8_t>(entry.begin(), entry.begin() + 40)), static_cast<int32_t>(entry.size()));
  EXPECT_EQ(cGame::takeLzmaOutput(), nullptr);
  EXPECT_TRUE(log.contains("ends before"));
}

// Where the toolkit lets go of data (a closed pack, an unpacked entry's
// input, the texts once cached) it asks for a collection; the collector
// runs it when its last run is more than two seconds old.
class CollectionRequestTest : public GameDataFixture {
 protected:
  void SetUp() override {
    wince::useFakeClock(100000, false);
    GameDataFixture::SetUp();
  }
  void TearDown() override {
    GameDataFixture::TearDown();
    wince::useRealClock();
  }
  // The collections the step ran, two seconds after the last one.
  template <typename Step>
  uint32_t collectionsOf(Step step) {
    wince::advanceFakeClock(2001);
    const uint32_t before = objectManager().collectionCount();
    step();
    return objectManager().collectionCount() - before;
  }
};

TEST_F(CollectionRequestTest, DroppingPacksUnpackedInputAndCachedTextsAsksForACollection) {
  tools::PackWriter writer;
  writer.add(0, tools::writeTextPack({"one", "two"}), tools::PackWriter::Compression::none);
  install(writer.write("texts", {0}, "_"));
  const std::vector<uint8_t> entry = tools::lzmaCompress(textBytes());

  EXPECT_EQ(collectionsOf([] { cGame::closePack(); }), 1u);
  EXPECT_EQ(collectionsOf([&] { cGame::lzmaDecode(streamOf(entry), static_cast<int32_t>(entry.size())); }), 1u);
  EXPECT_NE(cGame::takeLzmaOutput(), nullptr);
  cGame::loadTextPack(text("texts"), 0);
  EXPECT_EQ(collectionsOf([] { cGame::cacheAllTexts(); }), 1u);
  // Within two seconds of the last run a request is let pass.
  const uint32_t before = objectManager().collectionCount();
  cGame::closePack();
  EXPECT_EQ(objectManager().collectionCount(), before);
}

}  // namespace
