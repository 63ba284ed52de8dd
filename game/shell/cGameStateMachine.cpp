// The flat state machine: requests, the step (exit, enter, update) and the
// dispatch through the handler table.
#include <array>

#include "game/shell/InputQueue.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/LiteralIds.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/literals/StringLiteralPool.h"

using namespace shell;

namespace {

std::array<StateHandler, GameState::tableSize>& handlers() {
  static std::array<StateHandler, GameState::tableSize> table = [] {
    std::array<StateHandler, GameState::tableSize> entries{};
    entries[GameState::init] = &cGame::stateInit;
    return entries;
  }();
  return table;
}

}  // namespace

StateHandler* cGame::stateHandlerSlot(int32_t state) {
  if (state < 0 || state >= GameState::tableSize) return nullptr;
  return &handlers()[static_cast<size_t>(state)];
}

void cGame::setNextState(int32_t state) {
  states().nextState = state;
  machine().stateChangePending = true;
}

void cGame::initStateMachine() {
  cGameStateMachineStatics& screen = states();
  machine().currentState = GameState::init;
  screen.previousState = GameState::none;
  screen.nextState = GameState::none;
  machine().stateChangePending = false;
  screen.stateEntering = true;
  screen.framesInState = 0;
  screen.timeInState = 0;
}

void cGame::dispatchState(int32_t message) {
  StateHandler* slot = stateHandlerSlot(machine().currentState);
  if (slot != nullptr && *slot != nullptr) (*slot)(message);
}

void cGame::updateState() {
  cGameStateMachineStatics& screen = states();
  if (machine().stateChangePending) {
    dispatchState(StateMessage::exit);
    if (exceptionPending()) return;
    screen.previousState = machine().currentState;
    machine().currentState = screen.nextState;
    // One line per change: a scripted run reads its screens' order and times.
    debugLog("cGame: GameState %d -> %d after %d ms", screen.previousState, machine().currentState,
             screen.timeInState);
    machine().stateChangePending = false;
    screen.stateEntering = true;
    screen.nextState = GameState::none;
    clearFrameKeys();
    clearInput();
    clearTouchState();
    // Keys and taps that came while the old screen was still current belong
    // to it: the new screen starts from input that arrives after the change.
    inputQueue().dropInputEvents();
  }
  if (screen.stateEntering) {
    screen.stateEntering = false;
    screen.framesInState = 0;
    screen.timeInState = 0;
    dispatchState(StateMessage::enter);
    if (exceptionPending()) return;
  }
  bool runState = true;
  if (screen.messageBoxShown) {
    updateMessageBox();
    if (exceptionPending()) return;
    runState = !screen.messageBoxShown;
    // The key that closed the box must not reach the state.
    if (runState) clearFrameKeys();
  }
  if (runState) {
    dispatchState(StateMessage::update);
    if (exceptionPending()) return;
  }
  screen.framesInState += 1;
  screen.timeInState += loop().frameTime;
  updateSoundResume();
}

// GameState 1: the tables the first screens need, a white screen, then the
// splash.
void cGame::stateInit(int32_t message) {
  cGameLoopStatics& frame = loop();
  if (message == StateMessage::update) {
    toolkitStatics().cGameText.encoding = stringLiteral(static_cast<int32_t>(LiteralId::textEncodingName));
    frame.sprites = newObjectArray(52);
    states().twoEntryTable = newObjectArray(2);
    // No sound is waiting to start again after a pause.
    cGameSoundStatics& sound = toolkitStatics().cGameSound;
    sound.resumeId = -1;
    sound.resumeLoop = false;
    sound.resumeDelay = 0;
    setNextState(GameState::splash);
  } else if (message == StateMessage::paint && frame.graphics != nullptr) {
    frame.graphics->setColor(0xFFFFFF);
    frame.graphics->fillRect(0, 0, frame.screenWidth, frame.screenHeight);
  }
}
