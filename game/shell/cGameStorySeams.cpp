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
// The counts stay as the last load or store left them.
void cGame::storeAllPartnerItemCounts() {}
