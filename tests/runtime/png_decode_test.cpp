// PNG decoding: fixtures written through libpng's writer, decoded and read
// back as the Image natives will see them.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "runtime/lcdui/png/PngChunkWalk.h"
#include "runtime/lcdui/png/PngDecoder.h"
#include "runtime/lcdui/raster/ImageConversions.h"
#include "runtime/lcdui/raster/Surface.h"
#include "tests/runtime/png_test_writer.h"
#include "wince/log.h"

using png::DecodedPng;
using png::PngDecodeStatus;

namespace {

DecodedPng decode(const std::vector<uint8_t>& bytes, PngDecodeStatus expected = PngDecodeStatus::decoded) {
  DecodedPng image;
  EXPECT_EQ(png::decodePng(bytes.data(), bytes.size(), image), expected);
  return image;
}

uint16_t pixel(const DecodedPng& image, int x, int y) { return image.pixels[size_t(y) * (image.pitch / 2) + x]; }

std::vector<uint32_t> readBack(const DecodedPng& image) {
  const raster::Surface surface{image.pixels.get(), image.width, image.height, image.pitch, image.pixelType};
  std::vector<int32_t> argb(size_t(image.width) * image.height);
  EXPECT_EQ(raster::getRGB(surface, argb.data(), argb.size(), 0, image.width, 0, 0, image.width, image.height), 0u);
  return std::vector<uint32_t>(argb.begin(), argb.end());
}

void corruptByte(std::vector<uint8_t>& bytes, const char* chunkType) {
  for (size_t k = 8; k + 8 < bytes.size(); ++k)
    if (std::equal(chunkType, chunkType + 4, bytes.begin() + k)) {
      bytes[k + 6] ^= 0x55;  // inside the body; its CRC no longer matches
      return;
    }
  FAIL() << chunkType;
}

// One field of /proc/self/status in KiB, 0 when absent.
long statusKibibytes(const char* field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::string(field).size()));
  return 0;
}

struct ChildDecode {
  PngDecodeStatus status;
  long peakGrowthKibibytes;
};

// Decodes in a child process, so that a decoder that balloons cannot take
// the test program's memory with it; the child's peak starts at its size
// at the fork.
ChildDecode decodeInChild(const std::vector<uint8_t>& bytes) {
  int channel[2];
  if (pipe(channel) != 0) return {PngDecodeStatus::outOfMemory, -1};
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    const long before = statusKibibytes("VmRSS:");
    DecodedPng image;
    ChildDecode result{png::decodePng(bytes.data(), bytes.size(), image), 0};
    result.peakGrowthKibibytes = statusKibibytes("VmHWM:") - before;
    const bool written = write(channel[1], &result, sizeof result) == ssize_t(sizeof result);
    _exit(written ? 0 : 1);
  }
  close(channel[1]);
  ChildDecode result{PngDecodeStatus::outOfMemory, -1};
  if (child < 0 || read(channel[0], &result, sizeof result) != ssize_t(sizeof result))
    result = {PngDecodeStatus::outOfMemory, -1};
  close(channel[0]);
  if (child > 0) waitpid(child, nullptr, 0);
  return result;
}

}  // namespace

TEST(PngDecode, OpaqueImageBecomesRgb565WithAPaddedStore) {
  const std::vector<uint32_t> argb = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x808080};
  const DecodedPng image = decode(writePng(truecolourFixture(3, 2, argb, false)));
  EXPECT_EQ(image.width, 3);
  EXPECT_EQ(image.height, 2);
  EXPECT_EQ(image.pitch, 8);
  EXPECT_EQ(image.pixelType, raster::opaqueRgb565);
  EXPECT_EQ(image.pixels[0], 0xF800);
  EXPECT_EQ(image.pixels[4], 0xFFFF);  // row 1 starts at element 4
  EXPECT_EQ(image.pixels[6], 0x8410);
  EXPECT_EQ(image.pixels[3], 0);  // pad pixel
}

TEST(PngDecode, ExactMagentaMakesTheImageKeyed) {
  const DecodedPng image = decode(writePng(truecolourFixture(2, 1, {0xFF00FF, 0xF700FF}, false)));
  EXPECT_EQ(image.pixelType, raster::keyedRgb565);
  EXPECT_EQ(readBack(image), (std::vector<uint32_t>{0x00000000, 0xFFF600FF}));
}

TEST(PngDecode, PaletteTransparencyIsAKeyWhateverItsAlpha) {
  PngFixture fixture;
  fixture.width = 3;
  fixture.colourType = PNG_COLOR_TYPE_PALETTE;
  fixture.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  fixture.paletteAlpha = {0, 128};  // entry 2 keeps alpha 255
  fixture.rows = {{0, 1, 2}};
  const DecodedPng image = decode(writePng(fixture));
  EXPECT_EQ(image.pixelType, raster::keyedRgb565);
  EXPECT_EQ(pixel(image, 0, 0), raster::transparentKey);
  EXPECT_EQ(pixel(image, 1, 0), 0x07E0);  // alpha 128 lands opaque
  EXPECT_EQ(pixel(image, 2, 0), 0x001F);

  fixture.paletteAlpha = {128};
  EXPECT_EQ(decode(writePng(fixture)).pixelType, raster::opaqueRgb565);
}

TEST(PngDecode, AlphaChannelGivesArgb4444) {
  const DecodedPng image = decode(writePng(truecolourFixture(3, 1, {0xFFFFFFFF, 0x80FF4020, 0x00000000}, true)));
  EXPECT_EQ(image.pixelType, raster::argb4444);
  EXPECT_EQ(pixel(image, 0, 0), 0xFFFF);
  EXPECT_EQ(pixel(image, 1, 0), 0x8F42);
  EXPECT_EQ(readBack(image)[0], 0xFFFFFFFFu);  // nibble 15 reads back as 255
}

TEST(PngDecode, InterlacedEqualsNonInterlaced) {
  std::vector<uint32_t> argb;
  for (uint32_t k = 0; k < 13 * 11; ++k) argb.push_back(0xFF000000u | (k * 2654435761u >> 8));
  PngFixture fixture = truecolourFixture(13, 11, argb, true);
  const DecodedPng plain = decode(writePng(fixture));
  fixture.interlaced = true;
  const DecodedPng interlaced = decode(writePng(fixture));
  ASSERT_EQ(plain.pitch, interlaced.pitch);
  EXPECT_TRUE(std::equal(plain.pixels.get(), plain.pixels.get() + 14 * 11, interlaced.pixels.get()));
}

TEST(PngDecode, GreyAndSixteenBitGoThroughLibpngTransforms) {
  struct Case {
    const char* name;
    int colourType, bitDepth;
    std::vector<uint8_t> row;
    std::vector<uint32_t> argb;  // as getRGB reads it back
    int32_t pixelType;
  };
  const Case cases[] = {
      {"grey 1-bit", PNG_COLOR_TYPE_GRAY, 1, {0b10100000}, {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}, raster::opaqueRgb565},
      {"grey 2-bit", PNG_COLOR_TYPE_GRAY, 2, {0b11100100}, {0xFFFFFFFF, 0xFFACAAAC, 0xFF525552}, raster::opaqueRgb565},
      {"grey 4-bit", PNG_COLOR_TYPE_GRAY, 4, {0xF0, 0x80}, {0xFFFFFFFF, 0xFF000000, 0xFF8B898B}, raster::opaqueRgb565},
      {"grey 8-bit", PNG_COLOR_TYPE_GRAY, 8, {255, 0, 16}, {0xFFFFFFFF, 0xFF000000, 0xFF101010}, raster::opaqueRgb565},
      {"grey alpha", PNG_COLOR_TYPE_GRAY_ALPHA, 8, {255, 255, 0, 0, 255, 136}, {0xFFFFFFFF, 0x00000000, 0x88FFFFFF},
       raster::argb4444},
      {"rgb 16-bit",
       PNG_COLOR_TYPE_RGB,
       16,
       {0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0x10, 0x80, 0x20, 0x80, 0x10, 0x80},
       {0xFFFF0000, 0xFF00FF00, 0xFF102010},
       raster::opaqueRgb565},
      {"rgba 16-bit",
       PNG_COLOR_TYPE_RGBA,
       16,
       {0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
       {0xFFFF0000, 0x00000000, 0x00000000},
       raster::argb4444},
  };
  for (const Case& c : cases) {
    PngFixture fixture;
    fixture.width = 3;
    fixture.colourType = c.colourType;
    fixture.bitDepth = c.bitDepth;
    fixture.rows = {c.row};
    const DecodedPng image = decode(writePng(fixture));
    EXPECT_EQ(image.pixelType, c.pixelType) << c.name;
    EXPECT_EQ(readBack(image), c.argb) << c.name;
  }
}

TEST(PngDecode, GreyWithATransparentShadeIsKeyed) {
  PngFixture fixture;
  fixture.width = 2;
  fixture.colourType = PNG_COLOR_TYPE_GRAY;
  fixture.hasTransparentColour = true;
  fixture.transparentColour.gray = 7;
  fixture.rows = {{7, 200}};
  const DecodedPng image = decode(writePng(fixture));
  EXPECT_EQ(image.pixelType, raster::keyedRgb565);
  EXPECT_EQ(pixel(image, 0, 0), raster::transparentKey);
}

TEST(PngDecode, DamagedDataLeavesABlackImageAndSaysWhy) {
  std::vector<uint32_t> argb(8 * 8, 0xFFFFFFFF);
  const std::vector<uint8_t> good = writePng(truecolourFixture(8, 8, argb, false));
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    PngDecodeStatus status;
  };
  std::vector<uint8_t> badCrc = good;
  corruptByte(badCrc, "IDAT");
  std::vector<uint8_t> garbageAfterHeader(good.begin(), good.begin() + 33);
  for (int k = 0; k < 200; ++k) garbageAfterHeader.push_back(uint8_t(k * 37 + 11));
  const Case cases[] = {
      {"truncated in the image data", std::vector<uint8_t>(good.begin(), good.end() - 30), PngDecodeStatus::libpngError},
      {"truncated before IEND", std::vector<uint8_t>(good.begin(), good.end() - 12), PngDecodeStatus::decoded},
      {"corrupt CRC", badCrc, PngDecodeStatus::libpngError},
      {"garbage after the header", garbageAfterHeader, PngDecodeStatus::libpngError},
  };
  for (const Case& c : cases) {
    wince::LogCapture log;
    const DecodedPng image = decode(c.bytes, c.status);
    ASSERT_TRUE(image.pixels) << c.name;
    EXPECT_EQ(image.width, 8);
    const uint16_t expected = c.status == PngDecodeStatus::decoded ? 0xFFFF : 0x0000;
    for (int k = 0; k < 64; ++k) ASSERT_EQ(pixel(image, k % 8, k / 8), expected) << c.name;
    if (c.status != PngDecodeStatus::decoded) {
      EXPECT_TRUE(log.contains("libpng error: ")) << c.name;
    }
  }
}

// Signature, a whole IHDR, then a chunk header that claims 2 GiB: 41 bytes.
// libpng would size and clear the chunk's buffer before reading its body.
TEST(PngDecode, AChunkClaimingMoreThanTheDataIsRefusedBeforeAnyAllocation) {
  const std::vector<uint8_t> good = writePng(truecolourFixture(1, 1, {0}, false));
  for (const char* type : {"tEXt", "zTXt", "iTXt", "sPLT", "eXIf"}) {
    std::vector<uint8_t> bytes(good.begin(), good.begin() + 33);
    bytes.insert(bytes.end(), {0x7F, 0xFF, 0xFF, 0xFF});
    bytes.insert(bytes.end(), type, type + 4);
    ASSERT_EQ(bytes.size(), 41u);
    const ChildDecode result = decodeInChild(bytes);
    EXPECT_EQ(result.status, PngDecodeStatus::libpngError) << type;
    EXPECT_GE(result.peakGrowthKibibytes, 0) << type;
    EXPECT_LT(result.peakGrowthKibibytes, 16 << 10) << type;
  }
}

TEST(PngDecode, NoImageWithoutAHeaderOrWithAnAbsurdSize) {
  const std::vector<uint8_t> good = writePng(truecolourFixture(2, 2, {0, 0, 0, 0}, false));
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    PngDecodeStatus status;
  };
  auto withSize = [&](uint32_t width, uint32_t height) {
    std::vector<uint8_t> bytes = good;
    for (int k = 0; k < 4; ++k) {
      bytes[16 + k] = uint8_t(width >> (24 - 8 * k));
      bytes[20 + k] = uint8_t(height >> (24 - 8 * k));
    }
    return bytes;
  };
  const Case cases[] = {
      {"empty", {}, PngDecodeStatus::noHeader},
      {"signature only", std::vector<uint8_t>(good.begin(), good.begin() + 8), PngDecodeStatus::noHeader},
      {"header cut short", std::vector<uint8_t>(good.begin(), good.begin() + 30), PngDecodeStatus::noHeader},
      {"zero width", withSize(0, 2), PngDecodeStatus::sizeRefused},
      {"too wide", withSize(16384, 1), PngDecodeStatus::sizeRefused},
      {"too many pixels", withSize(4096, 4096), PngDecodeStatus::sizeRefused},
      {"far too many", withSize(0xFFFFFFFF, 0xFFFFFFFF), PngDecodeStatus::sizeRefused},
  };
  for (const Case& c : cases) {
    const DecodedPng image = decode(c.bytes, c.status);
    EXPECT_FALSE(image.pixels) << c.name;
  }
}

TEST(PngChunkWalk, FindsTheHeaderAndStopsAtTheDataEnd) {
  PngFixture fixture;
  fixture.width = 2;
  fixture.colourType = PNG_COLOR_TYPE_PALETTE;
  fixture.palette = {{1, 2, 3}};
  fixture.paletteAlpha = {0};
  fixture.rows = {{0, 0}};
  const std::vector<uint8_t> bytes = writePng(fixture);
  const png::PngHeader header = png::walkPngChunks(bytes.data(), bytes.size());
  EXPECT_TRUE(header.found);
  EXPECT_EQ(header.width, 2u);
  EXPECT_EQ(header.height, 1u);
  EXPECT_EQ(header.colourType, PNG_COLOR_TYPE_PALETTE);
  EXPECT_TRUE(header.transparencyChunk);
  // A chunk length that points far past the end ends the walk.
  std::vector<uint8_t> lying = bytes;
  lying[33] = 0x7F;
  EXPECT_TRUE(png::walkPngChunks(lying.data(), lying.size()).found);
  EXPECT_FALSE(png::walkPngChunks(lying.data(), lying.size()).transparencyChunk);
  lying[8] = 0xFF;  // IHDR's own length
  EXPECT_FALSE(png::walkPngChunks(lying.data(), lying.size()).found);
}
