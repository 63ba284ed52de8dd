#pragma once
// String (class id 2): UTF-16 text with a stored zero terminator. The count
// field holds length + 1. Up to 15 characters live inside the object; longer
// texts live in a native-pool block owned by the character field.
#include <cstdint>

#include "runtime/object/Object.h"

class String : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::String;
  static constexpr int32_t inlineUnits = 16;  // characters plus terminator

  // Each byte of a NUL-terminated 8-bit text becomes one character.
  void init(const char* text);
  // length characters, all zero, to be filled by the caller.
  void init(int32_t length);

  // Releases a character block of its own (not the inline area).
  void finalize() override;
  String* toString() override;

  int32_t length() const { return m_count - 1; }
  char16_t charAt(int32_t index) const { return m_characters[index]; }
  void setCharAt(int32_t index, char16_t character) { m_characters[index] = character; }
  const char16_t* characters() const { return m_characters; }
  bool holdsCharactersInline() const { return m_characters == m_inline; }

  char16_t m_inline[inlineUnits];
  char16_t* m_characters;  // m_inline, or a block owned by this field
  int32_t m_count;         // length + 1

 private:
  char16_t* reserve(int32_t length);
};

// A new String of the 8-bit text, or null when the object heap is full.
String* newString(const char* text);
