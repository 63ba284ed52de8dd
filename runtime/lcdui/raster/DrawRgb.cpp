#include "runtime/lcdui/raster/DrawRgb.h"

#include <algorithm>
#include <cstring>

#include "runtime/lcdui/raster/Blend.h"
#include "runtime/lcdui/raster/Clip.h"
#include "runtime/lcdui/raster/EightPixels.h"

namespace raster {
namespace {

inline uint16_t blendArgbElement(uint16_t target, uint32_t element) {
  const uint32_t alpha = element >> 24;
  if (alpha == 0xFF) return argbToRgb565(element);
  if (alpha == 0) return target;
  return blendTowards(target, int32_t((element >> 19) & 0x1F), int32_t((element >> 10) & 0x3F),
                      int32_t((element >> 3) & 0x1F), int32_t(alpha));
}

// Eight elements a step, in 16-bit lanes: the elements' high halves
// (alpha, red) and low halves (green, blue) are gathered apart, and each
// field moves as blendTowards moves it. An opaque element counts as alpha
// 256, which moves every field exactly onto the source's, as the opaque
// case writes it; alpha 0 moves nothing, as its case leaves it.
void blendArgbElements(uint16_t* target, const int32_t* source, size_t count) {
  size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    EightPixels first, second;
    std::memcpy(&first, source + i, sizeof first);
    std::memcpy(&second, source + i + 4, sizeof second);
    const EightPixels high = __builtin_shufflevector(first, second, 1, 3, 5, 7, 9, 11, 13, 15);
    const EightPixels low = __builtin_shufflevector(first, second, 0, 2, 4, 6, 8, 10, 12, 14);
    const EightFields opaqueAlpha = EightFields(high >> 8);
    const EightFields alpha = opaqueAlpha - EightFields(opaqueAlpha == 0xFF);
    const EightFields sourceRed = EightFields((high >> 3) & 0x1F);
    const EightFields sourceGreen = EightFields(low >> 10);
    const EightFields sourceBlue = EightFields((low >> 3) & 0x1F);
    const EightPixels pixels = load(target + i);
    const EightFields red = EightFields(pixels >> 11), green = EightFields((pixels >> 5) & 0x3F),
                      blue = EightFields(pixels & 0x1F);
    const EightPixels newRed = EightPixels(red + (((sourceRed - red) * alpha) >> 8));
    const EightPixels newGreen = EightPixels(green + (((sourceGreen - green) * alpha) >> 8));
    const EightPixels newBlue = EightPixels(blue + (((sourceBlue - blue) * alpha) >> 8));
    store(target + i, (newRed << 11) | (newGreen << 5) | newBlue);
  }
  for (; i < count; ++i) target[i] = blendArgbElement(target[i], uint32_t(source[i]));
}

void drawRow(int32_t pixelType, uint16_t* pixel, const int32_t* source, size_t count, bool processAlpha) {
  if (pixelType == argb4444) {
    for (size_t i = 0; i < count; ++i) pixel[i] = argbToArgb4444(uint32_t(source[i]));
  } else if (!processAlpha) {
    for (size_t i = 0; i < count; ++i) pixel[i] = argbToRgb565(uint32_t(source[i]));
  } else {
    blendArgbElements(pixel, source, count);
  }
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
  const ptrdiff_t rowStep = target.pitch >> 1;
  uint16_t* targetRow = target.row(area.y) + area.x;
  // A row's elements start at a linear function of the row, so when the
  // first and last rows lie inside the array, all do.
  const Wide lastRowStart = firstElement + Wide(area.height - 1) * scanLength;
  if (std::min(firstElement, lastRowStart) >= 0 && std::max(firstElement, lastRowStart) + area.width <= length) {
    const int32_t* source = rgbData + size_t(firstElement);
    for (int32_t line = 0; line < area.height; ++line, targetRow += rowStep) {
      drawRow(target.pixelType, targetRow, source, size_t(area.width), processAlpha);
      if (line + 1 < area.height) source += scanLength;
    }
    return 0;
  }
  uint32_t checks = 0;
  for (int32_t line = 0; line < area.height; ++line, targetRow += rowStep) {
    const Wide rowStart = firstElement + Wide(line) * scanLength;
    // Only the columns whose element exists are drawn.
    const Wide firstColumn = std::clamp<Wide>(-rowStart, 0, area.width);
    const Wide endColumn = std::clamp<Wide>(length - rowStart, firstColumn, area.width);
    if (firstColumn != 0 || endColumn != area.width) checks |= rgbcheck::sourceOutside;
    const int64_t count = int64_t(endColumn - firstColumn);
    if (count <= 0) continue;
    drawRow(target.pixelType, targetRow + ptrdiff_t(firstColumn), rgbData + size_t(rowStart + firstColumn),
            size_t(count), processAlpha);
  }
  return checks;
}

}  // namespace raster
