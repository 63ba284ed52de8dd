// The actor classes' declared reference fields reach their Class records,
// and whatever those fields hold lives as long as the actor does.
#include <gtest/gtest.h>

#include <cstring>

#include "game/world/cActorEnemy.h"
#include "game/world/cActorMC.h"
#include "game/world/cActorNPC.h"
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
class ActorReferenceFieldsTest : public RuntimeFixture {
 protected:
  void SetUp() override {
    RuntimeFixture::SetUp();
    finalisedCount = 0;
  }
};

using ActorClasses = ::testing::Types<cActor, cActorMC, cActorEnemy, cActorNPC>;
TYPED_TEST_SUITE(ActorReferenceFieldsTest, ActorClasses);

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

TYPED_TEST(ActorReferenceFieldsTest, DeclaredFieldsReachTheRecordAndKeepWhatTheyHold) {
  constexpr uint32_t count = referencefields::count<TypeParam>();
  constexpr uint32_t expected = std::is_same_v<TypeParam, cActor>        ? 13
                                : std::is_same_v<TypeParam, cActorMC>    ? 13 + 19
                                : std::is_same_v<TypeParam, cActorEnemy> ? 13 + 5
                                                                         : 13;
  EXPECT_EQ(count, expected);
  makeRootedInstanceWithFilledFields<TypeParam>();
  const Class& record = this->block().classes[TypeParam::classId];
  EXPECT_EQ(record.m_refFieldCount, count);
  // The constructor body's own arrays were made before the fields were
  // overwritten; they go now, what the fields hold stays.
  this->collect();
  EXPECT_EQ(finalisedCount, 0);
  testRoots().object = nullptr;
  this->collect();
  EXPECT_EQ(finalisedCount, static_cast<int>(count));
}

}  // namespace
