// The timed key-prompt popup: up to three key icons side by side, each to
// be tapped before its ring runs out. A success or a failure runs one of
// two room actions, lets the script branch, or (when a creature grabbed
// the player) makes the player strike back.
#include <cstdint>

#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/SensibleRectangle.h"
#include "game/world/cActorMC.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/object/ObjectFactory.h"

using namespace shell;

namespace {

namespace PopupMode {
constexpr int32_t closed = 0;
constexpr int32_t opened = 1;
constexpr int32_t waiting = 2;
constexpr int32_t succeeded = 3;
constexpr int32_t failed = 4;
}  // namespace PopupMode

constexpr int32_t places = cGamePopupStatics::places;
constexpr int32_t iconSlot = 27;
constexpr int32_t iconAreaFrame = 109;
constexpr int32_t firstIconArea = 240;
constexpr int32_t iconSpacing = 160;
constexpr int32_t iconY = 240;
constexpr int32_t ringColour = static_cast<int32_t>(0xFFEE6464);
constexpr int32_t endless = 0x7FFFFFFF;

cGamePopupStatics& popup() { return shellStatics().cGamePopup; }
cGamePlayStatics& play() { return worldStatics().cGamePlay; }

cActorMC* focusCharacter() {
  cActor* focus = play().focusActor;
  return focus != nullptr && Object::instanceOf(focus, classid::cActorMC) != 0 ? static_cast<cActorMC*>(focus)
                                                                               : nullptr;
}

// The icon's first animation of sprite 27 (idle; tapped and missed follow),
// -1 for an id without one.
int32_t iconAnim(int32_t icon) {
  switch (icon) {
    case 1: return 16;
    case 2: return 19;
    case 3: case 13: case 32: return 22;
    case 4: return 25;
    case 5: case 15: case 34: return 28;
    case 6: case 17: case 36: return 31;
    case 7: case 16: case 35: return 34;
    case 8: return 37;
    case 9: case 14: case 33: return 40;
    case 10: return 43;
    default: return -1;
  }
}

bool isIconId(int32_t icon) { return icon >= 1 && icon <= 36; }

int32_t iconAt(int32_t place) {
  IntArray* icons = popup().popupIcons;
  return icons != nullptr && place >= 0 && place < icons->length() ? icons->get(place) : 0;
}

CVLibPlayer* playerAt(int32_t place) {
  ObjectArray* players = popup().popupPlayers;
  return players != nullptr && place >= 0 && place < players->length() ? static_cast<CVLibPlayer*>(players->get(place))
                                                                        : nullptr;
}

bool isFinished(int32_t place) { return (popup().popupFinished & (1 << place)) != 0; }

int32_t iconCount() {
  int32_t n = 0;
  for (int32_t place = 0; place < places; ++place) {
    if (isIconId(iconAt(place))) ++n;
  }
  return n;
}

bool playersGone() {
  for (int32_t place = 0; place < places; ++place) {
    if (playerAt(place) != nullptr) return false;
  }
  return true;
}

void dropPlayers() {
  if (ObjectArray* players = popup().popupPlayers) {
    for (int32_t place = 0; place < players->length(); ++place) players->set(place, nullptr);
  }
}

void playOnce(int32_t place, int32_t offset) {
  if (CVLibPlayer* player = playerAt(place)) player->setAnim(iconAnim(iconAt(place)) + offset, 1);
}

void switchRingOff() { play().ringMode = -1; }

// The GameKeys an icon stands for: one, or a digit and a direction.
struct IconKeys {
  int32_t first;
  int32_t second;
};
IconKeys iconKeys(int32_t icon) {
  if (icon >= 1 && icon <= 10) return {icon + 5, -1};
  if (icon == 11) return {16, -1};
  if (icon == 12) return {17, -1};
  if (icon >= 13 && icon <= 17) return {icon - 12, -1};
  switch (icon) {
    case 32: return {8, 1};
    case 33: return {14, 2};
    case 34: return {10, 3};
    case 35: return {12, 4};
    case 36: return {11, 5};
    default: return {-1, -1};
  }
}

// A tap counts once per icon: an icon already tapped takes no more, so the
// press and the release of one tap, or one icon tapped again, never stand
// in for the others.
void takeTap() {
  cGamePopupStatics& state = popup();
  cGameTouchStatics& pointer = touch();
  const int32_t place = pointer.touchedArea != nullptr ? pointer.touchedArea->id - firstIconArea : -1;
  if (place < 0 || place >= places) {
    cGame::clearFrameKeys();
    return;
  }
  state.popupCurrent = place;
  if (isIconId(iconAt(place)) && !isFinished(place)) {
    state.popupFinished |= 1 << place;
    playOnce(place, 1);
    ++state.popupTaps;
    state.popupElapsed = 0;
    if (state.popupTaps >= iconCount()) {
      state.popupMode = PopupMode::succeeded;
      state.popupTaps = 0;
      switchRingOff();
    }
  }
  pointer.touchedArea = nullptr;
  cGame::clearFrameKeys();
}

void runOutOfTime() {
  for (int32_t place = 0; place < places; ++place) {
    if (!isFinished(place)) playOnce(place, 2);
  }
  popup().popupMode = PopupMode::failed;
  switchRingOff();
}

}  // namespace

void cGame::resetPopup() {
  cGamePopupStatics& state = popup();
  state.popupIcons = nullptr;
  state.popupPlayers = nullptr;
  state.popupElapsed = 0;
  state.popupTimeLimit = 0;
  state.popupSuccessAction = -1;
  state.popupFailureAction = -1;
  state.popupMode = PopupMode::closed;
  state.popupCurrent = 0;
  state.popupCounterAttack = false;
  state.popupResultTaken = false;
  state.popupTaps = 0;
  state.popupFinished = 0;
}

void cGame::openPopup(int32_t icon0, int32_t icon1, int32_t icon2, int32_t timeLimit, int32_t successAction,
                      int32_t failureAction, bool counterAttack) {
  resetTouchState();
  cGamePopupStatics& state = popup();
  state.popupTaps = 0;
  state.popupFinished = 0;
  IntArray* icons = newIntArray(places);
  ObjectArray* players = newObjectArray(places);
  if (icons == nullptr || players == nullptr) return;
  const int32_t given[places] = {icon0, icon1, icon2};
  for (int32_t place = 0; place < places; ++place) {
    if (given[place] != 0 && !isIconId(given[place])) debugLog("openPopup: icon %d is no key icon", given[place]);
    icons->set(place, isIconId(given[place]) ? given[place] : 0);
  }
  state.popupIcons = icons;
  state.popupTimeLimit = timeLimit;
  state.popupSuccessAction = successAction;
  state.popupFailureAction = failureAction;
  state.popupCounterAttack = counterAttack;
  state.popupMode = PopupMode::opened;
  state.popupElapsed = 0;
  state.popupCurrent = 0;
  state.popupPlayers = players;
  ASprite* sprite = spriteAt(iconSlot);
  for (int32_t place = 0; place < places; ++place) {
    const int32_t anim = iconAnim(icons->get(place));
    if (anim < 0) continue;
    CVLibPlayer* player = newObject<CVLibPlayer>();
    if (player == nullptr) return;
    player->setSprite(sprite);
    player->setAnim(anim, -1);
    players->set(place, player);
  }
  setPlayerControl(false);
  // The ring darkens the scene for as long as the popup waits.
  cGamePlayStatics& ring = play();
  ring.ringMode = 1;
  ring.ringElapsed = 0;
  ring.ringDuration = endless;
  ring.ringAnchor = nullptr;
  state.popupResultTaken = false;
}

bool cGame::isPopupActive() { return popup().popupMode != PopupMode::closed; }

bool cGame::getPopupIconFlag(int32_t iconId) {
  if (!isIconId(iconId) || (iconId >= 18 && iconId <= 31)) return false;
  const cGameTouchStatics& pointer = touch();
  const SensibleRectangle* hit = pointer.touchedArea;
  if (hit != nullptr && hit->id >= firstIconArea && hit->id < firstIconArea + places + 1 &&
      (pointer.pointerIsDown || pointer.pointerWasReleased || pointer.pointerDragging))
    return true;
  const IconKeys keys = iconKeys(iconId);
  return (keys.first >= 0 && isKeyPressed(keys.first)) || (keys.second >= 0 && isKeyPressed(keys.second));
}

void cGame::updatePopup() {
  cGamePopupStatics& state = popup();
  if (state.popupMode == PopupMode::closed) return;
  if (cActorMC* focus = focusCharacter(); focus != nullptr && focus->isDefeated()) {
    closePopup();
    return;
  }
  const int32_t step = loop().timeStep;
  const int32_t advance = shellStatics().cGameShared.fullSpeedAnimation ? step : step * 10 / 16;
  for (int32_t place = 0; place < places; ++place) {
    if (CVLibPlayer* player = playerAt(place)) player->update(advance);
  }
  if (state.popupMode == PopupMode::opened) state.popupMode = PopupMode::waiting;
  if (state.popupMode == PopupMode::waiting) {
    state.popupElapsed += loop().frameTime;
    if (getPopupIconFlag(iconAt(state.popupCurrent))) {
      // A key alone does not count: the icon must be touched.
      if (touch().touchedArea == nullptr) {
        clearFrameKeys();
      } else {
        takeTap();
      }
    }
    if (state.popupMode == PopupMode::waiting && state.popupElapsed >= state.popupTimeLimit) runOutOfTime();
    return;
  }
  if (state.popupMode != PopupMode::succeeded && state.popupMode != PopupMode::failed) return;
  CVLibPlayer* current = playerAt(state.popupCurrent);
  if (current == nullptr || current->isAnimOver()) dropPlayers();
  if (state.popupCounterAttack) resolveCounterAttack();
  if (exceptionPending()) return;
  if (state.popupResultTaken && playersGone()) closePopup();
}

void cGame::resolveCounterAttack() {
  cGamePopupStatics& state = popup();
  if (state.popupMode != PopupMode::succeeded && state.popupMode != PopupMode::failed) return;
  cActorMC* f = focusCharacter();
  if (state.popupResultTaken || f == nullptr) return;
  if (state.popupMode == PopupMode::succeeded) {
    f->strongAttackRequest = true;
    if (f->grabTarget != nullptr && isNearInDirection(f, f->grabTarget, f->oppositeHorizontalFacing(), 96, 32))
      f->backAttackRequest = true;
    setPlayerControl(false);
    f->setState(8);
    f->strongAttackRequest = false;
    f->backAttackRequest = false;
    f->shotTarget = f->grabTarget;
    f->grabTarget = nullptr;
  }
  state.popupResultTaken = true;
  setPlayerControl(true);
}

bool cGame::runPopupChoice(int32_t cutsceneA, int32_t paramA, int32_t cutsceneB, int32_t paramB) {
  cGamePopupStatics& state = popup();
  if (state.popupResultTaken) return false;
  state.popupResultTaken = true;
  if (state.popupMode == PopupMode::succeeded) return startCutsceneEx(findCutscene(cutsceneA), paramA, false, false);
  if (state.popupMode == PopupMode::failed) return startCutsceneEx(findCutscene(cutsceneB), paramB, false, false);
  return false;
}

void cGame::closePopup() {
  cGamePopupStatics& state = popup();
  const int32_t outcome = state.popupMode;
  state.popupElapsed = 0;
  state.popupTimeLimit = 0;
  if (IntArray* icons = state.popupIcons) {
    for (int32_t place = 0; place < icons->length(); ++place) icons->set(place, 0);
  }
  dropPlayers();
  state.popupCurrent = -1;
  state.popupFinished = 0;
  state.popupResultTaken = true;
  state.popupMode = PopupMode::closed;
  resetTouchState();
  // The action runs once the popup is closed, so that one which opens the
  // next popup keeps it open.
  if (outcome == PopupMode::succeeded) runAction(findActionById(state.popupSuccessAction));
  if (outcome == PopupMode::failed) runAction(findActionById(state.popupFailureAction));
}

void cGame::paintPopup() {
  const cGamePopupStatics& state = popup();
  if (state.popupMode == PopupMode::closed) return;
  javax_microedition_lcdui_Graphics* g = loop().graphics;
  if (g == nullptr) return;
  ASprite* sprite = spriteAt(iconSlot);
  const bool withArea = sprite != nullptr && iconAreaFrame < sprite->getFrameCount();
  const int32_t areaW = withArea ? sprite->getFrameWidth(iconAreaFrame) : 0;
  const int32_t areaH = withArea ? sprite->getFrameHeight(iconAreaFrame) : 0;
  const int32_t n = iconCount();
  const bool ringShown = state.popupMode == PopupMode::opened || state.popupMode == PopupMode::waiting;
  // No time at all: the ring has already run down.
  const int32_t d = state.popupTimeLimit > 0
                        ? 320 - static_cast<int32_t>(int64_t{state.popupElapsed} * 240 / state.popupTimeLimit)
                        : 80;
  int32_t x = (iconSpacing - iconSpacing * n) / 2 + 400;
  for (int32_t place = 0; place < places; ++place) {
    if (!isIconId(iconAt(place))) continue;
    if (CVLibPlayer* player = playerAt(place)) {
      player->x = x;
      player->y = iconY;
      player->paint();
    }
    if (withArea && !states().menuSuspended)
      addTouchArea(x - areaW / 2, iconY - areaH / 2, areaW, areaH, firstIconArea + place);
    if (ringShown && !isFinished(place)) {
      g->setColor(ringColour);
      g->drawArc(x - d / 4, iconY - d / 4, d / 2, d / 2, 0, 360);
    }
    x += iconSpacing;
  }
  touch().touchAreasComplete = true;
}
