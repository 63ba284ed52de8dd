#include "tools/writers/BigEndianWriter.h"

#include <stdexcept>
#include <string>

#include "tools/writers/ModifiedUtf8.h"

namespace tools {

void BigEndianWriter::writeShort(uint16_t value) {
  m_bytes.push_back(uint8_t(value >> 8));
  m_bytes.push_back(uint8_t(value));
}

void BigEndianWriter::writeInt(uint32_t value) {
  writeShort(uint16_t(value >> 16));
  writeShort(uint16_t(value));
}

void BigEndianWriter::writeUtf(std::string_view utf8) {
  const std::vector<uint8_t> encoded = encodeModifiedUtf8(utf8);
  if (encoded.size() > 0xFFFF)
    throw std::runtime_error("text of " + std::to_string(encoded.size()) + " bytes is longer than readUTF allows (65535)");
  writeShort(uint16_t(encoded.size()));
  writeBytes(encoded);
}

}  // namespace tools
