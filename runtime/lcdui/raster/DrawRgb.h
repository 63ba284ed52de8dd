#pragma once
// drawRGB: ARGB integers into the target. An ARGB4444 target stores them
// as ARGB4444; any other is written as RGB565, opaque or, with
// processAlpha, blended by each element's alpha.
#include <cstddef>
#include <cstdint>

#include "runtime/lcdui/raster/GraphicsState.h"
#include "runtime/lcdui/raster/Surface.h"

namespace raster {

// What drawRGB found wrong, for the natives layer to log. With nullData
// ("drawRGB rgbData") nothing is drawn; with sourceOutside the pixels whose
// element lies outside the array are left as they are.
namespace rgbcheck {
constexpr uint32_t nullData = 1;
constexpr uint32_t sourceOutside = 2;
}  // namespace rgbcheck

uint32_t drawRGB(const Surface& target, const GraphicsState& state, const int32_t* rgbData, size_t rgbLength,
                 int32_t offset, int32_t scanLength, int32_t x, int32_t y, int32_t width, int32_t height,
                 bool processAlpha);

}  // namespace raster
