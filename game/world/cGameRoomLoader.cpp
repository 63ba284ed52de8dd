// Reading a room's level-record stream: the header, the route points, camera
// zones, items, combinations and actions, the chains of hotspots and the
// paths. The actor records are made in cGameRoomRecords.cpp.
//
// Every record is checked against the bytes left before it is read: a
// stream cut inside a record stops the load there with one log line, and
// the room keeps what was read before it.
#include "game/world/cGameRoomLoader.h"

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/world/LevelRecordFormat.h"
#include "game/world/cActor.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"

namespace {

cGameRoomStatics& room() { return worldStatics().cGameRoom; }

void readHeader(RoomLoad& load) {
  room().roomSpriteSet = levelrecord::roomSpriteSet(cGame::readUnsignedByte());
  load.startId = cGame::readUnsignedShort();
  load.startActionId = cGame::readShort();
  room().roomAltPalette = cGame::readBoolean();
  storyStatics().cGameCountdown.countdownMs = cGame::readShort() * 1000;
  shellStatics().cGameProgress.roomFlag = cGame::readBoolean();
}

void readRoutePoint() {
  const int32_t id = cGame::readUnsignedShort();
  const int32_t x = cGame::readShort();
  const int32_t y = cGame::readShort();
  const int32_t next = cGame::readShort();
  cGame::addPathNode(id, x, y, next);
}

void readCameraZone() {
  const int32_t id = cGame::readUnsignedShort();
  int32_t values[8];
  for (int32_t& value : values) value = cGame::readShort();
  cGame::addCameraZone(id, values[0], values[1], values[2], values[3], values[4], values[5], values[6], values[7]);
}

void readItem(RoomLoad& load) {
  // Ids restart in every stream, so an item of a later stream of the same
  // load would take the place of one that the records read before already
  // refer to; the first definition stays.
  const int32_t id = load.itemCounter++;
  if (cGame::isItemDefined(id)) {
    debugLog("Level data: item %d is defined by an earlier stream; this record is dropped", id);
    cGame::skip(levelrecord::bodySize(levelrecord::op::item));
    return;
  }
  IntArray* record = newIntArray(7);
  if (record == nullptr) {
    cGame::skip(levelrecord::bodySize(levelrecord::op::item));
    return;
  }
  record->set(0, cGame::readUnsignedByte() + levelrecord::spriteSlotOffset);
  record->set(1, cGame::readShort());
  record->set(2, cGame::readByte());
  record->set(3, cGame::readUnsignedByte() + levelrecord::itemNameTextOffset);
  record->set(4, cGame::readUnsignedByte() + levelrecord::itemDescriptionTextOffset);
  record->set(5, cGame::readByte());
  record->set(6, cGame::readShort());
  cGame::setItemRecord(record, id);
}

void readCombination() {
  IntArray* record = newIntArray(3);
  if (record == nullptr) {
    cGame::skip(levelrecord::bodySize(levelrecord::op::combination));
    return;
  }
  for (int32_t i = 0; i < 3; ++i) record->set(i, cGame::readShort());
  cGame::addCombinationRecord(record);
}

// The record whole, from its opcode byte on.
void readAction(int32_t opcode) {
  const int32_t size = 1 + levelrecord::bodySize(static_cast<uint8_t>(opcode));
  ByteArray* record = newByteArray(size);
  if (record == nullptr) {
    cGame::skip(size - 1);
    return;
  }
  record->set(0, static_cast<int8_t>(opcode));
  for (int32_t i = 1; i < size; ++i) record->set(i, static_cast<int8_t>(cGame::readUnsignedByte()));
  cGame::addAction(record);
}

// The chain and path runs end at the first record that does not continue
// them; so does the object the next hotspot links to.
void endRuns(RoomLoad& load, int32_t opcode) {
  if (load.chainRun && opcode != levelrecord::op::hotspot && opcode != levelrecord::op::chainGap) {
    load.chainRun = false;
    load.previous = nullptr;
  } else if (load.pathRun && opcode != levelrecord::op::pathPoint) {
    load.pathRun = false;
    load.previous = nullptr;
  }
}

}  // namespace

void cGameWorld::loadRoomObjects(ByteArray* data) {
  if (data == nullptr) {
    debugLog("Level data missing: no objects loaded");
    return;
  }
  cGame::set(data, 0);
  RoomLoad load;
  load.position = newIntArray(3);
  while (cGame::hasMore()) {
    const int32_t at = cGame::getPosition();
    const int32_t opcode = cGame::readUnsignedByte();
    const int32_t body = levelrecord::bodySize(static_cast<uint8_t>(opcode));
    if (data->length() - cGame::getPosition() < body) {
      debugLog("Level data cut short: record %d at byte %d needs %d bytes, %d are left; the rest of the room is "
               "not loaded",
               opcode, at, body, data->length() - cGame::getPosition());
      break;
    }
    // A creature's parameters reach index 25; the others stop below it.
    load.params = newIntArray(30);
    endRuns(load, opcode);
    switch (opcode) {
      case levelrecord::op::header: readHeader(load); break;
      case levelrecord::op::routePoint: readRoutePoint(); break;
      case levelrecord::op::cameraZone: readCameraZone(); break;
      case levelrecord::op::item: readItem(load); break;
      case levelrecord::op::combination: readCombination(); break;
      default:
        if (levelrecord::isAction(static_cast<uint8_t>(opcode))) readAction(opcode);
        else if (body > 0) readActorRecord(load, opcode);
        break;
    }
  }
  cGame::restore();
  // An id below 1 is no action, even where an action carries it.
  room().startActionIndex = load.startActionId >= 1 ? cGame::findActionById(load.startActionId) : -1;
}

void cGameWorld::setFocusActor(cActor* actor) {
  cGamePlayStatics& play = worldStatics().cGamePlay;
  play.focusActor = actor;
  if (actor == nullptr) return;
  play.lastFocusX = actor->getPixelX();
  play.lastFocusY = actor->getPixelY();
}
