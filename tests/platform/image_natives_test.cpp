#include <gtest/gtest.h>

#include <vector>

#include "runtime/display/GdiDisplay.h"
#include "runtime/lcdui/raster/DrawRegion.h"
#include "tests/platform/graphics_fixture.h"
#include "tests/runtime/png_test_writer.h"
#include "tests/wince/window_test_window.h"
#include "wince/driver.h"

namespace {

using ImageNatives = GraphicsFixture;

constexpr uint16_t red565 = 0xF800;

std::vector<int32_t> readRgb(Image* image, int32_t x, int32_t y, int32_t width, int32_t height) {
  IntArray* out = newIntArray(width * height);
  image->getRGB(out, 0, width, x, y, width, height);
  return std::vector<int32_t>(out->elements(), out->elements() + out->length());
}

PngFixture greyFixture(const std::vector<uint8_t>& levels) {
  PngFixture fixture;
  fixture.width = uint32_t(levels.size());
  fixture.colourType = PNG_COLOR_TYPE_GRAY;
  fixture.rows = {levels};
  return fixture;
}

PngFixture interlaced(PngFixture fixture) {
  fixture.interlaced = true;
  return fixture;
}

PngFixture paletteFixture(const std::vector<uint8_t>& alphas, const std::vector<uint8_t>& indices) {
  PngFixture fixture;
  fixture.width = uint32_t(indices.size());
  fixture.colourType = PNG_COLOR_TYPE_PALETTE;
  fixture.palette = {{255, 255, 255}, {0, 0, 255}, {0, 255, 0}};
  fixture.paletteAlpha = alphas;
  fixture.rows = {indices};
  return fixture;
}

TEST_F(ImageNatives, InitBufferShapesTheStoreByPixelType) {
  struct Case {
    int32_t width, height, type, extra;
    uint16_t storeClass;
    int32_t pitch, length;
  };
  const Case cases[] = {
      {3, 2, raster::opaqueRgb565, 9, classid::ShortArray, 8, 8},  // one pad pixel a row; extra unused
      {4, 2, raster::keyedRgb565, 0, classid::ShortArray, 8, 8},
      {1, 1, raster::argb4444, 0, classid::ShortArray, 4, 2},
      {3, 2, 3, 5, classid::ByteArray, 3, 12},  // extra + width * height + 1
      {3, 2, 4, 0, classid::ByteArray, 2, 5},   // half a byte a pixel
  };
  for (const Case& c : cases) {
    Image* image = newImage(c.width, c.height, c.type, c.extra);
    ASSERT_NE(image->pixels, nullptr);
    EXPECT_EQ(image->pixels->getClassId(), c.storeClass) << c.type;
    EXPECT_EQ(image->pitch, c.pitch) << c.type;
    EXPECT_EQ(image->pixels->length(), c.length) << c.type;
    EXPECT_EQ(image->m_pixelType, c.type);
    EXPECT_EQ(image->mutableFlag, 0);
  }
}

TEST_F(ImageNatives, MutableImagesOfOtherTypesAreLoggedButMade) {
  wince::LogCapture log;
  Image* plain = newImage(2, 2, lcdui::mutableImageFlag | raster::opaqueRgb565);
  EXPECT_EQ(log.text(), "");
  Image* translucent = newImage(2, 2, lcdui::mutableImageFlag | raster::argb4444);
  EXPECT_EQ(log.text(), checkLines({"imagetype"}));
  EXPECT_EQ(plain->mutableFlag, 1);
  EXPECT_EQ(translucent->mutableFlag, 1);
  EXPECT_EQ(translucent->m_pixelType, raster::argb4444);
}

TEST_F(ImageNatives, SizesBeyondAnArrayGetNoStore) {
  wince::LogCapture log;
  Image* huge = newImage(100000, 100000, raster::opaqueRgb565);
  EXPECT_EQ(huge->pixels, nullptr);
  EXPECT_TRUE(log.contains("image 100000 x 100000: too large for a pixel store\n"));
  log.clear();
  Image* negative = newImage(-3, 2, raster::opaqueRgb565);
  EXPECT_TRUE(log.contains(checkLines({"length of array should be >= 0"})));
  // Drawing into either finds no store and touches nothing.
  huge->mutableFlag = 1;
  Graphics* graphics = huge->getGraphics();
  graphics->setColor(0xFFFFFF);
  log.clear();
  graphics->fillRect(0, 0, 10, 10);
  EXPECT_EQ(log.text(), checkLines({""}));
  EXPECT_EQ(readRgb(negative, 0, 0, 1, 1).size(), 1u);
}

TEST_F(ImageNatives, GetGraphicsOfAnImmutableImageLogsAndStillDraws) {
  Image* image = newImage(2, 2, raster::opaqueRgb565);
  wince::LogCapture log;
  Graphics* graphics = image->getGraphics();
  EXPECT_EQ(log.text(), checkLines({"!mutable"}));
  ASSERT_NE(graphics, nullptr);
  graphics->setColor(0xFF0000);
  graphics->fillRect(0, 0, 2, 2);
  EXPECT_EQ(countOtherThan(image, red565), 0);
}

TEST_F(ImageNatives, OpaquePngDecodesIntoAPaddedRgb565Store) {
  const std::vector<uint32_t> argb = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x808080, 0x000000};
  ByteArray* data = byteArray(writePng(truecolourFixture(3, 2, argb, false)));
  Image* image = Image::createImage(data, 0, data->length());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->width, 3);
  EXPECT_EQ(image->height, 2);
  EXPECT_EQ(image->pitch, 8);
  EXPECT_EQ(image->pixels->length(), 8);
  EXPECT_EQ(image->mutableFlag, 0);
  EXPECT_EQ(image->m_pixelType, raster::opaqueRgb565);
  // Row 1 starts at store element 4.
  EXPECT_EQ(static_cast<ShortArray*>(image->pixels)->get(4), int16_t(0xFFFF));
  EXPECT_EQ(readRgb(image, 0, 1, 3, 1),
            (std::vector<int32_t>{int32_t(0xFFFFFFFF), int32_t(0xFF838183), int32_t(0xFF000000)}));
}

TEST_F(ImageNatives, DecodedImagesDrawByTheirPixelType) {
  struct Case {
    const char* name;
    PngFixture fixture;
    int32_t pixelType;
    std::vector<uint16_t> drawn;  // over a red target
  };
  const Case cases[] = {
      {"opaque", truecolourFixture(2, 1, {0x0000FF, 0xFFFFFF}, false), raster::opaqueRgb565, {0x001F, 0xFFFF}},
      {"exact magenta", truecolourFixture(2, 1, {0xFF00FF, 0x00FF00}, false), raster::keyedRgb565, {red565, 0x07E0}},
      {"interlaced", interlaced(truecolourFixture(2, 1, {0x0000FF, 0xFFFFFF}, false)), raster::opaqueRgb565,
       {0x001F, 0xFFFF}},
      {"grey", greyFixture({0x80, 0xFF}), raster::opaqueRgb565, {0x8410, 0xFFFF}},
      {"palette alpha 0 and 128", paletteFixture({0, 128}, {0, 1, 2}), raster::keyedRgb565, {red565, 0x001F, 0x07E0}},
      // Weight A * 17 and fields 2R/4G/2B: opaque white over red lands as
      // 30/59/29, short of white.
      {"alpha",
       truecolourFixture(2, 1, {0xFFFFFFFF, 0x00FFFFFF}, true),
       raster::argb4444,
       {uint16_t(30 << 11 | 59 << 5 | 29), red565}},
  };
  for (const Case& c : cases) {
    ByteArray* data = byteArray(writePng(c.fixture));
    Image* image = Image::createImage(data, 0, data->length());
    ASSERT_NE(image, nullptr) << c.name;
    EXPECT_EQ(image->m_pixelType, c.pixelType) << c.name;
    Image* target = mutableImage(int32_t(c.drawn.size()) + 2, 3);
    Graphics* graphics = target->getGraphics();
    graphics->setColor(0xFF0000);
    graphics->fillRect(0, 0, target->width, 3);
    graphics->drawImage(image, 1, 1, raster::anchor::TOP | raster::anchor::LEFT);
    for (size_t x = 0; x < c.drawn.size(); ++x)
      EXPECT_EQ(pixelAt(target, int32_t(x) + 1, 1), c.drawn[x]) << c.name << " pixel " << x;
    // Nothing outside the image's place changed.
    int32_t changed = 0;
    for (int32_t y = 0; y < 3; ++y)
      for (int32_t x = 0; x < target->width; ++x)
        changed += (y != 1 || x == 0 || x == target->width - 1) && pixelAt(target, x, y) != red565;
    EXPECT_EQ(changed, 0) << c.name;
  }
}

TEST_F(ImageNatives, AlphaPngReadsBackItsNibbles) {
  ByteArray* data = byteArray(writePng(truecolourFixture(2, 1, {0xFFFFFFFF, 0x80102030}, true)));
  Image* image = Image::createImage(data, 0, data->length());
  EXPECT_EQ(readRgb(image, 0, 0, 2, 1), (std::vector<int32_t>{int32_t(0xFFFFFFFF), int32_t(0x88112233)}));
}

TEST_F(ImageNatives, DamagedPngGivesABlackImageOfItsSize) {
  std::vector<uint8_t> bytes = writePng(truecolourFixture(4, 3, std::vector<uint32_t>(12, 0xFFFFFF), false));
  ASSERT_GT(bytes.size(), 40u);
  bytes.erase(bytes.end() - 20, bytes.end());  // IEND and the end of the image data
  ByteArray* data = byteArray(bytes);
  wince::LogCapture log;
  Image* image = Image::createImage(data, 0, data->length());
  ASSERT_NE(image, nullptr);
  EXPECT_TRUE(log.contains("libpng error"));
  EXPECT_EQ(image->width, 4);
  EXPECT_EQ(image->height, 3);
  EXPECT_EQ(countOtherThan(image, 0), 0);
}

TEST_F(ImageNatives, DataWithoutAPngGivesAnEmptyImage) {
  ByteArray* data = byteArray({1, 2, 3, 4, 5, 6, 7, 8, 9});
  wince::LogCapture log;
  Image* image = Image::createImage(data, 0, data->length());
  ASSERT_NE(image, nullptr);
  EXPECT_TRUE(log.contains("createImage: no PNG header in the data\n"));
  EXPECT_EQ(image->width, 0);
  EXPECT_EQ(image->height, 0);
  log.clear();
  Image::createImage(nullptr, 0, 10);
  EXPECT_TRUE(log.contains(checkLines({"createImage data null"})));
}

TEST_F(ImageNatives, ARangeOutsideTheDataIsLoggedAndCutToIt) {
  std::vector<uint8_t> bytes = {0xAA, 0xBB};
  const std::vector<uint8_t> png = writePng(truecolourFixture(1, 1, {0x0000FF}, false));
  bytes.insert(bytes.end(), png.begin(), png.end());
  ByteArray* data = byteArray(bytes);
  wince::LogCapture log;
  Image* image = Image::createImage(data, 2, data->length());
  EXPECT_EQ(log.text(), checkLines({"createImage offset, length outside data"}));
  EXPECT_EQ(image->width, 1);
  EXPECT_EQ(pixelAt(image, 0, 0), 0x001F);
}

TEST_F(ImageNatives, CreateRgbImageChoosesItsTypeAndReadsBack) {
  struct Case {
    const char* name;
    bool processAlpha;
    std::initializer_list<uint32_t> rgb;
    int32_t pixelType;
    std::vector<uint32_t> readBack;
  };
  const Case cases[] = {
      // The key colour drawn without processAlpha stays an opaque colour.
      {"opaque with key colour", false, {0x00FF00FF, 0xFF0000FF}, raster::opaqueRgb565, {0xFFFF00FF, 0xFF0000FF}},
      {"alpha 0 becomes the key", true, {0x00123456, 0xFF00FF00}, raster::keyedRgb565, {0x00000000, 0xFF00FF00}},
      {"partial alpha", true, {0x80FFFFFF, 0xFF102030}, raster::argb4444, {0x88FFFFFF, 0xFF112233}},
      // Partial alpha over the key colour leaves the key.
      {"partial alpha on magenta only", true, {0x80FF00FF, 0xFFFFFFFF}, raster::keyedRgb565, {0x00000000, 0xFFFFFFFF}},
  };
  for (const Case& c : cases) {
    Image* image = Image::createRGBImage(intArray(c.rgb), 2, 1, c.processAlpha);
    ASSERT_NE(image, nullptr) << c.name;
    EXPECT_EQ(image->mutableFlag, 0) << c.name;
    EXPECT_EQ(image->m_pixelType, c.pixelType) << c.name;
    const std::vector<int32_t> pixels = readRgb(image, 0, 0, 2, 1);
    EXPECT_EQ(std::vector<uint32_t>(pixels.begin(), pixels.end()), c.readBack) << c.name;
  }
}

TEST_F(ImageNatives, CreateRgbImageLogsBadArgumentsAndFillsWhatItHas) {
  wince::LogCapture log;
  Image* empty = Image::createRGBImage(nullptr, 0, 0, false);
  EXPECT_EQ(log.text(), checkLines({"createRGBImage rgbData", "createRGBImage width, height"}));
  ASSERT_NE(empty, nullptr);
  log.clear();
  Image* image = Image::createRGBImage(intArray({0xFFFFFFFF, 0xFFFFFFFF}), 2, 2, false);
  EXPECT_EQ(log.text(), checkLines({"createRGBImage length"}));
  EXPECT_EQ(pixelAt(image, 1, 0), 0xFFFF);
  EXPECT_EQ(pixelAt(image, 0, 1), 0);
  EXPECT_EQ(pixelAt(image, 1, 1), 0);
}

TEST_F(ImageNatives, GetRgbLogsBadArgumentsAndWritesOnlyInsideBoth) {
  Image* image = Image::createRGBImage(intArray({0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}), 2, 2, false);
  struct Case {
    const char* name;
    int32_t arrayLength, offset, scanlength, x, y, width, height;
    std::string log;
    std::vector<int32_t> written;  // indices that become white
  };
  const Case cases[] = {
      {"fine", 4, 0, 2, 0, 0, 2, 2, "", {0, 1, 2, 3}},
      {"short array", 5, 3, 2, 0, 0, 2, 2, checkLines({"getRGB length"}), {3, 4}},
      {"origin outside", 4, 0, 2, -1, 0, 2, 1, checkLines({"getRGB x,y outside"}), {1}},
      {"size outside", 4, 0, 2, 1, 1, 2, 2, checkLines({"getRGB width,height outside"}), {0}},
      {"negative scan", 6, 4, -2, 0, 0, 2, 3, checkLines({"getRGB width,height outside"}), {2, 3, 4, 5}},
  };
  for (const Case& c : cases) {
    IntArray* out = newIntArray(c.arrayLength);
    for (int32_t k = 0; k < c.arrayLength; ++k) out->set(k, 7);
    wince::LogCapture log;
    image->getRGB(out, c.offset, c.scanlength, c.x, c.y, c.width, c.height);
    EXPECT_EQ(log.text(), c.log) << c.name;
    for (int32_t k = 0; k < c.arrayLength; ++k) {
      const bool written = std::find(c.written.begin(), c.written.end(), k) != c.written.end();
      EXPECT_EQ(out->get(k), written ? int32_t(0xFFFFFFFF) : 7) << c.name << " element " << k;
    }
  }
  wince::LogCapture log;
  image->getRGB(nullptr, 0, 2, 0, 0, 2, 2);
  EXPECT_EQ(log.text(), checkLines({"getRGB argb null"}));
}

TEST_F(ImageNatives, EachClassNamesItsOneReferenceField) {
  EXPECT_EQ(referencefields::count<Image>(), 1u);
  EXPECT_EQ(referencefields::count<javax_microedition_lcdui_ScreenImage>(), 1u);
  EXPECT_EQ(referencefields::count<Graphics>(), 1u);
}

// Made out of line so that no stack word of the caller holds the image.
__attribute__((noinline)) Graphics* graphicsOnAFreshImage() {
  Graphics* graphics = GraphicsFixture::newImage(3, 3, lcdui::mutableImageFlag)->getGraphics();
  graphics->setColor(0x00FF00);
  graphics->fillRect(0, 0, 3, 3);
  return graphics;
}

TEST_F(ImageNatives, AGraphicsKeepsItsTargetAndTheTargetItsStoreAlive) {
  Graphics* graphics = graphicsOnAFreshImage();
  collect();
  ASSERT_NE(graphics->target, nullptr);
  EXPECT_EQ(graphics->target->getClassId(), classid::javax_microedition_lcdui_Image);
  EXPECT_EQ(countOtherThan(graphics->target, 0x07E0), 0);
}

TEST_F(ImageNatives, PixelsSurviveACollectionThatMovesTheStores) {
  Image* image = Image::createRGBImage(intArray({0xFF00FF00, 0xFFFF0000}), 2, 1, false);
  for (int k = 0; k < 50; ++k) newIntArray(100);  // garbage before the image's store
  collect();
  EXPECT_EQ(readRgb(image, 0, 0, 2, 1), (std::vector<int32_t>{int32_t(0xFF00FF00), int32_t(0xFFFF0000)}));
}

TEST_F(ImageNatives, ScreenImageDrawsIntoTheBackBufferItWraps) {
  std::vector<uint16_t> backBuffer(800 * 480, 0x1234);
  auto* screen = newObject<javax_microedition_lcdui_ScreenImage>();
  screen->wrapScreenBuffer(800, 480, backBuffer.data());
  EXPECT_EQ(screen->width, 800);
  EXPECT_EQ(screen->height, 480);
  EXPECT_EQ(screen->pitch, 1600);
  EXPECT_EQ(screen->mutableFlag, 1);
  EXPECT_EQ(screen->m_pixelType, raster::opaqueRgb565);
  wince::LogCapture log;
  Graphics* graphics = screen->getGraphics();
  graphics->setColor(0xFFFFFF);
  graphics->fillRect(799, 479, 5, 5);
  graphics->setColor(0xFF0000);
  graphics->drawLine(0, 0, 1, 0);
  EXPECT_EQ(log.text(), "");
  EXPECT_EQ(backBuffer[800 * 480 - 1], 0xFFFF);
  EXPECT_EQ(backBuffer[0], red565);
  EXPECT_EQ(backBuffer[1], red565);
  EXPECT_EQ(backBuffer[2], 0x1234);
  // Once unreachable the wrapper goes and the buffer stays (ASan would see
  // a free of it).
  screen = nullptr;
  graphics = nullptr;
  collect();
  EXPECT_EQ(backBuffer[0], red565);
}

TEST_F(ImageNatives, ScreenImageOverTheDisplayBackBufferIsWhatGetsPresented) {
  TestWindow window;
  GdiDisplay display(800, 480, 800, 480);
  ASSERT_EQ(display.open(window.handle), 1);
  auto* screen = newObject<javax_microedition_lcdui_ScreenImage>();
  screen->wrapScreenBuffer(displayBufferWidth, displayBufferHeight, display.getBufferPixels());
  Graphics* graphics = newObject<Graphics>(screen);
  graphics->resetForPaint();
  graphics->fillRect(0, 0, 800, 480);
  graphics->setColor(0xFF0000);
  graphics->fillRect(10, 20, 1, 1);
  const std::vector<uint16_t> backBuffer = wince::driver::backBuffer();
  ASSERT_EQ(backBuffer.size(), size_t(800 * 480));
  EXPECT_EQ(backBuffer[20 * 800 + 10], red565);
  EXPECT_EQ(backBuffer[20 * 800 + 11], 0xFFFF);
  ASSERT_EQ(display.flush(), 1);
  EXPECT_EQ(wince::driver::presentedFrame()[20 * 800 + 10], red565);
  display.close();
}

TEST_F(ImageNatives, ScreenImageOfANegativeSizeLogsAndHasNoStore) {
  std::vector<uint16_t> backBuffer(16);
  auto* screen = newObject<javax_microedition_lcdui_ScreenImage>();
  wince::LogCapture log;
  screen->wrapScreenBuffer(-4, 2, backBuffer.data());
  EXPECT_EQ(log.text(), checkLines({"length of array should be >= 0"}));
  EXPECT_EQ(screen->pixels, nullptr);
  EXPECT_EQ(screen->mutableFlag, 1);
}

}  // namespace
