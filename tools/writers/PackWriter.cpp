#include "tools/writers/PackWriter.h"

#include <stdexcept>

#include "game/toolkit/LzmaDecoder.h"
#include "tools/writers/LittleEndianWriter.h"

namespace tools {

namespace {

constexpr uint8_t compressedTypeBase = 127;

}  // namespace

void PackWriter::add(uint8_t type, std::vector<uint8_t> data, Compression compression, const LzmaOptions& options) {
  if (type > 126) throw std::runtime_error("pack: entry type " + std::to_string(type) + " above 126");
  std::vector<uint8_t> entry{type};
  entry.insert(entry.end(), data.begin(), data.end());
  // The game refuses to unpack more than its limit.
  if (compression == Compression::ifSmaller && data.size() <= lzma::maxUnpackedSize) {
    std::vector<uint8_t> packed = lzmaCompress(data, options);
    if (packed.size() < data.size()) {
      packed.insert(packed.begin(), static_cast<uint8_t>(type + compressedTypeBase));
      entry = std::move(packed);
    }
  }
  m_entries.push_back(std::move(entry));
}

void PackWriter::addEmpty() { m_entries.emplace_back(); }

void PackWriter::addStored(std::vector<uint8_t> entryBytes) { m_entries.push_back(std::move(entryBytes)); }

std::vector<uint16_t> PackWriter::splitByBytes(size_t maxPartBytes) const {
  std::vector<uint16_t> firstEntries{0};
  size_t partBytes = 0;
  for (size_t i = 0; i < m_entries.size(); ++i) {
    const size_t bytes = m_entries[i].size() + 4;
    if (partBytes > 0 && partBytes + bytes > maxPartBytes) {
      firstEntries.push_back(static_cast<uint16_t>(i));
      partBytes = 0;
    }
    partBytes += bytes;
  }
  return firstEntries;
}

std::vector<PackFile> PackWriter::write(const std::string& name, const std::vector<uint16_t>& firstEntries,
                                        const std::string& partInfix) const {
  const size_t count = m_entries.size();
  if (count > 65535) throw std::runtime_error("pack " + name + ": more than 65535 entries");
  if (firstEntries.empty() || firstEntries[0] != 0 || firstEntries.size() > 32767) {
    throw std::runtime_error("pack " + name + ": parts must start at entry 0");
  }
  for (size_t p = 1; p < firstEntries.size(); ++p) {
    if (firstEntries[p] < firstEntries[p - 1] || firstEntries[p] > count) {
      throw std::runtime_error("pack " + name + ": part starts out of order");
    }
  }
  std::vector<PackFile> files;
  for (size_t p = 0; p < firstEntries.size(); ++p) {
    const size_t first = firstEntries[p];
    const size_t end = p + 1 < firstEntries.size() ? firstEntries[p + 1] : count;
    LittleEndianWriter writer;
    if (p == 0) {
      writer.writeShort(static_cast<uint16_t>(count));
      writer.writeShort(static_cast<uint16_t>(firstEntries.size()));
      for (uint16_t start : firstEntries) writer.writeShort(start);
    }
    size_t offset = writer.size() + 4 * (end - first + 1);
    for (size_t i = first; i <= end; ++i) {
      if (offset > 0x7FFFFFFF) throw std::runtime_error("pack " + name + ": a part passes 2 GiB");
      writer.writeInt(static_cast<uint32_t>(offset));
      if (i < end) offset += m_entries[i].size();
    }
    for (size_t i = first; i < end; ++i) writer.writeBytes(m_entries[i]);
    files.push_back({p == 0 ? name : name + partInfix + std::to_string(p), writer.take()});
  }
  return files;
}

std::vector<uint8_t> writePackStringTable(const std::vector<std::string>& texts) {
  if (texts.size() > 255) throw std::runtime_error("pack string table: more than 255 texts");
  std::vector<uint8_t> out{static_cast<uint8_t>(texts.size())};
  for (const std::string& text : texts) {
    if (text.size() > 255) throw std::runtime_error("pack string table: \"" + text + "\" is longer than 255 bytes");
    out.push_back(static_cast<uint8_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
  }
  return out;
}

}  // namespace tools
