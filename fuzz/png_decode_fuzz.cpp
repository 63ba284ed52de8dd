// The PNG decoder over any bytes: it must never read outside the input,
// and whatever image it hands back must be a whole, consistent store.
#include <cstddef>
#include <cstdint>

#include "runtime/lcdui/png/PngDecoder.h"
#include "runtime/lcdui/raster/Surface.h"

namespace {

void require(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  png::DecodedPng image;
  const png::PngDecodeStatus status = png::decodePng(data, size, image);
  const bool made = status == png::PngDecodeStatus::decoded || status == png::PngDecodeStatus::libpngError;
  require(made == bool(image.pixels));
  if (!made) return 0;
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
  return int(sum & 0);
}
