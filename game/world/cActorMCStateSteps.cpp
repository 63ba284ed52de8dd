// The per-frame step of each player state: walking and stopping, the free
// step that reads the keys, guarding, blocks, knock-downs, the hop, the
// follow state, hits, and lifting, carrying and putting down objects.
#include <cstdlib>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActorMC.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"

using namespace shell;

namespace {

constexpr int32_t horizontalMask = DirectionMask::LEFT | DirectionMask::RIGHT;
constexpr int32_t verticalMask = DirectionMask::UP | DirectionMask::DOWN;
constexpr int32_t followMask = 173;
constexpr int32_t shotSound = 15;

// Both directions of one axis at once.
bool reverses(int32_t held, int32_t facing) {
  const int32_t both = held | facing;
  return ((both & DirectionMask::UP) != 0 && (both & DirectionMask::DOWN) != 0) ||
         ((both & DirectionMask::LEFT) != 0 && (both & DirectionMask::RIGHT) != 0);
}

bool touchStillDown() { return touch().touchedArea != nullptr && !touch().pointerWasReleased; }

// The offsets {a, b, c} of an animation frame, or null when it has none.
IntArray* offsetsAt(ObjectArray* table, int32_t frame) {
  if (table == nullptr || frame < 0 || frame >= table->length()) return nullptr;
  auto* entry = static_cast<IntArray*>(table->get(frame));
  return entry != nullptr && entry->length() >= 3 ? entry : nullptr;
}

}  // namespace

bool cActorMC::stepState(int32_t held, int32_t pressed) {
  switch (state) {
    case 0:
    case 9:
      freeStep(held, pressed);
      break;
    case 3:
      if (held != 0 && !reverses(held, facing)) {
        setFacing(held);
        setState(3);
      } else if (!touchStillDown()) {
        setState(4);
      }
      break;
    case 4:
      if (held != 0) {
        setFacing(held);
        if ((held & horizontalMask) != 0) speedX = 90;
        if ((held & verticalMask) != 0) speedY = 90;
        setState(3);
        break;
      }
      if (pressed != 0) setFacing(pressed);
      setState(4);
      if (speedX == 0 && speedY == 0) {
        stopFrames = 4;
        setState(5);
      }
      break;
    case 5:
      stopFrames -= 1;
      if (stopFrames <= 0) setState(enemyNear ? 9 : 0);
      freeStep(held, pressed);
      break;
    case 6:
      updateAiming();
      break;
    case 7:
      updateAimWalk();
      break;
    case 8:
      setState(8);
      if (state == 8 && isAnimEnded()) setState(enemyNear ? 9 : 0);
      break;
    case 10:
      if (isDefeated()) {
        releaseBlock();
        setState(13);
      } else if (actionKeyPressed()) {
        setState(0);
      } else if (held != 0 && pushable != nullptr && pushable->pushBlock(held)) {
        setState(11);
      }
      break;
    case 11:
      setState(11);
      break;
    case 12:
      if (!enemyNear) {
        setState(3);
      } else if (held == 0) {
        setState(9);
      } else if (!reverses(held, facing)) {
        setFacing(held);
        setState(12);
      }
      break;
    case 13:
      stateTimer -= loop().timeStep;
      if (isAnimEnded() && stateTimer < 0) setState(isDefeated() ? 14 : 15);
      break;
    case 14:
      announceDefeatIfEnded();
      break;
    case 15:
      if (isAnimEnded()) setState(9);
      break;
    case 18:
      updateHop();
      break;
    case 21:
      return updateFollow();
    case 22:
      updateShot();
      break;
    case 24:
      updateAutoAim();
      break;
    case 100:
      updateHit();
      break;
    case 103:
      if (isAnimEnded()) {
        collectHotspot(hotspotInReach);
        setState(0);
      }
      break;
    case 107:
      updatePickUp();
      break;
    case 108:
    case 109:
      updateCarrying(held, pressed);
      break;
    case 110:
      updatePutDown();
      break;
    default:  // 1, 2 and any other: held by the game
      break;
  }
  return true;
}

void cActorMC::freeStep(int32_t held, int32_t pressed) {
  cActorMCStatics& aim = statics();
  bool aiming = false;
  if (partnerIndex == 1) {
    updateAim(facing, false, false);
    aiming = enemyOnScreen && aim.sectorCounts != nullptr && aim.sectorCounts->get(codeOfMask(facing)) > 0;
  }
  if (aiming) setState(6);
  else setState(!enemyNear || partnerIndex == 1 ? 0 : 9);

  if (pressed != 0 && enemyBehind && (pressed & oppositeHorizontalFacing()) != 0 && facing != 0) {
    setState(8);
  } else if (held != 0) {
    setFacing(held);
    setState(enemyNear && partnerIndex == 0 ? 12 : 3);
  } else if (pressed != 0) {
    setFacing(pressed);
    setState(state);
  } else if (actionKeyPressed()) {
    useWhatIsInReach();
  }

  if (!followsCompanion()) return;
  if (companion != nullptr && cGame::distanceSquared(this, companion) > 16384) setState(21);
  else if (partnerIndex == 1) checkAutoAim();
}

void cActorMC::useWhatIsInReach() {
  if (barrierInReach != nullptr && barrierInReach->useBarrier()) return;
  if (objectInReach != nullptr && objectInReach->interact()) return;
  if (characterInReach != nullptr && interactWith(characterInReach)) {
    characterInReach = nullptr;
    return;
  }
  if (pushable != nullptr) {
    pushable->grabBlock();
    if (state != 10) setState(10);
    return;
  }
  if (hotspotInReach != nullptr) {
    setState(103);
    return;
  }
  if (liftableInReach != nullptr) {
    linkedActor = liftableInReach;
    setState(107);
    return;
  }
  if (partnerIndex == 1 && shotTarget != nullptr) {
    setFacing(shotTarget->getPixelX() > getPixelX() ? DirectionMask::LEFT : DirectionMask::RIGHT);
    setState(22);
    if (isFocusCharacter()) cGame::playSound(shotSound, false);
    return;
  }
  setState(8);
}

bool cActorMC::updateFollow() {
  if (companion == nullptr) {
    setState(0);
    return false;
  }
  followSpeed = 300;
  aimAtPoint(this, companion->getPixelX(), companion->getPixelY());
  setState(21);
  if (cGame::distanceSquared(this, companion) < 4096) {
    followSpeed = 0;
    setState(0);
  }
  if (followSpeed >= 1) {
    const int32_t step = loop().timeStep;
    for (int32_t attempt = 0; attempt <= 8; ++attempt) {
      // The unit vector is 256 long, so the step comes out in 24.8 units:
      // a follow speed of 300 is 300 px a second.
      const int32_t stepX = followSpeed * step * param(0) / 1000;
      const int32_t stepY = followSpeed * step * param(1) / 1000;
      const int32_t toX = x + stepX;
      const int32_t toY = y + stepY;
      if (!cGame::isBlockedAt((toX + 128) >> 8, (toY + 128) >> 8, followMask)) {
        playCurrentStateAnim();
        setX(toX);
        setY(toY);
        lastSide = 0;
        break;
      }
      if (attempt == 8) break;
      stepAround(followSpeed);
      aimAtPoint(this, companion->getPixelX(), companion->getPixelY());
      setState(21);
    }
  }
  speedX = speedY = 0;
  return true;
}

void cActorMC::updateHop() {
  if (targetPoint == nullptr) {
    setState(0);
    return;
  }
  const int32_t tx = targetPoint->get(0);
  const int32_t ty = targetPoint->get(1);
  const int32_t px = getPixelX();
  const int32_t py = getPixelY();
  setX((px + (tx - px) / 2) << 8);
  setY((py + (ty - py) / 2) << 8);
  if (std::abs(ty - getPixelY()) <= 2) {
    setX(tx << 8);
    setY(ty << 8);
    setState(0);
  }
}

void cActorMC::updateHit() {
  if (!isAnimEnded()) {
    const bool thrown = actionCode == 2;
    const int32_t frame = player != nullptr ? player->aframe : 0;
    if (thrown && (frame < 1 || frame > 5)) return;
    const int32_t amount = thrown ? 2560 : 1536;
    dirX = (hitDirection & DirectionMask::LEFT) != 0 ? -1 : 1;
    dirY = (hitDirection & DirectionMask::UP) != 0 ? -1 : 1;
    moveWithCollision(hitDirection, (hitDirection & horizontalMask) != 0 ? amount : 0,
                      (hitDirection & verticalMask) != 0 ? amount : 0, 0);
    return;
  }
  dirX = dirY = 1;
  setDirFromMask(facing);
  if (actionCode == 2) setState(isDefeated() ? 14 : 15);
  else setState(isDefeated() ? 13 : 9);
}

void cActorMC::updatePickUp() {
  cActor* object = linkedActor;
  const bool present = object != nullptr && object->isActive();
  if (isAnimEnded()) {
    setState(present && object->isParam13Set() ? 108 : 0);
    return;
  }
  if (!present || player == nullptr) return;
  if (IntArray* offsets = offsetsAt(statics().pickUpOffsets, player->aframe)) {
    if (!object->isParam13Set()) pickUp(object);
    object->setMoverTarget(offsets->get(0), offsets->get(1), offsets->get(2), isFacingRight() == 0);
  }
}

void cActorMC::updateCarrying(int32_t held, int32_t pressed) {
  const int32_t sideBefore = horizontalFacing();
  if (state == 108) {
    if (pressed != 0) setFacing(pressed);
    if (held != 0) {
      setFacing(held);
      setState(109);
    } else if (actionKeyPressed() && linkedActor != nullptr) {
      linkedActor->startPutDown();
      setState(110);
    }
  } else if (held != 0 && !reverses(held, facing)) {
    setFacing(held);
    setState(109);
  } else {
    setState(108);
  }
  const int32_t sideAfter = horizontalFacing();
  if (linkedActor != nullptr && sideAfter != 0 && sideBefore != 0 && sideAfter != sideBefore) {
    linkedActor->setParam(9, -linkedActor->param(9));
  }
}

void cActorMC::updatePutDown() {
  if (isAnimEnded()) {
    setState(0);
    return;
  }
  cActor* object = linkedActor;
  if (object == nullptr || player == nullptr) return;
  if (IntArray* offsets = offsetsAt(statics().putDownOffsets, player->aframe)) {
    object->setMoverTarget(offsets->get(0), offsets->get(1), offsets->get(2), isFacingRight() == 0);
  } else if (object->isParam13Set()) {
    object->throwLifted(this);
    linkedActor = nullptr;
  }
}
