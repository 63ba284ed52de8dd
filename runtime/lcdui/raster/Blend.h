#pragma once
// The blend formulas. They differ on purpose: each drawing path keeps the
// rounding its pictures were made with. Floors are arithmetic right shifts.
#include <cstdint>

namespace raster {

// fillRect with a translucent colour: the target keeps (256 - a) / 256 of
// its fields, the colour's 8-bit channels add in at a / 256 of their top
// bits. alpha is 0..254; alpha 0 leaves the target as it was.
inline uint16_t blendFill(uint16_t target, uint32_t colour, int32_t alpha) {
  const int32_t keep = 256 - alpha;
  const int32_t red = ((int32_t(target >> 11) * keep) >> 8) + ((int32_t((colour >> 16) & 0xFF) * alpha) >> 11);
  const int32_t green = ((int32_t((target >> 5) & 0x3F) * keep) >> 8) + ((int32_t((colour >> 8) & 0xFF) * alpha) >> 10);
  const int32_t blue = ((int32_t(target & 0x1F) * keep) >> 8) + ((int32_t(colour & 0xFF) * alpha) >> 11);
  return uint16_t((red << 11) | (green << 5) | blue);
}

// Lines, drawRGB and ARGB4444 sources: each RGB565 field moves towards the
// source field by floor((s - d) * a / 256), a being 0..255.
inline uint16_t blendTowards(uint16_t target, int32_t red5, int32_t green6, int32_t blue5, int32_t alpha) {
  const int32_t red = int32_t(target >> 11);
  const int32_t green = int32_t((target >> 5) & 0x3F);
  const int32_t blue = int32_t(target & 0x1F);
  return uint16_t(((red + (((red5 - red) * alpha) >> 8)) << 11) | ((green + (((green6 - green) * alpha) >> 8)) << 5) |
                  (blue + (((blue5 - blue) * alpha) >> 8)));
}

inline uint16_t blendTowardsRgb565(uint16_t target, uint16_t source, int32_t alpha) {
  return blendTowards(target, source >> 11, (source >> 5) & 0x3F, source & 0x1F, alpha);
}

// An ARGB4444 source pixel: weight A * 17, fields R * 2, G * 4, B * 2, so
// opaque white lands as 29/59/29 and never quite reaches the source.
inline uint16_t blendArgb4444(uint16_t target, uint16_t source) {
  return blendTowards(target, ((source >> 8) & 0xF) * 2, ((source >> 4) & 0xF) * 4, (source & 0xF) * 2,
                      (source >> 12) * 17);
}

}  // namespace raster
