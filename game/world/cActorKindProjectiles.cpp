// Things that come down on the player: the falling object of kind 27, which
// drops from above once the player is under it, bursts and lies burning; and
// the projectile of kind 28 that a creature throws, which flies, skids,
// bursts and burns.
//
// Kind 27 params: [0] fall speed (24.8 per second), [1] state (0 waiting,
// 1 falling, 2 impact, 3 lying).
// Kind 28 params: [0] state (0 flying, 1 skidding, 2 bursting, 3 burning,
// 4 gone), [1]/[2] heading (x 256), [3] height and [5] vertical speed
// (24.8), [4] speed (24.8 per frame), [6] ms it burns, [7] ms it skids.
// Its shadow is kept in neighbours.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActor.h"
#include "game/world/cActorEnemy.h"
#include "game/world/cActorMC.h"
#include "runtime/lang/Arrays.h"
#include "runtime/object/Object.h"

namespace {

constexpr int32_t burstSound = 22;
constexpr int32_t walkMask = 173;
constexpr int32_t burstDamage = 30;
// The burst reaches 70 px every way from the object.
constexpr int32_t burstReach = 70;

cActorMC* focusCharacter() {
  cActor* focus = worldStatics().cGamePlay.focusActor;
  if (focus == nullptr || Object::instanceOf(focus, classid::cActorMC) == 0) return nullptr;
  return static_cast<cActorMC*>(focus);
}

int32_t timeStep() { return shellStatics().cGameLoop.timeStep; }
int32_t frameTime() { return shellStatics().cGameLoop.frameTime; }

bool atMiddleFrame(const cActor* object) {
  const CVLibPlayer* player = object->player;
  return player != nullptr && player->aframe == player->getAFrameCount() / 2;
}

// At the burst's middle frame a character close by is knocked away from it
// (the direction the character is pushed in, as the hit state reads it).
void burstAt(cActor* object) {
  if (!atMiddleFrame(object)) return;
  cActorMC* character = focusCharacter();
  if (character == nullptr) return;
  IntArray* box = newIntArray(4);
  if (box == nullptr) return;
  box->set(0, -burstReach);
  box->set(1, -burstReach);
  box->set(2, 2 * burstReach);
  box->set(3, 2 * burstReach);
  if (!cGame::pointInActorBox(character->getPixelX(), character->getPixelY(), box, object)) return;
  const int32_t direction = object->getPixelX() < character->getPixelX() ? 0x1000 : 0x2000;
  character->enterHit(2, direction, burstDamage);
}

// Standing in the burning remains keeps the character's damage display up.
void burnAt(cActor* object) {
  cActorMC* character = focusCharacter();
  if (character == nullptr || character->state == 100) return;
  if (!cGame::pointInActorBox(character->getPixelX(), character->getPixelY(), object->footprint, object)) return;
  if (character->startDamageTimer(100)) character->damageSource = 1;
}

// The fall from the object's height at its speed, in ms; at least 1.
int32_t fallMillis(const cActor* object) {
  const int32_t speed = object->param(0);
  if (speed <= 0) return 1;
  const int64_t ms = int64_t{object->z} * 1000 / speed;
  return ms < 1 ? 1 : ms > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int32_t>(ms);
}

bool hasNoArea(IntArray* box) {
  return box == nullptr || box->length() < 4 || box->get(2) == 0 || box->get(3) == 0;
}

}  // namespace

void cActor::updateFallingObject() {
  if (isKilledOrNotActive()) return;
  switch (param(1)) {
    case 0: {
      cActor* focus = worldStatics().cGamePlay.focusActor;
      if (focus == nullptr) break;
      if (!hasNoArea(interactBox) && !cGame::boxesOverlap(focus->footprint, focus, interactBox, this)) break;
      setParam(1, 1);
      cGame::spawnEffect(27, 71, fallMillis(this), getPixelX(), false);
      break;
    }
    case 1: {
      const int64_t fallen = int64_t{timeStep()} * param(0) / 1000;
      if (z - fallen < 1) {
        setZ(0);
        setParam(1, 2);
        setAnim(6, 1);
        cGame::startCameraShake(1000, 1, 1, 40);
        cGame::playSound(burstSound, false);
      } else {
        setZ(static_cast<int32_t>(z - fallen));
      }
      break;
    }
    case 2:
      burstAt(this);
      if (isAnimationEnded()) {
        setParam(1, 3);
        setAnim(3, -1);
      }
      break;
    case 3:
      burnAt(this);
      break;
    default:
      break;
  }
}

void cActor::updateFallingObject2() {
  if (isKilled()) return;
  if (cGame::isProgressAt9()) {
    cActorEnemy* target = cActorEnemy::asCreature(worldStatics().cGameRoom.targetActor);
    if (target != nullptr && target->isDefeated()) setParam(0, 4);
  }
  auto* shadow = static_cast<cActor*>(neighbours);
  switch (param(0)) {
    case 0: {
      setX(static_cast<int32_t>(x + ((int64_t{param(1)} * param(4)) >> 8)));
      setY(static_cast<int32_t>(y + ((int64_t{param(2)} * param(4)) >> 8)));
      bounceStep(false, -512);
      if (param(5) < 1) setZ(0);
      if (shadow != nullptr) {
        shadow->setX(x);
        shadow->setY(y);
      }
      if (param(3) < 1) {
        setAnim(2, -1);
        setParam(0, 1);
        setParam(3, 0);
        if (shadow != nullptr) shadow->kill();
      }
      break;
    }
    case 1: {
      const int32_t s = param(4) >> 2;
      if (s <= 512) {
        setParam(4, 0);
      } else {
        const int32_t nx = static_cast<int32_t>(x + ((int64_t{param(1)} * s) >> 8));
        const int32_t ny = static_cast<int32_t>(y + ((int64_t{param(2)} * s) >> 8));
        if (!cGame::isBlockedAt((nx + 128) >> 8, (ny + 128) >> 8, walkMask)) {
          setX(nx);
          setY(ny);
        }
      }
      setParam(7, param(7) - frameTime());
      if (param(7) < 1) {
        setAnim(6, 1);
        cGame::playSound(burstSound, false);
        setParam(0, 2);
      }
      break;
    }
    case 2:
      burstAt(this);
      if (isAnimationEnded()) {
        setAnim(3, -1);
        setParam(0, 3);
      }
      break;
    case 3:
      burnAt(this);
      setParam(6, param(6) - frameTime());
      if (param(6) < 1) setParam(0, 4);
      break;
    case 4:
      kill();
      if (shadow != nullptr) shadow->unlink();
      neighbours = nullptr;
      unlink();
      break;
    default:
      break;
  }
}
