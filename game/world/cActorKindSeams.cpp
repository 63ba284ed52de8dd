// The behaviours of the scene-object kinds, which the update switch calls.
// Each kind's own behaviour replaces this stand-in; until then they stand
// still.
#include "game/world/cActor.h"

void cActor::runKindBehaviour() {}
void cActor::storeWatchedFlags() {}
