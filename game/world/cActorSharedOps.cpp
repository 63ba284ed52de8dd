// Small operations the kinds, the player character and the creatures share:
// direction bits, the side and region tests around a movable object, the
// formation of gathered creatures, the bounce of a thrown object and the
// frame tests against boxes.
#include <algorithm>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActor.h"
#include "game/world/cActorEnemy.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"

namespace {

constexpr int32_t up = 0x400, down = 0x800, left = 0x1000, right = 0x2000;

int32_t absolute(int32_t v) { return v < 0 ? -v : v; }

// A box {x, y, w, h} in pixels placed at pixel (ax, ay) against another
// placed at (bx, by); edges inclusive, as every box test of the world.
bool boxesMeet(IntArray* a, int32_t ax, int32_t ay, IntArray* b, int32_t bx, int32_t by) {
  if (a == nullptr || b == nullptr || a->length() < 4 || b->length() < 4) return false;
  const int32_t x0 = ax + a->get(0);
  const int32_t y0 = ay + a->get(1);
  const int32_t x1 = bx + b->get(0);
  const int32_t y1 = by + b->get(1);
  return x0 + a->get(2) >= x1 && x0 <= x1 + b->get(2) && y0 + a->get(3) >= y1 && y0 <= y1 + b->get(3);
}

}  // namespace

int32_t cActor::reverseDirectionBit(int32_t bit) {
  switch (bit) {
    case up: return down;
    case down: return up;
    case left: return right;
    case right: return left;
    default: return -1;
  }
}

int32_t cActor::directionCode(int32_t bit) {
  switch (bit) {
    case up: return 0;
    case left: return 1;
    case down: return 2;
    case right: return 3;
    default: return -1;
  }
}

int32_t cActor::scaledStep(int32_t n) {
  const int64_t frameTime = std::min<int64_t>(shellStatics().cGameLoop.frameTime, 166);
  return static_cast<int32_t>(int64_t{n} * frameTime * 16 / 1000);
}

bool cActor::clampHealth() {
  if (hp < 0) hp = 0;
  return true;
}

bool cActor::sideContact(cActor* other, int32_t mask) {
  if (other == nullptr) return false;
  const int32_t dx = other->getPixelX() - getPixelX();
  const int32_t dy = other->getPixelY() - getPixelY();
  // The pushing character stands on the side it pushes from; the side the
  // object is handled from is the opposite one.
  switch (mask) {
    case DirectionMask::LEFT:
      if (dx < 1 || dx >= 62 || dy < -39 || dy > 0) return false;
      setParam(4, 2);
      return true;
    case DirectionMask::RIGHT:
      if (dx < -61 || dx >= 0 || dy < -39 || dy > 0) return false;
      setParam(4, 1);
      return true;
    case DirectionMask::UP:
      if (dy < 1 || dy >= 22 || absolute(dx) >= 32) return false;
      setParam(4, 8);
      return true;
    case DirectionMask::DOWN:
      if (dy < -51 || dy >= 0 || absolute(dx) >= 32) return false;
      setParam(4, 4);
      return true;
    default:
      return false;
  }
}

bool cActor::inRegion(int32_t px, int32_t py, cActor* other, int32_t mask, int32_t w, int32_t h) {
  if (other == nullptr) return false;
  const int32_t dx = px - other->getPixelX();
  const int32_t dy = py - other->getPixelY();
  switch (mask) {
    case DirectionMask::LEFT:
      return dx >= 0 && dx <= w && dy >= 2 && dy < h;
    case DirectionMask::RIGHT:
      return dx >= -w && dx <= 0 && dy >= 2 && dy < h;
    case DirectionMask::UP:
      return dy >= 0 && dy <= h && absolute(dx) <= w / 2;
    case DirectionMask::DOWN:
      return dy >= -16 && dy <= 0 && absolute(dx) <= w / 2;
    default:
      return false;
  }
}

bool cActor::pointInRegion(cActor* other, int32_t mask, int32_t w, int32_t h) {
  return inRegion(getPixelX(), getPixelY(), other, mask, w, h);
}

int32_t cActor::findDetour(cActor* other, int32_t mask, int32_t w, int32_t h) {
  if (isNotActive() || other == nullptr) return -1;
  if (!isPushFree()) {
    // A vertical object only goes away from the character, up or down.
    if (pointInRegion(other, DirectionMask::UP, 64, 84)) return DirectionMask::DOWN;
    if (pointInRegion(other, DirectionMask::DOWN, 64, 84)) return DirectionMask::UP;
    return -1;
  }
  if (mask == DirectionMask::LEFT && pointInRegion(other, DirectionMask::LEFT, w, h)) return DirectionMask::RIGHT;
  if (mask == DirectionMask::RIGHT && pointInRegion(other, DirectionMask::RIGHT, w, h)) return DirectionMask::LEFT;
  return -1;
}

void cActor::setMoverTarget(int32_t a, int32_t b, int32_t c, bool mirrored) {
  if (a == 0 && b == -1 && c == -1) {
    setParam(8, 0);
    setParam(9, -1);
    setParam(10, -1);
    return;
  }
  setParam(8, mirrored ? 360 - a : a);
  setParam(9, mirrored ? -b : b);
  setParam(10, c);
}

void cActor::placeInFormation(cActorEnemy* creature, int32_t index) {
  if (creature == nullptr || index < 0) {
    debugLog("placeInFormation: refused index %d%s", index, creature == nullptr ? " without a creature" : "");
    return;
  }
  if (creature->homePoint == nullptr || creature->homePoint->length() < 2) creature->homePoint = newIntArray(2);
  if (creature->homePoint == nullptr) return;
  // 0, 1, -1, 2, -2, ... places from the centre of the sensor's area; an
  // even count has no middle place, so the row shifts half a place left.
  const int32_t place = (index & 1) != 0 ? (index + 1) / 2 : -(index / 2);
  int32_t px = getPixelX() + param(4) + param(6) / 2 + place * 44;
  if ((param(15) & 1) == 0) px -= 22;
  const int32_t py = param(12) == 1 ? getPixelY() + 20 : getPixelY() - 10;
  creature->homePoint->set(0, px);
  creature->homePoint->set(1, py);
}

bool cActor::bounceStep(bool rebound, int32_t g) {
  int32_t height = param(3) + scaledStep(param(5));
  int32_t speed = std::max(param(5) + scaledStep(g), -3072);
  const bool landed = height < 1;
  if (landed) {
    height = 0;
    // A bounce goes back up with the pull's doubled step.
    speed = rebound ? absolute(scaledStep(2 * g)) : 0;
  }
  setParam(3, height);
  setParam(5, speed);
  return landed;
}

bool cActor::touchesForWalk(cActor* other) {
  if (other == nullptr || interactBox == nullptr || param(1) == -1) return false;
  if (isNotActive()) {
    if (param(1) == 2 && param(12) < 1) return false;
    if (param(1) == 2 && player != nullptr && player->anim == param(10)) return false;
    if (param(1) == 0 && param(12) < 0) return false;
  }
  return boxesMeet(interactBox, getPixelX(), getPixelY(), other->footprint, other->getPixelX(), other->getPixelY());
}

bool cActor::frameTouchesBox(cActor* other, IntArray* box) {
  if (other == nullptr || box == nullptr) return false;
  IntArray* rect = getFrameRect();
  if (rect == nullptr || rect->length() < 4) return false;
  IntArray* frame = newIntArray(4);
  if (frame == nullptr) return false;
  frame->set(0, rect->get(0));
  frame->set(1, rect->get(1));
  frame->set(2, rect->get(2) - rect->get(0));
  frame->set(3, rect->get(3) - rect->get(1));
  return cGame::boxesOverlap(frame, nullptr, box, other);
}

bool cActor::isHitByPathHazard() {
  if (interactBox == nullptr) return false;
  for (cActor* hazard = layerHead(0); hazard != nullptr; hazard = hazard->nextInLayer) {
    if (hazard->kind != ActorKind::PATH_HAZARD || hazard->isKilled() || hazard->isNotActive()) continue;
    if (hazard->frameTouchesBox(this, interactBox)) return true;
  }
  return false;
}

void cActor::storeWatchedFlags() {
  for (cActor* trigger = layerHead(0); trigger != nullptr; trigger = trigger->nextInLayer) {
    if (trigger->kind != ActorKind::FLAG_TRIGGER) continue;
    for (int32_t i = 0; i < 3; ++i) {
      const int32_t watchedId = trigger->param(i);
      if (watchedId <= 0) continue;
      if (cActor* watched = findById(watchedId)) trigger->setParam(9, watched->flags);
    }
  }
}
