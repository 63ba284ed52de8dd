// The player character's life: reset, the per-frame update and its order,
// setState with the speed rule, hits, defeat, the damage timer and the
// companion link.
#include <algorithm>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/SensibleRectangle.h"
#include "game/world/cActorMC.h"
#include "runtime/lang/Arrays.h"

using namespace shell;

namespace {

constexpr int32_t noInterval = 0x7FFFFFFF;
constexpr int32_t ringRunning = 1;
constexpr int32_t actionButtonArea = 1002;
constexpr int32_t healButtonArea = 1004;
constexpr int32_t healKey = 17;
constexpr int32_t defeatCinematic = 2;
constexpr int32_t defeatCaption = 4;
constexpr int32_t blockSound = 20;

cGamePlayStatics& play() { return worldStatics().cGamePlay; }
bool sideViewMode() { return shellStatics().cGameProgress.sideViewMode; }

bool hasVertical(int32_t mask) { return (mask & (DirectionMask::UP | DirectionMask::DOWN)) != 0; }
bool hasHorizontal(int32_t mask) { return (mask & (DirectionMask::LEFT | DirectionMask::RIGHT)) != 0; }

// The speed of an axis in the walking states: present axes gain, absent
// ones stop; both stay under the cap.
int32_t walkAxis(int32_t speed, bool present, int32_t gain, int32_t cap) {
  return present ? std::min(speed + gain, cap) : 0;
}

// The time step this character runs with, put back however the update ends.
class TimeStepScope {
 public:
  explicit TimeStepScope(bool useFrameTime) : m_saved(loop().timeStep) {
    if (useFrameTime) loop().timeStep = loop().frameTime;
  }
  ~TimeStepScope() { loop().timeStep = m_saved; }
  TimeStepScope(const TimeStepScope&) = delete;
  TimeStepScope& operator=(const TimeStepScope&) = delete;

 private:
  int32_t m_saved;
};

bool releasedTouchOn(SensibleRectangle* area, int32_t id) {
  return area != nullptr && area->id == id && touch().pointerWasReleased;
}

}  // namespace

cActorMCStatics& cActorMC::statics() { return worldStatics().cActorMC; }

void cActorMC::reset() {
  if (sideViewMode()) {
    resetAutoScroll();
    return;
  }
  state = 0;
  stateFacing = 0;
  speedX = speedY = 0;
  stopFrames = 0;
  followSpeed = 0;
  dirX = dirY = 1;
  setParam(0, 0);
  setParam(1, 0);
  if (param(6) > 0) {
    cActor* other = cActor::findByKindAndId(param(6), ActorKind::PLAYER);
    if (other != nullptr && Object::instanceOf(other, classid::cActorMC) != 0) {
      attachCompanion(static_cast<cActorMC*>(other), param(6));
    } else {
      detachCompanion();
      state = 0;
    }
  }
  setState(state);
  clearDamageTimer();
  lastAnim = -1;
  playCurrentStateAnim();
}

bool cActorMC::isDefeated() { return hp < 1 || state == 14; }

bool cActorMC::actionKeyPressed() {
  return isFocusCharacter() && (cGame::isKeyPressed(5) || cGame::isKeyPressed(11));
}

void cActorMC::update() {
  // Read by the HUD: only the focus character's reach counts.
  if (isFocusCharacter()) {
    play().interactionAvailable = barrierInReach != nullptr || hotspotInReach != nullptr || pushable != nullptr ||
                                  liftableInReach != nullptr || breakableCount > 0;
  }
  if (updatedThisFrame) return;
  updatedThisFrame = true;
  if (isKilled()) return;
  TimeStepScope timeStep(play().behavioursEnabled && !hasFlag(ActorFlags::HELD) && play().ringMode == ringRunning);
  animate();
  if (sideViewMode()) {
    updateAutoScroll();
    return;
  }
  tickBalloon();
  if (!updateMove()) return;
  if (!play().behavioursEnabled || hasFlag(ActorFlags::HELD)) {
    followBoundActor();
    return;
  }
  tickDamageTimer();
  if (this == play().firstPartner && play().ringMode != ringRunning) {
    setParam(5, std::min(param(5) + loop().frameTime * 400 / 1000, param(4)));
  }
  enemyNear = enemyOnScreen = enemyBehind = enemyStaggered = false;

  int32_t pressed = 0;
  int32_t held = 0;
  if (isFocusCharacter()) {
    pressed = pressedDirection();
    held = heldDirection(pressed);
    if (state != 10 && state != 11) pushable = nullptr;
    barrierInReach = objectInReach = characterInReach = hotspotInReach = liftableInReach = nullptr;
    scanSurroundings(facing, 96, 32);
    cGameTouchStatics& pointer = touch();
    if (play().actionButtonEnabled && releasedTouchOn(pointer.touchedOverlayArea, actionButtonArea) &&
        this == play().firstPartner && !cGame::isActionButtonSuppressed() && cGame::progressValue() != 3) {
      pointer.touchedOverlayArea = nullptr;
      pointer.pointerWasReleased = false;
      if (play().ringMode == ringRunning) cGame::closeAnchoredPanel();
      else cGame::startTimerRing(param(5));
    }
    const bool healKeyUsed = cGame::isKeyPressed(healKey) && !isDefeated();
    const bool healButtonUsed = releasedTouchOn(pointer.touchedArea, healButtonArea) && play().healButtonEnabled;
    if (healKeyUsed || healButtonUsed) {
      pointer.touchedArea = nullptr;
      pointer.pointerWasReleased = false;
      useHealingItem();
    }
  }

  if (!stepState(held, pressed)) return;
  if (speedX != 0 || speedY != 0) statics().idleTime = 0;
  else statics().idleTime += loop().timeStep;
  if (overlayActive && overlayPlayer != nullptr) overlayPlayer->update(loop().timeStep);
  const int32_t step = loop().timeStep;
  moveWithCollision(facing, speedX * step, speedY * step, (step * 100 + 500) / 1000);
  if (state == 6 || state == 7) setFacing(maskOfCode(statics().aimCode));
  followBoundActor();
}

bool cActorMC::updateMove() {
  const bool moving = moveRecord != nullptr;
  if (!cActor::updateMove()) return false;
  if (moving) setState(0);
  return true;
}

void cActorMC::moveTo(int32_t targetX, int32_t targetY, int32_t speedX, int32_t speedY) {
  cActor::moveTo(targetX, targetY, speedX, speedY);
  int32_t mask = 0;
  if (targetX != -1 && targetX > getPixelX()) mask |= 0x2000;
  else if (targetX != -1 && targetX < getPixelX()) mask |= 0x1000;
  if (targetY != -1 && targetY > getPixelY()) mask |= 0x800;
  else if (targetY != -1 && targetY < getPixelY()) mask |= 0x400;
  if (mask != 0) {
    facing = mask;
    setDirFromMask(mask);
  }
  setState(3);
}

IntArray* cActorMC::getFrameRect() {
  IntArray* rect = cActor::getFrameRect();
  if (rect == nullptr || linkedActor == nullptr) return rect;
  if (linkedActor->isParam13Set()) {
    rect->set(1, rect->get(1) - 64);
  } else if (param(4) == 2) {
    if (isFacingRight() != 0) rect->set(2, rect->get(2) + 64);
    else rect->set(0, rect->get(0) - 64);
  }
  return rect;
}

void cActorMC::heal(int32_t n) {
  if (hp > 0) hp = std::min(hp + n, param(3));
}

void cActorMC::takeDamage(int32_t n) { hp = std::max(hp - n, 0); }

void cActorMC::addHitPointsCapped(int32_t n) { hp = std::min(hp + n, 100); }

void cActorMC::addHealth(int32_t n) {
  if (n > 0) {
    heal(n);
    return;
  }
  if (n == 0) return;
  const bool wasDefeated = isDefeated();
  takeDamage(-n);
  const bool focus = play().focusActor == this;
  if (focus) play().damageFlashTime = 500;
  if (!wasDefeated && isDefeated()) {
    setState(14);
    if (focus && state == 14 && !defeatAnnounced) {
      defeatAnnounced = true;
      cGame::openCinematic(0x7FFFFFFF, defeatCinematic, 0);
    }
  }
}

void cActorMC::kill() {
  // A character's footprint measures pixels: it covers no collision cells.
  clearFootprintBlocking();
  flags |= ActorFlags::KILLED;
  hp = 0;
  setState(14);
  enemyCount = breakableCount = moverCount = otherCount = 0;
}

bool cActorMC::enterHit(int32_t hitKind, int32_t direction, int32_t damage) {
  if (state == 100 || isDefeated()) return false;
  takeDamage(damage);
  actionCode = hitKind;
  setState(100);
  hitDirection = direction;
  if (linkedActor != nullptr && linkedActor->isParam13Set()) {
    linkedActor->putDownBeside(this);
    linkedActor = nullptr;
  }
  return true;
}

bool cActorMC::startHop(int32_t px, int32_t py) {
  if (state == 18) return false;
  if (targetPoint != nullptr) {
    targetPoint->set(0, px);
    targetPoint->set(1, py);
  }
  setState(18);
  return true;
}

void cActorMC::releaseBlock() {
  if (pushable != nullptr) pushable->setParam(0, 0);
  cGame::stopSound(blockSound);
}

void cActorMC::onDefeatEntered() {
  defeatAnnounced = false;
  announceDefeatIfEnded();
}

void cActorMC::announceDefeatIfEnded() {
  if (defeatAnnounced || !isAnimEnded()) return;
  defeatAnnounced = true;
  if (cGame::isProgressAt3Or7()) {
    cGame::showCaption(400, 120, defeatCaption);
    cGame::startTimedCaption(defeatCaption);
  } else {
    cGame::openCinematic(0x7FFFFFFF, defeatCinematic, 0);
  }
}

void cActorMC::setState(int32_t s) {
  if (sideViewMode()) return;
  if (state == 18 && s != 0) return;
  if (s == state && facing == stateFacing) {
    applySpeedRule();
    return;
  }
  switch (s) {
    case 24:
      stateTimer = 1000;
      break;
    case 13:
      stateTimer = 500;
      break;
    case 100:
      // A hit while pushing is taken without letting go.
      if (state == 11) return;
      stateBeforeHit = state;
      if (state == 10) releaseBlock();
      break;
    case 11:
      if (pushable != nullptr) {
        const int32_t side = pushable->param(4);
        const int32_t mask = pushable->param(3);
        const bool matches = (side == 4 && mask == DirectionMask::DOWN) || (side == 1 && mask == DirectionMask::RIGHT) ||
                             (side == 2 && mask == DirectionMask::LEFT) || (side == 8 && mask == DirectionMask::UP);
        actionCode = matches ? 0 : 1;
      }
      break;
    case 8:
      s = chooseAttack();
      break;
    case 10:
      if ((abilityFlags & 2) != 0) return;
      break;
    default:
      break;
  }
  if ((s == 108 || s == 0 || s == 9) && (state == 10 || state == 11)) releaseBlock();
  const bool enteringDefeat = s == 14 && state != 14;
  if (enteringDefeat) onDefeatEntered();
  state = s;
  playCurrentStateAnim();
  if (s != 4) stateFacing = facing;
  applySpeedRule();
}

void cActorMC::applySpeedRule() {
  const bool diagonal = hasVertical(facing) && hasHorizontal(facing);
  const int32_t walkCap = diagonal ? 60 : 90;
  const int32_t slowCap = diagonal ? 46 : 70;
  switch (state) {
    case 3:
      speedX = walkAxis(speedX, hasHorizontal(facing), 90, walkCap);
      speedY = walkAxis(speedY, hasVertical(facing), 90, walkCap);
      break;
    case 4:
      speedX = std::min(std::max(speedX - 60, 0), walkCap);
      speedY = std::min(std::max(speedY - 60, 0), walkCap);
      break;
    case 7:
    case 12:
    case 109:
      speedX = walkAxis(speedX, hasHorizontal(facing), 100, slowCap);
      speedY = walkAxis(speedY, hasVertical(facing), 100, slowCap);
      break;
    case 8:
      updateFacingAndAction();
      speedX = speedY = 0;
      break;
    case 10:
    case 11:
      if (pushable != nullptr) pushable->placeBeside(this);
      speedX = speedY = 0;
      break;
    default:
      speedX = speedY = 0;
      break;
  }
  if (sinceAction < 1501) sinceAction += loop().timeStep;
}

// --- the damage-over-time timer

void cActorMC::clearDamageTimer() {
  damageTimeLeft = 0;
  damageElapsed = 0;
  damageInterval = noInterval;
  damageSource = 0;
}

bool cActorMC::startDamageTimer(int32_t interval) {
  if (interval < 1 || state == 100) return false;
  damageSource = 0;
  if (damageTimeLeft <= 0) damageElapsed = 0;
  damageTimeLeft = 1000;
  damageInterval = std::min(damageInterval, interval);
  return true;
}

void cActorMC::tickDamageTimer() {
  if (isDefeated() || damageTimeLeft <= 0) return;
  const int32_t step = loop().timeStep;
  damageTimeLeft -= step;
  const int32_t old = damageElapsed;
  damageElapsed += step;
  if (damageElapsed >= 0x3FFFFFFF) damageElapsed = 0;
  const int32_t interval = findInventorySlot(15) >= 0 ? 1000 : damageInterval;
  if (interval > 0 && damageElapsed / interval != old / interval) {
    if (hp < 2) {
      enterHit(0, facing, 1);
      damageInterval = noInterval;
    } else {
      takeDamage(1);
    }
  }
  if (damageTimeLeft <= 0) damageInterval = noInterval;
}

// --- companions

void cActorMC::attachCompanion(cActorMC* actor, int32_t companionId) {
  setParam(2, param(2) | 1);
  setParam(6, companionId);
  companion = actor;
}

void cActorMC::detachCompanion() {
  setParam(2, param(2) & ~1);
  setParam(6, -1);
  companion = nullptr;
}

bool cActorMC::followsCompanion() { return (param(2) & 1) != 0 && !isFocusCharacter(); }

void cActorMC::setRunDirection(int32_t d) {
  homeDirection = d;
  dirX = d;
}

bool cActorMC::hasSideViewAction(int32_t which) { return which == 0 ? contactFlagA : contactFlagB; }

// --- facing

void cActorMC::setDirFromMask(int32_t mask) {
  if ((mask & DirectionMask::LEFT) != 0) dirX = -1;
  else if ((mask & DirectionMask::RIGHT) != 0) dirX = 1;
  if ((mask & DirectionMask::UP) != 0) dirY = -1;
  else if ((mask & DirectionMask::DOWN) != 0) dirY = 1;
}

void cActorMC::setFacing(int32_t mask) {
  facing = mask;
  setDirFromMask(mask);
}

void cActorMC::setFacingSingleAxis(int32_t mask, bool noVertical) {
  dirX = dirY = 0;
  if (hasHorizontal(mask)) {
    facing = mask & (DirectionMask::LEFT | DirectionMask::RIGHT);
    dirX = (mask & DirectionMask::LEFT) != 0 ? -1 : 1;
  } else if (!noVertical && hasVertical(mask)) {
    facing = mask & (DirectionMask::UP | DirectionMask::DOWN);
    dirY = (mask & DirectionMask::UP) != 0 ? -1 : 1;
  }
}

// A released direction stops its own axis; the other axis keeps going.
void cActorMC::setFacingKeepAxis(int32_t mask) {
  if ((mask & DirectionMask::LEFT) != 0 && dirX < 0) {
    dirX = 0;
    facing &= ~DirectionMask::LEFT;
  }
  if ((mask & DirectionMask::RIGHT) != 0 && dirX > 0) {
    dirX = 0;
    facing &= ~DirectionMask::RIGHT;
  }
  if ((mask & DirectionMask::UP) != 0 && dirY < 0) {
    dirY = 0;
    facing &= ~DirectionMask::UP;
  }
  if ((mask & DirectionMask::DOWN) != 0 && dirY > 0) {
    dirY = 0;
    facing &= ~DirectionMask::DOWN;
  }
}

int32_t cActorMC::horizontalFacing() const { return facing & (DirectionMask::LEFT | DirectionMask::RIGHT); }

int32_t cActorMC::oppositeHorizontalFacing() const {
  return (facing & DirectionMask::LEFT) != 0 ? DirectionMask::RIGHT : DirectionMask::LEFT;
}

int32_t cActorMC::isFacingRight() const {
  if ((facing & DirectionMask::LEFT) != 0) return 0;
  return (facing & (DirectionMask::RIGHT | DirectionMask::UP | DirectionMask::DOWN)) != 0 ? 1 : 0;
}

int32_t cActorMC::facingIndex() const {
  if ((facing & DirectionMask::UP) != 0) return 0;
  if ((facing & DirectionMask::DOWN) != 0) return 2;
  if ((facing & DirectionMask::LEFT) != 0) return 1;
  if ((facing & DirectionMask::RIGHT) != 0) return 3;
  return 2;
}
