#pragma once
// A plain 16-bit pixel store as the drawing kernels see it: no object model,
// no allocation, no logging. The natives layer builds one from an Image's
// fields and hands it to the kernels.
#include <cstddef>
#include <cstdint>

namespace raster {

// ImagePixelType: how the 16-bit elements of a store are read.
constexpr int32_t opaqueRgb565 = 0;
constexpr int32_t keyedRgb565 = 1;  // transparentKey marks a hole
constexpr int32_t argb4444 = 2;

constexpr uint16_t transparentKey = 0xF81F;  // magenta 0xFF00FF in RGB565

struct Surface {
  uint16_t* pixels = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  int32_t pitch = 0;  // bytes per row: even, at least width * 2
  int32_t pixelType = opaqueRgb565;

  uint16_t* row(int32_t y) const { return pixels + ptrdiff_t(y) * (pitch >> 1); }
  size_t elementCount() const { return size_t(pitch >> 1) * size_t(height); }
  // Anything the kernels could walk off: a null store or a pitch too small
  // for the width. Kernels draw nothing into or from such a surface.
  bool isUsable() const {
    return pixels && width >= 0 && height >= 0 && (pitch & 1) == 0 && int64_t(pitch) >= int64_t(width) * 2;
  }
};

// Bytes per row of a 16-bit store: width * 2 rounded up to 4 bytes, so an
// odd width carries one pad pixel a row.
constexpr int64_t pixelStorePitch(int64_t width) { return (width * 2 + 3) & ~int64_t(3); }

// The alpha byte is dropped.
constexpr uint16_t argbToRgb565(uint32_t colour) {
  return uint16_t(((colour >> 8) & 0xF800) | ((colour >> 5) & 0x07E0) | ((colour & 0xFF) >> 3));
}

constexpr uint16_t argbToArgb4444(uint32_t colour) {
  return uint16_t(((colour >> 28) << 12) | (((colour >> 20) & 0xF) << 8) | (((colour >> 12) & 0xF) << 4) |
                  ((colour >> 4) & 0xF));
}

}  // namespace raster
