// The behaviours of the scene-object kinds, which the update switch calls.
// Each kind's own behaviour replaces this stand-in; until then they stand
// still.
#include "game/shell/StandIns.h"
#include "game/world/cActor.h"

void cActor::storeWatchedFlags() {}
bool cActor::isMachineHit() { return standIn("cActor::isMachineHit", 0) != 0; }
bool cActor::interact() { return standIn("cActor::interact", 0) != 0; }
bool cActor::sideContact(cActor*, int32_t) { return standIn("cActor::sideContact", 0) != 0; }
int32_t cActor::findDetour(cActor*, int32_t, int32_t, int32_t) { return standIn("cActor::findDetour", -1); }
void cActor::setMoverTarget(int32_t a, int32_t, int32_t, bool) { standIn("cActor::setMoverTarget", a); }
bool cActor::touchesForWalk(cActor*) { return standIn("cActor::touchesForWalk", 0) != 0; }
bool cActor::inRegion(int32_t, int32_t, cActor*, int32_t, int32_t, int32_t) { return standIn("cActor::inRegion", 0) != 0; }
bool cActor::bounceStep(bool, int32_t) { return standIn("cActor::bounceStep", 0) != 0; }
void cActor::placeInFormation(cActor*, int32_t index) { standIn("cActor::placeInFormation", index); }
