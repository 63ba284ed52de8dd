// The data stream: little-endian reads and writes at a cursor, bounded at
// the end of the array, and cursor switches that nest.
#include <gtest/gtest.h>

#include <functional>

#include "runtime/lang/Arrays.h"
#include "tests/game/toolkit/game_data_fixture.h"
#include "wince/log.h"

namespace {

class DataStreamTest : public GameDataFixture {};

TEST_F(DataStreamTest, ReadsEachWidthLittleEndianWithItsSign) {
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    std::function<int32_t()> read;
    int32_t expected;
    int32_t width;
  };
  const Case cases[] = {
      {"boolean 1", {1}, [] { return cGame::readBoolean() ? 1 : 0; }, 1, 1},
      {"boolean 2 is false", {2}, [] { return cGame::readBoolean() ? 1 : 0; }, 0, 1},
      {"unsigned byte", {0xFF}, cGame::readUnsignedByte, 255, 1},
      {"byte", {0xFF}, cGame::readByte, -1, 1},
      {"byte 0x7F", {0x7F}, cGame::readByte, 127, 1},
      {"byte 0x80", {0x80}, cGame::readByte, -128, 1},
      {"unsigned short FF FF", {0xFF, 0xFF}, cGame::readUnsignedShort, 65535, 2},
      {"short FF FF", {0xFF, 0xFF}, cGame::readShort, -1, 2},
      {"short 00 80", {0x00, 0x80}, cGame::readShort, -32768, 2},
      {"short 34 12", {0x34, 0x12}, cGame::readShort, 0x1234, 2},
      {"int", {0x78, 0x56, 0x34, 0x12}, cGame::readInt, 0x12345678, 4},
      {"int min", {0, 0, 0, 0x80}, cGame::readInt, INT32_MIN, 4},
      {"int -2", {0xFE, 0xFF, 0xFF, 0xFF}, cGame::readInt, -2, 4},
  };
  for (const Case& c : cases) {
    cGame::set(byteArrayOf(c.bytes), 0);
    EXPECT_EQ(c.read(), c.expected) << c.what;
    EXPECT_EQ(cGame::getPosition(), c.width) << c.what;
    EXPECT_FALSE(cGame::isDataDamaged()) << c.what;
    EXPECT_FALSE(cGame::hasMore()) << c.what;
    cGame::restore();
  }
}

TEST_F(DataStreamTest, WritesReadBackAndIntArraysRoundTrip) {
  ByteArray* data = newByteArray(16);
  cGame::set(data, 0);
  cGame::writeBoolean(true);
  cGame::writeByte(0x1FF);
  cGame::writeShort(-2);
  IntArray* values = newIntArray(3);
  values->set(0, 7);
  values->set(1, -1);
  values->set(2, 0x01020304);
  cGame::writeIntArray(values, 1, 2);
  EXPECT_EQ(cGame::getPosition(), 12);
  EXPECT_EQ(bytesOf(data), (std::vector<uint8_t>{1, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 4, 3, 2, 1, 0, 0, 0, 0}));

  cGame::set(data, 4);
  IntArray* back = newIntArray(3);
  cGame::readIntArray(back, 0, 2);
  EXPECT_EQ(back->get(0), -1);
  EXPECT_EQ(back->get(1), 0x01020304);
  cGame::restore();
  cGame::restore();
}

TEST_F(DataStreamTest, ReadsAndWritesPastTheEndStopAndMarkTheDataDamaged) {
  wince::LogCapture log;
  ByteArray* data = byteArrayOf({1, 2, 3});
  cGame::set(data, 0);
  cGame::skip(1);
  EXPECT_EQ(cGame::readInt(), 0);
  EXPECT_TRUE(cGame::isDataDamaged());
  EXPECT_EQ(cGame::getPosition(), 3);
  EXPECT_FALSE(cGame::hasMore());
  cGame::writeShort(0x7777);
  EXPECT_EQ(bytesOf(data), (std::vector<uint8_t>{1, 2, 3}));

  // A cursor skipped before the start, an array too short for the count asked.
  cGame::set(data, 0);
  cGame::skip(-5);
  EXPECT_EQ(cGame::readByte(), 0);
  EXPECT_TRUE(cGame::isDataDamaged());
  cGame::set(data, 0);
  IntArray* into = newIntArray(4);
  cGame::readIntArray(into, 0, 1000000);
  EXPECT_EQ(into->get(0), 0);
  cGame::set(nullptr, 0);
  EXPECT_EQ(cGame::readUnsignedShort(), 0);
  EXPECT_FALSE(cGame::hasMore());
  EXPECT_NE(log.text().find("data stream"), std::string::npos);
}

TEST_F(DataStreamTest, NestedSwitchesRestoreEachOuterCursor) {
  ByteArray* outer = byteArrayOf({10, 11, 12, 13});
  ByteArray* middle = byteArrayOf({20, 21});
  ByteArray* inner = byteArrayOf({30});
  cGame::set(outer, -3);  // a negative position starts at 0
  EXPECT_EQ(cGame::readByte(), 10);
  cGame::set(middle, 1);
  EXPECT_EQ(cGame::readByte(), 21);
  cGame::set(inner, 0);
  EXPECT_EQ(cGame::readByte(), 30);
  cGame::restore();
  EXPECT_EQ(cGame::getData(), middle);
  EXPECT_EQ(cGame::getPosition(), 2);
  cGame::restore();
  EXPECT_EQ(cGame::getData(), outer);
  EXPECT_EQ(cGame::getPosition(), 1);
  EXPECT_EQ(cGame::readByte(), 11);
  // The kept arrays are collector roots while they wait.
  cGame::set(byteArrayOf({1}), 0);
  collect();
  cGame::restore();
  EXPECT_EQ(cGame::readByte(), 12);
}

}  // namespace
