// The key-operated object of kind 64: arming, its four states, the block it
// shifts aside and back, and what its step back does instead.
#include "tests/game/world/scene_object_fixture.h"

namespace {

using namespace playertest;

class SceneKeyObjectTest : public SceneObjectFixture {
 protected:
  // At cell (5, 4), one cell wide; runs p7 ms; p2 = 1: armed by the action
  // key; p3 the step back's kind, p8 its id; p9 camera bits.
  static cActor* makeKeyObject(int32_t byKey, int32_t stepBack, int32_t runMs, int32_t stepId = 0,
                               int32_t cameraBits = 0) {
    cActor* object = makeObject(ActorKind::KEY_OBJECT, 64, 5 * 32, 4 * 32,
                                {0, 0, byKey, stepBack, 1, 2, 3, runMs, stepId, cameraBits, 0, 0}, false);
    giveCells(object, 1, 1);
    object->setInteractBox(-32, -32, 96, 96);
    cGame::stampFootprint(object, 0, 4, false);
    return object;
  }
  static void frame(cActor* object, int32_t ms = 100) {
    stepFrame(ms);
    runKind(object);
  }
};

TEST_F(SceneKeyObjectTest, ItRunsItsCycleShiftingTheBlockAsideAndBack) {
  cActor* object = makeKeyObject(0, 0, 250);
  frame(object);
  EXPECT_EQ(object->param(1), 0) << "not armed";
  object->activate();
  frame(object);
  EXPECT_EQ(object->param(1), 1);
  EXPECT_FALSE(object->isActive()) << "switched off on entering a state";
  frame(object);
  EXPECT_EQ(object->param(1), 2);
  EXPECT_FALSE(blocked(5, 4));
  EXPECT_TRUE(blocked(7, 4)) << "two cells to the right";
  frame(object);
  frame(object);
  EXPECT_EQ(object->param(1), 2) << "200 ms of 250";
  frame(object);
  EXPECT_EQ(object->param(1), 3);
  EXPECT_TRUE(blocked(5, 4));
  EXPECT_FALSE(blocked(7, 4));
  frame(object);
  EXPECT_EQ(object->param(1), 0);
}

TEST_F(SceneKeyObjectTest, ANegativeRunTimeRunsForEver) {
  cActor* object = makeKeyObject(0, 0, -1);
  object->activate();
  for (int i = 0; i < 30; ++i) frame(object, 1000);
  EXPECT_EQ(object->param(1), 2);
}

TEST_F(SceneKeyObjectTest, TheActionKeyArmsItOnlyWhereTheCharacterStands) {
  struct Case {
    int32_t heroX;
    int32_t key;
    bool armed;
  };
  for (const Case& c : {Case{5 * 32, FIRE, true}, Case{5 * 32, 11, true}, Case{5 * 32, LEFT, false},
                        Case{20 * 32, FIRE, false}}) {
    SCOPED_TRACE(testing::Message() << c.heroX << " key " << c.key);
    cActor::initLists();
    makePlayer(c.heroX, 4 * 32);
    cActor* object = makeKeyObject(1, 0, 250);
    setKeys({c.key}, {});
    runKind(object);
    EXPECT_EQ(object->isActive(), c.armed);
    EXPECT_EQ(object->param(1), 0) << "armed by key, it stays at rest";
  }
}

TEST_F(SceneKeyObjectTest, ACharacterCaughtByTheShiftedBlockHopsOut) {
  cActorMC* hero = makePlayer(7 * 32 + 8, 4 * 32 + 8);
  cActor* object = makeKeyObject(0, 0, 250);
  object->activate();
  frame(object);
  frame(object);
  EXPECT_EQ(hero->state, 18);
  ASSERT_NE(hero->targetPoint, nullptr);
  EXPECT_EQ(hero->targetPoint->get(0), 5 * 32);
  EXPECT_EQ(hero->targetPoint->get(1), 4 * 32 + 16);
}

TEST_F(SceneKeyObjectTest, TheStepBackSwitchesOnTheNextKeyObjectOnly) {
  cActor* namesake = makeObject(ActorKind::BARRIER, 77, 0, 0, {}, false);
  cActor* next = makeObject(ActorKind::KEY_OBJECT, 77, 0, 0, {}, false);
  cActor* object = makeKeyObject(0, 1, 250, 77);
  object->activate();
  frame(object);
  frame(object);
  EXPECT_TRUE(next->isActive());
  EXPECT_FALSE(namesake->isActive());
  EXPECT_TRUE(blocked(5, 4)) << "this step back moves no block";
}

TEST_F(SceneKeyObjectTest, TheCameraWatchesItStartWhenAsked) {
  cActorMC* hero = makePlayer(100, 100);
  cActor* object = makeKeyObject(0, 0, 250, 0, 1);
  object->activate();
  frame(object);
  EXPECT_EQ(worldStatics().cGameCamera.cameraTarget, object);
  frame(object);
  EXPECT_EQ(worldStatics().cGameCamera.cameraTarget, hero) << "back to the focus actor as it runs";
}

}  // namespace
