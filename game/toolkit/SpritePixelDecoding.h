#pragma once
// The sprite pixel encodings, decoded from a module's own bytes into ARGB
// pixels over plain memory, so the sprite, the benchmark and the fuzzer share
// one implementation.
#include <cstddef>
#include <cstdint>

namespace spriteencoding {
constexpr int32_t packed1 = 0x0200;
constexpr int32_t packed2 = 0x0400;
constexpr int32_t packed4 = 0x1600;
constexpr int32_t bytes = 0x5602;
constexpr int32_t singleOrRun = 0x27F1;  // b < 128: one pixel; else a run
constexpr int32_t runOrLiterals = 0x56F2;  // b < 128: a run; else literals
constexpr int32_t packedRuns = 0x64F0;
constexpr int32_t runsWithAlpha = 0xA256;  // 0x56F2, then an alpha pass
constexpr int32_t packedRunsUndefined = 0xA640;  // only sets the index bits
}  // namespace spriteencoding

// The transparent key the palette formats produce; also what an index past
// the palette's colours draws.
constexpr int32_t spriteTransparentKey = 0x00FF00FF;

struct SpritePixelSource {
  const uint8_t* bytes;  // the module's own encoded bytes
  size_t size;
  int32_t encoding;
  int32_t indexBits;  // packed runs: bits of the run length shift
  int32_t indexMask;
};

// Decodes exactly count pixels into out through palette (colours entries;
// indices at or past colours give spriteTransparentKey). Never reads past
// size bytes nor writes past count pixels. False when the encoding is not
// one of the eight or the bytes end before count pixels.
bool decodeSpritePixels(const SpritePixelSource& source, const int32_t* palette, int32_t colours, int32_t* out,
                        int32_t count);
