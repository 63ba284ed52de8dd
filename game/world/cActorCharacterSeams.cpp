// What the characters leave to parts that land later. Each body is the
// stand-in until its own part replaces it.
#include "game/GameStatics.h"
#include "game/shell/StandIns.h"
#include "game/shell/cGame.h"
#include "game/world/cActorMC.h"

void cActorMC::paintExtras() { standIn("cActorMC::paintExtras"); }
