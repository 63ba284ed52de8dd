// The behaviours of the scene-object kinds, which the update switch calls.
// Each kind's own behaviour replaces this stand-in; until then they stand
// still.
#include "game/shell/StandIns.h"
#include "game/world/cActor.h"

void cActor::storeWatchedFlags() {}
void cActor::putDownBeside(cActor*) { standIn("cActor::putDownBeside"); }
bool cActor::isMachineHit() { return standIn("cActor::isMachineHit", 0) != 0; }
bool cActor::sideContact(cActor*, int32_t) { return standIn("cActor::sideContact", 0) != 0; }
int32_t cActor::findDetour(cActor*, int32_t, int32_t, int32_t) { return standIn("cActor::findDetour", -1); }
void cActor::setLiftState(int32_t n) { standIn("cActor::setLiftState", n); }
void cActor::setMoverTarget(int32_t a, int32_t, int32_t, bool) { standIn("cActor::setMoverTarget", a); }
bool cActor::touchesForWalk(cActor*) { return standIn("cActor::touchesForWalk", 0) != 0; }
void cActor::startPutDown() { standIn("cActor::startPutDown"); }
void cActor::throwLifted(cActor*) { standIn("cActor::throwLifted"); }
