#include <gtest/gtest.h>

#include "runtime/lcdui/raster/DrawRegion.h"
#include "tests/platform/graphics_fixture.h"

namespace {

using GraphicsNatives = GraphicsFixture;

constexpr uint16_t white565 = 0xFFFF;
constexpr uint16_t red565 = 0xF800;

TEST_F(GraphicsNatives, FreshGraphicsCoversItsTargetAndDrawsNothingBeforeSetColor) {
  Image* image = mutableImage(7, 5);
  Graphics* graphics = image->getGraphics();
  ASSERT_NE(graphics, nullptr);
  EXPECT_EQ(graphics->target, image);
  EXPECT_EQ(graphics->getColor(), 0);
  EXPECT_EQ(graphics->getClipX(), 0);
  EXPECT_EQ(graphics->getClipY(), 0);
  EXPECT_EQ(graphics->getClipWidth(), 7);
  EXPECT_EQ(graphics->getClipHeight(), 5);
  // Alpha 0: fills and lines leave the target as it was.
  graphics->fillRect(0, 0, 7, 5);
  graphics->drawLine(0, 0, 6, 4);
  EXPECT_EQ(countOtherThan(image, 0), 0);
}

TEST_F(GraphicsNatives, SetColorForcesAlphaAndAnswersTheStoredWord) {
  Graphics* graphics = mutableImage(2, 2)->getGraphics();
  graphics->setColor(0x12345678);
  EXPECT_EQ(uint32_t(graphics->getColor()), 0xFF345678u);
  EXPECT_EQ(graphics->getRedComponent(), 0x34);
  EXPECT_EQ(graphics->getGreenComponent(), 0x56);
  EXPECT_EQ(graphics->getBlueComponent(), 0x78);
  EXPECT_EQ(Graphics::getDisplayColor(0x00ABCDEF), 0x00ABCDEF);
}

TEST_F(GraphicsNatives, SetColorComponentsOutsideTheirRangeAreLoggedInOrderAndNotMasked) {
  struct Case {
    int32_t red, green, blue;
    std::string log;
    uint32_t colour;
  };
  const Case cases[] = {
      {1, 2, 3, "", 0xFF010203u},
      {256, 0, 0, checkLines({"setColor r"}), 0xFF000000u | (256u << 16)},
      {0, -1, 0, checkLines({"setColor g"}), 0xFF000000u | uint32_t(-1) << 8},
      {300, 0, 999, checkLines({"setColor r", "setColor b"}), 0xFF000000u | (300u << 16) | 999u},
  };
  Graphics* graphics = mutableImage(2, 2)->getGraphics();
  for (const Case& c : cases) {
    wince::LogCapture log;
    graphics->setColor(c.red, c.green, c.blue);
    EXPECT_EQ(log.text(), c.log) << c.red << "," << c.green << "," << c.blue;
    EXPECT_EQ(uint32_t(graphics->getColor()), c.colour);
  }
}

TEST_F(GraphicsNatives, ClipAndTranslationLiveInTheObjectAndApplyToDrawing) {
  Image* image = mutableImage(10, 8);
  Graphics* graphics = image->getGraphics();
  graphics->translate(2, 1);
  graphics->translate(1, 1);
  EXPECT_EQ(graphics->getTranslateX(), 3);
  EXPECT_EQ(graphics->getTranslateY(), 2);
  // Bounded by the target after the translation is added.
  graphics->setClip(-5, -5, 100, 100);
  EXPECT_EQ(graphics->state.clipX1, 0);
  EXPECT_EQ(graphics->state.clipY1, 0);
  EXPECT_EQ(graphics->state.clipX2, 10);
  EXPECT_EQ(graphics->state.clipY2, 8);
  EXPECT_EQ(graphics->getClipX(), -3);
  EXPECT_EQ(graphics->getClipY(), -2);
  graphics->setClip(0, 0, 4, 4);  // absolute (3, 2) .. (7, 6)
  graphics->clipRect(1, 1, 10, 10);
  EXPECT_EQ(graphics->getClipX(), 1);
  EXPECT_EQ(graphics->getClipY(), 1);
  EXPECT_EQ(graphics->getClipWidth(), 3);
  EXPECT_EQ(graphics->getClipHeight(), 3);

  graphics->setColor(0xFF0000);
  graphics->fillRect(-10, -10, 100, 100);
  for (int32_t y = 0; y < 8; ++y)
    for (int32_t x = 0; x < 10; ++x) {
      const bool inside = x >= 4 && x < 7 && y >= 3 && y < 6;
      EXPECT_EQ(pixelAt(image, x, y), inside ? red565 : 0) << x << "," << y;
    }

  graphics->resetForPaint();
  EXPECT_EQ(graphics->getTranslateX(), 0);
  EXPECT_EQ(graphics->getClipWidth(), 10);
  EXPECT_EQ(graphics->getClipHeight(), 8);
  EXPECT_EQ(uint32_t(graphics->getColor()), 0xFFFFFFFFu);
}

TEST_F(GraphicsNatives, RectanglesAndLinesThroughTheObject) {
  Image* image = mutableImage(6, 6);
  Graphics* graphics = image->getGraphics();
  graphics->setColor(0xFFFFFF);
  graphics->drawRect(2, 3, 0, 0);
  EXPECT_EQ(countOtherThan(image, 0), 1);
  EXPECT_EQ(pixelAt(image, 2, 3), white565);

  graphics->fillRect(0, 0, 6, 6);
  graphics->setColor(0);
  graphics->drawLine(0, 0, 5, 5);
  for (int32_t k = 0; k < 6; ++k) EXPECT_EQ(pixelAt(image, k, k), 0);
  EXPECT_EQ(countOtherThan(image, white565), 6);

  // A rectangle that runs to x2 is cut at x2 - 1.
  graphics->setColor(0xFF0000);
  graphics->setClip(0, 0, 3, 6);
  graphics->fillRect(1, 0, 5, 1);
  EXPECT_EQ(pixelAt(image, 2, 0), red565);
  EXPECT_EQ(pixelAt(image, 3, 0), white565);
}

TEST_F(GraphicsNatives, ArcsDrawWholeQuadrantsOnlyAndRefuseHugeShapesWithALogLine) {
  Image* image = mutableImage(12, 12);
  Graphics* graphics = image->getGraphics();
  graphics->setColor(0xFFFFFF);
  graphics->drawArc(1, 1, 10, 10, 90, 360);
  EXPECT_EQ(countOtherThan(image, 0), 0);
  graphics->drawArc(1, 1, 10, 10, 0, 360);
  EXPECT_GT(countOtherThan(image, 0), 0);
  EXPECT_EQ(pixelAt(image, 6, 1), white565);  // top of the ellipse
  EXPECT_EQ(pixelAt(image, 6, 6), 0);         // centre stays empty

  wince::LogCapture log;
  graphics->fillArc(0, 0, 1 << 30, 1 << 30, 0, 360);
  EXPECT_EQ(log.text(), checkLines({"fillArc too large to draw"}));
}

TEST_F(GraphicsNatives, FillTriangleAndRoundRectanglesThroughTheObject) {
  Image* image = mutableImage(10, 10);
  Graphics* graphics = image->getGraphics();
  graphics->setColor(0xFFFFFF);
  graphics->fillTriangle(0, 0, 8, 0, 0, 8);
  EXPECT_EQ(pixelAt(image, 1, 1), white565);
  EXPECT_EQ(pixelAt(image, 8, 8), 0);
  graphics->setColor(0);
  graphics->fillRect(0, 0, 10, 10);
  graphics->setColor(0xFFFFFF);
  graphics->fillRoundRect(0, 0, 10, 10, 6, 6);
  EXPECT_EQ(pixelAt(image, 5, 5), white565);
  EXPECT_EQ(pixelAt(image, 0, 0), 0);  // the corner is rounded off
}

TEST_F(GraphicsNatives, DrawRgbBlendsStoresAndLogs) {
  Image* image = mutableImage(4, 2);
  Graphics* graphics = image->getGraphics();
  // White at alpha 128 over black gives the fields 15, 31, 15.
  graphics->drawRGB(intArray({0x80FFFFFFu}), 0, 1, 0, 0, 1, 1, true);
  EXPECT_EQ(pixelAt(image, 0, 0), uint16_t(15 << 11 | 31 << 5 | 15));
  // Without processAlpha the alpha byte is dropped.
  graphics->drawRGB(intArray({0x00FF0000u}), 0, 1, 1, 0, 1, 1, false);
  EXPECT_EQ(pixelAt(image, 1, 0), red565);

  wince::LogCapture log;
  graphics->drawRGB(nullptr, 0, 1, 0, 0, 1, 1, false);
  EXPECT_EQ(log.text(), checkLines({"drawRGB rgbData"}));
  log.clear();
  // Four elements asked for from an array of two: the two that exist are
  // drawn, the rest of the target is left alone.
  graphics->drawRGB(intArray({0xFFFFFFFFu, 0xFFFFFFFFu}), 0, 2, 2, 0, 2, 2, false);
  EXPECT_EQ(log.text(), checkLines({"drawRGB rgbData too short"}));
  EXPECT_EQ(pixelAt(image, 2, 0), white565);
  EXPECT_EQ(pixelAt(image, 3, 0), white565);
  EXPECT_EQ(pixelAt(image, 2, 1), 0);
  EXPECT_EQ(pixelAt(image, 3, 1), 0);
  log.clear();
  graphics->drawRGB(newIntArray(0), 0, 1, 0, 1, 1, 1, false);
  EXPECT_EQ(log.text(), checkLines({"drawRGB rgbData too short"}));
  EXPECT_EQ(pixelAt(image, 0, 1), 0);
}

TEST_F(GraphicsNatives, DrawRgbIntoAnArgb4444TargetStoresNibbles) {
  Image* image = newImage(2, 1, lcdui::mutableImageFlag | raster::argb4444);
  Graphics* graphics = image->getGraphics();
  graphics->drawRGB(intArray({0x80FF4010u, 0xFFFFFFFFu}), 0, 2, 0, 0, 2, 1, false);
  EXPECT_EQ(pixelAt(image, 0, 0), 0x8F41);
  EXPECT_EQ(pixelAt(image, 1, 0), 0xFFFF);
}

TEST_F(GraphicsNatives, DrawRegionLogsItsChecksInOrder) {
  Image* target = mutableImage(8, 8);
  Graphics* graphics = target->getGraphics();
  Image* source = mutableImage(3, 3);
  struct Case {
    const char* name;
    Image* source;
    int32_t xSource, ySource, width, height, transform;
    std::string log;
  };
  const Case cases[] = {
      {"null source", nullptr, 0, 0, 2, 2, 0, checkLines({"drawRegion pSrc"})},
      {"x outside", source, 2, 0, 2, 2, 0, checkLines({"drawRegion x_src"})},
      {"y outside", source, 0, -1, 2, 2, 0, checkLines({"drawRegion y_src"})},
      {"both outside", source, -1, 2, 2, 2, 0, checkLines({"drawRegion x_src", "drawRegion y_src"})},
      {"transform", source, 0, 0, 2, 2, 9, checkLines({"drawRegion transform"})},
      {"fine", source, 1, 1, 2, 2, 7, ""},
  };
  for (const Case& c : cases) {
    wince::LogCapture log;
    graphics->drawRegion(c.source, c.xSource, c.ySource, c.width, c.height, c.transform, 1, 1, 0);
    EXPECT_EQ(log.text(), c.log) << c.name;
  }
}

TEST_F(GraphicsNatives, DrawRegionRot90PutsTheSourceTopLeftAtTheTopRight) {
  Image* target = mutableImage(16, 16);
  Image* source = mutableImage(3, 2);
  Graphics* sourceGraphics = source->getGraphics();
  sourceGraphics->setColor(0xFF0000);
  sourceGraphics->fillRect(0, 0, 1, 1);
  sourceGraphics->setColor(0xFFFFFF);
  sourceGraphics->fillRect(1, 0, 2, 1);
  sourceGraphics->fillRect(0, 1, 3, 1);
  target->getGraphics()->drawRegion(source, 0, 0, 3, 2, raster::transform::TRANS_ROT90, 10, 10, 0);
  // A 2 x 3 block at (10, 10).
  EXPECT_EQ(pixelAt(target, 11, 10), red565);
  for (int32_t y = 10; y < 13; ++y)
    for (int32_t x = 10; x < 12; ++x) {
      if (x == 11 && y == 10) continue;
      EXPECT_EQ(pixelAt(target, x, y), white565) << x << "," << y;
    }
  EXPECT_EQ(countOtherThan(target, 0), 6);
}

TEST_F(GraphicsNatives, DrawImageCentredOnItsAnchor) {
  Image* target = mutableImage(16, 16);
  Image* image = mutableImage(5, 5);
  Graphics* imageGraphics = image->getGraphics();
  imageGraphics->setColor(0xFFFFFF);
  imageGraphics->fillRect(0, 0, 5, 5);
  target->getGraphics()->drawImage(image, 10, 10, raster::anchor::HCENTER | raster::anchor::VCENTER);
  EXPECT_EQ(pixelAt(target, 8, 8), white565);
  EXPECT_EQ(pixelAt(target, 7, 8), 0);
  EXPECT_EQ(pixelAt(target, 12, 12), white565);
  EXPECT_EQ(countOtherThan(target, 0), 25);
}

TEST_F(GraphicsNatives, ATargetWithoutASixteenBitStoreLogsAnEmptyMessageAndDrawsNothing) {
  Image* image = newImage(4, 4, lcdui::mutableImageFlag | 3);
  wince::LogCapture log;
  Graphics* graphics = image->getGraphics();
  graphics->setColor(0xFFFFFF);
  graphics->fillRect(0, 0, 4, 4);
  graphics->drawLine(0, 0, 3, 3);
  EXPECT_EQ(log.text(), checkLines({"", ""}));
}

}  // namespace
