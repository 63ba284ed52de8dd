#include "runtime/lcdui/raster/Fill.h"
#include "runtime/lcdui/raster/Shapes.h"

namespace raster {
namespace {

// Negative angles are turned into the same arc swept anticlockwise from a
// start in 0..359, so that an arc given clockwise (a vertically flipped
// one) still draws. A start or end above 360 comes into 1..360.
void normaliseArc(int32_t startAngle, int32_t arcAngle, int64_t& start, int64_t& end) {
  start = startAngle;
  int64_t sweep = arcAngle;
  if (sweep < 0) {
    start += sweep;
    sweep = -sweep;
  }
  if (start < 0) start = (start % 360 + 360) % 360;
  if (start > 360) start = (start - 1) % 360 + 1;
  end = start + sweep;
  if (end > 360) end = (end - 1) % 360 + 1;
}

// The midpoint ellipse algorithm over one quadrant, from (0, b) down to
// y = 0. 128-bit decision values: a and b reach 2^30 and the terms a^2 * b.
template <class Visit>
void walkEllipseQuadrant(int64_t a, int64_t b, Visit visit) {
  using Wide = __int128;
  const Wide a2 = Wide(a) * a, b2 = Wide(b) * b;
  int64_t x = 0, y = b;
  Wide dx = 0, dy = 2 * a2 * y;
  // round(b^2 - a^2 b + a^2 / 4)
  Wide decision = b2 - a2 * b + ((a2 + 2) >> 2);
  while (dx < dy) {
    visit(x, y);
    ++x;
    dx += 2 * b2;
    if (decision < 0) {
      decision += dx + b2;
    } else {
      --y;
      dy -= 2 * a2;
      decision += dx - dy + b2;
    }
  }
  // round(b^2 (x + 1/2)^2 + a^2 (y - 1)^2 - a^2 b^2)
  decision = b2 * (Wide(x) * x + x) + ((b2 + 2) >> 2) + a2 * (Wide(y - 1) * (y - 1)) - a2 * b2;
  while (y >= 0) {
    visit(x, y);
    --y;
    dy -= 2 * a2;
    if (decision > 0) {
      decision += a2 - dy;
    } else {
      ++x;
      dx += 2 * b2;
      decision += dx - dy + a2;
    }
  }
}

template <bool filled>
uint32_t paintArc(const Surface& target, const GraphicsState& state, int32_t x, int32_t y, int32_t width, int32_t height,
              int32_t startAngle, int32_t arcAngle) {
  const uint32_t quadrants = arcQuadrants(startAngle, arcAngle);
  const ClipBounds clip = effectiveClip(target, state);
  if (quadrants == 0 || clip.isEmpty()) return 0;
  const int64_t a = width >> 1, b = height >> 1;
  if (a > maximumCurveRadius || a < -maximumCurveRadius || b > maximumCurveRadius) return shapecheck::tooLarge;
  const int64_t centreX = int64_t(x) + a + state.translateX, centreY = int64_t(y) + b + state.translateY;
  const uint32_t colour = state.colour;
  walkEllipseQuadrant(a, b, [&](int64_t dx, int64_t dy) {
    for (uint32_t quadrant = 0; quadrant < 4; ++quadrant) {
      if (!(quadrants & (1u << quadrant))) continue;
      const bool leftHalf = quadrant == 1 || quadrant == 2;
      const int64_t row = quadrant < 2 ? centreY - dy : centreY + dy;
      if (filled)
        fillRectAbsolute(target, clip, colour, leftHalf ? centreX - dx : centreX, row, dx + 1, 1);
      else
        fillRectAbsolute(target, clip, colour, leftHalf ? centreX - dx : centreX + dx, row, 1, 1);
    }
  });
  return 0;
}

}  // namespace

uint32_t arcQuadrants(int32_t startAngle, int32_t arcAngle) {
  int64_t start, end;
  normaliseArc(startAngle, arcAngle, start, end);
  uint32_t quadrants = 0;
  if (start == 0 && end >= 90) quadrants |= 1;
  if (start <= 90 && end >= 180) quadrants |= 2;
  if (start <= 180 && end >= 270) quadrants |= 4;
  if (start <= 270 && end == 360) quadrants |= 8;
  return quadrants;
}

uint32_t drawArc(const Surface& target, const GraphicsState& state, int32_t x, int32_t y, int32_t width,
                 int32_t height, int32_t startAngle, int32_t arcAngle) {
  return paintArc<false>(target, state, x, y, width, height, startAngle, arcAngle);
}

uint32_t fillArc(const Surface& target, const GraphicsState& state, int32_t x, int32_t y, int32_t width,
                 int32_t height, int32_t startAngle, int32_t arcAngle) {
  return paintArc<true>(target, state, x, y, width, height, startAngle, arcAngle);
}

}  // namespace raster
