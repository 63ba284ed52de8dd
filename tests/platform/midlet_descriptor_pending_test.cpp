// Reading the program's descriptor at the end of its archive entry leaves
// no exception pending for the game's first check to find.
#include <gtest/gtest.h>

#include "platform/java_util/java_util_Hashtable.h"
#include "platform/javax_microedition_midlet/javax_microedition_midlet_MIDlet.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/support/RuntimeFixture.h"

namespace {

class MidletDescriptorPending : public RuntimeFixture {};

TEST_F(MidletDescriptorPending, TheConstructorLeavesNothingPending) {
  auto* midlet = newObject<javax_microedition_midlet_MIDlet>();
  ASSERT_NE(midlet, nullptr);
  ASSERT_NE(midlet->properties, nullptr);
  ASSERT_NE(midlet->properties->count, 0) << "the built archive's app.jad was read";
  EXPECT_EQ(application().getPending(), nullptr);
  EXPECT_NE(javax_microedition_midlet_MIDlet::loadJad(), nullptr);
  EXPECT_EQ(application().getPending(), nullptr);
}

}  // namespace
