// The platform classes' declared reference fields reach their Class records,
// and whatever those fields hold survives a forced collection while the
// instance is reachable, and goes with it afterwards.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/java_util/java_util_Calendar.h"
#include "platform/java_util/java_util_Date.h"
#include "platform/java_util/java_util_Hashtable.h"
#include "platform/java_util/java_util_HashtableEntry.h"
#include "platform/java_util/java_util_Stack.h"
#include "platform/java_util/java_util_TimeZoneImpl.h"
#include "platform/java_util/java_util_Vector.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Command.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_rms/javax_microedition_rms_RecordEnumerationImpl.h"
#include "platform/javax_microedition_rms/javax_microedition_rms_RecordStore.h"
#include "runtime/exceptions/java_lang_Throwable.h"
#include "runtime/net/HttpConnectionImpl.h"
#include "runtime/net/SocketConnectionImpl.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/object/StaticClass.h"
#include "tests/support/RuntimeFixture.h"

namespace {

int finalisedCount = 0;

class Held : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_Random;
  void finalize() override { ++finalisedCount; }
};

template <class T>
class PlatformReferenceFieldsTest : public RuntimeFixture {
 protected:
  void SetUp() override {
    RuntimeFixture::SetUp();
    finalisedCount = 0;
  }
};

using PlatformClasses =
    ::testing::Types<java_util_Vector, java_util_Stack, java_util_Hashtable, java_util_HashtableEntry, java_util_Date,
                     java_util_Calendar, java_util_TimeZoneImpl, javax_microedition_lcdui_Command,
                     javax_microedition_lcdui_Graphics, java_lang_Throwable, HttpConnectionImpl, SocketConnectionImpl,
                     javax_microedition_rms_RecordStore, javax_microedition_rms_RecordEnumerationImpl>;
TYPED_TEST_SUITE(PlatformReferenceFieldsTest, PlatformClasses);

// A bare instance (no constructor body) whose every reference field holds an
// object of its own; only a static root holds the instance.
template <class T>
__attribute__((noinline)) void makeRootedInstanceWithFilledFields() {
  T* instance = newObject<T>();
  ASSERT_NE(instance, nullptr);
  testRoots().object = instance;
  constexpr size_t count = referencefields::count<T>();
  void* fields[count];
  referencefields::collectAddresses<T>(*instance, fields);
  for (void* field : fields) {
    Object* held = newObject<Held>();
    std::memcpy(field, &held, sizeof held);
  }
}

TYPED_TEST(PlatformReferenceFieldsTest, DeclaredFieldsReachTheRecordAndKeepWhatTheyHold) {
  constexpr uint32_t count = referencefields::count<TypeParam>();
  static_assert(count > 0, "every class listed here holds references");
  makeRootedInstanceWithFilledFields<TypeParam>();
  const Class& record = this->block().classes[TypeParam::classId];
  EXPECT_EQ(record.m_refFieldCount, count);

  this->collect();
  EXPECT_EQ(finalisedCount, 0);

  testRoots().object = nullptr;
  this->collect();
  EXPECT_EQ(finalisedCount, static_cast<int>(count));
}

}  // namespace
