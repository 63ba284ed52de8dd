// The platform classes' declared reference fields reach their Class records,
// and whatever those fields hold survives a forced collection while the
// instance is reachable, and goes with it afterwards.
#include <gtest/gtest.h>

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
#include "tests/support/ReferenceFieldsCheck.h"

namespace {

template <class T>
class PlatformReferenceFieldsTest : public RuntimeFixture {};

using PlatformClasses =
    ::testing::Types<java_util_Vector, java_util_Stack, java_util_Hashtable, java_util_HashtableEntry, java_util_Date,
                     java_util_Calendar, java_util_TimeZoneImpl, javax_microedition_lcdui_Command,
                     javax_microedition_lcdui_Graphics, java_lang_Throwable, HttpConnectionImpl, SocketConnectionImpl,
                     javax_microedition_rms_RecordStore, javax_microedition_rms_RecordEnumerationImpl>;
TYPED_TEST_SUITE(PlatformReferenceFieldsTest, PlatformClasses);

TYPED_TEST(PlatformReferenceFieldsTest, DeclaredFieldsReachTheRecordAndKeepWhatTheyHold) {
  static_assert(referencefields::count<TypeParam>() > 0, "every class listed here holds references");
  expectReferenceFieldsHeld<TypeParam>(this->block(), [this] { this->collect(); });
}

}  // namespace
