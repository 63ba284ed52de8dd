#pragma once
// fillRect: opaque colours set pixels, translucent ones blend (blendFill).
#include <cstdint>

#include "runtime/lcdui/raster/Clip.h"
#include "runtime/lcdui/raster/GraphicsState.h"
#include "runtime/lcdui/raster/Surface.h"

namespace raster {

void fillRect(const Surface& target, const GraphicsState& state, int32_t x, int32_t y, int32_t width, int32_t height);

// The same in absolute target coordinates: what arcs, triangles and round
// rectangles fill through once they have added the translation.
void fillRectAbsolute(const Surface& target, const ClipBounds& clip, uint32_t colour, int64_t x, int64_t y,
                      int64_t width, int64_t height);

}  // namespace raster
