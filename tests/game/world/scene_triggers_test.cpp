// The shared trigger and the two kinds that pull it: what each argument of
// the trigger switches, the area trigger's entries and the flag trigger's
// conditions.
#include "tests/game/world/scene_object_fixture.h"

namespace {

using namespace playertest;

class SceneTriggerTest : public SceneObjectFixture {};

TEST_F(SceneTriggerTest, EachArgumentSwitchesTheFirstActorWithItsId) {
  struct Case {
    const char* what;
    int32_t activateId, deactivateId, killId;
    bool active, killed;
  };
  const Case cases[] = {
      {"activate", 7, 0, 0, true, false},
      {"deactivate", 0, 7, 0, false, false},
      {"kill", 0, 0, 7, false, true},
      {"ids below 1 name nothing", -7, -1, 0, false, false},
      {"an absent id names nothing", 8, 8, 8, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cActor::initLists();
    cActor* first = makeObject(ActorKind::MARKER, 7, 100, 100, {}, c.deactivateId == 7);
    cActor* second = makeObject(ActorKind::MARKER, 7, 200, 100, {}, false);
    cGame::runTrigger(-1, 0, c.activateId, c.deactivateId, c.killId);
    EXPECT_EQ(first->isActive(), c.active);
    EXPECT_EQ(first->isKilled(), c.killed);
    EXPECT_FALSE(second->isActive() || second->isKilled()) << "only the first with the id";
  }
}

TEST_F(SceneTriggerTest, ABarrierSwitchedOnBlocksItsCellsAndSwitchedOffFreesThem) {
  cActor* barrier = makeObject(ActorKind::BARRIER, 9, 5 * 32, 4 * 32, {}, false);
  giveCells(barrier, 2, 1);
  cGame::runTrigger(-1, 0, 9, 0, 0);
  EXPECT_TRUE(cGame::testCollision(5, 4, 4));
  EXPECT_TRUE(cGame::testCollision(6, 4, 4));
  cGame::runTrigger(-1, 0, 0, 9, 0);
  EXPECT_FALSE(cGame::testCollision(5, 4, 4));
  EXPECT_FALSE(cGame::testCollision(6, 4, 4));
}

TEST_F(SceneTriggerTest, ATriggerWithoutCutsceneLeavesTheFramesInput) {
  setKeys({FIRE}, {FIRE});
  cGame::runTrigger(-1, 0, 0, 0, 0);
  EXPECT_TRUE(cGame::isKeyPressed(FIRE)) << "no cutscene, no clearing";
  cGame::runTrigger(-1, -3, 0, 0, 0);
  EXPECT_TRUE(cGame::isKeyPressed(FIRE));
  cGame::runTrigger(-1, 5, 0, 0, 0);
  EXPECT_FALSE(cGame::isKeyPressed(FIRE)) << "a cutscene's start takes the input";
}

TEST_F(SceneTriggerTest, AnAreaTriggerFiresOncePerEntryOrOnceForEver) {
  struct Case {
    int32_t repeat;  // p6
    int32_t firings;
    bool killed;
  };
  for (const Case& c : {Case{1, 2, false}, Case{0, 1, true}}) {
    SCOPED_TRACE(c.repeat);
    cActor::initLists();
    cActorMC* hero = makePlayer(100, 300);
    cActor* target = makeObject(ActorKind::MARKER, 20, 900, 300, {}, false);
    cActor* trigger = makeObject(ActorKind::AREA_TRIGGER, 30, 300, 300, {0, -1, 0, 20, 0, 0, c.repeat});
    trigger->setInteractBox(-32, -32, 64, 64);
    int32_t firings = 0;
    // Outside, inside for three frames, outside, inside again.
    for (int32_t px : {100, 300, 300, 300, 100, 300}) {
      hero->setX(px << 8);
      runKind(trigger);
      if (target->isActive()) {
        ++firings;
        target->deactivate();
      }
    }
    EXPECT_EQ(firings, c.firings);
    EXPECT_EQ(trigger->isKilled(), c.killed);
  }
}

TEST_F(SceneTriggerTest, AnAreaTriggerAtRestOrWithoutFocusDoesNothing) {
  cActor* target = makeObject(ActorKind::MARKER, 20, 900, 300, {}, false);
  cActor* trigger = makeObject(ActorKind::AREA_TRIGGER, 30, 300, 300, {0, -1, 0, 20, 0, 0, 1}, false);
  trigger->setInteractBox(-32, -32, 64, 64);
  cActorMC* hero = makePlayer(300, 300);
  runKind(trigger);
  EXPECT_FALSE(target->isActive()) << "not armed";
  trigger->setFlag(ActorFlags::ACTIVE, true);
  play().focusActor = nullptr;
  runKind(trigger);
  EXPECT_FALSE(target->isActive()) << "no focus actor";
  play().focusActor = hero;
  runKind(trigger);
  EXPECT_TRUE(target->isActive());
}

TEST_F(SceneTriggerTest, InProgressNineActor244IsSwitchedOffAgainWhenTheCharacterLeaves) {
  shellStatics().cGameProgress.progress = newIntArray(10);
  shellStatics().cGameProgress.progress->set(0, 9);
  cGame::setChapter(0);
  ASSERT_TRUE(cGame::isProgressAt9());
  cActorMC* hero = makePlayer(300, 300);
  cActor* lamp = makeObject(ActorKind::MARKER, 244, 900, 300, {}, false);
  cActor* trigger = makeObject(ActorKind::AREA_TRIGGER, 30, 300, 300, {0, -1, 0, 244, 0, 0, 1});
  trigger->setInteractBox(-32, -32, 64, 64);
  runKind(trigger);
  EXPECT_TRUE(lamp->isActive());
  hero->setX(100 << 8);
  runKind(trigger);
  EXPECT_FALSE(lamp->isActive()) << "switched back as the character left";
  EXPECT_FALSE(cActor::statics().areaSwitchBack);
}

TEST_F(SceneTriggerTest, AFlagTriggerFiresOnlyWhenEveryWatchedActorFoundMeetsItsCondition) {
  struct Case {
    const char* what;
    int32_t condition;  // p3
    int32_t flagsA, flagsB;
    bool fires;
  };
  constexpr int32_t kindState = ActorFlags::KIND_STATE, killed = ActorFlags::KILLED;
  const Case cases[] = {
      {"state set, both", 0, kindState, kindState, true},
      {"state set, one", 0, kindState, 0, false},
      {"state clear, both", 1, 0, ActorFlags::ACTIVE, true},
      {"state clear, one set", 1, 0, kindState, false},
      {"killed, both", 2, killed, killed | kindState, true},
      {"killed, one", 2, killed, 0, false},
      {"an unknown condition never holds", 3, kindState | killed, kindState | killed, false},
      {"a negative condition never holds", -1, 0, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cActor::initLists();
    cActor* a = makeObject(ActorKind::MARKER, 11, 100, 100);
    cActor* b = makeObject(ActorKind::MARKER, 12, 200, 100);
    a->flags = c.flagsA;
    b->flags = c.flagsB;
    cActor* target = makeObject(ActorKind::MARKER, 20, 900, 300, {}, false);
    // Watches 11, an absent 13 and 12.
    cActor* trigger = makeObject(ActorKind::FLAG_TRIGGER, 40, 0, 0, {11, 13, 12, c.condition, -1, 0, 20, 0, 0});
    runKind(trigger);
    EXPECT_EQ(target->isActive(), c.fires);
    EXPECT_EQ(trigger->isKilled(), c.fires);
  }
}

TEST_F(SceneTriggerTest, AFlagTriggerWatchingOnlyAbsentIdsNeverFires) {
  cActor* target = makeObject(ActorKind::MARKER, 20, 900, 300, {}, false);
  for (int32_t condition : {0, 1, 2}) {
    SCOPED_TRACE(condition);
    cActor* trigger = makeObject(ActorKind::FLAG_TRIGGER, 40, 0, 0, {51, 52, 0, condition, -1, 0, 20, 0, 0});
    for (int i = 0; i < 3; ++i) runKind(trigger);
    EXPECT_FALSE(target->isActive());
    EXPECT_FALSE(trigger->isKilled());
  }
}

TEST_F(SceneTriggerTest, AFlagTriggerKeepsTheWatchedFlagsAndRestsWhileSwitchedOff) {
  cActor* watched = makeObject(ActorKind::MARKER, 11, 100, 100);
  watched->flags = ActorFlags::KIND_STATE | ActorFlags::ACTIVE;
  cActor* target = makeObject(ActorKind::MARKER, 20, 900, 300, {}, false);
  cActor* trigger = makeObject(ActorKind::FLAG_TRIGGER, 40, 0, 0, {11, 0, 0, 1, -1, 0, 20, 0, 0});
  runKind(trigger);
  EXPECT_EQ(trigger->param(9), ActorFlags::KIND_STATE | ActorFlags::ACTIVE);
  EXPECT_FALSE(target->isActive());
  watched->flags = 0;
  trigger->setFlag(ActorFlags::ACTIVE, false);
  runKind(trigger);
  EXPECT_FALSE(target->isActive()) << "at rest";
  trigger->setFlag(ActorFlags::ACTIVE, true);
  runKind(trigger);
  EXPECT_TRUE(target->isActive());
}

}  // namespace
