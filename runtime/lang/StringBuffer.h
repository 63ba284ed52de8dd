#pragma once
// StringBuffer (class id 3): growable UTF-16 text. The characters live in a
// native-pool block owned by the character field (null while the capacity is
// 0), which the pool may move during any allocation. When the capacity
// exceeds the length, the unit at the length is 0. No operation takes a
// lock: text building is the hottest text path, and a buffer belongs to the
// thread that builds it.
#include <cstdint>

#include "runtime/object/Object.h"

class CharArray;

class StringBuffer : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::StringBuffer;
  static constexpr int32_t defaultCapacity = 16;

  void init() { init(defaultCapacity); }
  void init(int32_t capacity);
  // Capacity = the text's length + 1, the text's characters.
  void init(String* text);

  // Releases the character block.
  void finalize() override;
  // A new String of the length characters.
  String* toString() override;

  int32_t length();
  int32_t capacity();
  // An index outside the text logs "charAt OOB"; charAt then answers 0 and
  // setCharAt stores nothing.
  char16_t charAt(int32_t index);
  void setCharAt(int32_t index, char16_t character);

  void ensureCapacity(int32_t minimum);
  // New characters are zeros; a negative length is logged and changes
  // nothing.
  void setLength(int32_t length);

  // "null" for a null text or object; the object's toString otherwise.
  StringBuffer* append(String* text);
  StringBuffer* append(Object* object);
  StringBuffer* append(bool value);
  StringBuffer* append(char16_t character);
  StringBuffer* append(int32_t value);
  StringBuffer* append(int64_t value);
  StringBuffer* append(float value);
  StringBuffer* append(double value);

  // The same texts at offset; an offset outside 0..length is logged and
  // inserts nothing.
  StringBuffer* insert(int32_t offset, String* text);
  StringBuffer* insert(int32_t offset, Object* object);
  StringBuffer* insert(int32_t offset, bool value);
  StringBuffer* insert(int32_t offset, char16_t character);
  StringBuffer* insert(int32_t offset, int32_t value);
  StringBuffer* insert(int32_t offset, int64_t value);
  StringBuffer* insert(int32_t offset, float value);
  StringBuffer* insert(int32_t offset, double value);
  StringBuffer* insert(int32_t offset, const char* text);

  // The class library's delete (a C++ keyword): removes
  // start..min(end, length) - 1.
  StringBuffer* deleteRange(int32_t start, int32_t end);
  StringBuffer* deleteCharAt(int32_t index);
  void getChars(int32_t sourceBegin, int32_t sourceEnd, CharArray* destination, int32_t destinationBegin);
  StringBuffer* reverse();

  char16_t* m_characters;  // a block owned by this field, or null
  int32_t m_capacity;      // in characters
  int32_t m_length;

 private:
  // The insert core: makes room for count units at offset (growing to at
  // least twice the capacity), shifts the tail and sets the new length.
  // Answers where the units go, valid until the next allocation; null when
  // no room could be made.
  char16_t* openGap(int32_t offset, int32_t count);
  bool growTo(int64_t minimum);
  void insertLatin1(int32_t offset, const char* text, int32_t count);
  void insertText(int32_t offset, String* text);
  void insertCharacter(int32_t offset, char16_t character);
  // The texts of booleans and numbers: "true"/"false", "%d", the full
  // decimal of a long, "%f" and "%lf".
  static int32_t formatValue(char* text, bool value);
  static int32_t formatValue(char* text, int32_t value);
  static int32_t formatValue(char* text, int64_t value);
  static int32_t formatValue(char* text, float value);
  static int32_t formatValue(char* text, double value);
  template <class Value>
  void insertFormatted(int32_t offset, Value value);
  template <class Value>
  StringBuffer* appendFormatted(Value value);
  template <class Value>
  StringBuffer* insertFormattedAt(int32_t offset, Value value);
  bool offsetInside(int32_t offset);
  void changeLength(int32_t length);
};
