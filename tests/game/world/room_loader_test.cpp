// Reading level-record streams: every record against the shared record
// description, the header, chains and paths, the route points, and streams
// that are damaged.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "game/story/cGameStory.h"
#include "game/world/cActorEnemy.h"
#include "game/world/cActorMC.h"
#include "game/world/cActorNPC.h"
#include "tests/game/world/level_stream.h"
#include "tests/game/world/world_fixture.h"

namespace {

class RoomLoaderTest : public WorldFixture {
 protected:
  void SetUp() override {
    WorldFixture::SetUp();
    cGame::createItemTable();
    shellStatics().cGameShared.combinationTable = newObjectArray(20);
    cGame::resetActionTable();
    cGame::resetRoutePoints();
    m_sprite = makeSprite(20, {{-8, -16, 16, 16}, {-4, -4, 8, 8}}, {{0}, {1}, {0, 1}});
  }
  // Loads the stream; answers what it logged.
  static std::string load(const LevelStream& stream) {
    testing::internal::CaptureStdout();
    cGame::loadRoomObjects(stream.array());
    return testing::internal::GetCapturedStdout();
  }
  static cActor* only() {
    std::vector<cActor*> actors = layerOrder();
    return actors.size() == 1 ? actors[0] : nullptr;
  }
  ASprite* m_sprite = nullptr;
};

// Values a record's fields get: distinct, small, and a loaded sprite.
int32_t sampleValue(const levelrecord::Field& field, size_t index) {
  if (field.role == levelrecord::FieldRole::sprite) return 20 - 16;
  if (field.name == "active") return 1;
  if (field.type == levelrecord::FieldType::boolean) return 1;
  if (field.name == "p0") return 3;  // not a special mode of any kind
  return 5 + static_cast<int32_t>(index);
}

// Parameters the loader changes from what the record holds.
bool storedAsRead(uint8_t op, int32_t param) {
  switch (op) {
    case 14: return param != 1;           // the state: the kind's set-up starts it at 0
    case 15: return param != 2;           // p2 << 8
    case 18: return param != 4;           // p4 x 800 / 240
    case 20: return param != 0;           // p0 << 8
    case 80: return param != 1;           // p1 from the sprite field
    default: return true;
  }
}

TEST_F(RoomLoaderTest, EveryActorRecordReadsAsTheDescriptionSays) {
  for (const levelrecord::Record& record : levelrecord::records) {
    if (record.kind < 0) continue;
    cActor::releaseLayer(0);
    LevelStream stream;
    std::vector<int32_t> values;
    for (size_t i = 0; i < record.fields.size(); ++i) values.push_back(sampleValue(record.fields[i], i));
    stream.raw({record.op});
    for (size_t i = 0; i < values.size(); ++i) {
      stream.raw({static_cast<uint8_t>(values[i])});
      if (levelrecord::sizeOf(record.fields[i].type) == 2) stream.raw({static_cast<uint8_t>(values[i] >> 8)});
    }
    stream.raw({1});  // a record after it is read from its first byte
    const std::string log = load(stream);
    EXPECT_EQ(log.find("Level record"), std::string::npos) << record.name << ": " << log;
    if (record.op == 21) continue;  // a path's params are its points
    cActor* actor = only();
    ASSERT_NE(actor, nullptr) << record.name;
    EXPECT_EQ(actor->kind, record.op == 86 ? 66 : record.kind) << record.name;
    EXPECT_EQ(actor->getPixelX(), values[1]) << record.name;
    EXPECT_EQ(actor->getPixelY(), values[2]) << record.name;
    if (record.op != levelrecord::op::snapshotTrigger) {
      EXPECT_EQ(actor->id, values[0]) << record.name;
    }
    for (size_t i = 0; i < record.fields.size(); ++i) {
      const levelrecord::Field& field = record.fields[i];
      if (field.param < 0 || !storedAsRead(record.op, field.param)) continue;
      EXPECT_EQ(actor->param(field.param), values[i]) << record.name << "." << field.name;
    }
  }
}

TEST_F(RoomLoaderTest, TheHeaderSetsTheRoomAndFindsTheStartAction) {
  LevelStream stream;
  stream.record(2, {1, 7, 42, 1, 90, 1}).record(61, {41, 3, 1000}).record(61, {42, 4, 2000});
  load(stream);
  EXPECT_EQ(worldStatics().cGameRoom.roomSpriteSet, 0) << "set 1 reads as 0";
  EXPECT_TRUE(worldStatics().cGameRoom.roomAltPalette);
  EXPECT_EQ(storyStatics().cGameCountdown.countdownMs, 90000);
  EXPECT_TRUE(shellStatics().cGameProgress.roomFlag);
  EXPECT_EQ(worldStatics().cGameRoom.startActionIndex, 1);
  EXPECT_EQ(cGame::findActionById(41), 0);

  LevelStream other;
  other.record(2, {3, 0, -1, 0, 0, 0}).record(61, {-1, 3, 1000});
  load(other);
  EXPECT_EQ(worldStatics().cGameRoom.roomSpriteSet, 3);
  EXPECT_EQ(worldStatics().cGameRoom.startActionIndex, -1) << "-1 is no action, even one carrying it";
}

TEST_F(RoomLoaderTest, RecordsWithoutABodyAreSkippedByteByByte) {
  LevelStream stream;
  stream.raw({1, 1, 0, 19, 40, 255, 70});
  const std::string log = load(stream);
  EXPECT_TRUE(layerOrder().empty());
  EXPECT_EQ(worldStatics().cGameRoom.startActionIndex, -1);
  EXPECT_EQ(log.find("cut short"), std::string::npos);
}

TEST_F(RoomLoaderTest, TheCharacterWithTheStartIdBecomesTheFocusLastMatchWinning) {
  LevelStream stream;
  stream.record(2, {0, 9, -1, 0, 0, 0})
      .record(4, {9, 100, 200, 4, 2, 1, 0})
      .record(4, {9, 300, 200, 4, 3, 0, 1})
      .record(4, {8, 500, 200, 4, 0, 0, 0});
  load(stream);
  std::vector<cActor*> actors = layerOrder();
  ASSERT_EQ(actors.size(), 3u);
  cActor* focus = play().focusActor;
  ASSERT_NE(focus, nullptr);
  EXPECT_EQ(focus->getPixelX(), 300);
  EXPECT_EQ(play().lastFocusX, 300);
  EXPECT_EQ(play().lastFocusY, 200);
  auto* hero = static_cast<cActorMC*>(focus);
  EXPECT_EQ(hero->facing, 0x2000) << "facing code 3 is right";
  EXPECT_EQ(hero->partnerIndex, 1);
  EXPECT_EQ(hero->hp, 100);
  EXPECT_EQ(hero->items->length(), 15);
  EXPECT_EQ(hero->param(5), 10000);
  EXPECT_EQ(hero->footprint->get(2), 64);
}

TEST_F(RoomLoaderTest, ChainsLinkTheirHotspotsByIdUntilAnotherRecord) {
  LevelStream stream;
  const auto marker = [](int32_t id) {
    return std::vector<int32_t>{id, 10, 10, 1, 4, 0, 0, 0, 0, 10, 10, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  };
  const auto hotspot = [](int32_t id) {
    return std::vector<int32_t>{id, 20, 20, 0, 4, 0, -1, 0, 0, 0, 0, 0, 0};
  };
  stream.record(83, marker(30)).record(11, hotspot(31)).raw({19}).record(11, hotspot(32));
  stream.record(5, {40, 0, 0, 4, 0, 0, 0, 10, 10, 0, 10, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0})
      .record(11, hotspot(33));
  stream.record(18, {50, 0, 0, 1, 4, 0, 0, 0, 10, 10, 3, 0, 0, 0, 0, 0, 77, 0, 0, 0, 0, 10, 0})
      .record(11, hotspot(51));
  load(stream);
  EXPECT_EQ(cActor::findById(30)->param(2), 31);
  EXPECT_EQ(cActor::findById(31)->param(2), 32) << "op 19 keeps the chain";
  EXPECT_EQ(cActor::findById(32)->param(2), -1);
  EXPECT_EQ(cActor::findById(33)->param(2), -1);
  EXPECT_EQ(cActor::findById(32)->param(2), -1) << "op 5 ended the run: 33 is not linked";
  EXPECT_EQ(cActor::findById(50)->param(2), 77) << "a spawner's p2 is its own, never a link";
}

TEST_F(RoomLoaderTest, PathsTakeTheirPointsUpToThirty) {
  LevelStream stream;
  stream.record(21, {60, 0, 0, 1, 4, 0});
  for (int32_t i = 0; i < 31; ++i) stream.record(22, {i, 2 * i, 100 + i});
  stream.record(1).record(22, {7, 7, 7});
  const std::string log = load(stream);
  cActor* path = cActor::findById(60);
  ASSERT_NE(path, nullptr);
  EXPECT_EQ(path->param(0), 30);
  EXPECT_EQ(path->param(1 + 3 * 29), 29);
  EXPECT_EQ(path->param(3 + 3 * 29), 129);
  EXPECT_EQ(path->params->length(), 91);
  EXPECT_EQ(path->getPixelZ(), -999);
  EXPECT_NE(log.find("holds 30 points"), std::string::npos);
  EXPECT_NE(log.find("path point outside a path"), std::string::npos);
}

TEST_F(RoomLoaderTest, RoutePointsAreFoundByTheirFirstIdUpToForty) {
  LevelStream stream;
  stream.record(7, {0, 5, 6, 3}).record(7, {3, 30, 40, 4}).record(7, {3, 99, 99, 0}).record(7, {4, 50, 60, 0});
  for (int32_t i = 0; i < 37; ++i) stream.record(7, {100 + i, 0, 0, 0});
  const std::string log = load(stream);
  EXPECT_EQ(worldStatics().cGameRoom.pathNodeCount, 40);
  EXPECT_NE(log.find("Route point table full: point 136"), std::string::npos);
  EXPECT_EQ(cGame::getPathNodePos(0), nullptr) << "id 0 is never found by position";
  EXPECT_EQ(cGame::getPathNodeNext(0), 3) << "but its next is";
  IntArray* point = cGame::getPathNodePos(3);
  ASSERT_NE(point, nullptr);
  EXPECT_EQ(point->get(0), 30) << "the first record with the id wins";
  IntArray* next = cGame::getNextPathNodePos(3);
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(next->get(1), 60);
  EXPECT_EQ(cGame::getNextPathNodePos(4), nullptr) << "next of the last";
  EXPECT_EQ(cGame::getPathNodeNext(99), -1);
}

TEST_F(RoomLoaderTest, ACutStreamKeepsWhatLoadedAndSaysWhere) {
  LevelStream whole;
  whole.record(13, {1, 10, 10, 0, 0, 0, 1}).record(4, {2, 10, 10, 4, 0, 0, 0});
  for (size_t cut = whole.size() - 1; cut > 13; --cut) {
    cActor::releaseLayer(0);
    LevelStream stream = whole;
    stream.cut(cut);
    const std::string log = load(stream);
    EXPECT_EQ(layerOrder().size(), 1u) << cut;
    EXPECT_NE(log.find("Level data cut short: record 4 at byte 13"), std::string::npos) << log;
  }
}

TEST_F(RoomLoaderTest, SpriteValuesPastTheTableReadAsEmpty) {
  LevelStream stream;
  // Sprite 40 names slot 56; a barrier on an empty slot is left out.
  stream.record(3, {1, 10, 10, 40, 1, 1, 0, 1}).record(12, {2, 10, 10, 40, 0, 0, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 1});
  const std::string log = load(stream);
  ASSERT_EQ(layerOrder().size(), 1u);
  EXPECT_EQ(layerOrder()[0]->kind, 17);
  EXPECT_EQ(layerOrder()[0]->player, nullptr);
}

TEST_F(RoomLoaderTest, ItemsRestartTheirIdsInEveryStreamAndCombinationsFill) {
  LevelStream stream;
  stream.record(50, {4, 2, 0, 1, 2, 1, 30}).record(50, {4, 3, 5, 3, 4, 0, 0}).record(51, {2, 1, 1});
  load(stream);
  EXPECT_EQ(cGame::getItemField(1, 0), 20);
  EXPECT_EQ(cGame::getItemField(1, 3), 182);
  EXPECT_EQ(cGame::getItemField(2, 4), 208);
  EXPECT_EQ(cGame::getItemField(3, 0), -1);
  EXPECT_NE(shellStatics().cGameShared.combinationTable->get(0), nullptr);
  LevelStream second;
  second.record(50, {4, 9, 0, 0, 0, 0, 0});
  // A stream of the same load does not take an id already defined.
  load(second);
  EXPECT_EQ(cGame::getItemField(1, 1), 2);
  cGame::createItemTable();
  load(second);
  EXPECT_EQ(cGame::getItemField(1, 1), 9) << "the next load's first item is id 1 again";
}

TEST_F(RoomLoaderTest, TheCreatureTargetRuleFollowsTheProgress) {
  shellStatics().cGameProgress.chapter = 3;
  LevelStream stream;
  stream.record(5, {40, 0, 0, 4, 0, 0, 0, 10, 10, 0, 10, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0});
  load(stream);
  cActor* creature = cActor::findById(40);
  ASSERT_NE(creature, nullptr);
  EXPECT_EQ(worldStatics().cGameRoom.targetActor, creature);
  EXPECT_EQ(creature->hp, 10);
  EXPECT_TRUE(creature->isActive());
  EXPECT_EQ(creature->params->length(), 30);
}

}  // namespace
