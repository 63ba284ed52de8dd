// The level records that make actors: read field by field in stream order,
// then set up as each kind needs.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "game/world/LevelRecordFormat.h"
#include "game/world/cActorEnemy.h"
#include "game/world/cActorMC.h"
#include "game/world/cActorNPC.h"
#include "game/world/cGameRoomLoader.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"

namespace {

using levelrecord::spriteSlotOffset;

int32_t u8() { return cGame::readUnsignedByte(); }
int32_t s8() { return cGame::readByte(); }
int32_t u16() { return cGame::readUnsignedShort(); }
int32_t s16() { return cGame::readShort(); }
bool flag() { return cGame::readBoolean(); }

struct Box {
  int32_t x, y, w, h;
};
Box readBox() {
  Box box;
  box.x = s16();
  box.y = s16();
  box.w = s16();
  box.h = s16();
  return box;
}

// The id and position every actor record starts with.
struct Header {
  int32_t id, x, y;
};
Header readHeader(RoomLoad& load) {
  Header header;
  header.id = u16();
  header.x = s16();
  header.y = s16();
  load.position->set(0, header.x << 8);
  load.position->set(1, header.y << 8);
  load.position->set(2, 0);
  return header;
}

// The sprite a stored value names; empty outside the table.
ASprite* spriteOf(int32_t stored) { return shell::spriteAt(stored + spriteSlotOffset); }

void setSpriteAndAnim(cActor* actor, int32_t stored, int32_t anim, int32_t loops = -1) {
  actor->setSprite(spriteOf(stored));
  actor->setAnim(anim, loops);
}

void applyPalette(cActor* actor) {
  if (worldStatics().cGameRoom.roomAltPalette) actor->palette = 1;
}

void applyActive(cActor* actor, bool active) {
  if (active) actor->activate();
  else actor->deactivate();
}

// Objects on the overlay sprite are painted in front of everything.
void applyDepthRule(cActor* actor, int32_t stored) {
  if (stored + spriteSlotOffset == 27) actor->setZ(999 << 8);
}

void setBox(cActor* actor, const Box& box) { actor->setInteractBox(box.x, box.y, box.w, box.h); }

cActor* make(RoomLoad& load, int32_t kind, const Header& header) {
  cActor* actor = cActor::create(kind, 0, load.position);
  if (actor != nullptr) actor->id = header.id;
  return actor;
}

void finishParams(cActor* actor, RoomLoad& load, int32_t n) { actor->setParams(load.params, n); }

void readBarrier(RoomLoad& load, bool withFootprint) {
  const Header header = readHeader(load);
  const int32_t sprite = u8();
  const int32_t footW = withFootprint ? u16() : 0;
  const int32_t footH = withFootprint ? u16() : 0;
  const int32_t anim = s16();
  const bool active = flag();
  if (spriteOf(sprite) == nullptr) return;
  cActor* actor = make(load, ActorKind::BARRIER, header);
  if (actor == nullptr) return;
  const int32_t slot = sprite + spriteSlotOffset;
  if (slot != levelrecord::barrierWithoutPictureSlots[0] && slot != levelrecord::barrierWithoutPictureSlots[1]) {
    applyDepthRule(actor, sprite);
    setSpriteAndAnim(actor, sprite, anim);
    applyPalette(actor);
    actor->reset();
  }
  applyActive(actor, active);
  actor->setFootprint(0, 0, footW, footH);
}

void readCharacter(RoomLoad& load) {
  const Header header = readHeader(load);
  const int32_t sprite = u8();
  const int32_t facing = u8();
  const int32_t characterValue = u8();
  const int32_t partner = u8();
  cActorMC* hero = cActorMC::create(ActorKind::PLAYER, 0, load.position);
  if (hero == nullptr) return;
  hero->id = header.id;
  // The last character with the header's start id wins.
  if (header.id == load.startId) cGame::setFocusActor(hero);
  hero->setFootprint(0, 0, 64, 60);
  hero->setSprite(spriteOf(sprite));
  hero->facing = cActor::directionBit(facing);
  hero->abilityFlags = characterValue;
  hero->partnerIndex = partner;
  int32_t values[] = {0, 0, 0, 100, 10000, 10000, 0, 0};
  for (int32_t i = 0; i < 8; ++i) load.params->set(i, values[i]);
  finishParams(hero, load, 8);
  hero->items = newObjectArray(15);
  hero->hp = hero->param(3);
  hero->reset();
}

void readCreature(RoomLoad& load) {
  const Header header = readHeader(load);
  const int32_t sprite = u8();
  const int32_t startAnim = s16();
  const Box box = readBox();
  cActorEnemy* creature = cActorEnemy::create(ActorKind::CREATURE, 0, load.position);
  // The creature's own params take the record's values in place.
  IntArray* p = creature != nullptr ? creature->params : newIntArray(cActorEnemy::paramLength);
  p->set(3, box.x);
  p->set(4, box.y);
  p->set(5, box.w);
  p->set(6, box.h);
  p->set(16, u8());
  p->set(22, s16());
  p->set(25, u8());
  p->set(7, s16());
  p->set(0, u8());
  const bool awake = flag();
  p->set(20, s16());
  p->set(21, s16());
  const int32_t palette = u8();
  p->set(23, u8());
  p->set(24, u8());
  p->set(8, s16());
  if (creature == nullptr) return;
  creature->id = header.id;
  p->set(18, 0);
  p->set(19, 0);
  setSpriteAndAnim(creature, sprite, startAnim + p->get(8));
  creature->palette = palette;
  creature->hp = p->get(22);
  creature->shownHp = p->get(22);
  creature->reset();
  applyActive(creature, awake);
  setBox(creature, box);
  if (cGame::isProgressAt3Or7() && p->get(0) == 1) {
    worldStatics().cGameRoom.targetActor = creature;
  } else if (cGame::isProgressAt9() && p->get(0) == 2) {
    worldStatics().cGameRoom.targetActor = creature;
    creature->setFlag(ActorFlags::KIND_STATE, true);
  }
}

void readPerson(RoomLoad& load) {
  const Header header = readHeader(load);
  const int32_t sprite = s8();
  const int32_t anim = s16();
  const Box box = readBox();
  const int32_t mode = u8();
  s16();  // not used
  const int32_t valueA = s16();
  const int32_t valueB = s16();
  load.params->set(0, flag() ? 1 : 0x7FFFFFFF);
  load.params->set(1, flag() ? 1 : 0);
  const bool awake = flag();
  load.params->set(2, s16());
  load.params->set(3, s16());
  cActorNPC* person = cActorNPC::create(ActorKind::NPC, 0, load.position);
  if (person == nullptr) return;
  person->id = header.id;
  person->palette = 0;
  if (spriteOf(sprite) != nullptr) setSpriteAndAnim(person, sprite, anim);
  person->talkMode = mode;
  person->standAnim = anim;
  person->talkEvent = valueA;
  person->npcTag = valueB;
  setBox(person, box);
  applyActive(person, awake);
  finishParams(person, load, 4);
  person->reset();
}

void readLiftable(RoomLoad& load) {
  const Header header = readHeader(load);
  const int32_t sprite = u8();
  const int32_t footW = s16();
  const int32_t footH = s16();
  const int32_t anim = s16();
  IntArray* p = load.params;
  p->set(0, s16());
  p->set(1, s16());
  p->set(2, s16());
  p->set(3, s8());
  p->set(5, flag() ? 1 : 0);
  p->set(6, flag() ? 1 : 0);
  const int32_t frameAnim = s16();
  cActor* actor = make(load, ActorKind::BLOCKING_OBJECT, header);
  if (actor == nullptr) return;
  ASprite* picture = spriteOf(sprite);
  const bool hasAnim = picture != nullptr && frameAnim >= 0 && frameAnim < picture->getAnimCount();
  p->set(7, hasAnim ? picture->getAFrameFrame(frameAnim, 0) : 0);
  setSpriteAndAnim(actor, sprite, anim);
  applyPalette(actor);
  actor->setFootprint(0, 0, footW, footH);
  finishParams(actor, load, 14);
  actor->activate();
  actor->reset();
}

void readPushable(RoomLoad& load) {
  const Header header = readHeader(load);
  const int32_t sprite = u8();
  const int32_t footW = s16();
  const int32_t footH = s16();
  const int32_t anim = s16();
  load.params->set(5, flag() ? 1 : 0);
  load.params->set(6, s16());
  load.params->set(7, s16());
  cActor* actor = make(load, ActorKind::MOVER, header);
  if (actor == nullptr) return;
  setSpriteAndAnim(actor, sprite, anim);
  applyPalette(actor);
  actor->setFootprint(0, 0, footW, footH);
  finishParams(actor, load, 14);
  actor->reset();
}

// A hotspot joins the chain: the previous object links to it by id.
void readHotspot(RoomLoad& load) {
  const Header header = readHeader(load);
  const bool chosen = flag();
  const int32_t sprite = u8();
  const int32_t anim = s16();
  IntArray* p = load.params;
  p->set(0, s16());
  p->set(3, s16());
  p->set(4, s16());
  p->set(5, s16());
  p->set(6, s8());
  p->set(7, s8());
  p->set(8, s16());
  cActor* actor = make(load, ActorKind::COLLECTIBLE, header);
  if (actor == nullptr) return;
  p->set(2, -1);
  if (p->get(0) != -1) {
    actor->activate();
    p->set(1, chosen ? 1 : 0);
  } else {
    applyActive(actor, chosen);
  }
  setSpriteAndAnim(actor, sprite, anim);
  applyPalette(actor);
  finishParams(actor, load, 9);
  actor->reset();
  // A spawner's and a contact area's p2 are their own settings, not a link.
  cActor* previous = load.previous;
  if (previous != nullptr && previous->kind != ActorKind::SPAWNER && previous->kind != ActorKind::CONTACT_AREA) {
    previous->setParam(2, actor->id);
  }
  load.previous = actor;
}

void readSlider(RoomLoad& load) {
  const Header header = readHeader(load);
  const int32_t sprite = u8();
  const Box box = readBox();
  const int32_t footW = s16();
  const int32_t footH = s16();
  IntArray* p = load.params;
  p->set(0, s16());
  p->set(1, s16());
  p->set(2, u8());
  p->set(3, u8());
  p->set(4, s16());
  p->set(5, u8());
  const bool active = flag();
  cActor* actor = make(load, ActorKind::SLIDER, header);
  if (actor == nullptr) return;
  finishParams(actor, load, 11);
  setBox(actor, box);
  actor->setFootprint(0, 0, footW, footH);
  setSpriteAndAnim(actor, sprite, p->get(0));
  applyActive(actor, active);
  applyPalette(actor);
  actor->reset();
}

void readBlocker(RoomLoad& load) {
  const Header header = readHeader(load);
  load.params->set(0, s16());
  load.params->set(1, s16());
  load.params->set(2, u8());
  const bool active = flag();
  cActor* actor = make(load, ActorKind::ONE_SIDED_BLOCKER, header);
  if (actor == nullptr) return;
  finishParams(actor, load, 3);
  applyActive(actor, active);
  actor->reset();
}

void readSensor(RoomLoad& load) {
  const Header header = readHeader(load);
  const bool active = flag();
  const int32_t sprite = s16();
  IntArray* p = load.params;
  p->set(0, s16());
  p->set(1, u8());
  p->set(2, u8());
  p->set(3, u8());
  const Box box = readBox();
  for (int32_t i = 4; i <= 7; ++i) p->set(i, s16());
  const int32_t footW = s16();
  const int32_t footH = s16();
  for (int32_t i = 8; i <= 11; ++i) p->set(i, s16());
  p->set(12, u8());
  p->set(13, u8());
  cActor* actor = make(load, ActorKind::SENSOR, header);
  if (actor == nullptr) return;
  setBox(actor, box);
  actor->setFootprint(0, 0, footW, footH);
  applyActive(actor, active);
  finishParams(actor, load, 16);
  setSpriteAndAnim(actor, sprite, p->get(0));
  applyPalette(actor);
  actor->reset();
}

void readPathHazard(RoomLoad& load) {
  const Header header = readHeader(load);
  const bool active = flag();
  const int32_t sprite = s16();
  const int32_t anim = s16();
  IntArray* p = load.params;
  p->set(0, s16());
  const int32_t palette = u8();
  p->set(2, s16() << 8);
  p->set(3, s16());
  cActor* actor = make(load, ActorKind::PATH_HAZARD, header);
  if (actor == nullptr) return;
  p->set(1, -1);
  finishParams(actor, load, 4);
  setSpriteAndAnim(actor, sprite, anim);
  actor->palette = palette;
  applyActive(actor, active);
  actor->reset();
}

void readCritter(RoomLoad& load) {
  const Header header = readHeader(load);
  const bool active = flag();
  const int32_t sprite = s16();
  const int32_t code = s16();
  const Box box = readBox();
  cActor* actor = make(load, ActorKind::CRITTER, header);
  if (actor == nullptr) return;
  load.params->set(0, cActor::directionBit(code));
  load.params->set(1, 3000);
  load.params->set(2, 0);
  finishParams(actor, load, 3);
  setSpriteAndAnim(actor, sprite, code);
  setBox(actor, box);
  applyActive(actor, active);
  actor->reset();
}

void readSpawner(RoomLoad& load) {
  const Header header = readHeader(load);
  const bool active = flag();
  const int32_t sprite = s16();
  const int32_t anim = s16();
  const Box box = readBox();
  IntArray* p = load.params;
  p->set(0, s16());
  p->set(1, s16());
  const Box trigger = readBox();
  for (int32_t i = 2; i <= 6; ++i) p->set(i, s16());
  const int32_t hitPoints = s16();
  p->set(7, s16());
  cActor* actor = make(load, ActorKind::SPAWNER, header);
  if (actor == nullptr) return;
  p->set(4, p->get(4) * 800 / 240);
  actor->hp = hitPoints;
  p->set(8, anim);
  setBox(actor, box);
  actor->setTriggerBox(trigger.x, trigger.y, trigger.w, trigger.h);
  applyActive(actor, active);
  finishParams(actor, load, 9);
  const int32_t mode = p->get(0);
  setSpriteAndAnim(actor, sprite, anim, mode == 2 || mode == 5 ? 1 : -1);
  applyPalette(actor);
  actor->reset();
  load.previous = actor;
  if (mode != 4) return;
  ObjectArray* children = worldStatics().cGameRoom.spawnedObjects;
  for (int32_t i = 0; i < levelrecord::spawnedChildren; ++i) {
    cActor* child = cActor::create(ActorKind::SPAWNED, 0, load.position);
    if (child == nullptr) return;
    if (children != nullptr) children->set(i, child);
    child->setSprite(shell::spriteAt(28));
    child->setAnim(2, -1);
    child->setParams(actor->params, 9);
    child->alwaysPaint = false;
  }
}

void readFallingObject(RoomLoad& load) {
  const Header header = readHeader(load);
  const bool active = flag();
  const int32_t sprite = s16();
  const int32_t anim = s16();
  const Box box = readBox();
  load.params->set(0, s16() << 8);
  cActor* actor = make(load, ActorKind::FALLING_OBJECT, header);
  if (actor == nullptr) return;
  actor->setZ(500 << 8);
  load.params->set(1, 0);
  finishParams(actor, load, 2);
  setSpriteAndAnim(actor, sprite, anim);
  setBox(actor, box);
  IntArray* footprint = newIntArray(4);
  if (footprint != nullptr) {
    footprint->set(0, -50);
    footprint->set(1, -50);
    footprint->set(2, 100);
    footprint->set(3, 100);
    actor->footprint = footprint;
  }
  applyActive(actor, active);
  actor->reset();
}

void readPath(RoomLoad& load) {
  const Header header = readHeader(load);
  const bool active = flag();
  const int32_t sprite = s16();
  const int32_t anim = s16();
  cActor* path = make(load, ActorKind::PATH, header);
  if (path == nullptr) return;
  path->setParams(nullptr, 1);
  setSpriteAndAnim(path, sprite, anim);
  applyActive(path, active);
  path->reset();
  path->setZ(-999 << 8);
  load.previous = path;
  load.pathRun = true;
}

void readPathPoint(RoomLoad& load) {
  const int32_t x = s16();
  const int32_t y = s16();
  const int32_t value = s16();
  // A point belongs to the path just made; anywhere else it is ignored.
  if (!load.pathRun || load.previous == nullptr) {
    debugLog("Level data: a path point outside a path is ignored");
    return;
  }
  load.previous->addPathPoint(x, y, value);
}

void readDoor(RoomLoad& load) {
  const Header header = readHeader(load);
  const bool active = flag();
  IntArray* p = load.params;
  p->set(0, u16());
  const int32_t boxW = s16();
  const int32_t boxH = s16();
  const int32_t sprite = s16();
  const int32_t anim = s16();
  for (int32_t i = 2; i <= 5; ++i) p->set(i, s16());
  const bool open = flag();
  const int32_t boxX = s16();
  const int32_t boxY = s16();
  p->set(7, s16());
  cActor* actor = make(load, ActorKind::BARRIER_SWITCH, header);
  if (actor == nullptr) return;
  p->set(1, sprite == 15 ? 83 : sprite == 0 ? 93 : anim);
  if (spriteOf(sprite) != nullptr) actor->setSprite(spriteOf(sprite));
  applyPalette(actor);
  actor->setInteractBox(boxX, boxY, boxW, boxH);
  applyActive(actor, active);
  finishParams(actor, load, 8);
  actor->setFootprint(0, 0, 2, 1);
  if (open) actor->setBarrierOpen();
  else actor->setBarrierClosed();
  actor->reset();
}

void readAreaTrigger(RoomLoad& load) {
  const Header header = readHeader(load);
  const bool active = flag();
  IntArray* p = load.params;
  p->set(0, u8());
  const int32_t boxW = s16();
  const int32_t boxH = s16();
  p->set(1, s16());
  p->set(3, s16());
  p->set(4, s16());
  p->set(5, s16());
  const int32_t boxX = s16();
  const int32_t boxY = s16();
  int32_t sprite = s16();
  int32_t anim = s16();
  p->set(6, s8());
  p->set(2, s16());
  cActor* actor = make(load, ActorKind::AREA_TRIGGER, header);
  if (actor == nullptr) return;
  const int32_t chapter = shellStatics().cGameProgress.chapter;
  if (sprite + spriteSlotOffset == 27 && ((chapter == 5 && anim == 31) || (chapter == 0 && anim == 5))) {
    sprite = 51 - spriteSlotOffset;
    anim = 0;
  }
  actor->setInteractBox(boxX, boxY, boxW, boxH);
  applyActive(actor, active);
  if (spriteOf(sprite) != nullptr) setSpriteAndAnim(actor, sprite, anim);
  applyDepthRule(actor, sprite);
  applyPalette(actor);
  finishParams(actor, load, 7);
  actor->reset();
}

void readFlagTrigger(RoomLoad& load) {
  const Header header = readHeader(load);
  const bool active = flag();
  IntArray* p = load.params;
  p->set(0, s16());
  p->set(1, s16());
  p->set(2, s16());
  p->set(3, u8());
  p->set(4, s16());
  p->set(6, s16());
  p->set(7, s16());
  p->set(8, s16());
  const int32_t sprite = s16();
  const int32_t anim = s16();
  p->set(5, s16());
  cActor* actor = make(load, ActorKind::FLAG_TRIGGER, header);
  if (actor == nullptr) return;
  applyActive(actor, active);
  if (spriteOf(sprite) != nullptr) {
    setSpriteAndAnim(actor, sprite, anim);
    applyPalette(actor);
  }
  finishParams(actor, load, 12);
  actor->reset();
}

void readMarker(RoomLoad& load) {
  const Header header = readHeader(load);
  const bool active = flag();
  const int32_t sprite = s16();
  const int32_t anim = s16();
  IntArray* p = load.params;
  p->set(0, u8());
  const Box box = readBox();
  p->set(1, s16());
  for (int32_t i = 3; i <= 7; ++i) p->set(i, s16());
  p->set(8, flag() ? 1 : 0);
  p->set(9, s16());
  p->set(10, s16());
  p->set(12, s16());
  p->set(13, s16());
  p->set(14, s16());
  cActor* actor = make(load, ActorKind::MARKER, header);
  if (actor == nullptr) return;
  p->set(2, -1);
  if (sprite == 15) p->set(10, 83);
  else if (sprite == 0) p->set(10, 93);
  p->set(11, anim);
  setBox(actor, box);
  applyActive(actor, active);
  finishParams(actor, load, 15);
  applyDepthRule(actor, sprite);
  if (spriteOf(sprite) != nullptr) {
    setSpriteAndAnim(actor, sprite, anim);
    applyPalette(actor);
  }
  actor->reset();
  actor->alwaysPaint = actor->param(1) == 2;
  load.previous = actor;
  load.chainRun = true;
}

void readKeyObject(RoomLoad& load) {
  const Header header = readHeader(load);
  const bool active = flag();
  const int32_t sprite = s16();
  IntArray* p = load.params;
  p->set(0, s16());
  p->set(1, u8());
  p->set(2, u8());
  p->set(3, u8());
  const Box box = readBox();
  const int32_t footW = s16();
  const int32_t footH = s16();
  for (int32_t i = 4; i <= 8; ++i) p->set(i, s16());
  p->set(9, u8());
  p->set(10, u8());
  p->set(12, flag() ? 1 : 0);
  cActor* actor = make(load, ActorKind::KEY_OBJECT, header);
  if (actor == nullptr) return;
  p->set(11, 0);
  setBox(actor, box);
  actor->setFootprint(0, 0, footW, footH);
  applyActive(actor, active);
  finishParams(actor, load, 13);
  applyDepthRule(actor, sprite);
  setSpriteAndAnim(actor, sprite, p->get(0));
  applyPalette(actor);
  actor->reset();
  load.previous = actor;
  load.chainRun = true;
}

void readSnapshotTrigger(RoomLoad& load) {
  Header header = readHeader(load);
  header.id = 0;  // it is never looked up
  const bool active = flag();
  const int32_t sprite = s16();
  const int32_t anim = s16();
  const Box box = readBox();
  load.params->set(0, s16());
  cActor* actor = make(load, ActorKind::SNAPSHOT_TRIGGER, header);
  if (actor == nullptr) return;
  if (spriteOf(sprite) != nullptr) setSpriteAndAnim(actor, sprite, anim);
  finishParams(actor, load, 1);
  setBox(actor, box);
  applyActive(actor, active);
  applyDepthRule(actor, sprite);
  actor->reset();
}

void readContactArea(RoomLoad& load) {
  const Header header = readHeader(load);
  const bool active = flag();
  const int32_t sprite = s16();
  const int32_t anim = s16();
  const Box box = readBox();
  IntArray* p = load.params;
  for (int32_t i = 0; i <= 3; ++i) p->set(i, s16());
  p->set(7, anim);
  cActor* actor = nullptr;
  const bool playerVariant = p->get(0) == 0;
  if (playerVariant) {
    cActorMC* variant = cActorMC::create(ActorKind::PLAYER_VARIANT, 0, load.position);
    if (variant == nullptr) return;
    variant->id = header.id;
    variant->variantFlag = true;
    variant->hp = 100;
    cGame::setFocusActor(variant);
    variant->setFootprint(0, -20, 108, 184);
    actor = variant;
  } else {
    actor = make(load, ActorKind::CONTACT_AREA, header);
    if (actor == nullptr) return;
  }
  setBox(actor, box);
  applyActive(actor, active);
  finishParams(actor, load, 9);
  setSpriteAndAnim(actor, sprite, anim, playerVariant ? 1 : -1);
  applyPalette(actor);
  actor->reset();
  load.previous = actor;
}

void readCameraBand(RoomLoad& load) {
  const Header header = readHeader(load);
  const bool active = flag();
  s16();  // not used
  const Box box = readBox();
  for (int32_t i = 0; i <= 3; ++i) load.params->set(i, s16());
  cActor* actor = make(load, ActorKind::CAMERA_BAND, header);
  if (actor == nullptr) return;
  setBox(actor, box);
  applyActive(actor, active);
  finishParams(actor, load, 4);
  applyPalette(actor);
  actor->reset();
  load.previous = actor;
  load.chainRun = true;
}

void readEmitter(RoomLoad& load) {
  const Header header = readHeader(load);
  load.params->set(0, s16());
  load.params->set(1, s16());
  load.params->set(2, s16());
  const bool active = flag();
  load.params->set(3, u8());
  cActor* actor = make(load, ActorKind::EMITTER, header);
  if (actor == nullptr) return;
  finishParams(actor, load, 11);
  applyActive(actor, active);
}

}  // namespace

void readActorRecord(RoomLoad& load, int32_t opcode) {
  const int32_t start = cGame::getPosition();
  switch (opcode) {
    case 3: readBarrier(load, true); break;
    case 17: readBarrier(load, false); break;
    case levelrecord::op::character: readCharacter(load); break;
    case levelrecord::op::creature: readCreature(load); break;
    case 6: readPerson(load); break;
    case 9: readLiftable(load); break;
    case 10: readPushable(load); break;
    case levelrecord::op::hotspot: readHotspot(load); break;
    case 12: readSlider(load); break;
    case levelrecord::op::blocker: readBlocker(load); break;
    case 14: readSensor(load); break;
    case 15: readPathHazard(load); break;
    case 16: readCritter(load); break;
    case levelrecord::op::spawner: readSpawner(load); break;
    case 20: readFallingObject(load); break;
    case levelrecord::op::path: readPath(load); break;
    case levelrecord::op::pathPoint: readPathPoint(load); break;
    case 80: readDoor(load); break;
    case 81: readAreaTrigger(load); break;
    case 82: readFlagTrigger(load); break;
    case 83: readMarker(load); break;
    case 84: readKeyObject(load); break;
    case levelrecord::op::snapshotTrigger: readSnapshotTrigger(load); break;
    case levelrecord::op::contactArea: readContactArea(load); break;
    case 87: readCameraBand(load); break;
    case 88: readEmitter(load); break;
    default: break;
  }
  // The record's reader and the shared description must agree on its size.
  const int32_t expected = start + levelrecord::bodySize(static_cast<uint8_t>(opcode));
  if (cGame::getPosition() != expected) {
    debugLog("Level record %d read %d bytes where it has %d", opcode, cGame::getPosition() - start, expected - start);
    cGame::skip(expected - cGame::getPosition());
  }
}
