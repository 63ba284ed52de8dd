#include "tools/writers/ModifiedUtf8.h"

#include <stdexcept>

namespace tools {
namespace {

void appendUnit(std::vector<uint8_t>& out, uint32_t unit) {
  if (unit >= 1 && unit <= 0x7F) {
    out.push_back(uint8_t(unit));
  } else if (unit <= 0x7FF) {
    out.push_back(uint8_t(0xC0 | (unit >> 6)));
    out.push_back(uint8_t(0x80 | (unit & 0x3F)));
  } else {
    out.push_back(uint8_t(0xE0 | (unit >> 12)));
    out.push_back(uint8_t(0x80 | ((unit >> 6) & 0x3F)));
    out.push_back(uint8_t(0x80 | (unit & 0x3F)));
  }
}

[[noreturn]] void malformed(size_t position) {
  throw std::runtime_error("malformed UTF-8 at byte " + std::to_string(position));
}

}  // namespace

std::vector<uint8_t> encodeModifiedUtf8(std::string_view utf8) {
  std::vector<uint8_t> out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const uint8_t lead = uint8_t(utf8[i]);
    size_t length;
    uint32_t code;
    if (lead < 0x80) {
      length = 1;
      code = lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      code = lead & 0x07u;
    } else {
      malformed(i);
    }
    if (i + length > utf8.size()) malformed(i);
    for (size_t k = 1; k < length; ++k) {
      const uint8_t next = uint8_t(utf8[i + k]);
      if ((next & 0xC0) != 0x80) malformed(i + k);
      code = (code << 6) | (next & 0x3Fu);
    }
    // Overlong forms, encoded surrogates and values past U+10FFFF.
    if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF)) ||
        (code >= 0xD800 && code <= 0xDFFF))
      malformed(i);
    if (code >= 0x10000) {
      appendUnit(out, 0xD800 + ((code - 0x10000) >> 10));
      appendUnit(out, 0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      appendUnit(out, code);
    }
    i += length;
  }
  return out;
}

}  // namespace tools
