// How the results screen looks over the game's own content: the start-up
// loads (fonts, texts, the common sprites) from the built data.bar, results
// put in by hand, the screen run to where it waits, one frame painted and
// held against its golden image.
#include <gtest/gtest.h>

#include "tests/game/look/look_fixture.h"

namespace {

class ResultsLook : public LookFixture {
 protected:
  ResultsLook() : LookFixture("results-look") {}
};

TEST_F(ResultsLook, TheResultsOfAChapterWaitingForOk) {
  ASSERT_NE(shellStatics().cGameLoop.sprites->get(3), nullptr) << "the results sprite";
  IntArray* results = shellStatics().cGameShared.results;
  ASSERT_NE(results, nullptr);
  // Counts 3, 2, 1, 4; scores from them; the total; grade 3.
  const int32_t values[] = {100, 3, 30, 2, 200, 1, 150, 4, -800, 50, 0, 0, 3};
  for (int32_t i = 0; i < 13; ++i) results->set(i, values[i]);
  shellStatics().cGameProgress.chapter = 2;

  javax_microedition_lcdui_Image* screen = newScreen();
  cGame::setNextState(GameState::results);
  for (int32_t update = 0; update < 200 && shellStatics().cGamePages.resultsPhase != 5; ++update) {
    cGame::updateState();
    shellStatics().cGameStates.screenDirty = true;
    cGame::paintScreen();
  }
  ASSERT_EQ(shellStatics().cGamePages.resultsPhase, 5);
  // A few more frames: the grade's picture holds the step it took.
  for (int32_t i = 0; i < 8; ++i) {
    cGame::updateState();
    shellStatics().cGameStates.screenDirty = true;
    cGame::paintScreen();
  }
  expectLooksLike(screen, "results.png");
}

}  // namespace
