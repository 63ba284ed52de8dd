// The snapshot trigger and the emitter: each acts once.
#include "game/world/cGameEffectsStatics.h"
#include "tests/game/world/scene_object_fixture.h"

namespace {

using namespace playertest;

class SceneMarkerTest : public SceneObjectFixture {};

TEST_F(SceneMarkerTest, TheSnapshotTriggerKeepsTheRoomOnceWhenReached) {
  makePlayer(600, 300);
  cActor* trigger = makeObject(ActorKind::SNAPSHOT_TRIGGER, 65, 300, 300, {45});
  trigger->setInteractBox(-32, -32, 64, 64);
  runKind(trigger);
  EXPECT_FALSE(cGame::hasRoomSnapshot()) << "not reached";
  play().focusActor->setX(300 << 8);
  runKind(trigger);
  EXPECT_TRUE(cGame::hasRoomSnapshot());
  EXPECT_TRUE(trigger->isKilled());
  EXPECT_EQ(storyStatics().cGameCountdown.snapshotBonusSeconds, 45);
  EXPECT_EQ(worldStatics().cGameRoom.snapshotAction, -1);
}

TEST_F(SceneMarkerTest, TheEmitterStartsItsEffectOnceOnScreen) {
  cActor* emitter = makeObject(ActorKind::EMITTER, 68, 5000, 300, {0, 1, 500, 0});
  runKind(emitter);
  EXPECT_FALSE(emitter->isKilled()) << "off screen";
  emitter->setX(300 << 8);
  runKind(emitter);
  EXPECT_TRUE(emitter->isKilled());
  emitter->setFlag(ActorFlags::KILLED, false);
  emitter->setFlag(ActorFlags::ACTIVE, false);
  runKind(emitter);
  EXPECT_FALSE(emitter->isKilled()) << "at rest";
}

}  // namespace
