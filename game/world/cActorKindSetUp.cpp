// Each kind's set-up after the room is loaded (the virtual reset): the
// breakable objects among the barriers, the movers, sliders, sensors,
// critters, machines, spawners and doors start afresh.
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActor.h"

namespace {

constexpr int32_t breakableSprite = 31;

bool isBreakableAnimation(int32_t anim) { return anim == 42 || anim == 46 || (anim >= 31 && anim <= 33); }

}  // namespace

void cActor::reset() {
  switch (kind) {
    case ActorKind::BARRIER:
      if (player != nullptr && player->sprite != nullptr && player->sprite == shell::spriteAt(breakableSprite)) {
        if (isBreakableAnimation(player->anim)) initBreakable(player->anim);
      }
      break;
    case ActorKind::MOVER:
      setParam(0, 0);
      break;
    case ActorKind::SLIDER:
      setAnim(param(0), -1);
      setParam(6, 0);
      break;
    case ActorKind::SENSOR:
      setParam(15, 0);
      setParam(14, 0);
      setParam(1, 0);
      setAnim(param(0), -1);
      neighbours = nullptr;
      break;
    case ActorKind::CRITTER:
      setFlag(ActorFlags::HIDDEN, false);
      break;
    case ActorKind::BEHAVIOUR_MACHINE:
      behaviourMode = 0;
      kindState = param(0);
      break;
    case ActorKind::SPAWNER:
      // The last drop, a waiting drop and the catcher's contact frames carry
      // over.
      kindState = param(0);
      spawnerStatus = 0;
      childMade = false;
      spawnerStep = 0;
      launchState = 0;
      riserStep = 0;
      spawnerTriggered = false;
      spawnerMoving = false;
      break;
    case ActorKind::BARRIER_SWITCH:
      setAnim(param(6) != 0 ? param(2) : param(1), 1);
      break;
    default:
      break;
  }
}
