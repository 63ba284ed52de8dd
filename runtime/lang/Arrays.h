#pragma once
// The eight array kinds of primitive elements (class ids 5 to 12), the two
// arrays that wrap storage they do not own, and the factories of all nine.
#include <cstdint>

#include "runtime/lang/Array.h"
#include "runtime/lang/ObjectArray.h"

class BoolArray : public TypedArray<uint8_t> {
 public:
  using Super = TypedArray<uint8_t>;
  static constexpr uint16_t classId = classid::BoolArray;
};

class ByteArray : public TypedArray<int8_t> {
 public:
  using Super = TypedArray<int8_t>;
  static constexpr uint16_t classId = classid::ByteArray;
};

class CharArray : public TypedArray<char16_t> {
 public:
  using Super = TypedArray<char16_t>;
  static constexpr uint16_t classId = classid::CharArray;

  // A new String of the characters up to the first zero or the end.
  String* toString() override;
};

class ShortArray : public TypedArray<int16_t> {
 public:
  using Super = TypedArray<int16_t>;
  static constexpr uint16_t classId = classid::ShortArray;
};

class IntArray : public TypedArray<int32_t> {
 public:
  using Super = TypedArray<int32_t>;
  static constexpr uint16_t classId = classid::IntArray;
};

class Long64Array : public TypedArray<int64_t> {
 public:
  using Super = TypedArray<int64_t>;
  static constexpr uint16_t classId = classid::Long64Array;
};

class FloatArray : public TypedArray<float> {
 public:
  using Super = TypedArray<float>;
  static constexpr uint16_t classId = classid::FloatArray;
};

class DoubleArray : public TypedArray<double> {
 public:
  using Super = TypedArray<double>;
  static constexpr uint16_t classId = classid::DoubleArray;
};

// A ShortArray or ByteArray over storage that belongs to someone else (the
// screen image's pixels over the display's back buffer). Its finaliser only
// forgets the storage. The storage must not lie in the movable native pool.
template <class Kind>
class WrappingArray : public Kind {
 public:
  using Super = Kind;
  void init(typename Kind::ElementType* storage, int32_t length) {
    this->m_length = storage != nullptr ? length : 0;
    this->m_elements = storage;
  }
  void finalize() override { this->m_elements = nullptr; }
};

// Null when the object heap cannot supply the array object.
BoolArray* newBoolArray(int32_t length);
ByteArray* newByteArray(int32_t length);
CharArray* newCharArray(int32_t length);
ShortArray* newShortArray(int32_t length);
IntArray* newIntArray(int32_t length);
Long64Array* newLong64Array(int32_t length);
FloatArray* newFloatArray(int32_t length);
DoubleArray* newDoubleArray(int32_t length);

ShortArray* wrapShortArray(int16_t* storage, int32_t length);
ByteArray* wrapByteArray(int8_t* storage, int32_t length);

// Calls visit with the object cast to its own kind (ObjectArray, ByteArray,
// ...) and answers what it answers; otherwise (null, not an array) answers
// notAnArray.
template <class Result, class Visitor>
Result visitArrayKind(Object* object, Result notAnArray, Visitor&& visit) {
  if (object == nullptr) return notAnArray;
  switch (object->getClassId()) {
    case classid::ObjectArray: return visit(static_cast<ObjectArray*>(object));
    case classid::BoolArray: return visit(static_cast<BoolArray*>(object));
    case classid::ByteArray: return visit(static_cast<ByteArray*>(object));
    case classid::CharArray: return visit(static_cast<CharArray*>(object));
    case classid::ShortArray: return visit(static_cast<ShortArray*>(object));
    case classid::IntArray: return visit(static_cast<IntArray*>(object));
    case classid::Long64Array: return visit(static_cast<Long64Array*>(object));
    case classid::FloatArray: return visit(static_cast<FloatArray*>(object));
    case classid::DoubleArray: return visit(static_cast<DoubleArray*>(object));
    default: return notAnArray;
  }
}
