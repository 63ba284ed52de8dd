// The per-draw effects: switching them, translucency and the highlight band.
#include <gtest/gtest.h>

#include "game/toolkit/DrawEffectsStatics.h"
#include "game/toolkit/SharedPixelBuffer.h"
#include "tests/game/toolkit/drawing_fixture.h"

namespace {

using DrawEffects = DrawingFixture;

DrawEffectsStatics& effects() { return toolkitStatics().DrawEffects; }

TEST_F(DrawEffects, EffectsThatNeedTheBackImageStayOffWhileItIsUnavailable) {
  cGame::initDrawEffects();
  cGame::enableEffect(3, false);
  EXPECT_FALSE(cGame::isEffectActive(3));
  EXPECT_TRUE(cGame::effectsPending());
  EXPECT_EQ(effects().pending, 1 << 3);
  cGame::enableEffect(9, false);
  EXPECT_FALSE(cGame::isEffectActive(9));
  cGame::enableEffect(10, false);
  cGame::enableEffect(8, false);
  EXPECT_TRUE(cGame::isEffectActive(10));
  EXPECT_TRUE(cGame::isEffectActive(8));
  EXPECT_EQ(effects().pending, 1 << 3);  // only effects 0..4 are pending

  effects().available = 1;
  cGame::enableEffect(3, false);
  EXPECT_TRUE(cGame::isEffectActive(3));
}

TEST_F(DrawEffects, InitialisingMakesTheBackImageWhenAvailableAndClearsTheState) {
  effects().available = 1;
  cGame::enableEffect(2, false);
  cGame::initDrawEffects();
  EXPECT_EQ(effects().active, 0);
  EXPECT_FALSE(cGame::effectsPending());
  EXPECT_EQ(effects().initialised, 1);
  EXPECT_EQ(effects().screenWidth, screenWidth);
  ASSERT_NE(effects().backImage, nullptr);
  EXPECT_EQ(effects().backImage->getWidth(), screenWidth);
  EXPECT_EQ(effects().backImage->getHeight(), screenHeight);
  EXPECT_NE(effects().backGraphics, nullptr);
  effects().pending2 = 1;
  EXPECT_TRUE(cGame::effectsPending());
}

TEST_F(DrawEffects, ParametersGoBackToTheirDefaultsOnRequest) {
  cGame::initDrawEffects();
  auto* band = static_cast<IntArray*>(effects().parameters->get(8));
  auto* alpha = static_cast<IntArray*>(effects().parameters->get(10));
  const int32_t bandDefaults[] = {-1, 0, 40, 0xFFFFFF, 0, 8};
  for (int32_t i = 0; i < 6; ++i) EXPECT_EQ(band->get(i), bandDefaults[i]) << i;
  EXPECT_EQ(alpha->get(0), -1);
  EXPECT_EQ(alpha->get(1), 255);
  alpha->set(1, 90);
  cGame::enableEffect(10, false);
  EXPECT_EQ(alpha->get(1), 90);
  cGame::enableEffect(10, true);
  EXPECT_EQ(alpha->get(1), 255);
}

TEST_F(DrawEffects, SetAlphaKeysScalesOrReplacesAndKeepsHolesTransparent) {
  struct Case {
    uint32_t pixel;
    int32_t alpha;
    bool keyed, scale;
    uint32_t expected;
  };
  const Case cases[] = {
      {0xFFFF00FF, 200, true, false, 0x00000000},  // the key becomes a hole
      {0xFF123456, 200, true, false, 0xC8123456},
      {0xFF123456, 128, false, true, 0x7F123456},  // 255 * 128 >> 8
      {0x80123456, 128, false, true, 0x40123456},
      {0x00123456, 200, false, false, 0x00123456},  // a hole stays a hole
      {0x00000000, 200, true, false, 0x00000000},
      {0x10123456, 300, false, false, 0xFF123456},  // clamped to 255
      {0xFF123456, -4, false, false, 0x00123456},   // clamped to 0
  };
  for (const Case& c : cases) {
    IntArray* source = intArray({c.pixel});
    IntArray* out = newIntArray(1);
    effects().processed = 0;
    EXPECT_EQ(cGame::setAlpha(source, out, 1, c.alpha, c.keyed, c.scale), out);
    EXPECT_EQ(uint32_t(out->get(0)), c.expected) << std::hex << c.pixel << " alpha " << std::dec << c.alpha;
    EXPECT_EQ(effects().processed, 1);
  }
}

// The overlay alphas of one row of a block of opaque pixels.
std::vector<uint32_t> overlayAlphas(IntArray* overlay, int32_t width) {
  std::vector<uint32_t> alphas;
  for (int32_t x = 0; x < width; ++x) alphas.push_back(uint32_t(overlay->get(x)) >> 24);
  return alphas;
}

TEST_F(DrawEffects, TheHighlightBandFadesFromItsMiddleAndDrawsTheBlockUnderIt) {
  cGame::initDrawEffects();
  auto* band = static_cast<IntArray*>(effects().parameters->get(8));
  band->set(1, 20);  // start 20, width 40: middle at column 40
  const int32_t width = 64, height = 2;
  IntArray* block = newIntArray(width * height);
  for (int32_t i = 0; i < width * height; ++i) block->set(i, int32_t(0xFF00FF00));
  IntArray* overlay = newIntArray(width * height);
  clearScreen(0);
  EXPECT_EQ(cGame::highlightBand(graphics, block, overlay, 10, 10, width, height, 0, false), overlay);
  EXPECT_EQ(pixelAt(10, 10), raster::argbToRgb565(0xFF00FF00));
  EXPECT_EQ(pixelAt(10 + width - 1, 11), raster::argbToRgb565(0xFF00FF00));
  const std::vector<uint32_t> alphas = overlayAlphas(overlay, width);
  EXPECT_EQ(alphas[20], 0u);    // the band's own start is outside it
  EXPECT_EQ(alphas[21], 12u);   // 255 - (19 * 256 - 1) / 20
  EXPECT_EQ(alphas[40], 255u);  // 255 - (0 - 1) / 20
  EXPECT_EQ(alphas[59], 12u);
  EXPECT_EQ(alphas[60], 0u);
  EXPECT_EQ(uint32_t(overlay->get(width + 40)) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(effects().processed, 1);
}

TEST_F(DrawEffects, TheHighlightBandScaledBySourceFollowsTheSourceAlphaAndNeverTurnsOpaqueAtItsEdge) {
  cGame::initDrawEffects();
  auto* band = static_cast<IntArray*>(effects().parameters->get(8));
  band->set(1, 0);
  band->set(2, 41);  // odd: its far column reaches distance 20 = half width
  const int32_t width = 48;
  IntArray* block = newIntArray(width);
  for (int32_t i = 0; i < width; ++i) block->set(i, int32_t(i == 30 ? 0x00FFFFFF : 0x80000000));
  IntArray* overlay = newIntArray(width);
  cGame::highlightBand(graphics, block, overlay, 0, 0, width, 1, 0, true);
  const std::vector<uint32_t> alphas = overlayAlphas(overlay, width);
  EXPECT_EQ(alphas[20], (0x80u * 255u) >> 8);  // the middle: top alpha scaled by 0x80
  EXPECT_EQ(alphas[30], 0u);                   // a hole gets no band
  EXPECT_EQ(alphas[40], 0u);                   // the far edge: 255 - 256, held at 0
}

TEST_F(DrawEffects, ABandNarrowerThanTwoPixelsAddsNothingAndDividesByNothing) {
  cGame::initDrawEffects();
  auto* band = static_cast<IntArray*>(effects().parameters->get(8));
  IntArray* block = newIntArray(8);
  for (int32_t i = 0; i < 8; ++i) block->set(i, int32_t(0xFFFF0000));
  for (int32_t bandWidth : {1, 0, -3}) {
    band->set(2, bandWidth);
    for (bool scale : {false, true}) {
      IntArray* overlay = newIntArray(8);
      clearScreen(0);
      cGame::highlightBand(graphics, block, overlay, 0, 0, 8, 1, 0, scale);
      EXPECT_EQ(takePending(), nothingPending);
      for (uint32_t alpha : overlayAlphas(overlay, 8)) EXPECT_EQ(alpha, 0u) << bandWidth;
      EXPECT_EQ(pixelAt(3, 0), raster::argbToRgb565(0xFFFF0000));  // the block itself is drawn
    }
  }
}

TEST_F(DrawEffects, ApplyingRunsTheActiveEffectOverTheTurnedBlock) {
  cGame::initDrawEffects();
  IntArray* block = intArray({0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004, 0xFF000005, 0xFF000006});
  // No pixel effect: the caller draws the block as it is.
  EXPECT_EQ(cGame::applyDrawEffects(graphics, block, 0, 0, 3, 2, 0, true, false), nullptr);

  cGame::enableEffect(10, true);
  static_cast<IntArray*>(effects().parameters->get(10))->set(1, 128);
  IntArray* out = cGame::applyDrawEffects(graphics, block, 0, 0, 3, 2, 4, false, true);
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(effects().outputWidth, 2);
  EXPECT_EQ(effects().outputHeight, 3);
  EXPECT_EQ(effects().processed, 1);
  // Turned a quarter (4 1 / 5 2 / 6 3), then scaled (mode -1 follows the flag).
  EXPECT_EQ(uint32_t(out->get(0)), 0x7F000004u);
  EXPECT_EQ(uint32_t(out->get(1)), 0x7F000001u);
  EXPECT_EQ(uint32_t(out->get(5)), 0x7F000003u);

  // Mode 1 forces the flag off: the new alpha replaces the old.
  static_cast<IntArray*>(effects().parameters->get(10))->set(0, 1);
  out = cGame::applyDrawEffects(graphics, block, 0, 0, 3, 2, 0, false, true);
  EXPECT_EQ(uint32_t(out->get(0)), 0x80000001u);

  // Effect 11 holds the pixel effects back.
  cGame::enableEffect(11, false);
  EXPECT_EQ(cGame::applyDrawEffects(graphics, block, 0, 0, 3, 2, 0, false, true), nullptr);
}

TEST_F(DrawEffects, GreyHoldsTheBandBack) {
  cGame::initDrawEffects();
  IntArray* block = intArray({0xFF000001, 0xFF000002});
  cGame::enableEffect(8, true);
  EXPECT_NE(cGame::applyDrawEffects(graphics, block, 0, 0, 2, 1, 0, true, false), nullptr);
  cGame::enableEffect(7, false);
  EXPECT_EQ(cGame::applyDrawEffects(graphics, block, 0, 0, 2, 1, 0, true, false), nullptr);
}

TEST_F(DrawEffects, AnImageIsReadIntoPixelsFirst) {
  cGame::initDrawEffects();
  cGame::enableEffect(10, true);
  static_cast<IntArray*>(effects().parameters->get(10))->set(1, 64);
  Image* image = Image::createRGBImage(intArray({0xFFF80000, 0xFF0000F8}), 2, 1, false);
  IntArray* out = cGame::applyDrawEffectsToImage(graphics, image, 0, 0, 2, 1, 0, false, false);
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(uint32_t(out->get(0)), 0x40FF0000u);
  EXPECT_EQ(uint32_t(out->get(1)), 0x400000FFu);
}

}  // namespace
