// The room's item records and combinations: the tables as the level records
// fill them, the field accessor's bounds, and the combination rule over a
// player's carried items.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/world/cActorMC.h"
#include "tests/game/story/story_fixture.h"

namespace {

constexpr uint8_t itemOp = levelrecord::op::item;
constexpr uint8_t combinationOp = levelrecord::op::combination;

class ItemsTest : public StoryFixture {
 protected:
  void SetUp() override {
    StoryFixture::SetUp();
    shellStatics().cGameShared.combinationTable = newObjectArray(20);
    m_player = cActorMC::create(ActorKind::PLAYER, 0, newIntArray(3));
    m_player->hp = 50;
    IntArray* params = newIntArray(9);
    params->set(3, 100);
    m_player->setParams(params, 9);
    m_player->items = newObjectArray(15);
  }

  // An item record: use kind, amount given, value; no name, so adding it
  // shows no notice.
  static void makeItem(int32_t id, int32_t useKind, int32_t amount, int32_t value = 0) {
    IntArray* record = newIntArray(7);
    record->set(2, useKind);
    record->set(3, -1);
    record->set(5, amount);
    record->set(6, value);
    cGame::setItemRecord(record, id);
  }
  static void combine(int32_t result, int32_t a, int32_t b) {
    IntArray* record = newIntArray(3);
    record->set(0, result);
    record->set(1, a);
    record->set(2, b);
    cGame::addCombinationRecord(record);
  }
  // Puts {id, count} in the slot.
  void carry(int32_t slot, int32_t id, int32_t count) {
    IntArray* entry = newIntArray(2);
    entry->set(0, id);
    entry->set(1, count);
    m_player->items->set(slot, entry);
  }
  // The slots as {id, count} pairs, {0, 0} for empty ones.
  std::vector<std::pair<int32_t, int32_t>> slots() const {
    std::vector<std::pair<int32_t, int32_t>> out;
    for (int32_t i = 0; i < 15; ++i) {
      auto* entry = static_cast<IntArray*>(m_player->items->get(i));
      out.emplace_back(entry != nullptr ? entry->get(0) : 0, entry != nullptr ? entry->get(1) : 0);
    }
    return out;
  }
  static std::string loadLogged(const LevelStream& stream) {
    testing::internal::CaptureStdout();
    cGame::loadRoomObjects(stream.array());
    return testing::internal::GetCapturedStdout();
  }

  cActorMC* m_player = nullptr;
};

TEST_F(ItemsTest, TheLevelRecordsFillBothTablesWithTheirOffsets) {
  LevelStream stream;
  // sprite 7 (slot 23), anim 300, use kind -2, name 5, description 9,
  // amount -3, value -1234.
  stream.record(itemOp, {7, 300, -2, 5, 9, -3, -1234}).record(itemOp, {0, 1, 5, 255, 255, 2, 32767});
  stream.record(combinationOp, {2, 1, -7}).record(combinationOp, {1, 2, 2});
  loadLogged(stream);
  const std::vector<int32_t> first = {23, 300, -2, 186, 213, -3, -1234};
  const std::vector<int32_t> second = {16, 1, 5, 181 + 255, 204 + 255, 2, 32767};
  for (int32_t f = 0; f < 7; ++f) {
    EXPECT_EQ(cGame::getItemField(1, f), first[static_cast<size_t>(f)]) << "field " << f;
    EXPECT_EQ(cGame::getItemField(2, f), second[static_cast<size_t>(f)]) << "field " << f;
  }
  ObjectArray* table = shellStatics().cGameShared.combinationTable;
  auto* entry = static_cast<IntArray*>(table->get(0));
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ((std::vector<int32_t>{entry->get(0), entry->get(1), entry->get(2)}), (std::vector<int32_t>{2, 1, -7}));
  EXPECT_NE(table->get(1), nullptr);
  EXPECT_EQ(cGame::findFreeCombination(), 2);
}

TEST_F(ItemsTest, ALaterStreamOfTheSameLoadDoesNotRedefineAnItem) {
  LevelStream shared;
  shared.record(itemOp, {1, 11, 0, 1, 1, 1, 0});
  loadLogged(shared);
  LevelStream room;
  room.record(itemOp, {2, 22, 0, 2, 2, 1, 0}).record(itemOp, {3, 33, 0, 3, 3, 1, 0});
  // What follows the dropped records is still read in step.
  room.record(combinationOp, {2, 1, 2});
  const std::string log = loadLogged(room);
  EXPECT_EQ(cGame::getItemField(1, 1), 11) << "the first definition stays";
  EXPECT_EQ(cGame::getItemField(2, 1), 33) << "the room's second item is id 2, which nothing defined before";
  EXPECT_NE(log.find("item 1 is defined by an earlier stream"), std::string::npos) << log;
  EXPECT_NE(shellStatics().cGameShared.combinationTable->get(0), nullptr);

  // A new load starts a new table: ids 1.. are free again.
  cGame::createItemTable();
  loadLogged(room);
  EXPECT_EQ(cGame::getItemField(1, 1), 22);
}

TEST_F(ItemsTest, FieldsOutsideTheTableReadAsNoItem) {
  makeItem(1, 0, 1, 77);
  makeItem(29, 4, 0, 5);
  struct Case {
    int32_t id, field, expected;
  };
  for (const Case& c : {Case{1, 6, 77}, Case{29, 2, 4}, Case{0, 0, -1}, Case{-1, 2, -1}, Case{30, 2, -1},
                        Case{2, 2, -1}, Case{1, -1, -1}, Case{1, 7, -1}, Case{1 << 30, 0, -1}}) {
    EXPECT_EQ(cGame::getItemField(c.id, c.field), c.expected) << "item " << c.id << " field " << c.field;
  }
  cGame::setItemRecord(newIntArray(7), 30);  // past the table: ignored
  cGame::setItemRecord(newIntArray(7), -1);
  EXPECT_EQ(cGame::getItemField(30, 0), -1);
  cGame::releaseItemTables();
  EXPECT_EQ(cGame::getItemField(1, 6), -1) << "no table at all";
  EXPECT_EQ(cGame::findFreeCombination(), -1);
}

TEST_F(ItemsTest, APairIsFoundInEitherOrderAndTheLowerEntryWins) {
  for (int32_t id = 1; id <= 5; ++id) makeItem(id, 1, 1);
  combine(5, 3, 4);
  combine(3, 1, 2);
  combine(4, 2, 1);  // the same pair again: never reached
  for (const bool reversed : {false, true}) {
    SCOPED_TRACE(reversed ? "b with a" : "a with b");
    m_player->items = newObjectArray(15);
    carry(0, 1, 1);
    carry(1, 2, 1);
    const int32_t result = reversed ? cGame::findCombination(m_player, 1, 0) : cGame::findCombination(m_player, 0, 1);
    EXPECT_EQ(result, 0) << "the result takes the first free slot";
    EXPECT_EQ(m_player->findInventorySlot(3), 0);
    EXPECT_EQ(m_player->findInventorySlot(4), -1);
    EXPECT_EQ(m_player->findInventorySlot(1), -1);
    EXPECT_EQ(m_player->findInventorySlot(2), -1);
  }
  // No entry for the pair: nothing changes.
  carry(1, 5, 1);
  const auto before = slots();
  EXPECT_EQ(cGame::findCombination(m_player, 0, 1), -1);
  EXPECT_EQ(slots(), before);
}

TEST_F(ItemsTest, UncountedIngredientsStayAndCountedOnesLoseOne) {
  makeItem(1, 1, 0);  // uncounted
  makeItem(2, 1, 0);
  makeItem(3, 1, 1);
  makeItem(4, 1, 1);
  makeItem(5, 1, 2);
  combine(3, 1, 2);
  combine(5, 3, 4);
  carry(0, 1, 0);
  carry(1, 2, 0);
  EXPECT_EQ(cGame::findCombination(m_player, 0, 1), 2);
  EXPECT_EQ(slots()[0], std::make_pair(1, 0));
  EXPECT_EQ(slots()[1], std::make_pair(2, 0));
  EXPECT_EQ(slots()[2], std::make_pair(3, 1));

  carry(3, 4, 3);
  EXPECT_EQ(cGame::findCombination(m_player, 3, 2), 2) << "slot 2 emptied and took the result";
  EXPECT_EQ(slots()[2], std::make_pair(5, 2)) << "the result's own amount";
  EXPECT_EQ(slots()[3], std::make_pair(4, 2));
}

TEST_F(ItemsTest, UsingAnIngredientAppliesItsUseKind) {
  makeItem(1, 0, 1, 20);  // heals 20 % of 100
  makeItem(2, 1, 1);
  makeItem(3, 1, 1);
  combine(3, 1, 2);
  carry(0, 1, 2);
  carry(1, 2, 1);
  m_player->hp = 10;
  EXPECT_EQ(cGame::findCombination(m_player, 0, 1), 1);
  EXPECT_EQ(m_player->hp, 30);
}

TEST_F(ItemsTest, WithoutRoomForTheResultNothingIsUsed) {
  for (int32_t id = 1; id <= 20; ++id) makeItem(id, 1, 1);
  makeItem(21, 0, 1, 50);
  combine(20, 1, 2);
  combine(20, 21, 2);
  // Fifteen kinds carried, two of each: nothing empties, no slot is free.
  for (int32_t slot = 0; slot < 15; ++slot) carry(slot, slot + 1, 2);
  m_player->hp = 10;
  const auto full = slots();
  EXPECT_EQ(cGame::findCombination(m_player, 0, 1), -1);
  EXPECT_EQ(slots(), full) << "both ingredients are kept";

  // The healing ingredient is not eaten either.
  carry(0, 21, 2);
  const auto withFood = slots();
  EXPECT_EQ(cGame::findCombination(m_player, 0, 1), -1);
  EXPECT_EQ(slots(), withFood);
  EXPECT_EQ(m_player->hp, 10);

  // Using the last one of an ingredient makes the room.
  carry(0, 1, 1);
  EXPECT_EQ(cGame::findCombination(m_player, 0, 1), 0);
  EXPECT_EQ(slots()[0], std::make_pair(20, 1));
  EXPECT_EQ(slots()[1], std::make_pair(2, 1));

  // A result the player carries already needs no new slot.
  carry(0, 1, 2);
  carry(2, 20, 1);
  EXPECT_EQ(cGame::findCombination(m_player, 0, 1), 2);
  EXPECT_EQ(slots()[2], std::make_pair(20, 2));
}

TEST_F(ItemsTest, AResultTheLevelDoesNotDefineUsesNothing) {
  makeItem(1, 1, 1);
  makeItem(2, 1, 1);
  combine(9, 1, 2);   // no record for 9
  combine(40, 2, 1);  // past the table
  carry(0, 1, 1);
  carry(1, 2, 1);
  const auto before = slots();
  testing::internal::CaptureStdout();
  EXPECT_EQ(cGame::findCombination(m_player, 0, 1), -1);
  const std::string log = testing::internal::GetCapturedStdout();
  EXPECT_EQ(slots(), before);
  EXPECT_NE(log.find("makes item 9"), std::string::npos) << log;
}

TEST_F(ItemsTest, EmptySlotsTheSameSlotOrNoPlayerCombineNothing) {
  makeItem(1, 1, 1);
  makeItem(2, 1, 1);
  combine(1, 1, 1);
  combine(2, 1, 2);
  carry(0, 1, 1);
  struct Case {
    cActorMC* player;
    int32_t i, j;
  };
  for (const Case& c : {Case{nullptr, 0, 1}, Case{m_player, 0, 1}, Case{m_player, 1, 0}, Case{m_player, 0, 0},
                        Case{m_player, -1, 0}, Case{m_player, 0, 15}}) {
    EXPECT_EQ(cGame::findCombination(c.player, c.i, c.j), -1) << c.i << " with " << c.j;
  }
  EXPECT_EQ(slots()[0], std::make_pair(1, 1));
  m_player->items = nullptr;
  EXPECT_EQ(cGame::findCombination(m_player, 0, 1), -1);
}

}  // namespace
