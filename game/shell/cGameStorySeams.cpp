// What the shared operations call of the story and the world before those
// land: the cinematic screen, the countdown and the partners' carried
// items. Each body is the part's stand-in until its own file
// replaces it.
#include "game/shell/cGame.h"

void cGame::openCinematic(int32_t, int32_t, int32_t) {}
void cGame::setCinematicPosition(int32_t, int32_t) {}
void cGame::setCinematicPhase(int32_t) {}
bool cGame::isCinematicActive() { return false; }
int32_t cGame::cinematicPhase() { return -1; }
void cGame::setGameOverOption(int32_t) {}
void cGame::setCountdown(int32_t, int32_t) {}
void cGame::addScriptActor(cActor*) {}
// The counts stay as the last load or store left them.
void cGame::storeAllPartnerItemCounts() {}
// The room's story state, reset as a room is loaded or left.
void cGame::resetCutscenes() {}
void cGame::clearScripts() {}
void cGame::resetInteraction() {}
void cGame::resetPopup() {}
void cGame::closeCinematic() {}
void cGame::initConversationQueue() {}
void cGame::resetConversation() {}
// The story flag set and the 13-int table made for a room's start.
void cGame::resetStoryFlags() {}
