// Each chapter's room over the game's own content: the room loads from its
// level source into GameState 14, the camera settles on the focus character,
// and the first picture of play, with the place's tiles and its cast, is held
// against its golden image.
#include <string>

#include "game/shell/GameState.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "game/world/cActor.h"
#include "tests/game/look/look_fixture.h"

namespace {

class RoomLook : public LookFixture {
 protected:
  RoomLook() : LookFixture("room-look") {}

  void SetUp() override {
    LookFixture::SetUp();
    // The canvas makes the sprites' cache pools; the room's sprites fill them.
    ASprite::initCachePools(7);
  }
};

TEST_F(RoomLook, EachRoomWithItsCast) {
  javax_microedition_lcdui_Image* screen = newScreen();
  // The animation players paint through the drawing helpers' Graphics, which
  // the canvas's paint hands over each frame.
  toolkitStatics().cGameDraw.graphics = shellStatics().cGameLoop.graphics;
  for (int32_t chapter = 0; chapter < 10; ++chapter) {
    SCOPED_TRACE("chapter " + std::to_string(chapter));
    // Each room starts from the palette a chapter starts with, not from
    // whatever the room before left on the text font.
    if (ASprite* font = shell::spriteAt(5)) font->setPalette(0);
    cGame::setChapter(chapter);
    runProfile(LoadProfile::enterRoom);
    ASSERT_NE(worldStatics().cGamePlay.focusActor, nullptr);
    cGame::setNextState(GameState::inGame);
    cGame::updateState();
    // A few frames of play: the camera reaches the focus character and the
    // cast takes its first idle steps, the same in every run.
    for (int32_t frame = 0; frame < 6; ++frame) cGame::updateState();
    shellStatics().cGameStates.screenDirty = true;
    cGame::paintScreen();
    EXPECT_EQ(application().m_pending, nullptr);
    expectLooksLike(screen, "room_chapter" + std::to_string(chapter) + ".png");
    runProfile(LoadProfile::leaveWorld);
  }
}

}  // namespace
