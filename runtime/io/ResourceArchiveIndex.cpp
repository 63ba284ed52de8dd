#include "runtime/io/ResourceArchiveIndex.h"

#include "runtime/io/InstallPaths.h"
#include "runtime/io/ModifiedUtf8.h"
#include "runtime/lang/DebugLog.h"
#include "wince/file_io.h"

namespace {

// The smallest index record: an empty name, offset and length.
constexpr int64_t smallestRecordBytes = 2 + 4 + 4;

class IndexReader {
 public:
  explicit IndexReader(const ResourceArchiveIndex::ReadBytes& read) : m_read(read) {}

  bool bytes(uint8_t* out, size_t count) {
    if (count == 0) return true;
    return m_read(out, count) == count;
  }
  bool unsignedShort(uint16_t& value) {
    uint8_t b[2];
    if (!bytes(b, 2)) return false;
    value = static_cast<uint16_t>((b[0] << 8) | b[1]);
    return true;
  }
  bool signedInt(int32_t& value) {
    uint8_t b[4];
    if (!bytes(b, 4)) return false;
    value = static_cast<int32_t>((uint32_t{b[0]} << 24) | (uint32_t{b[1]} << 16) | (uint32_t{b[2]} << 8) | b[3]);
    return true;
  }

 private:
  const ResourceArchiveIndex::ReadBytes& m_read;
};

int64_t measureFileSize(FILE* file) {
  if (wince::fseek(file, 0, SEEK_END) != 0) return -1;
  const long size = wince::ftell(file);
  if (wince::fseek(file, 0, SEEK_SET) != 0) return -1;
  return size;
}

}  // namespace

bool ResourceArchiveIndex::parse(const ReadBytes& read, int64_t fileSize, std::string& error) {
  m_entries.clear();
  IndexReader reader(read);
  uint16_t countField = 0;
  if (!reader.unsignedShort(countField)) {
    error = "no entry count";
    return false;
  }
  const int32_t count = static_cast<int16_t>(countField);
  if (count < 0 || int64_t{count} * smallestRecordBytes > fileSize - 2) {
    error = "entry count " + std::to_string(count) + " does not fit the file";
    return false;
  }
  std::vector<ResourceArchiveEntry> entries(static_cast<size_t>(count));
  std::vector<uint8_t> nameBytes;
  for (int32_t i = 0; i < count; ++i) {
    ResourceArchiveEntry& entry = entries[static_cast<size_t>(i)];
    uint16_t nameLength = 0;
    nameBytes.resize(0);
    if (!reader.unsignedShort(nameLength) || (nameBytes.resize(nameLength), !reader.bytes(nameBytes.data(), nameLength)) ||
        !reader.signedInt(entry.offset) || !reader.signedInt(entry.size)) {
      error = "index cut short at entry " + std::to_string(i);
      return false;
    }
    entry.name.resize(nameLength);
    const int32_t characters = decodeModifiedUtf8(nameBytes, entry.name.data());
    if (characters < 0) {
      error = "malformed name of entry " + std::to_string(i);
      return false;
    }
    entry.name.resize(static_cast<size_t>(characters));
    if (entry.offset < 0 || entry.size < 0 || int64_t{entry.offset} + entry.size > fileSize) {
      error = "entry " + narrowForLog(entry.name) + " lies outside the file";
      return false;
    }
  }
  m_entries = std::move(entries);
  return true;
}

bool ResourceArchiveIndex::parse(std::span<const uint8_t> archive, std::string& error) {
  size_t position = 0;
  const ReadBytes read = [&](uint8_t* buffer, size_t count) {
    const size_t given = std::min(count, archive.size() - position);
    std::copy_n(archive.data() + position, given, buffer);
    position += given;
    return given;
  };
  return parse(read, static_cast<int64_t>(archive.size()), error);
}

const ResourceArchiveEntry* ResourceArchiveIndex::find(std::u16string_view requestedName) const {
  if (!requestedName.empty() && requestedName.front() == u'/') requestedName.remove_prefix(1);
  for (const ResourceArchiveEntry& entry : m_entries) {
    if (sameResourceName(entry.name, requestedName)) return &entry;
  }
  return nullptr;
}

bool readResourceArchiveIndex(ResourceArchiveIndex& index) {
  const std::u16string path = archivePath();
  FILE* file = wince::fopen(path, "rb");
  if (file == nullptr) {
    debugLog("resource archive %s: cannot be opened", narrowForLog(path).c_str());
    return false;
  }
  const int64_t fileSize = measureFileSize(file);
  std::string error = "size cannot be measured";
  const bool parsed = fileSize >= 0 && index.parse([file](uint8_t* buffer, size_t count) {
    return wince::fread(buffer, 1, count, file);
  }, fileSize, error);
  wince::fclose(file);
  if (!parsed) debugLog("resource archive %s: %s", narrowForLog(path).c_str(), error.c_str());
  return parsed;
}

FILE* openResourceArchiveAt(int32_t offset) {
  FILE* file = wince::fopen(archivePath(), "rb");
  if (file == nullptr) return nullptr;
  if (wince::fseek(file, offset, SEEK_SET) != 0) {
    wince::fclose(file);
    return nullptr;
  }
  return file;
}

bool sameResourceName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i], y = b[i];
    if (x >= u'A' && x <= u'Z') x = static_cast<char16_t>(x + 32);
    if (y >= u'A' && y <= u'Z') y = static_cast<char16_t>(y + 32);
    if (x != y) return false;
  }
  return true;
}

std::string narrowForLog(std::u16string_view text) {
  std::string narrow;
  narrow.reserve(text.size());
  for (char16_t c : text) narrow += static_cast<char>(c & 0xFF);
  return narrow;
}
