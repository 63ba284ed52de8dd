#pragma once
// Bytes in the order java_io_DataInputStream reads them: big-endian integers
// and readUTF strings.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace tools {

class BigEndianWriter {
 public:
  void writeByte(uint8_t value) { m_bytes.push_back(value); }
  void writeShort(uint16_t value);
  void writeInt(uint32_t value);
  void writeBytes(std::span<const uint8_t> bytes) { m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end()); }
  // A 16-bit byte length and the modified UTF-8 of utf8; throws
  // std::runtime_error when the text is malformed or longer than 65535 bytes.
  void writeUtf(std::string_view utf8);

  size_t size() const { return m_bytes.size(); }
  const std::vector<uint8_t>& bytes() const { return m_bytes; }
  std::vector<uint8_t> take() { return std::move(m_bytes); }

 private:
  std::vector<uint8_t> m_bytes;
};

}  // namespace tools
