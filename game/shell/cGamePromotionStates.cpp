// The promotion prompt (GameState 21), shown after the credits while the
// promotion screen has news, and the promotion screen's host (GameState 22),
// which turns released keys into the screen's actions.
#include "game/shell/Kivra.h"
#include "game/shell/KivraStatics.h"
#include "game/ContentRequirements.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/SensibleRectangle.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"

using namespace shell;
using Graphics = javax_microedition_lcdui_Graphics;

namespace {

using contentrequirement::interfaceSlot;
constexpr int32_t cornerArea = 1002;
constexpr int32_t cornerFrame = 46;
constexpr int32_t cornerPressedFrame = 47;
constexpr int32_t promptTextId = 87;
constexpr int32_t statusTextId = 39;
constexpr int32_t promotionMenuRow = 75;

bool cornerHit() {
  const SensibleRectangle* area = touch().touchedOverlayArea;
  return area != nullptr && area->id == cornerArea;
}

// The promotion screen's action for the highest key released this frame.
int32_t promotionAction() {
  switch (cGame::getReleasedKey()) {
    case 1:
    case 8:
      return Kivra::listUp;
    case 2:
    case 14:
      return Kivra::listDown;
    case 3:
    case 10:
      return Kivra::previousPage;
    case 4:
    case 12:
      return Kivra::nextPage;
    case 5:
    case 11:
    case 18:
      return Kivra::choose;
    case 19:
      return Kivra::back;
    default:
      return 0;
  }
}

}  // namespace

void cGame::clinitPromotionStates() {
  *stateHandlerSlot(GameState::messageBox) = &stateMessageBox;
  *stateHandlerSlot(GameState::promotion) = &stateKivra;
}

bool cGame::promotionHasNews() {
  return Kivra::statics().initialised && Kivra::countEnabledPages() > 0 && !Kivra::wasVisited();
}

void cGame::stateMessageBox(int32_t message) {
  cGameBoxStatics& state = box();
  switch (message) {
    case StateMessage::enter:
      state.leftSoftkey = state.rightSoftkey = -1;
      openTextBox(promptTextId);
      state.transitionDirection = 1;
      state.transitionClock = 0;
      break;
    case StateMessage::update: {
      // The box is this screen's own picture, not a modal box: the state
      // keeps its update and so sees the softkey.
      state.pendingAction = PendingAction::none;
      updateMessageBoxTransition(false);
      const cGameTouchStatics& pointer = touch();
      if (isKeyReleased(18) || (pointer.pointerWasReleased && cornerHit())) setNextState(GameState::promotion);
      break;
    }
    case StateMessage::paint: {
      Graphics* g = loop().graphics;
      if (g == nullptr) break;
      cGame::fillScreen(g, 0x000000);
      paintMessageBox();
      g->setClip(0, 0, 800, 480);
      if (isCutsceneActive()) break;
      const cGameTouchStatics& pointer = touch();
      const bool pressed = cornerHit() && (pointer.pointerIsDown || pointer.pointerDragging);
      ASprite* interface = spriteAt(interfaceSlot);
      if (interface != nullptr) interface->paintFrame(g, pressed ? cornerPressedFrame : cornerFrame, 42, 42, 0, 0, 0);
      const int32_t w = (interface != nullptr ? interface->getFrameWidth(cornerFrame) : 0) + 20;
      const int32_t h = (interface != nullptr ? interface->getFrameHeight(cornerFrame) : 0) + 20;
      addOverlayTouchArea(32 - w / 2, 32 - h / 2, w, h, cornerArea);
      touch().overlayAreasComplete = true;
      break;
    }
    default:
      break;
  }
}

void cGame::stateKivra(int32_t message) {
  switch (message) {
    case StateMessage::enter:
      box().leftSoftkey = box().rightSoftkey = -1;
      stopSoundA();
      stopSoundB();
      Kivra::openScreen(getText(statusTextId), 0);
      break;
    case StateMessage::update:
      if (Kivra::update(promotionAction())) {
        setNextState(GameState::mainMenu);
        if (IntArray* memory = menu().menuMemory; memory != nullptr && memory->length() > 0)
          memory->set(0, promotionMenuRow);
      }
      break;
    case StateMessage::paint:
      Kivra::paint(loop().graphics);
      break;
    default:
      break;
  }
}
