// What the creature and the person do of their own beyond the shared actor:
// their painters, animation choices and what the player character asks of
// them. Each body is the stand-in until the character's own behaviour
// replaces it; until then a character is painted as a plain actor is.
#include "game/GameStatics.h"
#include "game/shell/StandIns.h"
#include "game/shell/cGame.h"
#include "game/world/cActorEnemy.h"
#include "game/world/cActorMC.h"
#include "game/world/cActorNPC.h"

namespace {

void paintAsPlainActor(cActor* actor) {
  if (actor->isKilled() && !actor->alwaysPaint) return;
  if (actor->hasFlag(ActorFlags::HIDDEN)) return;
  const cGamePlayStatics& play = worldStatics().cGamePlay;
  actor->screenX = actor->getPixelX() - play.cameraPixelX;
  actor->screenY = actor->getPixelY() - play.cameraPixelY;
  actor->paintPlayer(true);
  actor->repaintOccludingTiles();
}

}  // namespace

void cActorEnemy::paint() { paintAsPlainActor(this); }
bool cActorEnemy::isFacingRight() { return (direction & DirectionMask::RIGHT) != 0; }
int32_t cActorEnemy::getStateAnim() { return -1; }

// The answers follow the creature's states; the blow is only reported.
bool cActorEnemy::takeBlow(int32_t blowKind, int32_t, int32_t) {
  return standIn("cActorEnemy::takeBlow", blowKind) != 0;
}
bool cActorEnemy::isDefeated() { return hp < 1 || state == 104; }
bool cActorEnemy::isIdleOrdinary() {
  const int32_t type = param(0);
  return standIn("cActorEnemy::isIdleOrdinary", (state == 0 || state == 1 || state == 105) && type != 1 && type != 2) != 0;
}
bool cActorEnemy::isOutOfPlay() { return state == 26 || state == 100; }
bool cActorEnemy::isStunnedOrCollapsed() { return state == 102 || state == 106; }
bool cActorEnemy::isSubdued() { return hp >= 1 && state == 107; }
bool cActorEnemy::blocksStrongBlow() { return standIn("cActorEnemy::blocksStrongBlow", 0) != 0; }

void cActorNPC::paint() { paintAsPlainActor(this); }
bool cActorNPC::canTalkTo(cActor* actor) {
  return actor != nullptr && standIn("cActorNPC::canTalkTo", touches(actor) ? 1 : 0) != 0;
}

void cActorMC::paintExtras() { standIn("cActorMC::paintExtras"); }
void cActorEnemy::paintCones() { standIn("cActorEnemy::paintCones"); }
