// The behaviours of the scene-object kinds, which the update switch calls.
// Each kind's own behaviour replaces this stand-in; until then they stand
// still.
#include "game/shell/StandIns.h"
#include "game/world/cActor.h"

void cActor::runKindBehaviour() {}
void cActor::storeWatchedFlags() {}
void cActor::putDownBeside(cActor*) { standIn("cActor::putDownBeside"); }
bool cActor::isMachineHit() { return standIn("cActor::isMachineHit", 0) != 0; }
cActor* cActor::dropItem(int32_t itemId, int32_t, int32_t, int32_t) {
  standIn("cActor::dropItem", itemId);
  return nullptr;
}
