#include "runtime/io/ModifiedUtf8.h"

namespace {

bool isContinuation(uint8_t byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

int32_t decodeModifiedUtf8(std::span<const uint8_t> bytes, char16_t* units) {
  const size_t length = bytes.size();
  size_t p = 0;
  int32_t count = 0;
  while (p < length) {
    const uint8_t c = bytes[p];
    switch (c >> 4) {
      case 0: case 1: case 2: case 3: case 4: case 5: case 6: case 7:
        units[count++] = c;
        p += 1;
        break;
      case 12: case 13: {
        if (p + 2 > length || !isContinuation(bytes[p + 1])) return -1;
        units[count++] = static_cast<char16_t>(((c & 0x1F) << 6) | (bytes[p + 1] & 0x3F));
        p += 2;
        break;
      }
      case 14: {
        if (p + 3 > length || !isContinuation(bytes[p + 1]) || !isContinuation(bytes[p + 2])) return -1;
        units[count++] = static_cast<char16_t>(((c & 0x0F) << 12) | ((bytes[p + 1] & 0x3F) << 6) | (bytes[p + 2] & 0x3F));
        p += 3;
        break;
      }
      default:
        return -1;
    }
  }
  return count;
}
