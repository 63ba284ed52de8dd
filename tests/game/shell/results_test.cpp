// The results screen with results put in by hand: its phases, its rows,
// and the ways on (the next chapter, the main menu, and at the end of the
// game the closing text, the credits and the promotion prompt).
#include <gtest/gtest.h>

#include "game/toolkit/CVLibPlayer.h"
#include "tests/game/shell/pages_fixture.h"

namespace {

constexpr int32_t okKey = '5';
constexpr int32_t upKey = '2';
constexpr int32_t backKey = -7;

class Results : public PagesFixture {
 protected:
  void SetUp() override {
    PagesFixture::SetUp();
    IntArray* results = shellStatics().cGameShared.results;
    ASSERT_NE(results, nullptr);
    // Counts 3, 2, 1, 4; scores from them; the total; grade 3.
    const int32_t values[] = {100, 3, 30, 2, 200, 1, 150, 4, -800, 50, 0, 0, 3};
    for (int32_t i = 0; i < 13; ++i) results->set(i, values[i]);
  }
  static void setChapter(int32_t chapter) {
    shellStatics().cGameProgress.chapter = chapter;
    shellStatics().cGameProgress.chapterEnding = false;
  }
  // Updates with no input until the screen waits in phase 5; the count.
  int32_t runToWaiting() {
    int32_t updates = 1;  // entering runs the first update
    while (pages().resultsPhase != 5 && updates < 200) {
      cGame::updateState();
      ++updates;
    }
    return updates;
  }
  // The box the screen asked for: it opens, OK (after toggling to the first
  // button when asked) answers it ten painted frames later, and it closes.
  void answerBox(bool firstButton) {
    for (int32_t i = 0; i < 20 && !states().messageBoxShown; ++i) cGame::updateState();
    ASSERT_TRUE(states().messageBoxShown);
    if (firstButton) {
      release(upKey);
      cGame::updateState();
    }
    release(okKey);
    cGame::updateState();
    for (int32_t i = 0; i < 40 && states().messageBoxShown; ++i) {
      cGame::paintMessageBox();
      cGame::updateState();
    }
    ASSERT_FALSE(states().messageBoxShown);
  }
};

TEST_F(Results, NoKeyLeavesBeforeTheScreenWaitsAndOkThenStartsTheNextChapter) {
  setChapter(2);
  enterState(GameState::results);
  EXPECT_EQ(box().rightSoftkey, -1);
  int32_t updates = 1;
  std::vector<int32_t> phases;
  while (pages().resultsPhase != 5) {
    ASSERT_LT(updates, 200);
    if (phases.empty() || phases.back() != pages().resultsPhase) phases.push_back(pages().resultsPhase);
    release(updates % 2 == 0 ? okKey : backKey);
    cGame::updateState();
    ++updates;
    EXPECT_FALSE(machine().stateChangePending) << "update " << updates;
    EXPECT_EQ(box().pendingAction, PendingAction::none) << "update " << updates;
  }
  EXPECT_EQ(phases, (std::vector<int32_t>{0, 1, 2, 3, 4}));
  // 18 fading in, 13 out, 13 in again, six rows, the grade.
  EXPECT_EQ(updates, 51);
  EXPECT_EQ(pages().resultsRow, 5);
  EXPECT_EQ(pages().resultsFade, 255);
  EXPECT_EQ(box().rightSoftkey, 8);

  release(okKey);
  cGame::updateState();
  ASSERT_TRUE(machine().stateChangePending);
  EXPECT_EQ(states().nextState, GameState::loading);
  EXPECT_EQ(loading().loadProfile, LoadProfile::enterRoom);
  EXPECT_EQ(loading().stateAfterLoading, GameState::inGame);
  EXPECT_EQ(shellStatics().cGameProgress.chapter, 3);
}

// The grade's animation takes one step as the rows are complete, then holds
// its picture while the screen waits.
TEST_F(Results, TheGradeAnimationStepsOnceWhenTheRowsAreComplete) {
  tools::SpriteDescription grades;
  tools::SpriteModule block;
  block.width = block.height = 2;
  block.indices.assign(4, 0);
  grades.modules = {block};
  grades.palettes = {{0xFFFFFFFFu}};
  grades.frames.resize(1);
  grades.frames[0].modules = {{0, 0, 0, 0, 0}};
  grades.anims.assign(4, tools::SpriteAnim{{{0, 1}, {0, 1}}});
  const std::vector<uint8_t> bytes = tools::writeSprite(grades);
  ByteArray* data = newByteArray(static_cast<int32_t>(bytes.size()));
  for (size_t i = 0; i < bytes.size(); ++i) data->set(static_cast<int32_t>(i), static_cast<int8_t>(bytes[i]));
  ASprite* sprite = newObject<ASprite>();
  ASSERT_TRUE(sprite->load(data, 0, 0xFFFFFF, 1));
  loop().sprites->set(3, sprite);
  setChapter(2);
  enterState(GameState::results);
  CVLibPlayer* grade = pages().resultsAnim;
  ASSERT_NE(grade, nullptr);
  ASSERT_EQ(grade->anim, 3);
  runToWaiting();
  EXPECT_EQ(grade->time, 62);
  for (int32_t i = 0; i < 5; ++i) cGame::updateState();
  EXPECT_EQ(grade->time, 62) << "the picture stays on its step";
  EXPECT_EQ(grade->aframe, 0);
}

TEST_F(Results, ATapWhileTheRowsComeInIsNotTakenOnceTheScreenWaits) {
  setChapter(0);
  enterState(GameState::results);
  while (pages().resultsPhase != 3) cGame::updateState();
  paint();
  ASSERT_EQ(touch().touchAreas->size(), 1);
  tap(400, 240);
  cGame::updateState();
  runToWaiting();
  cGame::updateState();
  cGame::updateState();
  EXPECT_FALSE(machine().stateChangePending);
  tap(400, 240);
  cGame::updateState();
  ASSERT_TRUE(machine().stateChangePending) << "a tap once it waits goes on";
  EXPECT_EQ(states().nextState, GameState::loading);
}

TEST_F(Results, RowsStandThirtyPixelsApartFromTheMenuTopWithCountsOnlyWhereTheyHaveOne) {
  ASprite* font = blockFont();
  ASSERT_NE(font, nullptr);
  loop().sprites->set(5, font);
  loop().sprites->set(6, font);
  std::map<int32_t, std::string> labels;
  for (int32_t id : {237, 238, 239, 240, 241, 243}) labels[id] = "Label";
  setTexts(labels);
  setChapter(0);
  enterState(GameState::results);
  const int32_t top = shellStatics().IMenus.menuTop;
  ASSERT_EQ(top, 175);

  // Two rows shown so far.
  pages().resultsPhase = 3;
  pages().resultsRow = 1;
  paint();
  for (int32_t row = 0; row < 6; ++row) {
    const int32_t y = top + 30 * row;
    EXPECT_EQ(lit(40, y - 12, 30, 12), row <= 1) << "label of row " << row;
  }

  runToWaiting();
  ASSERT_EQ(pages().resultsPhase, 5);
  paint();
  for (int32_t row = 0; row < 6; ++row) {
    const int32_t y = top + 30 * row;
    EXPECT_TRUE(lit(40, y - 12, 30, 12)) << "label of row " << row;
    EXPECT_FALSE(lit(40, y + 1, 30, 15)) << "below the label of row " << row;
    EXPECT_EQ(lit(380, y - 12, 20, 12), row < 4) << "count of row " << row;
    EXPECT_TRUE(lit(740, y - 12, 20, 12)) << "score of row " << row;
    EXPECT_FALSE(lit(760, y - 12, 20, 12)) << "scores end at 760, row " << row;
  }
  ASSERT_EQ(touch().touchAreas->size(), 1);
  auto* area = static_cast<SensibleRectangle*>(touch().touchAreas->elementAt(0));
  EXPECT_EQ(area->id, 202);
}

TEST_F(Results, BackAsksTextOneHundredAndOneAndYesLeavesForTheMainMenu) {
  setChapter(0);
  enterState(GameState::results);
  runToWaiting();
  release(backKey);
  cGame::updateState();
  EXPECT_EQ(box().messageBoxTextId, 101);
  EXPECT_EQ(box().messageBoxButtons, 1);
  EXPECT_EQ(box().pendingAction, PendingAction::showBox);

  answerBox(false);
  EXPECT_FALSE(machine().stateChangePending) << "no stays";
  EXPECT_EQ(pages().resultsPhase, 5);

  release(backKey);
  cGame::updateState();
  answerBox(true);
  ASSERT_TRUE(machine().stateChangePending);
  EXPECT_EQ(states().nextState, GameState::mainMenu);
}

TEST_F(Results, TheLastChapterShowsTheClosingTextOnceThenTheCredits) {
  setTexts({{265, "Finished with %s0 points"}});
  setChapter(9);
  saved().resultsFlag = false;
  saved().resultsCounter = 1234;
  enterState(GameState::results);
  runToWaiting();
  EXPECT_EQ(box().rightSoftkey, -1) << "no way back before the end is told";
  release(backKey);
  cGame::updateState();
  EXPECT_EQ(box().pendingAction, PendingAction::none);

  release(okKey);
  cGame::updateState();
  EXPECT_EQ(box().messageBoxButtons, 0);
  EXPECT_EQ(text(box().messageBoxText), "Finished with 1234 points");
  answerBox(false);
  ASSERT_TRUE(machine().stateChangePending);
  EXPECT_EQ(states().nextState, GameState::textPage);
  EXPECT_TRUE(saved().resultsFlag);
  EXPECT_FALSE(pages().textPageAutoReturn) << "no promotion news";
  const cGameSoundStatics& sounds = toolkitStatics().cGameSound;
  EXPECT_EQ(sounds.resumeId, 0);
  EXPECT_TRUE(sounds.resumeLoop);
  EXPECT_EQ(sounds.resumeDelay, 12);

  // Seen again, the finished game no longer tells its end: OK does nothing,
  // back asks for the main menu.
  cGame::updateState();
  cGame::setNextState(GameState::results);
  cGame::updateState();
  runToWaiting();
  EXPECT_EQ(box().rightSoftkey, 8);
  release(okKey);
  cGame::updateState();
  EXPECT_EQ(box().pendingAction, PendingAction::none);
  EXPECT_FALSE(machine().stateChangePending);
  release(backKey);
  cGame::updateState();
  EXPECT_EQ(box().messageBoxTextId, 101);
}

TEST_F(Results, WithPromotionNewsTheCreditsRunByThemselvesIntoThePromptAndTheScreen) {
  promotionHasNews();
  setTexts({{265, "End %s0"}});
  setChapter(9);
  enterState(GameState::results);
  runToWaiting();
  release(okKey);
  cGame::updateState();
  answerBox(false);
  ASSERT_EQ(states().nextState, GameState::textPage);
  EXPECT_TRUE(pages().textPageAutoReturn);

  cGame::updateState();
  ASSERT_EQ(machine().currentState, GameState::textPage);
  EXPECT_EQ(box().rightSoftkey, -1);
  release(backKey);
  cGame::updateState();
  EXPECT_FALSE(machine().stateChangePending) << "auto-return ignores back";
  for (int32_t i = 0; i < 200 && !machine().stateChangePending; ++i) cGame::updateState();
  ASSERT_TRUE(machine().stateChangePending);
  EXPECT_EQ(states().nextState, GameState::messageBox);
  EXPECT_FALSE(pages().textPageAutoReturn);

  cGame::updateState();
  ASSERT_EQ(machine().currentState, GameState::messageBox);
  EXPECT_FALSE(states().messageBoxShown) << "the prompt paints its box itself";
  EXPECT_EQ(box().messageBoxTextId, 87);
  release(-6);
  cGame::updateState();
  ASSERT_TRUE(machine().stateChangePending);
  EXPECT_EQ(states().nextState, GameState::promotion);

  // The screen never built its pages here: it is done at once, and the
  // main menu comes back on the promotion row.
  Kivra::statics().initialised = false;
  shellStatics().cGameMenu.menuMemory->set(0, 74);
  cGame::updateState();
  ASSERT_EQ(machine().currentState, GameState::promotion);
  ASSERT_TRUE(machine().stateChangePending);
  EXPECT_EQ(states().nextState, GameState::mainMenu);
  EXPECT_EQ(shellStatics().cGameMenu.menuMemory->get(0), 75);
}

}  // namespace
