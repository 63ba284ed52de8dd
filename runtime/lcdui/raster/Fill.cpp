#include "runtime/lcdui/raster/Fill.h"

#include "runtime/lcdui/raster/Blend.h"
#include "runtime/lcdui/raster/PixelRows.h"

namespace raster {

void fillRectAbsolute(const Surface& target, const ClipBounds& clip, uint32_t colour, int64_t x, int64_t y,
                      int64_t width, int64_t height) {
  ClippedRectangle area;
  if (clip.isEmpty() || !clipRectangle(clip, x, y, width, height, area)) return;
  const int32_t alpha = int32_t(colour >> 24);
  uint16_t* row = target.row(area.y) + area.x;
  const ptrdiff_t rowStep = target.pitch >> 1;
  if (alpha == 0xFF) {
    const uint16_t value = argbToRgb565(colour);
    // Whole rows of a store without padding are one run.
    if (area.width == target.width && int64_t(area.width) * 2 == target.pitch) {
      fillPixels(row, size_t(area.width) * size_t(area.height), value);
      return;
    }
    if (area.width >= 8 && area.width <= 64) {
      // Tile-sized rows: one pattern, overlapping 16-byte stores, no call.
      const FillPattern pattern = fillPattern(value);
      for (int32_t line = 0; line < area.height; ++line, row += rowStep) fillShortRun(row, size_t(area.width), pattern);
      return;
    }
    for (int32_t line = 0; line < area.height; ++line, row += rowStep) fillPixels(row, size_t(area.width), value);
    return;
  }
  if (alpha == 0) return;  // the blend would leave every pixel as it is
  for (int32_t line = 0; line < area.height; ++line, row += rowStep)
    for (int32_t column = 0; column < area.width; ++column) row[column] = blendFill(row[column], colour, alpha);
}

void fillRect(const Surface& target, const GraphicsState& state, int32_t x, int32_t y, int32_t width, int32_t height) {
  fillRectAbsolute(target, effectiveClip(target, state), state.colour, int64_t(x) + state.translateX,
                   int64_t(y) + state.translateY, width, height);
}

}  // namespace raster
