// The String operations that search, compare regions and make new texts.
#include <cstring>

#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/Encoding.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"

namespace {

char16_t foldAsciiCase(char16_t character) {
  return character >= u'a' && character <= u'z' ? static_cast<char16_t>(character - 32) : character;
}

bool unitsEqual(const char16_t* left, const char16_t* right, int32_t count) {
  return std::memcmp(left, right, static_cast<size_t>(count) * sizeof(char16_t)) == 0;
}

}  // namespace

int32_t String::regionMatches(bool ignoreCase, int32_t toffset, String* other, int32_t ooffset, int32_t len) {
  if (other == nullptr || toffset < 0 || ooffset < 0) return 0;
  if (int64_t{toffset} + len > length() || int64_t{ooffset} + len > other->length()) return 0;
  const char16_t* mine = m_characters + toffset;
  const char16_t* theirs = other->m_characters + ooffset;
  for (int32_t i = 0; i < len; ++i) {
    if (mine[i] == theirs[i]) continue;
    if (!ignoreCase || foldAsciiCase(mine[i]) != foldAsciiCase(theirs[i])) return 0;
  }
  return 1;
}

int32_t String::startsWith(String* prefix, int32_t toffset) {
  if (prefix == nullptr || toffset < 0 || int64_t{toffset} + prefix->length() > length()) return 0;
  return unitsEqual(m_characters + toffset, prefix->m_characters, prefix->length()) ? 1 : 0;
}

int32_t String::endsWith(String* suffix) {
  if (suffix == nullptr) return 0;
  return startsWith(suffix, length() - suffix->length());
}

int32_t String::indexOf(int32_t character, int32_t fromIndex) {
  const int32_t count = length();
  for (int32_t i = fromIndex < 0 ? 0 : fromIndex; i < count; ++i) {
    if (m_characters[i] == character) return i;
  }
  return -1;
}

int32_t String::lastIndexOf(int32_t character) { return lastIndexOf(character, length() - 1); }

int32_t String::lastIndexOf(int32_t character, int32_t fromIndex) {
  for (int32_t i = fromIndex < length() ? fromIndex : length() - 1; i >= 0; --i) {
    if (m_characters[i] == character) return i;
  }
  return -1;
}

int32_t String::indexOf(String* text, int32_t fromIndex) {
  if (text == nullptr) return -1;
  if (fromIndex < 0) fromIndex = 0;
  const int32_t wanted = text->length();
  const int32_t last = length() - wanted;
  if (fromIndex > last) return -1;
  if (wanted == 0) return fromIndex;
  const char16_t first = text->m_characters[0];
  for (int32_t i = fromIndex; i <= last; ++i) {
    if (m_characters[i] == first && unitsEqual(m_characters + i + 1, text->m_characters + 1, wanted - 1)) return i;
  }
  return -1;
}

String* String::substring(int32_t begin) { return substring(begin, length()); }

String* String::substring(int32_t begin, int32_t end) {
  if (begin < 0 || end > length() || begin > end) {
    logTextIndexOutside("substring from", begin < 0 ? begin : end);
    // An empty text rather than null: the caller goes on with what it got.
    return newObject<String>(this, 0, 0);
  }
  return newObject<String>(this, begin, end - begin);
}

String* String::concat(String* other) {
  if (other == nullptr) {
    logFailedCheck("NullPointer");
    return this;
  }
  if (other->length() == 0) return this;
  const int32_t mine = length();
  const int32_t theirs = other->length();
  if (int64_t{mine} + theirs >= INT32_MAX) {
    debugLog("concat: %d and %d characters are too long a text", mine, theirs);
    return this;
  }
  String* result = newObject<String>(mine + theirs);
  if (result == nullptr || result->length() != mine + theirs) return result;
  std::memcpy(result->m_characters, m_characters, static_cast<size_t>(mine) * sizeof(char16_t));
  std::memcpy(result->m_characters + mine, other->m_characters, static_cast<size_t>(theirs) * sizeof(char16_t));
  return result;
}

String* String::replace(char16_t oldCharacter, char16_t newCharacter) {
  if (oldCharacter == newCharacter) return this;
  const int32_t first = indexOf(oldCharacter, 0);
  if (first < 0) return this;
  String* result = newObject<String>(this, 0, length());
  if (result == nullptr) return nullptr;
  char16_t* characters = result->m_characters;
  for (int32_t i = first; i < result->length(); ++i) {
    if (characters[i] == oldCharacter) characters[i] = newCharacter;
  }
  return result;
}

String* String::toLowerCase() {
  String* result = newObject<String>(this, 0, length());
  if (result == nullptr) return nullptr;
  char16_t* characters = result->m_characters;
  for (int32_t i = 0; i < result->length(); ++i) {
    if (characters[i] >= u'A' && characters[i] <= u'Z') characters[i] = static_cast<char16_t>(characters[i] + 32);
  }
  return result;
}

String* String::toUpperCase() {
  String* result = newObject<String>(this, 0, length());
  if (result == nullptr) return nullptr;
  char16_t* characters = result->m_characters;
  for (int32_t i = 0; i < result->length(); ++i) {
    if (characters[i] >= u'a' && characters[i] <= u'z') characters[i] = static_cast<char16_t>(characters[i] - 32);
  }
  return result;
}

String* String::trim() {
  int32_t begin = 0;
  int32_t end = length();
  while (begin < end && m_characters[begin] <= u' ') ++begin;
  while (end > begin && m_characters[end - 1] <= u' ') --end;
  return newObject<String>(this, begin, end - begin);
}

void String::getChars(int32_t sourceBegin, int32_t sourceEnd, CharArray* destination, int32_t destinationBegin) {
  if (destination == nullptr) {
    logFailedCheck("NullPointer");
    return;
  }
  if (sourceBegin < 0 || sourceBegin > sourceEnd || sourceEnd > length()) {
    logTextIndexOutside("getChars from", sourceBegin);
    return;
  }
  const int32_t count = sourceEnd - sourceBegin;
  if (!rangeInside(destinationBegin, count, destination->m_length)) {
    logArrayIndexOutside("getChars into", destinationBegin);
    return;
  }
  if (count > 0) {
    std::memcpy(destination->m_elements + destinationBegin, m_characters + sourceBegin,
                static_cast<size_t>(count) * sizeof(char16_t));
  }
}

CharArray* String::toCharArray() {
  CharArray* array = newCharArray(length());
  if (array != nullptr && array->m_length > 0) {
    std::memcpy(array->m_elements, m_characters, static_cast<size_t>(array->m_length) * sizeof(char16_t));
  }
  return array;
}

ByteArray* String::getBytes() {
  ByteArray* array = newByteArray(length());
  if (array != nullptr && array->m_length > 0) {
    encodeUnits(Encoding::latin1, m_characters, array->m_length, reinterpret_cast<uint8_t*>(array->m_elements));
  }
  return array;
}

ByteArray* String::getBytes(String* encoding) {
  const Encoding kind = encodingNamed(encoding);
  if (kind == Encoding::unknown) {
    debugLog("getBytes: unsupported encoding");
    return nullptr;
  }
  const int32_t count = encodedLength(kind, m_characters, length());
  ByteArray* array = newByteArray(count);
  if (array != nullptr && array->m_length == count && count > 0) {
    encodeUnits(kind, m_characters, length(), reinterpret_cast<uint8_t*>(array->m_elements));
  }
  return array;
}
