#pragma once
// java_lang_Character (class id 30): a 16-bit char value; the statics follow
// DefaultCaseConverter on the argument's low 16 bits.
#include <cstdint>

#include "runtime/lang/String.h"
#include "runtime/object/Object.h"

class java_lang_Character : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_lang_Character;

  void init() { value = 0; }
  void init(char16_t character) { value = character; }

  int32_t equals(Object* other) override;
  String* toString() override;
  int32_t hashCode() override { return value; }
  char16_t charValue() const { return value; }

  static bool isLowerCase(int32_t c);
  static bool isUpperCase(int32_t c);
  static bool isDigit(int32_t c);
  static char16_t toLowerCase(int32_t c);
  static char16_t toUpperCase(int32_t c);
  static int32_t digit(int32_t c, int32_t radix);

  char16_t value;
};
