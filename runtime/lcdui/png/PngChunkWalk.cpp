#include "runtime/lcdui/png/PngChunkWalk.h"

#include <cstring>

namespace png {

uint32_t readBigEndian32(const uint8_t* at) {
  return uint32_t(at[0]) << 24 | uint32_t(at[1]) << 16 | uint32_t(at[2]) << 8 | uint32_t(at[3]);
}

PngHeader walkPngChunks(const uint8_t* data, size_t length) {
  PngHeader header;
  if (!data) return header;
  size_t position = 8;
  constexpr size_t lengthAndType = 8, crc = 4;
  while (position <= length && length - position >= lengthAndType) {
    const uint32_t bodyLength = readBigEndian32(data + position);
    const uint8_t* type = data + position + 4;
    position += lengthAndType;
    if (length - position < size_t(bodyLength) + crc) break;
    const uint8_t* body = data + position;
    if (std::memcmp(type, "IHDR", 4) == 0 && bodyLength >= 10) {
      header.found = true;
      header.width = readBigEndian32(body);
      header.height = readBigEndian32(body + 4);
      header.bitDepth = body[8];
      header.colourType = body[9];
    } else if (std::memcmp(type, "tRNS", 4) == 0) {
      header.transparencyChunk = true;
    }
    position += size_t(bodyLength) + crc;
    if (std::memcmp(type, "IEND", 4) == 0) break;
  }
  return header;
}

}  // namespace png
