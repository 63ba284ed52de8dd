#pragma once
// Archives for the lookup tests, laid out byte by byte so that the tests pin
// the format: count, then name/offset/length records, then the data.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace archivetest {

inline void putShort(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value >> 8));
  out.push_back(static_cast<uint8_t>(value));
}

inline void putInt(std::vector<uint8_t>& out, uint32_t value) {
  putShort(out, value >> 16);
  putShort(out, value & 0xFFFF);
}

// ASCII names; entries' data follows the index in the same order.
inline std::vector<uint8_t> archiveOf(const std::vector<std::pair<std::string, std::string>>& entries) {
  size_t indexBytes = 2;
  for (const auto& entry : entries) indexBytes += 2 + entry.first.size() + 8;
  std::vector<uint8_t> out;
  putShort(out, static_cast<uint32_t>(entries.size()));
  size_t offset = indexBytes;
  for (const auto& [name, bytes] : entries) {
    putShort(out, static_cast<uint32_t>(name.size()));
    out.insert(out.end(), name.begin(), name.end());
    putInt(out, static_cast<uint32_t>(offset));
    putInt(out, static_cast<uint32_t>(bytes.size()));
    offset += bytes.size();
  }
  for (const auto& entry : entries) out.insert(out.end(), entry.second.begin(), entry.second.end());
  return out;
}

}  // namespace archivetest
