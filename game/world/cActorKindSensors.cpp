// The gathering sensor of kind 19: it draws the creatures that stray into
// its area to places in a row beside it, where they work; when the player
// lingers by it, it plays its animation and lets the group go.
// params: [0] resting animation, [1] state (0 gathering, 1 waiting for the
// player, 2 letting go), [2] what the creatures do at their places (their
// use number), [3] bit 1: its cells are freed as the group goes, [4]/[5]
// area offset, [6]/[7] area size (px), [9] animation as it lets go, [10] ms
// the player must linger (negative: never), [12] 1: the row stands below
// it, [13] creatures wanted, [14] ms lingered, [15] creatures gathered.
#include <algorithm>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/world/cActor.h"
#include "game/world/cActorEnemy.h"
#include "runtime/lang/Arrays.h"

namespace {

constexpr int32_t gatherOption = 4;
constexpr int32_t blockBit = 4;
// A creature at work in its place: walking there, or using the sensor.
bool isAtWork(const cActorEnemy* creature) { return creature->state == 22 || creature->state == 23; }

bool isGathered(ObjectArray* list, int32_t count, cActor* creature) {
  for (int32_t i = 0; i < count; ++i) {
    if (list->get(i) == creature) return true;
  }
  return false;
}

}  // namespace

void cActor::updateSensor() {
  switch (param(1)) {
    case 0: {
      if (neighbours == nullptr) neighbours = newObjectArray(std::max(param(13), 0));
      auto* list = static_cast<ObjectArray*>(neighbours);
      if (list == nullptr) return;
      // The count never passes the list, whatever the level data wanted.
      const int32_t wanted = std::min(param(13), list->length());
      if (param(15) > list->length()) setParam(15, list->length());
      const int32_t left = getPixelX() + param(4);
      const int32_t top = getPixelY() + param(5);
      for (cActor* actor = layerHead(0); actor != nullptr && param(15) < wanted; actor = actor->nextInLayer) {
        if (actor->kind != ActorKind::CREATURE) continue;
        cActorEnemy* creature = cActorEnemy::asCreature(actor);
        if (creature == nullptr || creature->hp < 1 || creature->state == 104 || !creature->isAvailable()) continue;
        if (!creature->hasOption(gatherOption) || isGathered(list, param(15), creature)) continue;
        const int32_t cx = creature->getPixelX();
        const int32_t cy = creature->getPixelY();
        if (cx < left - 1 || cx > left + param(6) + 1 || cy < top - 1 || cy > top + param(7) + 1) continue;
        list->set(param(15), creature);
        setParam(15, param(15) + 1);
      }
      for (int32_t i = 0; i < param(15); ++i) {
        cActorEnemy* creature = cActorEnemy::asCreature(static_cast<cActor*>(list->get(i)));
        if (creature == nullptr || isAtWork(creature)) continue;
        placeInFormation(creature, i);
        creature->setState(22, 0);
        creature->linkedActor = this;
      }
      if (param(13) <= param(15)) {
        orderGroup(0);
        setParam(1, 1);
      }
      break;
    }
    case 1: {
      orderGroup(0);
      cActor* focus = worldStatics().cGamePlay.focusActor;
      if (focus != nullptr && cGame::boxesOverlap(focus->footprint, focus, interactBox, this) && param(14) == 0) {
        setParam(14, 1);
      }
      if (param(14) > 0 && param(10) >= 0 && param(13) <= param(15)) {
        setParam(14, param(14) + shellStatics().cGameLoop.timeStep);
        if (param(14) > param(10)) {
          setAnim(param(9), 1);
          setParam(1, 2);
          orderGroup(1);
        }
      }
      break;
    }
    case 2:
      if (!isAnimationEnded() || neighbours == nullptr) break;
      if ((param(3) & 1) != 0) {
        cGame::stampFootprint(this, 1, blockBit, false);
        orderGroup(2);
      }
      orderGroup(3);
      setParam(15, 0);
      setParam(14, 0);
      neighbours = nullptr;
      break;
    default:
      break;
  }
}

// Orders 0 (work on), 1 (the player lingered) and 2 (the way is free)
// leave the creatures to their own states 22 and 23; order 3 lets the group
// go: each is unbound, and one still at work idles again.
void cActor::orderGroup(int32_t order) {
  auto* list = static_cast<ObjectArray*>(neighbours);
  if (list == nullptr || order != 3) return;
  const int32_t count = std::min(param(15), list->length());
  for (int32_t i = 0; i < count; ++i) {
    cActorEnemy* creature = cActorEnemy::asCreature(static_cast<cActor*>(list->get(i)));
    if (creature == nullptr || creature->linkedActor != this) continue;
    creature->linkedActor = nullptr;
    if (isAtWork(creature)) creature->setState(0, 0);
  }
}
