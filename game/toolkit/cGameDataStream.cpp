// The data stream: little-endian reads and writes at a cursor over a byte
// array. Past the end a read answers 0, a write is dropped, the cursor stops
// at the end and the data is marked damaged, so that a reader looping on
// hasMore() ends.
#include "game/toolkit/ToolkitStatics.h"
#include "game/toolkit/cGameAlias.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"

namespace {

cGameDataStreamStatics& cursor() { return toolkitStatics().cGameDataStream; }

int32_t dataLength() { return cursor().data != nullptr ? cursor().data->length() : 0; }

// The position of width bytes to read or write, or -1 when they do not fit;
// the cursor moves past them either way (to the end when they do not fit).
int32_t take(int32_t width) {
  cGameDataStreamStatics& c = cursor();
  const int32_t length = dataLength();
  const int32_t at = c.pos;
  if (at < 0 || at > length - width || c.data->elements() == nullptr) {
    if (c.damaged == 0) debugLog("data stream: %d bytes at %d pass the end %d", width, at, length);
    c.damaged = 1;
    c.pos = length;
    return -1;
  }
  c.pos = at + width;
  return at;
}

uint32_t readLittleEndian(int32_t width) {
  const int32_t at = take(width);
  if (at < 0) return 0;
  const int8_t* bytes = cursor().data->elements() + at;
  uint32_t value = 0;
  for (int32_t i = width - 1; i >= 0; --i) value = (value << 8) | static_cast<uint8_t>(bytes[i]);
  return value;
}

void writeLittleEndian(uint32_t value, int32_t width) {
  const int32_t at = take(width);
  if (at < 0) return;
  int8_t* bytes = cursor().data->elements() + at;
  for (int32_t i = 0; i < width; ++i) bytes[i] = static_cast<int8_t>(value >> (8 * i));
}

void makeCurrent(ByteArray* data, int32_t pos) {
  cursor().data = data;
  cursor().pos = pos < 0 ? 0 : pos;
  cursor().damaged = 0;
}

}  // namespace

void cGame::set(ByteArray* data, int32_t pos) {
  cGameDataStreamStatics& c = cursor();
  if (c.savedData == nullptr) c.savedData = newObjectArray(cGameDataStreamStatics::savedDepth);
  if (c.savedData == nullptr) {
    // Nowhere to keep the current cursor: switch all the same.
    makeCurrent(data, pos);
    return;
  }
  if (c.savedCount == cGameDataStreamStatics::savedDepth) {
    // Deeper than any reader nests: forget the outermost cursor.
    debugLog("data stream: cursors nest deeper than %d", cGameDataStreamStatics::savedDepth);
    for (int32_t i = 1; i < c.savedCount; ++i) {
      c.savedData->set(i - 1, c.savedData->get(i));
      c.savedPos[i - 1] = c.savedPos[i];
    }
    --c.savedCount;
  }
  c.savedData->set(c.savedCount, c.data);
  c.savedPos[c.savedCount] = c.pos;
  ++c.savedCount;
  makeCurrent(data, pos);
}

void cGame::restore() {
  cGameDataStreamStatics& c = cursor();
  if (c.savedCount == 0) return;
  --c.savedCount;
  c.data = static_cast<ByteArray*>(c.savedData->get(c.savedCount));
  c.savedData->set(c.savedCount, nullptr);
  c.pos = c.savedPos[c.savedCount];
}

void cGame::resetDataStream() {
  cGameDataStreamStatics& c = cursor();
  makeCurrent(nullptr, 0);
  if (c.savedData != nullptr)
    for (int32_t i = 0; i < c.savedCount; ++i) c.savedData->set(i, nullptr);
  c.savedCount = 0;
}

ByteArray* cGame::getData() { return cursor().data; }
int32_t cGame::getPosition() { return cursor().pos; }
bool cGame::hasMore() { return cursor().pos < dataLength(); }
void cGame::skip(int32_t n) { cursor().pos += n; }
bool cGame::isDataDamaged() { return cursor().damaged != 0; }

bool cGame::readBoolean() { return readLittleEndian(1) == 1; }
int32_t cGame::readUnsignedByte() { return static_cast<int32_t>(readLittleEndian(1)); }
int32_t cGame::readByte() { return static_cast<int8_t>(readLittleEndian(1)); }
int32_t cGame::readUnsignedShort() { return static_cast<int32_t>(readLittleEndian(2)); }
int32_t cGame::readShort() { return static_cast<int16_t>(readLittleEndian(2)); }
int32_t cGame::readInt() { return static_cast<int32_t>(readLittleEndian(4)); }

void cGame::readIntArray(IntArray* a, int32_t off, int32_t len) {
  for (int32_t i = 0; i < len; ++i) {
    const bool last = cursor().pos > dataLength() - 4;
    const int32_t value = readInt();
    if (last) break;  // the read above marked the data damaged
    if (a != nullptr) a->set(off + i, value);
  }
}

void cGame::writeBoolean(bool v) { writeLittleEndian(v ? 1 : 0, 1); }
void cGame::writeByte(int32_t v) { writeLittleEndian(static_cast<uint32_t>(v), 1); }
void cGame::writeShort(int32_t v) { writeLittleEndian(static_cast<uint32_t>(v), 2); }
void cGame::writeInt(int32_t v) { writeLittleEndian(static_cast<uint32_t>(v), 4); }

void cGame::writeIntArray(IntArray* a, int32_t off, int32_t len) {
  for (int32_t i = 0; i < len; ++i) {
    const bool last = cursor().pos > dataLength() - 4;
    writeInt(a != nullptr ? a->get(off + i) : 0);
    if (last) break;
  }
}
