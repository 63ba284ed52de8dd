// Angles of 256 units per turn, 8.8 cosines and the other integer helpers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

#include "game/toolkit/MathHelpers.h"
#include "runtime/lang/Arrays.h"
#include "tests/game/toolkit/drawing_fixture.h"
#include "wince/log.h"

namespace {

using MathHelpers = DrawingFixture;

// The helpers over plain tables, no runtime needed.
struct PlainTables {
  int32_t cosines[cosTableLength];
  int32_t arctangents[arctangentTableLength];
  PlainTables() {
    fillCosineTable(cosines);
    buildArctangentTable(cosines, arctangents);
  }
};

TEST(MathTables, CosineFoldsAnyAngleIntoTheQuarterWave) {
  const PlainTables t;
  struct Case {
    int32_t angle, expected;
  };
  const Case cases[] = {
      {0, 256}, {64, 0}, {128, -256}, {192, 0}, {256, 256}, {32, t.cosines[32]}, {96, -t.cosines[32]},
      {160, -t.cosines[32]}, {224, t.cosines[32]}, {-64, 0}, {-32, t.cosines[32]}, {300, t.cosines[44]},
      {-300, t.cosines[44]}, {INT32_MIN, 256},
  };
  for (const Case& c : cases) EXPECT_EQ(cosineFromTable(t.cosines, c.angle), c.expected) << c.angle;
}

TEST(MathTables, ArctangentTableStartsAtZeroAndReachesFortyFiveDegreesAt256) {
  const PlainTables t;
  EXPECT_EQ(t.arctangents[0], 0);
  EXPECT_EQ(t.arctangents[256], 32);
  for (int32_t i = 1; i <= 256; ++i) EXPECT_LE(t.arctangents[i - 1], t.arctangents[i]) << i;
}

TEST(MathTables, AngleOfEachOctantAndAxis) {
  const PlainTables t;
  struct Case {
    int32_t x, y, expected;
  };
  const Case cases[] = {
      {0, 0, 0},  {1, 0, 0},    {0, 3, 64},   {-1, 0, 128}, {0, -3, 192},  {5, 5, 32},
      {-5, 5, 96}, {-5, -5, 160}, {5, -5, 224}, {7, 0, 0},    {-7, 0, 128},
  };
  for (const Case& c : cases) EXPECT_EQ(angleFromArctangents(t.arctangents, c.x, c.y), c.expected) << c.x << "," << c.y;
}

// The angle's distance from the true one, the short way round the turn.
int32_t turnDistance(int32_t a, int32_t b) {
  const int32_t d = std::abs(a - b) & 255;
  return std::min(d, 256 - d);
}

int32_t trueAngle(double x, double y) {
  return int32_t(std::lround(std::atan2(y, x) * 128.0 / std::numbers::pi)) & 255;
}

TEST(MathTables, AngleOfSweepStaysWithinTwoUnitsOfAtan2) {
  const PlainTables t;
  for (int32_t radius : {3, 40, 1000, 100000}) {
    for (int32_t step = 0; step < 720; ++step) {
      const double theta = step * std::numbers::pi / 360.0;
      const int32_t x = int32_t(std::lround(radius * std::cos(theta)));
      const int32_t y = int32_t(std::lround(radius * std::sin(theta)));
      if (x == 0 && y == 0) continue;
      EXPECT_LE(turnDistance(angleFromArctangents(t.arctangents, x, y), trueAngle(x, y)), 2)
          << x << "," << y << " radius " << radius;
    }
  }
}

TEST(MathTables, HugeComponentsStayInsideTheTable) {
  const PlainTables t;
  const int32_t big[][2] = {{1 << 30, 1 << 29}, {INT32_MIN, 5}, {-7, INT32_MIN}, {INT32_MAX, INT32_MIN}};
  for (const auto& v : big) {
    const int32_t result = angleFromArctangents(t.arctangents, v[0], v[1]);
    EXPECT_LE(turnDistance(result, trueAngle(v[0], v[1])), 2) << v[0] << "," << v[1];
  }
}

TEST_F(MathHelpers, TheValuesOfTheGameHelpers) {
  EXPECT_EQ(cGame::approxLength(3, 4), 5);
  EXPECT_EQ(cGame::approxLength(0, 0), 0);
  EXPECT_EQ(cGame::approxLength(-10, 0), 9);
  EXPECT_EQ(cGame::approxLength(0, -10), 9);

  EXPECT_EQ(cGame::cosLookup(-64), cGame::cosLookup(64));
  EXPECT_EQ(cGame::cosLookup(300), cGame::cosLookup(44));
  EXPECT_EQ(cGame::cosLookup(0), 256);
  EXPECT_EQ(cGame::cosLookup(angle::quarter - 0), 0);  // the sine of 0

  EXPECT_EQ(cGame::angleOf(0, 0), 0);
  EXPECT_EQ(cGame::angleOf(5, 5), toolkitStatics().cGameMath.arctangentTable->get(256));
  EXPECT_EQ(cGame::angleOf(-1, 0), 128);
  EXPECT_EQ(cGame::angleOf(0, 1), 64);

  EXPECT_EQ(cGame::sqrtFixed(1024), 512);
  EXPECT_EQ(cGame::sqrtFixed(512), 362);
  EXPECT_EQ(cGame::sqrtFixed(1), 16);
  EXPECT_EQ(cGame::sqrtFixed(0), 0);
  EXPECT_EQ(cGame::sqrtFixed(256), 256);
  EXPECT_EQ(cGame::sqrtFixed(-5), 0);
  EXPECT_EQ(cGame::sqrtFixed(INT32_MAX), int32_t(std::sqrt(double(INT32_MAX) * 256.0)));

  EXPECT_EQ(uint32_t(cGame::lerpColor(int32_t(0xFF000000), int32_t(0xFF0000FF), 50)), 0xFF00007Fu);
  EXPECT_EQ(uint32_t(cGame::lerpColor(int32_t(0x80123456), int32_t(0x10ABCDEF), 0)), 0x80123456u);
  EXPECT_EQ(uint32_t(cGame::lerpColor(int32_t(0x80123456), int32_t(0x10ABCDEF), 100)), 0x10ABCDEFu);
  // A falling channel truncates toward zero: 255 - 127 = 128.
  EXPECT_EQ(uint32_t(cGame::lerpColor(0x00FF0000, 0, 50)), 0x00800000u);

  IntArray* rect = intArray({10, 10, 20, 20});
  EXPECT_TRUE(cGame::rectContains(10, 10, rect));
  EXPECT_TRUE(cGame::rectContains(30, 30, rect));
  EXPECT_FALSE(cGame::rectContains(31, 30, rect));
  EXPECT_FALSE(cGame::rectContains(30, 9, rect));
}

TEST_F(MathHelpers, LittleEndianShortsAndByteFlags) {
  ByteArray* bytes = newByteArray(6);
  const int8_t values[] = {0x34, 0x12, -1, -1, 0, -128};
  for (int32_t i = 0; i < 6; ++i) bytes->set(i, values[i]);
  EXPECT_EQ(cGame::readShortLE(bytes, 0), 0x1234);
  EXPECT_EQ(cGame::readShortLE(bytes, 2), -1);
  EXPECT_EQ(cGame::readShortLE(bytes, 4), -32768);
  EXPECT_TRUE(cGame::byteIsSet(bytes, 0));
  EXPECT_FALSE(cGame::byteIsSet(bytes, 4));
}

TEST_F(MathHelpers, WithoutTheCosineTableLookupsAreLoggedAndGiveZeroUntilItIsLoaded) {
  toolkitStatics().cGameMath.cosTable = nullptr;
  const auto occurrences = [](const std::string& text, const std::string& what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
  };
  {
    wince::LogCapture log;
    EXPECT_EQ(cGame::cosLookup(0), 0);
    EXPECT_EQ(cGame::angleOf(5, 5), 0);
    for (int frame = 0; frame < 50; ++frame) cGame::cosLookup(frame);
    EXPECT_EQ(occurrences(log.text(), "cosine table"), 1u) << "once, not once a call";
  }
  EXPECT_EQ(toolkitStatics().cGameMath.arctangentTable, nullptr);
  toolkitStatics().cGameMath.cosTable = newCosineTable();
  EXPECT_EQ(cGame::angleOf(5, 5), 32);
}

}  // namespace
