#pragma once
// String (class id 2): UTF-16 text with a stored zero terminator. The count
// field holds length + 1. Up to 15 characters live inside the object; longer
// texts live in a native-pool block owned by the character field, which the
// pool may move during any allocation: never keep a character address across
// one.
#include <cstdint>
#include <string_view>

#include "runtime/object/Object.h"

class ByteArray;
class CharArray;
class StringBuffer;

class String : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::String;
  static constexpr int32_t inlineUnits = 16;  // characters plus terminator

  // Constructor bodies (newObject<String>(...)).
  void init();
  // Each byte of a NUL-terminated 8-bit text becomes one character.
  void init(const char* text);
  // The units of a NUL-terminated UTF-16 text, up to the first 0.
  void init(const char16_t* text);
  // count units from units + offset. The units must not lie in the native
  // pool (copy from a String or array through their own constructors).
  void init(const char16_t* units, int32_t offset, int32_t count);
  // length characters, all zero, to be filled by the caller.
  void init(int32_t length);
  // Bytes as ISO-8859-1: each byte zero-extended.
  void init(ByteArray* bytes);
  void init(ByteArray* bytes, int32_t offset, int32_t count);
  // Bytes decoded by the named encoding ("UTF-8"/"UTF8" in any ASCII case,
  // "ISO-8859-1", "SJIS"; null means ISO-8859-1). Any other name logs and
  // gives the empty string.
  void init(ByteArray* bytes, String* encoding);
  void init(ByteArray* bytes, int32_t offset, int32_t length, String* encoding);
  void init(CharArray* characters);
  void init(CharArray* characters, int32_t offset, int32_t count);
  void init(StringBuffer* buffer);
  // count characters of another String from offset (a range inside it).
  void init(String* source, int32_t offset, int32_t count);

  // Releases a character block of its own (not the inline area).
  void finalize() override;
  int32_t equals(Object* other) override;
  String* toString() override;
  int32_t hashCode() override;

  static String* valueOf(char16_t character);
  // "true" for any non-zero value, else "false".
  static String* valueOf(bool value);

  int32_t length() const { return m_count - 1; }
  // An index outside the text logs "charAt OOB" and answers 0.
  char16_t charAt(int32_t index) const {
    if (static_cast<uint32_t>(index) >= static_cast<uint32_t>(length())) [[unlikely]] return charOutside(index);
    return m_characters[index];
  }
  void setCharAt(int32_t index, char16_t character) { m_characters[index] = character; }
  // Valid until the next allocation.
  const char16_t* characters() const { return m_characters; }
  // The text in place; like characters(), valid until the next allocation.
  std::u16string_view view() const { return {m_characters, static_cast<size_t>(length())}; }
  bool holdsCharactersInline() const { return m_characters == m_inline; }

  int32_t compareTo(String* other);
  int32_t regionMatches(bool ignoreCase, int32_t toffset, String* other, int32_t ooffset, int32_t len);
  int32_t startsWith(String* prefix, int32_t toffset);
  int32_t startsWith(String* prefix) { return startsWith(prefix, 0); }
  int32_t endsWith(String* suffix);
  // Character searches; a negative fromIndex counts as 0, one past the end
  // finds nothing.
  int32_t indexOf(int32_t character, int32_t fromIndex = 0);
  int32_t lastIndexOf(int32_t character);
  int32_t lastIndexOf(int32_t character, int32_t fromIndex);
  int32_t indexOf(String* text, int32_t fromIndex = 0);

  // A range outside the text logs "charAt OOB" and answers an empty text.
  String* substring(int32_t begin);
  String* substring(int32_t begin, int32_t end);
  String* concat(String* other);
  String* replace(char16_t oldCharacter, char16_t newCharacter);
  String* toLowerCase();
  String* toUpperCase();
  String* trim();
  void getChars(int32_t sourceBegin, int32_t sourceEnd, CharArray* destination, int32_t destinationBegin);
  CharArray* toCharArray();
  // One byte per character, its low byte.
  ByteArray* getBytes();
  // Encoded by the named encoding; null (and a log line) for any other name.
  ByteArray* getBytes(String* encoding);

  char16_t m_inline[inlineUnits];
  char16_t* m_characters;  // m_inline, or a block owned by this field
  int32_t m_count;         // length + 1

 private:
  // Makes room for length characters and the terminator (stored); answers
  // the characters, valid until the next allocation.
  char16_t* reserve(int32_t length);
  void decode(ByteArray* bytes, int32_t offset, int32_t length, String* encoding);
  static char16_t charOutside(int32_t index);
};

// The natives behind the class library's String methods.
using java_lang_String = String;

// A new String of the 8-bit text, or null when the object heap is full.
String* newString(const char* text);
