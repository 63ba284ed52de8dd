// The in-game HUD over the game's own content: a side-view chapter's room
// with its pad, and the key-prompt popup with three icons over room 0, each
// held against its golden image.
#include <gtest/gtest.h>

#include "game/world/cActorMC.h"
#include "tests/game/look/look_fixture.h"

namespace {

class HudLook : public LookFixture {
 protected:
  HudLook() : LookFixture("hud-look") {}

  // The chapter's room loaded and played for a few frames.
  static void playChapter(int32_t chapter) {
    cGame::setChapter(chapter);
    runProfile(LoadProfile::enterRoom);
    // A room whose level has no player yet gets one, so the HUD has someone
    // to steer.
    if (worldStatics().cGamePlay.focusActor == nullptr) {
      IntArray* position = newIntArray(3);
      position->set(0, 400 << 8);
      position->set(1, 300 << 8);
      cActorMC* player = cActorMC::create(ActorKind::PLAYER, 0, position);
      player->hp = 100;
      player->setParams(newIntArray(8), 8);
      cGame::setFocusActor(player);
      worldStatics().cGamePlay.firstPartner = player;
      cGame::setPlayerControl(true);
    }
    cGame::setNextState(GameState::inGame);
    for (int32_t frame = 0; frame < 4; ++frame) {
      cGame::updateState();
      cGame::paintScreen();
    }
  }
};

TEST_F(HudLook, TheSideViewRoomWithItsPad) {
  javax_microedition_lcdui_Image* screen = newScreen();
  playChapter(1);
  ASSERT_EQ(shellStatics().cGameProgress.chapter, 1);
  // The chapter opens with lines that hide the pad; the player reads them.
  for (int32_t line = 0; line < 8 && cGame::isConversationActive(); ++line) {
    cGame::dismissConversationLine();
    cGame::updateState();
    cGame::paintScreen();
  }
  ASSERT_FALSE(cGame::isConversationActive());
  EXPECT_TRUE(shellStatics().cGameTouch.hudActive);
  expectLooksLike(screen, "hud_side_view.png");
}

TEST_F(HudLook, ThePopupWithThreeIcons) {
  javax_microedition_lcdui_Image* screen = newScreen();
  playChapter(0);
  cGame::openPopup(32, 36, 35, 2000, -1, -1, false);
  for (int32_t frame = 0; frame < 8; ++frame) {
    cGame::updateState();
    cGame::paintScreen();
  }
  ASSERT_TRUE(cGame::isPopupActive());
  expectLooksLike(screen, "popup_three_icons.png");
}

}  // namespace
