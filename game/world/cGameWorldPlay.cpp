// The world's share of cGame's class initialiser and the frame-of-play
// queries the world's painters ask.
#include "game/GameStatics.h"
#include "game/world/cGameWorld.h"

void cGameWorld::clinit() {
  cGamePlayStatics& play = worldStatics().cGamePlay;
  play.ringMode = -1;
  // The view keeps to its zone from the first room on.
  cGameCameraStatics& camera = worldStatics().cGameCamera;
  camera.zoneClamp = true;
  camera.currentZone = -1;
  camera.lastZone = -1;
  camera.outsideZones = true;
}

bool cGameWorld::isAnchoredPanelActive() { return worldStatics().cGamePlay.ringMode != -1; }
