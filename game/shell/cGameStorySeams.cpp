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
// The chapter's own rule (progress index 3) holds whatever the target is.
bool cGame::isActionButtonSuppressed() {
  return standIn("isActionButtonSuppressed", shellStatics().cGameProgress.chapter == 3 ? 1 : 0) != 0;
}
bool cGame::interactionOverWorld() { return standIn("interactionOverWorld", 0) != 0; }
void cGame::paintInteraction() { standIn("paintInteraction"); }
// The marker is shown over the actor; its icon is not chosen yet.
void cGame::showActorMarker(cActor* actor, int32_t dx, int32_t dy, int32_t reason) {
  standIn("showActorMarker", reason);
  if (actor == nullptr) return;
  cGameEffectsStatics& marker = worldStatics().cGameEffects;
  marker.markerActor = actor;
  marker.markerX = dx + actor->getPixelX();
  marker.markerY = dy + actor->getPixelY();
  marker.markerShown = true;
}
void cGame::clampCameraAtBlockers() { standIn("clampCameraAtBlockers"); }

// What the player character calls of the story.
bool cGame::startButtonInteraction(cActor*) { return standIn("startButtonInteraction", 0) != 0; }
