// The 300 ms screen transition, the modal message box, the delayed
// confirmation shared with the menu list, and the softkeys.
#include "game/ContentRequirements.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/SensibleRectangle.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"

using namespace shell;
using Graphics = javax_microedition_lcdui_Graphics;

namespace {

constexpr int32_t transitionMilliseconds = 300;
constexpr int32_t boxTextWidth = 720;
using contentrequirement::hudSlot;
using contentrequirement::interfaceSlot;
using contentrequirement::titleFontSlot;
constexpr int32_t confirmFrameCount = 10;
constexpr int32_t centreAnchor = 3;

constexpr int32_t menuSoftkeyArea = 1001;
constexpr int32_t backSoftkeyArea = 1002;

bool isUpOrDown(int32_t key) { return key == 1 || key == 8 || key == 2 || key == 14; }
bool isOk(int32_t key) { return key == 18 || key == 5 || key == 11; }

// The overlay area with this id is held down (pressed or dragged over).
bool overlayAreaHeld(int32_t id) {
  const cGameTouchStatics& state = touch();
  return state.touchedOverlayArea != nullptr && state.touchedOverlayArea->id == id &&
         (state.pointerIsDown || state.pointerDragging);
}

bool overlayAreaHit(int32_t id) {
  const cGameTouchStatics& state = touch();
  return state.touchedOverlayArea != nullptr && state.touchedOverlayArea->id == id;
}

// A frame's own size as a touch area centred on (x, y).
void addCentredOverlayArea(ASprite* sprite, int32_t frame, int32_t x, int32_t y, int32_t id) {
  const int32_t w = sprite != nullptr ? sprite->getFrameWidth(frame) : 0;
  const int32_t h = sprite != nullptr ? sprite->getFrameHeight(frame) : 0;
  cGame::addOverlayTouchArea(x - w / 2, y - h / 2, w, h, id);
}

void paintFrameAt(ASprite* sprite, int32_t frame, int32_t x, int32_t y) {
  if (sprite != nullptr) sprite->paintFrame(loop().graphics, frame, x, y, 0, 0, 0);
}

void drawCentred(ASprite* font, String* text, int32_t x, int32_t y) {
  if (font != nullptr && text != nullptr) font->drawStringAt(loop().graphics, text, x, y, centreAnchor, false);
}

void setFontPalette(ASprite* font, int32_t palette) {
  if (font != nullptr) font->setPalette(palette);
}

void storeBoxText(int32_t textId, String* text) {
  cGameBoxStatics& state = box();
  state.messageBoxTextId = textId;
  state.messageBoxText = text;
  state.messageBoxAnswered = false;
  ASprite* font = spriteAt(titleFontSlot);
  state.messageBoxLines = font != nullptr && text != nullptr ? font->wrapTextToString(text, boxTextWidth) : text;
  int32_t height = 0;
  if (font != nullptr && state.messageBoxLines != nullptr) {
    font->measureText(state.messageBoxLines, nullptr);
    height = toolkitStatics().ASprite.measuredHeight;
  }
  state.messageBoxTextHeight = height;
  states().screenDirty = true;
}

}  // namespace

bool cGame::updateMessageBoxTransition(bool runAction) {
  cGameBoxStatics& state = box();
  if (state.pendingAction != PendingAction::none && state.transitionDirection == 0) state.transitionDirection = -1;
  if (state.transitionDirection == 1) {
    state.transitionClock += loop().frameTime;
    states().screenDirty = true;
    if (state.transitionClock <= transitionMilliseconds) return false;
    state.transitionClock = transitionMilliseconds;
    state.transitionDirection = 0;
    return true;
  }
  if (state.transitionDirection != -1) return false;
  state.transitionClock -= loop().frameTime;
  states().screenDirty = true;
  if (state.transitionClock > 0) return false;
  state.transitionClock = 0;
  state.transitionDirection = 0;
  if (runAction) {
    switch (state.pendingAction) {
      case PendingAction::startLoading:
        setNextState(GameState::loading);
        break;
      case PendingAction::showBox:
        states().messageBoxShown = true;
        state.transitionDirection = 1;
        break;
      case PendingAction::hideBox:
        states().messageBoxShown = false;
        state.transitionDirection = 1;
        break;
      case PendingAction::afterLoading:
        setNextState(loading().stateAfterLoading);
        break;
      default:
        break;
    }
  }
  state.pendingAction = PendingAction::none;
  return true;
}

void cGame::openTextBox(int32_t textId) {
  box().messageBoxButtons = 0;
  // The box is answered by a softkey or OK; an area of the screen beneath
  // must not become its answer.
  clearInput();
  storeBoxText(textId, getText(textId));
}

void cGame::openTextBox(String* text) {
  box().messageBoxButtons = 0;
  clearInput();
  storeBoxText(-1, text);
}

void cGame::openTextBox(int32_t textId, int32_t choice, bool backAllowed) {
  resetTouchState();
  cGameBoxStatics& state = box();
  state.messageBoxBackAllowed = backAllowed;
  state.messageBoxButtons = 1;
  states().messageBoxChoice = choice;
  storeBoxText(textId, getText(textId));
}

void cGame::countConfirmFrames() {
  cGameBoxStatics& state = box();
  if (!state.confirmRequested) return;
  if (++state.confirmFrames >= confirmFrameCount) state.confirmDone = true;
}

void cGame::clearConfirm() {
  cGameBoxStatics& state = box();
  state.confirmRequested = false;
  state.confirmFrames = 0;
  state.confirmDone = false;
}

void cGame::updateMessageBox() {
  cGameBoxStatics& state = box();
  cGameTouchStatics& pointer = touch();
  int32_t& choice = states().messageBoxChoice;
  const bool twoButtons = state.messageBoxButtons == 1;
  // Once answered the box only closes: its answer can no longer change.
  const bool answered = state.pendingAction == PendingAction::hideBox;
  const int32_t key = getReleasedKey();
  if (!answered) {
    if (pointer.touchedArea != nullptr) choice = pointer.touchedArea->id;
    if (twoButtons && isUpOrDown(key)) choice = (choice + 1) % 2;
    if (isOk(key) || (pointer.releasedOnArea && pointer.touchedArea != nullptr) ||
        (!twoButtons && pointer.pointerWasReleased && pointer.touchedOverlayArea != nullptr))
      state.confirmRequested = true;
  }
  // However it is answered, the box forgets its buttons' areas and any
  // confirmation under way, so that the screen beneath registers its own
  // areas again and no row is confirmed by the box's answer.
  const auto closeAnswered = [&state, &pointer] {
    clearConfirm();
    pointer.touchedArea = nullptr;
    resetTouchState();
    state.pendingAction = PendingAction::hideBox;
    state.messageBoxAnswered = true;
  };
  if (state.confirmDone) closeAnswered();
  if (!answered && twoButtons && state.messageBoxBackAllowed && key == 19) {
    choice = 2;
    closeAnswered();
  }
  states().screenDirty = true;
  updateMessageBoxTransition(true);
}

void cGame::paintMessageBox() {
  countConfirmFrames();
  const cGameBoxStatics& state = box();
  Graphics* g = loop().graphics;
  if (g == nullptr) return;
  const int32_t w = static_cast<int32_t>(state.transitionClock * 800 / transitionMilliseconds);
  g->setClip((800 - w) / 2, 0, w, 480);
  const int32_t textHeight = state.messageBoxTextHeight;
  const int32_t h = textHeight + 32;
  ASprite* font = spriteAt(titleFontSlot);
  String* lines = state.messageBoxLines;
  if (state.messageBoxButtons == 0) {
    fillRectWithColourTile(30, 240 - h / 2, 740, h, static_cast<int32_t>(0xE0000000u));
    g->setColor(0xFFFFFF);
    g->drawRect(30, 240 - h / 2, 740, h);
    if (font != nullptr && lines != nullptr) font->drawPage(g, lines, 400, 240, centreAnchor, 0, lines->length());
    return;
  }
  const int32_t boxHeight = h + 270;
  const int32_t top = 240 - boxHeight / 2;
  fillRectWithColourTile(30, top, 740, boxHeight, static_cast<int32_t>(0xE0000000u));
  g->setColor(0xFFFFFF);
  g->drawRect(30, top, 740, boxHeight);
  const int32_t textY = top + 16 + textHeight / 2;
  if (font != nullptr && lines != nullptr) font->drawPage(g, lines, 400, textY, centreAnchor, 0, lines->length());
  const int32_t y1 = textY + textHeight / 2 + 135;
  const int32_t y2 = y1 + 70;
  const int32_t choice = states().messageBoxChoice;
  ASprite* interface = spriteAt(interfaceSlot);
  if (choice != 2) {
    const bool blink = state.confirmFrames >= 1 && state.confirmFrames <= 4;
    paintFrameAt(interface, blink ? 34 : 35, 400, choice == 1 ? y1 : y2);
    paintFrameAt(interface, 34, 400, choice == 1 ? y2 : y1);
  } else {
    paintFrameAt(interface, 34, 400, y1);
  }
  setFontPalette(font, choice == 1 ? 0 : 1);
  drawCentred(font, getText(contentrequirement::yesText), 400, y1);
  setFontPalette(font, choice == 0 ? 0 : 1);
  drawCentred(font, getText(contentrequirement::noText), 400, y2);
  if (state.pendingAction != PendingAction::hideBox) {
    addTouchArea(0, y1 - 32, 800, 64, 1);
    addTouchArea(0, y2 - 32, 800, 64, 0);
    touch().touchAreasComplete = true;
  }
}

void cGame::paintContinuePrompt() {
  cGameBoxStatics& state = box();
  const int32_t savedLeft = state.leftSoftkey;
  const int32_t savedRight = state.rightSoftkey;
  if (state.messageBoxButtons == 1) {
    state.leftSoftkey = state.rightSoftkey = -1;
  } else {
    if (machine().currentState != GameState::optionsMenu && (loop().paintTick & 512) != 0)
      drawCentred(spriteAt(titleFontSlot), getText(contentrequirement::touchToContinueText), 400, 445);
    state.leftSoftkey = -1;
    state.rightSoftkey = 2;
  }
  paintSoftkeys();
  state.leftSoftkey = savedLeft;
  state.rightSoftkey = savedRight;
}

void cGame::setSoftkeys(int32_t right, int32_t left) {
  const auto stored = [](int32_t code) { return code == 0 || code == 4 || code == 6 || code == 11 ? -1 : code; };
  box().rightSoftkey = stored(right);
  box().leftSoftkey = stored(left);
}

void cGame::paintSoftkeys() {
  const bool inGame = machine().currentState == GameState::inGame;
  if (inGame) {
    paintHudBackButton();
    if (states().hudHidden) return;
  }
  ASprite* font = spriteAt(titleFontSlot);
  setFontPalette(font, 0);
  ASprite* interface = spriteAt(interfaceSlot);
  const cGameBoxStatics& state = box();
  if (state.leftSoftkey == -2 && inGame) {
    ASprite* hud = spriteAt(hudSlot);
    paintFrameAt(hud, overlayAreaHeld(menuSoftkeyArea) ? 63 : 62, 758, 42);
    if (interface != nullptr) {
      paintFrameAt(interface, 20, 758, 42);
    } else if (Graphics* g = loop().graphics) {
      g->setColor(0xFFFFFF);
      g->fillTriangle(2, 461, 22, 461, 12, 479);
    }
    addCentredOverlayArea(hud, 62, 758, 42, menuSoftkeyArea);
  }
  const int32_t right = state.rightSoftkey;
  if (right == 2 || right == 3) {
    paintFrameAt(interface, overlayAreaHit(backSoftkeyArea) ? 28 : 27, 740, 436);
    addCentredOverlayArea(interface, 27, 740, 436, backSoftkeyArea);
  } else if (right != -1 && !isCutsceneActive()) {
    paintFrameAt(interface, overlayAreaHeld(backSoftkeyArea) ? 28 : 27, 758, 436);
    addCentredOverlayArea(interface, 27, 758, 436, backSoftkeyArea);
  }
  touch().overlayAreasComplete = true;
}

bool cGame::getHudHidden() { return states().hudHidden; }
void cGame::setHudHidden(bool hidden) { states().hudHidden = hidden; }
