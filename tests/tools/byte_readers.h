#pragma once
// Small readers of the packed formats, for checking the writers' bytes. They
// stand apart from the game's own readers on purpose; the hand-written byte
// fixtures in the tests catch a mistake the two could share.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace bytecheck {

struct ArchiveEntry {
  std::u16string name;
  int32_t offset;
  int32_t size;
};

// The index of an archive; empty when it runs past the bytes, a name is not
// readUTF text, or an entry lies outside the file.
std::optional<std::vector<ArchiveEntry>> readArchiveIndex(std::span<const uint8_t> archive);

// The bytes of the first entry whose name equals name (exactly).
std::optional<std::vector<uint8_t>> archiveEntry(std::span<const uint8_t> archive, const std::u16string& name);

// The texts of a literal pool; empty when it is truncated, malformed or has
// bytes left over.
std::optional<std::vector<std::u16string>> readLiteralPool(std::span<const uint8_t> pool);

// The UTF-16 form of UTF-8 text, for comparing with what the readers give.
std::u16string utf16(const std::string& utf8);

}  // namespace bytecheck
