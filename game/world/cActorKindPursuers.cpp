// The pursuers of the scrolling chase (kind 23): machine A rushes the focus
// character sideways and carries it along, machine B lunges once, catches
// and strikes, then leaves. Both come up or down to the character's row,
// push it aside when they run into it, and lose hit points when driven into
// a wall. The focus character's state numbers are written straight into
// its state field: the side-view control reads them as they are.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActor.h"
#include "game/world/cActorMC.h"
#include "platform/java_lang/java_lang_System.h"
#include "runtime/lang/Arrays.h"

namespace {

constexpr int32_t px = 256;
constexpr int32_t machineA = 3;
constexpr int32_t machineB = 8;
constexpr int32_t speed = 4096;
constexpr int32_t rushGrowth = 512;
constexpr int32_t rowReach = 32 * px;
constexpr int32_t walkMask = 173;
constexpr int32_t hitMillis = 1000;
constexpr int32_t hitDamage = 5;
constexpr int32_t decideMillis = 300;
constexpr int32_t chaseCounter = 3;
constexpr int32_t chaseSound = 27;

// The machines' states (behaviourMode).
enum Mode {
  starting = 0,
  approaching = 1,
  deciding = 2,
  rushingLeft = 3,
  rushingRight = 4,
  carrying = 5,  // machine A holds the character
  releasing = 6,  // machine B lets go
  leaving = 7,
  caught = 8,
  striking = 9,
  destroyed = 20,
};
// The focus character's state numbers the machines set.
namespace focusState {
constexpr int32_t free = 0;
constexpr int32_t defeated = 14;
constexpr int32_t carried = 104;
constexpr int32_t crushed = 105;
constexpr int32_t bandStop = 106;
constexpr int32_t dodgeLeft = 111;
constexpr int32_t dodgeRight = 112;
constexpr int32_t outOfPlace = 115;
constexpr int32_t facingOff = 116;
}  // namespace focusState

cActorMC* focusCharacter() {
  cActor* focus = worldStatics().cGamePlay.focusActor;
  if (focus == nullptr || Object::instanceOf(focus, classid::cActorMC) == 0) return nullptr;
  return static_cast<cActorMC*>(focus);
}

cGameCameraStatics& camera() { return worldStatics().cGameCamera; }

int32_t roundedToPixel(int32_t v) { return ((v + 128) >> 8) << 8; }

int32_t boxValue(IntArray* box, int32_t i) { return box != nullptr && box->length() > i ? box->get(i) : 0; }

void countChase() {
  IntArray* results = shellStatics().cGameShared.results;
  if (results != nullptr && chaseCounter < results->length()) results->set(chaseCounter, results->get(chaseCounter) + 1);
}

// One frame of a machine: the pursuer, the character it chases and the
// signs the step chose for the mover.
struct Chase {
  cActor* self;
  cActorMC* focus;
  int32_t sx = 0;
  int32_t sy = 0;

  int32_t boxDx() const { return boxValue(self->interactBox, 0); }
  int32_t boxDy() const { return boxValue(self->interactBox, 1); }
  int32_t boxW() const { return boxValue(self->interactBox, 2); }
  int32_t boxH() const { return boxValue(self->interactBox, 3); }
  int32_t footDx() const { return boxValue(focus->footprint, 0); }
  int32_t footDy() const { return boxValue(focus->footprint, 1); }
  int32_t footW() const { return boxValue(focus->footprint, 2); }

  bool contact() const { return cGame::boxesOverlap(self->interactBox, self, focus->footprint, focus); }
  bool triggerContact() const { return cGame::boxesOverlap(self->triggerBox, self, focus->footprint, focus); }
  bool inRow() const {
    return int64_t{self->y} >= int64_t{focus->y} - rowReach && int64_t{self->y} <= int64_t{focus->y} + rowReach;
  }
  int32_t towardRow() const { return int64_t{self->y} > int64_t{focus->y} + rowReach ? -1 : 1; }

  void pushAside(bool leavingVariant);
  void keepOut();
  void approach(bool stampTime);
  int32_t sideToRush() const;
  void stepA();
  void stepB();
  void move();
};

void Chase::pushAside(bool leavingVariant) {
  const int32_t fpx = focus->getPixelX();
  const int32_t fpy = focus->getPixelY();
  const int32_t fw = footW();
  if (self->dodgeSide == 0) {
    if (self->x > focus->x) {
      const int32_t probe = leavingVariant ? fpx + footDx() - fw : fpx + footDx() - fw / 2;
      self->dodgeSide = cGame::isBlockedHorizontal(probe, fpy + footDy(), walkMask) ? 1 : -1;
    } else if (self->x < focus->x) {
      const int32_t probe = leavingVariant ? fpx + footDx() + 2 * fw : fpx + footDx() + (3 * fw) / 2;
      self->dodgeSide = cGame::isBlockedHorizontal(probe, fpy + footDy(), walkMask) ? -1 : 1;
    }
  }
  if (self->dodgeSide == -1) focus->state = focusState::dodgeLeft;
  else if (self->dodgeSide == 1) focus->state = focusState::dodgeRight;
}

void Chase::keepOut() {
  if (focus->dirX > 0 && focus->x < self->x) focus->setX(self->x - footW() * px);
  if (focus->dirX < 0 && focus->x >= self->x) focus->setX(self->x + boxW() * px);
}

void Chase::approach(bool stampTime) {
  if (self->isAnimationEnded()) self->setAnim(0, 1);
  if (inRow()) {
    self->behaviourMode = deciding;
    sx = sy = 0;
    if (contact()) pushAside(false);
    else self->dodgeSide = 0;
    if (stampTime) self->decisionTime = java_lang_System::currentTimeMillis();
    return;
  }
  sy = towardRow();
  if (contact()) {
    self->touching = true;
    pushAside(false);
  } else {
    self->dodgeSide = 0;
  }
}

// Past the character's right edge: left; short of its left edge: right;
// in between, away from the side it stands on.
int32_t Chase::sideToRush() const {
  const int64_t fx = focus->x;
  if (self->x >= fx + int64_t{footDx() + footW()} * px) return rushingLeft;
  if (self->x <= fx + int64_t{footDx() - boxDx() - boxW()} * px) return rushingRight;
  return self->x >= fx ? rushingLeft : rushingRight;
}

void Chase::stepA() {
  cGameCameraStatics& cam = camera();
  switch (self->behaviourMode) {
    case starting:
      sy = self->param(6) != 0 ? 1 : -1;
      self->behaviourMode = approaching;
      break;
    case approaching:
      approach(true);
      break;
    case deciding: {
      self->rushSpeed = 0;
      sx = sy = 0;
      const int32_t cameraPixelY = (cam.cameraY + 128) >> 8;
      const int32_t focusPixelY = focus->getPixelY();
      if ((focusPixelY < cameraPixelY + 400 || focusPixelY > cameraPixelY + 432) &&
          shellStatics().cGameProgress.chapterFlag) {
        focus->state = focusState::outOfPlace;
        self->setY(focus->y);
        if (contact()) self->behaviourMode = approaching;
        break;
      }
      focus->state = focusState::facingOff;
      const int64_t elapsed = java_lang_System::currentTimeMillis() - self->decisionTime;
      if (elapsed < decideMillis) {
        if (contact()) self->behaviourMode = self->x < focus->x ? rushingRight : rushingLeft;
        break;
      }
      self->touching = false;
      self->behaviourMode = sideToRush();
      break;
    }
    case rushingLeft:
    case rushingRight: {
      const bool left = self->behaviourMode == rushingLeft;
      sx = left ? -1 : 1;
      self->rushSpeed = self->rushSpeed >= speed ? speed : self->rushSpeed + rushGrowth;
      if (contact()) {
        self->setAnim(left ? 3 : 4, 1);
        focus->setRunDirection(left ? -1 : 1);
        focus->state = focusState::carried;
        if (left) focus->contactFlagB = true;
        else focus->contactFlagA = true;
        if (focus->player != nullptr) focus->player->setAnim(left ? 20 : 19, 1);
        focus->setX((focus->getPixelX() + (left ? -32 : 32)) << 8);
        cGame::playSound(chaseSound, false);
        self->behaviourMode = carrying;
        break;
      }
      const int32_t probeX = left ? self->getPixelX() + boxDx() - 64 : self->getPixelX() + boxDx() + boxW() + 64;
      const bool wall = cGame::isBlockedHorizontal(probeX, self->getPixelY() + boxDy(), walkMask);
      const bool offView = left ? self->x < cam.cameraX
                                : int64_t{self->x} > int64_t{cam.cameraX} + int64_t{800 - boxW()} * px;
      if (wall || offView) self->behaviourMode = approaching;
      if (self->isAnimationEnded()) self->setAnim(left ? 8 : 9, 1);
      break;
    }
    case carrying:
      if (focus->state == focusState::facingOff) {
        self->behaviourMode = approaching;
        break;
      }
      if (focus->contactFlagB) {
        sx = -1;
        self->setX(focus->x + footW() * px);
        if (self->isAnimationEnded()) self->setAnim(3, 1);
      }
      if (focus->contactFlagA) {
        sx = 1;
        self->setX(focus->x - boxW() * px);
        if (self->isAnimationEnded()) self->setAnim(4, 1);
      }
      sy = int64_t{self->y} > int64_t{focus->y} + rowReach ? -1 : int64_t{self->y} < int64_t{focus->y} - rowReach ? 1 : 0;
      break;
    case destroyed:
      sx = sy = 0;
      focus->state = focusState::free;
      cGame::resetActionMarker();
      if (self->y < cam.cameraY || int64_t{self->y} > int64_t{cam.cameraY} + int64_t{boxH() + 480} * px) {
        self->kill();
        self->unlink();
      }
      break;
    default:
      break;
  }
}

void Chase::stepB() {
  cGameCameraStatics& cam = camera();
  switch (self->behaviourMode) {
    case starting:
      sy = self->param(6) != 0 ? 1 : -1;
      self->behaviourMode = approaching;
      break;
    case approaching:
      approach(false);
      break;
    case deciding:
      self->touching = false;
      self->anchorX = self->x;
      sx = sy = 0;
      ++self->passCount;
      self->behaviourMode = sideToRush();
      break;
    case rushingLeft:
    case rushingRight: {
      const bool left = self->behaviourMode == rushingLeft;
      // It keeps going this frame whatever ends the lunge.
      sx = left ? -1 : 1;
      if (triggerContact()) {
        self->behaviourMode = caught;
        keepOut();
        cGame::playSound(chaseSound, false);
        break;
      }
      const int32_t half = boxW() >> 1;
      bool goesOn;
      if (left) {
        goesOn = !cGame::isBlockedHorizontal(self->getPixelX() + boxDx() - 64, self->getPixelY() + boxDy(), walkMask) &&
                 self->x >= cam.cameraX && int64_t{self->x} >= int64_t{self->anchorX} - int64_t{half} * px;
      } else {
        goesOn = !cGame::isBlockedHorizontal(self->getPixelX() + boxDx() + boxW() + 64, self->getPixelY() + boxDy(),
                                             walkMask) &&
                 int64_t{self->x} <= int64_t{cam.cameraX} + int64_t{800 - boxW()} * px &&
                 int64_t{self->x} <= int64_t{self->anchorX} + int64_t{half} * px;
      }
      // The lunge was counted before it started: one that misses ends the
      // chase.
      if (!goesOn) self->behaviourMode = self->passCount < 1 ? approaching : releasing;
      break;
    }
    case caught:
      if (inRow()) {
        if (self->player != nullptr) self->player->setAnim(self->x > focus->x ? 15 : 14, 1);
        sy = 0;
        self->behaviourMode = striking;
        break;
      }
      sy = towardRow();
      keepOut();
      break;
    case striking:
      keepOut();
      if (!self->isAnimationEnded()) break;
      if (triggerContact()) {
        focus->hurtTime = hitMillis;
        focus->hurt = true;
        self->holding = true;
      }
      self->behaviourMode = releasing;
      break;
    case releasing:
      self->setAnim(0, -1);
      focus->setRunDirection(0);
      focus->state = focusState::free;
      cGame::resetActionMarker();
      self->behaviourMode = leaving;
      break;
    case leaving:
      cam.bandWrapRequest = true;
      sy = -1;
      if (contact()) {
        if (self->holding) keepOut();
        else pushAside(true);
      } else {
        self->dodgeSide = 0;
      }
      if (self->y < cam.cameraY) {
        self->kill();
        self->unlink();
      }
      break;
    case destroyed:
      sx = sy = 0;
      if (self->isAnimationEnded()) {
        self->kill();
        self->unlink();
      }
      break;
    default:
      break;
  }
}

void Chase::move() {
  const int64_t timeStep = shellStatics().cGameLoop.timeStep;
  const int32_t sideSpeed = self->kindState == machineA ? self->rushSpeed : speed;
  const int32_t dx = static_cast<int32_t>(timeStep * sideSpeed * 32 / 1000);
  const int32_t dy = static_cast<int32_t>(timeStep * speed * 32 / 1000);
  const bool scrolls = self->behaviourMode != destroyed && self->hp >= 1;
  const int32_t scroll = scrolls ? static_cast<int32_t>(timeStep * camera().sideViewSpeed * 32 / 1000) : 0;
  const int32_t fromX = self->x;
  self->setX(self->x + sx * dx);
  self->setY(self->y + sy * dy + scroll);
  const bool holdingFocus = self->behaviourMode == carrying && self->kindState == machineA;
  if (holdingFocus) focus->state = focusState::carried;
  const int32_t pxNow = self->getPixelX();
  const int32_t pyNow = self->getPixelY();
  const int32_t left = pxNow + boxDx();
  const int32_t right = left + boxW();
  const int32_t top = pyNow + boxDy();
  const bool blocked = cGame::isBlockedAt(pxNow, pyNow, walkMask) || cGame::isBlockedAt(left, top, walkMask) ||
                       cGame::isBlockedAt(right, top, walkMask) || cGame::isBlockedAt(left, pyNow, walkMask) ||
                       cGame::isBlockedAt(right, pyNow, walkMask);
  if (!blocked) return;
  if (holdingFocus) {
    // Driven into the wall with the character: the hit counts once.
    focus->state = focusState::crushed;
    if (!self->hitMarked) {
      self->behaviourTimer = hitMillis;
      self->hitMarked = true;
    }
  }
  self->setX(roundedToPixel(fromX));
  self->setY(roundedToPixel(self->y));
}

}  // namespace

bool cActor::isMachineHit() { return hitMarked; }

void cActor::updatePursuer() {
  if (isKilled()) return;
  cGameCameraStatics& cam = camera();
  if (cam.bandWrapOffset != 0) {
    setY(y - cam.bandWrapOffset);
    cam.bandWrapOffset = 0;
  }
  cActorMC* focus = focusCharacter();
  // Pursuers only chase the focus character; a room without one keeps them
  // where they are.
  if (focus == nullptr || focus->hp < 1 || focus->state == focusState::defeated) return;
  animate();
  kindState = param(0);
  if (hitMarked && hp >= 1) {
    if (behaviourTimer == hitMillis) {
      hp -= hitDamage;
      clampHealth();
      if (isDefeatedKind23()) {
        setAnim(2, 1);
        focus->setRunDirection(0);
        behaviourMode = destroyed;
        cam.bandWrapRequest = true;
        countChase();
      }
    }
    behaviourTimer -= shellStatics().cGameLoop.timeStep;
    if (behaviourTimer <= 0) hitMarked = false;
  }
  if (focus->state == focusState::bandStop) kindState = 6;
  Chase chase{this, focus};
  if (kindState == machineA) chase.stepA();
  else if (kindState == machineB) chase.stepB();
  else return;
  if (hp > 0 && !isKilled()) chase.move();
}
