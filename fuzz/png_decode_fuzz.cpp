// The PNG decoder over any bytes: it must never read outside the input,
// and whatever image it hands back must be a whole, consistent store.
// libpng refuses a mutated chunk at its checksum, so each input is decoded
// with every chunk's CRC made right, and as it is only when that changed
// something: the fuzzer reaches libpng's paths through the decoder.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/fuzz_require.h"
#include "runtime/lcdui/png/PngChunkWalk.h"
#include "runtime/lcdui/png/PngDecoder.h"
#include "runtime/lcdui/raster/Surface.h"

namespace {

volatile unsigned pixelSink;

// True when some chunk's CRC was rewritten. The walk stops at a chunk that
// runs past the end, as the decoder's does.
bool correctChunkChecksums(std::vector<uint8_t>& bytes) {
  bool changed = false;
  size_t position = 8;
  while (position <= bytes.size() && bytes.size() - position >= 12) {
    const size_t bodyLength = png::readBigEndian32(&bytes[position]);
    if (bodyLength > bytes.size() - position - 12) break;
    const uint8_t* typeAndBody = &bytes[position + 4];
    const uint32_t crc = uint32_t(crc32(0, typeAndBody, uInt(4 + bodyLength)));
    uint8_t* stored = &bytes[position + 8 + bodyLength];
    const uint8_t expected[4] = {uint8_t(crc >> 24), uint8_t(crc >> 16), uint8_t(crc >> 8), uint8_t(crc)};
    for (int k = 0; k < 4; ++k) {
      changed |= stored[k] != expected[k];
      stored[k] = expected[k];
    }
    position += 12 + bodyLength;
  }
  return changed;
}

void decodeAndCheck(const uint8_t* data, size_t size) {
  png::DecodedPng image;
  const png::PngDecodeStatus status = png::decodePng(data, size, image);
  const bool made = status == png::PngDecodeStatus::decoded || status == png::PngDecodeStatus::libpngError;
  require(made == bool(image.pixels));
  if (!made) return;
  require(image.width >= 1 && uint32_t(image.width) <= png::maximumDimension);
  require(image.height >= 1 && uint32_t(image.height) <= png::maximumDimension);
  require(uint64_t(image.width) * uint64_t(image.height) <= png::maximumPixels);
  require(image.pitch == raster::pixelStorePitch(image.width));
  require(image.pixelType == raster::opaqueRgb565 || image.pixelType == raster::keyedRgb565 ||
          image.pixelType == raster::argb4444);
  // Touch every element, so that the sanitizer sees a store too short.
  unsigned sum = 0;
  const size_t elementCount = size_t(image.pitch / 2) * size_t(image.height);
  bool hasKey = false;
  for (size_t index = 0; index < elementCount; ++index) {
    sum += image.pixels[index];
    hasKey |= image.pixels[index] == raster::transparentKey;
  }
  // The key scan decides between the two RGB565 types.
  if (image.pixelType != raster::argb4444) require(hasKey == (image.pixelType == raster::keyedRgb565));
  pixelSink = sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> corrected(data, data + size);
  if (correctChunkChecksums(corrected)) decodeAndCheck(data, size);
  decodeAndCheck(corrected.data(), corrected.size());
  return 0;
}
