// The update pass over layer list 0 and the common per-actor step.
#include <algorithm>

#include "game/GameStatics.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActor.h"
#include "runtime/lang/Arrays.h"

void cActor::updateAll() {
  for (cActor* actor = layerHead(0); actor != nullptr; actor = actor->nextInLayer) actor->updatedThisFrame = false;
  cActor* actor = layerHead(0);
  while (actor != nullptr) {
    // Taken first: an actor may unlink itself in its update.
    cActor* next = actor->nextInLayer;
    actor->update();
    actor = next;
  }
  resortMoved(0);
}

bool cActor::beginUpdate() {
  if (updatedThisFrame) return false;
  updatedThisFrame = true;
  if (isKilled()) return false;
  animate();
  tickBalloon();
  // A moving actor neither behaves nor follows until it arrives.
  if (!updateMove()) return false;
  if (!worldStatics().cGamePlay.behavioursEnabled || hasFlag(ActorFlags::HELD)) {
    followBoundActor();
    return false;
  }
  return true;
}

void cActor::update() {
  if (!beginUpdate()) return;
  updateKindBehaviour();
  followBoundActor();
}

void cActor::followBoundActor() {
  cActor* bound = boundActor;
  if (bound == nullptr) return;
  if (bound->isKilled() || bindRecord == nullptr) {
    boundActor = nullptr;
    bindRecord = nullptr;
    return;
  }
  IntArray* r = bindRecord;
  // The bound actor's displacement since the last frame, carried along
  // without counting as a move of this actor.
  x += bound->x - r->get(4);
  y += bound->y - r->get(5);
  r->set(4, bound->x);
  r->set(5, bound->y);
  const int32_t left = bound->x + r->get(0);
  const int32_t top = bound->y + r->get(1);
  setX(std::min(std::max(x, left), left + r->get(2)));
  setY(std::min(std::max(y, top), top + r->get(3)));
}

void cActor::updateKindBehaviour() {
  switch (kind) {
    case ActorKind::DISCARDED:
      unlink();
      break;
    case ActorKind::EFFECT:
      if (player == nullptr || player->isAnimOver()) unlink();
      break;
    case 13: case 14: case 15: case 16: case 17: case 19: case 20: case 21: case 23: case 24: case 25:
    case 27: case 28: case 60: case 61: case 62: case 64: case 65: case 66: case 67: case 68:
      runKindBehaviour();
      break;
    default:  // 18, 29, 63 and every other value have none
      break;
  }
}
