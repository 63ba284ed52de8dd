#include "runtime/lang/String.h"

#include <cstring>

#include "runtime/lang/DebugLog.h"
#include "runtime/object/NativeStorage.h"
#include "runtime/object/ObjectFactory.h"

char16_t* String::reserve(int32_t length) {
  if (length < 0) {
    debugLog("String of negative length %d", length);
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
    return m_characters;
  }
  m_count = units;
  m_characters[length] = 0;
  return m_characters;
}

void String::init(const char* text) {
  if (text == nullptr) {
    debugLog("NullPointer");
    text = "";
  }
  const auto length = static_cast<int32_t>(std::strlen(text));
  char16_t* characters = reserve(length);
  for (int32_t i = 0; i < m_count - 1; ++i) characters[i] = static_cast<unsigned char>(text[i]);
}

void String::init(int32_t length) {
  char16_t* characters = reserve(length);
  for (int32_t i = 0; i < m_count; ++i) characters[i] = 0;
}

void String::finalize() {
  if (m_characters != m_inline) releaseOwnedStorage(reinterpret_cast<void**>(&m_characters));
  m_characters = nullptr;
}

String* String::toString() { return this; }

String* newString(const char* text) { return newObject<String>(text); }
