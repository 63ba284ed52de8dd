#pragma once
// The pixel work of the Image natives: the key scan, building an image from
// ARGB integers (createRGBImage) and reading pixels back as ARGB (getRGB).
#include <cstddef>
#include <cstdint>

#include "runtime/lcdui/raster/Surface.h"

namespace raster {

// keyedRgb565 when any element of the store (pad pixels included) is the
// transparent key, else opaqueRgb565.
int32_t keyScanPixelType(const uint16_t* store, size_t elementCount);
inline int32_t keyScanPixelType(const Surface& image) { return keyScanPixelType(image.pixels, image.elementCount()); }

// RGB565 fields back to 8 bits: floor(v * 255 / 31) and floor(v * 255 / 63).
uint32_t expandRed5(uint32_t value);
uint32_t expandGreen6(uint32_t value);

// createRGBImage's checks, logged by the natives layer as
// "createRGBImage rgbData", "createRGBImage width, height",
// "createRGBImage length".
namespace rgbimagecheck {
constexpr uint32_t nullData = 1;
constexpr uint32_t badSize = 2;
constexpr uint32_t shortData = 4;
}  // namespace rgbimagecheck

uint32_t checkRgbImageArguments(const int32_t* rgb, size_t rgbLength, int32_t width, int32_t height);

// With processAlpha the whole array is scanned: the image needs alpha
// (argb4444) when some element has alpha 1..254 and a colour other than
// magenta.
bool rgbImageNeedsAlpha(const int32_t* rgb, size_t rgbLength, bool processAlpha);

// Fills a new, zeroed image of the type rgbImageNeedsAlpha chose (argb4444
// when it needs alpha, else opaqueRgb565) from the elements, and answers
// the image's final pixel type. Elements missing from a short array leave
// their pixels as they were.
int32_t fillRgbImage(Surface& image, const int32_t* rgb, size_t rgbLength, bool processAlpha);

// getRGB's checks, logged as "getRGB argb null", "getRGB length",
// "getRGB x,y outside", "getRGB width,height outside", "m_pixelType".
namespace getrgbcheck {
constexpr uint32_t nullData = 1;
constexpr uint32_t shortData = 2;
constexpr uint32_t originOutside = 4;
constexpr uint32_t sizeOutside = 8;
constexpr uint32_t badPixelType = 16;
}  // namespace getrgbcheck

// Only pixels that lie inside the image and whose element lies inside the
// array are written; the rest of the array is left alone.
uint32_t getRGB(const Surface& image, int32_t* argb, size_t argbLength, int32_t offset, int32_t scanLength, int32_t x,
                int32_t y, int32_t width, int32_t height);

}  // namespace raster
