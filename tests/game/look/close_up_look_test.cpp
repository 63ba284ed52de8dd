// The close-up view over the game's own content: room 0 with an object whose
// view shows a picture and two hotspots, the cursor resting on one of them,
// held against its golden image.
#include <gtest/gtest.h>

#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActorMC.h"
#include "tests/game/look/look_fixture.h"

namespace {

class CloseUpLook : public LookFixture {
 protected:
  CloseUpLook() : LookFixture("close-up-look") {}

  void SetUp() override {
    LookFixture::SetUp();
    // The canvas makes the sprites' cache pools; the room's sprites fill them.
    ASprite::initCachePools(7);
  }

  static void playFrames(int32_t frames) {
    for (int32_t frame = 0; frame < frames; ++frame) {
      cGame::updateState();
      cGame::paintScreen();
    }
  }

  // An actor of room 0's sprites in layer list 0.
  static cActor* place(int32_t kind, int32_t id, int32_t x, int32_t y, int32_t slot, int32_t anim, int32_t params) {
    IntArray* position = newIntArray(3);
    position->set(0, x << 8);
    position->set(1, y << 8);
    cActor* actor = cActor::create(kind, 0, position);
    actor->id = id;
    actor->setParams(newIntArray(params), params);
    actor->setSprite(static_cast<ASprite*>(shellStatics().cGameLoop.sprites->get(slot)));
    actor->setAnim(anim, -1);
    actor->setFlag(ActorFlags::ACTIVE, true);
    return actor;
  }
  static cActor* hotspot(int32_t id, int32_t x, int32_t y, int32_t slot, int32_t anim, int32_t type, int32_t next) {
    cActor* spot = place(ActorKind::COLLECTIBLE, id, x, y, slot, anim, 9);
    spot->setParam(0, type);
    spot->setParam(1, 1);
    spot->setParam(2, next);
    spot->setParam(3, -1);
    spot->setParam(4, -1);
    return spot;
  }
};

TEST_F(CloseUpLook, TheViewWithItsCursorOnAHotspot) {
  javax_microedition_lcdui_Image* screen = newScreen();
  // The animation players paint through the drawing helpers' Graphics, which
  // the canvas's paint hands over each frame.
  toolkitStatics().cGameDraw.graphics = shellStatics().cGameLoop.graphics;
  cGame::setChapter(0);
  runProfile(LoadProfile::enterRoom);
  // The cursor's sprite comes with the help pages' set.
  runProfile(LoadProfile::extraSprites);
  cGame::setNextState(GameState::inGame);
  playFrames(2);
  cGame::skipCutscene();
  playFrames(2);

  // The picture is the widest frame at hand (160 x 96); the 112 x 112
  // cursor can move 24 pixels either side of its centre.
  hotspot(901, 3000, 3000, 34, 2, 0, 902);
  hotspot(902, 2980, 3000, 31, 42, 3, 903);
  hotspot(903, 3060, 2980, 23, 0, 3, -1);
  cActor* object = place(ActorKind::MARKER, 900, 3000, 2000, 31, 31, 15);
  object->setParam(1, 0);
  object->setParam(2, 901);
  object->setParam(13, -1);
  object->setFlag(ActorFlags::HIDDEN, true);
  ASSERT_TRUE(cGame::startInteraction(object));
  // The cursor is placed on the first hotspot by a tap.
  cGameTouchStatics& pointer = shellStatics().cGameTouch;
  pointer.pointerX = 400 - 20;
  pointer.pointerY = 270;
  pointer.touchedOverlayArea = nullptr;
  pointer.pointerWasReleased = true;
  playFrames(1);
  shellStatics().cGameStates.framesInState = 0;
  playFrames(1);
  ASSERT_TRUE(cGame::isInteractionActive());
  ASSERT_EQ(storyStatics().cGameInteraction.closeUpOverHotspot, 1);
  expectLooksLike(screen, "close_up_view.png");
}

}  // namespace
