#pragma once
// Clip arithmetic shared by the kernels, in 64 bits so that no caller
// coordinate or translation can wrap around into the target.
#include <algorithm>
#include <cstdint>

#include "runtime/lcdui/raster/GraphicsState.h"
#include "runtime/lcdui/raster/Surface.h"

namespace raster {

// A clip already bounded by the target: x1 <= x < x2, y1 <= y < y2 are
// pixels of the store (empty when x2 <= x1 or y2 <= y1).
struct ClipBounds {
  int32_t x1, y1, x2, y2;
  bool isEmpty() const { return x2 <= x1 || y2 <= y1; }
};

// The Graphics clip, cut once more to the target so that a state that was
// never bounded (or a surface that shrank) still cannot reach outside it.
inline ClipBounds effectiveClip(const Surface& target, const GraphicsState& state) {
  if (!target.isUsable()) return {0, 0, 0, 0};
  return {std::max(state.clipX1, 0), std::max(state.clipY1, 0), std::min(state.clipX2, target.width),
          std::min(state.clipY2, target.height)};
}

struct ClippedRectangle {
  int32_t x, y, width, height;
};

// The rectangle clip of fillRect and drawRGB: a left or top overhang trims
// the size, a right or bottom one cuts it at the edge; false when nothing
// is left.
inline bool clipRectangle(const ClipBounds& clip, int64_t x, int64_t y, int64_t width, int64_t height,
                          ClippedRectangle& out) {
  if (x < clip.x1) {
    if (x + width >= clip.x1) {
      width -= clip.x1 - x;
      x = clip.x1;
    } else {
      width = -1;
    }
  }
  if (x + width > clip.x2) width = clip.x2 - x;
  if (width < 1) return false;
  if (y < clip.y1) {
    if (y + height >= clip.y1) {
      height -= clip.y1 - y;
      y = clip.y1;
    } else {
      height = -1;
    }
  }
  if (y + height > clip.y2) height = clip.y2 - y;
  if (height < 1) return false;
  out = {int32_t(x), int32_t(y), int32_t(width), int32_t(height)};
  return true;
}

}  // namespace raster
