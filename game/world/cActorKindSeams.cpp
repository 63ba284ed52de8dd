// The behaviours of the scene-object kinds, which the update switch calls.
// Each kind's own behaviour replaces this stand-in; until then they stand
// still.
#include "game/shell/StandIns.h"
#include "game/world/cActor.h"

bool cActor::interact() { return standIn("cActor::interact", 0) != 0; }
