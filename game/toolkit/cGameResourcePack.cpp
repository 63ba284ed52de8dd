// Resource packs: one open pack, one stream over one of its part files, read
// forward from `position`. Every header and table is checked when read; a
// pack that fails the checks answers "entry unavailable" (-1 from
// locatePack, null from the readers) with one log line, and a read that
// comes up short closes the stream, so that the next locate reopens at a
// known position.
#include <string>

#include "game/toolkit/PendingExceptions.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/toolkit/TypedArrayFormat.h"
#include "game/toolkit/cGameAlias.h"
#include "game/toolkit/cGamePackReading.h"
#include "platform/java_lang/java_lang_System.h"
#include "runtime/LiteralIds.h"
#include "runtime/io/java_io_ByteArrayInputStream.h"
#include "runtime/io/javax_microedition_io_ResourceInputStream.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/NumberText.h"
#include "runtime/lang/String.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/object/ObjectFactory.h"

namespace {

cGamePackStatics& pack() { return toolkitStatics().cGamePack; }

std::string nameText(String* name) {
  std::string text;
  if (name == nullptr) return "(none)";
  for (char16_t c : name->view()) text += c < 0x80 ? static_cast<char>(c) : '?';
  return text;
}

void logPack(const char* what, int32_t value = 0) {
  debugLog("pack %s: entry unavailable, %s %d", nameText(pack().name).c_str(), what, value);
}

int32_t lastPart() { return pack().partCount - 1; }

int32_t entriesOfPart(int32_t part) {
  cGamePackStatics& p = pack();
  const int32_t end = part == lastPart() ? p.entryCount : static_cast<uint16_t>(p.firstEntry->get(part + 1));
  return end - static_cast<uint16_t>(p.firstEntry->get(part));
}

String* partName(int32_t part) {
  String* name = pack().name;
  if (part == 0) return name;
  String* infix = stringLiteral(static_cast<int32_t>(LiteralId::packPartInfix));
  if (infix == nullptr) return nullptr;
  String* prefix = name->concat(infix);
  return prefix != nullptr ? prefix->concat(intToText(part)) : nullptr;
}

// Opens part p's file again from its first byte; the tables stay.
void reopenPart(int32_t part) {
  cGame::closePack();
  String* name = partName(part);
  pack().stream = name != nullptr ? cGame::openResource(name) : nullptr;
}

// openPack of the held name, which reads the header again.
void reopenPack() {
  String* name = pack().name;
  pack().name = nullptr;
  cGame::openPack(name);
}

bool readHeader() {
  cGamePackStatics& p = pack();
  const int32_t count = cGame::readPackByte() & 255;
  p.entryCount = count | (cGame::readPackByte() & 255) << 8;
  const int32_t partsLow = cGame::readPackByte() & 255;
  p.partCount = static_cast<int16_t>(partsLow | (cGame::readPackByte() & 255) << 8);
  if (pack().shortRead) return logPack("header cut short at byte", p.position), false;
  if (p.partCount < 1) return logPack("part count", p.partCount), false;
  p.firstEntry = newShortArray(p.partCount);
  if (p.firstEntry == nullptr) return false;
  int32_t previous = 0;
  for (int32_t part = 0; part < p.partCount; ++part) {
    const int32_t low = cGame::readPackByte() & 255;
    const int32_t first = low | (cGame::readPackByte() & 255) << 8;
    if (pack().shortRead) return logPack("header cut short at byte", p.position), false;
    if ((part == 0 && first != 0) || first < previous || first > p.entryCount) {
      return logPack("first entry out of order in part", part), false;
    }
    p.firstEntry->set(part, static_cast<int16_t>(first));
    previous = first;
  }
  return true;
}

}  // namespace

ByteArray* readLocatedPackEntry(int32_t n) {
  ByteArray* bytes = newByteArray(n);
  if (bytes == nullptr) return nullptr;
  if (cGame::readPackFully(bytes, 0, n) != n) {
    logPack("entry data cut short at byte", pack().position);
    cGame::closePack();
    return nullptr;
  }
  return bytes;
}

java_io_InputStream* cGame::openResource(String* name) {
  if (pack().opener != nullptr) return pack().opener(name);
  java_io_InputStream* stream = javax_microedition_io_ResourceInputStream::getResourceAsStream(name);
  if (takePendingException(classid::java_lang_Exception)) return nullptr;
  return stream;
}

void cGame::openPack(String* name) {
  cGamePackStatics& p = pack();
  if (name == nullptr) return;
  if (p.name != nullptr && p.damaged == 0 && name->compareTo(p.name) == 0) return;
  closePack();
  p.name = name;
  p.damaged = 0;
  p.offsets = nullptr;
  p.firstEntry = nullptr;
  p.partCount = 0;
  p.entryCount = 0;
  p.currentPart = 0;
  p.stream = openResource(name);
  if (p.stream == nullptr) {
    logPack("no file for part", 0);
    p.damaged = 1;
    return;
  }
  pack().shortRead = false;
  if (!readHeader()) {
    p.damaged = 1;
    closePack();
    return;
  }
  readPackPartOffsets();
}

void cGame::closePack() {
  cGamePackStatics& p = pack();
  if (p.stream != nullptr) {
    p.stream->close();
    takePendingException(classid::java_lang_Exception);
  }
  p.stream = nullptr;
  p.position = 0;
  // What the pack's reads left behind goes while no frame is due (the
  // collector skips a request that comes within 2 s of its last run).
  java_lang_System::gc();
}

void cGame::readPackPartOffsets() {
  cGamePackStatics& p = pack();
  p.offsets = nullptr;
  const int32_t part = p.currentPart;
  const int32_t n = entriesOfPart(part);
  IntArray* offsets = newIntArray(n + 1);
  if (offsets == nullptr) return;
  // Entries start after the table and never run backwards.
  int32_t previous = p.position + 4 * (n + 1);
  for (int32_t k = 0; k <= n; ++k) {
    uint32_t value = 0;
    for (int shift = 0; shift < 32; shift += 8) value |= static_cast<uint32_t>(readPackByte() & 255) << shift;
    const int32_t offset = static_cast<int32_t>(value);
    if (pack().shortRead) return logPack("offset table cut short in part", part), closePack();
    if (offset < previous) return logPack("offsets out of order in part", part), closePack();
    offsets->set(k, offset);
    previous = offset;
  }
  p.offsets = offsets;
}

int32_t cGame::locatePack(int32_t i) {
  cGamePackStatics& p = pack();
  pack().shortRead = false;
  if (p.name == nullptr) return -1;
  if (p.damaged != 0) {
    reopenPack();
    if (p.damaged != 0) return -1;
  }
  if (i < 0 || i >= p.entryCount) {
    logPack("has no entry", i);
    return -1;
  }
  int32_t part = p.partCount - 1;
  while (part > 0 && static_cast<uint16_t>(p.firstEntry->get(part)) > i) --part;

  if (part != p.currentPart || p.offsets == nullptr) {
    p.currentPart = part;
    closePack();
    p.offsets = nullptr;
    if (part == 0) {
      reopenPack();
    } else {
      reopenPart(part);
      if (p.stream == nullptr) {
        logPack("no file for part", part);
        return -1;
      }
      readPackPartOffsets();
    }
  } else if (p.stream == nullptr) {
    if (part == 0) {
      reopenPack();
    } else {
      reopenPart(part);
    }
  }
  // A missing part 0 or a bad table has been logged where it was found.
  if (p.damaged != 0 || p.offsets == nullptr) return -1;
  if (p.stream == nullptr) {
    logPack("no file for part", part);
    return -1;
  }

  const int32_t k = i - static_cast<uint16_t>(p.firstEntry->get(part));
  const int32_t start = p.offsets->get(k);
  const int32_t size = p.offsets->get(k + 1) - start;
  seekPack(start);
  p.compressed = 0;
  if (pack().shortRead) {
    logPack("ends before entry", i);
    closePack();
    return -1;
  }
  if (size < 1) return size;
  const int32_t type = readPackByte() & 255;
  if (pack().shortRead) {
    logPack("ends before entry", i);
    closePack();
    return -1;
  }
  if (size - 1 > p.stream->available()) {
    logPack("passes the end of its part: entry", i);
    closePack();
    return -1;
  }
  p.entryType = type;
  if (type > 126) {
    p.entryType = type - 127;
    p.compressed = 1;
  }
  return size - 1;
}

void cGame::seekPack(int32_t pos) {
  cGamePackStatics& p = pack();
  if (pos == p.position) return;
  if (pos < p.position) {
    reopenPart(p.currentPart);
    if (p.stream == nullptr) {
      pack().shortRead = true;
      return;
    }
    skipPackBytes(pos);
    return;
  }
  skipPackBytes(pos - p.position);
}

void cGame::skipPackBytes(int32_t n) {
  cGamePackStatics& p = pack();
  if (n <= 0) return;
  if (p.scratch == nullptr) p.scratch = newByteArray(256);
  if (p.scratch == nullptr) return;
  while (n > 0 && !pack().shortRead) {
    const int32_t chunk = n > 256 ? 256 : n;
    readPackFully(p.scratch, 0, chunk);
    n -= chunk;
  }
}

int32_t cGame::readPackByte() {
  cGamePackStatics& p = pack();
  if (p.stream == nullptr) {
    pack().shortRead = true;
    return -1;
  }
  const int32_t value = p.stream->read();
  if (takePendingException(classid::java_lang_Exception)) {
    pack().shortRead = true;
    p.position += 1;
    return 0;
  }
  if (value < 0) {
    pack().shortRead = true;
    return value;
  }
  p.position += 1;
  return value;
}

int32_t cGame::readPackFully(ByteArray* b, int32_t off, int32_t len) {
  cGamePackStatics& p = pack();
  int32_t got = 0;
  while (p.stream != nullptr && got < len) {
    const int32_t n = p.stream->read(b, off + got, len - got);
    if (takePendingException(classid::java_lang_Exception) || n <= 0) break;
    got += n < len - got ? n : len - got;
  }
  if (got < len) pack().shortRead = true;
  p.position += got;
  return got;
}

ByteArray* cGame::readPackEntry(int32_t i) {
  cGamePackStatics& p = pack();
  const int32_t n = locatePack(i);
  if (n < 0) return nullptr;
  if (p.compressed == 0) return readLocatedPackEntry(n);
  setStreamByteCount(0);
  lzmaDecode(p.stream, n);
  p.position += getStreamByteCount();
  ByteArray* output = takeLzmaOutput();
  if (output == nullptr) {
    logPack("cannot unpack entry", i);
    closePack();
  }
  return output;
}

Object* cGame::readPackTypedArray(int32_t i) {
  cGamePackStatics& p = pack();
  const int32_t n = locatePack(i);
  if (n < 0) return nullptr;
  // A compressed entry is located again by readPackEntry, which seeks back.
  ByteArray* data = p.compressed != 0 ? readPackEntry(i) : readLocatedPackEntry(n);
  if (data == nullptr) return nullptr;
  const auto extent = typedarray::measure(
      {reinterpret_cast<const uint8_t*>(data->elements()), static_cast<size_t>(data->length())});
  if (!extent) {
    logPack("malformed typed array in entry", i);
    return nullptr;
  }
  auto* in = newObject<java_io_ByteArrayInputStream>(data);
  if (in == nullptr) return nullptr;
  setStreamByteCount(0);
  return readTypedArray(in);
}

void cGame::loadPackStringTable(String* name) {
  cGamePackStatics& p = pack();
  if (p.stringTable != nullptr) return;
  // The open pack's stream and its position are put back afterwards.
  java_io_InputStream* kept = p.stream;
  const int32_t keptPosition = p.position;
  p.stream = openResource(name);
  if (p.stream == nullptr) {
    debugLog("pack string table %s: missing", nameText(name).c_str());
  } else {
    pack().shortRead = false;
    const int32_t count = readPackByte() & 255;
    ObjectArray* table = pack().shortRead ? nullptr : newObjectArray(count);
    for (int32_t k = 0; table != nullptr && k < count && !pack().shortRead; ++k) {
      const int32_t length = readPackByte() & 255;
      ByteArray* bytes = pack().shortRead ? nullptr : newByteArray(length);
      if (bytes != nullptr && readPackFully(bytes, 0, length) == length) table->set(k, bytes);
    }
    if (pack().shortRead) debugLog("pack string table %s: cut short", nameText(name).c_str());
    p.stringTable = table;
    p.stream->close();
    takePendingException(classid::java_lang_Exception);
  }
  p.stream = kept;
  p.position = keptPosition;
}

String* cGame::getPackString(int32_t i) {
  ObjectArray* table = pack().stringTable;
  String* empty = stringLiteral(static_cast<int32_t>(LiteralId::emptyText));
  if (table == nullptr || i < 0 || i >= table->length()) return empty;
  auto* bytes = static_cast<ByteArray*>(table->get(i));
  if (bytes == nullptr) return empty;
  return newObject<String>(bytes, toolkitStatics().cGameText.encoding);
}

int32_t cGame::getPackEntryType() { return pack().entryType; }
bool cGame::isPackEntryCompressed() { return pack().compressed != 0; }
