// What a room load calls of the world and the story before those land. Each
// body is the part's stand-in until its own file replaces it; the level
// data's readers only step past their data.
#include "game/GameStatics.h"
#include "game/shell/StandIns.h"
#include "game/shell/cGame.h"

// The camera's zone tables, filled by the level data.
void cGame::initCameraZones() {}
// The camera back on the focus actor.
void cGame::resetCamera() {}
// One zone record: its 18 bytes are passed over.
void cGame::addCameraZone() { cGame::skip(18); }
// Any interaction left over from the previous room.
void cGame::leaveInteraction() {}
// The room's event script: its cutscenes and tracks indexed.
void cGame::loadEventScript(ByteArray*) {}
// A footprint's cells in the collision table.
void cGameWorld::stampFootprint(cActor*, int32_t, int32_t, bool) {}
// Every actor's footprint into the collision table.
void cGame::restampAllFootprints() {}
// The action table's entry runs (-1: nothing).
void cGame::runAction(int32_t) {}
// Timed events and the choice.
void cGame::clearRoomTimedState() {}
// The story's animation player (slot 34, animation 16).
void cGame::keepRoomAnimationPlayer(CVLibPlayer*) {}
// The 13-byte block of story flags.
void cGame::clearStoryFlagBlock() {}

// The camera's zone search and its step: the view stays where the map
// layers' scroll puts it, and every target counts as outside all zones.
void cGame::findCameraZone() { standIn("findCameraZone"); }
void cGame::updateCamera() { standIn("updateCamera"); }
bool cGame::outsideZones() { return standIn("outsideZones", 1) != 0; }
void cGame::setCameraTarget(cActor*, int32_t milliseconds) { standIn("setCameraTarget", milliseconds); }
