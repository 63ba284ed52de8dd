#include "runtime/lcdui/raster/DrawRgb.h"

#include <algorithm>
#include <cstring>

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

// Eight or sixteen elements a step, in 16-bit lanes: the elements' high halves
// (alpha, red) and low halves (green, blue) are gathered apart, and each
// field moves as blendTowards moves it. An opaque element counts as alpha
// 256, which moves every field exactly onto the source's, as the opaque
// case writes it; alpha 0 moves nothing, as its case leaves it.
using Pixels8 = uint16_t __attribute__((vector_size(16)));
using Fields8 = int16_t __attribute__((vector_size(16)));
using Pixels16 = uint16_t __attribute__((vector_size(32)));
using Fields16 = int16_t __attribute__((vector_size(32)));

// The high and the low halves of the elements in two vectors.
inline void halves(Pixels8 first, Pixels8 second, Pixels8& high, Pixels8& low) {
  high = __builtin_shufflevector(first, second, 1, 3, 5, 7, 9, 11, 13, 15);
  low = __builtin_shufflevector(first, second, 0, 2, 4, 6, 8, 10, 12, 14);
}
inline void halves(Pixels16 first, Pixels16 second, Pixels16& high, Pixels16& low) {
  high = __builtin_shufflevector(first, second, 1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31);
  low = __builtin_shufflevector(first, second, 0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30);
}

template <class Pixels, class Fields>
[[gnu::always_inline]] inline void blendArgbStep(uint16_t* target, const int32_t* source) {
  Pixels first, second, pixels, high, low;
  std::memcpy(&first, source, sizeof first);
  std::memcpy(&second, source + sizeof(Pixels) / 4, sizeof second);
  std::memcpy(&pixels, target, sizeof pixels);
  halves(first, second, high, low);
  const Fields opaqueAlpha = Fields(high >> 8);
  const Fields alpha = opaqueAlpha - Fields(opaqueAlpha == 0xFF);
  const Fields sourceRed = Fields((high >> 3) & 0x1F);
  const Fields sourceGreen = Fields(low >> 10);
  const Fields sourceBlue = Fields((low >> 3) & 0x1F);
  const Fields red = Fields(pixels >> 11), green = Fields((pixels >> 5) & 0x3F), blue = Fields(pixels & 0x1F);
  const Pixels newRed = Pixels(red + (((sourceRed - red) * alpha) >> 8));
  const Pixels newGreen = Pixels(green + (((sourceGreen - green) * alpha) >> 8));
  const Pixels newBlue = Pixels(blue + (((sourceBlue - blue) * alpha) >> 8));
  const Pixels result = (newRed << 11) | (newGreen << 5) | newBlue;
  std::memcpy(target, &result, sizeof result);
}

// Sixteen lanes are two registers of SSE2 or NEON, one of AVX2, which x86
// processors that have it get through a clone picked at load time.
#if defined(__x86_64__) && !defined(__clang__)
#define WITH_WIDE_VECTORS __attribute__((target_clones("avx2", "default")))
#else
#define WITH_WIDE_VECTORS
#endif

WITH_WIDE_VECTORS void blendArgbElements(uint16_t* target, const int32_t* source, size_t count) {
  size_t i = 0;
  for (; i + 16 <= count; i += 16) blendArgbStep<Pixels16, Fields16>(target + i, source + i);
  if (i + 8 <= count) {
    blendArgbStep<Pixels8, Fields8>(target + i, source + i);
    i += 8;
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
