#pragma once
// java_lang_Boolean (class id 29): a value of 0 or 1.
#include <cstdint>

#include "runtime/lang/String.h"
#include "runtime/object/Object.h"

class java_lang_Boolean : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_lang_Boolean;

  void init() { value = 0; }
  // Any non-zero argument is true.
  void init(int32_t truth) { value = truth != 0 ? 1 : 0; }

  int32_t equals(Object* other) override;
  // The string literal "true" or "false".
  String* toString() override;
  int32_t hashCode() override { return value; }
  bool booleanValue() const { return value != 0; }

  // The class initialiser: TRUE and FALSE.
  static void clinit();

  int8_t value;
};
