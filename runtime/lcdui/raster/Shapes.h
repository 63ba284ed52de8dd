#pragma once
// Arcs, triangles and round rectangles. All of them fill through
// fillRectAbsolute or draw through drawLineAbsolute, so translation, clip
// and the colour's alpha apply as for fillRect and drawLine.
#include <cstdint>

#include "runtime/lcdui/raster/GraphicsState.h"
#include "runtime/lcdui/raster/Surface.h"

namespace raster {

// Ellipses and corner circles are walked point by point, so their cost
// grows with their size: one wider or taller than this is refused (nothing
// drawn, shapecheck::tooLarge answered) rather than stalling the frame.
constexpr int64_t maximumCurveRadius = int64_t(1) << 20;

namespace shapecheck {
constexpr uint32_t tooLarge = 1;
}  // namespace shapecheck

// Only whole quadrants are drawn: 0 (upper right) when start = 0 and
// end >= 90, 1 when start <= 90 and end >= 180, 2 when start <= 180 and
// end >= 270, 3 when start <= 270 and end = 360.
uint32_t drawArc(const Surface& target, const GraphicsState& state, int32_t x, int32_t y, int32_t width,
                 int32_t height, int32_t startAngle, int32_t arcAngle);
uint32_t fillArc(const Surface& target, const GraphicsState& state, int32_t x, int32_t y, int32_t width,
                 int32_t height, int32_t startAngle, int32_t arcAngle);

// The bit mask of the quadrants an arc covers (bit q for quadrant q).
uint32_t arcQuadrants(int32_t startAngle, int32_t arcAngle);

void fillTriangle(const Surface& target, const GraphicsState& state, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                  int32_t x3, int32_t y3);

// One circular corner radius, max(arcWidth - 2, 0) / 2, for all corners;
// arcHeight is not used. The outline covers width + 1 by height + 1 pixels
// like drawRect, the fill width by height like fillRect.
uint32_t drawRoundRect(const Surface& target, const GraphicsState& state, int32_t x, int32_t y, int32_t width,
                       int32_t height, int32_t arcWidth, int32_t arcHeight);
uint32_t fillRoundRect(const Surface& target, const GraphicsState& state, int32_t x, int32_t y, int32_t width,
                       int32_t height, int32_t arcWidth, int32_t arcHeight);

}  // namespace raster
