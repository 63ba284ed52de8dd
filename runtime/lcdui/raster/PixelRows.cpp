#include "runtime/lcdui/raster/PixelRows.h"

#include <cwchar>

#include "runtime/lcdui/raster/Blend.h"
#include "runtime/lcdui/raster/Surface.h"

namespace raster {
namespace {

// Eight pixels in one 16-byte register (SSE2 or NEON); loads and stores go
// through memcpy because rows start at any even address.
using EightPixels = uint16_t __attribute__((vector_size(16)));
using EightFields = int16_t __attribute__((vector_size(16)));

inline EightPixels load(const uint16_t* at) {
  EightPixels pixels;
  std::memcpy(&pixels, at, sizeof pixels);
  return pixels;
}

inline void store(uint16_t* at, EightPixels pixels) { std::memcpy(at, &pixels, sizeof pixels); }

inline EightPixels keyedStep(EightPixels target, EightPixels source) {
  const EightPixels isKey = EightPixels(source == transparentKey);
  return (target & isKey) | (source & ~isKey);
}

// The products (s - d) * a stay within +-63 * 255, so 16-bit lanes hold them.
inline EightPixels blendStep(EightPixels targetPixels, EightPixels sourcePixels) {
  const EightFields source = EightFields(sourcePixels);
  const EightFields target = EightFields(targetPixels);
  const EightFields alpha = ((source >> 12) & 0xF) * 17;
  const EightFields sourceRed = ((source >> 8) & 0xF) * 2;
  const EightFields sourceGreen = ((source >> 4) & 0xF) * 4;
  const EightFields sourceBlue = (source & 0xF) * 2;
  const EightFields red = (target >> 11) & 0x1F;
  const EightFields green = (target >> 5) & 0x3F;
  const EightFields blue = target & 0x1F;
  const EightPixels newRed = EightPixels(red + (((sourceRed - red) * alpha) >> 8));
  const EightPixels newGreen = EightPixels(green + (((sourceGreen - green) * alpha) >> 8));
  const EightPixels newBlue = EightPixels(blue + (((sourceBlue - blue) * alpha) >> 8));
  return (newRed << 11) | (newGreen << 5) | newBlue;
}

constexpr size_t longRun = 64;

// Eight source pixels ending at `last`, in reverse order: the four pixel
// pairs reversed, then each pair swapped, which plain SSE2 does in three
// instructions where a lane-by-lane shuffle would not.
inline EightPixels loadReversed(const uint16_t* last) {
  using FourPairs = uint32_t __attribute__((vector_size(16)));
  FourPairs pairs = FourPairs(load(last - 7));
  pairs = __builtin_shufflevector(pairs, pairs, 3, 2, 1, 0);
  return EightPixels((pairs << 16) | (pairs >> 16));
}

// Row k of the input becomes column k of the output, in three rounds of
// interleaving: pixels, then pixel pairs, then groups of four.
inline void transpose(EightPixels rows[8]) {
  using FourPairs = uint32_t __attribute__((vector_size(16)));
  using TwoQuads = uint64_t __attribute__((vector_size(16)));
  FourPairs pairs[8];
  for (int k = 0; k < 8; k += 2) {
    pairs[k] = FourPairs(__builtin_shufflevector(rows[k], rows[k + 1], 0, 8, 1, 9, 2, 10, 3, 11));
    pairs[k + 1] = FourPairs(__builtin_shufflevector(rows[k], rows[k + 1], 4, 12, 5, 13, 6, 14, 7, 15));
  }
  TwoQuads quads[8];
  for (int k = 0; k < 8; k += 4) {
    quads[k] = TwoQuads(__builtin_shufflevector(pairs[k], pairs[k + 2], 0, 4, 1, 5));
    quads[k + 1] = TwoQuads(__builtin_shufflevector(pairs[k], pairs[k + 2], 2, 6, 3, 7));
    quads[k + 2] = TwoQuads(__builtin_shufflevector(pairs[k + 1], pairs[k + 3], 0, 4, 1, 5));
    quads[k + 3] = TwoQuads(__builtin_shufflevector(pairs[k + 1], pairs[k + 3], 2, 6, 3, 7));
  }
  for (int k = 0; k < 4; ++k) {
    rows[2 * k] = EightPixels(__builtin_shufflevector(quads[k], quads[k + 4], 0, 2));
    rows[2 * k + 1] = EightPixels(__builtin_shufflevector(quads[k], quads[k + 4], 1, 3));
  }
}

template <class Step>
void storeTurnedBlock(uint16_t* destination, ptrdiff_t destinationRowStep, const uint16_t* const sourceRuns[8],
                      bool reverseRows, Step step) {
  EightPixels block[8];
  for (int k = 0; k < 8; ++k) block[k] = load(sourceRuns[k]);
  transpose(block);
  for (int t = 0; t < 8; ++t) {
    uint16_t* row = destination + (reverseRows ? 7 - t : t) * destinationRowStep;
    store(row, step(load(row), block[t]));
  }
}

template <class Step, class Pixel>
void reversedRow(uint16_t* destination, const uint16_t* sourceFirst, size_t count, Step step, Pixel pixel) {
  size_t k = 0;
  for (; k + 8 <= count; k += 8) store(destination + k, step(load(destination + k), loadReversed(sourceFirst - k)));
  for (; k < count; ++k) pixel(destination[k], *(sourceFirst - k));
}

}  // namespace

void fillPixels(uint16_t* destination, size_t count, uint16_t value) {
  if (count < 8) {
    for (size_t i = 0; i < count; ++i) destination[i] = value;
    return;
  }
  // Long runs go to the C library's wide fill, which picks the widest
  // stores the processor has; pixels go in pairs from a 4-byte boundary.
  static_assert(sizeof(wchar_t) == 4);
  if (count >= longRun) {
    if (reinterpret_cast<uintptr_t>(destination) & 2) {
      *destination++ = value;
      --count;
    }
    std::wmemset(reinterpret_cast<wchar_t*>(destination), wchar_t(uint32_t(value) * 0x10001u), count / 2);
    if (count & 1) destination[count - 1] = value;
    return;
  }
  const EightPixels pattern = EightPixels{} + value;
  uint16_t* const end = destination + count;
  while (end - destination >= 32) {
    store(destination, pattern);
    store(destination + 8, pattern);
    store(destination + 16, pattern);
    store(destination + 24, pattern);
    destination += 32;
  }
  while (end - destination >= 8) {
    store(destination, pattern);
    destination += 8;
  }
  // Filling twice is harmless, so the tail is one overlapping store.
  if (destination != end) store(end - 8, pattern);
}

void copyKeyedPixels(uint16_t* destination, const uint16_t* source, size_t count) {
  size_t i = 0;
  for (; i + 8 <= count; i += 8) store(destination + i, keyedStep(load(destination + i), load(source + i)));
  // A keyed copy is idempotent too: redo the last eight rather than loop.
  if (i != count && count >= 8) {
    const size_t last = count - 8;
    store(destination + last, keyedStep(load(destination + last), load(source + last)));
    return;
  }
  for (; i < count; ++i)
    if (source[i] != transparentKey) destination[i] = source[i];
}

void blendArgb4444Pixels(uint16_t* destination, const uint16_t* source, size_t count) {
  size_t i = 0;
  for (; i + 8 <= count; i += 8) store(destination + i, blendStep(load(destination + i), load(source + i)));
  for (; i < count; ++i) destination[i] = blendArgb4444(destination[i], source[i]);
}

}  // namespace raster

namespace raster {

void copyPixelsReversed(uint16_t* destination, const uint16_t* sourceFirst, size_t count) {
  reversedRow(
      destination, sourceFirst, count, [](EightPixels, EightPixels source) { return source; },
      [](uint16_t& target, uint16_t source) { target = source; });
}

void copyKeyedPixelsReversed(uint16_t* destination, const uint16_t* sourceFirst, size_t count) {
  reversedRow(destination, sourceFirst, count, keyedStep, [](uint16_t& target, uint16_t source) {
    if (source != transparentKey) target = source;
  });
}

void blendArgb4444PixelsReversed(uint16_t* destination, const uint16_t* sourceFirst, size_t count) {
  reversedRow(destination, sourceFirst, count, blendStep,
              [](uint16_t& target, uint16_t source) { target = blendArgb4444(target, source); });
}

}  // namespace raster

namespace raster {

void turnedBlock(PixelOperation operation, uint16_t* destination, ptrdiff_t destinationRowStep,
                 const uint16_t* const sourceRuns[8], bool reverseRows) {
  switch (operation) {
    case PixelOperation::copy:
      storeTurnedBlock(destination, destinationRowStep, sourceRuns, reverseRows,
                       [](EightPixels, EightPixels source) { return source; });
      break;
    case PixelOperation::keyedCopy:
      storeTurnedBlock(destination, destinationRowStep, sourceRuns, reverseRows, keyedStep);
      break;
    case PixelOperation::argb4444Blend:
      storeTurnedBlock(destination, destinationRowStep, sourceRuns, reverseRows, blendStep);
      break;
  }
}

}  // namespace raster
