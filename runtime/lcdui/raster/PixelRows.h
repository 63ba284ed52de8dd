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

// The same three, reading the source backwards: destination[k] takes
// sourceFirst[-k], for mirrored blits.
void copyPixelsReversed(uint16_t* destination, const uint16_t* sourceFirst, size_t count);
void copyKeyedPixelsReversed(uint16_t* destination, const uint16_t* sourceFirst, size_t count);
void blendArgb4444PixelsReversed(uint16_t* destination, const uint16_t* sourceFirst, size_t count);

enum class PixelOperation { copy, keyedCopy, argb4444Blend };

// One 8x8 block of a blit that turns the source (transforms 4..7):
// sourceRuns[k] points at eight source pixels that land in destination
// column k, run pixel t in destination row t (row 7 - t with reverseRows).
void turnedBlock(PixelOperation operation, uint16_t* destination, ptrdiff_t destinationRowStep,
                 const uint16_t* const sourceRuns[8], bool reverseRows);

}  // namespace raster
