#pragma once
// The first look at PNG data: a walk over its chunks that finds the header
// without decoding anything, and stops at the data's end.
#include <cstddef>
#include <cstdint>

namespace png {

struct PngHeader {
  bool found = false;  // an IHDR lay wholly inside the data
  uint32_t width = 0;
  uint32_t height = 0;
  uint8_t bitDepth = 0;
  uint8_t colourType = 0;
  bool transparencyChunk = false;  // a tRNS chunk was seen
};

// Skips the 8-byte signature (unchecked), then reads chunk after chunk:
// length, type, body, CRC (unchecked), up to and including IEND. A chunk
// that runs past the end of the data ends the walk.
PngHeader walkPngChunks(const uint8_t* data, size_t length);

// A chunk length or header field as PNG stores it.
uint32_t readBigEndian32(const uint8_t* at);

}  // namespace png
