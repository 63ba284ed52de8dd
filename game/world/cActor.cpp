#include "game/world/cActor.h"

#include <algorithm>
#include <cstdlib>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "runtime/glue/ElementAccess.h"
#include "runtime/lang/Arrays.h"
#include "runtime/object/ObjectFactory.h"

namespace {

// params of a path (kind 29) hold its points; every other kind reads at most
// 25 entries.
constexpr int32_t pathParamCount = 91;
constexpr int32_t plainParamCount = 25;

// The sprite whose animations 6 and 7 play as 2 and 5.
constexpr int32_t remappedAnimSprite = 37;

cGamePlayStatics& play() { return worldStatics().cGamePlay; }

int32_t paramSizeOfKind(int32_t kind) { return kind == ActorKind::PATH ? pathParamCount : plainParamCount; }

// (246 x max + 102 x min) >> 8 of the absolute values, in 64 bits: a 24.8
// distance squared out of 32 bits long before the map ends.
int64_t approximateDistance(int64_t dx, int64_t dy) {
  const int64_t ax = std::llabs(dx);
  const int64_t ay = std::llabs(dy);
  return (246 * std::max(ax, ay) + 102 * std::min(ax, ay)) >> 8;
}

IntArray* makeBox(IntArray* box, int32_t bx, int32_t by, int32_t w, int32_t h) {
  if (box == nullptr) box = newIntArray(4);
  if (box == nullptr) return nullptr;
  box->set(0, bx);
  box->set(1, by);
  box->set(2, w);
  box->set(3, h);
  return box;
}

}  // namespace

cActorStatics& cActor::statics() { return worldStatics().cActor; }

void cActor::clinit() { initLists(); }

void cActor::init(int32_t newKind, IntArray* position) {
  flags = 0;
  kind = newKind;
  setX(loadElement(position, 0));
  setY(loadElement(position, 1));
  setZ(loadElement(position, 2));
  flags |= ActorFlags::MOVED;
}

void cActor::setParams(IntArray* source, int32_t n) {
  // Every read a kind makes stays inside its array, whatever n the level
  // data gave; n itself is kept for the room snapshot.
  n = std::max(n, 0);
  params = newIntArray(std::max(n, paramSizeOfKind(kind)));
  paramCount = n;
  if (params == nullptr || source == nullptr) return;
  const int32_t copied = std::min({n, source->length(), params->length()});
  for (int32_t i = 0; i < copied; ++i) params->set(i, source->get(i));
}

int32_t cActor::param(int32_t i) const {
  return params != nullptr && i >= 0 && i < params->length() ? params->get(i) : 0;
}

void cActor::setParam(int32_t i, int32_t value) {
  if (params != nullptr && i >= 0 && i < params->length()) params->set(i, value);
}


void cActor::setSprite(ASprite* sprite) {
  if (sprite == nullptr) return;
  if (player == nullptr) player = newObject<CVLibPlayer>();
  if (player != nullptr) player->setSprite(sprite);
}

void cActor::setAnimEx(int32_t anim, int32_t loops, bool restart) {
  if (player == nullptr) return;
  if (player->sprite != nullptr && player->sprite == shell::spriteAt(remappedAnimSprite)) {
    if (anim == 6) anim = 2;
    else if (anim == 7) anim = 5;
  }
  player->setAnimEx(anim, loops, restart);
}

void cActor::setAnim(int32_t anim, int32_t loops) { setAnimEx(anim, loops, true); }

void cActor::addHealth(int32_t n) {
  if (hp > 0) hp += n;
}

void cActor::setX(int32_t v) {
  if (v != x) flags |= ActorFlags::MOVED;
  x = v;
}

void cActor::setY(int32_t v) {
  if (v != y) flags |= ActorFlags::MOVED;
  y = v;
}

void cActor::setZ(int32_t v) {
  if (v != z) flags |= ActorFlags::MOVED;
  z = v;
}

void cActor::setFlag(int32_t bits, bool on) {
  if (on) flags |= bits;
  else flags &= ~bits;
}

cActor* cActor::findById(int32_t wanted) {
  if (wanted < 1) return nullptr;
  for (cActor* actor = layerHead(0); actor != nullptr; actor = actor->nextInLayer) {
    if (actor->id == wanted) return actor;
  }
  return nullptr;
}

cActor* cActor::findByKindAndId(int32_t wanted, int32_t wantedKind) {
  if (wanted < 1) return nullptr;
  for (cActor* actor = layerHead(0); actor != nullptr; actor = actor->nextInLayer) {
    if (actor->id == wanted && actor->kind == wantedKind) return actor;
  }
  return nullptr;
}

int32_t cActor::oppositeDirection(int32_t mask) {
  auto swap = [](int32_t value, int32_t a, int32_t b) {
    const bool hasA = (value & a) != 0;
    const bool hasB = (value & b) != 0;
    value &= ~(a | b);
    if (hasA) value |= b;
    if (hasB) value |= a;
    return value;
  };
  mask = swap(mask, DirectionMask::LEFT, DirectionMask::RIGHT);
  return swap(mask, DirectionMask::UP, DirectionMask::DOWN);
}

void cActor::bindToActor(int32_t targetId, int32_t a, int32_t b, int32_t c, int32_t d) {
  cActor* target = findById(targetId);
  if (target == nullptr) {
    boundActor = nullptr;
    bindRecord = nullptr;
    return;
  }
  if (bindRecord == nullptr) bindRecord = newIntArray(6);
  if (bindRecord == nullptr) return;
  boundActor = target;
  bindRecord->set(0, a * 512);
  bindRecord->set(1, b * 512);
  bindRecord->set(2, c * 512);
  bindRecord->set(3, d * 512);
  bindRecord->set(4, target->x);
  bindRecord->set(5, target->y);
}

void cActor::moveTo(int32_t targetX, int32_t targetY, int32_t speed, int32_t ms) {
  moveRecord = newIntArray(4);
  if (moveRecord == nullptr) return;
  const int32_t toX = targetX == -1 ? x : targetX << 8;
  const int32_t toY = targetY == -1 ? y : targetY << 8;
  const int64_t dx = int64_t{toX} - x;
  const int64_t dy = int64_t{toY} - y;
  int64_t speedX = 0;
  int64_t speedY = 0;
  const int64_t distance = approximateDistance(dx, dy);
  // A target at (or within a 256th of a pixel of) the position has no
  // direction: it is reached at the next step.
  if (speed != 0 && distance != 0) {
    const int64_t perSecond = int64_t{std::abs(speed)} << 8;
    speedX = dx * perSecond / distance;
    speedY = dy * perSecond / distance;
  } else if (speed == 0 && ms > 0) {
    speedX = dx * 1000 / ms;
    speedY = dy * 1000 / ms;
  }
  moveRecord->set(0, toX);
  moveRecord->set(1, toY);
  moveRecord->set(2, static_cast<int32_t>(std::clamp<int64_t>(speedX, INT32_MIN, INT32_MAX)));
  moveRecord->set(3, static_cast<int32_t>(std::clamp<int64_t>(speedY, INT32_MIN, INT32_MAX)));
}

bool cActor::updateMove() {
  if (moveRecord == nullptr) return true;
  const int32_t timeStep = shellStatics().cGameLoop.timeStep;
  auto stepAxis = [timeStep](int32_t position, int32_t target, int32_t speed) {
    const int64_t step = int64_t{speed} * timeStep / 1000;
    const int64_t remaining = int64_t{target} - position;
    // An axis without speed, or too slow to ever get there, snaps so that a
    // scripted move always arrives; a frame without time moves nothing.
    if (speed == 0 || std::llabs(remaining) <= std::llabs(step)) return target;
    if (timeStep <= 0) return position;
    if (step == 0) return target;
    return static_cast<int32_t>(position + step);
  };
  setX(stepAxis(x, moveRecord->get(0), moveRecord->get(2)));
  setY(stepAxis(y, moveRecord->get(1), moveRecord->get(3)));
  const bool arrived = ((x + 128) >> 8) == ((moveRecord->get(0) + 128) >> 8) &&
                       ((y + 128) >> 8) == ((moveRecord->get(1) + 128) >> 8);
  if (!arrived) return false;
  moveRecord = nullptr;
  return true;
}

IntArray* cActor::getLocalFrameRect() {
  // An animation the sprite lacks (a spawner's contact look on a sheet
  // drawn without it) shows nothing and so has no frame.
  if (player == nullptr || player->sprite == nullptr || player->getAFrameCount() <= 0) return nullptr;
  ASprite* sprite = player->sprite;
  const int32_t frame = sprite->getAFrameFrame(player->anim, player->aframe);
  if (frame < 0) return nullptr;
  IntArray* rect = newIntArray(4);
  if (rect == nullptr) return nullptr;
  const int32_t left = sprite->getFrameX(frame) + sprite->getAFrameOffsetX(player->anim, player->aframe);
  const int32_t top = sprite->getFrameY(frame) + sprite->getAFrameOffsetY(player->anim, player->aframe);
  rect->set(0, left);
  rect->set(1, top);
  rect->set(2, left + sprite->getFrameWidth(frame));
  rect->set(3, top + sprite->getFrameHeight(frame));
  return rect;
}

IntArray* cActor::getFrameRect() {
  IntArray* rect = getLocalFrameRect();
  if (rect == nullptr) return nullptr;
  const int32_t px = getPixelX();
  const int32_t py = getPixelY();
  rect->set(0, rect->get(0) + px);
  rect->set(1, rect->get(1) + py);
  rect->set(2, rect->get(2) + px);
  rect->set(3, rect->get(3) + py);
  return rect;
}

bool cActor::isOnScreen() {
  if (kind == ActorKind::PATH) return true;
  const int32_t cameraX = play().cameraPixelX;
  const int32_t cameraY = play().cameraPixelY;
  if (IntArray* rect = getFrameRect()) {
    return !(rect->get(2) < cameraX || rect->get(3) < cameraY || rect->get(0) > cameraX + 800 ||
             rect->get(1) > cameraY + 480);
  }
  // Without a frame the 24.8 position is held against the camera, unrounded.
  const int64_t left = int64_t{cameraX} * 256;
  const int64_t top = int64_t{cameraY} * 256;
  return !(x < left || y < top || x > left + 800 * 256 || y > top + 480 * 256);
}

void cActor::animate() {
  if (player == nullptr) return;
  const int32_t timeStep = shellStatics().cGameLoop.timeStep;
  const bool fullSpeed = shellStatics().cGameShared.fullSpeedAnimation && !hasFlag(ActorFlags::HELD);
  player->update(fullSpeed ? timeStep : timeStep * 10 / 16);
}

// Taking an actor out of play: it blocks the way no longer. The kinds' own
// clean-up joins here.
void cActor::kill() {
  clearFootprintBlocking();
  flags |= ActorFlags::KILLED;
}

bool cActor::touches(cActor* other) {
  if (other == nullptr || interactBox == nullptr) return false;
  if (isActive() && param(4) < 1 && param(5) < 1 && param(6) == 0) return false;
  IntArray* theirs = other->footprint;
  if (theirs == nullptr) return false;
  const int32_t ax = getPixelX() + interactBox->get(0);
  const int32_t ay = getPixelY() + interactBox->get(1);
  const int32_t bx = other->getPixelX() + theirs->get(0);
  const int32_t by = other->getPixelY() + theirs->get(1);
  // Edges inclusive, as every box test of the world.
  return ax + interactBox->get(2) >= bx && ax <= bx + theirs->get(2) && ay + interactBox->get(3) >= by &&
         ay <= by + theirs->get(3);
}

void cActor::setInteractBox(int32_t bx, int32_t by, int32_t w, int32_t h) {
  if (w < 0) bx -= (w = -w);
  if (h < 0) by -= (h = -h);
  interactBox = makeBox(interactBox, bx, by, w, h);
}

void cActor::setTriggerBox(int32_t bx, int32_t by, int32_t w, int32_t h) {
  if (w < 0) bx -= (w = -w);
  if (h < 0) by -= (h = -h);
  triggerBox = makeBox(triggerBox, bx, by, w, h);
}

void cActor::setFootprint(int32_t bx, int32_t by, int32_t w, int32_t h) {
  if (w < 0) bx -= (w = -w);
  if (h < 0) by -= (h = -h);
  footprint = makeBox(footprint, bx - w / 2, by - h, w, h);
}
