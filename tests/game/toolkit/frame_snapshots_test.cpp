// Frame-snapshot slots and the turned drawing of a snapshot.
#include <gtest/gtest.h>

#include <functional>

#include "game/toolkit/SharedPixelBuffer.h"
#include "runtime/lang/ObjectArray.h"
#include "tests/game/toolkit/drawing_fixture.h"
#include "wince/log.h"

namespace {

class FrameSnapshots : public DrawingFixture {
 protected:
  // Fills a free slot as the shell does: key, record, pixels.
  int32_t storeSnapshot(Object* key, int32_t frame, int32_t width, int32_t height, int32_t offsetX, int32_t offsetY,
                        const std::function<uint32_t(int32_t, int32_t)>& pixel) {
    const int32_t slot = cGame::findFreeSnapshot();
    if (slot < 0) return slot;
    IntArray* pixels = newIntArray(width * height);
    for (int32_t y = 0; y < height; ++y)
      for (int32_t x = 0; x < width; ++x) pixels->set(y * width + x, int32_t(pixel(x, y)));
    cGameSnapshotStatics& slots = toolkitStatics().cGameSnapshots;
    slots.keys->set(slot, key);
    slots.records->set(slot, intArray({uint32_t(width), uint32_t(height), uint32_t(offsetX), uint32_t(offsetY),
                                       uint32_t(frame)}));
    slots.pixels->set(slot, pixels);
    return slot;
  }

  static constexpr uint32_t red = 0xFFF80000, green = 0xFF00FC00, blue = 0xFF0000F8, white = 0xFFF8FCF8;
  // 40 x 20 in four quadrants: red green / blue white.
  static uint32_t quadrant(int32_t x, int32_t y) { return y < 10 ? (x < 20 ? red : green) : (x < 20 ? blue : white); }

  struct Sample {
    int32_t x, y;
    uint32_t colour;
  };
  void expectColours(std::initializer_list<Sample> samples, const char* what) {
    for (const Sample& s : samples)
      EXPECT_EQ(pixelAt(s.x, s.y), raster::argbToRgb565(s.colour)) << what << " at " << s.x << "," << s.y;
  }
  // Everything drawn lies within [x0, x1) x [y0, y1), and all of it is drawn.
  void expectBox(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const char* what) {
    for (int32_t y = 0; y < screenHeight; ++y)
      for (int32_t x = 0; x < screenWidth; ++x) {
        const bool inside = x >= x0 && x < x1 && y >= y0 && y < y1;
        ASSERT_EQ(pixelAt(x, y) != background, inside) << what << " at " << x << "," << y;
      }
  }
};

TEST_F(FrameSnapshots, SlotsAreFoundTakenAndFreed) {
  Object* key = intArray({1});
  EXPECT_EQ(cGame::findSnapshot(key, 0), -1);  // before the tables exist
  EXPECT_EQ(cGame::findSnapshot(nullptr, 0), -1);
  cGame::freeSnapshot(0);
  for (int32_t frame = 0; frame < 5; ++frame)
    EXPECT_EQ(storeSnapshot(key, frame, 1, 1, 0, 0, [](int32_t, int32_t) { return 0u; }), frame);
  EXPECT_EQ(cGame::findFreeSnapshot(), -1);
  EXPECT_EQ(cGame::findSnapshot(key, 3), 3);
  EXPECT_EQ(cGame::findSnapshot(key, 7), -1);
  EXPECT_EQ(cGame::findSnapshot(intArray({1}), 3), -1);
  EXPECT_EQ(cGame::findSnapshot(nullptr, 3), -1);
  cGame::freeSnapshot(5);
  cGame::freeSnapshot(-1);
  EXPECT_EQ(cGame::findFreeSnapshot(), -1);
  cGame::freeSnapshot(2);
  EXPECT_EQ(cGame::findFreeSnapshot(), 2);
  EXPECT_EQ(cGame::findSnapshot(key, 2), -1);
  EXPECT_EQ(toolkitStatics().cGameSnapshots.pixels->get(2), nullptr);
  EXPECT_EQ(toolkitStatics().cGameSnapshots.records->get(2), nullptr);
}

TEST_F(FrameSnapshots, TurnedByZeroNinetyAndOneHundredEightyDegrees) {
  Object* key = intArray({1});
  storeSnapshot(key, 4, 40, 20, 0, 0, quadrant);

  cGame::drawWarpedSnapshot(key, 4, 50, 40, 50, 40, 0, 0);
  expectBox(50, 40, 90, 60, "0 degrees");
  expectColours({{55, 42, red}, {85, 42, green}, {55, 57, blue}, {85, 57, white}}, "0 degrees");

  // A quarter clockwise (y grows downward) about the pivot: 20 wide, 40
  // high, to the pivot's left.
  clearScreen();
  cGame::drawWarpedSnapshot(key, 4, 50, 40, 50, 40, 90, 0);
  expectBox(30, 40, 50, 80, "90 degrees");
  expectColours({{33, 45, blue}, {47, 45, red}, {33, 75, white}, {47, 75, green}}, "90 degrees");

  clearScreen();
  cGame::drawWarpedSnapshot(key, 4, 50, 40, 50, 40, 180, 0);
  expectBox(10, 20, 50, 40, "180 degrees");
  expectColours({{15, 22, white}, {45, 22, blue}, {15, 37, green}, {45, 37, red}}, "180 degrees");
}

TEST_F(FrameSnapshots, OffsetsPlaceAndFlagsFlipTheTexture) {
  Object* key = intArray({1});
  storeSnapshot(key, 0, 40, 20, -5, 3, quadrant);
  cGame::drawWarpedSnapshot(key, 0, 50, 40, 50, 40, 0, 1);
  expectBox(45, 43, 85, 63, "flipped horizontally");
  expectColours({{47, 45, green}, {83, 45, red}, {47, 60, white}, {83, 60, blue}}, "flipped horizontally");
  clearScreen();
  cGame::drawWarpedSnapshot(key, 0, 50, 40, 50, 40, 0, 2);
  expectColours({{47, 45, blue}, {83, 45, white}, {47, 60, red}, {83, 60, green}}, "flipped vertically");
}

TEST_F(FrameSnapshots, AMissingSnapshotIsLoggedAndNothingIsDrawn) {
  wince::LogCapture log;
  cGame::drawWarpedSnapshot(intArray({1}), 9, 0, 0, 10, 10, 0, 0);
  EXPECT_TRUE(log.contains("frame 9"));
  EXPECT_EQ(drawnCount(), 0);
}

TEST_F(FrameSnapshots, AFrameWiderThanTheBufferPitchIsCutAtItNotWrappedIntoTheNextRow) {
  Object* key = intArray({1});
  // 150 wide: the first 100 columns red, the rest green.
  storeSnapshot(key, 0, 150, 30, 0, 0, [](int32_t x, int32_t) { return x < 100 ? red : green; });
  cGame::drawWarpedSnapshot(key, 0, 10, 10, 10, 10, 0, 0);
  expectBox(10, 10, 110, 40, "wide");
  for (int32_t y = 10; y < 40; ++y)
    for (int32_t x = 10; x < 110; ++x) ASSERT_EQ(pixelAt(x, y), raster::argbToRgb565(red)) << x << "," << y;
  EXPECT_EQ(sharedPixelBuffer()->length(), sharedPixelBufferLength);
}

TEST_F(FrameSnapshots, AFrameTallerThanTheBufferAndTheEdgeTablesIsCutToThem) {
  Object* key = intArray({1});
  storeSnapshot(key, 0, 8, 700, 0, 0, [](int32_t, int32_t) { return red; });
  cGame::drawWarpedSnapshot(key, 0, 0, 0, 0, 0, 0, 0);
  expectBox(0, 0, 8, screenHeight, "tall");
  clearScreen();
  // Turned a quarter it lies 700 wide and 8 high to the pivot's left: the
  // 100 columns of its left end fit the buffer's pitch.
  cGame::drawWarpedSnapshot(key, 0, 700, 10, 700, 10, 90, 0);
  expectBox(0, 10, 100, 18, "tall, turned");
  EXPECT_EQ(takePending(), nothingPending);
}

}  // namespace
