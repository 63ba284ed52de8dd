// The game thread: the loop, one update, one painted frame and the screen's
// painting.
#include <algorithm>

#include "game/ContentRequirements.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "platform/java_lang/java_lang_Runtime.h"
#include "platform/java_lang/java_lang_System.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Display.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_midlet/javax_microedition_midlet_MIDlet.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/NumberText.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/thread/java_lang_Thread.h"

using namespace shell;

namespace {

constexpr int64_t pauseGapMillis = 3000;
constexpr int32_t longestFrameMillis = 1000;
constexpr int32_t topLeft = 20;
constexpr int32_t topRight = 24;

int64_t now() { return java_lang_System::currentTimeMillis(); }

// a followed by b; null when either is missing.
String* joined(String* a, String* b) { return a != nullptr && b != nullptr ? a->concat(b) : nullptr; }

}  // namespace

void cGame::run() {
  cGameLoopStatics& frame = loop();
  if (frame.display != nullptr) frame.display->setCurrent(this);
  frame.paintBusy = false;
  debugLog("cGame: game thread runs");
  while (runPass()) {
  }
  endGame();
}

bool cGame::runPass() {
  cGameLoopStatics& frame = loop();
  if (runState() < 0) return false;
  if (paused()) {
    // The life-cycle events (the pause's sound stop) still get applied.
    drainInput();
    lastLoopTick = std::min(lastLoopTick, now());
    java_lang_Thread::sleep(1);
    return !exceptionPending() && runState() >= 0;
  }
  frame.framePainted = false;
  repaint(this);
  serviceRepaints(this);
  if (exceptionPending()) return false;
  // Only a painted frame latched new input: an update without one would
  // act on the previous frame's keys a second time.
  if (frame.framePainted) {
    tick();
    if (exceptionPending()) return false;
  }
  frame.forcePaint = false;
  const int64_t passEnd = now();
  lastLoopTick = std::min(lastLoopTick, passEnd);
  java_lang_Thread::sleep(std::max<int64_t>(1, frame.framePeriod - (passEnd - lastLoopTick)));
  lastLoopTick = now();
  return !exceptionPending() && runState() >= 0;
}

void cGame::endGame() {
  setRunState(-1);
  if (Application* application = Application::get()) {
    if (Object* thrown = application->getPending()) {
      debugLog("cGame: the game ends on an uncaught throwable (class %u)", unsigned(thrown->getClassId()));
      application->m_pending = nullptr;
    }
  }
  closePack();
  requestCollection();
  debugLog("cGame: game thread ends");
  javax_microedition_midlet_MIDlet::notifyDestroyed(static_cast<javax_microedition_midlet_MIDlet*>(loop().midlet));
}

void cGame::tick() {
  auto* canvas = static_cast<cGame*>(loop().instance);
  if (canvas == nullptr || canvas->getWidth() >= canvas->getHeight()) {
    updateState();
  } else {
    loop().portraitShown = true;
  }
}

void cGame::paintFrame(javax_microedition_lcdui_Graphics* g) {
  cGameLoopStatics& frame = loop();
  const int64_t called = now();
  if (frame.lastPaintCall != 0 && called - frame.lastPaintCall > pauseGapMillis) {
    pause();
    resume();
  }
  frame.lastPaintCall = called;
  if (paused() || frame.paintBusy) return;
  frame.paintBusy = true;

  latchInput();
  frame.framePainted = true;

  const int64_t painted = now();
  frame.frameTime = static_cast<int32_t>(std::clamp<int64_t>(painted - frame.lastFrameTick, 0, longestFrameMillis));
  frame.paintTick = painted;
  frame.playClock += frame.frameTime;
  frame.lastFrameTick = painted;
  frame.frameCount += 1;

  DrawEffectsStatics& effects = toolkitStatics().DrawEffects;
  const bool toBackBuffer = effects.available != 0 && effects.backGraphics != nullptr && effectsPending();
  frame.graphics = toBackBuffer ? effects.backGraphics : g;
  // The toolkit's painters (animation players, snapshots, effects) draw on
  // the same Graphics and screen as the shell.
  cGameDrawStatics& drawing = toolkitStatics().cGameDraw;
  drawing.graphics = frame.graphics;
  drawing.screenGraphics = g;
  drawing.screenWidth = frame.screenWidth;
  drawing.screenHeight = frame.screenHeight;

  paintScreen();

  if (exceptionPending()) {
    setRunState(-1);
  } else if (toBackBuffer && effects.backImage != nullptr && g != nullptr) {
    g->drawImage(effects.backImage, 0, 0, 20);
    effects.pending2 = 0;
  }
  frame.paintBusy = false;
}

void cGame::paintScreen() {
  cGameLoopStatics& frame = loop();
  auto* canvas = static_cast<cGame*>(frame.instance);
  if (canvas != nullptr && canvas->getWidth() < canvas->getHeight()) {
    frame.portraitShown = true;
    paintPortraitNotice();
    return;
  }
  if (frame.portraitShown) {
    frame.portraitShown = false;
    if (canvas != nullptr) {
      canvas->hideNotify();
      canvas->showNotify();
    }
  }
  const cGameStateMachineStatics& screen = states();
  if (!screen.messageBoxShown) {
    dispatchState(StateMessage::paint);
    if (exceptionPending()) return;
    paintSoftkeys();
  } else if (screen.screenDirty) {
    dispatchState(StateMessage::paint);
    if (exceptionPending()) return;
    paintMessageBox();
    paintContinuePrompt();
  }
  if (frame.diagnosticsOn) paintDiagnostics();
  stepConversationIndicator();
}

void cGame::paintDiagnostics() {
  cGameLoopStatics& frame = loop();
  frame.diagFrames += 1;
  const int64_t sampled = now();
  if (sampled - frame.diagSampleTick > 1000) {
    frame.diagFps = static_cast<int32_t>(int64_t(frame.diagFrames) * 1000 / (sampled - frame.diagSampleTick));
    frame.diagFrames = 0;
    frame.diagSampleTick = sampled;
  }
  // The figures' text is drawn with font sprite 5 once the sprites load it.
  ASprite* font = spriteAt(contentrequirement::textFontSlot);
  javax_microedition_lcdui_Graphics* g = frame.graphics;
  if (font == nullptr || g == nullptr) return;
  g->setClip(0, 0, 800, 480);
  g->setColor(0);
  g->fillRect(0, 0, 800, 20);
  const auto literal = [](LiteralId id) { return stringLiteral(static_cast<int32_t>(id)); };
  if (String* fps = joined(literal(LiteralId::diagnosticsFpsLabel), intToText(frame.diagFps)))
    font->drawString(g, fps, nullptr, 5, 5, topLeft, false);
  java_lang_Runtime* runtime = java_lang_Runtime::getRuntime();
  if (runtime == nullptr) return;
  String* memory = joined(literal(LiteralId::diagnosticsMemoryLabel),
                          longToText(runtime->freeMemory() / 1024));
  memory = joined(joined(memory, literal(LiteralId::packNamePrefix)), longToText(runtime->totalMemory() / 1024));
  if (memory != nullptr) font->drawString(g, memory, nullptr, 795, 5, topRight, false);
}
