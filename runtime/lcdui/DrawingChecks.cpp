#include "runtime/lcdui/DrawingChecks.h"

#include <cstdio>

#include "runtime/lang/ArrayChecks.h"
#include "runtime/lcdui/raster/DrawRegion.h"
#include "runtime/lcdui/raster/DrawRgb.h"
#include "runtime/lcdui/raster/GraphicsState.h"
#include "runtime/lcdui/raster/ImageConversions.h"
#include "runtime/lcdui/raster/Shapes.h"

namespace lcdui {
namespace {

struct CheckMessage {
  uint32_t bit;
  const char* text;
};

template <size_t count>
void logEach(uint32_t checks, const CheckMessage (&messages)[count]) {
  for (const CheckMessage& message : messages)
    if (checks & message.bit) logFailedCheck(message.text);
}

}  // namespace

void logColourChecks(uint32_t checks) {
  static constexpr CheckMessage messages[] = {{raster::colourcheck::red, "setColor r"},
                                              {raster::colourcheck::green, "setColor g"},
                                              {raster::colourcheck::blue, "setColor b"}};
  logEach(checks, messages);
}

void logRegionChecks(uint32_t checks) {
  static constexpr CheckMessage messages[] = {{raster::regioncheck::nullSource, "drawRegion pSrc"},
                                              {raster::regioncheck::sourceX, "drawRegion x_src"},
                                              {raster::regioncheck::sourceY, "drawRegion y_src"},
                                              {raster::regioncheck::badTransform, "drawRegion transform"},
                                              {raster::regioncheck::badPixelType, "m_pixelType"}};
  logEach(checks, messages);
}

void logRgbChecks(uint32_t checks) {
  static constexpr CheckMessage messages[] = {{raster::rgbcheck::nullData, "drawRGB rgbData"},
                                              {raster::rgbcheck::sourceOutside, "drawRGB rgbData too short"}};
  logEach(checks, messages);
}

void logShapeChecks(uint32_t checks, const char* operation) {
  if (checks & raster::shapecheck::tooLarge) {
    char message[96];
    std::snprintf(message, sizeof message, "%s too large to draw", operation);
    logFailedCheck(message);
  }
}

void logRgbImageChecks(uint32_t checks) {
  static constexpr CheckMessage messages[] = {{raster::rgbimagecheck::nullData, "createRGBImage rgbData"},
                                              {raster::rgbimagecheck::badSize, "createRGBImage width, height"},
                                              {raster::rgbimagecheck::shortData, "createRGBImage length"}};
  logEach(checks, messages);
}

void logGetRgbChecks(uint32_t checks) {
  static constexpr CheckMessage messages[] = {{raster::getrgbcheck::nullData, "getRGB argb null"},
                                              {raster::getrgbcheck::shortData, "getRGB length"},
                                              {raster::getrgbcheck::originOutside, "getRGB x,y outside"},
                                              {raster::getrgbcheck::sizeOutside, "getRGB width,height outside"},
                                              {raster::getrgbcheck::badPixelType, "m_pixelType"}};
  logEach(checks, messages);
}

}  // namespace lcdui
