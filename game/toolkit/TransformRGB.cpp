#include "game/toolkit/TransformRGB.h"

#include <cstddef>

#include "game/toolkit/SharedPixelBuffer.h"
#include "runtime/lang/ArrayChecks.h"
#include "runtime/lang/Arrays.h"

void transformPixels(const int32_t* source, int32_t* destination, int32_t width, int32_t height, int32_t flags) {
  const bool flipX = (flags & 1) != 0, flipY = (flags & 2) != 0;
  if ((flags & 4) == 0) {
    for (int32_t y = 0; y < height; ++y) {
      const int32_t* row = source + ptrdiff_t(flipY ? height - 1 - y : y) * width;
      int32_t* out = destination + ptrdiff_t(y) * width;
      if (flipX) {
        for (int32_t x = 0; x < width; ++x) out[x] = row[width - 1 - x];
      } else {
        for (int32_t x = 0; x < width; ++x) out[x] = row[x];
      }
    }
    return;
  }
  // The flipped source F is height wide and width high; a quarter turn
  // clockwise takes the output pixel (x, y) from F(y, width - 1 - x).
  const int32_t sourceWidth = height, sourceHeight = width;
  for (int32_t y = 0; y < height; ++y) {
    const int32_t fx = y;
    const int32_t sourceX = flipX ? sourceWidth - 1 - fx : fx;
    int32_t* out = destination + ptrdiff_t(y) * width;
    for (int32_t x = 0; x < width; ++x) {
      const int32_t fy = sourceHeight - 1 - x;
      const int32_t sourceY = flipY ? sourceHeight - 1 - fy : fy;
      out[x] = source[ptrdiff_t(sourceY) * sourceWidth + sourceX];
    }
  }
}

IntArray* transformRGB(IntArray* source, int32_t width, int32_t height, int32_t flags) {
  if ((flags & 7) == 0) return source;
  const int64_t count = int64_t(width) * height;
  if (source == nullptr || width < 0 || height < 0 || count > source->length()) {
    logFailedCheck("transformRGB");
    return nullptr;
  }
  IntArray* destination = scratchBlockFor(source, int32_t(count));
  if (destination == nullptr || count == 0) return destination;
  transformPixels(source->elements(), destination->elements(), width, height, flags);
  return destination;
}
