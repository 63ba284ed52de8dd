// The chapter menu over the game's own content: with five chapters open it
// shows four under its heading on the title's scene, with the arrows clear
// of the heading, and is held against its golden image once its opening has
// run.
#include <gtest/gtest.h>

#include "tests/game/look/look_fixture.h"

namespace {

class MenusLook : public LookFixture {
 protected:
  MenusLook() : LookFixture("menus-look") {}
};

TEST_F(MenusLook, TheChapterMenuWithFiveChaptersOpen) {
  javax_microedition_lcdui_Image* screen = newScreen();
  shellStatics().cGameSave.chaptersOpen = 5;
  cGame::setNextState(GameState::playMenu);
  for (int32_t frame = 0; frame < 12; ++frame) {
    cGame::updateState();
    cGame::paintScreen();
  }
  EXPECT_EQ(shellStatics().cGameMenu.listCount, 5);
  expectLooksLike(screen, "play_menu.png");
}

}  // namespace
