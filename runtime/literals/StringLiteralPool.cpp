#include "runtime/literals/StringLiteralPool.h"

#include <string>
#include <vector>

#include "runtime/Application.h"
#include "runtime/io/ModifiedUtf8.h"
#include "runtime/io/ResourceArchive.h"
#include "runtime/lang/ArrayChecks.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/object/StaticClass.h"

namespace {

uint32_t readBigEndian(std::span<const uint8_t> bytes, size_t at, size_t width) {
  uint32_t value = 0;
  for (size_t i = 0; i < width; ++i) value = (value << 8) | bytes[at + i];
  return value;
}

bool refuse(const char* reason, int32_t index) {
  debugLog("/constants.bin: %s (literal %d)", reason, index);
  return false;
}

bool readCount(std::span<const uint8_t> bytes, int32_t& count) {
  if (bytes.size() < 4) return refuse("no count", 0);
  count = static_cast<int32_t>(readBigEndian(bytes, 0, 4));
  // Every text takes at least its two length bytes.
  if (count < 0 || int64_t{count} * 2 > static_cast<int64_t>(bytes.size()) - 4) return refuse("count does not fit the file", count);
  return true;
}

// Text i, which starts at position, into units (characters of them used);
// position moves past it. False, logged, when it is cut short or malformed.
bool readText(std::span<const uint8_t> bytes, size_t& position, int32_t i, std::u16string& units, int32_t& characters) {
  if (position + 2 > bytes.size()) return refuse("cut short", i);
  const size_t length = readBigEndian(bytes, position, 2);
  position += 2;
  if (position + length > bytes.size()) return refuse("cut short", i);
  units.resize(length);
  characters = decodeModifiedUtf8(bytes.subspan(position, length), units.data());
  if (characters < 0) return refuse("malformed text", i);
  position += length;
  return true;
}

}  // namespace

bool checkStringLiteralPool(std::span<const uint8_t> bytes) {
  int32_t count = 0;
  if (!readCount(bytes, count)) return false;
  std::u16string units;
  size_t position = 4;
  for (int32_t i = 0; i < count; ++i) {
    int32_t characters = 0;
    if (!readText(bytes, position, i, units, characters)) return false;
  }
  return true;
}

bool loadStringLiteralPool(std::span<const uint8_t> bytes) {
  StaticClass& block = statics();
  block.literalPool = nullptr;
  int32_t count = 0;
  if (!readCount(bytes, count)) return false;
  ObjectArray* pool = newObjectArray(count);
  if (pool == nullptr) return refuse("no room for the pool", count);
  // Rooted before its Strings are made, so a collection keeps them.
  block.literalPool = pool;
  std::u16string units;
  size_t position = 4;
  for (int32_t i = 0; i < count; ++i) {
    int32_t characters = 0;
    if (!readText(bytes, position, i, units, characters)) return block.literalPool = nullptr, false;
    String* text = newObject<String>(units.data(), 0, characters);
    if (text == nullptr) return block.literalPool = nullptr, refuse("no room for the text", i);
    text->setCollectable(0);
    pool->set(i, text);
  }
  return true;
}

bool loadStringLiteralPoolFromArchive() {
  std::vector<uint8_t> bytes;
  if (!readResourceEntry(u"/constants.bin", bytes)) return false;
  return loadStringLiteralPool(bytes);
}

String* stringLiteral(int32_t index) {
  Application* application = Application::get();
  StaticClass* block = application != nullptr ? application->getStaticClass() : nullptr;
  ObjectArray* pool = block != nullptr ? block->literalPool : nullptr;
  if (pool == nullptr || index < 0 || index >= pool->length()) {
    logFailedCheck("NullPointer");
    return nullptr;
  }
  return static_cast<String*>(pool->get(index));
}
