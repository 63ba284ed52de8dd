// Things that move by themselves along the floor: the path hazard (kind 20),
// which follows the route points and hurts the focus character, and the
// wandering critter (kind 21), which rests, runs off when touched and dies
// under a hazard.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActor.h"
#include "game/world/cActorMC.h"
#include "runtime/lang/Arrays.h"

namespace {

constexpr int32_t walkMask = 173;
constexpr int32_t runSpeed = 25600;  // 24.8 a second: 100 px
constexpr int32_t restMillis = 3000;
constexpr int32_t runMillis = 4000;
constexpr int32_t pauseMillis = 6000;
constexpr int32_t dyingMillis = 3000;
constexpr int32_t blinkMillis = 100;

enum CritterState { resting = 0, running = 1, pausing = 2, dying = 3 };

cActorMC* focusCharacter() {
  cActor* focus = worldStatics().cGamePlay.focusActor;
  if (focus == nullptr || Object::instanceOf(focus, classid::cActorMC) == 0) return nullptr;
  return static_cast<cActorMC*>(focus);
}

int32_t timeStep() { return shellStatics().cGameLoop.timeStep; }

// One axis toward the target: by the step while further, else onto it.
int32_t approach(int32_t from, int32_t to, int32_t step) {
  const int64_t distance = int64_t{to} - from;
  if (distance > step) return from + step;
  if (-distance > step) return from - step;
  return to;
}

// The up-or-left and down-or-right halves of the dying animations.
int32_t dyingAnimation(int32_t bit) { return bit == 0x400 || bit == 0x1000 ? 12 : 13; }

}  // namespace

void cActor::updatePathHazard() {
  if (isKilled()) return;
  if (isActive()) {
    IntArray* target = param(1) < 1 ? cGame::getPathNodePos(param(0)) : cGame::getNextPathNodePos(param(1));
    if (target != nullptr) {
      const int32_t step = static_cast<int32_t>(int64_t{param(2)} * timeStep() / 1000);
      const int32_t tx = target->get(0) << 8;
      const int32_t ty = target->get(1) << 8;
      setX(approach(x, tx, step));
      setY(approach(y, ty, step));
      if (getPixelX() == target->get(0) && getPixelY() == target->get(1)) {
        setParam(1, param(1) < 1 ? param(0) : cGame::getPathNodeNext(param(1)));
      }
    }
  }
  if (isNotActive()) return;
  cActorMC* character = focusCharacter();
  if (character != nullptr && frameTouchesBox(character, character->footprint)) {
    character->startDamageTimer(param(3));
  }
}

void cActor::setCritterState(int32_t state) {
  setParam(2, state);
  switch (state) {
    case resting:
      setAnim(directionCode(param(0)), -1);
      setParam(1, restMillis);
      break;
    case running: {
      static constexpr int32_t bits[] = {0x400, 0x1000, 0x800, 0x2000};
      setParam(0, bits[cGame::randomInRange(0, 4) & 3]);
      setAnim(directionCode(param(0)) + 4, -1);
      setParam(1, runMillis);
      break;
    }
    case pausing:
      setAnim(directionCode(param(0)) + 8, -1);
      setParam(1, pauseMillis);
      break;
    case dying:
      setAnim(dyingAnimation(param(0)), -1);
      setParam(1, dyingMillis);
      break;
    default:
      break;
  }
}

void cActor::updateCritter() {
  if (isKilled() || isNotActive() || player == nullptr) return;
  if (param(2) != dying) {
    if (isHitByPathHazard()) {
      setCritterState(dying);
      return;
    }
    if (param(2) != running) {
      cActorMC* character = focusCharacter();
      if (character != nullptr && cGame::boxesOverlap(interactBox, this, character->footprint, character)) {
        setCritterState(running);
      }
    }
  }
  const int32_t before = param(1);
  setParam(1, before - timeStep());
  const int32_t state = param(2);
  switch (state) {
    case resting:
      if (param(1) <= 0) setCritterState(pausing);
      break;
    case running: {
      const int32_t step = static_cast<int32_t>(int64_t{timeStep()} * runSpeed / 1000);
      int32_t nx = x;
      int32_t ny = y;
      switch (param(0)) {
        case 0x400: ny -= step; break;
        case 0x800: ny += step; break;
        case 0x1000: nx -= step; break;
        case 0x2000: nx += step; break;
        default: break;
      }
      const int32_t px = (nx + 128) >> 8;
      const int32_t py = (ny + 128) >> 8;
      if (nx > 0 && ny >= 1 && px < cGame::getMapWidth() && py < cGame::getMapHeight() &&
          !cGame::isBlockedAt(px, py, walkMask)) {
        setX(nx);
        setY(ny);
      } else {
        if (const int32_t back = reverseDirectionBit(param(0)); back != -1) setParam(0, back);
        setCritterState(pausing);
      }
      break;
    }
    case dying:
      if (before / blinkMillis != param(1) / blinkMillis) setFlag(ActorFlags::HIDDEN, !hasFlag(ActorFlags::HIDDEN));
      if (param(1) <= 0) kill();
      break;
    default:
      break;
  }
  if ((state == running || state == pausing) && param(1) < 1) setCritterState(resting);
}
