// The objects a spawner makes (kind 25): a thrown one that arcs up, lands
// and hurts whoever steps on it; one that latches onto the focus character
// until it struggles free; and a static one that only plays out.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActor.h"
#include "game/world/cActorMC.h"
#include "platform/java_lang/java_lang_System.h"
#include "runtime/lang/Arrays.h"

namespace {

constexpr int32_t px = 256;
constexpr int32_t defeatedState = 14;
constexpr int32_t struggleState = 117;
constexpr int32_t struggleWon = 120;
constexpr int32_t chaseCounter = 3;
constexpr int32_t riseSpeed = -8192;   // 32 px a frame
constexpr int32_t fallSpeed = 4096;    // 16 px a frame
constexpr int32_t landingDepth = 20480;  // 80 px below the start
constexpr int32_t settleMillis = 200;
constexpr int32_t slotStep = 512;      // 2 px
constexpr int32_t latchLift = 30720;   // 120 px

enum LatchState { gathering = 0, closing = 1, striking = 2, latched = 3, fallingOff = 4, missed = 5, letGo = 6 };

cActorMC* focusCharacter() {
  cActor* focus = worldStatics().cGamePlay.focusActor;
  if (focus == nullptr || Object::instanceOf(focus, classid::cActorMC) == 0) return nullptr;
  return static_cast<cActorMC*>(focus);
}

int8_t& latchCount() { return worldStatics().cActor.latchCount; }

void countChase() {
  IntArray* results = shellStatics().cGameShared.results;
  if (results != nullptr && chaseCounter < results->length()) results->set(chaseCounter, results->get(chaseCounter) + 1);
}

bool belowView(cActor* object) { return int64_t{object->y} > int64_t{worldStatics().cGameCamera.cameraY} + 480 * px; }

void leavePlay(cActor* object) {
  object->kill();
  object->unlink();
}

// The latching contact box: centred on the frame's left edge, twice as wide
// as the distance to its right edge, from the middle of the frame down.
IntArray* latchBoxOf(cActor* object) {
  IntArray* rect = object->getLocalFrameRect();
  if (rect == nullptr) return nullptr;
  const int32_t l = rect->get(0), t = rect->get(1), r = rect->get(2), b = rect->get(3);
  const int32_t bx = l - ((r - l) >> 1);
  const int32_t w = 2 * (r - bx < 0 ? bx - r : r - bx);
  const int32_t h = b - t < 0 ? t - b : b - t;
  rect->set(0, bx);
  rect->set(1, t + (h >> 1));
  rect->set(2, w);
  rect->set(3, h);
  return rect;
}

// Beside the focus character by the side of params[2], one slot step further
// out per earlier latch; a slot that would reach past the footprint's edge
// falls back to the character's own x.
void placeBesideFocus(cActor* object, cActorMC* focus) {
  const int32_t side = object->param(2);
  IntArray* foot = focus->footprint;
  if (side == 0 || foot == nullptr) return;
  const int32_t fdx = foot->get(0);
  const int32_t fw = foot->get(2);
  if (side > 0) {
    if (int64_t{object->x} + object->latchSlot * slotStep >= int64_t{focus->x} + (fdx + fw) * px) object->latchSlot = 0;
    object->setX(focus->x + object->latchSlot * slotStep);
  } else {
    if (int64_t{object->x} - object->latchSlot * slotStep <= int64_t{focus->x} + fdx * px) object->latchSlot = 0;
    object->setX(focus->x - object->latchSlot * slotStep);
  }
  object->setY(focus->y - latchLift);
}

void updateLatching(cActor* object, cActorMC* focus) {
  const int32_t timeStep = shellStatics().cGameLoop.timeStep;
  int32_t dy = static_cast<int32_t>(int64_t{timeStep} * worldStatics().cGameCamera.sideViewSpeed * 32 / 1000);
  int32_t dx = object->param(2);
  IntArray* box = latchBoxOf(object);
  const bool contact = box != nullptr && cGame::boxesOverlap(box, object, focus->footprint, focus);
  switch (object->spawnedState) {
    case gathering:
    case closing: {
      const bool first = object->spawnedState == gathering;
      if (object->isAnimationEnded()) object->setAnim(21, 1);
      if (object->spawnedFrames <= (first ? 6 : 12)) {
        ++object->spawnedFrames;
      } else if (first) {
        object->spawnedState = closing;
      } else {
        object->spawnedState = striking;
        object->spawnedFrames = 0;
      }
      break;
    }
    case striking:
      dx = 0;
      if (contact) {
        if (focus->state != struggleState) {
          focus->state = struggleState;
          focus->setAnim(0, 1);
        }
        object->latchSlot = latchCount();
        ++latchCount();
        object->spawnedState = latched;
      } else {
        object->setAnim(23, 1);
        object->spawnedState = missed;
        object->setZ(0);
        cGame::playSound(16, false);
        countChase();
      }
      break;
    case latched:
      dx = 0;
      if (!object->isAnimationEnded()) break;
      if (focus->struggleGauge >= struggleWon || focus->state == 0) {
        object->setAnim(22, 1);
        object->setX(object->x - 2560);
        object->spawnedState = fallingOff;
        latchCount() = 0;
        dy = 0;
        if (focus->state != defeatedState) countChase();
        cGame::playSound(16, false);
        break;
      }
      object->setAnim(26, 1);
      if (focus->state == defeatedState) {
        object->spawnedState = letGo;
        latchCount() = 0;
        dy = 0;
      }
      placeBesideFocus(object, focus);
      break;
    case fallingOff:
      dx = dy = 0;
      object->setY(object->y + 4096);
      if (belowView(object) || object->isAnimationEnded()) leavePlay(object);
      return;
    case missed:
      if (belowView(object) || object->isAnimationEnded()) leavePlay(object);
      return;
    case letGo:
      placeBesideFocus(object, focus);
      if (object->isAnimationEnded()) leavePlay(object);
      return;
    default:
      return;
  }
  if (focus->state == defeatedState) return;
  object->setX(object->x + dx * 4096);
  object->setY(object->y + dy);
}

void updateThrown(cActor* object, cActorMC* focus) {
  if (!object->falling) {
    object->fallSpeed = riseSpeed;
    if (int64_t{object->startHeight} - object->y > int64_t{object->param(4)} * px) {
      object->falling = true;
      object->fallSpeed = fallSpeed;
    }
  }
  const int32_t ground = object->startHeight + landingDepth;
  if (object->falling && object->y >= ground) {
    object->setY(ground);
    object->fallSpeed = 0;
    if (!object->landed) {
      object->setAnim(4, 1);
      object->landingTime = java_lang_System::currentTimeMillis();
      object->landed = true;
      object->setZ(0);
      cGame::playSound(22, false);
    } else if (object->isAnimationEnded()) {
      object->setAnim(5, -1);
      object->settled = true;
    }
  }
  const int32_t sideways = object->landed ? 0 : object->param(2) * (object->param(5) << 8);
  object->setX(object->x + sideways);
  object->setY(object->y + object->fallSpeed);
  if (object->landed && !focus->hurt) {
    IntArray* rect = object->getLocalFrameRect();
    if (rect != nullptr) {
      const int32_t w = rect->get(2) - rect->get(0);
      const int32_t h = rect->get(3) - rect->get(1);
      rect->set(2, w < 0 ? -w : w);
      rect->set(3, h < 0 ? -h : h);
      if (cGame::boxesOverlap(rect, object, focus->footprint, focus)) {
        focus->hurtTime = 1000;
        focus->hurt = true;
      }
    }
  }
  if (object->settled && java_lang_System::currentTimeMillis() - object->landingTime >= settleMillis) leavePlay(object);
}

}  // namespace

void cActor::updateSpawned25() {
  if (isKilled()) return;
  cActorMC* focus = focusCharacter();
  // A spawned object only ever acts on the focus character; without one it
  // waits.
  if (focus == nullptr) return;
  if (focus->state == defeatedState && spawnedMode != SPAWNED_LATCHING) return;
  animate();
  if (!isOnScreen()) return;
  switch (spawnedMode) {
    case SPAWNED_LATCHING:
      updateLatching(this, focus);
      break;
    case SPAWNED_STATIC:
      if (belowView(this) || isAnimationEnded()) leavePlay(this);
      break;
    case SPAWNED_THROWN:
      updateThrown(this, focus);
      break;
    default:
      break;
  }
}
