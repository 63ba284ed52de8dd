#pragma once
// The inner loops of fills and untransformed blits, one row at a time. They
// carry almost every pixel of a frame, so they work eight pixels a step.
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace raster {

void fillPixels(uint16_t* destination, size_t count, uint16_t value);

// Eight pixels of one value, for runs of 8 to 64 pixels.
using FillPattern = uint16_t __attribute__((vector_size(16)));
inline FillPattern fillPattern(uint16_t value) { return FillPattern{} + value; }
inline void fillShortRun(uint16_t* destination, size_t count, FillPattern pattern) {
  size_t done = 0;
  for (; done + 8 <= count; done += 8) std::memcpy(destination + done, &pattern, sizeof pattern);
  if (done != count) std::memcpy(destination + count - 8, &pattern, sizeof pattern);
}

inline void copyPixels(uint16_t* destination, const uint16_t* source, size_t count) {
  std::memcpy(destination, source, count * sizeof(uint16_t));
}

// Copies every source pixel except the transparent key.
void copyKeyedPixels(uint16_t* destination, const uint16_t* source, size_t count);

// Blends ARGB4444 source pixels into RGB565 (blendArgb4444, bit for bit).
void blendArgb4444Pixels(uint16_t* destination, const uint16_t* source, size_t count);

}  // namespace raster
