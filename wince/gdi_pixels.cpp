#include "wince/gdi_pixels.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace wince {

uint16_t rgbToRgb565(uint32_t rgb) {
  return uint16_t(((rgb >> 8) & 0xF800) | ((rgb >> 5) & 0x07E0) | ((rgb & 0xFF) >> 3));
}

uint32_t rgb565ToRgb(uint16_t pixel) {
  const uint32_t red = (pixel >> 11) & 0x1F, green = (pixel >> 5) & 0x3F, blue = pixel & 0x1F;
  return ((red * 255 / 31) << 16) | ((green * 255 / 63) << 8) | (blue * 255 / 31);
}

uint32_t colorRefToRgb(COLORREF color) { return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF); }

RECT intersectRect(const RECT& a, const RECT& b) {
  RECT result{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
  if (rectIsEmpty(result)) result = RECT{0, 0, 0, 0};
  return result;
}

bool rectIsEmpty(const RECT& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

void PixelTarget::writePixel(int x, int y, uint32_t rgb) const {
  if (bitsPerPixel == 16)
    reinterpret_cast<uint16_t*>(row(y))[x] = rgbToRgb565(rgb);
  else
    reinterpret_cast<uint32_t*>(row(y))[x] = rgb & 0xFFFFFF;
}

uint32_t PixelTarget::readPixel(int x, int y) const {
  if (bitsPerPixel == 16) return rgb565ToRgb(reinterpret_cast<const uint16_t*>(row(y))[x]);
  return reinterpret_cast<const uint32_t*>(row(y))[x] & 0xFFFFFF;
}

void fillPixels(const PixelTarget& target, const RECT& rect, uint32_t rgb) {
  if (!target.valid()) return;
  const RECT area = intersectRect(rect, target.clip);
  if (rectIsEmpty(area)) return;
  for (int y = area.top; y < area.bottom; ++y) {
    if (target.bitsPerPixel == 16) {
      std::fill_n(reinterpret_cast<uint16_t*>(target.row(y)) + area.left, area.right - area.left, rgbToRgb565(rgb));
    } else {
      std::fill_n(reinterpret_cast<uint32_t*>(target.row(y)) + area.left, area.right - area.left, rgb & 0xFFFFFF);
    }
  }
}

void stretchPixels(const PixelTarget& target, int targetLeft, int targetTop, int targetWidth, int targetHeight,
                   const PixelTarget& source, int sourceLeft, int sourceTop, int sourceWidth, int sourceHeight) {
  if (!target.valid() || !source.valid() || targetWidth <= 0 || targetHeight <= 0 || sourceWidth <= 0 ||
      sourceHeight <= 0)
    return;
  const RECT area =
      intersectRect(RECT{targetLeft, targetTop, targetLeft + targetWidth, targetTop + targetHeight}, target.clip);
  if (rectIsEmpty(area)) return;
  const bool sameFormat = target.bitsPerPixel == source.bitsPerPixel;
  const int bytesPerPixel = target.bitsPerPixel / 8;
  // Source column of each target column, -1 outside the source.
  std::vector<int> columns(size_t(area.right - area.left));
  for (int x = area.left; x < area.right; ++x) {
    const int sourceX = sourceLeft + int(int64_t(x - targetLeft) * sourceWidth / targetWidth);
    columns[size_t(x - area.left)] = sourceX >= 0 && sourceX < source.width ? sourceX : -1;
  }
  for (int y = area.top; y < area.bottom; ++y) {
    const int sourceY = sourceTop + int(int64_t(y - targetTop) * sourceHeight / targetHeight);
    if (sourceY < 0 || sourceY >= source.height) continue;
    if (sameFormat && targetWidth == sourceWidth) {
      // One to one across: copy the row straight through, clipped to the source's columns.
      const int first = std::max<int>(area.left, targetLeft - sourceLeft),
                last = std::min<int>(area.right, targetLeft - sourceLeft + source.width);
      if (first < last)
        std::memcpy(target.row(y) + size_t(first) * bytesPerPixel,
                    source.row(sourceY) + size_t(first - targetLeft + sourceLeft) * bytesPerPixel,
                    size_t(last - first) * bytesPerPixel);
      continue;
    }
    if (sameFormat && bytesPerPixel == 2) {
      auto to = reinterpret_cast<uint16_t*>(target.row(y));
      auto from = reinterpret_cast<const uint16_t*>(source.row(sourceY));
      for (int x = area.left; x < area.right; ++x)
        if (const int sourceX = columns[size_t(x - area.left)]; sourceX >= 0) to[x] = from[sourceX];
      continue;
    }
    for (int x = area.left; x < area.right; ++x)
      if (const int sourceX = columns[size_t(x - area.left)]; sourceX >= 0)
        target.writePixel(x, y, source.readPixel(sourceX, sourceY));
  }
}

}  // namespace wince
