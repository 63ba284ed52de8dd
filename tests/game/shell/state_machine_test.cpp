// The flat state machine with test states whose handlers log: requests take
// effect at the next step, exit and enter order, the message box, unknown
// states and the input reset at every change.
#include "game/toolkit/SensibleRectangle.h"
#include "platform/java_util/java_util_Vector.h"
#include "tests/game/shell/shell_fixture.h"

namespace {

class StateMachine : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    makeCanvas();
    install<7>();
    install<9>();
    install<15>();
    install<16>();
    enterState(7);
  }
};

TEST_F(StateMachine, TwoRequestsInOneUpdateTheSecondWins) {
  *cGame::stateHandlerSlot(7) = [](int32_t message) {
    record(7, message);
    if (message == StateMessage::update) {
      cGame::setNextState(9);
      cGame::setNextState(15);
    }
  };
  cGame::updateState();
  cGame::updateState();
  EXPECT_EQ(machine().currentState, 15);
  EXPECT_EQ(log(), (std::vector<std::string>{"7 update", "7 exit", "15 enter", "15 update"}));
}

TEST_F(StateMachine, ExitSeesItselfAsCurrentAndEnterSeesItAsPrevious) {
  static int32_t seenInExit = 0, previousInEnter = 0;
  *cGame::stateHandlerSlot(7) = [](int32_t message) {
    if (message == StateMessage::exit) seenInExit = toolkitStatics().cGameState.currentState;
  };
  *cGame::stateHandlerSlot(9) = [](int32_t message) {
    if (message == StateMessage::enter) previousInEnter = shellStatics().cGameStates.previousState;
  };
  cGame::setNextState(9);
  cGame::updateState();
  EXPECT_EQ(seenInExit, 7);
  EXPECT_EQ(previousInEnter, 7);
}

TEST_F(StateMachine, ARequestMadeByTheExitHandlerIsTheOneEntered) {
  *cGame::stateHandlerSlot(7) = [](int32_t message) {
    record(7, message);
    if (message == StateMessage::exit) cGame::setNextState(16);
  };
  cGame::setNextState(9);
  cGame::updateState();
  EXPECT_EQ(machine().currentState, 16);
  EXPECT_FALSE(machine().stateChangePending);
  EXPECT_EQ(log(), (std::vector<std::string>{"7 exit", "16 enter", "16 update"}));
}

TEST_F(StateMachine, ARequestMadeInEnterTakesEffectAfterTheFirstUpdate) {
  *cGame::stateHandlerSlot(9) = [](int32_t message) {
    record(9, message);
    if (message == StateMessage::enter) cGame::setNextState(15);
  };
  cGame::setNextState(9);
  cGame::updateState();
  EXPECT_EQ(machine().currentState, 9);
  cGame::updateState();
  EXPECT_EQ(machine().currentState, 15);
  EXPECT_EQ(log(), (std::vector<std::string>{"7 exit", "9 enter", "9 update", "9 exit", "15 enter", "15 update"}));
}

TEST_F(StateMachine, WithTheBoxUpTheStateGetsNoUpdateButItsCountersRun) {
  loop().frameTime = 40;
  const int32_t frames = states().framesInState;
  const int32_t time = states().timeInState;
  states().messageBoxShown = true;
  cGame::updateState();
  cGame::updateState();
  EXPECT_TRUE(log().empty());
  EXPECT_EQ(states().framesInState - frames, 2);
  EXPECT_EQ(states().timeInState - time, 80);
  states().messageBoxShown = false;
  cGame::updateState();
  EXPECT_EQ(log(), (std::vector<std::string>{"7 update"}));
}

TEST_F(StateMachine, AnUnknownStateDispatchesNothingAndStaysUntilAskedAway) {
  static constexpr int32_t unknown[] = {8, 12, 0, 24, 99, -3};
  for (int32_t state : unknown) {
    cGame::setNextState(state);
    cGame::updateState();
    log().clear();
    cGame::updateState();
    cGame::dispatchState(StateMessage::paint);
    EXPECT_EQ(machine().currentState, state);
    EXPECT_EQ(states().framesInState, 2) << state;
    EXPECT_TRUE(log().empty()) << state;
  }
  cGame::setNextState(9);
  cGame::updateState();
  EXPECT_EQ(log(), (std::vector<std::string>{"9 enter", "9 update"}));
}

TEST_F(StateMachine, EveryChangeClearsKeysTouchAreasAndPointerFlags) {
  cGame::applyKeyPressed('5');
  cGame::latchInput();
  cGame::applyKeyPressed('6');
  cGame::addTouchArea(0, 0, 100, 100, 1);
  cGame::addOverlayTouchArea(0, 0, 100, 100, 1001);
  touch().touchAreasComplete = true;
  touch().hudActive = true;
  cGame::applyPointerPressed(50, 50);
  ASSERT_NE(touch().touchedArea, nullptr);
  cGame::setNextState(9);
  cGame::updateState();
  EXPECT_EQ(keys().keysHeld | keys().keysPressedPending | keys().framePressed | keys().frameHeld, 0);
  EXPECT_EQ(touch().touchAreas->size(), 0);
  EXPECT_EQ(touch().overlayTouchAreas->size(), 0);
  EXPECT_EQ(touch().touchedArea, nullptr);
  EXPECT_EQ(touch().touchedOverlayArea, nullptr);
  EXPECT_FALSE(touch().touchAreasComplete);
  EXPECT_FALSE(touch().pointerIsDown);
  EXPECT_FALSE(touch().hudActive);
  EXPECT_EQ(touch().hudKeyCode, -1);
}

// A key pressed and released between a frame's latch and the change that
// frame's update makes is the old screen's: the new one never sees it, while
// a pause that came with it still reaches the game.
TEST_F(StateMachine, InputQueuedBeforeAChangeDoesNotReachTheNewState) {
  static int32_t releasedInNine = -1;
  releasedInNine = -1;
  *cGame::stateHandlerSlot(9) = [](int32_t message) {
    if (message == StateMessage::update && releasedInNine < 0) releasedInNine = keys().frameReleased;
  };
  cGame* canvas = static_cast<cGame*>(loop().instance);
  ASSERT_NE(canvas, nullptr);
  cGame::latchInput();
  canvas->keyPressed('5');
  canvas->keyReleased('5');
  canvas->pointerPressed(50, 50);
  canvas->pointerReleased(50, 50);
  canvas->pause();
  canvas->resume();
  loop().forcePaint = false;
  cGame::setNextState(9);
  cGame::updateState();
  cGame::latchInput();
  cGame::updateState();
  EXPECT_EQ(keys().frameReleased, 0);
  EXPECT_EQ(releasedInNine, 0);
  EXPECT_FALSE(touch().pointerWasReleased);
  EXPECT_TRUE(loop().forcePaint) << "the resume was still applied";
  // Input that comes after the change is the new state's.
  canvas->keyPressed('5');
  canvas->keyReleased('5');
  cGame::latchInput();
  EXPECT_NE(keys().frameReleased, 0);
}

}  // namespace
