#pragma once
// drawLine (clipped, then a Bresenham walk) and drawRect made of four lines.
#include <cstdint>

#include "runtime/lcdui/raster/Clip.h"
#include "runtime/lcdui/raster/GraphicsState.h"
#include "runtime/lcdui/raster/Surface.h"

namespace raster {

void drawLine(const Surface& target, const GraphicsState& state, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// Covers width + 1 by height + 1 pixels.
void drawRect(const Surface& target, const GraphicsState& state, int32_t x, int32_t y, int32_t width, int32_t height);

// In absolute target coordinates, end points included.
void drawLineAbsolute(const Surface& target, const ClipBounds& clip, uint32_t colour, int64_t x1, int64_t y1,
                      int64_t x2, int64_t y2);

}  // namespace raster
