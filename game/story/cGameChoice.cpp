// The two-option choice: a box in the middle of the screen that asks whether
// to use a carried item on a scene object (two buttons, answered by touch),
// or shows a notice that is only acknowledged. While it is up the frame of
// play runs nothing else.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/SensibleRectangle.h"
#include "game/world/cActor.h"
#include "game/world/cActorMC.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/object/Object.h"

using namespace shell;

namespace {

namespace ChoiceState {
constexpr int32_t none = 0;
constexpr int32_t opened = 1;
constexpr int32_t waiting = 2;
constexpr int32_t answered = 3;
}  // namespace ChoiceState

constexpr int32_t noticeType = 1;
constexpr int32_t questionType = 2;
constexpr int32_t firstButtonArea = 10;
constexpr int32_t secondButtonArea = 11;
constexpr int32_t fontSlot = 5;
constexpr int32_t buttonSlot = 50;
constexpr int32_t buttonFrame = 40;
constexpr int32_t buttonHitFrame = 41;
constexpr int32_t yesText = 6;
constexpr int32_t noText = 7;
constexpr int32_t boxColour = static_cast<int32_t>(0xE0000000);
constexpr int32_t white = 0xFFFFFF;
constexpr int32_t centred = 3;
constexpr int32_t wrapWidth = 600;
constexpr int32_t buttonX[] = {215, 585};
constexpr int32_t usedUpParam = 12;

cGameChoiceStatics& choice() { return storyStatics().cGameChoice; }

bool eitherPressed(int32_t a, int32_t b) { return cGame::isKeyPressed(a) || cGame::isKeyPressed(b); }

// The id of the area a touch was released on this frame, -1 without one.
int32_t releasedArea() {
  const cGameTouchStatics& pointer = touch();
  return pointer.touchedArea != nullptr && pointer.pointerWasReleased ? pointer.touchedArea->id : -1;
}

void consumeTouch() {
  cGameTouchStatics& pointer = touch();
  pointer.touchedArea = nullptr;
  pointer.pointerWasReleased = false;
  pointer.releasedOnArea = false;
}

cActorMC* focusCharacter() {
  cActor* focus = worldStatics().cGamePlay.focusActor;
  if (focus == nullptr || Object::instanceOf(focus, classid::cActorMC) == 0) return nullptr;
  return static_cast<cActorMC*>(focus);
}

// The first button: the item is used up, then the object acts as if it had
// been used with it. An object that would ask again on this press is kept
// from doing so by choiceAnswering.
void useOfferedItem() {
  cGameChoiceStatics& state = choice();
  cActorMC* player = focusCharacter();
  if (player != nullptr) player->useItem(state.choiceParam);
  cActor* target = state.choiceActor;
  if (target == nullptr || target->isKilled()) return;
  state.choiceAnswering = true;
  switch (target->kind) {
    case ActorKind::BARRIER_SWITCH:
      // The key unlocks the door for good; the use then opens it.
      target->activate();
      target->useBarrier();
      break;
    case ActorKind::NPC:
      // The person has what was asked for and says its other line.
      target->deactivate();
      if (player != nullptr) player->interactWith(target);
      break;
    case ActorKind::MARKER:
      target->activate();
      target->setParam(usedUpParam, -1);
      target->interact();
      break;
    default:
      break;
  }
  state.choiceAnswering = false;
}

void updateWaiting() {
  cGameChoiceStatics& state = choice();
  const int32_t area = releasedArea();
  if (state.choiceType == noticeType) {
    if (eitherPressed(11, 5) || (area >= 0 && touch().releasedOnArea)) {
      if (area >= 0) state.choiceOption = area - firstButtonArea;
      state.choiceState = ChoiceState::answered;
      consumeTouch();
    }
    return;
  }
  if (eitherPressed(10, 3)) state.choiceOption = (state.choiceOption + 1) % 2;
  if (eitherPressed(12, 4)) state.choiceOption = (state.choiceOption + 1) % 2;
  if (area != firstButtonArea && area != secondButtonArea) return;
  consumeTouch();
  state.choiceOption = area - firstButtonArea;
  state.choiceState = ChoiceState::answered;
  debugLog("cGame: choice %d", state.choiceOption);
  if (state.choiceOption == 0) useOfferedItem();
}

void paintButton(javax_microedition_lcdui_Graphics* g, ASprite* font, int32_t index, int32_t y) {
  const int32_t id = firstButtonArea + index;
  const int32_t x = buttonX[index];
  const SensibleRectangle* hit = touch().touchedArea;
  if (ASprite* buttons = spriteAt(buttonSlot)) {
    buttons->paintFrame(g, hit != nullptr && hit->id == id ? buttonHitFrame : buttonFrame, x, y, 0, 0, 0);
    const int32_t w = buttons->getFrameWidth(buttonFrame);
    const int32_t h = buttons->getFrameHeight(buttonFrame);
    if (!states().menuSuspended) cGame::addTouchArea(x - w / 2, y - h / 2, w, h, id);
  }
  String* label = cGame::getText(index == 0 ? yesText : noText);
  cGame::paintTextBox(font, g, label, font->wrapText(label, wrapWidth), x, y, 0, -1, centred, -1);
}

}  // namespace

void cGameStory::clinitChoice() {
  cGameChoiceStatics& state = choice();
  state.choiceParam = -1;
  storyStatics().cGameTimedEvents.timedPhase = -1;
  storyStatics().cGameCountdown.countdownAction = -1;
}

void cGame::openChoice(String* text, int32_t type, cActor* actor, int32_t slot) {
  cGameChoiceStatics& state = choice();
  if (state.choiceAnswering && actor == state.choiceActor) {
    debugLog("openChoice: the object just answered for asks again; it is not asked twice");
    return;
  }
  if (type != noticeType && type != questionType) {
    debugLog("openChoice: type %d is neither a notice nor a question", type);
    return;
  }
  // The touch state goes first: closing a pending choice must not close this one.
  clearInput();
  clearTouchState();
  state.choiceText = text;
  state.choiceType = type;
  state.choiceActor = actor;
  state.choiceParam = slot;
  state.choiceOption = 0;
  state.choiceState = ChoiceState::opened;
}

bool cGame::isChoiceActive() { return choice().choiceState != ChoiceState::none; }

void cGame::closeChoice() {
  if (isChoiceActive()) choice().choiceState = ChoiceState::answered;
}

void cGameStory::clearChoice() {
  cGameChoiceStatics& state = choice();
  state.choiceText = nullptr;
  state.choiceType = 0;
  state.choiceState = ChoiceState::none;
  state.choiceParam = -1;
  state.choiceActor = nullptr;
  state.choiceOption = 0;
  cGame::clearInput();
  cGame::clearTouchState();
}

void cGame::updateChoice() {
  cGameChoiceStatics& state = choice();
  switch (state.choiceState) {
    case ChoiceState::opened:
      // The press that opened the box is not its answer.
      state.choiceState = ChoiceState::waiting;
      break;
    case ChoiceState::waiting:
      updateWaiting();
      break;
    case ChoiceState::answered:
      clearChoice();
      break;
    default:
      break;
  }
}

void cGame::paintChoice() {
  const cGameChoiceStatics& state = choice();
  if (state.choiceState != ChoiceState::waiting) return;
  javax_microedition_lcdui_Graphics* g = loop().graphics;
  ASprite* font = spriteAt(fontSlot);
  if (g == nullptr || font == nullptr) return;
  const bool question = state.choiceType == questionType;
  const int32_t h = question ? 120 : 60;
  const int32_t top = (480 - h) / 2;
  g->setClip(30, top, 740, h);
  fillRectWithColourTile(30, top, 739, h - 1, boxColour);
  g->setColor(white);
  g->drawRect(30, top, 739, h - 1);
  const int32_t textY = question ? top + h / 2 - h / 4 : top + h / 2;
  if (state.choiceText != nullptr)
    paintTextBox(font, g, state.choiceText, font->wrapText(state.choiceText, wrapWidth), 400, textY, 0, -1, centred,
                 -1);
  if (question) {
    const int32_t buttonY = h / 2 + textY - 5;
    paintButton(g, font, 0, buttonY);
    paintButton(g, font, 1, buttonY);
    // Under an open menu the menu's own areas are the ones that count.
    if (!states().menuSuspended) touch().touchAreasComplete = true;
  }
  g->setClip(0, 0, 800, 480);
}
