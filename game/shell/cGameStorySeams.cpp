// What the shared operations, the frame of play and the story's engine call
// of the story's parts before they land: the cinematic screen, the
// countdown, the key-prompt popup and the interactions. Each
// body is the part's stand-in until its own file replaces it; each reports
// its call (StandIns.h).
#include "game/GameStatics.h"
#include "game/shell/StandIns.h"
#include "game/shell/cGame.h"
#include "game/world/cActor.h"

void cGame::openCinematic(int32_t, int32_t kind, int32_t) { standIn("openCinematic", kind); }
void cGame::setCinematicObject(cActor* actor) { standIn("setCinematicObject", actor != nullptr ? actor->id : -1); }
void cGame::setCinematicPosition(int32_t, int32_t) {}
void cGame::setCinematicPhase(int32_t) {}
bool cGame::isCinematicActive() { return standIn("isCinematicActive", 0) != 0; }
int32_t cGame::cinematicPhase() { return standIn("cinematicPhase", -1); }
int32_t cGame::cinematicKind() { return standIn("cinematicKind", -1); }
void cGame::setGameOverOption(int32_t) {}
void cGame::setCountdown(int32_t milliseconds, int32_t) { standIn("setCountdown", milliseconds); }
// The room's story state, reset as a room is loaded or left.
void cGame::closeCinematic() {}
// The story flag set and the 13-int table made for a room's start.
void cGame::resetStoryFlags() {}

// What the frame of play steps and paints of the story: the cinematic, the
// choice, the timed events, the cutscene driver, the
// interaction modes, the countdown and the camera stops. A query answers
// that its part is idle.
void cGame::updateCinematic() { standIn("updateCinematic"); }
void cGame::paintCinematic() { standIn("paintCinematic"); }
bool cGame::isChoiceActive() { return standIn("isChoiceActive", 0) != 0; }
void cGame::closeChoice() { standIn("closeChoice"); }
void cGame::updateChoice() { standIn("updateChoice"); }
void cGame::paintChoice() { standIn("paintChoice"); }
bool cGame::updateTimedEvent() { return standIn("updateTimedEvent", 0) != 0; }
int32_t cGame::timedPhase() { return standIn("timedPhase", -1); }
void cGame::paintTimedEvent() { standIn("paintTimedEvent"); }
void cGame::paintTimerOverlay() { standIn("paintTimerOverlay"); }
// The chapter's own rule (progress index 3) holds whatever the target is.
bool cGame::isActionButtonSuppressed() {
  return standIn("isActionButtonSuppressed", shellStatics().cGameProgress.chapter == 3 ? 1 : 0) != 0;
}
void cGame::paintCountdownClock() { standIn("paintCountdownClock"); }
void cGame::updateCountdown() { standIn("updateCountdown"); }
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
cActor* cGame::sideViewTarget() { return nullptr; }

// What the player character calls of the story.
void cGame::openChoice(String*, int32_t type, cActor*, int32_t) { standIn("openChoice", type); }
void cGame::showCaption(int32_t, int32_t, int32_t n) { standIn("showCaption", n); }
void cGame::startTimedCaption(int32_t n) { standIn("startTimedCaption", n); }
void cGame::startCaptionSequence() { standIn("startCaptionSequence"); }
void cGame::startCaptionPhase(int32_t phase) { standIn("startCaptionPhase", phase); }
bool cGame::startButtonInteraction(cActor*) { return standIn("startButtonInteraction", 0) != 0; }
bool cGame::startGaugeInteraction(cActor*) { return standIn("startGaugeInteraction", 0) != 0; }
void cGame::updateTwoButtonGame() { standIn("updateTwoButtonGame"); }
void cGame::paintTwoButtonGame() { standIn("paintTwoButtonGame"); }
void cGame::updateGaugeGame() { standIn("updateGaugeGame"); }
void cGame::paintGaugeGame() { standIn("paintGaugeGame"); }
