#pragma once
// A block of pixels that GDI draws into: the screen (RGB565) or a DIB
// section (16-bit RGB565 or 32-bit 0x00RRGGBB), with its clip.
#include <cstddef>
#include <cstdint>

#include "wince/types.h"

namespace wince {

struct PixelTarget {
  uint8_t* bits = nullptr;
  int width = 0;
  int height = 0;
  // Bytes from one row to the next, negative for bottom-up bitmaps.
  ptrdiff_t pitch = 0;
  int bitsPerPixel = 16;
  RECT clip{};  // drawing stays inside, already within the pixels

  bool valid() const { return bits && width > 0 && height > 0; }
  uint8_t* row(int y) const { return bits + pitch * y; }
  void writePixel(int x, int y, uint32_t rgb) const;
  uint32_t readPixel(int x, int y) const;  // as 0x00RRGGBB
};

uint16_t rgbToRgb565(uint32_t rgb);
uint32_t rgb565ToRgb(uint16_t pixel);
// COLORREF 0x00BBGGRR to 0x00RRGGBB.
uint32_t colorRefToRgb(COLORREF color);

RECT intersectRect(const RECT& a, const RECT& b);
bool rectIsEmpty(const RECT& rect);

void fillPixels(const PixelTarget& target, const RECT& rect, uint32_t rgb);
// Nearest-pixel stretch of a source rectangle onto a target rectangle,
// clipped to the target's clip and to the source's pixels.
void stretchPixels(const PixelTarget& target, int targetLeft, int targetTop, int targetWidth, int targetHeight,
                   const PixelTarget& source, int sourceLeft, int sourceTop, int sourceWidth, int sourceHeight);

}  // namespace wince
