#include "runtime/io/ResourceArchive.h"

#include <cstdio>

#include "runtime/Application.h"
#include "runtime/io/InstallPaths.h"
#include "runtime/io/ResourceArchiveIndex.h"
#include "runtime/io/javax_microedition_io_File.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/object/StaticClass.h"
#include "wince/file_io.h"

namespace {

using ArchiveStatics = javax_microedition_io_ResourceInputStreamStatics;

// The parsed index as the statics' three arrays. A refused archive, or one
// whose arrays cannot all be made, leaves them null: no lookup then finds
// anything, and the index is not read again.
void loadIndex(ArchiveStatics& archive) {
  ResourceArchiveIndex index;
  if (readResourceArchiveIndex(index)) {
    const auto count = static_cast<int32_t>(index.entries().size());
    ObjectArray* names = newObjectArray(count);
    IntArray* offsets = names != nullptr ? newIntArray(count) : nullptr;
    IntArray* sizes = offsets != nullptr ? newIntArray(count) : nullptr;
    // Rooted before the names are made, which may collect.
    archive.entryNames = names;
    archive.entryOffsets = offsets;
    archive.entrySizes = sizes;
    bool complete = sizes != nullptr;
    for (int32_t i = 0; complete && i < count; ++i) {
      const ResourceArchiveEntry& entry = index.entries()[static_cast<size_t>(i)];
      String* name = newObject<String>(entry.name.data(), 0, static_cast<int32_t>(entry.name.size()));
      complete = name != nullptr;
      names->set(i, name);
      offsets->set(i, entry.offset);
      sizes->set(i, entry.size);
    }
    if (!complete) {
      debugLog("resource archive: no memory for its index");
      archive.entryNames = nullptr;
      archive.entryOffsets = nullptr;
      archive.entrySizes = nullptr;
    }
  }
  archive.archiveFile = newObject<javax_microedition_io_File>(newObject<String>(archivePath().c_str()));
}

bool findInStatics(std::u16string_view name, ResourceArchivePlace& place) {
  ArchiveStatics& archive = statics().javax_microedition_io_ResourceInputStream;
  if (archive.archiveFile == nullptr) loadIndex(archive);
  ObjectArray* names = archive.entryNames;
  if (names == nullptr || archive.entryOffsets == nullptr || archive.entrySizes == nullptr) return false;
  for (int32_t i = 0; i < names->length(); ++i) {
    auto* entryName = static_cast<String*>(names->get(i));
    if (entryName != nullptr && sameResourceName(entryName->view(), name)) {
      place = {archive.entryOffsets->get(i), archive.entrySizes->get(i)};
      return true;
    }
  }
  return false;
}

}  // namespace

bool findResourceEntry(std::u16string_view name, ResourceArchivePlace& place) {
  if (!name.empty() && name.front() == u'/') name.remove_prefix(1);
  Application* application = Application::get();
  if (application != nullptr && application->getStaticClass() != nullptr) return findInStatics(name, place);
  ResourceArchiveIndex index;
  if (!readResourceArchiveIndex(index)) return false;
  const ResourceArchiveEntry* entry = index.find(name);
  if (entry == nullptr) return false;
  place = {entry->offset, entry->size};
  return true;
}

bool readResourceEntry(std::u16string_view name, std::vector<uint8_t>& bytes) {
  ResourceArchivePlace place{};
  if (!findResourceEntry(name, place)) {
    debugLog("resource %s: not in the archive", narrowForLog(name).c_str());
    return false;
  }
  FILE* file = openResourceArchiveAt(place.offset);
  bytes.resize(static_cast<size_t>(place.size));
  const bool complete = file != nullptr && wince::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (file != nullptr) wince::fclose(file);
  if (!complete) {
    debugLog("resource %s: cannot be read whole", narrowForLog(name).c_str());
    return false;
  }
  return true;
}
