// The sprite flags' flips and quarter turn on a block of pixels, by table
// and against the runtime's own drawRegion.
#include <gtest/gtest.h>

#include <vector>

#include "game/toolkit/SharedPixelBuffer.h"
#include "game/toolkit/TransformRGB.h"
#include "tests/game/toolkit/drawing_fixture.h"
#include "wince/log.h"

namespace {

using TransformRgb = DrawingFixture;

// The 3 x 2 block 0 1 2 / 3 4 5, per flags: the output's width and its
// rows. Bit 2 turns after the flips.
struct Case {
  int32_t flags, width, height;
  std::vector<int32_t> expected;
};
const Case cases[] = {
    {0, 3, 2, {0, 1, 2, 3, 4, 5}}, {1, 3, 2, {2, 1, 0, 5, 4, 3}}, {2, 3, 2, {3, 4, 5, 0, 1, 2}},
    {3, 3, 2, {5, 4, 3, 2, 1, 0}}, {4, 2, 3, {3, 0, 4, 1, 5, 2}}, {5, 2, 3, {5, 2, 4, 1, 3, 0}},
    {6, 2, 3, {0, 3, 1, 4, 2, 5}}, {7, 2, 3, {2, 5, 1, 4, 0, 3}},
};

TEST(TransformPixels, EachFlagCombinationOfASmallBlock) {
  const int32_t source[] = {0, 1, 2, 3, 4, 5};
  for (const Case& c : cases) {
    std::vector<int32_t> out(6, -1);
    transformPixels(source, out.data(), c.width, c.height, c.flags);
    EXPECT_EQ(out, c.expected) << "flags " << c.flags;
  }
}

TEST_F(TransformRgb, DrawsAsDrawRegionDrawsWithTheFlagsTransform) {
  // ASprite's transform table: flags to the drawRegion transform.
  const int32_t transformOf[8] = {0, 2, 1, 3, 5, 7, 4, 6};
  // Six colours exact in RGB565.
  const uint32_t colours[6] = {0xFFF80000, 0xFF00FC00, 0xFF0000F8, 0xFFF8FC00, 0xFF00FCF8, 0xFFF800F8};
  IntArray* pixels = newIntArray(6);
  for (int32_t i = 0; i < 6; ++i) pixels->set(i, int32_t(colours[i]));
  Image* image = Image::createRGBImage(pixels, 3, 2, false);
  for (int32_t flags = 0; flags < 8; ++flags) {
    const bool turned = (flags & 4) != 0;
    const int32_t width = turned ? 2 : 3, height = turned ? 3 : 2;
    clearScreen(0);
    graphics->drawRegion(image, 0, 0, 3, 2, transformOf[flags], 0, 0, 0);
    graphics->drawRGB(transformRGB(pixels, width, height, flags), 0, width, 10, 0, width, height, false);
    for (int32_t y = 0; y < height; ++y)
      for (int32_t x = 0; x < width; ++x) EXPECT_EQ(pixelAt(10 + x, y), pixelAt(x, y)) << "flags " << flags;
  }
}

TEST_F(TransformRgb, ChoosesItsOutputBlock) {
  IntArray* source = intArray({0, 1, 2, 3, 4, 5});
  EXPECT_EQ(transformRGB(source, 3, 2, 0), source);
  EXPECT_EQ(transformRGB(source, 3, 2, 8), source);  // only the low three bits turn
  EXPECT_EQ(transformRGB(source, 3, 2, 1), sharedPixelBuffer());

  // From the shared buffer itself: a fresh block of exactly w x h.
  IntArray* buffer = sharedPixelBuffer();
  for (int32_t i = 0; i < 6; ++i) buffer->set(i, i);
  IntArray* fresh = transformRGB(buffer, 3, 2, 3);
  ASSERT_NE(fresh, buffer);
  EXPECT_EQ(fresh->length(), 6);
  EXPECT_EQ(fresh->get(0), 5);

  // Larger than the shared buffer: a fresh block too, nothing written past.
  IntArray* large = newIntArray(200 * 120);
  large->set(0, 42);
  IntArray* turned = transformRGB(large, 200, 120, 2);
  ASSERT_NE(turned, buffer);
  EXPECT_EQ(turned->length(), 200 * 120);
  EXPECT_EQ(turned->get(119 * 200), 42);
}

TEST_F(TransformRgb, ASourceShorterThanTheBlockIsRefused) {
  IntArray* source = intArray({1, 2, 3});
  wince::LogCapture log;
  EXPECT_EQ(transformRGB(source, 3, 2, 1), nullptr);
  EXPECT_EQ(transformRGB(nullptr, 3, 2, 1), nullptr);
  EXPECT_EQ(transformRGB(source, -1, 2, 1), nullptr);
  EXPECT_TRUE(log.contains("transformRGB"));
}

}  // namespace
