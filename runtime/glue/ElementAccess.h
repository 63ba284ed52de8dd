#pragma once
// Element access of compiled code (ByteArray::load, ShortArray::store, ...):
// a null or freed (class id 0xFEEE) array is logged as "NullPointer" with a
// stack trace, and a load then answers 0 and a store does nothing. Indices
// go through the arrays' own checks: one outside the array is logged the same
// way and never touches memory or leaves an exception pending.
// Loads sign-extend; a char array loads through CharArray (zero-extended).
#include <cstdint>
#include <initializer_list>

#include "runtime/lang/Arrays.h"
#include "runtime/lang/ArrayChecks.h"

// False (after the log line) for a null or freed object.
inline bool objectIsUsable(const Object* object) {
  if (object != nullptr && object->getClassId() != noClass) [[likely]] return true;
  logFailedCheck("NullPointer");
  return false;
}

template <class Kind>
inline auto loadElement(Kind* array, int32_t index) -> typename Kind::ElementType {
  return objectIsUsable(array) ? array->get(index) : typename Kind::ElementType{};
}

template <class Kind>
inline void storeElement(Kind* array, int32_t index, typename Kind::ElementType value) {
  if (objectIsUsable(array)) array->set(index, value);
}

// Class initialisers' constant tables: the values go to elements 0, 1, ...
// (each cut to the element's width); the array is answered. Values that
// would fall outside the array are left out, with a log line.
template <class Kind>
Kind* initElements(Kind* array, std::initializer_list<int32_t> values) {
  if (!objectIsUsable(array)) return array;
  int32_t index = 0;
  for (int32_t value : values) {
    if (index == array->length()) {
      logFailedCheck("initElements: more values than elements");
      break;
    }
    array->set(index++, static_cast<typename Kind::ElementType>(value));
  }
  return array;
}
