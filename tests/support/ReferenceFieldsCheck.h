#pragma once
// The check every class with reference fields passes: its declared fields
// reach its Class record, and whatever they hold lives as long as the
// instance does. A typed test makes a rooted instance with each reference
// field holding a HeldObject, collects, and counts the finalised ones.
#include <gtest/gtest.h>

#include <cstring>

#include "runtime/object/ObjectFactory.h"
#include "runtime/object/StaticClass.h"
#include "tests/support/RuntimeFixture.h"

class HeldObject : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_Random;
  void finalize() override { ++finalisedCount(); }
  static int& finalisedCount() {
    static int count = 0;
    return count;
  }
};

// A bare instance (no constructor body) whose every reference field holds a
// HeldObject of its own; only testRoots().object holds the instance.
template <class T>
__attribute__((noinline)) void makeRootedInstanceWithFilledFields() {
  T* instance = newObject<T>();
  ASSERT_NE(instance, nullptr);
  testRoots().object = instance;
  constexpr size_t count = referencefields::count<T>();
  void* fields[count];
  referencefields::collectAddresses<T>(*instance, fields);
  for (void* field : fields) {
    Object* held = newObject<HeldObject>();
    std::memcpy(field, &held, sizeof held);
  }
}

// The record's count, then one collection with the instance rooted (nothing
// held goes) and one without (everything held goes).
template <class T, class Collect>
void expectReferenceFieldsHeld(StaticClass& block, Collect collect) {
  constexpr uint32_t count = referencefields::count<T>();
  HeldObject::finalisedCount() = 0;
  makeRootedInstanceWithFilledFields<T>();
  EXPECT_EQ(block.classes[T::classId].m_refFieldCount, count);
  collect();
  EXPECT_EQ(HeldObject::finalisedCount(), 0);
  testRoots().object = nullptr;
  collect();
  EXPECT_EQ(HeldObject::finalisedCount(), static_cast<int>(count));
}
