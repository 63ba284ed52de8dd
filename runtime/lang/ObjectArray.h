#pragma once
// ObjectArray (class id 4): an array of references. The object holds the
// length and a pointer to its elements, which live in a native-pool block
// owned by that pointer field (null when the length is 0 or negative).
#include <cstdint>

#include "runtime/lang/Array.h"

class ObjectArray : public TypedArray<Object*> {
 public:
  using Super = TypedArray<Object*>;
  static constexpr uint16_t classId = classid::ObjectArray;
};

// A new ObjectArray of null elements, or null when the object heap is full.
ObjectArray* newObjectArray(int32_t length);
