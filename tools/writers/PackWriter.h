#pragma once
// Resource packs: numbered entries over one or more part files. Part 0 holds
// the header (entry count, part count, each part's first entry) and its
// offset table; part p >= 1, named pack name + infix + p, starts with its
// own offset table. All integers little-endian. An entry is a type byte
// (above 126 when its data is an LZMA stream) and its data; an empty entry
// has no type byte at all.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "tools/writers/LzmaWriter.h"

namespace tools {

struct PackFile {
  std::string name;
  std::vector<uint8_t> bytes;
};

class PackWriter {
 public:
  enum class Compression { none, ifSmaller };

  // type 0..126; with ifSmaller the data is stored as LZMA when that shrinks
  // the entry and the game may unpack it (lzma::maxUnpackedSize).
  void add(uint8_t type, std::vector<uint8_t> data, Compression compression = Compression::none,
           const LzmaOptions& options = {});
  // An entry of size 0, with no type byte.
  void addEmpty();
  // Exactly the given entry bytes (type byte included), for fixtures that
  // pin the format.
  void addStored(std::vector<uint8_t> entryBytes);

  size_t entryCount() const { return m_entries.size(); }

  // firstEntries: the first entry of each part, starting with 0 and
  // ascending. Throws std::runtime_error for a split that does not fit the
  // entries, more than 65535 entries, or parts past 2 GiB.
  std::vector<PackFile> write(const std::string& name, const std::vector<uint16_t>& firstEntries,
                              const std::string& partInfix) const;
  // One part only.
  std::vector<PackFile> write(const std::string& name) const { return write(name, {0}, "_"); }
  // Parts of at most maxPartBytes each, as far as whole entries allow.
  std::vector<uint16_t> splitByBytes(size_t maxPartBytes) const;

 private:
  std::vector<std::vector<uint8_t>> m_entries;  // stored bytes, type byte first
};

// The pack string table: a one-byte count, then each text as a one-byte
// length and its bytes. Throws std::runtime_error for more than 255 texts
// or a text longer than 255 bytes.
std::vector<uint8_t> writePackStringTable(const std::vector<std::string>& texts);

}  // namespace tools
