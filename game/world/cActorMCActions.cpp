// What the player character finds around itself each frame and what it does
// with it: the surroundings scan, the attack codes and their chaining, the
// attack step, talking to people, collecting hotspots and lifting objects.
#include <cstdlib>

#include "game/story/ItemFields.h"
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActorEnemy.h"
#include "game/world/cActorMC.h"
#include "game/world/cActorNPC.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"

using namespace shell;

namespace {

constexpr int32_t nearDistance = 128;
constexpr int32_t sightMask = 197;
constexpr int32_t actionSound = 11;
constexpr int32_t lightHitSound = 12;
constexpr int32_t heavyHitSound = 14;

struct Blow {
  int32_t hitFrame;
  int32_t kind;
  int32_t damage;
};

// The blow of an attack code; 204 and any other code strike nothing.
bool blowOf(int32_t code, Blow& blow) {
  switch (code) {
    case 200: blow = {1, 1, 10}; return true;
    case 201: blow = {2, 11, 10}; return true;
    case 202: blow = {4, 3, 30}; return true;
    case 203: blow = {3, 3, 30}; return true;
    case 205: blow = {5, 3, 30}; return true;
    default: return false;
  }
}

// Appended while the list has room; the surplus is dropped.
void appendCapped(ObjectArray* list, int32_t& count, cActor* actor) {
  if (list == nullptr || count < 0 || count >= list->length()) return;
  list->set(count, actor);
  count += 1;
}

cActorEnemy* asCreature(Object* actor) {
  return actor != nullptr && Object::instanceOf(actor, classid::cActorEnemy) != 0 ? static_cast<cActorEnemy*>(actor)
                                                                                 : nullptr;
}

bool lineFree(cActor* a, cActor* b) {
  return !cGame::lineBlocked(a->getPixelX(), a->getPixelY(), b->getPixelX(), b->getPixelY(), nullptr, true,
                             sightMask, 0, 0, 0, nullptr);
}

// A creature the scan can see at all: neither dying nor gone from play. A
// caller backing off and throwing (its state 26) stays in reach: it never
// leaves that state by itself, so leaving it out made it unbeatable.
bool isScannable(cActorEnemy* creature) {
  return creature->hp >= 1 && creature->state != 104 && creature->isActive() && creature->state != 666;
}

bool isItemId(int32_t id) {
  ObjectArray* table = storyStatics().cGameItems.itemTable;
  return id >= 1 && table != nullptr && id < table->length();
}

}  // namespace

void cActorMC::scanSurroundings(int32_t direction, int32_t reach, int32_t width) {
  enemyCount = breakableCount = moverCount = otherCount = 0;
  cActorMCStatics& shared = statics();
  shared.targetCount = 0;
  if (state == 8 && actionCode == 202) {
    reach = 140;
    width = 32;
  }
  const int32_t behind = oppositeHorizontalFacing();
  const int32_t scrollX = CVLibPlayer::getLayerScrollX(0);
  const int32_t scrollY = CVLibPlayer::getLayerScrollY(0);
  bool notEngaging = false;
  for (cActor* actor = layerHead(0); actor != nullptr; actor = actor->nextInLayer) {
    if (actor == this || actor->isKilled()) continue;
    const bool inReach = cGame::isNearInDirection(this, actor, direction, 96, 32);
    switch (actor->kind) {
      case ActorKind::CREATURE: {
        cActorEnemy* creature = asCreature(actor);
        if (creature == nullptr || !isScannable(creature)) break;
        const int32_t sx = creature->getPixelX() - scrollX;
        const int32_t sy = creature->getPixelY() - scrollY;
        if (sx >= 1 && sx <= 799 && sy >= 1 && sy <= 479) {
          int32_t count = shared.targetCount;
          appendCapped(shared.targets, count, creature);
          shared.targetCount = count;
          enemyOnScreen = true;
        }
        const int32_t distance =
            cGame::approxLength(creature->getPixelX() - getPixelX(), creature->getPixelY() - getPixelY());
        if (distance <= nearDistance) {
          if (!shellStatics().cGameProgress.roomFlag) enemyNear = true;
          if (creature->isSubdued()) notEngaging = true;
        }
        if (cGame::isNearInDirection(this, creature, direction, reach, width) && lineFree(this, creature)) {
          appendCapped(enemiesInReach, enemyCount, creature);
          if (creature->isStunnedOrCollapsed()) enemyStaggered = true;
        }
        if (cGame::isNearInDirection(this, creature, behind, 96, 32) && lineFree(this, creature)) enemyBehind = true;
        break;
      }
      case ActorKind::BLOCKING_OBJECT:
        if (!actor->isAwakeSensor() || !inReach) break;
        if (actor->isParam6Set()) liftableInReach = actor;
        else appendCapped(breakablesInReach, breakableCount, actor);
        break;
      case ActorKind::SLIDER:
        if (!actor->isParam6One() && actor->findDetour(this, behind, 96, 84) != -1) {
          appendCapped(moversInReach, moverCount, actor);
        }
        break;
      case ActorKind::MOVER:
        if (actor->param(0) == 0 && state != 10 && state != 11 && actor->sideContact(this, direction)) {
          pushable = actor;
        }
        break;
      case ActorKind::BARRIER:
        if (actor->params != nullptr && inReach) appendCapped(othersInReach, otherCount, actor);
        break;
      case ActorKind::BARRIER_SWITCH:
        if (barrierInReach == nullptr && actor->touches(this)) barrierInReach = actor;
        break;
      case ActorKind::MARKER:
        if (objectInReach == nullptr && actor->touchesForWalk(this)) objectInReach = actor;
        break;
      case ActorKind::NPC:
        if (characterInReach == nullptr && Object::instanceOf(actor, classid::cActorNPC) != 0 &&
            static_cast<cActorNPC*>(actor)->canTalkTo(this)) {
          characterInReach = actor;
        }
        break;
      case ActorKind::COLLECTIBLE:
        if (hotspotInReach == nullptr && cGame::getItemField(actor->param(6), itemfield::useKind) != 4 && actor->frameTouches(this)) {
          hotspotInReach = actor;
        }
        break;
      default:
        if (inReach) appendCapped(othersInReach, otherCount, actor);
        break;
    }
  }
  if (notEngaging) enemyNear = false;
}

void cActorMC::setAction(int32_t code) {
  actionCode = code;
  if ((code >= 200 && code <= 203) || code == 205) cGame::playSound(actionSound, false);
}

int32_t cActorMC::chooseActionCode(int32_t previous) {
  int32_t count = enemyCount;
  if (previous == 201) {
    const int32_t kept = enemyCount;
    scanSurroundings(facing, 140, 32);
    count = enemyCount;
    enemyCount = kept;
  }
  const int32_t fallback = strongAttackRequest ? 203 : enemyStaggered ? 202 : -1;
  if (count >= 1 && sinceAction < 1500) {
    if (previous != 200 && previous != 201) return fallback != -1 ? fallback : 200;
    comboOpen = true;
    if (fallback != -1) return fallback;
    return previous == 200 ? 201 : 202;
  }
  return fallback != -1 ? fallback : 200;
}

int32_t cActorMC::chooseAttack() {
  if ((abilityFlags & 2) != 0) {
    if (breakableCount <= 0) return 22;
    setAction(203);
    queuedAction = 203;
    return 8;
  }
  int32_t code = chooseActionCode(actionCode);
  comboOpen = false;
  const bool turnAround = isFocusCharacter() && isPushingBackward() && enemyBehind && state != 8;
  cActorEnemy* only = enemyCount == 1 ? asCreature(enemiesInReach->get(0)) : nullptr;
  if (backAttackRequest || turnAround) {
    code = 205;
  } else if (only != nullptr && targetPoint != nullptr && cGame::isNearInDirection(this, only, facing, 96, 32) &&
             only->isIdleOrdinary()) {
    grabTarget = only;
    const int32_t besideX = only->getPixelX() + ((facing & DirectionMask::LEFT) != 0 ? 16 : -16);
    if (besideX != getPixelX()) {
      code = 199;
      targetPoint->set(0, besideX);
      targetPoint->set(1, only->getPixelY());
    } else {
      code = 204;
    }
  } else if (moverCount > 0 && static_cast<cActor*>(moversInReach->get(0))->findDetour(this, oppositeHorizontalFacing(), 96, 84) != -1) {
    code = 203;
  } else if (enemyCount > 0) {
    comboOpen = true;
  }
  setAction(code);
  queuedAction = code;
  return 8;
}

void cActorMC::updateFacingAndAction() {
  sinceAction = 0;
  if (backAttackRequest) queuedAction = 205;
  else if (isFocusCharacter() && isPushingBackward() && enemyBehind) queuedAction = 205;

  const int32_t frame = player != nullptr ? player->aframe : 0;
  if (actionCode == 204) {
    cActorEnemy* target = asCreature(grabTarget);
    if (target != nullptr && targetPoint != nullptr && target->isIdleOrdinary()) {
      setX(targetPoint->get(0) << 8);
      setY(targetPoint->get(1) << 8);
      target->direction = horizontalFacing();
      target->takeBlow(4, horizontalFacing(), 100);
    }
    grabTarget = nullptr;
    if (frame == 12) cGame::playSound(heavyHitSound, false);
  }
  if (actionCode == 199 && targetPoint != nullptr) {
    const int32_t tx = targetPoint->get(0);
    const int32_t ty = targetPoint->get(1);
    const int32_t px = getPixelX();
    const int32_t py = getPixelY();
    setX((px + (tx - px) / 2) << 8);
    setY((py + (ty - py) / 2) << 8);
    if (std::abs(tx - getPixelX()) <= 2) {
      actionCode = queuedAction = 204;
      lastAnim = -1;
      playCurrentStateAnim();
    }
    return;
  }
  Blow blow{};
  if (blowOf(actionCode, blow)) {
    int32_t direction = horizontalFacing();
    if (actionCode == 205) {
      direction = oppositeHorizontalFacing();
      scanSurroundings(direction, 96, 32);
    }
    const bool hitFrame = frame == blow.hitFrame;
    bool lungeCancelled = false;
    for (int32_t i = 0; i < enemyCount; ++i) {
      cActorEnemy* creature = asCreature(enemiesInReach->get(i));
      // Only a creature still reeling from a blow is passed over.
      if (creature == nullptr || creature->state == 100) continue;
      if (std::abs(creature->getPixelX() - getPixelX()) < 9) lungeCancelled = true;
      if (!hitFrame) continue;
      const int32_t kind = blow.kind == 3 && creature->blocksStrongBlow() ? 9 : blow.kind;
      if (creature->takeBlow(kind, direction, blow.damage)) {
        cGame::playSound(actionCode == 200 || actionCode == 201 ? lightHitSound : heavyHitSound, false);
      }
    }
    if (hitFrame) {
      for (int32_t i = 0; i < breakableCount; ++i) {
        auto* breakable = static_cast<cActor*>(breakablesInReach->get(i));
        if (breakable != nullptr && breakable->isAwakeSensor()) breakable->setLiftState(1);
      }
      if (moverCount > 0) {
        auto* mover = static_cast<cActor*>(moversInReach->get(0));
        if (mover != nullptr) {
          mover->slide(mover->findDetour(this, oppositeHorizontalFacing(), 96, 84), false);
          cGame::playSound(lightHitSound, false);
        }
      }
      for (int32_t i = 0; i < otherCount; ++i) {
        auto* other = static_cast<cActor*>(othersInReach->get(i));
        if (other == nullptr || other->hp <= 0) continue;
        other->hitBreakable();
        cGame::playSound(lightHitSound, false);
      }
    }
    if (actionCode == 202 && !lungeCancelled && (frame == 0 || frame == 1)) {
      moveWithCollision(horizontalFacing(), 2560, 0, 0);
    }
    if (shotTarget != nullptr && frame >= blow.hitFrame) {
      if (cActorEnemy* shot = asCreature(shotTarget)) shot->takeBlow(blow.kind, direction, blow.damage);
      shotTarget = nullptr;
    }
  }
  if (!isAnimEnded()) return;
  if (actionCode == 205) setFacing(oppositeHorizontalFacing());
  if (queuedAction != actionCode) {
    setAction(queuedAction);
    sinceAction = 0;
    lastAnim = -1;
    playCurrentStateAnim();
  }
}

bool cActorMC::interactWith(cActor* character) {
  if (character == nullptr || character->isKilled()) return false;
  auto* person = Object::instanceOf(character, classid::cActorNPC) != 0 ? static_cast<cActorNPC*>(character) : nullptr;
  int32_t line = character->param(3);
  if (character->isActive()) {
    if (person == nullptr) return false;
    const int32_t mode = person->talkMode;
    const int32_t event = person->talkEvent;
    if (mode == 3) {
      if (character->param(0) < 1) return false;
      cGame::playCutscene(cGame::findCutscene(event));
      character->setParam(0, character->param(0) - 1);
      return true;
    }
    if (mode != 0 && mode != 1) return false;
    if (event < 0) return false;
    const int32_t item = character->param(2);
    auto* focus = worldStatics().cGamePlay.focusActor;
    if (isItemId(item) && focus != nullptr && Object::instanceOf(focus, classid::cActorMC) != 0) {
      const int32_t slot = static_cast<cActorMC*>(focus)->findInventorySlot(item);
      if (slot >= 0) {
        String* name = cGame::getText(cGame::getItemField(item, itemfield::name));
        cGame::openChoice(cGame::formatText1(cGame::getText(52), name), 2, character, slot);
        return true;
      }
    }
    line = event;
  }
  return cGame::queueConversationLine(line, -1, character->kindState, character->id) != -1;
}

int32_t cActorMC::collectHotspot(cActor* hotspot) {
  if (hotspot == nullptr) return -1;
  const int32_t slot = giveItem(hotspot->param(6));
  cGame::runTrigger(hotspot->param(4), hotspot->param(5), hotspot->param(3), -1, -1);
  hotspot->kill();
  return slot;
}

void cActorMC::pickUp(cActor* object) {
  if (object == nullptr) return;
  object->setParam(4, 2);
  if (object->player != nullptr) cGame::renderFrameToImage(object->player->sprite, object->param(7));
  cGame::stampFootprint(object, 1, 128, false);
  object->setParam(13, 1);
}
