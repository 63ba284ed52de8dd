#include "runtime/lang/StringBuffer.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/String.h"
#include "runtime/memory/MemoryManagers.h"
#include "runtime/object/NativeStorage.h"
#include "runtime/object/ObjectFactory.h"

namespace {

size_t unitBytes(int64_t count) { return static_cast<size_t>(count) * sizeof(char16_t); }

// Room for the longest "%f" of a double (309 digits before the point).
constexpr size_t numberTextSize = 400;

}  // namespace

void StringBuffer::init(int32_t capacity) {
  if (capacity < 0) {
    logFailedCheck("StringBuffer of negative capacity");
    capacity = 0;
  }
  if (capacity > 0 && allocateOwnedStorage(unitBytes(capacity), reinterpret_cast<void**>(&m_characters)) == nullptr) {
    debugLog("StringBuffer of %d characters: no memory", capacity);
    capacity = 0;
  }
  m_capacity = capacity;
  m_length = 0;
}

void StringBuffer::init(String* text) {
  if (text == nullptr) {
    logFailedCheck("NullPointer");
    init(defaultCapacity);
    return;
  }
  init(text->length() + 1);
  if (m_capacity > text->length()) {
    // Re-read after the allocation: the text may have moved.
    std::memcpy(m_characters, text->m_characters, unitBytes(text->length()));
    m_length = text->length();
  }
}

void StringBuffer::finalize() { releaseOwnedStorage(reinterpret_cast<void**>(&m_characters)); }

String* StringBuffer::toString() {
  return newObject<String>(this);
}

int32_t StringBuffer::length() {
  return m_length;
}

int32_t StringBuffer::capacity() {
  return m_capacity;
}

char16_t StringBuffer::charAt(int32_t index) {
  if (static_cast<uint32_t>(index) >= static_cast<uint32_t>(m_length)) {
    logTextIndexOutside("StringBuffer charAt", index);
    return 0;
  }
  return m_characters[index];
}

void StringBuffer::setCharAt(int32_t index, char16_t character) {
  if (static_cast<uint32_t>(index) >= static_cast<uint32_t>(m_length)) {
    logTextIndexOutside("StringBuffer setCharAt", index);
    return;
  }
  m_characters[index] = character;
}

bool StringBuffer::growTo(int64_t minimum) {
  int64_t capacity = 2 * int64_t{m_capacity};
  if (capacity < minimum) capacity = minimum;
  if (capacity > INT32_MAX / 2) {
    debugLog("StringBuffer of %lld characters: too long", static_cast<long long>(capacity));
    return false;
  }
  auto* grown = static_cast<char16_t*>(nativeMalloc(unitBytes(capacity)));
  if (grown == nullptr) {
    debugLog("StringBuffer of %lld characters: no memory", static_cast<long long>(capacity));
    return false;
  }
  // The old block may have moved while the new one was found, so it is read
  // only now.
  if (m_length > 0) std::memcpy(grown, m_characters, unitBytes(m_length));
  releaseOwnedStorage(reinterpret_cast<void**>(&m_characters));
  m_characters = grown;
  MemoryManagers* managers = MemoryManagers::current();
  if (managers != nullptr && managers->m_nativePool.contains(grown)) {
    managers->m_nativePool.setOwner(grown, reinterpret_cast<void**>(&m_characters));
  }
  m_capacity = static_cast<int32_t>(capacity);
  return true;
}

void StringBuffer::ensureCapacity(int32_t minimum) {
  if (m_capacity < minimum) growTo(minimum);
}

void StringBuffer::setLength(int32_t length) {
  if (length < 0) {
    logTextIndexOutside("setLength", length);
    return;
  }
  changeLength(length);
}

void StringBuffer::changeLength(int32_t length) {
  if (m_capacity < length && !growTo(length)) return;
  if (length > m_length) std::memset(m_characters + m_length, 0, unitBytes(length - m_length));
  m_length = length;
  if (m_capacity > length) m_characters[length] = 0;
}

char16_t* StringBuffer::openGap(int32_t offset, int32_t count) {
  const int64_t needed = int64_t{m_length} + count + 1;
  if (m_capacity < needed && !growTo(needed)) return nullptr;
  if (m_length > offset) std::memmove(m_characters + offset + count, m_characters + offset, unitBytes(m_length - offset));
  m_length += count;
  m_characters[m_length] = 0;
  return m_characters + offset;
}

bool StringBuffer::offsetInside(int32_t offset) {
  if (offset >= 0 && offset <= m_length) return true;
  logTextIndexOutside("insert at", offset);
  return false;
}

void StringBuffer::insertLatin1(int32_t offset, const char* text, int32_t count) {
  char16_t* gap = openGap(offset, count);
  if (gap == nullptr) return;
  for (int32_t i = 0; i < count; ++i) gap[i] = static_cast<unsigned char>(text[i]);
}

void StringBuffer::insertText(int32_t offset, String* text) {
  if (text == nullptr) {
    insertLatin1(offset, "null", 4);
    return;
  }
  const int32_t count = text->length();
  char16_t* gap = openGap(offset, count);
  // The text's characters are read after the growth, which may move them.
  if (gap != nullptr && count > 0) std::memcpy(gap, text->m_characters, unitBytes(count));
}

int32_t StringBuffer::formatValue(char* text, bool value) {
  std::strcpy(text, value ? "true" : "false");
  return value ? 4 : 5;
}

int32_t StringBuffer::formatValue(char* text, int32_t value) {
  return std::snprintf(text, numberTextSize, "%d", value);
}

int32_t StringBuffer::formatValue(char* text, int64_t value) {
  return std::snprintf(text, numberTextSize, "%" PRId64, value);
}

int32_t StringBuffer::formatValue(char* text, float value) {
  return std::snprintf(text, numberTextSize, "%f", static_cast<double>(value));
}

int32_t StringBuffer::formatValue(char* text, double value) {
  return std::snprintf(text, numberTextSize, "%lf", value);
}

template <class Value>
void StringBuffer::insertFormatted(int32_t offset, Value value) {
  char text[numberTextSize];
  const int32_t count = formatValue(text, value);
  insertLatin1(offset, text, count);
}

void StringBuffer::insertCharacter(int32_t offset, char16_t character) {
  if (char16_t* gap = openGap(offset, 1)) *gap = character;
}

StringBuffer* StringBuffer::append(String* text) {
  insertText(m_length, text);
  return this;
}

StringBuffer* StringBuffer::append(Object* object) {
  insertText(m_length, object != nullptr ? object->toString() : nullptr);
  return this;
}

StringBuffer* StringBuffer::append(char16_t character) {
  insertCharacter(m_length, character);
  return this;
}

StringBuffer* StringBuffer::append(bool value) { return appendFormatted(value); }
StringBuffer* StringBuffer::append(int32_t value) { return appendFormatted(value); }
StringBuffer* StringBuffer::append(int64_t value) { return appendFormatted(value); }
StringBuffer* StringBuffer::append(float value) { return appendFormatted(value); }
StringBuffer* StringBuffer::append(double value) { return appendFormatted(value); }

template <class Value>
StringBuffer* StringBuffer::appendFormatted(Value value) {
  insertFormatted(m_length, value);
  return this;
}

template <class Value>
StringBuffer* StringBuffer::insertFormattedAt(int32_t offset, Value value) {
  if (offsetInside(offset)) insertFormatted(offset, value);
  return this;
}

StringBuffer* StringBuffer::insert(int32_t offset, String* text) {
  if (offsetInside(offset)) insertText(offset, text);
  return this;
}

StringBuffer* StringBuffer::insert(int32_t offset, Object* object) {
  if (offsetInside(offset)) insertText(offset, object != nullptr ? object->toString() : nullptr);
  return this;
}

StringBuffer* StringBuffer::insert(int32_t offset, char16_t character) {
  if (offsetInside(offset)) insertCharacter(offset, character);
  return this;
}

StringBuffer* StringBuffer::insert(int32_t offset, bool value) { return insertFormattedAt(offset, value); }
StringBuffer* StringBuffer::insert(int32_t offset, int32_t value) { return insertFormattedAt(offset, value); }
StringBuffer* StringBuffer::insert(int32_t offset, int64_t value) { return insertFormattedAt(offset, value); }
StringBuffer* StringBuffer::insert(int32_t offset, float value) { return insertFormattedAt(offset, value); }
StringBuffer* StringBuffer::insert(int32_t offset, double value) { return insertFormattedAt(offset, value); }

StringBuffer* StringBuffer::insert(int32_t offset, const char* text) {
  if (text == nullptr) {
    logFailedCheck("NullPointer");
    return this;
  }
  if (offsetInside(offset)) insertLatin1(offset, text, static_cast<int32_t>(std::strlen(text)));
  return this;
}

StringBuffer* StringBuffer::deleteRange(int32_t start, int32_t end) {
  if (end > m_length) end = m_length;
  if (start < 0 || start > end) {
    logTextIndexOutside("delete from", start);
    return this;
  }
  if (m_length > end) std::memmove(m_characters + start, m_characters + end, unitBytes(m_length - end));
  changeLength(m_length - (end - start));
  return this;
}

StringBuffer* StringBuffer::deleteCharAt(int32_t index) {
  if (static_cast<uint32_t>(index) >= static_cast<uint32_t>(m_length)) {
    logTextIndexOutside("deleteCharAt", index);
    return this;
  }
  std::memmove(m_characters + index, m_characters + index + 1, unitBytes(m_length - index - 1));
  changeLength(m_length - 1);
  return this;
}

void StringBuffer::getChars(int32_t sourceBegin, int32_t sourceEnd, CharArray* destination, int32_t destinationBegin) {
  if (destination == nullptr) {
    logFailedCheck("NullPointer");
    return;
  }
  if (sourceBegin < 0 || sourceBegin > sourceEnd || sourceEnd > m_length) {
    logTextIndexOutside("getChars from", sourceBegin);
    return;
  }
  const int32_t count = sourceEnd - sourceBegin;
  if (!rangeInside(destinationBegin, count, destination->m_length)) {
    logArrayIndexOutside("getChars into", destinationBegin);
    return;
  }
  if (count > 0) std::memcpy(destination->m_elements + destinationBegin, m_characters + sourceBegin, unitBytes(count));
}

StringBuffer* StringBuffer::reverse() {
  for (int32_t left = 0, right = m_length - 1; left < right; ++left, --right) {
    const char16_t character = m_characters[left];
    m_characters[left] = m_characters[right];
    m_characters[right] = character;
  }
  return this;
}
