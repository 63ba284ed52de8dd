#include "tools/writers/TextPackWriter.h"

#include <stdexcept>

#include "tools/writers/LittleEndianWriter.h"

namespace tools {

namespace {

// Why text is not what the game's decoder reads back unchanged, or null.
const char* textFault(const std::string& text) {
  const auto* b = reinterpret_cast<const uint8_t*>(text.data());
  const size_t n = text.size();
  for (size_t i = 0; i < n;) {
    const uint8_t c = b[i];
    size_t length;
    uint32_t least;
    if (c < 0x80) {
      i += 1;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      length = 2;
      least = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
      length = 3;
      least = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
      return "a character outside the Basic Multilingual Plane";
    } else {
      return "ill-formed UTF-8";
    }
    if (n - i < length) return "ill-formed UTF-8";
    uint32_t value = c & (length == 2 ? 0x1F : 0x0F);
    for (size_t k = 1; k < length; ++k) {
      if ((b[i + k] & 0xC0) != 0x80) return "ill-formed UTF-8";
      value = value << 6 | (b[i + k] & 0x3F);
    }
    if (value < least || (value >= 0xD800 && value <= 0xDFFF)) return "ill-formed UTF-8";
    i += length;
  }
  return nullptr;
}

}  // namespace

std::vector<uint8_t> writeTextPack(const std::vector<std::string>& texts) {
  LittleEndianWriter writer;
  writer.writeInt(static_cast<uint32_t>(texts.size()));
  uint64_t end = 0;
  for (size_t i = 0; i < texts.size(); ++i) {
    if (const char* fault = textFault(texts[i])) {
      throw std::runtime_error("text " + std::to_string(i) + " \"" + texts[i] + "\": " + fault);
    }
    end += texts[i].size();
    if (end > 0x7FFFFFFF) throw std::runtime_error("text pack: more than 2 GiB of text");
    writer.writeInt(static_cast<uint32_t>(end));
  }
  for (const std::string& text : texts) writer.writeBytes({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
  return writer.take();
}

}  // namespace tools
