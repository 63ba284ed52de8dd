// The two-button race and the timing gauge over the game's own content,
// each painted over its room's last frame of play and held against its
// golden image.
#include <gtest/gtest.h>

#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/world/cActorEnemy.h"
#include "game/world/cActorMC.h"
#include "tests/game/look/look_fixture.h"

namespace {

class InteractionGamesLook : public LookFixture {
 protected:
  InteractionGamesLook() : LookFixture("interaction-look") {}

  static cGameInteractionStatics& mode() { return storyStatics().cGameInteraction; }
  static cGameRaceStatics& race() { return storyStatics().cGameRace; }

  // The chapter's room played for a few frames with Wren, who aims, as the
  // focus character.
  static cActorMC* playChapter(int32_t chapter) {
    cGame::setChapter(chapter);
    runProfile(LoadProfile::enterRoom);
    IntArray* position = newIntArray(3);
    position->set(0, 330 << 8);
    position->set(1, 330 << 8);
    cActorMC* wren = cActorMC::create(ActorKind::PLAYER, 0, position);
    wren->hp = 100;
    wren->partnerIndex = 1;
    wren->setParams(newIntArray(8), 8);
    wren->setSprite(shell::spriteAt(17) != nullptr ? shell::spriteAt(17) : shell::spriteAt(16));
    wren->setAnim(0, -1);
    cGame::setFocusActor(wren);
    worldStatics().cGamePlay.firstPartner = wren;
    cGame::setPlayerControl(true);
    cGame::setNextState(GameState::inGame);
    paintFrames(4);
    // The room's opening words are not what these pictures show.
    cGame::clearHint();
    // Wren stands left of the screen's middle, whatever the camera chose.
    const cGamePlayStatics& play = worldStatics().cGamePlay;
    wren->setX((play.cameraPixelX + 330) << 8);
    wren->setY((play.cameraPixelY + 360) << 8);
    paintFrames(1);
    return wren;
  }
  static void paintFrames(int32_t n) {
    for (int32_t frame = 0; frame < n; ++frame) {
      cGame::updateState();
      cGame::paintScreen();
    }
  }
  // One update as the interaction's dispatch runs it.
  static void stepMode(void (*update)()) {
    mode().interactionModeSeen = mode().interactionMode;
    update();
    shellStatics().cGameKeys.framePressed = 0;
    shellStatics().cGameLoop.frameCount += 1;
  }
};

TEST_F(InteractionGamesLook, TheRaceWithItsLeftMarkerToStop) {
  javax_microedition_lcdui_Image* screen = newScreen();
  toolkitStatics().cGameDraw.graphics = shellStatics().cGameLoop.graphics;
  playChapter(2);
  IntArray* position = newIntArray(3);
  position->set(0, 500 << 8);
  position->set(1, 330 << 8);
  cActorEnemy* creature = cActorEnemy::create(ActorKind::CREATURE, 0, position);
  ASSERT_TRUE(cGame::startButtonInteraction(creature));
  // Nine presses close the sides; the left marker then bounces a while.
  for (int32_t frame = 0; frame < 24; ++frame) {
    if (frame % 2 == 0 && race().gaugeRunning) shellStatics().cGameKeys.framePressed = 1 << 5;
    stepMode(&cGame::updateTwoButtonGame);
  }
  ASSERT_FALSE(race().gaugeRunning);
  cGame::clearInput();
  cGame::paintTwoButtonGame();
  expectLooksLike(screen, "race_left_step.png");
}

TEST_F(InteractionGamesLook, TheGaugeSwingingBesideWren) {
  javax_microedition_lcdui_Image* screen = newScreen();
  toolkitStatics().cGameDraw.graphics = shellStatics().cGameLoop.graphics;
  cActorMC* wren = playChapter(0);
  IntArray* position = newIntArray(3);
  position->set(0, wren->x + (110 << 8));
  position->set(1, wren->y);
  cActor* pot = cActor::create(13, 0, position);
  IntArray* params = newIntArray(14);
  params->set(9, 32);
  params->set(10, 18);
  params->set(11, 33);
  pot->setParams(params, 14);
  pot->setSprite(shell::spriteAt(31));
  pot->setAnim(31, -1);
  pot->flags |= ActorFlags::ACTIVE;
  wren->objectInReach = pot;
  mode().interactionMode = 1;
  mode().interactionModeSeen = 0;
  mode().interactionKind = 2;
  mode().interactionTarget = pot;
  ASSERT_TRUE(cGame::startGaugeInteraction(pot));
  for (int32_t frame = 0; frame < 20; ++frame) stepMode(&cGame::updateGaugeGame);
  ASSERT_EQ(race().gaugeValue, 80);
  // The scene as play paints it, then the gauge over it.
  mode().interactionMode = 0;
  mode().interactionModeSeen = 0;
  cGame::paintScreen();
  mode().interactionMode = 1;
  mode().interactionModeSeen = 1;
  cGame::clearInput();
  cGame::paintGaugeGame();
  expectLooksLike(screen, "gauge_swinging.png");
}

}  // namespace
