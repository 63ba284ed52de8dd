// Loading runs, the loading state's bar and the splash screen's timing.
#include <gtest/gtest.h>

#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"
#include "tests/game/shell/shell_fixture.h"

namespace {

using Image = javax_microedition_lcdui_Image;

class LoadingScreens : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    canvas = makeCanvas();
    screen = Image::createImage(800, 480);
    loop().graphics = screen->getGraphics();
    loop().frameTime = 62;
  }
  static cGameLoadStatics& run() { return shellStatics().cGameLoad; }
  int32_t pixel(int32_t x, int32_t y) {
    IntArray* out = newIntArray(1);
    screen->getRGB(out, 0, 1, x, y, 1, 1);
    return out->get(0) & 0xFFFFFF;
  }
  // The bar's red reaches x = 198 + width.
  bool barReaches(int32_t width) { return pixel(198 + width, 380) != 0 && pixel(199 + width, 380) == 0; }

  cGame* canvas = nullptr;
  Image* screen = nullptr;
};

TEST_F(LoadingScreens, ARoomRunTakesOneStepAnUpdateAndTheBarGrowsBySixteenPixels) {
  run().loadProfile = LoadProfile::enterRoom;
  run().stateAfterLoading = GameState::inGame;
  enterState(GameState::loading);
  EXPECT_EQ(run().loadStepCount, 25);
  // The state's first update comes with its enter.
  for (int32_t step = 1; step <= 25; ++step) {
    if (step > 1) cGame::updateState();
    EXPECT_EQ(run().loadStepIndex, step);
    cGame::dispatchState(StateMessage::paint);
    if (step < 25) {
      EXPECT_TRUE(barReaches(16 * step)) << step;
      EXPECT_FALSE(machine().stateChangePending) << step;
    }
  }
  EXPECT_TRUE(machine().stateChangePending);
  EXPECT_EQ(states().nextState, GameState::inGame);
  EXPECT_EQ(run().stateAfterLoading, GameState::none) << "taken once";
  cGame::updateState();
  EXPECT_EQ(machine().currentState, GameState::inGame);
  EXPECT_EQ(run().loadProfile, LoadProfile::keepCount) << "set by the exit";
}

TEST_F(LoadingScreens, AnEmptyProfileIsDoneAtOnceAndItsBarDividesByNothing) {
  run().loadProfile = 2;
  cGame::startLoading();
  EXPECT_EQ(run().loadStepCount, 0);
  cGame::loadStep();
  EXPECT_TRUE(run().loadingDone);
  cGame::stateLoading(StateMessage::paint);
  EXPECT_TRUE(barReaches(400));

  // A profile outside the table keeps the previous count.
  run().loadProfile = LoadProfile::leaveWorld;
  cGame::startLoading();
  run().loadProfile = LoadProfile::keepCount;
  cGame::startLoading();
  EXPECT_EQ(run().loadStepCount, 4);
}

// A run starts from an empty data stream: arrays that cursors a reader left
// kept are no longer held, so the collector can take them.
TEST_F(LoadingScreens, StartingARunLetsGoOfTheDataStreamsKeptArrays) {
  ByteArray* outer = newByteArray(4);
  cGame::set(outer, 1);
  cGame::set(newByteArray(8), 2);
  cGameDataStreamStatics& stream = toolkitStatics().cGameDataStream;
  ASSERT_EQ(stream.savedCount, 2);
  ASSERT_EQ(stream.savedData->get(1), outer);
  run().loadProfile = LoadProfile::leaveWorld;
  cGame::startLoading();
  EXPECT_EQ(stream.data, nullptr);
  EXPECT_EQ(stream.savedCount, 0);
  for (int32_t i = 0; i < stream.savedData->length(); ++i) EXPECT_EQ(stream.savedData->get(i), nullptr) << i;
  cGame::restore();  // nothing kept: stays empty
  EXPECT_EQ(stream.data, nullptr);
}

TEST_F(LoadingScreens, TouchesDuringLoadingDoNothing) {
  cGame::addTouchArea(0, 0, 800, 480, 7);
  enterState(GameState::loading);
  canvas->pointerPressed(10, 10);
  cGame::latchInput();
  EXPECT_EQ(touch().touchedArea, nullptr);
  EXPECT_FALSE(touch().pointerIsDown);
}

TEST_F(LoadingScreens, TheSplashShowsTheFirstLogoForFourSecondsAndLastsEight) {
  enterState(GameState::splash);
  EXPECT_EQ(run().loadProfile, LoadProfile::firstStart);
  int32_t elapsed = 0;
  bool sawSecondScreen = false;
  while (!machine().stateChangePending) {
    ASSERT_LT(elapsed, 20000) << "the splash never ended";
    cGame::updateState();
    elapsed += 62;
    states().screenDirty = true;
    cGame::dispatchState(StateMessage::paint);
    const bool firstLogo = (pixel(5, 5) & 0xF0F0F0) == 0xF0F0F0;  // white
    if (states().timeInState < 4000) {
      EXPECT_TRUE(firstLogo) << states().timeInState;
    }
    sawSecondScreen |= !firstLogo;
  }
  EXPECT_GT(states().timeInState, 8000);
  EXPECT_TRUE(sawSecondScreen);
  EXPECT_EQ(states().nextState, GameState::loading);
  EXPECT_EQ(run().stateAfterLoading, GameState::title);
  EXPECT_EQ(run().loadProfile, LoadProfile::startUp);
}

}  // namespace
