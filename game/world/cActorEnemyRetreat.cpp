// The caller's retreat: it walks its route away, stops to throw a volley
// of projectiles round the focus character, pauses and walks on.
#include <cstdlib>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActorEnemy.h"
#include "runtime/lang/Arrays.h"

namespace {

constexpr int32_t projectileSprite = 28;
constexpr int32_t walkingMask = 173;
constexpr int32_t quarterTurn = 64;

int32_t tableAngle(int32_t degrees) { return static_cast<int32_t>(int64_t{degrees} * 256 / 360); }

}  // namespace

void cActorEnemy::retreatStep(int32_t px, int32_t py, int32_t speed) {
  const int32_t before = subState;
  switch (subState) {
    case 0:
      if (patrolNode == 0) {
        if (IntArray* point = cGame::getPathNodePos(param(7))) {
          setParam(10, point->get(0));
          setParam(11, point->get(1));
        }
        patrolNode = param(7);
      }
      faceToward(param(10), param(11), 0);
      if (param(15) > 0) countDown();
      if (param(15) < 1) {
        subState = 1;
        volleyThrown = false;
      } else if (!isNear(param(10), param(11), 16)) {
        walk(speed, -1);
      } else {
        const int32_t next = cGame::getPathNodeNext(param(7));
        if (IntArray* point = cGame::getPathNodePos(next)) {
          setParam(7, next);
          setParam(10, point->get(0));
          setParam(11, point->get(1));
        }
      }
      break;
    case 1:
      if (animationEnded()) {
        subState = 2;
        setParam(15, 1000 * (2 + randomBelow(3)));
      } else if (animationFrame() == 2 && !volleyThrown) {
        // One volley per throw, however many frames the aframe shows.
        volleyThrown = true;
        throwVolley(px, py);
      }
      break;
    case 2:
      if (countDown() <= 0) {
        subState = 0;
        setParam(15, 1000 * (2 + randomBelow(3)));
      }
      break;
    default:
      break;
  }
  if (subState != before) applyBehaviour();
}

void cActorEnemy::throwVolley(int32_t px, int32_t py) {
  const int32_t count = randomBelow(4) + 1;
  nextRandom();  // a draw the volley does not use
  int32_t degrees = randomBelow(360);
  for (int32_t i = 0; i < count; ++i, degrees += 30) {
    const int32_t distance = 20 * randomBelow(count);
    const int32_t a = tableAngle(degrees);
    const int32_t tx = px + cGame::cosLookup(a) * distance / 256;
    const int32_t ty = py - cGame::cosLookup(quarterTurn - a) * distance / 256;
    if (cGame::isBlockedAt(tx, ty, walkingMask)) continue;
    IntArray* position = newIntArray(3);
    if (position == nullptr) return;
    position->set(0, getPixelX() << 8);
    position->set(1, (getPixelY() - 60) << 8);
    cActor* projectile = cActor::create(ActorKind::THROWN_OBJECT, 0, position);
    if (projectile == nullptr) return;
    projectile->launchProjectile(tx, ty, 0, 750);
  }
}

void cActor::launchProjectile(int32_t tx, int32_t ty, int32_t, int32_t d) {
  params = newIntArray(8);
  paramCount = 8;
  if (params == nullptr) return;
  const UnitVector heading = cGame::unitVector(getPixelX(), getPixelY(), tx, ty, true);
  params->set(1, heading.x);
  params->set(2, heading.y);
  params->set(3, 0);
  const int32_t length = cActorEnemy::approximateDistance(tx - getPixelX(), ty - getPixelY());
  const int32_t flight = length / 10 + 10;
  params->set(4, static_cast<int32_t>((int64_t{length} << 8) / flight));
  params->set(5, 5 * flight * 512 / 2);
  params->set(0, 0);
  params->set(6, d);
  params->set(7, 2000);
  setSprite(shell::spriteAt(projectileSprite));
  setAnim(2, -1);
  flags |= ActorFlags::RESTORED;
  setZ(256);
  IntArray* position = newIntArray(3);
  if (position != nullptr) {
    position->set(0, x);
    position->set(1, y);
    cActor* shadow = cActor::create(ActorKind::BARRIER, 0, position);
    if (shadow != nullptr) {
      shadow->setSprite(shell::spriteAt(projectileSprite));
      shadow->setAnim(10, -1);
      shadow->flags |= ActorFlags::ACTIVE | ActorFlags::RESTORED;
      cGame::stampFootprint(shadow, 0, 4, false);
      neighbours = shadow;
    }
  }
  setFootprint(0, 50, 100, 100);  // {-50, -50, 100, 100}
}
