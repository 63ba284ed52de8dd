// The world's test room, written in the level source and assembled by the
// content compiler's assembler, loads into the world as it was written.
#include <gtest/gtest.h>


#include "game/world/cActorEnemy.h"
#include "game/world/cActorMC.h"
#include "game/world/cActorNPC.h"
#include "tests/game/world/world_fixture.h"
#include "tests/game/world/source_room.h"

namespace {

class TestRoomTest : public WorldFixture {
 protected:
  void SetUp() override {
    WorldFixture::SetUp();
    for (int32_t slot : {16, 17, 23, 27}) installSprite(slot);
    cGame::createItemTable();
    m_room = worldkit::loadSourceRoom("test_room.lvl");
  }
  cActor* actor(const char* name) const { return cActor::findById(m_room.symbols.actors.at(name)); }

  tools::AssembledLevel m_room;
};

TEST_F(TestRoomTest, ItsActorsStandInDepthOrderWithTheirKinds) {
  std::vector<int32_t> kinds;
  int64_t lastKey = INT64_MIN;
  for (cActor* a : layerOrder()) {
    kinds.push_back(a->kind);
    EXPECT_GE(a->getDepthKey(), lastKey);
    lastKey = a->getDepthKey();
  }
  EXPECT_EQ(kinds.size(), 6u);
  ASSERT_NE(actor("hero"), nullptr);
  EXPECT_EQ(actor("hero")->kind, ActorKind::PLAYER);
  EXPECT_EQ(actor("murkling")->kind, ActorKind::CREATURE);
  EXPECT_EQ(actor("ferryman")->kind, ActorKind::NPC);
  EXPECT_EQ(actor("gate")->kind, ActorKind::BARRIER);
  EXPECT_EQ(actor("lanternSpot")->kind, ActorKind::COLLECTIBLE);
  EXPECT_EQ(actor("porch")->kind, ActorKind::AREA_TRIGGER);
  EXPECT_EQ(actor("gate")->getPixelX(), 640);
  EXPECT_TRUE(actor("murkling")->isActive());
  EXPECT_EQ(static_cast<cActorEnemy*>(actor("murkling"))->hp, 50);
  EXPECT_EQ(static_cast<cActorNPC*>(actor("ferryman"))->talkEvent, 272);
}

TEST_F(TestRoomTest, TheHeaderNamesTheFocusAndTheStartAction) {
  EXPECT_EQ(play().focusActor, actor("hero"));
  const int32_t start = worldStatics().cGameRoom.startActionIndex;
  EXPECT_EQ(start, cGame::findActionById(m_room.symbols.actions.at("welcome")));
  EXPECT_GE(start, 0);
  EXPECT_EQ(storyStatics().cGameActions.actionCount, 2);
}

TEST_F(TestRoomTest, ItsItemIsRecordedAndItsHotspotGivesIt) {
  EXPECT_EQ(cGame::getItemField(1, 0), 23);
  EXPECT_EQ(cGame::getItemField(1, 3), 181);
  EXPECT_EQ(actor("lanternSpot")->param(6), 1) << "the hotspot's item";
  EXPECT_TRUE(actor("lanternSpot")->isActive());
}

TEST_F(TestRoomTest, ItsSnapshotHoldsEveryActor) {
  cGame::snapshotRoomState(false, worldStatics().cGameRoom.startActionIndex);
  ByteArray* snapshot = worldStatics().cGameRoom.roomSnapshot;
  ASSERT_NE(snapshot, nullptr);
  const int32_t length = static_cast<uint8_t>(snapshot->get(0)) | static_cast<uint8_t>(snapshot->get(1)) << 8;
  int32_t expected = 39;
  for (cActor* a : layerOrder()) {
    expected += 20 + 4 * a->paramCount + (a->kind == ActorKind::PLAYER ? 1 : 0);
  }
  EXPECT_EQ(length, expected);
  const int32_t focusId = static_cast<int16_t>(static_cast<uint8_t>(snapshot->get(37)) | snapshot->get(38) << 8);
  EXPECT_EQ(focusId, actor("hero")->id);
}

}  // namespace
