#include "runtime/lang/String.h"

#include <cstring>

#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/Encoding.h"
#include "runtime/lang/StringBuffer.h"
#include "runtime/object/NativeStorage.h"
#include "runtime/object/ObjectFactory.h"

char16_t* String::reserve(int32_t length) {
  if (length < 0) {
    debugLog("String of negative length %d", length);
    length = 0;
  }
  // The terminator must fit the count field too.
  if (length == INT32_MAX) {
    debugLog("String of %d characters: too long, left empty", length);
    length = 0;
  }
  const int32_t units = length + 1;
  if (units <= inlineUnits) {
    m_characters = m_inline;
  } else if (allocateOwnedStorage(static_cast<size_t>(units) * sizeof(char16_t), reinterpret_cast<void**>(&m_characters)) ==
             nullptr) {
    debugLog("String of %d characters: no memory, left empty", length);
    m_characters = m_inline;
    m_count = 1;
    m_characters[0] = 0;
    return m_characters;
  }
  m_count = units;
  m_characters[length] = 0;
  return m_characters;
}

void String::init() { reserve(0); }

void String::init(const char* text) {
  if (text == nullptr) {
    logFailedCheck("NullPointer");
    text = "";
  }
  const auto length = static_cast<int32_t>(std::strlen(text));
  char16_t* characters = reserve(length);
  for (int32_t i = 0; i < m_count - 1; ++i) characters[i] = static_cast<unsigned char>(text[i]);
}

void String::init(const char16_t* text) {
  if (text == nullptr) {
    logFailedCheck("NullPointer");
    reserve(0);
    return;
  }
  int32_t length = 0;
  while (text[length] != 0) ++length;
  init(text, 0, length);
}

void String::init(const char16_t* units, int32_t offset, int32_t count) {
  if (units == nullptr && count > 0) {
    logFailedCheck("NullPointer");
    count = 0;
  }
  if (offset < 0 || count < 0) {
    logTextIndexOutside("String of units from", offset < 0 ? offset : count);
    count = 0;
  }
  char16_t* characters = reserve(count);
  if (m_count > 1) std::memcpy(characters, units + offset, static_cast<size_t>(m_count - 1) * sizeof(char16_t));
}

void String::init(int32_t length) {
  char16_t* characters = reserve(length);
  std::memset(characters, 0, static_cast<size_t>(m_count) * sizeof(char16_t));
}

void String::init(ByteArray* bytes) { decode(bytes, 0, bytes != nullptr ? bytes->m_length : 0, nullptr); }

void String::init(ByteArray* bytes, int32_t offset, int32_t count) { decode(bytes, offset, count, nullptr); }

void String::init(ByteArray* bytes, String* encoding) {
  decode(bytes, 0, bytes != nullptr ? bytes->m_length : 0, encoding);
}

void String::init(ByteArray* bytes, int32_t offset, int32_t length, String* encoding) {
  decode(bytes, offset, length, encoding);
}

void String::decode(ByteArray* bytes, int32_t offset, int32_t length, String* encoding) {
  if (bytes == nullptr) {
    logFailedCheck("NullPointer");
    reserve(0);
    return;
  }
  if (!rangeInside(offset, length, bytes->m_length)) {
    logTextIndexOutside("String of bytes from", offset);
    reserve(0);
    return;
  }
  const Encoding kind = encodingNamed(encoding);
  if (kind == Encoding::unknown) {
    debugLog("String: unsupported encoding, left empty");
    reserve(0);
    return;
  }
  if (length == 0) {
    reserve(0);
    return;
  }
  const int32_t units =
      decodedLength(kind, reinterpret_cast<const uint8_t*>(bytes->m_elements) + offset, length);
  char16_t* characters = reserve(units);
  if (m_count - 1 != units) return;  // no memory; reserve left it empty
  // Re-read: reserving may have moved the bytes.
  decodeBytes(kind, reinterpret_cast<const uint8_t*>(bytes->m_elements) + offset, length, characters);
}

void String::init(CharArray* characters) { init(characters, 0, characters != nullptr ? characters->m_length : 0); }

void String::init(CharArray* source, int32_t offset, int32_t count) {
  if (source == nullptr) {
    logFailedCheck("NullPointer");
    reserve(0);
    return;
  }
  if (!rangeInside(offset, count, source->m_length)) {
    logTextIndexOutside("String of characters from", offset);
    reserve(0);
    return;
  }
  char16_t* characters = reserve(count);
  if (m_count > 1) {
    std::memcpy(characters, source->m_elements + offset, static_cast<size_t>(m_count - 1) * sizeof(char16_t));
  }
}

void String::init(StringBuffer* buffer) {
  if (buffer == nullptr) {
    logFailedCheck("NullPointer");
    reserve(0);
    return;
  }
  // The buffer's length and characters must not change half-way through.
  Object::monitorEnter(buffer);
  char16_t* characters = reserve(buffer->m_length);
  if (m_count > 1) {
    std::memcpy(characters, buffer->m_characters, static_cast<size_t>(m_count - 1) * sizeof(char16_t));
  }
  Object::monitorExit(buffer);
}

void String::init(String* source, int32_t offset, int32_t count) {
  if (source == nullptr) {
    logFailedCheck("NullPointer");
    reserve(0);
    return;
  }
  if (!rangeInside(offset, count, source->length())) {
    logTextIndexOutside("String of characters from", offset);
    reserve(0);
    return;
  }
  char16_t* characters = reserve(count);
  if (m_count > 1) {
    std::memcpy(characters, source->m_characters + offset, static_cast<size_t>(m_count - 1) * sizeof(char16_t));
  }
}

void String::finalize() {
  if (m_characters != m_inline) releaseOwnedStorage(reinterpret_cast<void**>(&m_characters));
  m_characters = nullptr;
}

int32_t String::equals(Object* other) {
  if (other == this) return 1;
  if (other == nullptr || other->getClassId() != classid::String) return 0;
  auto* text = static_cast<String*>(other);
  return m_count == text->m_count &&
                 std::memcmp(m_characters, text->m_characters, static_cast<size_t>(length()) * sizeof(char16_t)) == 0
             ? 1
             : 0;
}

String* String::toString() { return this; }

int32_t String::hashCode() {
  uint32_t hash = 0;
  const int32_t count = length();
  for (int32_t i = 0; i < count; ++i) hash = 31 * hash + m_characters[i];
  return static_cast<int32_t>(hash);
}

int32_t String::compareTo(String* other) {
  if (other == nullptr) {
    logFailedCheck("NullPointer");
    return 0;
  }
  const int32_t count = length() < other->length() ? length() : other->length();
  for (int32_t i = 0; i < count; ++i) {
    if (m_characters[i] != other->m_characters[i]) return int32_t{m_characters[i]} - int32_t{other->m_characters[i]};
  }
  return length() - other->length();
}

char16_t String::charOutside(int32_t index) {
  logTextIndexOutside("charAt", index);
  return 0;
}

String* String::valueOf(char16_t character) { return newObject<String>(&character, 0, 1); }

String* String::valueOf(bool value) { return newString(value ? "true" : "false"); }

String* newString(const char* text) { return newObject<String>(text); }
