#pragma once
// Bytes in the order the game's own formats read them: little-endian.
#include <cstdint>
#include <span>
#include <vector>

namespace tools {

class LittleEndianWriter {
 public:
  void writeByte(uint8_t value) { m_bytes.push_back(value); }
  void writeShort(uint16_t value) {
    writeByte(static_cast<uint8_t>(value));
    writeByte(static_cast<uint8_t>(value >> 8));
  }
  void writeInt(uint32_t value) {
    writeShort(static_cast<uint16_t>(value));
    writeShort(static_cast<uint16_t>(value >> 16));
  }
  void writeBytes(std::span<const uint8_t> bytes) { m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end()); }

  size_t size() const { return m_bytes.size(); }
  const std::vector<uint8_t>& bytes() const { return m_bytes; }
  std::vector<uint8_t> take() { return std::move(m_bytes); }

 private:
  std::vector<uint8_t> m_bytes;
};

}  // namespace tools
