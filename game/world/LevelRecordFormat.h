#pragma once
// The level-record stream as bytes: for every opcode its name and its fields
// in stream order, so that the room loader bounds each read, the level
// assembler encodes, the content lint walks the streams and the tests build
// them from one description. Header-only and dependency-free (constexpr).
//
// A record is its opcode byte followed by its body: the fields below, in
// order, little-endian, without padding. No record has a body of variable
// length: a path's points are records of their own (op 22 after op 21) and a
// spawner's children are made without reading more. An opcode without an
// entry here has no body: only its byte is consumed.
#include <cstdint>
#include <span>
#include <string_view>

namespace levelrecord {

enum class FieldType : uint8_t { u8, s8, u16, s16, boolean };

constexpr int32_t sizeOf(FieldType type) { return type == FieldType::u16 || type == FieldType::s16 ? 2 : 1; }

// What a field's value means beyond its bytes, for the assembler's symbols
// and checks and for readers that want the same:
//   actorId, routeId, actionId  the record's own id, which others look up;
//   actorRef ... itemRef        an id looked up in that table (-1: none);
//   sprite                      a sprite slot, stored minus `offset`;
//   unused                      read and dropped; always written as 0.
enum class FieldRole : uint8_t {
  plain,
  actorId,
  routeId,
  actionId,
  actorRef,
  routeRef,
  actionRef,
  cutsceneRef,
  itemRef,
  sprite,
  unused,
};

struct Field {
  std::string_view name;
  FieldType type;
  FieldRole role = FieldRole::plain;
  // The params element the loader copies the value into; -1 for none.
  int8_t param = -1;
  // The stored value is what the game uses minus this (sprite fields: the
  // slot minus 16; an item's name and description: text id minus 181, 204).
  int16_t offset = 0;
};

// Grouped fields: "box.x" .. "box.h" is the interact box, "foot.w"/"foot.h"
// the footprint, "trigger.*" the trigger box, "outer.*"/"inner.*" a camera
// zone's rectangles (inner relative to outer's corner).

struct Record {
  uint8_t op;
  std::string_view name;
  std::span<const Field> fields;
  // Kind of the actor it makes; -1 when it makes none. Op 86 makes kind 66,
  // or the player variant of kind 22 when its p0 is 0.
  int16_t kind = -1;
  // Elements of params the loader hands to the actor (0: none).
  int8_t paramCount = 0;
};

// Numbers the loader and the content agree on.
inline constexpr int32_t maxPathPoints = 30;     // per op-21 path
inline constexpr int32_t maxRoutePoints = 40;    // op 7, per room (shared + room stream)
inline constexpr int32_t maxCameraZones = 100;   // op 8, per room
inline constexpr int32_t maxActions = 200;       // ops 60..69, per room
inline constexpr int32_t maxItems = 29;          // op 50, per stream: ids 1..29
inline constexpr int32_t maxCombinations = 20;   // op 51, per room
inline constexpr int32_t spriteSlotOffset = 16;  // a sprite field s names slot s + 16
inline constexpr int32_t spriteSlotCount = 52;   // slots 0..51; past it reads as empty
inline constexpr int32_t itemNameTextOffset = 181;
inline constexpr int32_t itemDescriptionTextOffset = 204;
inline constexpr int32_t pathParamCount = 91;    // kind 29: p0 count, then x, y, value per point
inline constexpr int32_t spawnedChildren = 10;   // op 18 with p0 = 4
inline constexpr int32_t idleMachineSpawner = 4;  // that p0: the children stand by themselves
// Barriers on these slots have no picture.
inline constexpr int32_t barrierWithoutPictureSlots[] = {26, 41};

// The level pack's entries.
inline constexpr int32_t sharedEntry = 0;
constexpr int32_t roomObjectsEntry(int32_t room) { return 2 * room + 1; }
constexpr int32_t roomScriptEntry(int32_t room) { return 2 * room + 2; }

// The header's sprite set t chooses the tile sprites of map layers 0, 2 and
// 3: tile-set pack entries 6t + 2, 6t + 4 and 6t + 6. Set 1 is read as 0.
constexpr int32_t roomSpriteSet(int32_t headerValue) { return headerValue == 1 ? 0 : headerValue; }
constexpr int32_t tileSpriteEntry(int32_t spriteSet, int32_t mapLayer) {
  return mapLayer == 0 ? 6 * spriteSet + 2 : mapLayer == 2 ? 6 * spriteSet + 4 : mapLayer == 3 ? 6 * spriteSet + 6 : -1;
}

// Opcodes with a meaning beyond their body.
namespace op {
inline constexpr uint8_t nothing = 1;
inline constexpr uint8_t header = 2;
inline constexpr uint8_t character = 4;
inline constexpr uint8_t creature = 5;
inline constexpr uint8_t routePoint = 7;
inline constexpr uint8_t cameraZone = 8;
inline constexpr uint8_t hotspot = 11;
inline constexpr uint8_t blocker = 13;
inline constexpr uint8_t spawner = 18;
inline constexpr uint8_t chainGap = 19;  // no body, and it keeps a chain run going
inline constexpr uint8_t path = 21;
inline constexpr uint8_t pathPoint = 22;
inline constexpr uint8_t item = 50;
inline constexpr uint8_t combination = 51;
inline constexpr uint8_t firstAction = 60;
inline constexpr uint8_t lastAction = 69;
inline constexpr uint8_t snapshotTrigger = 85;  // its object keeps id 0, whatever the record says
inline constexpr uint8_t contactArea = 86;
}  // namespace op

constexpr bool isAction(uint8_t opcode) { return opcode >= op::firstAction && opcode <= op::lastAction; }
// Records that start a chain run, which op-11 hotspots then join.
constexpr bool isChainHead(uint8_t opcode) { return opcode == 83 || opcode == 84 || opcode == 87; }
// Records whose object becomes the loader's previous object, the one the
// next hotspot links to.
constexpr bool becomesPreviousObject(uint8_t opcode) {
  return opcode == op::hotspot || opcode == op::spawner || opcode == op::path || isChainHead(opcode) ||
         opcode == op::contactArea;
}

namespace detail {
using enum FieldType;
using enum FieldRole;

inline constexpr Field header[] = {
    {"spriteSet", u8},          {"start", u16, actorRef},  {"startAction", s16, actionRef},
    {"altPalette", boolean},    {"countdown", s16},        {"roomFlag", boolean},
};
inline constexpr Field barrier[] = {
    {"id", u16, actorId}, {"x", s16}, {"y", s16}, {"sprite", u8, sprite, -1, 16},
    {"foot.w", u16},      {"foot.h", u16}, {"anim", s16}, {"active", boolean},
};
inline constexpr Field scenery[] = {
    {"id", u16, actorId}, {"x", s16}, {"y", s16}, {"sprite", u8, sprite, -1, 16}, {"anim", s16}, {"active", boolean},
};
inline constexpr Field character[] = {
    {"id", u16, actorId}, {"x", s16}, {"y", s16}, {"sprite", u8, sprite, -1, 16},
    {"facing", u8},       {"abilityFlags", u8},   {"partnerIndex", u8},
};
inline constexpr Field creature[] = {
    {"id", u16, actorId},
    {"x", s16},
    {"y", s16},
    {"sprite", u8, sprite, -1, 16},
    {"anim", s16},
    {"box.x", s16, plain, 3},
    {"box.y", s16, plain, 4},
    {"box.w", s16, plain, 5},
    {"box.h", s16, plain, 6},
    {"options", u8, plain, 16},
    {"maxHp", s16, plain, 22},
    {"dropItem", u8, itemRef, 25},
    {"route", s16, routeRef, 7},
    {"type", u8, plain, 0},
    {"active", boolean},
    {"reinforcementA", s16, routeRef, 20},
    {"reinforcementB", s16, routeRef, 21},
    {"palette", u8},
    {"viewHalfAngle", u8, plain, 23},
    {"sightCells", u8, plain, 24},
    {"animBase", s16, plain, 8},
};
inline constexpr Field person[] = {
    {"id", u16, actorId},     {"x", s16},          {"y", s16},           {"sprite", s8, sprite, -1, 16},
    {"anim", s16},            {"box.x", s16},      {"box.y", s16},       {"box.w", s16},
    {"box.h", s16},           {"talkMode", u8},    {"unused", s16, unused}, {"talkEvent", s16},
    {"npcTag", s16},          {"p0", boolean, plain, 0}, {"highlight", boolean, plain, 1}, {"active", boolean},
    {"p2", s16, plain, 2},    {"p3", s16, plain, 3},
};
inline constexpr Field routePoint[] = {
    {"id", u16, routeId}, {"x", s16}, {"y", s16}, {"next", s16, routeRef},
};
inline constexpr Field cameraZone[] = {
    {"id", u16},         {"outer.x", s16},    {"outer.y", s16},   {"outer.w", s16},   {"outer.h", s16},
    {"inner.dx", s16},   {"inner.dy", s16},   {"inner.w", s16},   {"inner.h", s16},
};
inline constexpr Field liftable[] = {
    {"id", u16, actorId}, {"x", s16},          {"y", s16},          {"sprite", u8, sprite, -1, 16},
    {"foot.w", s16},      {"foot.h", s16},     {"anim", s16},       {"p0", s16, plain, 0},
    {"p1", s16, plain, 1}, {"p2", s16, plain, 2}, {"p3", s8, plain, 3}, {"p5", boolean, plain, 5},
    {"p6", boolean, plain, 6}, {"frameAnim", s16},
};
inline constexpr Field pushable[] = {
    {"id", u16, actorId}, {"x", s16},      {"y", s16},           {"sprite", u8, sprite, -1, 16}, {"foot.w", s16},
    {"foot.h", s16},      {"anim", s16},   {"p5", boolean, plain, 5}, {"p6", s16, plain, 6},  {"p7", s16, plain, 7},
};
inline constexpr Field hotspot[] = {
    {"id", u16, actorId},
    {"x", s16},
    {"y", s16},
    {"flag", boolean},
    {"sprite", u8, sprite, -1, 16},
    {"anim", s16},
    {"type", s16, plain, 0},
    {"reveal", s16, actorRef, 3},
    {"action", s16, actionRef, 4},
    {"cutscene", s16, cutsceneRef, 5},
    {"item", s8, itemRef, 6},
    {"p7", s8, plain, 7},
    {"p8", s16, plain, 8},
};
inline constexpr Field slider[] = {
    {"id", u16, actorId},   {"x", s16},          {"y", s16},          {"sprite", u8, sprite, -1, 16},
    {"box.x", s16},         {"box.y", s16},      {"box.w", s16},      {"box.h", s16},
    {"foot.w", s16},        {"foot.h", s16},     {"anim", s16, plain, 0}, {"slideAnim", s16, plain, 1},
    {"touchStart", u8, plain, 2}, {"direction", u8, plain, 3}, {"speed", s16, plain, 4},
    {"fullSpeedCells", u8, plain, 5}, {"active", boolean},
};
inline constexpr Field blocker[] = {
    {"id", u16, actorId}, {"x", s16}, {"y", s16}, {"p0", s16, plain, 0}, {"p1", s16, plain, 1},
    {"p2", u8, plain, 2}, {"active", boolean},
};
inline constexpr Field sensor[] = {
    {"id", u16, actorId},   {"x", s16},            {"y", s16},            {"active", boolean},
    {"sprite", s16, sprite, -1, 16}, {"anim", s16, plain, 0}, {"p1", u8, plain, 1}, {"p2", u8, plain, 2},
    {"p3", u8, plain, 3},   {"box.x", s16},        {"box.y", s16},        {"box.w", s16},
    {"box.h", s16},         {"p4", s16, plain, 4}, {"p5", s16, plain, 5}, {"p6", s16, plain, 6},
    {"p7", s16, plain, 7},  {"foot.w", s16},       {"foot.h", s16},       {"p8", s16, plain, 8},
    {"p9", s16, plain, 9},  {"p10", s16, plain, 10}, {"p11", s16, plain, 11}, {"p12", u8, plain, 12},
    {"p13", u8, plain, 13},
};
inline constexpr Field pathHazard[] = {
    {"id", u16, actorId},  {"x", s16},   {"y", s16},   {"active", boolean}, {"sprite", s16, sprite, -1, 16},
    {"anim", s16},         {"route", s16, routeRef, 0}, {"palette", u8},   {"speed", s16, plain, 2},
    {"damagePeriod", s16, plain, 3},
};
inline constexpr Field critter[] = {
    {"id", u16, actorId}, {"x", s16},     {"y", s16},     {"active", boolean}, {"sprite", s16, sprite, -1, 16},
    {"direction", s16},   {"box.x", s16}, {"box.y", s16}, {"box.w", s16},      {"box.h", s16},
};
inline constexpr Field spawner[] = {
    {"id", u16, actorId},  {"x", s16},            {"y", s16},            {"active", boolean},
    {"sprite", s16, sprite, -1, 16}, {"anim", s16}, {"box.x", s16},       {"box.y", s16},
    {"box.w", s16},        {"box.h", s16},        {"p0", s16, plain, 0}, {"p1", s16, plain, 1},
    {"trigger.x", s16},    {"trigger.y", s16},    {"trigger.w", s16},    {"trigger.h", s16},
    {"p2", s16, plain, 2}, {"p3", s16, plain, 3}, {"p4", s16, plain, 4}, {"p5", s16, plain, 5},
    {"p6", s16, plain, 6}, {"hitPoints", s16},    {"p7", s16, plain, 7},
};
inline constexpr Field fallingObject[] = {
    {"id", u16, actorId}, {"x", s16},     {"y", s16},     {"active", boolean}, {"sprite", s16, sprite, -1, 16},
    {"anim", s16},        {"box.x", s16}, {"box.y", s16}, {"box.w", s16},      {"box.h", s16},
    {"fallSpeed", s16, plain, 0},
};
inline constexpr Field path[] = {
    {"id", u16, actorId}, {"x", s16}, {"y", s16}, {"active", boolean}, {"sprite", s16, sprite, -1, 16}, {"anim", s16},
};
inline constexpr Field pathPoint[] = {{"x", s16}, {"y", s16}, {"value", s16}};
inline constexpr Field item[] = {
    {"sprite", u8, sprite, -1, 16}, {"anim", s16}, {"useKind", s8},
    {"name", u8, plain, -1, 181},   {"description", u8, plain, -1, 204},
    {"amount", s8},                 {"value", s16},
};
inline constexpr Field combination[] = {{"result", s16, itemRef}, {"a", s16, itemRef}, {"b", s16, itemRef}};
inline constexpr Field line[] = {
    {"id", s16, actionId}, {"text", s16}, {"balloon", s16, actorRef}, {"speaker", s16}, {"next", s16, actionRef},
};
inline constexpr Field hint[] = {{"id", s16, actionId}, {"text", s16}, {"ms", s16}};
inline constexpr Field startCutscene[] = {
    {"id", s16, actionId}, {"cutscene", s16, cutsceneRef}, {"tenths", s16}, {"background", boolean}, {"loop", boolean},
};
inline constexpr Field keyPrompt[] = {
    {"id", s16, actionId}, {"iconA", s16}, {"iconB", s16}, {"iconC", s16}, {"ms", s16},
    {"success", s16, actionRef}, {"failure", s16, actionRef},
};
inline constexpr Field inertAction[] = {{"id", s16, actionId}, {"actor", s16, actorRef}, {"a", s16}, {"b", s16}};
inline constexpr Field removeZone[] = {{"id", s16, actionId}, {"zone", s16}};
inline constexpr Field cinematic[] = {{"id", s16, actionId}, {"unused", boolean, unused}, {"text", s16}};
inline constexpr Field killActor[] = {{"id", s16, actionId}, {"actor", s16, actorRef}};
inline constexpr Field interaction[] = {{"id", s16, actionId}, {"actor", s16, actorRef}};
inline constexpr Field effect[] = {
    {"id", s16, actionId}, {"b", s16}, {"unused", s16, unused}, {"sprite", s16, sprite, -1, 16},
    {"anim", s16},         {"a", s16}, {"top", boolean},
};
inline constexpr Field door[] = {
    {"id", u16, actorId},       {"x", s16},          {"y", s16},          {"active", boolean},
    {"p0", u16, plain, 0},      {"box.w", s16},      {"box.h", s16},      {"sprite", s16, sprite, -1, 16},
    {"anim", s16},              {"closedAnim", s16, plain, 2}, {"keyItem", s16, itemRef, 3}, {"p4", s16, plain, 4},
    {"p5", s16, plain, 5},      {"open", boolean},   {"box.x", s16},      {"box.y", s16},
    {"hint", s16, plain, 7},
};
inline constexpr Field areaTrigger[] = {
    {"id", u16, actorId},        {"x", s16},          {"y", s16},          {"active", boolean},
    {"p0", u8, plain, 0},        {"box.w", s16},      {"box.h", s16},      {"action", s16, actionRef, 1},
    {"activate", s16, actorRef, 3}, {"deactivate", s16, actorRef, 4}, {"kill", s16, actorRef, 5},
    {"box.x", s16},              {"box.y", s16},      {"sprite", s16, sprite, -1, 16}, {"anim", s16},
    {"repeat", s8, plain, 6},    {"cutscene", s16, cutsceneRef, 2},
};
inline constexpr Field flagTrigger[] = {
    {"id", u16, actorId},        {"x", s16},          {"y", s16},          {"active", boolean},
    {"watchA", s16, actorRef, 0}, {"watchB", s16, actorRef, 1}, {"watchC", s16, actorRef, 2},
    {"condition", u8, plain, 3}, {"action", s16, actionRef, 4}, {"activate", s16, actorRef, 6},
    {"deactivate", s16, actorRef, 7}, {"kill", s16, actorRef, 8}, {"sprite", s16, sprite, -1, 16},
    {"anim", s16},               {"cutscene", s16, cutsceneRef, 5},
};
inline constexpr Field marker[] = {
    {"id", u16, actorId},  {"x", s16},            {"y", s16},            {"active", boolean},
    {"sprite", s16, sprite, -1, 16}, {"anim", s16}, {"p0", u8, plain, 0}, {"box.x", s16},
    {"box.y", s16},        {"box.w", s16},        {"box.h", s16},        {"p1", s16, plain, 1},
    {"p3", s16, plain, 3}, {"p4", s16, plain, 4}, {"p5", s16, plain, 5}, {"p6", s16, plain, 6},
    {"p7", s16, plain, 7}, {"p8", boolean, plain, 8}, {"p9", s16, plain, 9}, {"p10", s16, plain, 10},
    {"p12", s16, plain, 12}, {"p13", s16, plain, 13}, {"p14", s16, plain, 14},
};
inline constexpr Field keyObject[] = {
    {"id", u16, actorId},  {"x", s16},            {"y", s16},            {"active", boolean},
    {"sprite", s16, sprite, -1, 16}, {"anim", s16, plain, 0}, {"p1", u8, plain, 1}, {"p2", u8, plain, 2},
    {"p3", u8, plain, 3},  {"box.x", s16},        {"box.y", s16},        {"box.w", s16},
    {"box.h", s16},        {"foot.w", s16},       {"foot.h", s16},       {"p4", s16, plain, 4},
    {"p5", s16, plain, 5}, {"p6", s16, plain, 6}, {"p7", s16, plain, 7}, {"p8", s16, plain, 8},
    {"p9", u8, plain, 9},  {"p10", u8, plain, 10}, {"p12", boolean, plain, 12},
};
inline constexpr Field snapshotTrigger[] = {
    {"id", u16, actorId}, {"x", s16},     {"y", s16},     {"active", boolean}, {"sprite", s16, sprite, -1, 16},
    {"anim", s16},        {"box.x", s16}, {"box.y", s16}, {"box.w", s16},      {"box.h", s16},
    {"p0", s16, plain, 0},
};
inline constexpr Field contactArea[] = {
    {"id", u16, actorId}, {"x", s16},     {"y", s16},     {"active", boolean}, {"sprite", s16, sprite, -1, 16},
    {"anim", s16},        {"box.x", s16}, {"box.y", s16}, {"box.w", s16},      {"box.h", s16},
    {"p0", s16, plain, 0}, {"p1", s16, plain, 1}, {"p2", s16, plain, 2}, {"p3", s16, plain, 3},
};
inline constexpr Field cameraBand[] = {
    {"id", u16, actorId}, {"x", s16},     {"y", s16},     {"active", boolean}, {"unused", s16, unused},
    {"box.x", s16},       {"box.y", s16}, {"box.w", s16}, {"box.h", s16},      {"p0", s16, plain, 0},
    {"p1", s16, plain, 1}, {"p2", s16, plain, 2}, {"p3", s16, plain, 3},
};
inline constexpr Field emitter[] = {
    {"id", u16, actorId}, {"x", s16}, {"y", s16}, {"sprite", s16, sprite, 0, 16}, {"anim", s16, plain, 1},
    {"lifetime", s16, plain, 2}, {"active", boolean}, {"top", u8, plain, 3},
};
}  // namespace detail

inline constexpr Record records[] = {
    {1, "nop", {}},
    {2, "header", detail::header},
    {3, "barrier", detail::barrier, 13},
    {4, "character", detail::character, 10, 8},
    {5, "creature", detail::creature, 12},
    {6, "person", detail::person, 11, 4},
    {7, "route", detail::routePoint},
    {8, "zone", detail::cameraZone},
    {9, "liftable", detail::liftable, 14, 14},
    {10, "pushable", detail::pushable, 15, 14},
    {11, "hotspot", detail::hotspot, 16, 9},
    {12, "slider", detail::slider, 17, 11},
    {13, "blocker", detail::blocker, 18, 3},
    {14, "sensor", detail::sensor, 19, 16},
    {15, "pathHazard", detail::pathHazard, 20, 4},
    {16, "critter", detail::critter, 21, 3},
    {17, "scenery", detail::scenery, 13},
    {18, "spawner", detail::spawner, 24, 9},
    {20, "fallingObject", detail::fallingObject, 27, 2},
    {21, "path", detail::path, 29},
    {22, "point", detail::pathPoint},
    {50, "item", detail::item},
    {51, "combination", detail::combination},
    {60, "line", detail::line},
    {61, "hint", detail::hint},
    {62, "startCutscene", detail::startCutscene},
    {63, "keyPrompt", detail::keyPrompt},
    {64, "inert", detail::inertAction},
    {65, "removeZone", detail::removeZone},
    {66, "cinematic", detail::cinematic},
    {67, "kill", detail::killActor},
    {68, "interaction", detail::interaction},
    {69, "effect", detail::effect},
    {80, "door", detail::door, 60, 8},
    {81, "areaTrigger", detail::areaTrigger, 61, 7},
    {82, "flagTrigger", detail::flagTrigger, 62, 12},
    {83, "marker", detail::marker, 63, 15},
    {84, "keyObject", detail::keyObject, 64, 13},
    {85, "snapshotTrigger", detail::snapshotTrigger, 65, 1},
    {86, "contactArea", detail::contactArea, 66, 9},
    {87, "cameraBand", detail::cameraBand, 67, 4},
    {88, "emitter", detail::emitter, 68, 11},
};

// The record of an opcode; null for one without a body (including 1 and 19).
constexpr const Record* findRecord(uint8_t opcode) {
  for (const Record& record : records)
    if (record.op == opcode) return &record;
  return nullptr;
}

constexpr const Record* findRecord(std::string_view name) {
  for (const Record& record : records)
    if (record.name == name) return &record;
  return nullptr;
}

// Bytes after the opcode byte; 0 for unlisted opcodes.
constexpr int32_t bodySize(uint8_t opcode) {
  // Searched without comparing pointers, which the sanitizer build cannot
  // do at compile time.
  for (const Record& record : records) {
    if (record.op != opcode) continue;
    int32_t size = 0;
    for (const Field& field : record.fields) size += sizeOf(field.type);
    return size;
  }
  return 0;
}

// Offset of a field within the body; -1 when the record has no such field.
constexpr int32_t fieldOffset(uint8_t opcode, std::string_view name) {
  const Record* record = findRecord(opcode);
  if (record == nullptr) return -1;
  int32_t offset = 0;
  for (const Field& field : record->fields) {
    if (field.name == name) return offset;
    offset += sizeOf(field.type);
  }
  return -1;
}

}  // namespace levelrecord
