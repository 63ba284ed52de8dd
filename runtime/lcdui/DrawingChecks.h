#pragma once
// The logged checks of the Graphics and Image natives. The kernels answer
// what they found as bits; these write one message per bit, in the order
// callers have always seen them, each with a stack trace. Nothing is thrown.
#include <cstdint>

namespace lcdui {

// "setColor r", "setColor g", "setColor b" (raster::colourcheck bits).
void logColourChecks(uint32_t checks);
// "drawRegion pSrc", "drawRegion x_src", "drawRegion y_src",
// "drawRegion transform", "m_pixelType" (raster::regioncheck bits).
void logRegionChecks(uint32_t checks);
// "drawRGB rgbData", then ours for elements outside the array
// (raster::rgbcheck bits).
void logRgbChecks(uint32_t checks);
// Ours, naming the shape that was too large to walk (raster::shapecheck).
void logShapeChecks(uint32_t checks, const char* operation);
// "createRGBImage rgbData", "createRGBImage width, height",
// "createRGBImage length" (raster::rgbimagecheck bits).
void logRgbImageChecks(uint32_t checks);
// "getRGB argb null", "getRGB length", "getRGB x,y outside",
// "getRGB width,height outside", "m_pixelType" (raster::getrgbcheck bits).
void logGetRgbChecks(uint32_t checks);

}  // namespace lcdui
