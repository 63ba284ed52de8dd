#include <algorithm>

#include "runtime/lcdui/raster/Fill.h"
#include "runtime/lcdui/raster/Line.h"
#include "runtime/lcdui/raster/Shapes.h"

namespace raster {
namespace {

// The radius never exceeds half the shorter side, so opposite corners do
// not cross.
int64_t cornerRadius(int64_t width, int64_t height, int32_t arcWidth) {
  const int64_t radius = std::max<int64_t>(int64_t(arcWidth) - 2, 0) / 2;
  return std::max<int64_t>(std::min({radius, width / 2, height / 2}), 0);
}

// The midpoint circle over one octant, (0, r) to the diagonal.
template <class Visit>
void walkCircleOctant(int64_t radius, Visit visit) {
  int64_t x = 0, y = radius, decision = 1 - radius;
  while (x <= y) {
    const bool stepsDown = decision >= 0;
    visit(x, y, stepsDown);
    if (stepsDown) {
      decision += 2 * (x - y) + 5;
      --y;
    } else {
      decision += 2 * x + 3;
    }
    ++x;
  }
}

}  // namespace

uint32_t drawRoundRect(const Surface& target, const GraphicsState& state, int32_t x, int32_t y, int32_t width,
                       int32_t height, int32_t arcWidth, int32_t) {
  const int64_t radius = cornerRadius(width, height, arcWidth);
  if (radius > maximumCurveRadius) return shapecheck::tooLarge;
  if (radius == 0) {
    drawRect(target, state, x, y, width, height);
    return 0;
  }
  const ClipBounds clip = effectiveClip(target, state);
  const uint32_t colour = state.colour;
  const int64_t left = int64_t(x) + state.translateX, top = int64_t(y) + state.translateY;
  const int64_t right = left + width, bottom = top + height;
  const int64_t centreLeft = left + radius, centreRight = right - radius;
  const int64_t centreTop = top + radius, centreBottom = bottom - radius;
  drawLineAbsolute(target, clip, colour, centreLeft, top, centreRight, top);
  drawLineAbsolute(target, clip, colour, centreLeft, bottom, centreRight, bottom);
  drawLineAbsolute(target, clip, colour, left, centreTop, left, centreBottom);
  drawLineAbsolute(target, clip, colour, right, centreTop, right, centreBottom);
  auto plotCorners = [&](int64_t dx, int64_t dy) {
    fillRectAbsolute(target, clip, colour, centreRight + dx, centreTop - dy, 1, 1);
    fillRectAbsolute(target, clip, colour, centreLeft - dx, centreTop - dy, 1, 1);
    fillRectAbsolute(target, clip, colour, centreLeft - dx, centreBottom + dy, 1, 1);
    fillRectAbsolute(target, clip, colour, centreRight + dx, centreBottom + dy, 1, 1);
  };
  // Points on the axes belong to the straight edges; each pixel is set
  // once so that a translucent colour blends evenly.
  walkCircleOctant(radius, [&](int64_t dx, int64_t dy, bool) {
    if (dx == 0) return;
    plotCorners(dx, dy);
    if (dx != dy) plotCorners(dy, dx);
  });
  return 0;
}

uint32_t fillRoundRect(const Surface& target, const GraphicsState& state, int32_t x, int32_t y, int32_t width,
                       int32_t height, int32_t arcWidth, int32_t) {
  const int64_t radius = cornerRadius(width, height, arcWidth);
  if (radius > maximumCurveRadius) return shapecheck::tooLarge;
  if (radius == 0) {
    fillRect(target, state, x, y, width, height);
    return 0;
  }
  const ClipBounds clip = effectiveClip(target, state);
  const uint32_t colour = state.colour;
  const int64_t left = int64_t(x) + state.translateX, top = int64_t(y) + state.translateY;
  const int64_t centreLeft = left + radius, centreRight = left + width - 1 - radius;
  const int64_t centreTop = top + radius, centreBottom = top + height - 1 - radius;
  fillRectAbsolute(target, clip, colour, left, centreTop, width, centreBottom - centreTop + 1);
  auto fillRowPair = [&](int64_t rowOffset, int64_t halfWidth) {
    const int64_t spanLeft = centreLeft - halfWidth, spanWidth = centreRight + halfWidth - spanLeft + 1;
    fillRectAbsolute(target, clip, colour, spanLeft, centreTop - rowOffset, spanWidth, 1);
    fillRectAbsolute(target, clip, colour, spanLeft, centreBottom + rowOffset, spanWidth, 1);
  };
  // Each row above and below the middle block is filled once, at the
  // widest point the circle reaches on it.
  walkCircleOctant(radius, [&](int64_t dx, int64_t dy, bool stepsDown) {
    if (dx >= 1 && dx < dy) fillRowPair(dx, dy);
    if (stepsDown || dx + 1 > dy - (stepsDown ? 1 : 0)) fillRowPair(dy, dx);
  });
  return 0;
}

}  // namespace raster
