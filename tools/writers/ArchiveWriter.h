#pragma once
// The resource archive data.bar: a signed 16-bit entry count, then per entry
// its name (readUTF form), the 32-bit offset of its bytes from the start of
// the file and its 32-bit length, all big-endian; then the entries' bytes in
// index order.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tools {

class ArchiveWriter {
 public:
  // Entries keep the order they are added in, which is the order a lookup
  // tries them. Names are stored as given: the lookup drops one leading "/"
  // of the name it is asked for, so a stored name normally has none.
  // Duplicates are allowed here (tests need them); the content compiler
  // refuses them.
  void add(std::string name, std::vector<uint8_t> bytes);

  // Whether an entry already answers a lookup of name: same length, ASCII
  // letters equal without case.
  bool contains(std::string_view name) const;

  // Throws std::runtime_error when the archive cannot hold the entries
  // (more than 32767, a name too long, or more than 2^31 - 1 bytes in all).
  std::vector<uint8_t> write() const;

  size_t entryCount() const { return m_entries.size(); }

 private:
  struct Entry {
    std::string name;
    std::vector<uint8_t> bytes;
  };
  std::vector<Entry> m_entries;
};

}  // namespace tools
