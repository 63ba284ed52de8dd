#pragma once
// The root of every class of the object model. The C++ vtable pointer comes
// first, then the header word:
//   bits 0-15  class id (0xFEEE once the collector has freed the object)
//   bits 16-23 collectable: 0 keeps the object whatever the marking says,
//              and the collector marks through it (a running Thread, a
//              string of the literal pool)
//   bits 24-31 collector byte; bits 24-27 are the mark bits
// Objects are made only by newObject (ObjectFactory.h) and never destroyed
// by C++: the collector calls finalize(), then frees the memory.
#include <cstdint>

#include "runtime/object/ClassTable.h"
#include "runtime/object/ReferenceFields.h"

class Class;
class String;

class Object {
 public:
  static constexpr uint16_t classId = classid::Object;
  static constexpr auto referenceFields() { return ReferenceFieldList<Object>{}; }

  // The six operations every class shares, in their fixed slot order.
  virtual void finalize();
  virtual int32_t equals(Object* other);
  virtual Object* clone();
  virtual String* toString();
  virtual int32_t hashCode();
  // The address of this object's view of the interface, or null.
  virtual void* lookupInterface(int32_t interfaceId);

  // 1 when object is an instance of the class or implements the interface.
  static int32_t instanceOf(Object* object, int32_t classId);
  // The Class record of the object's class, or null.
  static Class* getClass(Object* object);

  // The object's monitor (MonitorTable): recursive; wait gives up every
  // level the thread holds and takes them back; notify wakes count waiters,
  // -1 all. A null object is logged ("NullPointer") and nothing happens.
  static void monitorEnter(Object* object);
  static void monitorExit(Object* object);
  static void wait(Object* object, int64_t millis, int32_t nanos);
  static void notify(Object* object, int32_t count);
  // The object is being freed: its monitor goes.
  static void releaseMonitor(Object* object);

  uint16_t getClassId() const { return static_cast<uint16_t>(m_header & 0xFFFFu); }
  uint8_t collectable() const { return static_cast<uint8_t>(m_header >> 16); }
  void setCollectable(uint8_t value) { m_header = (m_header & 0xFF00FFFFu) | (uint32_t{value} << 16); }
  uint8_t collectorByte() const { return static_cast<uint8_t>(m_header >> 24); }

  bool isMarked() const { return (m_header & markBits) != 0; }
  void setMarked() { m_header = (m_header & ~markBits) | firstMarkBit; }
  void clearMarks() { m_header &= ~markBits; }
  void setFreedClassId() { m_header = (m_header & 0xFFFF0000u) | noClass; }

  // The header set-up every construction runs once, on zero-filled memory:
  // collectable, collector byte 1. A Thread is uncollectable only while it
  // runs (the thread table sees to that).
  void setUpHeader(uint16_t id);

  uint32_t m_header;

 protected:
  template <class T, class... Arguments>
  friend T* newObject(Arguments&&... arguments);
  Object() = default;
  ~Object() = default;
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

 private:
  static constexpr uint32_t markBits = 0x0F000000u;
  static constexpr uint32_t firstMarkBit = 0x01000000u;
};

// An address folded to the 32 bits of a hash code.
inline int32_t foldAddress(const void* address) {
  auto bits = reinterpret_cast<uintptr_t>(address);
  return static_cast<int32_t>(static_cast<uint32_t>(bits) ^ static_cast<uint32_t>(uint64_t{bits} >> 32));
}
