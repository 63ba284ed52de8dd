// The level records that make actors. Every field is read as the shared
// record description lists it (a field with a params index lands there);
// each record's own code then sets up its kind.
#include <string_view>

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

using levelrecord::FieldType;
using levelrecord::spriteSlotOffset;

int32_t readField(FieldType type) {
  switch (type) {
    case FieldType::u8: return cGame::readUnsignedByte();
    case FieldType::s8: return cGame::readByte();
    case FieldType::u16: return cGame::readUnsignedShort();
    case FieldType::s16: return cGame::readShort();
    case FieldType::boolean: return cGame::readBoolean() ? 1 : 0;
  }
  return 0;
}

// One record's fields, read in stream order; those the description gives a
// params index are copied into the load's fresh params as they come.
class RecordFields {
 public:
  RecordFields(const levelrecord::Record& record, RoomLoad& load) : m_record(record) {
    size_t i = 0;
    for (const levelrecord::Field& field : record.fields) {
      m_values[i] = readField(field.type);
      if (field.param >= 0) load.params->set(field.param, m_values[i]);
      ++i;
    }
    load.position->set(0, (*this)["x"] << 8);
    load.position->set(1, (*this)["y"] << 8);
    load.position->set(2, 0);
  }
  // The field's value; 0 for a field the record does not have.
  int32_t operator[](std::string_view name) const {
    size_t i = 0;
    for (const levelrecord::Field& field : m_record.fields) {
      if (field.name == name) return m_values[i];
      ++i;
    }
    return 0;
  }
  bool active() const { return (*this)["active"] != 0; }
  // The slot's sprite; empty for a slot outside the table.
  ASprite* sprite() const { return shell::spriteAt(slot()); }
  int32_t slot() const { return (*this)["sprite"] + spriteSlotOffset; }

 private:
  const levelrecord::Record& m_record;
  int32_t m_values[32] = {};
};

void setSpriteAndAnim(cActor* actor, const RecordFields& r, int32_t anim, int32_t loops = -1) {
  actor->setSprite(r.sprite());
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
void applyDepthRule(cActor* actor, const RecordFields& r) {
  if (r.slot() == 27) actor->setZ(999 << 8);
}

void setInteractBox(cActor* actor, const RecordFields& r) {
  actor->setInteractBox(r["box.x"], r["box.y"], r["box.w"], r["box.h"]);
}

void setFootprint(cActor* actor, const RecordFields& r) { actor->setFootprint(0, 0, r["foot.w"], r["foot.h"]); }

cActor* make(RoomLoad& load, int32_t kind, const RecordFields& r) {
  cActor* actor = cActor::create(kind, 0, load.position);
  if (actor != nullptr) actor->id = r["id"];
  return actor;
}

void readBarrier(RoomLoad& load, const RecordFields& r) {
  if (r.sprite() == nullptr) return;
  cActor* actor = make(load, ActorKind::BARRIER, r);
  if (actor == nullptr) return;
  if (r.slot() != levelrecord::barrierWithoutPictureSlots[0] && r.slot() != levelrecord::barrierWithoutPictureSlots[1]) {
    applyDepthRule(actor, r);
    setSpriteAndAnim(actor, r, r["anim"]);
    applyPalette(actor);
    actor->reset();
  }
  applyActive(actor, r.active());
  setFootprint(actor, r);
}

void readCharacter(RoomLoad& load, const RecordFields& r) {
  cActorMC* hero = cActorMC::create(ActorKind::PLAYER, 0, load.position);
  if (hero == nullptr) return;
  hero->id = r["id"];
  // The last character with the header's start id wins.
  if (hero->id == load.startId) cGame::setFocusActor(hero);
  hero->setFootprint(0, 0, 64, 60);
  hero->setSprite(r.sprite());
  hero->facing = cActor::directionBit(r["facing"]);
  hero->abilityFlags = r["abilityFlags"];
  hero->partnerIndex = r["partnerIndex"];
  const int32_t values[] = {0, 0, 0, 100, 10000, 10000, 0, 0};
  for (int32_t i = 0; i < 8; ++i) load.params->set(i, values[i]);
  hero->setParams(load.params, 8);
  hero->items = newObjectArray(15);
  hero->hp = hero->param(3);
  hero->reset();
}

void readCreature(RoomLoad& load, const RecordFields& r) {
  cActorEnemy* creature = cActorEnemy::create(ActorKind::CREATURE, 0, load.position);
  if (creature == nullptr || creature->params == nullptr) return;
  creature->id = r["id"];
  // Its own params take the record's values.
  IntArray* p = creature->params;
  for (int32_t i = 0; i < cActorEnemy::paramLength; ++i) p->set(i, load.params->get(i));
  p->set(18, 0);
  p->set(19, 0);
  setSpriteAndAnim(creature, r, r["anim"] + p->get(8));
  creature->palette = r["palette"];
  creature->hp = p->get(22);
  creature->shownHp = p->get(22);
  creature->reset();
  applyActive(creature, r.active());
  setInteractBox(creature, r);
  if (cGame::isProgressAt3Or7() && p->get(0) == 1) {
    worldStatics().cGameRoom.targetActor = creature;
  } else if (cGame::isProgressAt9() && p->get(0) == 2) {
    worldStatics().cGameRoom.targetActor = creature;
    creature->setFlag(ActorFlags::KIND_STATE, true);
  }
}

void readPerson(RoomLoad& load, const RecordFields& r) {
  cActorNPC* person = cActorNPC::create(ActorKind::NPC, 0, load.position);
  if (person == nullptr) return;
  person->id = r["id"];
  person->palette = 0;
  if (r.sprite() != nullptr) setSpriteAndAnim(person, r, r["anim"]);
  person->talkMode = r["talkMode"];
  person->standAnim = r["anim"];
  person->talkEvent = r["talkEvent"];
  person->npcTag = r["npcTag"];
  // Not set: no limit.
  load.params->set(0, r["p0"] != 0 ? 1 : 0x7FFFFFFF);
  setInteractBox(person, r);
  applyActive(person, r.active());
  person->setParams(load.params, 4);
  person->reset();
}

// A hotspot joins the chain: the previous object links to it by id.
void readHotspot(RoomLoad& load, cActor* actor, const RecordFields& r) {
  IntArray* p = load.params;
  p->set(2, -1);
  if (p->get(0) != -1) {
    actor->activate();
    p->set(1, r["flag"]);
  } else {
    applyActive(actor, r["flag"] != 0);
  }
  setSpriteAndAnim(actor, r, r["anim"]);
  applyPalette(actor);
  actor->setParams(p, 9);
  actor->reset();
  // A spawner's and a contact area's p2 are their own settings, not a link.
  cActor* previous = load.previous;
  if (previous != nullptr && previous->kind != ActorKind::SPAWNER && previous->kind != ActorKind::CONTACT_AREA) {
    previous->setParam(2, actor->id);
  }
  load.previous = actor;
}

void spawnChildren(RoomLoad& load, cActor* spawner) {
  ObjectArray* children = worldStatics().cGameRoom.spawnedObjects;
  for (int32_t i = 0; i < levelrecord::spawnedChildren; ++i) {
    cActor* child = cActor::create(ActorKind::SPAWNED, 0, load.position);
    if (child == nullptr) return;
    if (children != nullptr) children->set(i, child);
    child->setSprite(shell::spriteAt(28));
    child->setAnim(2, -1);
    child->setParams(spawner->params, 9);
    child->alwaysPaint = false;
  }
}

// A scene object: made, then set up as its record asks.
void readSceneObject(RoomLoad& load, uint8_t opcode, int32_t kind, const RecordFields& r) {
  cActor* actor = make(load, kind, r);
  if (actor == nullptr) return;
  IntArray* p = load.params;
  const int32_t n = levelrecord::findRecord(opcode)->paramCount;
  switch (opcode) {
    case 9:  // liftable
      p->set(7, r.sprite() != nullptr ? r.sprite()->getAFrameFrame(r["frameAnim"], 0) : 0);
      setSpriteAndAnim(actor, r, r["anim"]);
      applyPalette(actor);
      setFootprint(actor, r);
      actor->setParams(p, n);
      actor->activate();
      break;
    case 10:  // pushable
      setSpriteAndAnim(actor, r, r["anim"]);
      applyPalette(actor);
      setFootprint(actor, r);
      actor->setParams(p, n);
      break;
    case levelrecord::op::hotspot:
      readHotspot(load, actor, r);
      return;
    case 12:  // slider
      actor->setParams(p, n);
      setInteractBox(actor, r);
      setFootprint(actor, r);
      setSpriteAndAnim(actor, r, p->get(0));
      applyActive(actor, r.active());
      applyPalette(actor);
      break;
    case levelrecord::op::blocker:
      actor->setParams(p, n);
      applyActive(actor, r.active());
      break;
    case 14:  // sensor
      setInteractBox(actor, r);
      setFootprint(actor, r);
      applyActive(actor, r.active());
      actor->setParams(p, n);
      setSpriteAndAnim(actor, r, p->get(0));
      applyPalette(actor);
      break;
    case 15:  // path hazard
      p->set(1, -1);
      p->set(2, p->get(2) << 8);
      actor->setParams(p, n);
      setSpriteAndAnim(actor, r, r["anim"]);
      actor->palette = r["palette"];
      applyActive(actor, r.active());
      break;
    case 16:  // critter: its direction code is also its animation
      p->set(0, cActor::directionBit(r["direction"]));
      p->set(1, 3000);
      actor->setParams(p, n);
      setSpriteAndAnim(actor, r, r["direction"]);
      setInteractBox(actor, r);
      applyActive(actor, r.active());
      break;
    case levelrecord::op::spawner:
      p->set(4, p->get(4) * 800 / 240);
      actor->hp = r["hitPoints"];
      p->set(8, r["anim"]);
      setInteractBox(actor, r);
      actor->setTriggerBox(r["trigger.x"], r["trigger.y"], r["trigger.w"], r["trigger.h"]);
      applyActive(actor, r.active());
      actor->setParams(p, n);
      setSpriteAndAnim(actor, r, r["anim"], p->get(0) == 2 || p->get(0) == 5 ? 1 : -1);
      applyPalette(actor);
      actor->reset();
      load.previous = actor;
      if (p->get(0) == 4) spawnChildren(load, actor);
      return;
    case 20: {  // falling object, over the scene
      actor->setZ(500 << 8);
      p->set(0, p->get(0) << 8);
      actor->setParams(p, n);
      setSpriteAndAnim(actor, r, r["anim"]);
      setInteractBox(actor, r);
      // Its contact box is fixed, not a footprint made from cells.
      actor->footprint = newIntArray(4);
      if (actor->footprint != nullptr) {
        actor->footprint->set(0, -50);
        actor->footprint->set(1, -50);
        actor->footprint->set(2, 100);
        actor->footprint->set(3, 100);
      }
      applyActive(actor, r.active());
      break;
    }
    case 80:  // door
      p->set(1, r["sprite"] == 15 ? 83 : r["sprite"] == 0 ? 93 : r["anim"]);
      if (r.sprite() != nullptr) actor->setSprite(r.sprite());
      applyPalette(actor);
      setInteractBox(actor, r);
      applyActive(actor, r.active());
      actor->setParams(p, n);
      actor->setFootprint(0, 0, 2, 1);
      if (r["open"] != 0) actor->setBarrierOpen();
      else actor->setBarrierClosed();
      break;
    case 81: {  // area trigger
      int32_t slot = r.slot();
      int32_t anim = r["anim"];
      const int32_t chapter = shellStatics().cGameProgress.chapter;
      if (slot == 27 && ((chapter == 5 && anim == 31) || (chapter == 0 && anim == 5))) {
        slot = 51;
        anim = 0;
      }
      setInteractBox(actor, r);
      applyActive(actor, r.active());
      if (ASprite* sprite = shell::spriteAt(slot)) {
        actor->setSprite(sprite);
        actor->setAnim(anim, -1);
      }
      if (slot == 27) actor->setZ(999 << 8);
      applyPalette(actor);
      actor->setParams(p, n);
      break;
    }
    case 82:  // flag trigger
      applyActive(actor, r.active());
      if (r.sprite() != nullptr) {
        setSpriteAndAnim(actor, r, r["anim"]);
        applyPalette(actor);
      }
      actor->setParams(p, n);
      break;
    case 83:  // marker: a chain's head
      p->set(2, -1);
      if (r["sprite"] == 15) p->set(10, 83);
      else if (r["sprite"] == 0) p->set(10, 93);
      p->set(11, r["anim"]);
      setInteractBox(actor, r);
      applyActive(actor, r.active());
      actor->setParams(p, n);
      applyDepthRule(actor, r);
      if (r.sprite() != nullptr) {
        setSpriteAndAnim(actor, r, r["anim"]);
        applyPalette(actor);
      }
      actor->reset();
      actor->alwaysPaint = actor->param(1) == 2;
      load.previous = actor;
      load.chainRun = true;
      return;
    case 84:  // key object: a chain's head
      p->set(11, 0);
      setInteractBox(actor, r);
      setFootprint(actor, r);
      applyActive(actor, r.active());
      actor->setParams(p, n);
      applyDepthRule(actor, r);
      setSpriteAndAnim(actor, r, p->get(0));
      applyPalette(actor);
      actor->reset();
      load.previous = actor;
      load.chainRun = true;
      return;
    case levelrecord::op::snapshotTrigger:
      actor->id = 0;  // never looked up
      if (r.sprite() != nullptr) setSpriteAndAnim(actor, r, r["anim"]);
      actor->setParams(p, n);
      setInteractBox(actor, r);
      applyActive(actor, r.active());
      applyDepthRule(actor, r);
      break;
    case 87:  // camera band: a chain's head
      setInteractBox(actor, r);
      applyActive(actor, r.active());
      actor->setParams(p, n);
      applyPalette(actor);
      actor->reset();
      load.previous = actor;
      load.chainRun = true;
      return;
    case 88:  // emitter: no set-up of its kind
      actor->setParams(p, n);
      applyActive(actor, r.active());
      return;
    default:
      break;
  }
  actor->reset();
}

// Op 86: a contact area, or with p0 0 the player's variant, which takes the
// focus at once.
void readContactArea(RoomLoad& load, const RecordFields& r) {
  IntArray* p = load.params;
  p->set(7, r["anim"]);
  const bool playerVariant = p->get(0) == 0;
  cActor* actor = nullptr;
  if (playerVariant) {
    cActorMC* variant = cActorMC::create(ActorKind::PLAYER_VARIANT, 0, load.position);
    if (variant == nullptr) return;
    variant->id = r["id"];
    variant->variantFlag = true;
    variant->hp = 100;
    cGame::setFocusActor(variant);
    variant->setFootprint(0, -20, 108, 184);
    actor = variant;
  } else {
    actor = make(load, ActorKind::CONTACT_AREA, r);
    if (actor == nullptr) return;
  }
  setInteractBox(actor, r);
  applyActive(actor, r.active());
  actor->setParams(p, 9);
  setSpriteAndAnim(actor, r, r["anim"], playerVariant ? 1 : -1);
  applyPalette(actor);
  actor->reset();
  load.previous = actor;
}

void readPath(RoomLoad& load, const RecordFields& r) {
  cActor* path = make(load, ActorKind::PATH, r);
  if (path == nullptr) return;
  path->setParams(nullptr, 1);
  setSpriteAndAnim(path, r, r["anim"]);
  applyActive(path, r.active());
  path->reset();
  path->setZ(-999 << 8);
  load.previous = path;
  load.pathRun = true;
}

}  // namespace

void readActorRecord(RoomLoad& load, int32_t opcode) {
  const levelrecord::Record* record = levelrecord::findRecord(static_cast<uint8_t>(opcode));
  if (record == nullptr) return;
  const RecordFields r(*record, load);
  switch (opcode) {
    case 3:
    case 17: readBarrier(load, r); break;
    case levelrecord::op::character: readCharacter(load, r); break;
    case levelrecord::op::creature: readCreature(load, r); break;
    case 6: readPerson(load, r); break;
    case levelrecord::op::path: readPath(load, r); break;
    case levelrecord::op::pathPoint:
      // A point belongs to the path just made; anywhere else it is ignored.
      if (load.pathRun && load.previous != nullptr) load.previous->addPathPoint(r["x"], r["y"], r["value"]);
      else debugLog("Level data: a path point outside a path is ignored");
      break;
    case levelrecord::op::contactArea: readContactArea(load, r); break;
    default:
      if (record->kind >= 0) readSceneObject(load, static_cast<uint8_t>(opcode), record->kind, r);
      break;
  }
}
