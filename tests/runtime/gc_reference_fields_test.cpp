// Every class built so far: its declared reference fields (its own and its
// superclasses') reach the Class record's table, and whatever they hold
// survives a forced collection.
#include <gtest/gtest.h>

#include <cstring>

#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/support/RuntimeFixture.h"

namespace {

int finalisedCount = 0;

class Held : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_Random;
  void finalize() override { ++finalisedCount; }
};

// A small hierarchy: the subclass adds fields to its superclass's, and a
// field of a more specific type is a reference like any other.
class Base : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_io_InputStream;
  int32_t m_count;
  Object* m_first;
  static constexpr auto referenceFields() { return ReferenceFieldList{&Base::m_first}; }
};

class Derived : public Base {
 public:
  using Super = Base;
  static constexpr uint16_t classId = classid::java_io_DataInputStream;
  ObjectArray* m_items;
  int64_t m_position;
  String* m_name;
  static constexpr auto referenceFields() { return ReferenceFieldList{&Derived::m_items, &Derived::m_name}; }
};

// Adds no fields of its own: inherits its superclass's.
class DerivedAgain : public Derived {
 public:
  using Super = Derived;
  static constexpr uint16_t classId = classid::java_io_ByteArrayInputStream;
};

template <class T>
struct Expected;
template <> struct Expected<Object> { static constexpr uint32_t count = 0; };
template <> struct Expected<String> { static constexpr uint32_t count = 0; };
template <> struct Expected<ObjectArray> { static constexpr uint32_t count = 0; };
template <> struct Expected<Base> { static constexpr uint32_t count = 1; };
template <> struct Expected<Derived> { static constexpr uint32_t count = 3; };
template <> struct Expected<DerivedAgain> { static constexpr uint32_t count = 3; };

template <class T>
class ReferenceFieldsTest : public RuntimeFixture {
 protected:
  void SetUp() override {
    RuntimeFixture::SetUp();
    finalisedCount = 0;
  }
};

using BuiltClasses = ::testing::Types<Object, String, ObjectArray, Base, Derived, DerivedAgain>;
TYPED_TEST_SUITE(ReferenceFieldsTest, BuiltClasses);

// Every reference field gets an object of its own; only the root holds the
// instance.
template <class T>
__attribute__((noinline)) void makeRootedInstanceWithFilledFields() {
  T* instance = newObject<T>();
  testRoots().object = instance;
  constexpr size_t count = referencefields::count<T>();
  if constexpr (count > 0) {
    void* fields[count];
    referencefields::collectAddresses<T>(*instance, fields);
    for (void* field : fields) {
      Object* held = newObject<Held>();
      std::memcpy(field, &held, sizeof held);
    }
  }
}

TYPED_TEST(ReferenceFieldsTest, DeclaredCountReachesTheRecord) {
  EXPECT_EQ(referencefields::count<TypeParam>(), Expected<TypeParam>::count);
  newObject<TypeParam>();
  const Class& record = this->block().classes[TypeParam::classId];
  EXPECT_EQ(record.m_refFieldCount, Expected<TypeParam>::count);
  EXPECT_EQ(record.m_refFieldOffsets != nullptr, Expected<TypeParam>::count > 0);
}

TYPED_TEST(ReferenceFieldsTest, WhatTheFieldsHoldSurvivesACollection) {
  makeRootedInstanceWithFilledFields<TypeParam>();
  this->collect();
  EXPECT_EQ(finalisedCount, 0);
  EXPECT_EQ(this->objectManager().registeredCount(), 1 + Expected<TypeParam>::count);
  testRoots().object = nullptr;
  this->collect();
  EXPECT_EQ(finalisedCount, static_cast<int>(Expected<TypeParam>::count));
}

TEST(ReferenceFieldOffsets, PointAtTheDeclaredFields) {
  Application application;
  application.init(nullptr, 1u << 18, 1u << 18);
  Derived* instance = newObject<Derived>();
  const Class& record = statics().classes[Derived::classId];
  ASSERT_EQ(record.m_refFieldCount, 3u);
  const char* base = reinterpret_cast<const char*>(instance);
  EXPECT_EQ(base + record.m_refFieldOffsets[0], reinterpret_cast<const char*>(&instance->m_first));
  EXPECT_EQ(base + record.m_refFieldOffsets[1], reinterpret_cast<const char*>(&instance->m_items));
  EXPECT_EQ(base + record.m_refFieldOffsets[2], reinterpret_cast<const char*>(&instance->m_name));
  application.close();
}

}  // namespace
