#include "game/toolkit/TextUtf8.h"

namespace {

bool isContinuation(uint8_t byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

std::optional<std::u16string> decodeTextUtf8(std::span<const uint8_t> b) {
  std::u16string text;
  text.reserve(b.size());
  size_t i = 0;
  const size_t end = b.size();
  while (i < end) {
    const uint8_t c = b[i];
    if (c < 0x80) {
      text += static_cast<char16_t>(c);
      i += 1;
    } else if ((c & 0xE0) == 0xE0 && end - i > 2 && isContinuation(b[i + 1]) && isContinuation(b[i + 2])) {
      text += static_cast<char16_t>((c & 0x0F) << 12 | (b[i + 1] & 0x3F) << 6 | (b[i + 2] & 0x3F));
      i += 3;
    } else if ((c & 0xC0) == 0xC0 && end - i > 1 && isContinuation(b[i + 1])) {
      text += static_cast<char16_t>((c & 0x1F) << 6 | (b[i + 1] & 0x3F));
      i += 2;
    } else {
      return std::nullopt;
    }
  }
  return text;
}
