#pragma once
// java_lang_Integer (class id 38): an int value.
#include <cstdint>

#include "runtime/lang/String.h"
#include "runtime/object/Object.h"

class java_lang_Integer : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_lang_Integer;

  void init() { value = 0; }
  void init(int32_t number) { value = number; }

  int32_t equals(Object* other) override;
  String* toString() override;
  int32_t hashCode() override { return value; }
  int8_t byteValue() const { return static_cast<int8_t>(value); }
  int16_t shortValue() const { return static_cast<int16_t>(value); }
  int32_t intValue() const { return value; }
  int64_t longValue() const { return value; }

  // Decimal whatever the radix (another radix is logged): leading white
  // space, an optional sign, the digits up to the first other character; no
  // digits gives 0. Never raises.
  static int32_t parseInt(String* text);
  static int32_t parseInt(String* text, int32_t radix);

  int32_t value;
};
