// The program's class initialisers, run by the static block's set-up in
// their fixed order.
#include <gtest/gtest.h>

#include "game/GameClassInitialisers.h"
#include "game/GameStatics.h"
#include "runtime/lang/ObjectArray.h"
#include "tests/support/RuntimeFixture.h"

namespace {

class GameClassInitialisersTest : public RuntimeFixture {
 protected:
  GameClassInitialisersTest() : RuntimeFixture(defaultObjectHeapBytes, defaultNativePoolBytes, &gameClassInitialisers()) {}
};

TEST_F(GameClassInitialisersTest, MenuBoxFollowsTheSixMenuRows) {
  ASSERT_NE(shellStatics().cGame.menuRows, nullptr);
  EXPECT_EQ(shellStatics().cGame.menuRows->length(), 6);
  EXPECT_EQ(shellStatics().IMenus.menuHeight, 170);
  EXPECT_EQ(shellStatics().IMenus.menuTop, 175);
  EXPECT_EQ(shellStatics().IMenus.menuBottom, 337);
}

TEST_F(GameClassInitialisersTest, ActorStaticsHoldTheirArrays) {
  ASSERT_NE(worldStatics().cActor.layerHeads, nullptr);
  ASSERT_NE(worldStatics().cActor.displayList, nullptr);
  EXPECT_EQ(worldStatics().cActor.layerHeads->length(), 1);
  EXPECT_EQ(worldStatics().cActor.displayList->length(), 200);
  EXPECT_EQ(worldStatics().cActor.displayCount, 0);
}

TEST_F(GameClassInitialisersTest, TheLanguageClassesHaveTheirStatics) {
  EXPECT_NE(block().java_lang_System.out, nullptr);
  EXPECT_NE(block().java_lang_System.err, nullptr);
  EXPECT_NE(block().java_lang_Boolean.trueValue, nullptr);
  EXPECT_NE(block().java_lang_Boolean.falseValue, nullptr);
}

TEST_F(GameClassInitialisersTest, InitialisedStaticsSurviveCollections) {
  const size_t registeredAtStart = objectManager().registeredCount();
  collect(ObjectManager::forced);
  collect(ObjectManager::keepNewest | ObjectManager::unthrottled);
  EXPECT_EQ(shellStatics().cGame.menuRows->getClassId(), classid::ObjectArray);
  EXPECT_EQ(shellStatics().cGame.menuRows->length(), 6);
  EXPECT_EQ(worldStatics().cActor.displayList->getClassId(), classid::ObjectArray);
  EXPECT_EQ(worldStatics().cActor.displayList->length(), 200);
  EXPECT_EQ(objectManager().registeredCount(), registeredAtStart);
}

}  // namespace
