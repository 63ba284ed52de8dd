#pragma once
// PNG data to a 16-bit pixel store, through libpng's classic read API.
// Everything handed to libpng, and the store that comes back, lives on the
// system heap: the Image (and its pool array) is made by the caller after
// decoding, from a copy of this store.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace png {

// Larger images are refused before anything is allocated. The blits keep
// row pitches to what the original store layout allowed.
constexpr uint32_t maximumDimension = 16383;
constexpr uint64_t maximumPixels = uint64_t(1) << 22;
// The most libpng may allocate for one chunk, inflated text included.
constexpr size_t maximumChunkAllocation = size_t(4) << 20;

struct SystemHeapRelease {
  void operator()(void* block) const { std::free(block); }
};

struct DecodedPng {
  std::unique_ptr<uint16_t[], SystemHeapRelease> pixels;  // (pitch / 2) * height elements
  int32_t width = 0;
  int32_t height = 0;
  int32_t pitch = 0;      // bytes: width * 2 rounded up to 4
  int32_t pixelType = 0;  // raster::opaqueRgb565, keyedRgb565 or argb4444
};

enum class PngDecodeStatus {
  decoded,
  // libpng stopped with an error: the image is still made, all black (or
  // all transparent for an image with alpha).
  libpngError,
  noHeader,         // no whole IHDR in the data: no image
  sizeRefused,      // zero or absurd width or height: no image
  outOfMemory,      // no image
};

// Decodes data[0 .. length). The bytes are copied first, so a caller may
// pass storage that the collector could move once it regains control.
// libpng's errors and warnings go to the debug log.
PngDecodeStatus decodePng(const uint8_t* data, size_t length, DecodedPng& image);

}  // namespace png
