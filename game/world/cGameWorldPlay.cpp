// The world's share of cGame's class initialiser and the frame-of-play
// queries the world's painters ask.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/world/cGameWorld.h"
#include "runtime/lang/Arrays.h"

void cGameWorld::clinit() {
  *cGame::stateHandlerSlot(GameState::inGame) = &stateInGame;
  resetTimerRing();
  cGameRoomStatics& room = worldStatics().cGameRoom;
  room.spawnedObjects = newObjectArray(10);
  room.pathNodes = newIntArray(4 * cGameRoomStatics::routePointCapacity);
  room.startActionIndex = -1;
  room.snapshotAction = -1;
  // The view keeps to its zone from the first room on.
  cGameCameraStatics& camera = worldStatics().cGameCamera;
  camera.zoneClamp = true;
  camera.currentZone = -1;
  camera.lastZone = -1;
  camera.outsideZones = true;
}

void cGameWorld::forgetRoomActors() {
  worldStatics().cGamePlay.focusActor = nullptr;
  cGameRoomStatics& room = worldStatics().cGameRoom;
  room.targetActor = nullptr;
  worldStatics().cGameEffects.sideViewTarget = nullptr;
  if (room.spawnedObjects != nullptr) {
    for (int32_t i = 0; i < room.spawnedObjects->length(); ++i) room.spawnedObjects->set(i, nullptr);
  }
}

void cGameWorld::clearHint() {
  cGameNoticeStatics& notice = shellStatics().cGameNotice;
  notice.noticeText = nullptr;
  notice.noticeRemaining = 0;
  notice.noticeIcon = nullptr;
  notice.noticeY = 0;
}
