#include "runtime/lcdui/raster/DrawRgb.h"

#include <algorithm>

#include "runtime/lcdui/raster/Blend.h"
#include "runtime/lcdui/raster/Clip.h"

namespace raster {
namespace {

inline uint16_t blendArgbElement(uint16_t target, uint32_t element) {
  const uint32_t alpha = element >> 24;
  if (alpha == 0xFF) return argbToRgb565(element);
  if (alpha == 0) return target;
  return blendTowards(target, int32_t((element >> 19) & 0x1F), int32_t((element >> 10) & 0x3F),
                      int32_t((element >> 3) & 0x1F), int32_t(alpha));
}

}  // namespace

uint32_t drawRGB(const Surface& target, const GraphicsState& state, const int32_t* rgbData, size_t rgbLength,
                 int32_t offset, int32_t scanLength, int32_t x, int32_t y, int32_t width, int32_t height,
                 bool processAlpha) {
  if (!rgbData) return rgbcheck::nullData;
  const int64_t left = int64_t(x) + state.translateX, top = int64_t(y) + state.translateY;
  ClippedRectangle area;
  const ClipBounds clip = effectiveClip(target, state);
  if (clip.isEmpty() || !clipRectangle(clip, left, top, width, height, area)) return 0;
  // Far offsets and scan lengths need more than 64 bits before the bounds
  // below can judge them.
  using Wide = __int128;
  const Wide firstElement = Wide(offset) + Wide(area.y - top) * scanLength + (area.x - left);
  const Wide length = Wide(rgbLength);
  uint32_t checks = 0;
  const ptrdiff_t rowStep = target.pitch >> 1;
  uint16_t* targetRow = target.row(area.y) + area.x;
  for (int32_t line = 0; line < area.height; ++line, targetRow += rowStep) {
    const Wide rowStart = firstElement + Wide(line) * scanLength;
    // Only the columns whose element exists are drawn.
    const Wide firstColumn = std::clamp<Wide>(-rowStart, 0, area.width);
    const Wide endColumn = std::clamp<Wide>(length - rowStart, firstColumn, area.width);
    if (firstColumn != 0 || endColumn != area.width) checks |= rgbcheck::sourceOutside;
    const int64_t count = int64_t(endColumn - firstColumn);
    if (count <= 0) continue;
    const int32_t* source = rgbData + size_t(rowStart + firstColumn);
    uint16_t* pixel = targetRow + ptrdiff_t(firstColumn);
    if (target.pixelType == argb4444) {
      for (int64_t i = 0; i < count; ++i) pixel[i] = argbToArgb4444(uint32_t(source[i]));
    } else if (!processAlpha) {
      for (int64_t i = 0; i < count; ++i) pixel[i] = argbToRgb565(uint32_t(source[i]));
    } else {
      for (int64_t i = 0; i < count; ++i) pixel[i] = blendArgbElement(pixel[i], uint32_t(source[i]));
    }
  }
  return checks;
}

}  // namespace raster
