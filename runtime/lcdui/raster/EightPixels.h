#pragma once
// Eight 16-bit pixels in one 16-byte register (SSE2 or NEON), and the
// per-register steps the blit and row loops share. Loads and stores go
// through memcpy because rows start at any even address.
#include <cstdint>
#include <cstring>

#include "runtime/lcdui/raster/Surface.h"

namespace raster {

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
// interleaving: pixels, then pixel pairs, then groups of four. Written out
// so that all eight rows stay in registers.
[[gnu::always_inline]] inline void transpose(EightPixels& r0, EightPixels& r1, EightPixels& r2, EightPixels& r3,
                                             EightPixels& r4, EightPixels& r5, EightPixels& r6, EightPixels& r7) {
  using FourPairs = uint32_t __attribute__((vector_size(16)));
  using TwoQuads = uint64_t __attribute__((vector_size(16)));
  const FourPairs p0 = FourPairs(__builtin_shufflevector(r0, r1, 0, 8, 1, 9, 2, 10, 3, 11));
  const FourPairs p1 = FourPairs(__builtin_shufflevector(r0, r1, 4, 12, 5, 13, 6, 14, 7, 15));
  const FourPairs p2 = FourPairs(__builtin_shufflevector(r2, r3, 0, 8, 1, 9, 2, 10, 3, 11));
  const FourPairs p3 = FourPairs(__builtin_shufflevector(r2, r3, 4, 12, 5, 13, 6, 14, 7, 15));
  const FourPairs p4 = FourPairs(__builtin_shufflevector(r4, r5, 0, 8, 1, 9, 2, 10, 3, 11));
  const FourPairs p5 = FourPairs(__builtin_shufflevector(r4, r5, 4, 12, 5, 13, 6, 14, 7, 15));
  const FourPairs p6 = FourPairs(__builtin_shufflevector(r6, r7, 0, 8, 1, 9, 2, 10, 3, 11));
  const FourPairs p7 = FourPairs(__builtin_shufflevector(r6, r7, 4, 12, 5, 13, 6, 14, 7, 15));
  const TwoQuads q0 = TwoQuads(__builtin_shufflevector(p0, p2, 0, 4, 1, 5));
  const TwoQuads q1 = TwoQuads(__builtin_shufflevector(p0, p2, 2, 6, 3, 7));
  const TwoQuads q2 = TwoQuads(__builtin_shufflevector(p1, p3, 0, 4, 1, 5));
  const TwoQuads q3 = TwoQuads(__builtin_shufflevector(p1, p3, 2, 6, 3, 7));
  const TwoQuads q4 = TwoQuads(__builtin_shufflevector(p4, p6, 0, 4, 1, 5));
  const TwoQuads q5 = TwoQuads(__builtin_shufflevector(p4, p6, 2, 6, 3, 7));
  const TwoQuads q6 = TwoQuads(__builtin_shufflevector(p5, p7, 0, 4, 1, 5));
  const TwoQuads q7 = TwoQuads(__builtin_shufflevector(p5, p7, 2, 6, 3, 7));
  r0 = EightPixels(__builtin_shufflevector(q0, q4, 0, 2));
  r1 = EightPixels(__builtin_shufflevector(q0, q4, 1, 3));
  r2 = EightPixels(__builtin_shufflevector(q1, q5, 0, 2));
  r3 = EightPixels(__builtin_shufflevector(q1, q5, 1, 3));
  r4 = EightPixels(__builtin_shufflevector(q2, q6, 0, 2));
  r5 = EightPixels(__builtin_shufflevector(q2, q6, 1, 3));
  r6 = EightPixels(__builtin_shufflevector(q3, q7, 0, 2));
  r7 = EightPixels(__builtin_shufflevector(q3, q7, 1, 3));
}

}  // namespace raster
