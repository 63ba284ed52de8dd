// The game thread's pass: paint then update then sleep, the frame clock, the
// pause on a painting gap, and the game's end on an uncaught throwable.
#include <utility>

#include "runtime/exceptions/Exceptions.h"
#include "runtime/exceptions/ThrowNew.h"
#include "platform/java_lang/java_lang_System.h"
#include "runtime/lang/Arrays.h"
#include "platform/java_util/java_util_Random.h"
#include "tests/game/shell/shell_fixture.h"

namespace {

class FrameLoop : public ShellFixture {};

// A test state whose update takes as long as the test says.
int32_t updateMillis = 0;
void timedUpdate(int32_t message) {
  if (message == StateMessage::update) wince::advanceFakeClock(uint64_t(updateMillis));
}

TEST_F(FrameLoop, PassesShowInitThenSplashWithExitEnterAndUpdateInOrder) {
  cGame* canvas = makeCanvas();
  *cGame::stateHandlerSlot(GameState::init) = [](int32_t message) {
    if (message != StateMessage::paint) record(GameState::init, message);
    cGame::stateInit(message);
  };
  install<GameState::splash>();
  ASSERT_TRUE(canvas->runPass());
  EXPECT_EQ(machine().currentState, GameState::init);
  ASSERT_TRUE(canvas->runPass());
  EXPECT_EQ(machine().currentState, GameState::splash);
  EXPECT_EQ(states().previousState, GameState::init);
  EXPECT_EQ(log(), (std::vector<std::string>{"1 enter", "1 update", "1 exit", "2 enter", "2 update"}));
  ASSERT_NE(loop().sprites, nullptr);
  EXPECT_EQ(loop().sprites->length(), 52);
  EXPECT_EQ(loop().frameCount, 2);
}

TEST_F(FrameLoop, APassSleepsTheRestOfTheFramePeriodAndAtLeastOneMillisecond) {
  static constexpr struct {
    int32_t passMillis, sleepMillis;
  } cases[] = {{80, 1}, {20, 42}, {62, 1}, {61, 1}, {0, 62}};
  cGame* canvas = makeCanvas();
  *cGame::stateHandlerSlot(GameState::init) = &timedUpdate;
  for (const auto& c : cases) {
    updateMillis = c.passMillis;
    canvas->lastLoopTick = now();
    const int64_t before = now();
    ASSERT_TRUE(canvas->runPass());
    EXPECT_EQ(now() - before - c.passMillis, c.sleepMillis) << c.passMillis << " ms pass";
    EXPECT_EQ(canvas->lastLoopTick, now());
  }
}

TEST_F(FrameLoop, FrameTimeIsClampedBetweenZeroAndOneSecond) {
  static constexpr struct {
    int64_t sincePrevious;
    int32_t frameTime;
  } cases[] = {{40, 40}, {2000, 1000}, {1000, 1000}, {-50, 0}};
  cGame* canvas = makeCanvas();
  for (const auto& c : cases) {
    loop().lastFrameTick = now() - c.sincePrevious;
    loop().lastPaintCall = now();
    const int32_t playClock = loop().playClock;
    ASSERT_TRUE(canvas->runPass());
    EXPECT_EQ(loop().frameTime, c.frameTime) << c.sincePrevious;
    EXPECT_EQ(loop().playClock - playClock, c.frameTime);
  }
}

TEST_F(FrameLoop, AStallOverThreeSecondsPausesAndResumesIntoTheInGameMenu) {
  cGame* canvas = makeCanvas();
  install<GameState::inGame>();
  install<GameState::inGameMenu>();
  enterState(GameState::inGame);
  ASSERT_TRUE(canvas->runPass());
  log().clear();
  menu().menuMemory->set(2, 3);
  wince::advanceFakeClock(5000);
  ASSERT_TRUE(canvas->runPass());
  EXPECT_EQ(log(), (std::vector<std::string>{"14 exit", "10 enter", "10 update"}));
  EXPECT_TRUE(states().menuSuspended);
  EXPECT_EQ(menu().menuMemory->get(2), -1) << "the in-game menu opens on no remembered row";
  EXPECT_TRUE(states().screenDirty);
  EXPECT_FALSE(machine().paused);
  // The resume set the clock bases: the frame after the stall is short.
  EXPECT_EQ(loop().frameTime, 0);
}

// A box that is closing keeps its answer over a pause; an open one goes back
// to its second button.
TEST_F(FrameLoop, AResumeResetsTheChoiceOfAnOpenBoxOnly) {
  makeCanvas();
  states().messageBoxShown = true;
  for (const int32_t pending : {PendingAction::none, PendingAction::hideBox}) {
    states().messageBoxChoice = 1;
    box().pendingAction = pending;
    cGame::pause();
    cGame::resume();
    cGame::latchInput();
    EXPECT_EQ(states().messageBoxChoice, pending == PendingAction::none ? 0 : 1) << pending;
  }
}

// The canvas makes the sprite cache's seven pools and seeds the game's
// generator from the clock when it starts.
TEST_F(FrameLoop, TheCanvasMakesSevenCachePoolsAndStartSeedsFromTheClock) {
  cGame* canvas = makeCanvas();
  ASSERT_NE(toolkitStatics().ASprite.poolCapacity, nullptr);
  EXPECT_EQ(toolkitStatics().ASprite.poolCapacity->length(), 7);
  loop().runState = -1;
  const int64_t startedAt = java_lang_System::currentTimeMillis();
  canvas->start();
  loop().runState = -1;
  loop().gameThread->join();
  java_util_Random* expected = newObject<java_util_Random>(int64_t(uint32_t(startedAt)));
  EXPECT_EQ(loop().random->nextInt(), expected->nextInt());
}

TEST_F(FrameLoop, AFrameHandsItsGraphicsAndScreenToTheToolkit) {
  cGame* canvas = makeCanvas();
  ASSERT_TRUE(canvas->runPass());
  const cGameDrawStatics& drawing = toolkitStatics().cGameDraw;
  EXPECT_NE(drawing.graphics, nullptr);
  EXPECT_EQ(drawing.graphics, loop().graphics);
  EXPECT_EQ(drawing.screenWidth, 800);
  EXPECT_EQ(drawing.screenHeight, 480);
}

TEST_F(FrameLoop, AStallWithTheHudHiddenStaysInTheState) {
  cGame* canvas = makeCanvas();
  install<GameState::inGame>();
  enterState(GameState::inGame);
  states().hudHidden = true;
  ASSERT_TRUE(canvas->runPass());
  wince::advanceFakeClock(3001);
  ASSERT_TRUE(canvas->runPass());
  EXPECT_EQ(machine().currentState, GameState::inGame);
}

// Turned back from upright, the game pauses and resumes: in play that opens
// the in-game menu, elsewhere the screen stays.
TEST_F(FrameLoop, BackFromUprightTheGamePausesAndResumesIntoTheInGameMenu) {
  cGame* canvas = makeCanvas();
  install<GameState::inGame>();
  install<GameState::inGameMenu>();
  install<GameState::textPage>();
  for (const auto& [state, after] : {std::pair{GameState::inGame, GameState::inGameMenu},
                                     std::pair{GameState::textPage, GameState::textPage}}) {
    SCOPED_TRACE(state);
    enterState(state);
    states().hudHidden = false;
    loop().portraitShown = true;
    ASSERT_TRUE(canvas->runPass());
    EXPECT_FALSE(loop().portraitShown);
    ASSERT_TRUE(canvas->runPass());
    ASSERT_TRUE(canvas->runPass());
    EXPECT_EQ(machine().currentState, after);
  }
}

// A resume in the credits forgets the touch it held, paused or not, so a
// release from before the pause does not leave the page.
TEST_F(FrameLoop, AResumeInTheCreditsForgetsTheTouchedArea) {
  cGame* canvas = makeCanvas();
  install<GameState::textPage>();
  enterState(GameState::textPage);
  cGame::addTouchArea(0, 0, 800, 480, 2);
  cGame::applyPointerPressed(10, 10);
  cGame::applyPointerReleased(10, 10);
  ASSERT_NE(touch().touchedArea, nullptr);
  ASSERT_TRUE(touch().pointerWasReleased);
  canvas->showNotify();  // not paused: only the touch is forgotten
  cGame::latchInput();
  EXPECT_EQ(touch().touchedArea, nullptr);
  EXPECT_FALSE(touch().pointerWasReleased);
  EXPECT_EQ(machine().currentState, GameState::textPage);
}

TEST_F(FrameLoop, APassWithoutAPaintDoesNotUpdate) {
  cGame* canvas = makeCanvas();
  install<GameState::init>();
  host.displayActive = 0;
  ASSERT_TRUE(canvas->runPass());
  EXPECT_TRUE(log().empty());
  host.displayActive = 1;
  ASSERT_TRUE(canvas->runPass());
  EXPECT_EQ(log(), (std::vector<std::string>{"1 enter", "1 update"}));
}

TEST_F(FrameLoop, AReleaseIsActedOnOnceEvenWhenAPaintIsSkipped) {
  cGame* canvas = makeCanvas();
  static int released = 0;
  released = 0;
  *cGame::stateHandlerSlot(GameState::init) = [](int32_t message) {
    if (message == StateMessage::update && cGame::isKeyReleased(7)) ++released;
  };
  canvas->keyPressed('1');
  canvas->keyReleased('1');
  ASSERT_TRUE(canvas->runPass());
  host.displayActive = 0;
  ASSERT_TRUE(canvas->runPass());
  host.displayActive = 1;
  ASSERT_TRUE(canvas->runPass());
  EXPECT_EQ(released, 1);
}

TEST_F(FrameLoop, WhilePausedThePassOnlySleepsAndKeepsTheLoopTickBehind) {
  cGame* canvas = makeCanvas();
  install<GameState::init>();
  cGame::pause();
  const int64_t before = now();
  canvas->lastLoopTick = before + 500;
  ASSERT_TRUE(canvas->runPass());
  EXPECT_TRUE(log().empty());
  EXPECT_EQ(now() - before, 1);
  EXPECT_EQ(canvas->lastLoopTick, before);
}

// Any throwable out of an update or a paint ends the game in order: the loop
// stops, nothing stays pending, and the MIDlet is told.
TEST_F(FrameLoop, AThrowableFromAHandlerEndsTheGameInOrder) {
  using Thrower = void (*)(int32_t);
  static constexpr struct {
    const char* what;
    Thrower handler;
  } cases[] = {
      {"exception in update",
       [](int32_t m) { if (m == StateMessage::update) throwNew<java_lang_RuntimeException>(); }},
      {"error in update", [](int32_t m) { if (m == StateMessage::update) throwNew<java_lang_Error>(); }},
      {"exception in paint",
       [](int32_t m) { if (m == StateMessage::paint) throwNew<java_lang_IllegalStateException>(); }},
      {"error in enter", [](int32_t m) { if (m == StateMessage::enter) throwNew<java_lang_Error>(); }},
  };
  for (const auto& c : cases) {
    cGame* canvas = makeCanvas();
    host.running = 1;
    loop().frameCount = 0;
    *cGame::stateHandlerSlot(GameState::init) = c.handler;
    canvas->run();
    EXPECT_EQ(loop().runState, -1) << c.what;
    EXPECT_EQ(host.running, 0) << c.what;
    EXPECT_EQ(host.application->getPending(), nullptr) << c.what;
    EXPECT_LE(loop().frameCount, 1) << c.what;
  }
}

}  // namespace
