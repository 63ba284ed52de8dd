#pragma once
// A literal, pixel-at-a-time rendering of every drawing entry point, for
// the differential test: the clip arithmetic, the walks and the blends
// exactly as the drawing rules state them, with no fast paths. Where the
// kernels only draw what exists (a region outside its source, elements
// outside an array), the walk is the same and each missing pixel is skipped.
#include <cstddef>
#include <cstdint>

#include "runtime/lcdui/raster/GraphicsState.h"
#include "runtime/lcdui/raster/Surface.h"

namespace reference {

using raster::GraphicsState;
using raster::Surface;

void fillRect(const Surface& target, const GraphicsState& state, int64_t x, int64_t y, int64_t width, int64_t height);
void drawLine(const Surface& target, const GraphicsState& state, int64_t x1, int64_t y1, int64_t x2, int64_t y2);
void drawRect(const Surface& target, const GraphicsState& state, int32_t x, int32_t y, int32_t width, int32_t height);
void drawArc(const Surface& target, const GraphicsState& state, int32_t x, int32_t y, int32_t width, int32_t height,
             int32_t startAngle, int32_t arcAngle, bool filled);
void fillTriangle(const Surface& target, const GraphicsState& state, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                  int32_t x3, int32_t y3);
uint32_t drawRGB(const Surface& target, const GraphicsState& state, const int32_t* rgbData, size_t rgbLength,
                 int32_t offset, int32_t scanLength, int32_t x, int32_t y, int32_t width, int32_t height,
                 bool processAlpha);
uint32_t drawRegion(const Surface& target, const GraphicsState& state, const Surface* source, int32_t xSource,
                    int32_t ySource, int32_t width, int32_t height, int32_t transform, int32_t xDest, int32_t yDest,
                    int32_t anchor);

}  // namespace reference
