// The room snapshot, a copy in memory of every actor of the room and a few
// room values, written when the room has loaded and at snapshot triggers;
// and the room's route points.
#include <algorithm>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActorMC.h"
#include "runtime/glue/ElementAccess.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"

namespace {

cGameRoomStatics& room() { return worldStatics().cGameRoom; }

constexpr int32_t counterCount = 13;
constexpr int32_t carriedSlots = 15;

int32_t pixels(int32_t v) { return (v + 128) >> 8; }

int32_t boundId(const cActor* actor) {
  return actor->boundActor != nullptr && actor->bindRecord != nullptr && actor->boundActor->id >= 1
             ? actor->boundActor->id
             : -1;
}

int32_t paramsWritten(const cActor* actor) {
  if (actor->params == nullptr) return 0;
  return std::min({actor->paramCount, actor->params->length(), 255});
}

// The carried-item slots a character writes: {slot, item id, count} each.
IntArray* carriedSlot(cActor* actor, int32_t slot) {
  if (actor->kind != ActorKind::PLAYER) return nullptr;
  ObjectArray* items = static_cast<cActorMC*>(actor)->items;
  if (items == nullptr || slot >= items->length()) return nullptr;
  auto* entry = static_cast<IntArray*>(items->get(slot));
  return entry != nullptr && entry->length() >= 2 && entry->get(0) > 0 ? entry : nullptr;
}

int32_t recordBytes(cActor* actor) {
  int32_t size = 1 + 2 + 6 + 2 + 4 + 2 + 2 + 1 + 4 * paramsWritten(actor);
  if (boundId(actor) >= 1) size += 24;
  if (actor->kind == ActorKind::PLAYER) {
    size += 1;
    for (int32_t slot = 0; slot < carriedSlots; ++slot) size += carriedSlot(actor, slot) != nullptr ? 3 : 0;
  }
  return size;
}

void writeActorRecord(cActor* actor) {
  cGame::writeByte(actor->kind);
  cGame::writeShort(actor->id);
  cGame::writeShort(pixels(actor->x));
  cGame::writeShort(pixels(actor->y));
  cGame::writeShort(pixels(actor->z));
  cGame::writeShort(actor->hp);
  cGame::writeInt(actor->flags);
  cGame::writeShort(actor->player != nullptr ? actor->player->anim : -1);
  const int32_t bound = boundId(actor);
  cGame::writeShort(bound);
  if (bound >= 1) cGame::writeIntArray(actor->bindRecord, 0, 6);
  const int32_t n = paramsWritten(actor);
  cGame::writeByte(n);
  if (n > 0) cGame::writeIntArray(actor->params, 0, n);
  if (actor->kind != ActorKind::PLAYER) return;
  for (int32_t slot = 0; slot < carriedSlots; ++slot) {
    IntArray* entry = carriedSlot(actor, slot);
    if (entry == nullptr) continue;
    cGame::writeByte(slot);
    cGame::writeByte(std::min(entry->get(0), 255));
    cGame::writeByte(std::clamp(entry->get(1), 0, 255));
  }
  cGame::writeByte(0xFF);
}

}  // namespace

void cGameWorld::resetRoutePoints() { room().pathNodeCount = 0; }

void cGameWorld::addPathNode(int32_t id, int32_t x, int32_t y, int32_t next) {
  cGameRoomStatics& state = room();
  if (state.pathNodes == nullptr) return;
  if (state.pathNodeCount >= cGameRoomStatics::routePointCapacity) {
    debugLog("Route point table full: point %d is dropped", id);
    return;
  }
  const int32_t at = 4 * state.pathNodeCount++;
  state.pathNodes->set(at, id);
  state.pathNodes->set(at + 1, x);
  state.pathNodes->set(at + 2, y);
  state.pathNodes->set(at + 3, next);
}

namespace {

// The first route point with that id, -1 when none.
int32_t findRoutePoint(int32_t id) {
  const cGameRoomStatics& state = room();
  if (state.pathNodes == nullptr) return -1;
  const int32_t count = std::min(state.pathNodeCount, cGameRoomStatics::routePointCapacity);
  for (int32_t i = 0; i < count; ++i) {
    if (state.pathNodes->get(4 * i) == id) return i;
  }
  return -1;
}

}  // namespace

IntArray* cGameWorld::getPathNodePos(int32_t id) {
  if (id < 1) return nullptr;
  const int32_t i = findRoutePoint(id);
  if (i < 0) return nullptr;
  IntArray* point = newIntArray(2);
  if (point == nullptr) return nullptr;
  point->set(0, room().pathNodes->get(4 * i + 1));
  point->set(1, room().pathNodes->get(4 * i + 2));
  return point;
}

IntArray* cGameWorld::getNextPathNodePos(int32_t id) {
  const int32_t i = findRoutePoint(id);
  return i < 0 ? nullptr : getPathNodePos(room().pathNodes->get(4 * i + 3));
}

int32_t cGameWorld::getPathNodeNext(int32_t id) {
  const int32_t i = findRoutePoint(id);
  return i < 0 ? -1 : room().pathNodes->get(4 * i + 3);
}

void cGameWorld::clearRoomSnapshot() {
  room().roomSnapshot = nullptr;
  room().snapshotAction = -1;
}

bool cGameWorld::hasRoomSnapshot() { return room().roomSnapshot != nullptr; }

void cGameWorld::snapshotRoomState(bool notify, int32_t action) {
  cGameRoomStatics& state = room();
  state.roomSnapshot = nullptr;
  state.snapshotAction = action;
  ByteArray* buffer = newByteArray(cGameRoomStatics::snapshotBytes);
  if (buffer == nullptr) return;
  state.roomSnapshot = buffer;
  cGame::set(buffer, 2);
  const cGameCountdownStatics& countdown = storyStatics().cGameCountdown;
  cGame::writeShort(countdown.countdownMs / 1000);
  cGame::writeShort(countdown.countdownAction);
  // Bonus seconds the countdown gets back when the room is replayed.
  cGame::writeShort(state.snapshotTrigger);
  cGame::writeShort(worldStatics().cGameEffects.particleMode);
  cGame::writeBoolean(worldStatics().cGamePlay.actionButtonEnabled);
  IntArray* counters = shellStatics().cGameShared.results;
  for (int32_t i = 0; i < counterCount; ++i) cGame::writeShort(counters != nullptr ? counters->get(i) : 0);
  cActor* focus = worldStatics().cGamePlay.focusActor;
  cGame::writeShort(focus != nullptr ? focus->id : -1);
  for (cActor* actor = cActor::layerHead(0); actor != nullptr; actor = actor->nextInLayer) {
    actor->flags &= ~ActorFlags::RESTORED;
    // A record that does not fit whole is not begun: the snapshot stays
    // readable and holds every actor before it.
    if (cGame::getPosition() + recordBytes(actor) > buffer->length()) {
      debugLog("Room snapshot full: actors from id %d on are not kept", actor->id);
      break;
    }
    writeActorRecord(actor);
  }
  const int32_t end = cGame::getPosition();
  cGame::restore();
  cGame::set(buffer, 0);
  cGame::writeShort(end);
  cGame::restore();
  if (notify) cGame::showHint(50, 3000, true);
}
