// What the characters do of their own beyond the shared actor: their
// painters and animation choices. Each body is the stand-in until the
// character's own behaviour replaces it; until then a character is painted
// as a plain actor is.
#include "game/GameStatics.h"
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

void cActorMC::paint() { paintAsPlainActor(this); }
int32_t cActorMC::getActionAnim() { return -1; }

void cActorEnemy::paint() { paintAsPlainActor(this); }
bool cActorEnemy::isFacingRight() { return (direction & DirectionMask::RIGHT) != 0; }
int32_t cActorEnemy::getStateAnim() { return -1; }

void cActorNPC::paint() { paintAsPlainActor(this); }
