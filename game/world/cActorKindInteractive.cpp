// The interactive object (ActorKind 63): the player's action key opens its
// interaction mode.
#include "game/shell/cGame.h"
#include "game/world/cActor.h"

// True when the object was there to be used, whether or not a mode opened:
// the player then neither strikes nor uses anything else in reach.
bool cActor::interact() {
  if (isKilledOrNotActive()) return false;
  cGame::startInteraction(this);
  return true;
}
