// The room snapshot's bytes: its header, actor records with and without a
// binding, a character's carried items, and a room too big for it.
#include <gtest/gtest.h>

#include "game/world/cActorMC.h"
#include "tests/game/world/world_fixture.h"

namespace {

class RoomSnapshotTest : public WorldFixture {
 protected:
  static std::vector<uint8_t> snapshotBytes(size_t count) {
    ByteArray* buffer = worldStatics().cGameRoom.roomSnapshot;
    std::vector<uint8_t> out;
    for (size_t i = 0; i < count && buffer != nullptr; ++i) out.push_back(static_cast<uint8_t>(buffer->get(int32_t(i))));
    return out;
  }
  static int32_t s16At(int32_t offset) {
    const std::vector<uint8_t> bytes = snapshotBytes(size_t(offset) + 2);
    return int16_t(bytes[size_t(offset)] | bytes[size_t(offset) + 1] << 8);
  }
};

TEST_F(RoomSnapshotTest, APlainBarrierRecordFollowsTheHeader) {
  storyStatics().cGameCountdown.countdownMs = 61999;
  storyStatics().cGameCountdown.countdownAction = 4;
  worldStatics().cGameRoom.snapshotTrigger = 15;
  worldStatics().cGameEffects.particleMode = 2;
  play().actionButtonEnabled = true;
  shellStatics().cGameShared.results = newIntArray(13);
  shellStatics().cGameShared.results->set(7, 3);
  cActor* barrier = makeActor(13, 100, 200, 1);
  barrier->id = 5;
  barrier->hp = 9;
  barrier->flags = ActorFlags::ACTIVE | ActorFlags::RESTORED;
  IntArray* params = newIntArray(3);
  params->set(0, 1);
  params->set(1, -2);
  params->set(2, 0x01020304);
  barrier->setParams(params, 3);
  cGame::snapshotRoomState(false, 6);
  EXPECT_EQ(worldStatics().cGameRoom.snapshotAction, 6);
  EXPECT_EQ(s16At(0), 39 + 32);
  EXPECT_EQ(s16At(2), 61);
  EXPECT_EQ(s16At(4), 4);
  EXPECT_EQ(s16At(6), 15);
  EXPECT_EQ(s16At(8), 2);
  EXPECT_EQ(snapshotBytes(11)[10], 1);
  EXPECT_EQ(s16At(11 + 2 * 7), 3);
  EXPECT_EQ(s16At(37), -1) << "no focus actor";
  const std::vector<uint8_t> all = snapshotBytes(71);
  const std::vector<uint8_t> record(all.begin() + 39, all.end());
  EXPECT_EQ(record, (std::vector<uint8_t>{13, 5, 0, 100, 0, 200, 0, 1, 0, 9, 0, 8, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 3,
                                          1, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 4, 3, 2, 1}));
  EXPECT_FALSE(barrier->hasFlag(ActorFlags::RESTORED)) << "cleared on the actor itself";
}

TEST_F(RoomSnapshotTest, BindingsAreWrittenOnlyForAFindableActor) {
  cActor* leader = makeActor(63, 0, 0);
  leader->id = 3;
  cActor* follower = makeActor(63, 0, 10);
  follower->bindToActor(3, 1, 2, 3, 4);
  cActor* strayFollower = makeActor(63, 0, 20);
  strayFollower->bindToActor(3, 1, 1, 1, 1);
  leader->id = 0;  // no longer findable
  cGame::snapshotRoomState(false, -1);
  // Three plain records of 20 bytes: no binding written for id 0.
  EXPECT_EQ(s16At(0), 39 + 3 * 20);
  leader->id = 3;
  cGame::snapshotRoomState(false, -1);
  EXPECT_EQ(s16At(0), 39 + 20 + 2 * 44);
  EXPECT_EQ(s16At(39 + 20 + 17), 3);
}

TEST_F(RoomSnapshotTest, ACharacterWritesItsCarriedItemsClampedAndTheEndMark) {
  IntArray* position = newIntArray(3);
  cActorMC* hero = cActorMC::create(10, 0, position);
  hero->id = 1;
  play().focusActor = hero;
  cGame::snapshotRoomState(false, -1);
  EXPECT_EQ(s16At(37), 1);
  EXPECT_EQ(s16At(0), 39 + 20 + 1) << "an empty table writes only its end mark";
  EXPECT_EQ(snapshotBytes(60)[59], 0xFF);

  hero->items = newObjectArray(15);
  IntArray* lamp = newIntArray(2);
  lamp->set(0, 4);
  lamp->set(1, 300);
  hero->items->set(2, lamp);
  cGame::snapshotRoomState(false, -1);
  const std::vector<uint8_t> all = snapshotBytes(63);
  EXPECT_EQ(std::vector<uint8_t>(all.begin() + 59, all.end()), (std::vector<uint8_t>{2, 4, 255, 0xFF}));
  EXPECT_EQ(s16At(0), 39 + 20 + 4);
}

TEST_F(RoomSnapshotTest, ARoomTooBigForTheBufferKeepsWholeRecordsOnly) {
  // Kind 29 paths carry 91 params: 384 bytes a record.
  for (int32_t i = 0; i < 100; ++i) {
    cActor* path = makeActor(29, 0, i);
    path->id = i + 1;
    path->setParams(nullptr, 91);
  }
  testing::internal::CaptureStdout();
  cGame::snapshotRoomState(false, -1);
  const std::string log = testing::internal::GetCapturedStdout();
  const int32_t length = s16At(0);
  EXPECT_LE(length, 30720);
  EXPECT_EQ((length - 39) % 384, 0);
  EXPECT_NE(log.find("Room snapshot full"), std::string::npos);
}

TEST_F(RoomSnapshotTest, ANotifyingSnapshotShowsItsHintAndClearingForgetsIt) {
  cGame::snapshotRoomState(true, 2);
  EXPECT_TRUE(cGame::hasRoomSnapshot());
  cGame::clearRoomSnapshot();
  EXPECT_FALSE(cGame::hasRoomSnapshot());
  EXPECT_EQ(worldStatics().cGameRoom.snapshotAction, -1);
}

}  // namespace
