// The inventory over the game's own content: room 0 dimmed under the grid,
// carried items with their icons and counts, the selected item's name and
// description, and the action menu opened on it, each held against its
// golden image.
#include "game/shell/cGameStaticsAccess.h"
#include "game/world/cActorMC.h"
#include "tests/game/look/look_fixture.h"

namespace {

class InventoryLook : public LookFixture {
 protected:
  InventoryLook() : LookFixture("inventory-look") {}

  void SetUp() override {
    LookFixture::SetUp();
    ASprite::initCachePools(7);
  }

  // Item id: its icon (sprite slot and animation), use kind, name and
  // description text ids, amount and value.
  static void makeItem(int32_t id, int32_t slot, int32_t anim, int32_t useKind, int32_t name, int32_t amount,
                       int32_t value) {
    IntArray* record = newIntArray(7);
    const int32_t fields[] = {slot, anim, useKind, name, name + 23, amount, value};
    for (int32_t i = 0; i < 7; ++i) record->set(i, fields[i]);
    cGame::setItemRecord(record, id);
  }
  static void carry(cActorMC* player, int32_t slot, int32_t id, int32_t count) {
    IntArray* entry = newIntArray(2);
    entry->set(0, id);
    entry->set(1, count);
    player->items->set(slot, entry);
  }
  static void frames(int32_t n, int32_t releasedKey = -1) {
    for (int32_t i = 0; i < n; ++i) {
      cGame::paintScreen();
      shell::keys().frameReleased = releasedKey >= 0 && i == 0 ? 1 << releasedKey : 0;
      cGame::updateState();
      shell::keys().frameReleased = 0;
    }
  }
};

TEST_F(InventoryLook, TheSatchelWithItsItemsAndTheActionMenu) {
  javax_microedition_lcdui_Image* screen = newScreen();
  toolkitStatics().cGameDraw.graphics = shellStatics().cGameLoop.graphics;
  cGame::setChapter(0);
  runProfile(LoadProfile::enterRoom);
  cActor* focus = worldStatics().cGamePlay.focusActor;
  ASSERT_NE(focus, nullptr);
  ASSERT_TRUE(Object::instanceOf(focus, classid::cActorMC) != 0);
  auto* player = static_cast<cActorMC*>(focus);
  player->items = newObjectArray(15);
  // The content's levels define no items yet: these borrow room 0's
  // sprites for their icons (the coin, a sack, a pebble, a pot).
  makeItem(1, 34, 0, 4, 200, 1, 0);
  makeItem(2, 29, 6, 5, 183, 0, 30);
  makeItem(3, 23, 0, 1, 185, 4, 0);
  makeItem(4, 31, 31, 0, 184, 1, 25);
  carry(player, 0, 1, 12);
  carry(player, 1, 2, 0);
  carry(player, 2, 3, 8);
  carry(player, 3, 4, 2);
  cGame::setNextState(GameState::inventory);
  frames(8);
  ASSERT_EQ(shell::machine().currentState, GameState::inventory);
  // The cursor on the bread: its name and description show.
  frames(3, 4);
  frames(3, 4);
  frames(3, 4);
  ASSERT_EQ(storyStatics().cGameInventory.inventoryCursor, 3);
  EXPECT_EQ(application().m_pending, nullptr);
  expectLooksLike(screen, "inventory_items.png");

  frames(4, 5);
  ASSERT_EQ(storyStatics().cGameInventory.inventoryMode, 2);
  expectLooksLike(screen, "inventory_action_menu.png");
}

}  // namespace
