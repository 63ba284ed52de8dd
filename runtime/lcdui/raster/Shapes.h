#pragma once
// Arcs, triangles and round rectangles. All of them fill through
// fillRectAbsolute or draw through drawLineAbsolute, so translation, clip
// and the colour's alpha apply as for fillRect and drawLine.
#include <cstdint>

#include "runtime/lcdui/raster/GraphicsState.h"
#include "runtime/lcdui/raster/Surface.h"

namespace raster {

// Only whole quadrants are drawn: 0 (upper right) when start = 0 and
// end >= 90, 1 when start <= 90 and end >= 180, 2 when start <= 180 and
// end >= 270, 3 when start <= 270 and end = 360.
void drawArc(const Surface& target, const GraphicsState& state, int32_t x, int32_t y, int32_t width, int32_t height,
             int32_t startAngle, int32_t arcAngle);
void fillArc(const Surface& target, const GraphicsState& state, int32_t x, int32_t y, int32_t width, int32_t height,
             int32_t startAngle, int32_t arcAngle);

// The bit mask of the quadrants an arc covers (bit q for quadrant q).
uint32_t arcQuadrants(int32_t startAngle, int32_t arcAngle);

void fillTriangle(const Surface& target, const GraphicsState& state, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                  int32_t x3, int32_t y3);

// One circular corner radius, max(arcWidth - 2, 0) / 2, for all corners;
// arcHeight is not used. The outline covers width + 1 by height + 1 pixels
// like drawRect, the fill width by height like fillRect.
void drawRoundRect(const Surface& target, const GraphicsState& state, int32_t x, int32_t y, int32_t width,
                   int32_t height, int32_t arcWidth, int32_t arcHeight);
void fillRoundRect(const Surface& target, const GraphicsState& state, int32_t x, int32_t y, int32_t width,
                   int32_t height, int32_t arcWidth, int32_t arcHeight);

}  // namespace raster
