// The promotion pack: its offset table, entries read by reopening the
// resource, and the values inside an entry. Every offset and length is checked
// against what is really there, so a damaged pack gives "entry unavailable"
// (and one log line), never a read past an entry or an endless loop.
#include "game/GameStatics.h"
#include "game/shell/Kivra.h"
#include "game/toolkit/cGameToolkit.h"
#include "runtime/io/java_io_InputStream.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"

namespace {

KivraStatics& kivra() { return shellStatics().Kivra; }

// Bytes of the stream until count are read; false when it ends first.
bool readFully(java_io_InputStream* stream, ByteArray* into, int32_t count) {
  int32_t done = 0;
  while (done < count) {
    const int32_t got = stream->read(into, done, count - done);
    if (got <= 0) return false;
    done += got;
  }
  return true;
}

bool skipFully(java_io_InputStream* stream, int32_t count) {
  int32_t left = count;
  while (left > 0) {
    const int64_t skipped = stream->skip(left);
    if (skipped > 0) {
      left -= static_cast<int32_t>(skipped);
    } else if (stream->read() < 0) {
      return false;  // a stream that will not skip is read through, to its end at most
    } else {
      --left;
    }
  }
  return true;
}

int32_t u16At(ByteArray* bytes, int32_t at) {
  return (bytes->get(at) & 255) | (bytes->get(at + 1) & 255) << 8;
}

}  // namespace

KivraStatics& Kivra::statics() { return kivra(); }

bool Kivra::openPack() {
  KivraStatics& k = kivra();
  releasePack();
  java_io_InputStream* stream = k.packName != nullptr ? cGameToolkit::openResource(k.packName) : nullptr;
  if (stream == nullptr) return debugLog("Kivra: no promotion pack"), false;
  ByteArray* header = newByteArray(2);
  if (header == nullptr || !readFully(stream, header, 2)) return stream->close(), debugLog("Kivra: pack header cut short"), false;
  const int32_t count = u16At(header, 0);
  if (count * 4 > stream->available()) {
    stream->close();
    return debugLog("Kivra: pack offsets cut short (%d)", count), false;
  }
  ByteArray* table = newByteArray(count * 4);
  IntArray* offsets = newIntArray(count);
  if (table == nullptr || offsets == nullptr || !readFully(stream, table, count * 4)) {
    stream->close();
    return debugLog("Kivra: pack offsets cut short (%d)", count), false;
  }
  stream->close();
  int32_t previous = 2 + 4 * count;
  for (int32_t i = 0; i < count; ++i) {
    const uint32_t offset = static_cast<uint32_t>(u16At(table, 4 * i)) | static_cast<uint32_t>(u16At(table, 4 * i + 2)) << 16;
    if (offset < static_cast<uint32_t>(previous) || offset > 0x7FFFFFFFu) {
      return debugLog("Kivra: pack offset %d out of order", i), false;
    }
    previous = static_cast<int32_t>(offset);
    offsets->set(i, previous);
  }
  k.packOffsets = offsets;
  return true;
}

ByteArray* Kivra::readPackEntry(int32_t i) {
  KivraStatics& k = kivra();
  if (k.cachedEntry != nullptr && k.cachedEntryIndex == i) return k.cachedEntry;
  IntArray* offsets = k.packOffsets;
  if (offsets == nullptr || i < 0 || i >= offsets->length() - 1) return nullptr;
  const int32_t from = offsets->get(i);
  const int32_t length = offsets->get(i + 1) - from;
  if (length == 0) return nullptr;
  java_io_InputStream* stream = cGameToolkit::openResource(k.packName);
  if (stream == nullptr) return debugLog("Kivra: pack gone at entry %d", i), nullptr;
  // An offset may lie past the pack's end: the entry is sized from the bytes
  // really there before it is allocated.
  if (!skipFully(stream, from) || length > stream->available()) {
    stream->close();
    return debugLog("Kivra: pack entry %d cut short", i), nullptr;
  }
  ByteArray* entry = newByteArray(length);
  const bool complete = entry != nullptr && readFully(stream, entry, length);
  stream->close();
  if (!complete) return debugLog("Kivra: pack entry %d cut short", i), nullptr;
  k.cachedEntry = entry;
  k.cachedEntryIndex = i;
  return entry;
}

void Kivra::releasePack() {
  KivraStatics& k = kivra();
  k.cachedEntry = nullptr;
  k.cachedEntryIndex = -1;
  k.packOffsets = nullptr;
}

int32_t Kivra::readU16(ByteArray* entry) {
  KivraStatics& k = kivra();
  if (entry == nullptr || k.position < 0 || k.position > entry->length() - 2) {
    k.readPastEnd = true;
    return 0;
  }
  const int32_t value = u16At(entry, k.position);
  k.position += 2;
  return value;
}

ByteArray* Kivra::readChunk(ByteArray* entry) {
  KivraStatics& k = kivra();
  const int32_t length = readU16(entry);
  if (k.readPastEnd || length > entry->length() - k.position) {
    k.readPastEnd = true;
    return nullptr;
  }
  ByteArray* chunk = newByteArray(length);
  if (chunk != nullptr && length > 0) {
    for (int32_t i = 0; i < length; ++i) chunk->m_elements[i] = entry->m_elements[k.position + i];
  }
  k.position += length;
  return chunk;
}

ObjectArray* Kivra::readTextTable(ByteArray* entry) {
  KivraStatics& k = kivra();
  const int32_t count = readU16(entry);
  if (k.readPastEnd) return nullptr;
  ObjectArray* texts = newObjectArray(count);
  for (int32_t i = 0; i < count && texts != nullptr; ++i) {
    const int32_t length = readU16(entry);
    if (k.readPastEnd || length > entry->length() - k.position) {
      k.readPastEnd = true;
      return nullptr;
    }
    texts->set(i, newObject<String>(entry, k.position, length));
    k.position += length;
  }
  return texts;
}

bool Kivra::readMetadata() {
  KivraStatics& k = kivra();
  ByteArray* entry = readPackEntry(0);
  if (entry == nullptr) return debugLog("Kivra: no pack metadata"), false;
  k.position = 0;
  k.readPastEnd = false;
  readU16(entry);
  readChunk(entry);
  k.parameterValues = readTextTable(entry);
  k.pageNames = readTextTable(entry);
  k.rowNames = newObjectArray(3);
  for (int32_t list = 0; list < 3 && k.rowNames != nullptr; ++list) k.rowNames->set(list, readTextTable(entry));
  k.packFlags = newBoolArray(1);
  if (k.packFlags != nullptr) k.packFlags->set(0, readU16(entry) == 1);
  ByteArray* version = readChunk(entry);
  k.versionText = version != nullptr ? newObject<String>(version) : nullptr;
  if (k.readPastEnd || k.parameterValues == nullptr || k.pageNames == nullptr) {
    k.parameterValues = k.pageNames = k.rowNames = nullptr;
    return debugLog("Kivra: pack metadata cut short"), false;
  }
  return true;
}
