// Breakable objects and each kind's set-up after a room load.
#include "tests/game/world/scene_object_fixture.h"

namespace {

using namespace playertest;

class SceneBreakableTest : public SceneObjectFixture {
 protected:
  void SetUp() override {
    SceneObjectFixture::SetUp();
    installSprite(31, {.animations = 60, .steps = 2, .frameBox = characterBox});
  }
  // A kind-13 object on sprite 31 playing anim, set up as a room load does.
  static cActor* makeBreakable(int32_t anim) {
    cActor* object = makeActor(ActorKind::BARRIER, 6 * 32, 4 * 32);
    object->setFlag(ActorFlags::ACTIVE, true);
    object->setSprite(sprite(31));
    object->setAnim(anim, -1);
    giveCells(object, 1, 1);
    cGame::stampFootprint(object, 0, 4, false);
    object->reset();
    return object;
  }
  // Frames of play until its stage change has played out.
  static void settle(cActor* object) {
    for (int i = 0; i < 100 && object->param(2) != object->param(3); ++i) {
      stepFrame(framePeriod);
      runKind(object);
    }
  }
};

TEST_F(SceneBreakableTest, SmallOnesBreakAtTheFirstBlowLargeOnesAtTheTenth) {
  struct Case {
    int32_t anim;
    int32_t hitPoints;
    int32_t blowsToBreak;
  };
  for (const Case& c : {Case{31, 5, 1}, Case{33, 5, 1}, Case{42, 50, 10}, Case{46, 50, 10}}) {
    SCOPED_TRACE(c.anim);
    cActor::initLists();
    cActor* object = makeBreakable(c.anim);
    ASSERT_NE(object->params, nullptr);
    EXPECT_EQ(object->hp, c.hitPoints);
    EXPECT_EQ(object->param(1), c.anim);
    int32_t blows = 0;
    while (object->param(3) != 2 && blows < 20) {
      object->hitBreakable();
      ++blows;
      settle(object);
    }
    EXPECT_EQ(blows, c.blowsToBreak);
    settle(object);
    EXPECT_EQ(object->param(2), 2) << "broken";
    EXPECT_FALSE(blocked(6, 4)) << "the way is free";
  }
}

TEST_F(SceneBreakableTest, ABlowWhileTheLastOneStillPlaysCountsNothing) {
  cActor* object = makeBreakable(42);
  object->hitBreakable();
  EXPECT_EQ(object->hp, 45);
  EXPECT_EQ(object->param(3), 1);
  EXPECT_EQ(object->player->anim, 43) << "the blow's animation";
  object->hitBreakable();
  EXPECT_EQ(object->hp, 45) << "still cracking";
}

TEST_F(SceneBreakableTest, OtherPicturesAreNotBreakable) {
  cActor* object = makeBreakable(40);
  EXPECT_EQ(object->params, nullptr);
  installSprite(30, {.animations = 60, .steps = 2, .frameBox = characterBox});
  cActor* other = makeActor(ActorKind::BARRIER, 0, 0);
  other->setSprite(sprite(30));
  other->setAnim(42, -1);
  other->reset();
  EXPECT_EQ(other->params, nullptr);
}

class SceneSetUpTest : public SceneObjectFixture {};

TEST_F(SceneSetUpTest, EachKindStartsAfresh) {
  installSprite(40, {.animations = 10, .steps = 2});
  struct Case {
    int32_t kind;
    std::vector<int32_t> params;
    int32_t index;   // the param checked
    int32_t value;   // its value after the set-up
    int32_t anim;    // -2: not checked
  };
  const Case cases[] = {
      {ActorKind::MOVER, {2}, 0, 0, -2},
      {ActorKind::SLIDER, {3, 0, 0, 0, 0, 0, 1}, 6, 0, 3},
      {ActorKind::SENSOR, {4, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 6}, 1, 0, 4},
      {ActorKind::SENSOR, {4, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 6}, 15, 0, -2},
      {ActorKind::BARRIER_SWITCH, {0, 5, 6, 0, 0, 0, 2}, 6, 2, 6},
      {ActorKind::BARRIER_SWITCH, {0, 5, 6, 0, 0, 0, 0}, 6, 0, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << c.kind << " p" << c.index);
    cActor::initLists();
    cActor* object = makeObject(c.kind, 1, 100, 100, c.params);
    object->setSprite(sprite(40));
    object->reset();
    EXPECT_EQ(object->param(c.index), c.value);
    if (c.anim != -2) {
      EXPECT_EQ(object->player->anim, c.anim);
    }
  }
}

TEST_F(SceneSetUpTest, MachinesCopyTheirTypeAndCrittersShow) {
  cActor* machine = makeObject(ActorKind::BEHAVIOUR_MACHINE, 1, 0, 0, {8});
  machine->behaviourMode = 5;
  machine->reset();
  EXPECT_EQ(machine->behaviourMode, 0);
  EXPECT_EQ(machine->kindState, 8);
  cActor* critter = makeObject(ActorKind::CRITTER, 2, 0, 0);
  critter->setFlag(ActorFlags::HIDDEN, true);
  critter->reset();
  EXPECT_FALSE(critter->hasFlag(ActorFlags::HIDDEN));
}

}  // namespace
