#pragma once
// What the nine array kinds share. The array object holds its length and a
// pointer to its elements; the elements live in a native-pool block owned by
// that pointer field (null when the length is 0 or negative), so the pool may
// move them during any allocation. Never keep an element address across an
// allocation: re-read it through the array.
#include <cstddef>
#include <cstdint>

#include "runtime/lang/ArrayChecks.h"
#include "runtime/object/NativeStorage.h"
#include "runtime/object/Object.h"

class Array : public Object {
 public:
  using Super = Object;

  // Bytes per element.
  virtual int32_t elementSize() = 0;

  int32_t length() const { return m_length; }

  // The array view of an object of one of the nine kinds, else null.
  static Array* from(Object* object);
  // The element storage, whichever the kind (null when there is none).
  std::byte* storageBytes() const;

  int32_t m_length;

 protected:
  // Construction of every kind: stores the length and gives the storage field
  // length x element size zero-filled bytes that it owns. A negative length
  // is logged and leaves no storage; so does a failed allocation, which also
  // makes the length 0.
  void setUpStorage(int32_t length, size_t elementBytes, void** storageField);
  // An element access that missed: no storage, or an index outside.
  void logBadAccess(int32_t index) const;
};

template <class Element>
class TypedArray : public Array {
 public:
  using Super = Array;
  using ElementType = Element;

  void init(int32_t length) { setUpStorage(length, sizeof(Element), reinterpret_cast<void**>(&m_elements)); }
  void finalize() override { releaseOwnedStorage(reinterpret_cast<void**>(&m_elements)); }
  int32_t elementSize() override { return static_cast<int32_t>(sizeof(Element)); }

  // Checked element access: no storage logs "NullPointer", an index outside
  // logs "array index OOB"; either way nothing is touched or raised.
  Element get(int32_t index) const {
    if (m_elements == nullptr || static_cast<uint32_t>(index) >= static_cast<uint32_t>(m_length)) [[unlikely]] {
      logBadAccess(index);
      return Element{};
    }
    return m_elements[index];
  }
  void set(int32_t index, Element value) {
    if (m_elements == nullptr || static_cast<uint32_t>(index) >= static_cast<uint32_t>(m_length)) [[unlikely]] {
      logBadAccess(index);
      return;
    }
    m_elements[index] = value;
  }
  // Valid until the next allocation.
  Element* elements() const { return m_elements; }

  Element* m_elements;
};
