#pragma once
// java_lang_Long (class id 40): a 64-bit long value.
#include <cstdint>

#include "runtime/lang/String.h"
#include "runtime/object/Object.h"

class java_lang_Long : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_lang_Long;

  void init() { value = 0; }
  void init(int64_t number) { value = number; }

  int32_t equals(Object* other) override;
  String* toString() override;
  // The low 32 bits.
  int32_t hashCode() override { return static_cast<int32_t>(value); }
  int64_t longValue() const { return value; }

  int64_t value;
};
