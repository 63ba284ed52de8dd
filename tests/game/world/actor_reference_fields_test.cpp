// The actor classes' declared reference fields reach their Class records,
// and whatever those fields hold lives as long as the actor does.
#include <gtest/gtest.h>

#include "game/world/cActorEnemy.h"
#include "game/world/cActorMC.h"
#include "game/world/cActorNPC.h"
#include "tests/support/ReferenceFieldsCheck.h"

namespace {

template <class T>
class ActorReferenceFieldsTest : public RuntimeFixture {};

using ActorClasses = ::testing::Types<cActor, cActorMC, cActorEnemy, cActorNPC>;
TYPED_TEST_SUITE(ActorReferenceFieldsTest, ActorClasses);

TYPED_TEST(ActorReferenceFieldsTest, DeclaredFieldsReachTheRecordAndKeepWhatTheyHold) {
  constexpr uint32_t expected = std::is_same_v<TypeParam, cActorMC>      ? 14 + 19
                                : std::is_same_v<TypeParam, cActorEnemy> ? 14 + 5
                                                                         : 14;
  EXPECT_EQ(referencefields::count<TypeParam>(), expected);
  expectReferenceFieldsHeld<TypeParam>(this->block(), [this] { this->collect(); });
}

}  // namespace
