// The story's screens over the game's own content, in room 0: a
// conversation question with its answers, a narration half typed and the
// game-over choice, each held against its golden image.
#include <gtest/gtest.h>

#include "game/shell/GameState.h"
#include "game/toolkit/ASprite.h"
#include "game/world/cActorMC.h"
#include "runtime/lang/Arrays.h"
#include "tests/game/look/look_fixture.h"

namespace {

constexpr int32_t textOffset = 272;

class StoryLook : public LookFixture {
 protected:
  StoryLook() : LookFixture("story-look") {}

  void SetUp() override {
    LookFixture::SetUp();
    ASprite::initCachePools(7);
  }

  // Room 0 loaded and played for a few frames.
  static void playRoom() {
    toolkitStatics().cGameDraw.graphics = shellStatics().cGameLoop.graphics;
    cGame::setChapter(0);
    runProfile(LoadProfile::enterRoom);
    cGame::setNextState(GameState::inGame);
    frames(4);
  }
  static void frames(int32_t n) {
    for (int32_t frame = 0; frame < n; ++frame) {
      cGame::updateState();
      shellStatics().cGameStates.screenDirty = true;
      cGame::paintScreen();
    }
  }
};

TEST_F(StoryLook, AConversationQuestionWithItsAnswers) {
  javax_microedition_lcdui_Image* screen = newScreen();
  playRoom();
  // The room's opening line asked by Wren; the answers are the common Yes
  // and No.
  IntArray* answers = newIntArray(2);
  answers->set(0, 6 - textOffset);
  answers->set(1, 7 - textOffset);
  cGame::queueConversationQuestion(1, 0, -1, answers, 2, 0, -1, -1);
  frames(3);
  ASSERT_TRUE(cGame::isAnswerPending());
  expectLooksLike(screen, "story_conversation_question.png");
}

TEST_F(StoryLook, ANarrationHalfTyped) {
  javax_microedition_lcdui_Image* screen = newScreen();
  playRoom();
  cGame::startCutsceneAt(0, 1, -1, -1, true, false);
  // The text comes up to its place (50 frames), then the caption types
  // half a character a frame.
  for (int32_t n = 0; n < 200 && storyStatics().cGameCinematic.narrationTyped < 5 << 8; ++n) frames(1);
  ASSERT_EQ(cGame::cinematicPhase(), 4);
  ASSERT_EQ(storyStatics().cGameCinematic.narrationTyped, 5 << 8);
  // The blinking prompt shown.
  shellStatics().cGameLoop.paintTick = 512;
  shellStatics().cGameStates.screenDirty = true;
  cGame::paintScreen();
  expectLooksLike(screen, "story_narration_typing.png");
}

TEST_F(StoryLook, TheGameOverChoice) {
  javax_microedition_lcdui_Image* screen = newScreen();
  playRoom();
  cGame::openCinematic(0x7FFFFFFF, 2, 0);
  frames(10);
  ASSERT_EQ(cGame::cinematicPhase(), 5);
  expectLooksLike(screen, "story_game_over.png");
}

}  // namespace
