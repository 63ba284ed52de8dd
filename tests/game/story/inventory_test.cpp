// The inventory screen, GameState 11: the grid's cursor and scroll, the
// action menu for an item, using and combining, the hint that a failed
// combination shows, the touch areas it registers and taps on them, and
// leaving for the in-game menu.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/SensibleRectangle.h"
#include "game/world/cActorMC.h"
#include "platform/java_util/java_util_Vector.h"
#include "tests/game/shell/text_kit.h"
#include "tests/game/story/story_fixture.h"

namespace {

// GameKeys.
constexpr int32_t UP = 1, DOWN = 2, LEFT = 3, RIGHT = 4, OK = 5, BACK = 19;

worldkit::TestFrameBox hudFrame(int frame) {
  if (frame == 27 || frame == 28) return {-170, -24, 340, 48};
  return {-10, -10, 20, 20};
}

class InventoryTest : public StoryFixture {
 protected:
  void SetUp() override {
    StoryFixture::SetUp();
    worldkit::TestSpriteDescription hud;
    hud.animations = 1;
    hud.steps = 70;
    hud.frameBox = hudFrame;
    hud.stepOffset = [](int, int) { return worldkit::TestStepOffset{0, 0}; };
    installSprite(51, hud);
    installSprite(11, {.animations = 1, .steps = 30});
    installSprite(34, {.animations = 3, .steps = 1});
    shellStatics().cGameShared.combinationTable = newObjectArray(20);
    m_player = cActorMC::create(ActorKind::PLAYER, 0, newIntArray(3));
    m_player->hp = 40;
    IntArray* params = newIntArray(9);
    params->set(3, 100);
    m_player->setParams(params, 9);
    m_player->items = newObjectArray(15);
    cGame::setFocusActor(m_player);
    play().firstPartner = m_player;
    shell::machine().currentState = GameState::inventory;
    shell::touch().menuButtonUsed = false;
    textkit::setTexts({{3, "Close"}, {10, "Combine"}, {11, "Use"}, {54, "No match"}, {103, "Satchel"},
                       {204, "Heals %s0"}},
                      300);
    shell::setSprite(5, textkit::blockFont());
    shell::setSprite(6, textkit::blockFont());
  }

  // An item drawn with animation anim of sprite 34; no name, so adding it
  // shows no notice.
  static void makeItem(int32_t id, int32_t useKind, int32_t amount, int32_t value = 0) {
    IntArray* record = newIntArray(7);
    record->set(0, 34);
    record->set(1, id % 3);
    record->set(2, useKind);
    record->set(3, -1);
    record->set(4, 204);
    record->set(5, amount);
    record->set(6, value);
    cGame::setItemRecord(record, id);
  }
  void carry(int32_t slot, int32_t id, int32_t count) {
    IntArray* entry = newIntArray(2);
    entry->set(0, id);
    entry->set(1, count);
    m_player->items->set(slot, entry);
  }
  static void combine(int32_t result, int32_t a, int32_t b) {
    IntArray* record = newIntArray(3);
    record->set(0, result);
    record->set(1, a);
    record->set(2, b);
    cGame::addCombinationRecord(record);
  }

  static cGameInventoryStatics& inventory() { return storyStatics().cGameInventory; }
  static int32_t cursor() { return inventory().inventoryCursor; }
  static int32_t scroll() { return inventory().inventoryScroll; }
  static int32_t mode() { return inventory().inventoryMode; }
  static std::vector<int32_t> actions() {
    std::vector<int32_t> codes;
    IntArray* list = inventory().inventoryActions;
    for (int32_t i = 0; list != nullptr && i < list->length(); ++i) codes.push_back(list->get(i));
    return codes;
  }

  static void enter() {
    cGame::stateInventory(StateMessage::enter);
    for (int32_t i = 0; i < 6; ++i) frame();
  }
  // One frame: paint, then update with the keys released.
  static void frame(std::initializer_list<int32_t> released = {}) {
    cGame::stateInventory(StateMessage::paint);
    cGameKeyStatics& keys = shell::keys();
    keys.framePressed = keys.frameHeld = keys.frameReleased = 0;
    for (int32_t key : released) keys.frameReleased |= 1 << key;
    cGame::stateInventory(StateMessage::update);
    keys.frameReleased = 0;
  }
  static void tap(int32_t x, int32_t y) {
    cGame::stateInventory(StateMessage::paint);
    cGame::applyPointerPressed(x, y);
    cGame::applyPointerReleased(x, y);
    frame();
  }
  static std::vector<int32_t> areaIds() {
    std::vector<int32_t> ids;
    java_util_Vector* list = shell::touch().touchAreas;
    for (int32_t i = 0; list != nullptr && i < list->size(); ++i)
      ids.push_back(static_cast<SensibleRectangle*>(list->elementAt(i))->id);
    return ids;
  }
  // Opens the action menu on the slot by keys from slot 0 (row 0 only).
  static void openMenuAt(int32_t slot) {
    while (cursor() < slot) frame({RIGHT});
    frame({OK});
  }

  cActorMC* m_player = nullptr;
};

TEST_F(InventoryTest, TheCursorMovesWithoutWrappingAndTheGridScrollsToKeepIt) {
  enter();
  EXPECT_EQ(mode(), 1);
  struct Step {
    int32_t key, cursor, scroll;
  };
  const Step steps[] = {{LEFT, 0, 0},  {UP, 0, 0},     {DOWN, 5, 0},  {DOWN, 10, 1}, {DOWN, 10, 1},
                        {RIGHT, 11, 1}, {RIGHT, 12, 1}, {UP, 7, 1},    {UP, 2, 0},    {RIGHT, 3, 0},
                        {RIGHT, 4, 0}, {RIGHT, 5, 0},   {DOWN, 10, 1}, {RIGHT, 11, 1}, {RIGHT, 12, 1},
                        {RIGHT, 13, 1}, {RIGHT, 14, 1}, {RIGHT, 14, 1}, {DOWN, 14, 1}, {LEFT, 13, 1}};
  for (const Step& step : steps) {
    frame({step.key});
    EXPECT_EQ(cursor(), step.cursor) << "key " << step.key;
    EXPECT_EQ(scroll(), step.scroll) << "key " << step.key;
  }
  // The other key of each direction moves the same way.
  for (const Step& step : {Step{8, 8, 1}, Step{10, 7, 1}, Step{12, 8, 1}, Step{14, 13, 1}}) {
    frame({step.key});
    EXPECT_EQ(cursor(), step.cursor) << "key " << step.key;
  }
}

TEST_F(InventoryTest, TheActionMenuOffersUseOnlyForWhatThePlayerCanUseOnHimself) {
  makeItem(1, 1, 1);
  makeItem(2, 0, 1, 20);
  makeItem(3, 5, 1, 3);
  carry(0, 1, 1);
  carry(1, 2, 1);
  carry(2, 3, 1);
  enter();
  struct Case {
    int32_t slot;
    std::vector<int32_t> actions;
  };
  for (const Case& c : {Case{0, {10, 3}}, Case{1, {11, 10, 3}}, Case{2, {11, 10, 3}}}) {
    openMenuAt(c.slot);
    EXPECT_EQ(mode(), 2) << "slot " << c.slot;
    EXPECT_EQ(actions(), c.actions) << "slot " << c.slot;
    EXPECT_EQ(inventory().inventoryActionCursor, 0);
    frame({BACK});
    EXPECT_EQ(mode(), 1);
  }
  // An empty slot opens nothing; nor does any slot during an interaction.
  frame({RIGHT});
  frame({OK});
  EXPECT_EQ(mode(), 1);
  frame({LEFT});
  openCloseUp(80);
  ASSERT_TRUE(cGame::isInteractionActive());
  frame({OK});
  EXPECT_EQ(mode(), 1);
  cGame::leaveInteraction();
}

TEST_F(InventoryTest, TheMenuWrapsOverItsListedRowsAndUseTakesOne) {
  makeItem(2, 0, 1, 20);
  carry(0, 2, 2);
  enter();
  frame({OK});
  ASSERT_EQ(actions(), (std::vector<int32_t>{11, 10, 3}));
  frame({UP});
  EXPECT_EQ(inventory().inventoryActionCursor, 1) << "up from the first row wraps to the last listed (combine)";
  frame({DOWN});
  EXPECT_EQ(inventory().inventoryActionCursor, 0) << "close is the back softkey, not a row";
  frame({OK});
  EXPECT_EQ(mode(), 1);
  EXPECT_EQ(m_player->hp, 60);
  auto* entry = static_cast<IntArray*>(m_player->items->get(0));
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->get(1), 1);
}

TEST_F(InventoryTest, CombiningPicksASecondItemAndMovesTheCursorToTheResult) {
  for (int32_t id = 1; id <= 3; ++id) makeItem(id, 1, 1);
  combine(3, 1, 2);
  carry(0, 1, 1);
  carry(4, 2, 1);
  carry(9, 3, 1);  // the result's slot: row 1
  enter();
  frame({OK});
  ASSERT_EQ(actions(), (std::vector<int32_t>{10, 3}));
  frame({OK});
  EXPECT_EQ(mode(), 3);
  EXPECT_EQ(inventory().inventoryFirst, 0);

  frame({OK});
  EXPECT_EQ(mode(), 3) << "the first slot again does nothing";
  frame({BACK});
  EXPECT_EQ(mode(), 2) << "back returns to the action menu";
  EXPECT_EQ(inventory().inventoryFirst, -1);
  frame({OK});
  ASSERT_EQ(mode(), 3);

  for (int32_t i = 0; i < 4; ++i) frame({RIGHT});
  frame({OK});
  EXPECT_EQ(mode(), 1);
  EXPECT_EQ(inventory().inventoryFirst, -1);
  EXPECT_EQ(cursor(), 9);
  EXPECT_EQ(scroll(), 0) << "rows 0 and 1 show slot 9";
  EXPECT_EQ(m_player->findInventorySlot(1), -1);
  EXPECT_EQ(m_player->findInventorySlot(2), -1);
  EXPECT_FALSE(cGame::isHintShown());
}

TEST_F(InventoryTest, AFailedCombinationShowsItsHintWhichAnyKeyOnlyRemoves) {
  makeItem(1, 1, 1);
  makeItem(2, 1, 1);
  carry(0, 1, 1);
  carry(1, 2, 1);
  enter();
  frame({OK});
  frame({OK});  // combine: the only row
  ASSERT_EQ(mode(), 3);
  frame({RIGHT});
  frame({OK});
  EXPECT_EQ(mode(), 1);
  ASSERT_TRUE(cGame::isHintShown());
  EXPECT_EQ(shellStatics().cGameNotice.noticeRemaining, 3000);
  EXPECT_EQ(m_player->findInventorySlot(1), 0) << "nothing was used";

  frame({RIGHT});
  EXPECT_FALSE(cGame::isHintShown());
  EXPECT_EQ(cursor(), 1) << "the key only took the hint away";

  // Shown again, it runs out by the world's time step.
  frame({LEFT});
  frame({OK});
  frame({OK});
  frame({RIGHT});
  frame({OK});
  ASSERT_TRUE(cGame::isHintShown());
  setTimeStep(1000);
  for (int32_t i = 0; i < 2; ++i) frame();
  EXPECT_TRUE(cGame::isHintShown());
  frame();
  EXPECT_FALSE(cGame::isHintShown());
  EXPECT_EQ(cursor(), 1);
}

// A tap under the notice takes it away, as a key does, instead of being
// swallowed until the notice runs out; the next tap acts.
TEST_F(InventoryTest, ATapTakesTheHintAwayAndTheNextOneActs) {
  makeItem(1, 1, 1);
  makeItem(2, 1, 1);
  carry(0, 1, 1);
  carry(1, 2, 1);
  enter();
  frame({OK});
  frame({OK});
  frame({RIGHT});
  frame({OK});
  ASSERT_TRUE(cGame::isHintShown());
  ASSERT_EQ(mode(), 1);

  frame();
  EXPECT_TRUE(cGame::isHintShown()) << "no input: the notice stays";
  tap(286 + 38, 114 + 38);  // slot 1
  EXPECT_FALSE(cGame::isHintShown());
  EXPECT_EQ(mode(), 1) << "the tap only took the notice away";
  tap(286 + 38, 114 + 38);
  EXPECT_EQ(cursor(), 1);
  EXPECT_EQ(mode(), 2) << "the next tap opened the cell's menu";
}

TEST_F(InventoryTest, CellsWithItemsAndTheMenuRowsAreTouchAreas) {
  makeItem(1, 0, 1, 20);
  makeItem(2, 1, 1);
  carry(1, 1, 3);
  carry(7, 2, 1);
  makeItem(3, 1, 1);
  carry(12, 3, 1);  // a row out of view
  enter();
  cGame::stateInventory(StateMessage::paint);
  // 1004: the status panel's item shortcut under the dimming.
  EXPECT_EQ(areaIds(), (std::vector<int32_t>{1004, 101, 107}));
  EXPECT_TRUE(shell::touch().touchAreasComplete);

  tap(286 + 38, 114 + 38);  // slot 1
  EXPECT_EQ(cursor(), 1);
  EXPECT_EQ(mode(), 2);
  cGame::stateInventory(StateMessage::paint);
  EXPECT_EQ(areaIds(), (std::vector<int32_t>{1004, 260, 261})) << "no cell's area under the menu";

  // A press on the second row selects it; its release acts: combine.
  cGame::applyPointerPressed(400, 242);
  frame();
  EXPECT_EQ(inventory().inventoryActionCursor, 1);
  cGame::applyPointerReleased(400, 242);
  frame();
  EXPECT_EQ(mode(), 3);
  EXPECT_EQ(inventory().inventoryFirst, 1);

  // Scrolling by keys moves the cells: their areas follow.
  for (int32_t i = 0; i < 2; ++i) frame({DOWN});
  ASSERT_EQ(scroll(), 1);
  cGame::stateInventory(StateMessage::paint);
  EXPECT_EQ(areaIds(), (std::vector<int32_t>{1004, 107, 112}));
}

TEST_F(InventoryTest, BackLeavesForTheInGameMenuWhichReturnsToPlayWhenTheHudOpenedIt) {
  for (const bool fromHud : {false, true}) {
    SCOPED_TRACE(fromHud ? "from the HUD" : "from the menu");
    shell::touch().menuButtonUsed = fromHud;
    shellStatics().cGameMenus.inventoryDone = false;
    shell::states().nextState = GameState::none;
    enter();
    ASSERT_EQ(shell::box().transitionDirection, 0) << "opened";
    frame({BACK});
    EXPECT_EQ(shell::states().nextState, GameState::inGameMenu) << "the closing ends at once";
    EXPECT_EQ(shellStatics().cGameMenus.inventoryDone, fromHud);
  }
}

}  // namespace
