#pragma once
// The index of the resource archive data.bar (big-endian): a signed 16-bit
// entry count, then per entry its name (readUTF form), the offset of its
// first byte from the start of the file and its length, both signed 32-bit.
// An archive whose index is cut short, whose count is negative or larger
// than the file could hold, or whose entries reach outside the file is
// refused as a whole: the program cannot run on half an archive.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct ResourceArchiveEntry {
  std::u16string name;
  int32_t offset;
  int32_t size;
};

class ResourceArchiveIndex {
 public:
  // Fills buffer with up to count bytes of the archive, in order; answers how
  // many it gave (fewer only at the end).
  using ReadBytes = std::function<size_t(uint8_t* buffer, size_t count)>;

  // Reads the index from the start of an archive of fileSize bytes. False,
  // with the reason in error and no entries kept, when the archive is refused.
  bool parse(const ReadBytes& read, int64_t fileSize, std::string& error);
  bool parse(std::span<const uint8_t> archive, std::string& error);

  // The lookup: one leading "/" of the requested name is dropped, ASCII
  // letters compare without case, the first entry in index order wins.
  const ResourceArchiveEntry* find(std::u16string_view requestedName) const;

  const std::vector<ResourceArchiveEntry>& entries() const { return m_entries; }

 private:
  std::vector<ResourceArchiveEntry> m_entries;
};

// Reads the index of the install folder's data.bar; false, logged with the
// file's name and the reason, when it cannot be read or is refused.
bool readResourceArchiveIndex(ResourceArchiveIndex& index);

// The archive file opened afresh and positioned offset bytes on; null when
// it cannot be opened. The caller closes it with wince::fclose.
FILE* openResourceArchiveAt(int32_t offset);

// Entry names compare with ASCII letters folded; no other character folds.
bool sameResourceName(std::u16string_view a, std::u16string_view b);

// "a.b" for the log: each character's low byte.
std::string narrowForLog(std::u16string_view text);
