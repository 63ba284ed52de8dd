// The retry: a snapshot written, the room changed, the snapshot restored.
#include <gtest/gtest.h>

#include "game/world/cActorMC.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"
#include "tests/game/story/conversation_kit.h"
#include "tests/game/story/story_fixture.h"

namespace {

constexpr int32_t scriptSpawned = 512;

class RoomRestoreTest : public StoryFixture {
 protected:
  void SetUp() override {
    StoryFixture::SetUp();
    shellStatics().cGameShared.results = newIntArray(13);
  }
  static IntArray* counters() { return shellStatics().cGameShared.results; }
  // The countdown the restore set: what it handed the countdown's setter,
  // which reports it while it stands in, else the countdown itself.
  static int32_t restoredCountdown() {
    return heardCount("setCountdown") > 0 ? heardValue("setCountdown") : storyStatics().cGameCountdown.countdownMs;
  }
  static cActor* withId(int32_t id, int32_t kind, int32_t x, int32_t y) {
    cActor* actor = makeActor(kind, x, y);
    actor->id = id;
    return actor;
  }
};

TEST_F(RoomRestoreTest, WithoutASnapshotNothingChanges) {
  counters()->set(7, 4);
  cGame::restoreRoomSnapshot();
  EXPECT_EQ(counters()->get(7), 4);
}

TEST_F(RoomRestoreTest, AnActorGetsBackItsPlaceHealthFlagsAndParameters) {
  cActor* barrier = withId(5, 13, 100, 200);
  barrier->hp = 9;
  IntArray* params = newIntArray(3);
  params->set(0, 1);
  params->set(1, -2);
  params->set(2, 0x01020304);
  barrier->setParams(params, 3);
  const int32_t flags = barrier->flags & ~ActorFlags::RESTORED;
  cGame::snapshotRoomState(false, -1);

  barrier->setX(300 << 8);
  barrier->setY(20 << 8);
  barrier->hp = 1;
  barrier->flags |= 0x40000;
  barrier->params->set(1, 77);
  cGame::restoreRoomSnapshot();
  EXPECT_EQ(barrier->getPixelX(), 100);
  EXPECT_EQ(barrier->getPixelY(), 200);
  EXPECT_EQ(barrier->hp, 9);
  EXPECT_EQ(barrier->flags & ~ActorFlags::MOVED, flags & ~ActorFlags::MOVED);
  EXPECT_TRUE(barrier->hasFlag(ActorFlags::MOVED)) << "it moved back";
  ASSERT_NE(barrier->params, nullptr);
  EXPECT_EQ(barrier->params->get(1), -2);
  EXPECT_EQ(barrier->params->get(2), 0x01020304);
}

TEST_F(RoomRestoreTest, CountersComeBackButEachRetryCountsOneMore) {
  counters()->set(3, 12);
  counters()->set(7, 2);
  cGame::snapshotRoomState(false, -1);
  counters()->set(3, 40);
  cGame::restoreRoomSnapshot();
  cGame::restoreRoomSnapshot();
  EXPECT_EQ(counters()->get(3), 12);
  EXPECT_EQ(counters()->get(7), 4) << "two retries";
  counters()->set(7, 32767);
  cGame::restoreRoomSnapshot();
  EXPECT_EQ(counters()->get(7), 32767) << "held at the top";
}

TEST_F(RoomRestoreTest, TheTriggersBonusSecondsExtendARunningCountdown) {
  struct Case {
    int32_t storedMs, bonus, restoredMs;
  };
  for (const Case& c : {Case{30000, 10, 40000}, Case{0, 10, 0}, Case{30000, 0, 30000}, Case{30500, -5, 30000}}) {
    SCOPED_TRACE(testing::Message() << c.storedMs << " + " << c.bonus);
    storyStatics().cGameCountdown.countdownMs = c.storedMs;
    worldStatics().cGameRoom.snapshotTrigger = c.bonus;
    cGame::snapshotRoomState(false, -1);
    storyStatics().cGameCountdown.countdownMs = 1234;
    forget();
    cGame::restoreRoomSnapshot();
    EXPECT_EQ(restoredCountdown(), c.restoredMs);
  }
}

TEST_F(RoomRestoreTest, ActorsMadeSinceAreGoneAndTheStartActionRunsAgain) {
  addAction(60, {9, 4, -1, -1, 0});  // id 9: line 4
  cActor* kept = withId(5, 13, 10, 10);
  cGame::snapshotRoomState(false, 9);
  cActor* scripted = withId(6, 13, 20, 20);
  scripted->flags |= scriptSpawned;
  cActor* spawned = withId(7, ActorKind::SPAWNED, 30, 30);
  cGame::restoreRoomSnapshot();
  EXPECT_EQ(cActor::findById(6), nullptr);
  EXPECT_EQ(scripted->layer, -1);
  EXPECT_EQ(cActor::findById(7), nullptr);
  EXPECT_TRUE(spawned->isKilled());
  EXPECT_EQ(cActor::findById(5), kept);
  EXPECT_EQ(conversationkit::shownText(), 4) << "the start action";
  EXPECT_TRUE(worldStatics().cGamePlay.playerControl == false) << "its line holds the player";
}

TEST_F(RoomRestoreTest, ARecordCutShortIsNotReadPastTheSnapshot) {
  cActor* first = withId(5, 13, 10, 10);
  cActor* second = withId(6, 13, 20, 20);
  cGame::snapshotRoomState(false, -1);
  ByteArray* bytes = worldStatics().cGameRoom.roomSnapshot;
  const int32_t length = (bytes->get(0) & 0xFF) | (bytes->get(1) & 0xFF) << 8;
  const int32_t cut = length - 3;
  bytes->set(0, static_cast<int8_t>(cut & 0xFF));
  bytes->set(1, static_cast<int8_t>(cut >> 8));
  first->setX(500 << 8);
  second->setX(500 << 8);
  cGame::restoreRoomSnapshot();
  // Records are written in list order; whichever is last was cut short.
  const bool firstLast = cActor::layerHead(0) == second;
  EXPECT_EQ(first->getPixelX(), firstLast ? 500 : 10);
  EXPECT_EQ(second->getPixelX(), firstLast ? 20 : 500);
}

TEST_F(RoomRestoreTest, CarriedItemCountsAreReadUnsigned) {
  cActorMC* partner = cActorMC::create(ActorKind::PLAYER, 0, newIntArray(3));
  partner->id = 3;
  partner->setParams(newIntArray(8), 8);
  partner->items = newObjectArray(15);
  IntArray* entry = newIntArray(2);
  entry->set(0, 200);
  entry->set(1, 150);
  partner->items->set(2, entry);
  cGame::snapshotRoomState(false, -1);
  partner->items = newObjectArray(15);
  cGame::restoreRoomSnapshot();
  ASSERT_NE(partner->items, nullptr);
  auto* restored = static_cast<IntArray*>(partner->items->get(2));
  ASSERT_NE(restored, nullptr);
  EXPECT_EQ(restored->get(0), 200);
  EXPECT_EQ(restored->get(1), 150);
}

}  // namespace

namespace {

TEST_F(RoomRestoreTest, ASpawnerStartsItsCountAndSequenceAgain) {
  cActor* spawner = withId(8, ActorKind::SPAWNER, 10, 10);
  IntArray* params = newIntArray(9);
  params->set(0, 7);
  spawner->setParams(params, 9);
  cGame::snapshotRoomState(false, -1);
  spawner->kindState = 2;
  spawner->spawnerStep = 4;
  cGame::restoreRoomSnapshot();
  EXPECT_EQ(spawner->kindState, 7);
  EXPECT_EQ(spawner->spawnerStep, 0);
}

TEST_F(RoomRestoreTest, ThePlayersRecordDropsTheActionMarker) {
  cActor* variant = withId(4, ActorKind::PLAYER_VARIANT, 10, 10);
  cGame::snapshotRoomState(false, -1);
  cGameEffectsStatics& marker = worldStatics().cGameEffects;
  marker.markerShown = true;
  marker.markerPainted = true;
  cGame::restoreRoomSnapshot();
  EXPECT_FALSE(marker.markerShown);
  EXPECT_FALSE(marker.markerPainted);
  EXPECT_EQ(marker.markerPlayer, nullptr);
  EXPECT_EQ(cActor::findById(4), variant);
}

}  // namespace

namespace {

TEST_F(RoomRestoreTest, TheRetryClosesTheTimedCaptionsAndRestartsTheCountdownWithItsAction) {
  cGame::setCountdown(30000, 6);
  worldStatics().cGameRoom.snapshotTrigger = 10;
  cGame::snapshotRoomState(false, -1);
  cGame::setCountdown(500, 9);
  cGame::showCaption(400, 120, 4);
  cGame::startTimedCaption(4);
  cGame::restoreRoomSnapshot();
  EXPECT_EQ(cGame::timedPhase(), -1);
  EXPECT_EQ(storyStatics().cGameTimedEvents.timedElapsed, 0);
  EXPECT_EQ(storyStatics().cGameTimedEvents.timedCaption, nullptr);
  EXPECT_EQ(storyStatics().cGameCountdown.countdownMs, 40000);
  EXPECT_EQ(storyStatics().cGameCountdown.countdownAction, 6);

  cGame::clearCountdown();
  cGame::snapshotRoomState(false, -1);
  cGame::setCountdown(500, 9);
  cGame::restoreRoomSnapshot();
  EXPECT_FALSE(cGame::isCountdownActive());
  EXPECT_EQ(storyStatics().cGameCountdown.countdownAction, -1) << "no countdown, no action";
}

}  // namespace
