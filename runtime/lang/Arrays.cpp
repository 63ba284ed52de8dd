#include "runtime/lang/Arrays.h"

#include "runtime/lang/DebugLog.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"

void Array::setUpStorage(int32_t length, size_t elementBytes, void** storageField) {
  m_length = length;
  if (length < 0) {
    logFailedCheck("length of array should be >= 0");
    return;
  }
  if (length == 0) return;
  if (allocateOwnedStorage(static_cast<size_t>(length) * elementBytes, storageField) == nullptr) {
    debugLog("array of %d elements: no memory for the elements", length);
    m_length = 0;
  }
}

void Array::logBadAccess(int32_t index) const {
  if (storageBytes() == nullptr && static_cast<uint32_t>(index) < static_cast<uint32_t>(m_length)) {
    logFailedCheck("NullPointer");
  } else {
    logArrayIndexOutside("array index", index);
  }
}

Array* Array::from(Object* object) {
  return visitArrayKind<Array*>(object, nullptr, [](Array* array) { return array; });
}

std::byte* Array::storageBytes() const {
  return visitArrayKind<std::byte*>(const_cast<Array*>(this), nullptr,
                                    [](auto* array) { return reinterpret_cast<std::byte*>(array->m_elements); });
}

String* CharArray::toString() {
  int32_t count = 0;
  while (count < m_length && m_elements[count] != 0) ++count;
  return newObject<String>(this, 0, count);
}

ObjectArray* newObjectArray(int32_t length) { return newObject<ObjectArray>(length); }
BoolArray* newBoolArray(int32_t length) { return newObject<BoolArray>(length); }
ByteArray* newByteArray(int32_t length) { return newObject<ByteArray>(length); }
CharArray* newCharArray(int32_t length) { return newObject<CharArray>(length); }
ShortArray* newShortArray(int32_t length) { return newObject<ShortArray>(length); }
IntArray* newIntArray(int32_t length) { return newObject<IntArray>(length); }
Long64Array* newLong64Array(int32_t length) { return newObject<Long64Array>(length); }
FloatArray* newFloatArray(int32_t length) { return newObject<FloatArray>(length); }
DoubleArray* newDoubleArray(int32_t length) { return newObject<DoubleArray>(length); }

ShortArray* wrapShortArray(int16_t* storage, int32_t length) {
  return newObject<WrappingArray<ShortArray>>(storage, length);
}

ByteArray* wrapByteArray(int8_t* storage, int32_t length) {
  return newObject<WrappingArray<ByteArray>>(storage, length);
}
