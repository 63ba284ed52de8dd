// What the level data sets up on an actor beyond its fields: switching on
// and off, its direction bit, a path's points and a door's state.
#include "game/shell/cGame.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/LevelRecordFormat.h"
#include "game/world/cActor.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"

namespace {

constexpr int32_t barrierBit = 4;

}  // namespace

void cActor::activate() {
  flags |= ActorFlags::ACTIVE;
  // A closed barrier blocks the way.
  if (kind == ActorKind::BARRIER) cGame::stampFootprint(this, 0, barrierBit, false);
}

void cActor::deactivate() {
  flags &= ~ActorFlags::ACTIVE;
  if (kind == ActorKind::BARRIER) cGame::stampFootprint(this, 1, barrierBit, false);
}

int32_t cActor::directionBit(int32_t code) {
  switch (code) {
    case 0: case 4: case 8: return 0x400;
    case 1: case 5: case 9: case 12: return 0x1000;
    case 2: case 6: case 10: return 0x800;
    case 3: case 7: case 11: case 13: return 0x2000;
    default: return 0;
  }
}

void cActor::addPathPoint(int32_t px, int32_t py, int32_t value) {
  const int32_t count = param(0);
  if (count >= levelrecord::maxPathPoints) {
    debugLog("Path %d holds %d points; point (%d, %d) is dropped", id, levelrecord::maxPathPoints, px, py);
    return;
  }
  setParam(1 + 3 * count, px);
  setParam(2 + 3 * count, py);
  setParam(3 + 3 * count, value);
  setParam(0, count + 1);
}

void cActor::setBarrierOpen() {
  // An opening that is also the open look has already ended on it.
  if (player != nullptr && player->anim != param(1)) setAnim(param(1), 1);
  setParam(6, 0);
  cGame::stampFootprint(this, 1, barrierBit, false);
}

void cActor::setBarrierClosed() {
  if (player != nullptr) setAnim(param(2), 1);
  setParam(6, 2);
  cGame::stampFootprint(this, 0, barrierBit, false);
}
