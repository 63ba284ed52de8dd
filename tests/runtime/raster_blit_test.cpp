// Golden cases of drawRegion/drawImage, drawRGB and the Image conversions.
#include <gtest/gtest.h>

#include <vector>

#include "runtime/lcdui/raster/DrawRegion.h"
#include "runtime/lcdui/raster/DrawRgb.h"
#include "runtime/lcdui/raster/GraphicsState.h"
#include "runtime/lcdui/raster/ImageConversions.h"
#include "tests/runtime/raster_test_surface.h"

using namespace raster;

namespace {

// A 3x2 source whose pixels are 1..6 row by row:
//   1 2 3
//   4 5 6
GuardedSurface asymmetricSource() {
  GuardedSurface source(3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) source.at(x, y) = uint16_t(1 + x + 3 * y);
  return source;
}

std::vector<std::vector<uint16_t>> block(const GuardedSurface& canvas, int x, int y, int width, int height) {
  std::vector<std::vector<uint16_t>> rows(height, std::vector<uint16_t>(width));
  for (int row = 0; row < height; ++row)
    for (int column = 0; column < width; ++column) rows[row][column] = canvas.at(x + column, y + row);
  return rows;
}

}  // namespace

TEST(RasterDrawRegion, EachTransformPlacesTheSourceAsItsNameSays) {
  using Rows = std::vector<std::vector<uint16_t>>;
  const Rows expected[8] = {
      {{1, 2, 3}, {4, 5, 6}},    // NONE
      {{4, 5, 6}, {1, 2, 3}},    // MIRROR_ROT180
      {{3, 2, 1}, {6, 5, 4}},    // MIRROR
      {{6, 5, 4}, {3, 2, 1}},    // ROT180
      {{1, 4}, {2, 5}, {3, 6}},  // MIRROR_ROT270
      {{4, 1}, {5, 2}, {6, 3}},  // ROT90: the top-right pixel is the source's top-left
      {{3, 6}, {2, 5}, {1, 4}},  // ROT270
      {{6, 3}, {5, 2}, {4, 1}},  // MIRROR_ROT90
  };
  const GuardedSurface source = asymmetricSource();
  for (int32_t t = 0; t < 8; ++t) {
    GuardedSurface canvas(16, 16);
    const GraphicsState state = makeGraphicsState(canvas.surface);
    EXPECT_EQ(drawRegion(canvas.surface, state, &source.surface, 0, 0, 3, 2, t, 10, 10, 0), 0u);
    const int width = t < 4 ? 3 : 2, height = t < 4 ? 2 : 3;
    EXPECT_EQ(block(canvas, 10, 10, width, height), expected[t]) << "transform " << t;
    int drawn = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) drawn += canvas.at(x, y) != 0;
    EXPECT_EQ(drawn, 6);
    EXPECT_TRUE(canvas.guardsIntact());
  }
}

TEST(RasterDrawRegion, ClippingMovesTheSourceOriginByTheTransform) {
  // The clip leaves only the drawn rectangle's right column: which source
  // pixels land there depends on the transform.
  const uint16_t expectedRightColumn[8][3] = {{3, 6, 0}, {6, 3, 0}, {1, 4, 0}, {4, 1, 0},
                                              {4, 5, 6}, {1, 2, 3}, {6, 5, 4}, {3, 2, 1}};
  const GuardedSurface source = asymmetricSource();
  for (int32_t t = 0; t < 8; ++t) {
    GuardedSurface canvas(16, 16);
    GraphicsState state = makeGraphicsState(canvas.surface);
    const int width = t < 4 ? 3 : 2, height = t < 4 ? 2 : 3;
    setClip(state, canvas.surface, 10 + width - 1, 0, 1, 16);
    drawRegion(canvas.surface, state, &source.surface, 0, 0, 3, 2, t, 10, 10, 0);
    for (int row = 0; row < height; ++row)
      EXPECT_EQ(canvas.at(10 + width - 1, 10 + row), expectedRightColumn[t][row]) << "transform " << t << " row " << row;
    EXPECT_EQ(canvas.at(10 + width - 2, 10), 0);
  }
}

TEST(RasterDrawRegion, AnchorsMoveByTheDrawnSize) {
  struct Case {
    int32_t anchor, transform;
    int x, y;
  };
  const Case cases[] = {
      {anchor::HCENTER | anchor::VCENTER, 0, 8, 8},  // 5x5 at (10, 10)
      {anchor::RIGHT | anchor::BOTTOM, 0, 5, 5},
      {anchor::LEFT | anchor::TOP, 0, 10, 10},
      {anchor::HCENTER | anchor::RIGHT, 0, 8, 10},  // HCENTER wins
      {anchor::RIGHT | anchor::BOTTOM, 5, 7, 5},    // 3 wide, 5 high once turned
  };
  for (const Case& c : cases) {
    const GuardedSurface source(5, c.transform == 0 ? 5 : 3, opaqueRgb565, 0x1111);
    GuardedSurface canvas(20, 20);
    const GraphicsState state = makeGraphicsState(canvas.surface);
    if (c.transform == 0)
      drawImage(canvas.surface, state, &source.surface, 10, 10, c.anchor);
    else
      drawRegion(canvas.surface, state, &source.surface, 0, 0, 5, 3, c.transform, 10, 10, c.anchor);
    EXPECT_EQ(canvas.at(c.x, c.y), 0x1111) << c.anchor;
    EXPECT_EQ(canvas.at(c.x - 1, c.y), 0) << c.anchor;
    EXPECT_EQ(canvas.at(c.x, c.y - 1), 0) << c.anchor;
  }
}

TEST(RasterDrawRegion, PixelTypesCopyKeyOrBlend) {
  GuardedSurface keyed(2, 1, keyedRgb565);
  keyed.at(0, 0) = transparentKey;
  keyed.at(1, 0) = 0x1234;
  GuardedSurface alpha(3, 1, argb4444);
  alpha.at(0, 0) = 0xFFFF;  // opaque white
  alpha.at(1, 0) = 0x0FFF;  // transparent
  alpha.at(2, 0) = 0x8F00;  // half red
  GuardedSurface opaque(1, 1, opaqueRgb565);
  opaque.at(0, 0) = transparentKey;  // only keyed images treat it as a hole

  GuardedSurface canvas(4, 3, opaqueRgb565, 0x0000);
  const GraphicsState state = makeGraphicsState(canvas.surface);
  drawImage(canvas.surface, state, &keyed.surface, 0, 0, 0);
  drawImage(canvas.surface, state, &alpha.surface, 0, 1, 0);
  drawImage(canvas.surface, state, &opaque.surface, 0, 2, 0);
  EXPECT_EQ(canvas.at(0, 0), 0x0000);
  EXPECT_EQ(canvas.at(1, 0), 0x1234);
  EXPECT_EQ(canvas.at(0, 1), (29 << 11) | (59 << 5) | 29);
  EXPECT_EQ(canvas.at(1, 1), 0x0000);
  EXPECT_EQ(canvas.at(2, 1), (30 * 136 >> 8) << 11);
  EXPECT_EQ(canvas.at(0, 2), transparentKey);
  EXPECT_TRUE(canvas.guardsIntact());
}

TEST(RasterDrawRegion, BadArgumentsAreReportedAndNeverReachOutsideAStore) {
  struct Case {
    const char* name;
    bool nullSource;
    int32_t pixelType, xSource, ySource, width, height, transform;
    uint32_t checks;
    int drawnPixels;
  };
  const Case cases[] = {
      {"inside", false, 0, 0, 0, 3, 2, 0, 0, 6},
      {"null", true, 0, 0, 0, 3, 2, 0, regioncheck::nullSource, 0},
      {"left of source", false, 0, -2, 0, 3, 2, 0, regioncheck::sourceX, 2},
      {"right of source", false, 0, 2, 0, 3, 2, 0, regioncheck::sourceX, 2},
      {"below source", false, 0, 0, 1, 3, 2, 0, regioncheck::sourceY, 3},
      {"both, turned", false, 0, -1, -1, 3, 2, 5, regioncheck::sourceX | regioncheck::sourceY, 2},
      {"far away", false, 0, 0x7FFFFFF0, INT32_MIN, 3, 2, 3, regioncheck::sourceX | regioncheck::sourceY, 0},
      {"huge", false, 0, 0, 0, INT32_MAX, INT32_MAX, 4, regioncheck::sourceX | regioncheck::sourceY, 6},
      {"transform 8", false, 0, 0, 0, 3, 2, 8, regioncheck::badTransform, 0},
      {"transform -1", false, 0, 0, 0, 3, 2, -1, regioncheck::badTransform, 0},
      {"pixel type 3", false, 3, 0, 0, 3, 2, 0, regioncheck::badPixelType, 0},
  };
  for (const Case& c : cases) {
    GuardedSurface source = asymmetricSource();
    source.surface.pixelType = c.pixelType;
    GuardedSurface canvas(16, 16);
    const GraphicsState state = makeGraphicsState(canvas.surface);
    EXPECT_EQ(drawRegion(canvas.surface, state, c.nullSource ? nullptr : &source.surface, c.xSource, c.ySource,
                         c.width, c.height, c.transform, 4, 4, 0),
              c.checks)
        << c.name;
    int drawn = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) drawn += canvas.at(x, y) != 0;
    EXPECT_EQ(drawn, c.drawnPixels) << c.name;
    EXPECT_TRUE(canvas.guardsIntact()) << c.name;
  }
}

TEST(RasterDrawRegion, NothingIsCheckedWhenTheClipLeavesNothing) {
  GuardedSurface canvas(8, 8);
  const GraphicsState state = makeGraphicsState(canvas.surface);
  EXPECT_EQ(drawRegion(canvas.surface, state, nullptr, -5, -5, 3, 2, 0, 100, 100, 0), 0u);
}

TEST(RasterDrawRegion, AnImageDrawnIntoItselfReadsWhatEarlierStepsWrote) {
  GuardedSurface canvas(6, 1);
  for (int x = 0; x < 6; ++x) canvas.at(x, 0) = uint16_t(x + 1);
  const GraphicsState state = makeGraphicsState(canvas.surface);
  // A walk from the left copies pixel 0 forward along the whole run.
  drawRegion(canvas.surface, state, &canvas.surface, 0, 0, 5, 1, 0, 1, 0, 0);
  for (int x = 0; x < 6; ++x) EXPECT_EQ(canvas.at(x, 0), 1) << x;
}

TEST(RasterDrawRgb, WritesByTargetTypeAndAlpha) {
  struct Case {
    int32_t targetType;
    bool processAlpha;
    uint32_t element;
    uint16_t before, after;
  };
  const Case cases[] = {
      {opaqueRgb565, false, 0x00FF0000, 0x1234, 0xF800},
      {opaqueRgb565, true, 0xFFFFFFFF, 0x0000, 0xFFFF},
      {opaqueRgb565, true, 0x00FFFFFF, 0x1234, 0x1234},
      {opaqueRgb565, true, 0x80FFFFFF, 0x0000, (15 << 11) | (31 << 5) | 15},
      {opaqueRgb565, true, 0x01FFFFFF, 0x0000, 0x0000},
      {argb4444, true, 0x80FF4020, 0x0000, 0x8F42},
      {argb4444, false, 0x00000000, 0x1234, 0x0000},
  };
  for (const Case& c : cases) {
    GuardedSurface canvas(2, 2, c.targetType, c.before);
    const GraphicsState state = makeGraphicsState(canvas.surface);
    const int32_t data[] = {int32_t(c.element)};
    EXPECT_EQ(drawRGB(canvas.surface, state, data, 1, 0, 1, 1, 1, 1, 1, c.processAlpha), 0u);
    EXPECT_EQ(canvas.at(1, 1), c.after) << std::hex << c.element;
    EXPECT_EQ(canvas.at(0, 0), c.before);
  }
}

TEST(RasterDrawRgb, ClipPicksTheFirstElementAndStaysInsideTheArray) {
  GuardedSurface canvas(4, 4);
  GraphicsState state = makeGraphicsState(canvas.surface);
  setColor(state, 0);
  setClip(state, canvas.surface, 1, 1, 3, 3);
  std::vector<int32_t> data(16);
  for (int k = 0; k < 16; ++k) data[k] = int32_t(0xFF000000u | uint32_t(k) << 3);  // blue = k
  EXPECT_EQ(drawRGB(canvas.surface, state, data.data(), data.size(), 0, 4, 0, 0, 4, 4, false), 0u);
  EXPECT_EQ(canvas.at(0, 0), 0);
  EXPECT_EQ(canvas.at(1, 1), 5);
  EXPECT_EQ(canvas.at(3, 3), 15);

  struct Case {
    const char* name;
    int32_t offset, scanLength;
    uint32_t checks;
    int drawn;
  };
  const Case cases[] = {
      {"negative scan", 8, -4, 0, 9},
      {"negative scan past the start", 4, -4, rgbcheck::sourceOutside, 6},
      {"offset past the end", 10, 4, rgbcheck::sourceOutside, 2},
      {"negative offset", -6, 4, rgbcheck::sourceOutside, 4},
      {"far scan", 0, INT32_MIN, rgbcheck::sourceOutside, 3},
      {"far offset", INT32_MAX, INT32_MAX, rgbcheck::sourceOutside, 0},
  };
  for (const Case& c : cases) {
    GuardedSurface canvas(4, 4);
    const GraphicsState state = makeGraphicsState(canvas.surface);
    std::vector<int32_t> ones(12, -1);
    EXPECT_EQ(drawRGB(canvas.surface, state, ones.data(), ones.size(), c.offset, c.scanLength, 1, 1, 3, 3, false),
              c.checks)
        << c.name;
    int drawn = 0;
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) drawn += canvas.at(x, y) != 0;
    EXPECT_EQ(drawn, c.drawn) << c.name;
    EXPECT_TRUE(canvas.guardsIntact());
  }
  EXPECT_EQ(drawRGB(canvas.surface, state, nullptr, 0, 0, 4, 0, 0, 4, 4, false), rgbcheck::nullData);
}

TEST(RasterImage, KeyScanIncludesPadPixels) {
  std::vector<uint16_t> store(8, 0x1234);
  EXPECT_EQ(keyScanPixelType(store.data(), store.size()), opaqueRgb565);
  store[7] = transparentKey;
  EXPECT_EQ(keyScanPixelType(store.data(), store.size()), keyedRgb565);
  EXPECT_EQ(pixelStorePitch(3), 8);
  EXPECT_EQ(pixelStorePitch(4), 8);
  EXPECT_EQ(pixelStorePitch(0), 0);
}

TEST(RasterImage, GetRgbExpandsEachPixelType) {
  std::vector<uint16_t> store(8);  // 3x2 with one pad pixel a row
  Surface image{store.data(), 3, 2, int32_t(pixelStorePitch(3)), opaqueRgb565};
  store[4] = 0xFFFF;
  store[5] = transparentKey;
  store[6] = 0x0841;
  std::vector<int32_t> argb(3, 7);
  EXPECT_EQ(getRGB(image, argb.data(), argb.size(), 0, 3, 0, 1, 3, 1), 0u);
  EXPECT_EQ(uint32_t(argb[0]), 0xFFFFFFFFu);
  EXPECT_EQ(uint32_t(argb[1]), 0xFFFF00FFu);
  EXPECT_EQ(uint32_t(argb[2]), 0xFF080808u);  // 1 * 255 / 31 = 8, 2 * 255 / 63 = 8

  image.pixelType = keyedRgb565;
  getRGB(image, argb.data(), argb.size(), 0, 3, 0, 1, 3, 1);
  EXPECT_EQ(argb[1], 0);
  image.pixelType = argb4444;
  store[4] = 0xF8C1;
  getRGB(image, argb.data(), argb.size(), 0, 3, 0, 1, 1, 1);
  EXPECT_EQ(uint32_t(argb[0]), 0xFF88CC11u);
  image.pixelType = 3;
  EXPECT_EQ(getRGB(image, argb.data(), argb.size(), 0, 3, 0, 1, 1, 1), getrgbcheck::badPixelType);
}

TEST(RasterImage, GetRgbWithBadArgumentsTouchesOnlyWhatExists) {
  std::vector<uint16_t> store(8, 0xFFFF);
  const Surface image{store.data(), 3, 2, 8, opaqueRgb565};
  struct Case {
    const char* name;
    int32_t offset, scanLength, x, y, width, height;
    uint32_t checks;
    int written;
  };
  const Case cases[] = {
      {"all", 0, 3, 0, 0, 3, 2, 0, 6},
      {"short array", 2, 3, 0, 0, 3, 2, getrgbcheck::shortData, 4},
      {"left and above", 0, 3, -1, -1, 3, 2, getrgbcheck::originOutside, 2},
      {"past the image", 0, 3, 1, 1, 3, 2, getrgbcheck::sizeOutside, 2},
      {"negative offset", -3, 3, 0, 0, 3, 2, 0, 3},
      {"far scan", 0, INT32_MAX, 0, 0, 3, 2, getrgbcheck::shortData, 3},
  };
  for (const Case& c : cases) {
    std::vector<int32_t> argb(6, 0);
    EXPECT_EQ(getRGB(image, argb.data(), argb.size(), c.offset, c.scanLength, c.x, c.y, c.width, c.height), c.checks)
        << c.name;
    int written = 0;
    for (int32_t value : argb) written += value != 0;
    EXPECT_EQ(written, c.written) << c.name;
  }
  EXPECT_EQ(getRGB(image, nullptr, 0, 0, 3, 0, 0, 3, 2), getrgbcheck::nullData);
}

TEST(RasterImage, RgbImageTypeFollowsTheAlphaItNeeds) {
  const int32_t key = int32_t(0x00FF00FF), half = int32_t(0x80FFFFFF), opaque = int32_t(0xFF102030);
  const int32_t halfMagenta = int32_t(0x80FF00FF), clear = 0x00123456;
  struct Case {
    const char* name;
    std::vector<int32_t> rgb;
    bool processAlpha;
    bool needsAlpha;
    int32_t finalType;
  };
  const Case cases[] = {
      {"opaque", {opaque, opaque}, true, false, opaqueRgb565},
      {"holes", {opaque, clear}, true, false, keyedRgb565},
      {"half", {opaque, half}, true, true, argb4444},
      {"half magenta is no alpha, and lands as the key", {halfMagenta, opaque}, true, false, keyedRgb565},
      {"without processAlpha", {opaque, half}, false, false, opaqueRgb565},
      {"magenta without processAlpha stays type 0", {int32_t(0xFFFF00FF), key}, false, false, opaqueRgb565},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(rgbImageNeedsAlpha(c.rgb.data(), c.rgb.size(), c.processAlpha), c.needsAlpha) << c.name;
    std::vector<uint16_t> store(4);
    Surface image{store.data(), 2, 1, 4, c.needsAlpha ? argb4444 : opaqueRgb565};
    EXPECT_EQ(fillRgbImage(image, c.rgb.data(), c.rgb.size(), c.processAlpha), c.finalType) << c.name;
    EXPECT_EQ(image.pixelType, c.finalType);
  }
  std::vector<uint16_t> store(4);
  Surface image{store.data(), 2, 1, 4, opaqueRgb565};
  const int32_t holes[] = {opaque, clear};
  fillRgbImage(image, holes, 2, true);
  EXPECT_EQ(store[0], argbToRgb565(uint32_t(opaque)));
  EXPECT_EQ(store[1], transparentKey);

  EXPECT_EQ(checkRgbImageArguments(nullptr, 0, 0, 1), rgbimagecheck::nullData | rgbimagecheck::badSize);
  const int32_t two[2] = {};
  EXPECT_EQ(checkRgbImageArguments(two, 2, 2, 2), rgbimagecheck::shortData);
  EXPECT_EQ(checkRgbImageArguments(two, 2, 65536, 65536), rgbimagecheck::shortData);
  EXPECT_EQ(checkRgbImageArguments(two, 2, 2, 1), 0u);
  // A short array leaves the missing pixels as they were.
  std::vector<uint16_t> shortStore(4, 0);
  Surface shortImage{shortStore.data(), 2, 2, 4, opaqueRgb565};
  const int32_t three[] = {-1, -1, -1};
  fillRgbImage(shortImage, three, 3, false);
  EXPECT_EQ(shortStore, (std::vector<uint16_t>{0xFFFF, 0xFFFF, 0xFFFF, 0}));
}
