// What the shared operations, the frame of play and the story's engine call
// of the story's parts before they land: the cinematic screen, the
// countdown, the key-prompt popup and the interactions. Each
// body is the part's stand-in until its own file replaces it; each reports
// its call (StandIns.h).
#include "game/GameStatics.h"
#include "game/shell/StandIns.h"
#include "game/shell/cGame.h"
#include "game/world/cActor.h"

// The room's story state, reset as a room is loaded or left.
void cGame::resetInteraction() {}
// The story flag set and the 13-int table made for a room's start.
void cGame::resetStoryFlags() {}
void cGame::startInteraction(cActor* actor) { standIn("startInteraction", actor != nullptr ? actor->id : -1); }

// What the frame of play steps and paints of the story: the cinematic, the
// choice, the timed events, the cutscene driver, the
// interaction modes, the countdown and the camera stops. A query answers
// that its part is idle.
void cGame::updateInteraction() { standIn("updateInteraction"); }
bool cGame::isInteractionActive() { return standIn("isInteractionActive", 0) != 0; }
int32_t cGame::interactionKind() { return standIn("interactionKind", -1); }
bool cGame::interactionOverWorld() { return standIn("interactionOverWorld", 0) != 0; }
void cGame::paintInteraction() { standIn("paintInteraction"); }
