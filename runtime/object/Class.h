#pragma once
// A Class record: one per class, 126 in a row inside the static block. It has
// the shape of an object (so compiled code may hold it in a reference) but is
// never registered with the collector.
#include <cstdint>

#include "runtime/object/Object.h"

class Class : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::Class;

  // The record of the class id, or null outside 0..125.
  static Class* byId(int32_t id);
  // The first record, in id order, whose name equals the given name with
  // every '.' read as '_'; null when none does or name is null.
  static Class* forName(String* name);
  // Stores, on the first call for the object's class, the offsets of the
  // given field addresses from the object; later calls change nothing.
  static void registerRefFields(Object* object, void* const* fieldAddresses, int32_t count);
  // Whether the object brings the reference-field layout that the first
  // object of its class id brought (none counts as a layout): a second C++
  // class under one id would otherwise be marked through the first one's
  // table. The first difference per class is logged with a stack trace.
  static bool checkRefFieldLayout(Object* object, void* const* fieldAddresses, int32_t count);

  String* getName();
  int32_t isInstance(Object* object);

  // Fills the record of class id from the class table.
  void setUpRecord(int32_t id, const char* name);
  // Releases the offset table (at shutdown).
  void releaseRefFields();

  const char* m_name;
  uint32_t m_classId;
  uint32_t m_superclassId;
  uint32_t* m_refFieldOffsets;  // null until the first object is constructed
  uint32_t m_refFieldCount;
  // For the layout check: an object without reference fields was made, and
  // a difference was reported.
  uint8_t m_madeWithoutRefFields;
  uint8_t m_layoutDifferenceLogged;
};
