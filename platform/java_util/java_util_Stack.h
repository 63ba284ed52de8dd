#pragma once
// java_util_Stack (class id 61): the Vector's end is the top.
#include <cstdint>

#include "platform/java_util/java_util_Vector.h"

class java_util_Stack : public java_util_Vector {
 public:
  using Super = java_util_Vector;
  static constexpr uint16_t classId = classid::java_util_Stack;

  void init() { java_util_Vector::init(10, 0); }

  Object* push(Object* item);
  // Both raise EmptyStackException on an empty stack.
  Object* peek();
  Object* pop();
  bool empty();
  // 1 for the top, size() for the bottom, -1 when absent.
  int32_t search(Object* element);
};
