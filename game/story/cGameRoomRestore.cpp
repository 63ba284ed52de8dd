// The retry after game over: the room goes back to its snapshot (the
// countdown, the action button, the counters, the focus character and each
// actor's place, health, flags, animation, binding and parameters); actors
// made since are taken away and the room's start action runs again.
#include <algorithm>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActorMC.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/ObjectArray.h"

namespace {

constexpr int32_t counterCount = 13;
constexpr int32_t retryCounter = 7;
constexpr int32_t carriedSlots = 15;
constexpr int32_t bindingValues = 6;
constexpr int32_t scriptSpawned = 512;

// Reads the snapshot's little-endian values up to its written length; a read
// past it fails the reader and yields 0, so a damaged record is passed
// over and nothing past the snapshot is read.
struct SnapshotReader {
  ByteArray* bytes;
  int32_t pos;
  int32_t end;
  bool ok = true;

  int32_t u8() {
    if (!ok || pos >= end) {
      ok = false;
      return 0;
    }
    return bytes->get(pos++) & 0xFF;
  }
  int32_t s8() { return static_cast<int8_t>(u8()); }
  int32_t s16() {
    const int32_t lo = u8();
    return static_cast<int16_t>(lo | (u8() << 8));
  }
  int32_t s32() {
    const int32_t a = u8(), b = u8(), c = u8(), d = u8();
    return static_cast<int32_t>(uint32_t(a) | (uint32_t(b) << 8) | (uint32_t(c) << 16) | (uint32_t(d) << 24));
  }
};

struct Carried {
  int32_t slot, item, count;
};

struct ActorRecord {
  int32_t kind, id, x, y, z, hp, flags, anim, bound;
  int32_t binding[bindingValues];
  IntArray* params;
  int32_t paramCount;
  Carried carried[carriedSlots];
  int32_t carriedCount;
};

bool readRecord(SnapshotReader& in, ActorRecord& r) {
  r.kind = in.u8();
  r.id = in.s16();
  r.x = in.s16();
  r.y = in.s16();
  r.z = in.s16();
  r.hp = in.s16();
  r.flags = in.s32();
  r.anim = in.s16();
  r.bound = in.s16();
  if (r.bound > 0) {
    for (int32_t& v : r.binding) v = in.s32();
  }
  r.paramCount = in.u8();
  r.params = r.paramCount > 0 ? newIntArray(r.paramCount) : nullptr;
  for (int32_t i = 0; i < r.paramCount; ++i) {
    const int32_t v = in.s32();
    if (r.params != nullptr) r.params->set(i, v);
  }
  r.carriedCount = 0;
  if (r.kind == ActorKind::PLAYER) {
    for (;;) {
      const int32_t slot = in.s8();
      if (slot < 0 || !in.ok) break;
      // Item ids and counts are written 0..255: read unsigned.
      const int32_t item = in.u8();
      const int32_t count = in.u8();
      if (slot < carriedSlots && r.carriedCount < carriedSlots) r.carried[r.carriedCount++] = {slot, item, count};
    }
  }
  return in.ok;
}

// The player's own record puts the focus character back at rest, with no
// action marker over anything.
void settleFocusCharacter() {
  cActor* focus = worldStatics().cGamePlay.focusActor;
  if (focus != nullptr && Object::instanceOf(focus, classid::cActorMC) != 0) static_cast<cActorMC*>(focus)->setState(0);
  cGameEffectsStatics& marker = worldStatics().cGameEffects;
  marker.markerPlayer = nullptr;
  marker.markerShown = false;
  marker.markerPainted = false;
  marker.markerX = 0;
  marker.markerY = 0;
  if (focus != nullptr && focus->player != nullptr) focus->setAnim(0, 1);
}

void applyRecord(const ActorRecord& r, cActor* actor) {
  int32_t x = actor->x, y = actor->y, z = actor->z;
  bool moved = false;
  auto place = [&moved](int32_t& field, int32_t pixels) {
    const int32_t value = pixels << 8;
    moved = moved || field != value;
    field = value;
  };
  place(x, r.x);
  place(y, r.y);
  place(z, r.z);
  actor->x = x;
  actor->y = y;
  actor->z = z;
  actor->hp = r.kind == ActorKind::PLAYER_VARIANT && shellStatics().cGameProgress.sideViewMode ? std::max(r.hp, 50)
                                                                                                : r.hp;
  actor->flags = r.flags;
  if (moved) actor->flags |= ActorFlags::MOVED;
  if (actor->player != nullptr && r.anim >= 0) actor->setAnim(r.anim, -1);
  if (r.bound > 0) {
    auto px = [](int32_t v) { return (v + 128) >> 8; };
    actor->bindToActor(r.bound, px(r.binding[0]), px(r.binding[1]), px(r.binding[2]), px(r.binding[3]));
  } else {
    actor->bindToActor(-1, 0, 0, 0, 0);
  }
  actor->setParams(r.params, r.paramCount);
  actor->reset();
  if (r.kind == ActorKind::PLAYER) {
    auto* partner = static_cast<cActorMC*>(actor);
    partner->items = newObjectArray(carriedSlots);
    for (int32_t i = 0; i < r.carriedCount && partner->items != nullptr; ++i) {
      IntArray* entry = newIntArray(2);
      if (entry == nullptr) break;
      entry->set(0, r.carried[i].item);
      entry->set(1, r.carried[i].count);
      partner->items->set(r.carried[i].slot, entry);
    }
  }
  if (r.kind == ActorKind::PLAYER_VARIANT) settleFocusCharacter();
  if (r.kind == ActorKind::SPAWNER) {
    // Its count starts again from its sub-kind, its sequence from the top.
    actor->kindState = actor->param(0);
    actor->spawnerStep = 0;
    if (r.anim >= 0 && actor->player != nullptr) actor->setAnim(r.anim, 1);
  }
}

// Actors made since the snapshot leave layer list 0: spawned creatures and
// behaviour machines are killed first, script-made actors just go.
void dropLaterActors() {
  cActor* actor = cActor::layerHead(0);
  while (actor != nullptr) {
    cActor* next = actor->nextInLayer;
    if (actor->kind == ActorKind::BEHAVIOUR_MACHINE || actor->kind == ActorKind::SPAWNED) {
      actor->kill();
      actor->unlink();
    } else if ((actor->flags & scriptSpawned) != 0) {
      actor->unlink();
    }
    actor = next;
  }
}

}  // namespace

void cGameStory::restoreRoomSnapshot() {
  cGameRoomStatics& room = worldStatics().cGameRoom;
  ByteArray* bytes = room.roomSnapshot;
  if (bytes == nullptr) return;
  debugLog("cGame: the room is restored from its snapshot");
  SnapshotReader in{bytes, 0, bytes->length()};
  in.end = std::clamp(in.s16(), 0, bytes->length());

  const int32_t seconds = in.s16();
  cGame::setCountdown(seconds * 1000, in.s16());
  const int32_t bonusSeconds = in.s16();
  // The trigger's bonus seconds extend a running countdown.
  if (cGame::isCountdownActive() && bonusSeconds > 0)
    cGame::setCountdown(storyStatics().cGameCountdown.countdownMs + bonusSeconds * 1000,
                        storyStatics().cGameCountdown.countdownAction);

  worldStatics().cGameEffects.particleMode = in.s16();
  worldStatics().cGamePlay.actionButtonEnabled = in.u8() != 0;

  IntArray* counters = shellStatics().cGameShared.results;
  for (int32_t i = 0; i < counterCount; ++i) {
    const int32_t stored = in.s16();
    if (counters == nullptr || i >= counters->length()) continue;
    if (i == retryCounter) counters->set(i, std::min(counters->get(i) + 1, 32767));
    else counters->set(i, stored);
  }

  const int32_t focusId = in.s16();
  cActor* focus = worldStatics().cGamePlay.focusActor;
  if (focusId >= 1 && (focus == nullptr || focus->id != focusId)) cGame::selectPlayer(focusId);

  while (in.ok && in.pos < in.end) {
    ActorRecord record{};
    if (!readRecord(in, record)) {
      debugLog("restoreRoomSnapshot: a record runs past the snapshot's end");
      break;
    }
    if (cActor* actor = cActor::findById(record.id)) applyRecord(record, actor);
  }

  dropLaterActors();
  cGame::clearDynamicBlocking();
  cGame::restampAllFootprints();
  cGame::resetCamera();
  cGame::updateCamera();
  if (cActor* settled = worldStatics().cGamePlay.focusActor)
    cGame::moveWithBlockers(settled, settled->getPixelX(), settled->getPixelY(), true);

  cGame::stopCaptionSequence();
  cGame::setPlayerControl(true);
  cGame::runAction(cGame::findActionById(room.snapshotAction));
  cGame::startFallingParticles(0);
  worldStatics().cGameEffects.particleMode = 0;
  worldStatics().cGamePlay.damageFlashTime = 0;
  cGame::clearHint();
}
