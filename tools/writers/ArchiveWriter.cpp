#include "tools/writers/ArchiveWriter.h"

#include <cstdint>
#include <limits>
#include <stdexcept>

#include "tools/writers/BigEndianWriter.h"
#include "tools/writers/ModifiedUtf8.h"

namespace tools {

void ArchiveWriter::add(std::string name, std::vector<uint8_t> bytes) {
  m_entries.push_back({std::move(name), std::move(bytes)});
}

bool ArchiveWriter::contains(std::string_view name) const {
  const auto folded = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
  for (const Entry& entry : m_entries) {
    if (entry.name.size() != name.size()) continue;
    size_t i = 0;
    while (i < name.size() && folded(entry.name[i]) == folded(name[i])) ++i;
    if (i == name.size()) return true;
  }
  return false;
}

std::vector<uint8_t> ArchiveWriter::write() const {
  constexpr uint64_t largestOffset = uint64_t(std::numeric_limits<int32_t>::max());
  if (m_entries.size() > size_t(std::numeric_limits<int16_t>::max()))
    throw std::runtime_error("an archive holds at most 32767 entries, not " + std::to_string(m_entries.size()));

  uint64_t indexSize = 2;
  for (const Entry& entry : m_entries) indexSize += 2 + encodeModifiedUtf8(entry.name).size() + 4 + 4;

  BigEndianWriter out;
  out.writeShort(uint16_t(m_entries.size()));
  uint64_t offset = indexSize;
  for (const Entry& entry : m_entries) {
    try {
      out.writeUtf(entry.name);
    } catch (const std::runtime_error& error) {
      throw std::runtime_error("entry name \"" + entry.name + "\": " + error.what());
    }
    if (offset + entry.bytes.size() > largestOffset)
      throw std::runtime_error("archive grows past 2^31 - 1 bytes at entry \"" + entry.name + "\"");
    out.writeInt(uint32_t(offset));
    out.writeInt(uint32_t(entry.bytes.size()));
    offset += entry.bytes.size();
  }
  for (const Entry& entry : m_entries) out.writeBytes(entry.bytes);
  return out.take();
}

}  // namespace tools
