// cGame as the canvas: construction, the first start, pause and resume, and
// the UI thread's callbacks, which only queue their events.
#include "game/shell/InputQueue.h"
#include "game/shell/Kivra.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/cSoundServer.h"
#include "platform/java_lang/java_lang_System.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Display.h"
#include "platform/javax_microedition_midlet/javax_microedition_midlet_MIDlet.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/thread/java_lang_Thread.h"

using namespace shell;

namespace {

void queueEvent(InputEvent::Kind kind, int32_t a = 0, int32_t b = 0) {
  inputQueue().push(InputEvent{kind, a, b, java_lang_System::currentTimeMillis()});
}

// The digits as GameKeys: "0" 6, "1".."9" 7..15.
constexpr int32_t digitZero = 48;

}  // namespace

void cGame::init(javax_microedition_midlet_MIDlet* midlet, javax_microedition_lcdui_Display* display) {
  cGameLoopStatics& frame = loop();
  lastLoopTick = 0;
  setRunState(-1);
  frame.paintBusy = true;
  frame.instance = this;
  frame.midlet = midlet;
  frame.display = display;
  if (display != nullptr) display->setCurrent(this);
  inputQueue().clear();

  initKeyMap();
  setKeyMapping(0, digitZero, 6);
  for (int32_t digit = 1; digit <= 9; ++digit) setKeyMapping(0, digitZero + digit, 6 + digit);

  const int64_t now = java_lang_System::currentTimeMillis();
  frame.lastFrameTick = now;
  lastLoopTick = now;

  initStateMachine();
  ASprite::initCachePools(7);
  frame.soundThread = startSoundServer();
}

void* cGame::lookupInterface(int32_t interfaceId) {
  return interfaceId == classid::java_lang_Runnable ? static_cast<java_lang_Runnable*>(this) : nullptr;
}

void cGame::start() {
  if (runState() >= 0) return;
  cGameLoopStatics& frame = loop();
  frame.screenWidth = 800;
  frame.screenHeight = 480;
  const int64_t now = java_lang_System::currentTimeMillis();
  seedRandom(int32_t(now), 0);
  setRunState(0);
  auto* thread = newObject<java_lang_Thread>(static_cast<Object*>(this));
  if (thread == nullptr) {
    setRunState(-1);
    return;
  }
  if (java_lang_Thread* creator = java_lang_Thread::currentThread()) thread->setPriority(creator->getPriority());
  frame.gameThread = thread;
  if (thread->start() == 0xFFFFFFFFu) {
    debugLog("cGame: the game thread could not be started");
    setRunState(-1);
  }
}

void cGame::sizeChanged(int32_t width, int32_t height) {
  loop().screenWidth = width;
  loop().screenHeight = height;
}

void cGame::keyPressed(int32_t code) { queueEvent(InputEvent::Kind::keyPressed, code); }
void cGame::keyReleased(int32_t code) { queueEvent(InputEvent::Kind::keyReleased, code); }
// Presses and releases are logged (drags are not): a scripted run reads
// there that its taps arrived, in canvas coordinates.
void cGame::pointerPressed(int32_t x, int32_t y) {
  debugLog("cGame: pen pressed at %d,%d", x, y);
  queueEvent(InputEvent::Kind::pointerPressed, x, y);
}
void cGame::pointerReleased(int32_t x, int32_t y) {
  debugLog("cGame: pen released at %d,%d", x, y);
  queueEvent(InputEvent::Kind::pointerReleased, x, y);
}
void cGame::pointerDragged(int32_t x, int32_t y) { queueEvent(InputEvent::Kind::pointerDragged, x, y); }

void cGame::showNotify() { resume(); }

void cGame::hideNotify() {
  const bool pausesNow = !paused();
  if (pausesNow) setPaused(true);
  queueEvent(InputEvent::Kind::hidden, pausesNow ? 1 : 0);
}

void cGame::paint(javax_microedition_lcdui_Graphics* g) { paintFrame(g); }

void cGame::pause() {
  if (paused()) return;
  setPaused(true);
  queueEvent(InputEvent::Kind::paused);
}

// The flag clears at once; the rest (clock bases from the resume's tick, the
// forced paint, the in-game menu, the key block) is done by the game thread
// when it takes the event, before the frame it paints next.
void cGame::resume() {
  const bool wasPaused = paused();
  queueEvent(InputEvent::Kind::resumed, wasPaused ? 1 : 0);
  if (wasPaused) setPaused(false);
}

void cGame::applyResume(bool wasPaused, int64_t tick) {
  cGameStateMachineStatics& screen = states();
  const int32_t current = machine().currentState;
  if (wasPaused) {
    if (current == GameState::inGame && !screen.hudHidden) {
      screen.menuSuspended = true;
      setNextState(GameState::inGameMenu);
      if (IntArray* memory = menu().menuMemory) memory->set(2, -1);
    } else if (current == GameState::inGame && isCinematicActive() && cinematicPhase() == 5) {
      setGameOverOption(0);
    }
    setSoundResumeDelay(12);
    if (screen.messageBoxShown && box().pendingAction == PendingAction::none) screen.messageBoxChoice = 0;
    screen.screenDirty = true;
  }
  if (current == GameState::textPage) {
    touch().touchedArea = nullptr;
    touch().pointerWasReleased = false;
  }
  if (!wasPaused) return;
  // The promotion screen picks up its loading where the pause cut it off.
  if (current == GameState::promotion) Kivra::show();
  cGameLoopStatics& frame = loop();
  frame.paintTick = tick;
  frame.lastFrameTick = tick;
  if (auto* canvas = static_cast<cGame*>(frame.instance)) canvas->lastLoopTick = tick;
  if (frame.display != nullptr) frame.display->setCurrent(static_cast<cGame*>(frame.instance));
  frame.forcePaint = true;
  clearFrameKeys();
}

void cGame::setCurrentDisplayable(javax_microedition_lcdui_Displayable* d) {
  if (loop().display != nullptr && d != nullptr) loop().display->setCurrent(d);
}

// A pause stops every sound; the promotion screen also stops loading.
void cGame::pausePromotion() {
  stopAllSounds();
  if (machine().currentState == GameState::promotion) Kivra::hide();
}

void cGame::applyEvent(const InputEvent& event) {
  using Kind = InputEvent::Kind;
  switch (event.kind) {
    case Kind::keyPressed: applyKeyPressed(event.a); break;
    case Kind::keyReleased: applyKeyReleased(event.a); break;
    case Kind::pointerPressed: applyPointerPressed(event.a, event.b); break;
    case Kind::pointerReleased: applyPointerReleased(event.a, event.b); break;
    case Kind::pointerDragged: applyPointerDragged(event.a, event.b); break;
    case Kind::hidden:
      stopSoundA();
      if (cSoundServer* server = toolkitStatics().cGameSound.server) server->stopB();
      if (event.a != 0) pausePromotion();
      break;
    case Kind::paused: pausePromotion(); break;
    case Kind::resumed: applyResume(event.a != 0, event.tick); break;
  }
}

void cGame::drainInput() {
  static thread_local InputQueue::Batch batch;
  const size_t count = inputQueue().takeAll(batch);
  for (size_t i = 0; i < count; ++i) applyEvent(batch[i]);
}
