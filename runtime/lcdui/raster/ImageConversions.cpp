#include "runtime/lcdui/raster/ImageConversions.h"

#include <algorithm>

#include "runtime/lcdui/raster/DrawRgb.h"
#include "runtime/lcdui/raster/Fill.h"
#include "runtime/lcdui/raster/GraphicsState.h"

namespace raster {
namespace {

using Wide = __int128;

uint32_t toArgb(uint16_t pixel, int32_t pixelType) {
  if (pixelType == argb4444)
    return ((pixel >> 12) * 17u) << 24 | (((pixel >> 8) & 0xF) * 17u) << 16 | (((pixel >> 4) & 0xF) * 17u) << 8 |
           (pixel & 0xF) * 17u;
  if (pixelType == keyedRgb565 && pixel == transparentKey) return 0;
  return 0xFF000000u | expandRed5(pixel >> 11) << 16 | expandGreen6((pixel >> 5) & 0x3F) << 8 |
         expandRed5(pixel & 0x1F);
}

}  // namespace

int32_t keyScanPixelType(const uint16_t* store, size_t elementCount) {
  if (!store) return opaqueRgb565;
  return std::find(store, store + elementCount, transparentKey) != store + elementCount ? keyedRgb565 : opaqueRgb565;
}

uint32_t expandRed5(uint32_t value) { return value * 255 / 31; }
uint32_t expandGreen6(uint32_t value) { return value * 255 / 63; }

uint32_t checkRgbImageArguments(const int32_t* rgb, size_t rgbLength, int32_t width, int32_t height) {
  uint32_t checks = 0;
  if (!rgb) checks |= rgbimagecheck::nullData;
  if (width <= 0 || height <= 0) checks |= rgbimagecheck::badSize;
  if (rgb && Wide(rgbLength) < Wide(width) * height) checks |= rgbimagecheck::shortData;
  return checks;
}

bool rgbImageNeedsAlpha(const int32_t* rgb, size_t rgbLength, bool processAlpha) {
  if (!processAlpha || !rgb) return false;
  for (size_t k = 0; k < rgbLength; ++k) {
    const uint32_t element = uint32_t(rgb[k]);
    const uint32_t alpha = element >> 24;
    if (alpha >= 1 && alpha <= 254 && (element & 0xFFFFFF) != 0xFF00FF) return true;
  }
  return false;
}

int32_t fillRgbImage(Surface& image, const int32_t* rgb, size_t rgbLength, bool processAlpha) {
  GraphicsState state = makeGraphicsState(image);
  if (image.pixelType == argb4444 || !processAlpha) {
    drawRGB(image, state, rgb, rgbLength, 0, image.width, 0, 0, image.width, image.height, processAlpha);
    return image.pixelType;
  }
  // Alpha-0 elements leave the key behind them.
  setColor(state, 0xFF00FF);
  fillRect(image, state, 0, 0, image.width, image.height);
  drawRGB(image, state, rgb, rgbLength, 0, image.width, 0, 0, image.width, image.height, true);
  image.pixelType = keyScanPixelType(image);
  return image.pixelType;
}

uint32_t getRGB(const Surface& image, int32_t* argb, size_t argbLength, int32_t offset, int32_t scanLength, int32_t x,
                int32_t y, int32_t width, int32_t height) {
  uint32_t checks = 0;
  if (!argb) checks |= getrgbcheck::nullData;
  if (argb && Wide(argbLength) < Wide(offset) + Wide(scanLength) * height) checks |= getrgbcheck::shortData;
  if (x < 0 || y < 0) checks |= getrgbcheck::originOutside;
  if (int64_t(x) + width > image.width || int64_t(y) + height > image.height) checks |= getrgbcheck::sizeOutside;
  const int32_t pixelType = image.pixelType;
  if (pixelType != opaqueRgb565 && pixelType != keyedRgb565 && pixelType != argb4444)
    return checks | getrgbcheck::badPixelType;
  if (!argb || !image.isUsable()) return checks;
  // Columns inside the image, then per row those whose element exists.
  const int64_t firstColumn = std::max<int64_t>(0, -int64_t(x));
  const int64_t endColumn = std::min<int64_t>(width, int64_t(image.width) - x);
  const int64_t firstRow = std::max<int64_t>(0, -int64_t(y));
  const int64_t endRow = std::min<int64_t>(height, int64_t(image.height) - y);
  for (int64_t row = firstRow; row < endRow; ++row) {
    const Wide rowStart = Wide(offset) + Wide(row) * scanLength;
    const Wide from = std::max<Wide>(firstColumn, -rowStart);
    const Wide to = std::min<Wide>(endColumn, Wide(argbLength) - rowStart);
    if (from >= to) continue;
    const uint16_t* imageRow = image.row(int32_t(y + row));
    for (int64_t column = int64_t(from); column < int64_t(to); ++column)
      argb[size_t(rowStart + column)] = int32_t(toArgb(imageRow[x + column], pixelType));
  }
  return checks;
}

}  // namespace raster
