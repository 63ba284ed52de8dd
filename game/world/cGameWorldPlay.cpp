// The world's share of cGame's class initialiser and the frame-of-play
// queries the world's painters ask.
#include "game/GameStatics.h"
#include "game/world/cGameWorld.h"

void cGameWorld::clinit() {
  cGamePlayStatics& play = worldStatics().cGamePlay;
  play.ringMode = -1;
}

bool cGameWorld::isAnchoredPanelActive() { return worldStatics().cGamePlay.ringMode != -1; }
