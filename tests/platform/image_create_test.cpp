// The managed createImage overloads: blank mutable images, regions, streams
// and resources of the archive.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "runtime/exceptions/ThrowNew.h"
#include "runtime/io/java_io_ByteArrayInputStream.h"
#include "runtime/lang/String.h"
#include "runtime/lcdui/raster/DrawRegion.h"
#include "tests/platform/graphics_fixture.h"
#include "tests/runtime/archive_test_support.h"
#include "tests/runtime/png_test_writer.h"
#include "tests/runtime/stream_test_support.h"
#include "tests/support/MappedFileSystem.h"
#include "wince/file_io.h"
#include "wince/log.h"
#include "wince/path_mapping.h"

namespace {

namespace fs = std::filesystem;

// A picture whose pixels do not repeat, so that its PNG spans several
// 512-byte reads.
std::vector<uint32_t> noisyPixels(uint32_t width, uint32_t height) {
  std::vector<uint32_t> pixels;
  uint32_t state = 12345;
  for (uint32_t i = 0; i < width * height; ++i) {
    state = state * 1103515245u + 12345u;
    pixels.push_back(0xFF000000u | (state >> 8));
  }
  return pixels;
}

uint16_t rgb565(uint32_t argb) { return raster::argbToRgb565(argb); }

// An input stream that has data but fails when read.
class FailingStream : public java_io_InputStream {
 public:
  using Super = java_io_InputStream;
  static constexpr uint16_t classId = classid::java_io_InputStream;
  int32_t available() override { return 100; }
  int32_t read(ByteArray*) override {
    throwNew<java_io_IOException>(nullptr);
    return -1;
  }
  int32_t read(ByteArray*, int32_t, int32_t) override {
    throwNew<java_io_IOException>(nullptr);
    return -1;
  }
  void close() override {}
  void finalize() override { Object::finalize(); }
};

class ImageCreate : public GraphicsFixture {
 protected:
  void installArchive(const std::vector<std::pair<std::string, std::string>>& entries) {
    const std::vector<uint8_t> bytes = archivetest::archiveOf(entries);
    std::ofstream(m_folders.installed / "data.bar", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }
  static std::string asText(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

  testsupport::MappedFileSystem m_folders{"image-create"};
};

TEST_F(ImageCreate, BlankImagesAreMutableAndBlack) {
  Image* image = Image::createImage(10, 7);
  ASSERT_NE(image, nullptr);
  EXPECT_TRUE(image->isMutable());
  EXPECT_EQ(image->getWidth(), 10);
  EXPECT_EQ(image->getHeight(), 7);
  EXPECT_EQ(image->m_pixelType, raster::opaqueRgb565);
  EXPECT_EQ(countOtherThan(image, 0x0000), 0);
  wince::LogCapture log;
  Graphics* graphics = image->getGraphics();
  EXPECT_EQ(log.text(), "") << "a mutable image gives its Graphics without a word";
  graphics->setColor(0x00FF00);
  graphics->fillRect(9, 6, 1, 1);
  EXPECT_EQ(pixelAt(image, 9, 6), 0x07E0);

  ByteArray* png = byteArray(writePng(truecolourFixture(1, 1, {0xFF0000FF}, false)));
  Image* decoded = Image::createImage(png, 0, png->length());
  ASSERT_NE(decoded, nullptr);
  EXPECT_FALSE(decoded->isMutable());

  // The constructor with a type: immutable, the store of that type.
  Image* typed = newObject<Image>(3, 2, raster::argb4444, 0);
  EXPECT_FALSE(typed->isMutable());
  EXPECT_EQ(typed->m_pixelType, raster::argb4444);
  EXPECT_EQ(typed->pitch, 8);
}

TEST_F(ImageCreate, BlankImagesOfSizesWithoutPixelsAreSafeToDrawInto) {
  struct Size {
    int32_t width, height;
  };
  const Size sizes[] = {{0, 0}, {0, 5}, {-1, 5}, {5, -1}, {INT32_MAX, INT32_MAX}, {INT32_MIN, 2}};
  for (const Size& size : sizes) {
    SCOPED_TRACE(testing::Message() << size.width << " x " << size.height);
    wince::LogCapture log;
    Image* image = Image::createImage(size.width, size.height);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(takePending(), nothingPending);
    Graphics* graphics = image->getGraphics();
    graphics->setColor(0xFF0000);
    graphics->fillRect(0, 0, 10, 10);
    graphics->drawString(newObject<String>("text"), 0, 0, 20);
    IntArray* out = newIntArray(4);
    image->getRGB(out, 0, 2, 0, 0, 2, 2);
  }
}

TEST_F(ImageCreate, RegionsAreCopiedUnderTheirTransform) {
  // 3 x 2 source: A B C / D E F.
  const std::vector<uint32_t> colours = {0xFF100000, 0xFF200000, 0xFF300000, 0xFF400000, 0xFF500000, 0xFF600000};
  Image* source = Image::createRGBImage(
      intArray({colours[0], colours[1], colours[2], colours[3], colours[4], colours[5]}), 3, 2, false);
  Image* same = Image::createImage(source, 1, 0, 2, 2, raster::transform::TRANS_NONE);
  ASSERT_EQ(same->getWidth(), 2);
  ASSERT_EQ(same->getHeight(), 2);
  EXPECT_TRUE(same->isMutable());
  EXPECT_EQ(pixelAt(same, 0, 0), rgb565(colours[1]));
  EXPECT_EQ(pixelAt(same, 1, 1), rgb565(colours[5]));

  Image* turned = Image::createImage(source, 0, 0, 3, 2, raster::transform::TRANS_ROT90);
  ASSERT_EQ(turned->getWidth(), 2);
  ASSERT_EQ(turned->getHeight(), 3);
  EXPECT_EQ(pixelAt(turned, 1, 0), rgb565(colours[0])) << "the top-right pixel is the source's top-left";
  EXPECT_EQ(pixelAt(turned, 0, 0), rgb565(colours[3]));
  EXPECT_EQ(pixelAt(turned, 0, 2), rgb565(colours[5]));
}

TEST_F(ImageCreate, StreamsAreReadToTheEndOfTheirData) {
  const std::vector<uint32_t> pixels = noisyPixels(40, 30);
  const std::vector<uint8_t> png = writePng(truecolourFixture(40, 30, pixels, false));
  ASSERT_GT(png.size(), 1024u);
  auto* stream = newObject<java_io_ByteArrayInputStream>(byteArray(png));
  Image* image = Image::createImage(stream);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(takePending(), nothingPending);
  ASSERT_EQ(image->getWidth(), 40);
  ASSERT_EQ(image->getHeight(), 30);
  EXPECT_EQ(pixelAt(image, 39, 29), rgb565(pixels.back()));
  EXPECT_EQ(stream->available(), 0);

  wince::LogCapture log;
  EXPECT_EQ(Image::createImage(static_cast<java_io_InputStream*>(nullptr)), nullptr);
  EXPECT_NE(log.text(), "");

  // A read that raises ends the reading: its exception stays pending.
  EXPECT_EQ(Image::createImage(newObject<FailingStream>()), nullptr);
  EXPECT_EQ(takePending(), classid::java_io_IOException);
}

TEST_F(ImageCreate, ResourcesDecodeFromTheArchive) {
  const std::vector<uint32_t> pixels = noisyPixels(40, 30);
  const std::vector<uint8_t> large = writePng(truecolourFixture(40, 30, pixels, false));
  const std::vector<uint8_t> keyed = writePng(truecolourFixture(2, 1, {0xFFFF00FF, 0xFF00FF00}, false));
  // The entries sit between others, so that reading past one would show.
  installArchive({{"before", "xxxx"}, {"large.png", asText(large)}, {"Keyed.PNG", asText(keyed)}, {"after", "yyyy"}});

  Image* image = Image::createImage(newObject<String>("/large.png"));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(takePending(), nothingPending) << "the end of the entry ends the reading cleanly";
  ASSERT_EQ(image->getWidth(), 40);
  ASSERT_EQ(image->getHeight(), 30);
  EXPECT_FALSE(image->isMutable());
  bool allMatch = true;
  for (uint32_t y = 0; y < 30; ++y)
    for (uint32_t x = 0; x < 40; ++x) allMatch &= pixelAt(image, int32_t(x), int32_t(y)) == rgb565(pixels[y * 40 + x]);
  EXPECT_TRUE(allMatch);

  Image* magenta = Image::createImage(newObject<String>("keyed.png"));
  ASSERT_NE(magenta, nullptr);
  EXPECT_EQ(takePending(), nothingPending);
  EXPECT_EQ(magenta->m_pixelType, raster::keyedRgb565);
  EXPECT_EQ(pixelAt(magenta, 1, 0), 0x07E0);
  EXPECT_EQ(wince::openFileCount(), 0) << "the resource streams are closed";

  wince::LogCapture log;
  EXPECT_EQ(Image::createImage(newObject<String>("missing.png")), nullptr);
  EXPECT_EQ(takePending(), classid::java_io_IOException);
  EXPECT_NE(log.text().find("missing.png"), std::string::npos) << log.text();
  EXPECT_EQ(Image::createImage(static_cast<String*>(nullptr)), nullptr);
  EXPECT_EQ(wince::openFileCount(), 0);
}

TEST_F(ImageCreate, AnEmptyResourceGivesAnEmptyImage) {
  installArchive({{"empty.png", ""}, {"after", "PNG?"}});
  wince::LogCapture log;
  Image* image = Image::createImage(newObject<String>("empty.png"));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(takePending(), nothingPending);
  EXPECT_EQ(image->getWidth(), 0);
  EXPECT_EQ(image->getHeight(), 0);
  EXPECT_EQ(wince::openFileCount(), 0);
}

}  // namespace
