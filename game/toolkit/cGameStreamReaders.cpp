// The counting little-endian readers over an InputStream, and the typed-array
// reader built on them. A read that meets the end of the stream marks it
// ended; the typed-array reader then answers null rather than a table filled
// with end markers.
#include <algorithm>

#include "game/toolkit/PendingExceptions.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/toolkit/TypedArrayFormat.h"
#include "game/toolkit/cGameAlias.h"
#include "runtime/io/java_io_InputStream.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"

namespace {

cGameStreamReadersStatics& counter() { return toolkitStatics().cGameStreamReaders; }

bool pendingException() {
  Application* application = Application::get();
  return application != nullptr && application->getPending() != nullptr;
}

// Elements of a kind 0..2 array. Each value is stored as it arrives: the
// reads may allocate, so no element address is held across them.
template <class ArrayKind>
ArrayKind* readElements(java_io_InputStream* in, ArrayKind* array, int32_t count, int header) {
  const int width = typedarray::elementBytes(header);
  for (int32_t i = 0; i < count; ++i) {
    int32_t value;
    if (width == 1) {
      value = cGame::readStreamByte(in);
      if (typedarray::kindOf(header) != typedarray::bytes) value = static_cast<int8_t>(value);
    } else if (width == 2) {
      value = static_cast<int16_t>(cGame::readStreamU16(in));
    } else {
      value = cGame::readStreamS32(in);
    }
    if (counter().ended != 0 || pendingException()) return nullptr;
    array->set(i, static_cast<typename ArrayKind::ElementType>(value));
  }
  return array;
}

Object* readTypedArrayAt(java_io_InputStream* in, int depth) {
  if (depth > typedarray::maxDepth) {
    debugLog("typed array: nested deeper than %d", typedarray::maxDepth);
    return nullptr;
  }
  const int header = cGame::readStreamByte(in) & 255;
  const int32_t count = typedarray::hasWideCount(header) ? cGame::readStreamU16(in) : cGame::readStreamByte(in);
  if (counter().ended != 0 || pendingException()) return nullptr;
  const int kind = typedarray::kindOf(header);
  // Never allocate for more elements than the stream still holds.
  const int64_t leastBytes = static_cast<int64_t>(count) * (kind == typedarray::objects ? 2 : typedarray::elementBytes(header));
  if (leastBytes > in->available()) {
    debugLog("typed array: %d elements pass the end of the data", count);
    counter().ended = 1;
    return nullptr;
  }
  switch (kind) {
    case typedarray::bytes: {
      ByteArray* array = newByteArray(count);
      return array != nullptr ? readElements(in, array, count, header) : nullptr;
    }
    case typedarray::shorts: {
      ShortArray* array = newShortArray(count);
      return array != nullptr ? readElements(in, array, count, header) : nullptr;
    }
    case typedarray::ints: {
      IntArray* array = newIntArray(count);
      return array != nullptr ? readElements(in, array, count, header) : nullptr;
    }
    default: {
      ObjectArray* array = newObjectArray(count);
      if (array == nullptr) return nullptr;
      for (int32_t i = 0; i < count; ++i) {
        Object* element = readTypedArrayAt(in, depth + 1);
        if (element == nullptr) return nullptr;
        array->set(i, element);
      }
      return array;
    }
  }
}

}  // namespace

int32_t cGame::readStreamByte(java_io_InputStream* in) {
  if (in == nullptr) {
    counter().ended = 1;
    return -1;
  }
  const int32_t value = in->read();
  if (pendingException()) return 0;
  if (value < 0) {
    counter().ended = 1;
    return value;
  }
  counter().byteCount += 1;
  return value;
}

int32_t cGame::readStreamU16(java_io_InputStream* in) {
  const int32_t low = readStreamByte(in) & 255;
  return low | (readStreamByte(in) & 255) << 8;
}

int32_t cGame::readStreamS32(java_io_InputStream* in) {
  uint32_t value = 0;
  for (int shift = 0; shift < 32; shift += 8) value |= static_cast<uint32_t>(readStreamByte(in) & 255) << shift;
  return static_cast<int32_t>(value);
}

int32_t cGame::readStreamFully(java_io_InputStream* in, ByteArray* b, int32_t off, int32_t len) {
  int32_t got = 0;
  while (in != nullptr && got < len) {
    const int32_t n = in->read(b, off + got, len - got);
    if (takePendingException(classid::java_lang_Exception)) break;
    if (n <= 0) break;  // the end, or a stream that gives nothing: never spin
    got += std::min(n, len - got);
  }
  if (got < len) counter().ended = 1;
  counter().byteCount += got;
  return got;
}

Object* cGame::readTypedArray(java_io_InputStream* in) {
  counter().ended = 0;
  Object* result = readTypedArrayAt(in, 0);
  if (takePendingException(classid::java_lang_Exception)) return nullptr;
  return counter().ended != 0 ? nullptr : result;
}

int32_t cGame::getStreamByteCount() { return counter().byteCount; }

void cGame::setStreamByteCount(int32_t count) {
  counter().byteCount = count;
  counter().ended = 0;
}
