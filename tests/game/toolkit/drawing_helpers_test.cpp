// Blits, anti-aliased lines and translucent fills on an RGB565 screen.
#include <gtest/gtest.h>

#include "game/toolkit/SharedPixelBuffer.h"
#include "tests/game/toolkit/drawing_fixture.h"
#include "wince/log.h"

namespace {

using DrawingHelpers = DrawingFixture;

constexpr uint32_t red = 0xFF0000;

TEST_F(DrawingHelpers, AHorizontalLineWritesPairsOfWhichTheLowerIsClear) {
  cGame::drawLineRGB(graphics, 0, 0, 10, 0, red, 255, 255);
  // Weight 255 of alpha 255: 255 * 255 / 256 = 254.
  const uint16_t upper = blendedOver(background, 0xFE000000 | red);
  for (int32_t x = 0; x < 10; ++x) EXPECT_EQ(pixelAt(x, 0), upper) << x;
  EXPECT_EQ(pixelAt(10, 0), background);  // the end point is not drawn
  EXPECT_EQ(drawnCount(), 10);
  IntArray* pair = sharedPixelBuffer();
  EXPECT_EQ(uint32_t(pair->get(0)), 0xFE000000 | red);
  EXPECT_EQ(uint32_t(pair->get(1)), red);  // the lower pixel: alpha 0
}

TEST_F(DrawingHelpers, ALineIsTheSameDrawnFromEitherEnd) {
  cGame::drawLineRGB(graphics, 30, 20, 2, 7, red, 40, 250);
  std::vector<uint16_t> forward;
  for (int32_t y = 0; y < 30; ++y)
    for (int32_t x = 0; x < 40; ++x) forward.push_back(pixelAt(x, y));
  clearScreen();
  cGame::drawLineRGB(graphics, 2, 7, 30, 20, red, 250, 40);
  std::vector<uint16_t> backward;
  for (int32_t y = 0; y < 30; ++y)
    for (int32_t x = 0; x < 40; ++x) backward.push_back(pixelAt(x, y));
  EXPECT_EQ(forward, backward);
}

TEST_F(DrawingHelpers, ADiagonalWalksAlongYWithItsPairsSideBySide) {
  cGame::drawLineRGB(graphics, 0, 0, 5, 5, red, 255, 255);
  const uint16_t left = blendedOver(background, 0xFE000000 | red);
  // The first row already carries one step: row r lands at column r + 1,
  // its right partner clear.
  for (int32_t y = 0; y < 5; ++y) EXPECT_EQ(pixelAt(y + 1, y), left) << y;
  EXPECT_EQ(drawnCount(), 5);
  EXPECT_EQ(uint32_t(sharedPixelBuffer()->get(1)), red);
}

TEST_F(DrawingHelpers, TheAlphaRunsFromOneEndToTheOther) {
  cGame::drawLineRGB(graphics, 0, 0, 4, 0, red, 0, 256);
  // 16.16 alpha steps of 64: 0, 64, 128, 192; weight 255.
  const uint32_t alphas[] = {0, 63, 127, 191};
  for (int32_t x = 0; x < 4; ++x) EXPECT_EQ(pixelAt(x, 0), blendedOver(background, alphas[x] << 24 | red)) << x;
}

TEST_F(DrawingHelpers, ALineOfNoLengthDrawsOneStepAndDividesByNothing) {
  cGame::drawLineRGB(graphics, 3, 3, 3, 3, red, 200, 10);
  EXPECT_EQ(takePending(), nothingPending);
  EXPECT_EQ(pixelAt(3, 3), blendedOver(background, uint32_t(200 * 255 / 256) << 24 | red));
  EXPECT_EQ(drawnCount(), 1);
}

TEST_F(DrawingHelpers, ThickLinesAreParallelLinesOneFewerForOddWidths) {
  struct Case {
    int32_t width;
    int32_t firstRow, rows;
  };
  const Case cases[] = {{0, 0, 0}, {1, 0, 0}, {2, 19, 2}, {3, 19, 2}, {4, 18, 4}};
  for (const Case& c : cases) {
    clearScreen();
    cGame::drawThickLine(graphics, c.width, 10, 20, 50, 20, red, 255, 255);
    EXPECT_EQ(drawnCount(), c.rows * 40) << "width " << c.width;
    for (int32_t row = c.firstRow; row < c.firstRow + c.rows; ++row)
      EXPECT_NE(pixelAt(30, row), background) << "width " << c.width << " row " << row;
  }
  // Steep lines move sideways.
  clearScreen();
  cGame::drawThickLine(graphics, 2, 20, 10, 20, 40, red, 255, 255);
  EXPECT_NE(pixelAt(19, 20), background);
  EXPECT_NE(pixelAt(20, 20), background);
}

TEST_F(DrawingHelpers, RectangleOutlineCoversItsFourSides) {
  cGame::drawRectRGB(graphics, 10, 10, 20, 10, int32_t(0xFF000000 | red));
  for (int32_t x = 11; x < 30; ++x) {
    EXPECT_NE(pixelAt(x, 10), background) << x;
    EXPECT_NE(pixelAt(x, 20), background) << x;
  }
  for (int32_t y = 11; y < 20; ++y) {
    EXPECT_NE(pixelAt(10, y), background) << y;
    EXPECT_NE(pixelAt(30, y), background) << y;
  }
  EXPECT_EQ(pixelAt(20, 15), background);
}

TEST_F(DrawingHelpers, TranslucentFillsCoverTheRectangleOnceTiledOrInOneBlock) {
  const uint32_t fill = 0x8000FF00;
  const uint16_t inside = blendedOver(background, fill);
  struct Case {
    int32_t x, y, w, h;
  };
  // 5000 pixels in 64 x 64 tiles cut to the rectangle; 3600 in one block.
  const Case cases[] = {{7, 5, 100, 50}, {30, 10, 60, 60}, {-20, -30, 100, 60}, {100, 70, 64, 64}};
  for (const Case& c : cases) {
    clearScreen();
    cGame::setFillColor(int32_t(fill));
    cGame::fillRectAlpha(graphics, c.x, c.y, c.w, c.h);
    for (int32_t y = 0; y < screenHeight; ++y) {
      for (int32_t x = 0; x < screenWidth; ++x) {
        const bool covered = x >= c.x && x < c.x + c.w && y >= c.y && y < c.y + c.h;
        ASSERT_EQ(pixelAt(x, y), covered ? inside : background) << c.w << "x" << c.h << " at " << x << "," << y;
      }
    }
    EXPECT_EQ(graphics->getClipWidth(), screenWidth);
    EXPECT_EQ(graphics->getClipHeight(), screenHeight);
  }
}

TEST_F(DrawingHelpers, TranslucentFillsStayInsideTheClipAndRestoreIt) {
  cGame::setFillColor(int32_t(0x80FFFFFF));
  graphics->setClip(10, 10, 30, 20);
  cGame::fillRectAlpha(graphics, 0, 0, 100, 100);
  EXPECT_EQ(drawnCount(), 30 * 20);
  EXPECT_NE(pixelAt(10, 10), background);
  EXPECT_NE(pixelAt(39, 29), background);
  EXPECT_EQ(graphics->getClipX(), 10);
  EXPECT_EQ(graphics->getClipY(), 10);
  EXPECT_EQ(graphics->getClipWidth(), 30);
  EXPECT_EQ(graphics->getClipHeight(), 20);
  cGame::fillRectAlpha(graphics, 50, 50, 10, 10);  // outside the clip
  EXPECT_EQ(drawnCount(), 30 * 20);
}

TEST_F(DrawingHelpers, TheFillBlockIsRefilledOnlyForANewColour) {
  cGame::setFillColor(0x40112233);
  IntArray* block = toolkitStatics().cGameDraw.fillBlock;
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->length(), 4096);
  block->set(17, 0);  // a stale entry shows whether the block was refilled
  cGame::setFillColor(0x40112233);
  EXPECT_EQ(block->get(17), 0);
  cGame::setFillColor(0x40112234);
  EXPECT_EQ(toolkitStatics().cGameDraw.fillBlock, block);
  EXPECT_EQ(block->get(17), 0x40112234);
  EXPECT_EQ(block->get(4095), 0x40112234);
}

TEST_F(DrawingHelpers, WithoutAFillColourNothingIsFilled) {
  wince::LogCapture log;
  cGame::fillRectAlpha(graphics, 0, 0, 50, 50);
  EXPECT_EQ(drawnCount(), 0);
  EXPECT_TRUE(log.contains("fillRectAlpha"));
}

TEST_F(DrawingHelpers, TheColourImageIsBuiltOncePerColour) {
  Image* first = cGame::getColorImage(int32_t(0x80000000));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->getWidth(), 64);
  EXPECT_EQ(first->getHeight(), 64);
  EXPECT_EQ(cGame::getColorImage(int32_t(0x80000000)), first);
  Image* second = cGame::getColorImage(int32_t(0xFF0000FF));
  EXPECT_NE(second, first);
  IntArray* pixel = newIntArray(1);
  second->getRGB(pixel, 0, 1, 63, 63, 1, 1);
  EXPECT_EQ(uint32_t(pixel->get(0)) & 0xFFFFFF, 0xFFu);
  EXPECT_EQ(cGame::getColorImage(int32_t(0xFF0000FF)), second);
}

TEST_F(DrawingHelpers, BlocksOntoTheScreenAreCutToItByHand) {
  IntArray* block = newIntArray(20 * 4);
  for (int32_t i = 0; i < 80; ++i) block->set(i, int32_t(0xFF000000u | uint32_t(i % 20) << 3 | uint32_t(i / 20) << 11));
  clearScreen(0);
  cGame::drawRGBClipped(graphics, screenWidth, screenHeight, block, 20, 0, 0, -10, -2, 20, 4, false);
  // Column x shows source column x + 10, row y source row y + 2.
  for (int32_t y = 0; y < 2; ++y)
    for (int32_t x = 0; x < 10; ++x)
      EXPECT_EQ(pixelAt(x, y), raster::argbToRgb565(uint32_t(block->get((y + 2) * 20 + x + 10)))) << x << "," << y;
  EXPECT_EQ(pixelAt(10, 0), 0);
  EXPECT_EQ(pixelAt(0, 2), 0);

  // Past the right and bottom edges, and wholly outside.
  clearScreen(0);
  cGame::drawRGBClipped(graphics, screenWidth, screenHeight, block, 20, 0, 0, screenWidth - 5, screenHeight - 1, 20, 4,
                        false);
  EXPECT_EQ(pixelAt(screenWidth - 1, screenHeight - 1), raster::argbToRgb565(uint32_t(block->get(4))));
  cGame::drawRGBClipped(graphics, screenWidth, screenHeight, block, 20, 0, 0, -20, 0, 20, 4, false);
  cGame::drawRGBClipped(graphics, screenWidth, screenHeight, block, 20, 0, 0, screenWidth, 0, 20, 4, false);
  EXPECT_EQ(pixelAt(0, 0), 0);
}

TEST_F(DrawingHelpers, TransformedBlocksAreTurnedBeforeTheyAreDrawn) {
  // 3 wide, 2 high; turned a quarter it shows 2 wide, 3 high.
  IntArray* block = intArray({0xFFF80000, 0xFF00FC00, 0xFF0000F8, 0xFFF8FC00, 0xFF00FCF8, 0xFFF800F8});
  clearScreen(0);
  cGame::drawRGBTransformed(graphics, block, 0, 3, 5, 5, 3, 2, false, false, 4);
  const int32_t expected[3][2] = {{3, 0}, {4, 1}, {5, 2}};
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 2; ++x)
      EXPECT_EQ(pixelAt(5 + x, 5 + y), raster::argbToRgb565(uint32_t(block->get(expected[y][x])))) << x << "," << y;
  EXPECT_EQ(pixelAt(7, 5), 0);
  // An offset picks the block's start: srcX = offset % scan, srcY = offset / scan.
  clearScreen(0);
  cGame::drawRGBTransformed(graphics, block, 4, 3, 0, 0, 2, 1, false, false, 0);
  EXPECT_EQ(pixelAt(0, 0), raster::argbToRgb565(0xFF00FCF8));
  EXPECT_EQ(pixelAt(1, 0), raster::argbToRgb565(0xFFF800F8));
}

TEST_F(DrawingHelpers, ANullGraphicsIsLoggedAndNothingIsDrawn) {
  wince::LogCapture log;
  cGame::setFillColor(int32_t(0x80FFFFFF));
  cGame::fillRectAlpha(nullptr, 0, 0, 10, 10);
  cGame::drawLineRGB(nullptr, 0, 0, 10, 0, red, 255, 255);
  cGame::fillRect(nullptr, 0, 0, 10, 10);
  EXPECT_TRUE(log.contains("NullPointer"));
  EXPECT_EQ(drawnCount(), 0);
}

}  // namespace
