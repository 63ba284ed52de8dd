// The room's event script: the block indexed by cutscene and by track, the
// actors and sprites tracks address by slot, and each track's start and
// reset.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/story/EventScriptFormat.h"
#include "game/story/ScriptReader.h"
#include "game/toolkit/ASprite.h"
#include "game/world/cActorMC.h"
#include "runtime/glue/ElementAccess.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"

namespace {

namespace track = eventscript::track;

constexpr int32_t spawnedKind = ActorKind::BARRIER;
constexpr int32_t spawnedFlag = ActorFlags::RESTORED;
constexpr int32_t onTopSpriteSlot = 27;
constexpr int32_t onTopDepth = 999;
constexpr int32_t largestOffset = 32767;  // the offset and length tables are short

cGameEventScriptStatics& script() { return storyStatics().cGameEventScript; }
cGameCutsceneStatics& cutscene() { return storyStatics().cGameCutscene; }

bool isTrack(int32_t t) { return t >= 0 && t < script().trackCount; }

// The tables of one block, filled before any of them replaces the current
// ones, so that a refused block leaves none behind.
struct Index {
  int32_t cutsceneCount = 0;
  ShortArray* ids = nullptr;
  ByteArray* trackCounts = nullptr;
  int32_t trackCount = 0;
  ShortArray* offsets = nullptr;
  ShortArray* lengths = nullptr;
  ByteArray* types = nullptr;
  IntArray* flags = nullptr;
};

// Why the block is refused; null when it indexes whole.
const char* measureTrack(ScriptReader& in, Index& index, int32_t t) {
  const int32_t offset = in.position();
  if (offset > largestOffset) return "a track starts past 32767 bytes";
  const int32_t type = in.s8();
  const int32_t flags = in.s8();
  if (type < track::plain || type > track::spawn) return "a track's type is not 0..3";
  if (type == track::actor || type == track::spawn) in.skip(2);
  const int32_t keyframes = in.s16();
  if (in.damaged()) return "a track's header runs past the block's end";
  if (keyframes <= 0) return "a track has no keyframes";
  for (int32_t k = 0; k < keyframes; ++k) {
    in.skip(2);
    const int32_t commands = in.s8();
    if (commands < 0) return "a keyframe's command count is negative";
    for (int32_t c = 0; c < commands; ++c) {
      const int32_t operands = eventscript::operandBytes(static_cast<uint8_t>(in.u8()));
      if (operands < 0) return "opcode 32 or 35, whose size is not agreed, is used";
      in.skip(operands);
    }
    if (in.damaged()) return "a track runs past the block's end";
  }
  const int32_t length = in.position() - offset;
  if (length > largestOffset) return "a track is longer than 32767 bytes";
  index.offsets->set(t, static_cast<int16_t>(offset));
  index.lengths->set(t, static_cast<int16_t>(length));
  index.types->set(t, static_cast<int8_t>(type));
  index.flags->set(t, flags);
  return nullptr;
}

const char* indexBlock(ByteArray* data, Index& index) {
  ScriptReader in(data, 0);
  index.cutsceneCount = in.u8();
  index.ids = newShortArray(index.cutsceneCount);
  index.trackCounts = newByteArray(index.cutsceneCount);
  if (index.ids == nullptr || index.trackCounts == nullptr) return "no memory for its tables";
  for (int32_t i = 0; i < index.cutsceneCount; ++i) {
    index.ids->set(i, static_cast<int16_t>(in.s16()));
    const int32_t tracks = in.s8();
    if (tracks < 0) return "a cutscene's track count is negative";
    index.trackCounts->set(i, static_cast<int8_t>(tracks));
    index.trackCount += tracks;
  }
  if (in.damaged()) return "its cutscene table runs past the block's end";
  index.offsets = newShortArray(index.trackCount);
  index.lengths = newShortArray(index.trackCount);
  index.types = newByteArray(index.trackCount);
  index.flags = newIntArray(index.trackCount);
  if (index.offsets == nullptr || index.lengths == nullptr || index.types == nullptr || index.flags == nullptr)
    return "no memory for its tables";
  for (int32_t t = 0; t < index.trackCount; ++t) {
    if (const char* problem = measureTrack(in, index, t)) return problem;
  }
  return nullptr;
}

// Every per-track table of n tracks, zero, with the read positions idle.
void makeTrackState(int32_t n) {
  cGameEventScriptStatics& s = script();
  s.trackStarted = newBoolArray(n);
  s.trackElapsed = newIntArray(n);
  s.trackActorSlot = newIntArray(n);
  s.trackReadPos = newIntArray(n);
  s.trackVelocityX = newIntArray(n);
  s.trackVelocityY = newIntArray(n);
  s.trackSpawned = newObjectArray(n);
  // Idle until started: a read position of 0 would read the block's head.
  if (s.trackReadPos != nullptr)
    for (int32_t t = 0; t < n; ++t) s.trackReadPos->set(t, -1);
}

void dropTables() {
  cGameEventScriptStatics& s = script();
  s.eventScriptData = nullptr;
  s.cutsceneIds = nullptr;
  s.cutsceneTrackCounts = nullptr;
  s.trackOffset = nullptr;
  s.trackLength = nullptr;
  s.trackType = nullptr;
  s.trackFlags = nullptr;
  s.trackStarted = nullptr;
  s.trackElapsed = nullptr;
  s.trackActorSlot = nullptr;
  s.trackReadPos = nullptr;
  s.trackVelocityX = nullptr;
  s.trackVelocityY = nullptr;
  s.trackSpawned = nullptr;
}

void resetCutsceneState() {
  cGameCutsceneStatics& c = cutscene();
  // A cutscene cut off by the chapter's end screen never ended: its slowed
  // animations must not follow the player into the next room.
  shellStatics().cGameShared.fullSpeedAnimation = true;
  c.currentCutscene = -1;
  c.cutsceneTransition = -1;
  c.cutsceneTransitionTime = 0;
  c.cutsceneSkipOffered = false;
  c.cutsceneWaitActor = nullptr;
  c.cutsceneFastForward = false;
}

cActor* scriptActorAt(int32_t slot) {
  cGameEventScriptStatics& s = script();
  if (s.scriptActors == nullptr || slot < 0 || slot >= s.scriptActorCount) return nullptr;
  return static_cast<cActor*>(s.scriptActors->get(slot));
}

// A partner the script takes over brings along what it was leading.
void detachLinkedActor(cActor* actor) {
  if (actor->kind != ActorKind::PLAYER || Object::instanceOf(actor, classid::cActorMC) == 0) return;
  auto* partner = static_cast<cActorMC*>(actor);
  cActor* linked = partner->linkedActor;
  if (linked == nullptr || !linked->isParam13Set()) return;
  linked->setX(partner->x);
  linked->setY(partner->y);
  partner->linkedActor = nullptr;
}

// The actor a type-3 track drives: made afresh, or, when a looping
// cutscene restarts, the one it made before.
void spawnTrackActor(int32_t t, int32_t spriteIndex, bool loop) {
  cGameEventScriptStatics& s = script();
  ASprite* sprite = cGame::getScriptSprite(spriteIndex);
  const bool onTop = sprite != nullptr && sprite == shellStatics().cGameLoop.sprites->get(onTopSpriteSlot);
  auto* previous = static_cast<cActor*>(loadElement(s.trackSpawned, t));
  const int32_t previousSlot = loadElement(s.trackActorSlot, t);
  if (loop && previous != nullptr && scriptActorAt(previousSlot) == previous) {
    previous->setX(0);
    previous->setY(0);
    previous->setZ(onTop ? onTopDepth : 0);
    previous->setFlag(spawnedFlag | ActorFlags::HELD, true);
    previous->activate();
    return;
  }
  storeElement(s.trackActorSlot, t, s.scriptActorCount);
  IntArray* position = newIntArray(3);
  if (position == nullptr) return;
  if (onTop) position->set(2, onTopDepth);
  cActor* actor = cActor::create(spawnedKind, 0, position);
  if (actor == nullptr) return;
  actor->setSprite(sprite);
  actor->setFlag(spawnedFlag | ActorFlags::HELD, true);
  actor->activate();
  cGame::addScriptActor(actor);
  storeElement(s.trackSpawned, t, static_cast<Object*>(actor));
}

}  // namespace

void cGameStory::clinit() {
  cGameEventScriptStatics& s = script();
  s.scriptActors = newObjectArray(cGameEventScriptStatics::actorCapacity);
  s.scriptSprites = newObjectArray(cGameEventScriptStatics::spriteCapacity);
  resetCutsceneState();
  cGameCutsceneStatics& c = cutscene();
  c.cutsceneSkipMode = true;
  c.deferredCutscene = -1;
  storyStatics().cGameActions.pendingCinematicText = -1;
  cGame::closeCinematic();
  clinitInventory();
  clinitChoice();
  initRaceTables();
}

void cGameStory::loadEventScript(ByteArray* data) {
  cGameEventScriptStatics& s = script();
  dropTables();
  s.cutsceneCount = 0;
  s.trackCount = 0;
  Index index;
  const char* problem = data != nullptr ? indexBlock(data, index) : nullptr;
  if (problem != nullptr) {
    debugLog("Event script refused (%s): the room plays without cutscenes", problem);
  } else if (data != nullptr) {
    s.eventScriptData = data;
    s.cutsceneCount = index.cutsceneCount;
    s.cutsceneIds = index.ids;
    s.cutsceneTrackCounts = index.trackCounts;
    s.trackCount = index.trackCount;
    s.trackOffset = index.offsets;
    s.trackLength = index.lengths;
    s.trackType = index.types;
    s.trackFlags = index.flags;
    makeTrackState(s.trackCount);
  }
  ObjectArray* sprites = shellStatics().cGameLoop.sprites;
  for (int32_t k = 0; k < eventscript::scriptSpriteCount; ++k) {
    addScriptSprite(sprites != nullptr ? static_cast<ASprite*>(sprites->get(eventscript::scriptSpriteFirstSlot + k))
                                       : nullptr);
  }
  resetCutsceneState();
}

void cGameStory::resetCutscenes() {
  clearScriptActors();
  clearScriptSprites();
  dropTables();
  cGameCutsceneStatics& c = cutscene();
  c.currentCutscene = -1;
  c.cutsceneTransition = -1;
  c.cutsceneTransitionTime = 0;
  c.cutsceneWaitActor = nullptr;
  c.cutsceneFastForward = false;
}

void cGameStory::clearScripts() {
  dropTables();
  script().cutsceneCount = 0;
  script().trackCount = 0;
}

void cGameStory::clearScriptActors() {
  cGameEventScriptStatics& s = script();
  if (s.scriptActors != nullptr)
    for (int32_t i = 0; i < s.scriptActorCount; ++i) s.scriptActors->set(i, nullptr);
  s.scriptActorCount = 0;
}

void cGameStory::clearScriptSprites() {
  cGameEventScriptStatics& s = script();
  if (s.scriptSprites != nullptr)
    for (int32_t i = 0; i < s.scriptSpriteCount; ++i) s.scriptSprites->set(i, nullptr);
  s.scriptSpriteCount = 0;
}

int32_t cGameStory::findCutscene(int32_t id) {
  const cGameEventScriptStatics& s = script();
  for (int32_t i = 0; i < s.cutsceneCount; ++i)
    if (loadElement(s.cutsceneIds, i) == id) return i;
  return -1;
}

int32_t cGameStory::getCutsceneFirstTrack(int32_t index) {
  const cGameEventScriptStatics& s = script();
  if (index < 0 || index >= s.cutsceneCount) return -1;
  int32_t first = 0;
  for (int32_t i = 0; i < index; ++i) first += loadElement(s.cutsceneTrackCounts, i);
  return first;
}

bool cGameStory::isCutsceneFinished(int32_t index) {
  const cGameEventScriptStatics& s = script();
  const int32_t first = getCutsceneFirstTrack(index);
  if (first < 0) return true;
  const int32_t end = first + loadElement(s.cutsceneTrackCounts, index);
  for (int32_t t = first; t < end && t < s.trackCount; ++t) {
    const bool waitedFor = (loadElement(s.trackFlags, t) & track::notWaitedFor) == 0;
    if (loadElement(s.trackStarted, t) != 0 && loadElement(s.trackReadPos, t) != -1 && waitedFor) return false;
  }
  return true;
}

void cGameStory::startEventTrack(int32_t t, bool loop) {
  if (!isTrack(t)) return;
  cGameEventScriptStatics& s = script();
  resetEventTrack(t);
  s.trackStarted->set(t, 1);
  ScriptReader in(s.eventScriptData, s.trackOffset->get(t) + 2);
  const int32_t type = s.trackType->get(t);
  bool actorMissing = false;
  if (type == track::actor) {
    const int32_t id = in.s16();
    const int32_t slot = findScriptActorById(id);
    s.trackActorSlot->set(t, slot);
    if (cActor* actor = scriptActorAt(slot)) {
      actor->setFlag(ActorFlags::HELD, true);
      detachLinkedActor(actor);
    } else {
      debugLog("Event track %d drives actor %d, which the room does not have: it ends at once", t, id);
      actorMissing = true;
    }
  } else if (type == track::spawn) {
    spawnTrackActor(t, in.s16(), loop);
  }
  in.skip(2);
  // A track without its actor would never be stepped and so never end.
  s.trackReadPos->set(t, actorMissing ? -1 : in.position());
  s.trackFlags->set(t, loop ? s.trackFlags->get(t) | track::loop : s.trackFlags->get(t) & ~track::loop);
}

void cGameStory::resetEventTrack(int32_t t) {
  if (!isTrack(t)) return;
  cGameEventScriptStatics& s = script();
  storeElement(s.trackStarted, t, uint8_t{0});
  storeElement(s.trackVelocityX, t, 0);
  storeElement(s.trackVelocityY, t, 0);
  storeElement(s.trackReadPos, t, -1);
  storeElement(s.trackElapsed, t, 0);
  if (cActor* actor = scriptActorAt(loadElement(s.trackActorSlot, t))) actor->setFlag(ActorFlags::HELD, false);
}

int32_t cGameStory::findScriptActorById(int32_t id) {
  const cGameEventScriptStatics& s = script();
  for (int32_t slot = 0; slot < s.scriptActorCount; ++slot) {
    if (cActor* actor = scriptActorAt(slot); actor != nullptr && actor->id == id) return slot;
  }
  return -1;
}

ASprite* cGameStory::getScriptSprite(int32_t i) {
  const cGameEventScriptStatics& s = script();
  if (s.scriptSprites == nullptr || i < 0 || i >= s.scriptSprites->length()) return nullptr;
  return static_cast<ASprite*>(s.scriptSprites->get(i));
}

void cGameStory::addScriptActor(cActor* actor) {
  cGameEventScriptStatics& s = script();
  if (actor == nullptr || s.scriptActors == nullptr || s.scriptActorCount >= cGameEventScriptStatics::actorCapacity)
    return;
  s.scriptActors->set(s.scriptActorCount++, actor);
}

void cGameStory::addScriptSprite(ASprite* sprite) {
  cGameEventScriptStatics& s = script();
  if (s.scriptSprites == nullptr || s.scriptSpriteCount >= cGameEventScriptStatics::spriteCapacity) return;
  s.scriptSprites->set(s.scriptSpriteCount++, sprite);
}

cActor* cGameStory::getTrackActor(int32_t t) {
  if (!isTrack(t)) return nullptr;
  const cGameEventScriptStatics& s = script();
  const int32_t type = loadElement(s.trackType, t);
  if (type != track::actor && type != track::spawn) return nullptr;
  return scriptActorAt(loadElement(s.trackActorSlot, t));
}
