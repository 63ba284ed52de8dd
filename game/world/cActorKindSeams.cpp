// The behaviours of the scene-object kinds, which the update switch calls.
// Each kind's own behaviour replaces this stand-in; until then they stand
// still.
#include "game/shell/StandIns.h"
#include "game/world/cActor.h"

void cActor::putDownBeside(cActor*) { standIn("cActor::putDownBeside"); }
bool cActor::interact() { return standIn("cActor::interact", 0) != 0; }
void cActor::setLiftState(int32_t n) { standIn("cActor::setLiftState", n); }
void cActor::startPutDown() { standIn("cActor::startPutDown"); }
void cActor::throwLifted(cActor*) { standIn("cActor::throwLifted"); }
