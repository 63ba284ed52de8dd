#include "tests/tools/byte_readers.h"

namespace bytecheck {
namespace {

class Cursor {
 public:
  explicit Cursor(std::span<const uint8_t> bytes) : m_bytes(bytes) {}

  bool has(size_t count) const { return m_position + count <= m_bytes.size(); }
  bool atEnd() const { return m_position == m_bytes.size(); }
  uint8_t byte() { return m_bytes[m_position++]; }
  uint16_t u16() {
    const uint16_t high = byte();
    return uint16_t(high << 8 | byte());
  }
  int32_t i32() {
    const uint32_t high = u16();
    return int32_t(high << 16 | u16());
  }

  // readUTF: one to three bytes per UTF-16 unit.
  std::optional<std::u16string> utf() {
    if (!has(2)) return std::nullopt;
    const size_t length = u16();
    if (!has(length)) return std::nullopt;
    const size_t end = m_position + length;
    std::u16string text;
    while (m_position < end) {
      const uint8_t c = byte();
      if (c < 0x80) {
        text += char16_t(c);
      } else if ((c >> 5) == 0x6) {
        if (m_position + 1 > end || (m_bytes[m_position] & 0xC0) != 0x80) return std::nullopt;
        text += char16_t((c & 0x1F) << 6 | (byte() & 0x3F));
      } else if ((c >> 4) == 0xE) {
        if (m_position + 2 > end || (m_bytes[m_position] & 0xC0) != 0x80 || (m_bytes[m_position + 1] & 0xC0) != 0x80)
          return std::nullopt;
        const unsigned second = byte() & 0x3Fu;
        text += char16_t((c & 0x0F) << 12 | second << 6 | (byte() & 0x3F));
      } else {
        return std::nullopt;
      }
    }
    return text;
  }

 private:
  std::span<const uint8_t> m_bytes;
  size_t m_position = 0;
};

}  // namespace

std::optional<std::vector<ArchiveEntry>> readArchiveIndex(std::span<const uint8_t> archive) {
  Cursor in(archive);
  if (!in.has(2)) return std::nullopt;
  const int16_t count = int16_t(in.u16());
  std::vector<ArchiveEntry> entries;
  for (int i = 0; i < count; ++i) {
    std::optional<std::u16string> name = in.utf();
    if (!name || !in.has(8)) return std::nullopt;
    const int32_t offset = in.i32();
    const int32_t size = in.i32();
    if (offset < 0 || size < 0 || uint64_t(offset) + uint64_t(size) > archive.size()) return std::nullopt;
    entries.push_back({std::move(*name), offset, size});
  }
  return entries;
}

std::optional<std::vector<uint8_t>> archiveEntry(std::span<const uint8_t> archive, const std::u16string& name) {
  const std::optional<std::vector<ArchiveEntry>> entries = readArchiveIndex(archive);
  if (!entries) return std::nullopt;
  for (const ArchiveEntry& entry : *entries)
    if (entry.name == name)
      return std::vector<uint8_t>(archive.begin() + entry.offset, archive.begin() + entry.offset + entry.size);
  return std::nullopt;
}

std::optional<std::vector<std::u16string>> readLiteralPool(std::span<const uint8_t> pool) {
  Cursor in(pool);
  if (!in.has(4)) return std::nullopt;
  const int32_t count = in.i32();
  if (count < 0) return std::nullopt;
  std::vector<std::u16string> texts;
  for (int32_t i = 0; i < count; ++i) {
    std::optional<std::u16string> text = in.utf();
    if (!text) return std::nullopt;
    texts.push_back(std::move(*text));
  }
  if (!in.atEnd()) return std::nullopt;
  return texts;
}

std::u16string utf16(const std::string& utf8) {
  std::u16string text;
  for (size_t i = 0; i < utf8.size();) {
    const uint8_t c = uint8_t(utf8[i]);
    const size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    char32_t code = length == 1 ? c : length == 2 ? c & 0x1F : length == 3 ? c & 0x0F : c & 0x07;
    for (size_t k = 1; k < length; ++k) code = code << 6 | (uint8_t(utf8[i + k]) & 0x3F);
    if (code >= 0x10000) {
      text += char16_t(0xD800 + ((code - 0x10000) >> 10));
      text += char16_t(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      text += char16_t(code);
    }
    i += length;
  }
  return text;
}

}  // namespace bytecheck
