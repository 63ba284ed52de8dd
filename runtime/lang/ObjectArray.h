#pragma once
// ObjectArray (class id 4): an array of references. The object holds the
// length and a pointer to its elements, which live in a native-pool block
// owned by that pointer field (null when the length is 0 or negative).
#include <cstdint>

#include "runtime/object/Object.h"

class ObjectArray : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::ObjectArray;

  void init(int32_t length);

  // Releases the element storage.
  void finalize() override;
  // Bytes per element.
  virtual int32_t elementSize();

  int32_t length() const { return m_length; }
  // Elements are re-read through the storage field on every access: the pool
  // may move the storage during any allocation.
  Object* get(int32_t index) const { return m_elements[index]; }
  void set(int32_t index, Object* value) { m_elements[index] = value; }

  int32_t m_length;
  Object** m_elements;
};

// A new ObjectArray of null elements, or null when the object heap is full.
ObjectArray* newObjectArray(int32_t length);
