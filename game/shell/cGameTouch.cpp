// Touch input: the touch-area lists, the pointer events as the game thread
// applies them, the hit test and the HUD pad's key emulation.
#include "game/shell/Kivra.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/SensibleRectangle.h"
#include "platform/java_util/java_util_Vector.h"
#include "runtime/object/ObjectFactory.h"

using namespace shell;

namespace {

constexpr int32_t hudMenuButton = 1003;

// The pad's area ids as the digit key codes they hold down; 0 for others.
int32_t padKeyCode(int32_t id) {
  switch (id) {
    case 215: return '1';
    case 210: return '2';
    case 214: return '3';
    case 212: return '4';
    case 218: return '5';
    case 213: return '6';
    case 217: return '7';
    case 211: return '8';
    case 216: return '9';
    default: return 0;
  }
}

SensibleRectangle* newArea(int32_t x, int32_t y, int32_t width, int32_t height, int32_t id) {
  SensibleRectangle* area = newObject<SensibleRectangle>();
  if (area != nullptr) area->set(x, y, width, height, id);
  return area;
}

// Last added first; the first area that holds the point, or null.
SensibleRectangle* hitIn(java_util_Vector* areas, int32_t x, int32_t y) {
  if (areas == nullptr) return nullptr;
  for (int32_t i = areas->size() - 1; i >= 0; --i) {
    auto* area = static_cast<SensibleRectangle*>(areas->elementAt(i));
    if (area != nullptr && area->contains(x, y)) return area;
  }
  return nullptr;
}

void releaseHudKey() {
  cGameTouchStatics& state = touch();
  if (state.hudKeyCode == -1) return;
  const int32_t held = state.hudKeyCode;
  state.hudKeyCode = -1;
  cGame::applyKeyReleased(held);
}

void clearPointerFlags() {
  cGameTouchStatics& state = touch();
  state.pointerIsDown = false;
  state.pointerDragging = false;
  state.pointerWasReleased = false;
  state.touchHit = false;
  state.overlayHit = false;
}

}  // namespace

void cGame::addTouchArea(int32_t x, int32_t y, int32_t width, int32_t height, int32_t id) {
  cGameTouchStatics& state = touch();
  if (state.touchAreasComplete || state.touchAreas == nullptr) return;
  if (SensibleRectangle* area = newArea(x, y, width, height, id)) state.touchAreas->addElement(area);
  state.touchedArea = nullptr;
}

void cGame::addOverlayTouchArea(int32_t x, int32_t y, int32_t width, int32_t height, int32_t id) {
  cGameTouchStatics& state = touch();
  if (state.overlayAreasComplete || state.overlayTouchAreas == nullptr) return;
  if (SensibleRectangle* area = newArea(x, y, width, height, id)) state.overlayTouchAreas->addElement(area);
  state.touchedOverlayArea = nullptr;
}

void cGame::applyPointerPressed(int32_t x, int32_t y) {
  if (machine().currentState == GameState::loading) return;
  // The promotion screen keeps its own press, drag and release.
  if (machine().currentState == GameState::promotion) Kivra::pointerPressed(x, y);
  cGameTouchStatics& state = touch();
  const int32_t clock = loop().playClock;
  if (clock - state.pressClock > 100) state.pressClock = clock;
  ++state.pressSerial;
  state.pointerIsDown = true;
  state.pointerWasReleased = false;
  state.pointerDragging = false;
  hitTestTouchAreas(x, y);
}

void cGame::applyPointerDragged(int32_t x, int32_t y) {
  if (machine().currentState == GameState::loading) return;
  // The promotion screen keeps its own press, drag and release.
  if (machine().currentState == GameState::promotion) Kivra::pointerDragged(x, y);
  touch().pointerDragging = true;
  touch().pointerIsDown = false;
  hitTestTouchAreas(x, y);
}

void cGame::applyPointerReleased(int32_t x, int32_t y) {
  if (machine().currentState == GameState::loading) return;
  // The promotion screen keeps its own press, drag and release.
  if (machine().currentState == GameState::promotion) Kivra::pointerReleased(x, y);
  cGameTouchStatics& state = touch();
  state.pointerDragging = false;
  state.pointerIsDown = false;
  state.pointerWasReleased = true;
  hitTestTouchAreas(x, y);
  if (state.touchedArea != nullptr) state.releasedOnArea = true;
  state.touchHit = false;
}

void cGame::hitTestTouchAreas(int32_t x, int32_t y) {
  cGameTouchStatics& state = touch();
  state.pointerX = x;
  state.pointerY = y;
  state.touchedArea = hitIn(state.touchAreas, x, y);
  state.touchedOverlayArea = nullptr;
  state.touchHit = state.touchedArea != nullptr;
  sendHudKeys();
  if (state.touchedArea == nullptr) state.touchHit = false;
  state.touchedOverlayArea = hitIn(state.overlayTouchAreas, x, y);
  if (state.touchedOverlayArea != nullptr) {
    state.overlayHit = true;
    state.touchHit = true;
  }
}

void cGame::sendHudKeys() {
  cGameTouchStatics& state = touch();
  if (!state.hudActive || state.touchedArea == nullptr) {
    releaseHudKey();
    return;
  }
  const int32_t id = state.touchedArea->id;
  const int32_t code = padKeyCode(id);
  if ((state.pointerIsDown || state.pointerDragging) && code != 0) {
    if (code != state.hudKeyCode) {
      releaseHudKey();
      state.hudKeyCode = code;
      applyKeyPressed(code);
    }
  } else if (state.pointerWasReleased) {
    releaseHudKey();
  }
  if (id == hudMenuButton && state.pointerWasReleased) {
    if (!states().hudHidden) {
      states().menuSuspended = true;
      stopAllSounds();
      setNextState(GameState::inGameMenu);
      state.menuButtonUsed = true;
      states().screenDirty = false;
    }
    state.pointerWasReleased = false;
    state.touchedArea = nullptr;
  }
}

void cGame::clearInput() {
  cGameTouchStatics& state = touch();
  if (state.touchAreas != nullptr) state.touchAreas->removeAllElements();
  state.touchedArea = nullptr;
  state.releasedOnArea = false;
  state.touchAreasComplete = false;
  clearPointerFlags();
  requestCollection();
  clearFrameKeys();
  // The pad's highlight is the world's: its painters set it.
  worldStatics().cGamePlay.hudActionHighlight = false;
  state.hudKeyCode = -1;
  state.hudActive = false;
}

void cGame::resetTouchState() {
  clearInput();
  closeChoice();
  clearTouchState();
}

void cGame::clearTouchState() {
  cGameTouchStatics& state = touch();
  if (state.overlayTouchAreas != nullptr) state.overlayTouchAreas->removeAllElements();
  state.touchedOverlayArea = nullptr;
  state.overlayAreasComplete = false;
  state.releasedOnArea = false;
  clearPointerFlags();
  requestCollection();
}
