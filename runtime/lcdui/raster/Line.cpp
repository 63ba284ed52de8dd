#include "runtime/lcdui/raster/Line.h"

#include <cstdlib>

#include "runtime/lcdui/raster/Blend.h"

namespace raster {
namespace {

constexpr int above = 1;  // y < 0
constexpr int below = 2;  // y >= H
constexpr int right = 4;  // x >= W
constexpr int left = 8;   // x < 0

int outcode(int64_t x, int64_t y, int64_t width, int64_t height) {
  int code = 0;
  if (y < 0) code |= above;
  if (y >= height) code |= below;
  if (x >= width) code |= right;
  if (x < 0) code |= left;
  return code;
}

// Products of two far coordinates need more than 64 bits; the quotient lies
// between the end points again.
int64_t scaledQuotient(int64_t factor1, int64_t factor2, int64_t divisor) {
  return int64_t(__int128(factor1) * factor2 / divisor);
}

// Cohen-Sutherland in coordinates relative to the clip's corner. Truncated
// intersections can bounce an end point between opposite edges of a thin
// clip, so the loop gives up (draws nothing) after a few rounds; an exact
// clip never needs more than two moves per end point.
bool clipLine(int64_t& xa, int64_t& ya, int64_t& xb, int64_t& yb, int64_t width, int64_t height) {
  constexpr int maximumRounds = 16;
  int codeA = outcode(xa, ya, width, height);
  int codeB = outcode(xb, yb, width, height);
  for (int round = 0; round < maximumRounds; ++round) {
    if ((codeA | codeB) == 0) return true;
    if (codeA & codeB) return false;
    const int code = codeA ? codeA : codeB;
    int64_t x, y;
    if (code & above) {
      x = xa - scaledQuotient(xb - xa, ya, yb - ya);
      y = 0;
    } else if (code & below) {
      x = xa + scaledQuotient(height - ya, xb - xa, yb - ya);
      y = height - 1;
    } else if (code & right) {
      y = ya + scaledQuotient(width - xa, yb - ya, xb - xa);
      x = width - 1;
    } else {
      y = ya - scaledQuotient(yb - ya, xa, xb - xa);
      x = 0;
    }
    if (code == codeA) {
      xa = x;
      ya = y;
      codeA = outcode(xa, ya, width, height);
    } else {
      xb = x;
      yb = y;
      codeB = outcode(xb, yb, width, height);
    }
  }
  return false;
}

template <class Plot>
void walkLine(uint16_t* start, ptrdiff_t rowStep, int32_t dx, int32_t dy, Plot plot) {
  const ptrdiff_t stepX = dx < 0 ? -1 : 1;
  const ptrdiff_t stepY = dy < 0 ? -rowStep : rowStep;
  int64_t major = std::abs(int64_t(dx)), minor = std::abs(int64_t(dy));
  ptrdiff_t majorStep = stepX, minorStep = stepY;
  if (minor > major) {
    std::swap(major, minor);
    std::swap(majorStep, minorStep);
  }
  int64_t error = 2 * minor - major;
  uint16_t* pixel = start;
  for (int64_t i = 0;; ++i) {
    plot(*pixel);
    if (i == major) break;
    pixel += majorStep;
    if (error >= 0) {
      pixel += minorStep;
      error -= 2 * major;
    }
    error += 2 * minor;
  }
}

}  // namespace

void drawLineAbsolute(const Surface& target, const ClipBounds& clip, uint32_t colour, int64_t x1, int64_t y1,
                      int64_t x2, int64_t y2) {
  if (clip.isEmpty()) return;
  int64_t xa = x1 - clip.x1, ya = y1 - clip.y1, xb = x2 - clip.x1, yb = y2 - clip.y1;
  if (!clipLine(xa, ya, xb, yb, clip.x2 - clip.x1, clip.y2 - clip.y1)) return;
  uint16_t* start = target.row(int32_t(ya + clip.y1)) + (xa + clip.x1);
  const ptrdiff_t rowStep = target.pitch >> 1;
  const int32_t dx = int32_t(xb - xa), dy = int32_t(yb - ya);
  const int32_t alpha = int32_t(colour >> 24);
  if (alpha == 0xFF) {
    const uint16_t value = argbToRgb565(colour);
    walkLine(start, rowStep, dx, dy, [value](uint16_t& pixel) { pixel = value; });
    return;
  }
  const uint16_t source = argbToRgb565(colour);
  walkLine(start, rowStep, dx, dy, [source, alpha](uint16_t& pixel) { pixel = blendTowardsRgb565(pixel, source, alpha); });
}

void drawLine(const Surface& target, const GraphicsState& state, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  const int64_t tx = state.translateX, ty = state.translateY;
  drawLineAbsolute(target, effectiveClip(target, state), state.colour, x1 + tx, y1 + ty, x2 + tx, y2 + ty);
}

void drawRect(const Surface& target, const GraphicsState& state, int32_t x, int32_t y, int32_t width, int32_t height) {
  const ClipBounds clip = effectiveClip(target, state);
  const int64_t left = int64_t(x) + state.translateX, top = int64_t(y) + state.translateY;
  const int64_t right = left + width, bottom = top + height;
  drawLineAbsolute(target, clip, state.colour, left, top, right, top);
  drawLineAbsolute(target, clip, state.colour, left, top, left, bottom);
  drawLineAbsolute(target, clip, state.colour, right, top, right, bottom);
  drawLineAbsolute(target, clip, state.colour, left, bottom, right, bottom);
}

}  // namespace raster
