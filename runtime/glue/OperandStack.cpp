#include "runtime/glue/OperandStack.h"

#include <cstring>

#include "runtime/Application.h"
#include "runtime/exceptions/java_lang_Throwable.h"
#include "runtime/glue/ElementAccess.h"
#include "runtime/glue/JavaArithmetic.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/MultiArray.h"
#include "runtime/lang/String.h"
#include "runtime/object/Class.h"

namespace {

// The array of the given kind the value refers to, or null after a log line
// ("NullPointer" for a null or freed one, "check cast" for another kind).
template <class Kind>
Kind* arrayIn(uintptr_t value) {
  auto* object = reinterpret_cast<Object*>(value);
  if (!objectIsUsable(object)) return nullptr;
  if (object->getClassId() != Kind::classId) {
    logFailedCheck("check cast");
    return nullptr;
  }
  return static_cast<Kind*>(object);
}

}  // namespace

void OperandStack::init(uintptr_t* values, uint8_t* tags) {
  m_valueBase = values;
  m_valueTop = values;
  m_tagTop = tags;
}

void OperandStack::pushFloat(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  push(bits, primitiveTag);
}

float OperandStack::popFloat() {
  const auto bits = static_cast<uint32_t>(pop());
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

void OperandStack::pushLong(int64_t value) {
  push(static_cast<uintptr_t>(value), primitiveTag);
  push(static_cast<uintptr_t>(value), longSecondTag);
}

int64_t OperandStack::popLong() {
  pop();
  return static_cast<int64_t>(pop());
}

Object* OperandStack::pushLiteral(int32_t index) {
  String* literal = literalOrNull(index);
  if (literal == nullptr) logFailedCheck("NullPointer");
  pushRef(literal);
  return literal;
}

void OperandStack::dupX1() {
  const uintptr_t b = m_valueTop[-1];
  const uintptr_t a = m_valueTop[-2];
  const uint8_t tagB = m_tagTop[-1];
  const uint8_t tagA = m_tagTop[-2];
  drop(2);
  push(b, tagB);
  push(a, tagA);
  push(b, tagB);
}

void OperandStack::dup2X1() {
  const uintptr_t b = m_valueTop[-1];
  const uintptr_t a = m_valueTop[-2];
  const uintptr_t z = m_valueTop[-3];
  const uint8_t tagB = m_tagTop[-1];
  const uint8_t tagA = m_tagTop[-2];
  const uint8_t tagZ = m_tagTop[-3];
  drop(3);
  push(a, tagA);
  push(b, tagB);
  push(z, tagZ);
  push(a, tagA);
  push(b, tagB);
}

int64_t OperandStack::peekWide(int32_t n) const {
  const uintptr_t value = m_valueTop[-1 - n];
  if (m_tagTop[-1 - n] == longSecondTag) return static_cast<int64_t>(value);
  return static_cast<int32_t>(value);
}

void OperandStack::irem() {
  const int32_t value2 = popInt();
  const uint8_t tag1 = m_tagTop[-1];
  const int32_t value1 = popInt();
  push(static_cast<uintptr_t>(static_cast<intptr_t>(javaRemainder(value1, value2))), tag1);
}

int32_t OperandStack::ifIcmpge() {
  const int32_t value2 = popInt();
  return popInt() >= value2 ? 1 : 0;
}

int32_t OperandStack::ifIcmpgt() {
  const int32_t value2 = popInt();
  return popInt() > value2 ? 1 : 0;
}

int32_t OperandStack::ifIcmplt() {
  const int32_t value2 = popInt();
  return popInt() < value2 ? 1 : 0;
}

int32_t OperandStack::ifIcmpeq() {
  const int32_t value2 = popInt();
  return popInt() == value2 ? 1 : 0;
}

void OperandStack::fcmpl() {
  const float value2 = popFloat();
  const float value1 = popFloat();
  pushInt(value1 > value2 ? 1 : value1 == value2 ? 0 : -1);
}

void OperandStack::iaload() {
  const int32_t index = popInt();
  IntArray* array = arrayIn<IntArray>(pop());
  pushInt(array != nullptr ? array->get(index) : 0);
}

void OperandStack::saload() {
  const int32_t index = popInt();
  ShortArray* array = arrayIn<ShortArray>(pop());
  pushInt(array != nullptr ? array->get(index) : 0);
}

void OperandStack::baload() {
  const int32_t index = popInt();
  ByteArray* array = arrayIn<ByteArray>(pop());
  pushInt(array != nullptr ? array->get(index) : 0);
}

void OperandStack::caload() {
  const int32_t index = popInt();
  CharArray* array = arrayIn<CharArray>(pop());
  pushInt(array != nullptr ? array->get(index) : 0);
}

void OperandStack::aaload() {
  const int32_t index = popInt();
  ObjectArray* array = arrayIn<ObjectArray>(pop());
  pushRef(array != nullptr ? array->get(index) : nullptr);
}

void OperandStack::iastore() {
  const int32_t value = popInt();
  const int32_t index = popInt();
  if (IntArray* array = arrayIn<IntArray>(pop())) array->set(index, value);
}

void OperandStack::castore() {
  const int32_t value = popInt();
  const int32_t index = popInt();
  if (CharArray* array = arrayIn<CharArray>(pop())) array->set(index, static_cast<char16_t>(value));
}

void OperandStack::bastore() {
  const int32_t value = popInt();
  const int32_t index = popInt();
  if (ByteArray* array = arrayIn<ByteArray>(pop())) array->set(index, static_cast<int8_t>(value));
}

void OperandStack::arraylength() {
  auto* object = popRef();
  if (!objectIsUsable(object)) {
    pushInt(0);
    return;
  }
  Array* array = Array::from(object);
  if (array == nullptr) logFailedCheck("check cast");
  pushInt(array != nullptr ? array->length() : 0);
}

void OperandStack::putfieldInt(int32_t* fieldAddress) {
  const int32_t value = popInt();
  if (objectIsUsable(popRef())) *fieldAddress = value;
}

void OperandStack::putfieldBoolean(uint8_t* fieldAddress) {
  const int32_t value = popInt();
  if (objectIsUsable(popRef())) *fieldAddress = value != 0 ? 1 : 0;
}

void OperandStack::multianewarray(const char* descriptor, int32_t dimensionCount) {
  int32_t lengths[255];
  if (dimensionCount < 1 || dimensionCount > 255 || dimensionCount > depth()) {
    debugLog("multianewarray: %d dimensions", dimensionCount);
    drop(dimensionCount > 0 && dimensionCount <= depth() ? dimensionCount : 0);
    pushRef(nullptr);
    return;
  }
  for (int32_t i = dimensionCount - 1; i >= 0; --i) lengths[i] = popInt();
  pushRef(newMultiArray(descriptor, lengths, dimensionCount));
}

void OperandStack::instanceOf(int32_t classId) { pushInt(Object::instanceOf(popRef(), classId)); }

void OperandStack::checkcast(int32_t classId) {
  Object* object = reinterpret_cast<Object*>(m_valueTop[-1]);
  // null passes every cast.
  if (object != nullptr && Object::instanceOf(object, classId) == 0) logFailedCheck("check cast");
}

void OperandStack::athrow() {
  Object* exception = popRef();
  if (Application* application = Application::get()) application->throwPending(exception);
}

void OperandStack::dump() const {
  debugLog("OperandStack dump:");
  for (int32_t n = 0; n < depth(); ++n) {
    const uintptr_t value = m_valueTop[-1 - n];
    const char* className = "?";
    if (m_tagTop[-1 - n] == referenceTag && value != 0) {
      if (Class* record = Object::getClass(reinterpret_cast<Object*>(value))) className = record->m_name;
    }
    debugLog("\t%d value=0x%llx class=%s", -1 - n, static_cast<unsigned long long>(value), className);
  }
}
