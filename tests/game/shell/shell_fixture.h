#pragma once
// The shell over a headless host: the game's statics and class initialisers,
// the fake clock (sleeps move it on), and a cGame that is the current
// Displayable. The test thread plays the game thread, pass by pass; the
// sound server is stopped so that no other thread moves the clock. Test
// states install handlers of their own, which TearDown takes out again.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "game/GameClassInitialisers.h"
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/toolkit/SensibleRectangle.h"
#include "game/toolkit/cSoundServer.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_CanvasScreen.h"
#include "runtime/app/ApplicationImpl.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/thread/java_lang_Thread.h"
#include "tests/wince/window_test_window.h"
#include "wince/audio_options.h"
#include "wince/clock.h"

inline const ClassInitialisers& shellTestInitialisers() { return gameClassInitialisers(); }

class ShellFixture : public ::testing::Test {
 protected:
  static constexpr uint64_t clockStart = 100000;

  void SetUp() override {
    wince::useFakeClock(clockStart, true);
    ASSERT_TRUE(wince::selectAudioBackend(wince::AudioChoice::null));
    for (int32_t state = 0; state < GameState::tableSize; ++state)
      m_savedHandlers[state] = *cGame::stateHandlerSlot(state);
    ASSERT_EQ(host.openDisplay(u"GDI", window.handle), 1);
    ApplicationStartup startup;
    startup.classInitialisers = &shellTestInitialisers();
    startup.literalPool = Application::LiteralPool::none;
    startup.objectHeapBytes = 4u << 20;
    startup.nativePoolBytes = 4u << 20;
    startup.createScreen = &createScreenObjects;
    ASSERT_EQ(host.init(startup), 1);
    host.displayActive = 1;
    log().clear();
  }
  void TearDown() override {
    host.shutdown();
    for (int32_t state = 0; state < GameState::tableSize; ++state)
      *cGame::stateHandlerSlot(state) = m_savedHandlers[state];
    wince::useRealClock();
  }

  // A canvas made as CorvaQNDR makes it, current, its sound server stopped,
  // ready for passes as run starts them.
  cGame* makeCanvas() {
    cGame* canvas = newObject<cGame>(nullptr, nullptr);
    host.application->m_current = canvas;
    stopSoundServer();
    shellStatics().cGameLoop.paintBusy = false;
    shellStatics().cGameLoop.runState = 0;
    return canvas;
  }
  static void stopSoundServer() {
    cSoundServer* server = toolkitStatics().cGameSound.server;
    java_lang_Thread* thread = shellStatics().cGameLoop.soundThread;
    if (server == nullptr || thread == nullptr) return;
    // run sets the flag as it starts; clearing it earlier would not stop it.
    while (__atomic_load_n(&server->running, __ATOMIC_RELAXED) == 0) java_lang_Thread::sleep(1);
    __atomic_store_n(&server->running, 0, __ATOMIC_RELAXED);
    thread->join();
  }

  static cGameLoopStatics& loop() { return shellStatics().cGameLoop; }
  static cGameStateMachineStatics& states() { return shellStatics().cGameStates; }
  static cGameBoxStatics& box() { return shellStatics().cGameBox; }
  static cGameMenuStatics& menu() { return shellStatics().cGameMenu; }
  static cGameKeyStatics& keys() { return shellStatics().cGameKeys; }
  static cGameTouchStatics& touch() { return shellStatics().cGameTouch; }
  static cGameStateStatics& machine() { return toolkitStatics().cGameState; }
  static int64_t now() { return int64_t(GetTickCount64()); }

  // What the test handlers saw, one line a message: "<state> <message>".
  static std::vector<std::string>& log() {
    static std::vector<std::string> lines;
    return lines;
  }
  static void record(int32_t state, int32_t message) {
    static constexpr const char* names[] = {"enter", "update", "paint", "exit"};
    log().push_back(std::to_string(state) + " " + names[message]);
  }
  // A handler that records every message but paint.
  template <int32_t State>
  static void loggingHandler(int32_t message) {
    if (message != StateMessage::paint) record(State, message);
  }
  template <int32_t State>
  static void install() {
    *cGame::stateHandlerSlot(State) = &loggingHandler<State>;
  }
  // Puts the machine in state s, entered.
  static void enterState(int32_t state) {
    cGame::setNextState(state);
    cGame::updateState();
    log().clear();
  }

  TestWindow window;
  ApplicationImpl host;

 private:
  std::array<StateHandler, GameState::tableSize> m_savedHandlers{};
};
