#include "platform/java_util/java_util_Vector.h"

#include "runtime/LiteralIds.h"
#include "runtime/exceptions/ThrowNew.h"
#include "runtime/lang/ArrayChecks.h"
#include "runtime/lang/ArrayCopy.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/NumberText.h"
#include "runtime/thread/SynchronizedScope.h"

void java_util_Vector::init() { init(10, 0); }

void java_util_Vector::init(int32_t initialCapacity) { init(initialCapacity, 0); }

void java_util_Vector::init(int32_t initialCapacity, int32_t increment) {
  if (initialCapacity < 0) {
    throwNew<java_lang_IllegalArgumentException>(literalOrNull(static_cast<int32_t>(LiteralId::vectorNegativeCapacity)));
    return;
  }
  elementData = newObjectArray(initialCapacity);
  capacityIncrement = increment;
  elementCount = 0;
}

void java_util_Vector::init(java_util_Vector* other) {
  if (other == nullptr) {
    logFailedCheck("NullPointer");
    throwNew<java_lang_NullPointerException>();
    return;
  }
  init(other->size(), 0);
  // The size is read again for each element: other may change meanwhile.
  for (int32_t i = 0; i < other->size(); ++i) {
    addElement(other->elementAt(i));
  }
}

int32_t java_util_Vector::size() { return elementCount; }

bool java_util_Vector::isEmpty() { return elementCount == 0; }

bool java_util_Vector::contains(Object* element) { return indexOf(element, 0) >= 0; }

void java_util_Vector::clear() {
  SynchronizedScope lock(this);
  removeAllElements();
}

bool java_util_Vector::replaceArray(int32_t capacity) {
  ObjectArray* replacement = newObjectArray(capacity);
  if (replacement == nullptr || replacement->length() != capacity) {
    debugLog("Vector: no room for %d elements, the array stays at %d", capacity, elementData->length());
    return false;
  }
  arraycopy(elementData, 0, replacement, 0, elementCount);
  elementData = replacement;
  return true;
}

bool java_util_Vector::grow(int32_t minCapacity) {
  const int64_t oldCapacity = elementData->length();
  int64_t newCapacity = capacityIncrement < 1 ? oldCapacity * 2 : oldCapacity + capacityIncrement;
  if (newCapacity < minCapacity) newCapacity = minCapacity;
  // Doubling past the int range stops at the largest array.
  if (newCapacity > INT32_MAX) newCapacity = INT32_MAX;
  return replaceArray(static_cast<int32_t>(newCapacity));
}

void java_util_Vector::copyInto(ObjectArray* anArray) {
  SynchronizedScope lock(this);
  if (anArray == nullptr) {
    logFailedCheck("NullPointer");
    throwNew<java_lang_NullPointerException>();
    return;
  }
  if (anArray->length() < elementCount) {
    raiseArrayIndexOutOfBounds("Vector.copyInto", elementCount - 1);
    return;
  }
  for (int32_t i = elementCount - 1; i >= 0; --i) anArray->set(i, elementData->get(i));
}

void java_util_Vector::trimToSize() {
  SynchronizedScope lock(this);
  if (elementCount < elementData->length()) replaceArray(elementCount);
}

void java_util_Vector::ensureCapacity(int32_t minCapacity) {
  SynchronizedScope lock(this);
  if (minCapacity > elementData->length()) grow(minCapacity);
}

void java_util_Vector::setSize(int32_t newSize) {
  SynchronizedScope lock(this);
  if (newSize < 0) {
    raiseArrayIndexOutOfBounds("Vector.setSize", newSize);
    return;
  }
  if (newSize > elementCount && newSize > elementData->length() && !grow(newSize)) return;
  for (int32_t i = newSize; i < elementCount; ++i) elementData->set(i, nullptr);
  elementCount = newSize;
}

int32_t java_util_Vector::capacity() { return elementData->length(); }

int32_t java_util_Vector::indexOf(Object* element) { return indexOf(element, 0); }

int32_t java_util_Vector::indexOf(Object* element, int32_t index) {
  SynchronizedScope lock(this);
  if (index < 0) {
    raiseArrayIndexOutOfBounds("Vector.indexOf", index);
    return -1;
  }
  // equals may allocate, so each slot is read through the array.
  for (int32_t i = index; i < elementCount; ++i) {
    Object* slot = elementData->get(i);
    if (element == nullptr ? slot == nullptr : element->equals(slot) != 0) return i;
  }
  return -1;
}

int32_t java_util_Vector::lastIndexOf(Object* element) {
  SynchronizedScope lock(this);
  return lastIndexOf(element, elementCount - 1);
}

int32_t java_util_Vector::lastIndexOf(Object* element, int32_t index) {
  SynchronizedScope lock(this);
  if (index >= elementCount) {
    debugLog("IndexOutOfBoundsException: Vector.lastIndexOf %d", index);
    throwNew<java_lang_IndexOutOfBoundsException>(intToText(index));
    return -1;
  }
  for (int32_t i = index; i >= 0; --i) {
    Object* slot = elementData->get(i);
    if (element == nullptr ? slot == nullptr : element->equals(slot) != 0) return i;
  }
  return -1;
}

Object* java_util_Vector::elementAt(int32_t index) {
  SynchronizedScope lock(this);
  if (!indexInUse(index)) {
    raiseArrayIndexOutOfBounds("Vector.elementAt", index);
    return nullptr;
  }
  return elementData->get(index);
}

Object* java_util_Vector::firstElement() {
  SynchronizedScope lock(this);
  return elementCount == 0 ? nullptr : elementData->get(0);
}

Object* java_util_Vector::lastElement() {
  SynchronizedScope lock(this);
  return elementCount == 0 ? nullptr : elementData->get(elementCount - 1);
}

void java_util_Vector::setElementAt(Object* element, int32_t index) {
  SynchronizedScope lock(this);
  if (!indexInUse(index)) {
    raiseArrayIndexOutOfBounds("Vector.setElementAt", index);
    return;
  }
  elementData->set(index, element);
}

void java_util_Vector::removeElementAt(int32_t index) {
  SynchronizedScope lock(this);
  if (!indexInUse(index)) {
    raiseArrayIndexOutOfBounds("Vector.removeElementAt", index);
    return;
  }
  const int32_t following = elementCount - index - 1;
  if (following > 0) arraycopy(elementData, index + 1, elementData, index, following);
  --elementCount;
  elementData->set(elementCount, nullptr);
}

void java_util_Vector::insertElementAt(Object* element, int32_t index) {
  SynchronizedScope lock(this);
  if (index < 0 || index > elementCount) {
    raiseArrayIndexOutOfBounds("Vector.insertElementAt", index);
    return;
  }
  if (elementCount == elementData->length() && !grow(elementCount + 1)) return;
  arraycopy(elementData, index, elementData, index + 1, elementCount - index);
  elementData->set(index, element);
  ++elementCount;
}

void java_util_Vector::addElement(Object* element) {
  SynchronizedScope lock(this);
  if (elementCount + int64_t{1} > elementData->length() && !grow(elementCount + 1)) return;
  elementData->set(elementCount, element);
  ++elementCount;
}

bool java_util_Vector::removeElement(Object* element) {
  SynchronizedScope lock(this);
  const int32_t index = indexOf(element, 0);
  if (index < 0) return false;
  removeElementAt(index);
  return true;
}

void java_util_Vector::removeAllElements() {
  SynchronizedScope lock(this);
  for (int32_t i = 0; i < elementCount; ++i) elementData->set(i, nullptr);
  elementCount = 0;
}
