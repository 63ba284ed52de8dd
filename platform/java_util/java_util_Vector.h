#pragma once
// java_util_Vector (class id 68): the growable list of references. Every
// operation that changes or scans the elements holds the Vector's monitor;
// size, isEmpty and capacity read the fields without it. Failures raise the
// pending exception and leave the Vector as it was.
#include <cstdint>

#include "runtime/lang/ObjectArray.h"
#include "runtime/object/Object.h"

class java_util_Vector : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_Vector;
  static constexpr auto referenceFields() { return ReferenceFieldList{&java_util_Vector::elementData}; }

  // Capacity 10, doubling.
  void init();
  void init(int32_t initialCapacity);
  // A negative capacity raises IllegalArgumentException; no element array
  // is made then. An increment below 1 doubles the array when it grows.
  void init(int32_t initialCapacity, int32_t capacityIncrement);
  // The elements of other, in order.
  void init(java_util_Vector* other);

  virtual int32_t size();
  virtual bool isEmpty();
  virtual bool contains(Object* element);
  virtual void clear();

  // Range errors raise ArrayIndexOutOfBoundsException unless noted.
  void copyInto(ObjectArray* anArray);
  void trimToSize();
  void ensureCapacity(int32_t minCapacity);
  void setSize(int32_t newSize);
  int32_t capacity();
  int32_t indexOf(Object* element);
  int32_t indexOf(Object* element, int32_t index);
  int32_t lastIndexOf(Object* element);
  // index >= size raises IndexOutOfBoundsException; below 0 answers -1.
  int32_t lastIndexOf(Object* element, int32_t index);
  Object* elementAt(int32_t index);
  // Null when empty.
  Object* firstElement();
  Object* lastElement();
  void setElementAt(Object* element, int32_t index);
  void removeElementAt(int32_t index);
  void insertElementAt(Object* element, int32_t index);
  void addElement(Object* element);
  bool removeElement(Object* element);
  void removeAllElements();
  void add(Object* element) { addElement(element); }
  Object* get(int32_t index) { return elementAt(index); }
  void set(int32_t index, Object* element) { setElementAt(element, index); }
  bool remove(Object* element) { return removeElement(element); }

  ObjectArray* elementData;
  int32_t elementCount;
  int32_t capacityIncrement;

 private:
  // With the monitor held: a larger array for at least minCapacity
  // elements. False (array unchanged) when there is no room for it.
  bool grow(int32_t minCapacity);
  // With the monitor held: a new array of exactly capacity slots holding the
  // elements in use. False (array unchanged) when it cannot be made.
  bool replaceArray(int32_t capacity);
  bool indexInUse(int32_t index) const { return index >= 0 && index < elementCount; }
};
