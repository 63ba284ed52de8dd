#pragma once
// The event script as bytes: the track header and every command with its
// operands, named once so that the loader measures tracks, the interpreter
// skips and reads commands, the script assembler encodes them and the tests
// build scripts from the same description. Header-only and dependency-free
// (constexpr), as the level records' description is.
//
// Block: u8 cutscene count N; N x {s16 id, s8 track count}; then every
// track back to back. Track: s8 type, s8 flags, s16 reference (types 2 and
// 3 only), s16 keyframe count K, K keyframes. Keyframe: s16 time (tenths of
// a second), one byte command count C (0..127), C commands: u8 opcode and
// its operands, little-endian.
#include <cstdint>
#include <span>
#include <string_view>

#include "game/world/LevelRecordFormat.h"

namespace eventscript {

enum class OperandType : uint8_t { u8, s8, s16, s32, boolean };

constexpr int32_t sizeOf(OperandType type) {
  return type == OperandType::s16 ? 2 : type == OperandType::s32 ? 4 : 1;
}

// What an operand's value means, for the assembler's symbols and checks:
//   actorRef, actionRef, cutsceneRef  an id looked up at run time (-1: none);
//   itemRef                           an item id of the room's level data;
//   text                              a script text id (the game adds 272);
//   track                             a track of the same cutscene (0..);
//   spriteSlot                        a sprite slot, stored minus 16;
//   unused                            read and dropped; written as 0.
enum class OperandRole : uint8_t { plain, actorRef, actionRef, cutsceneRef, itemRef, text, track, spriteSlot, unused };

struct Operand {
  std::string_view name;
  OperandType type;
  OperandRole role = OperandRole::plain;
};

struct Command {
  uint8_t op;
  std::string_view name;
  std::span<const Operand> operands;
  // Passed over while a cutscene is fast-forwarded (op 55 only for sounds
  // of 11 and above, which the interpreter decides).
  bool skippedWhileFastForward = false;
};

// Track types and flag bits.
namespace track {
inline constexpr int32_t plain = 0;
inline constexpr int32_t camera = 1;
inline constexpr int32_t actor = 2;
inline constexpr int32_t spawn = 3;
inline constexpr int32_t interpolate = 1;
inline constexpr int32_t loop = 2;
inline constexpr int32_t notWaitedFor = 4;
inline constexpr int32_t steppedAnyway = 8;
// type, flags, keyframe count; types 2 and 3 add their reference.
constexpr int32_t headerBytes(int32_t type) { return type == actor || type == spawn ? 6 : 4; }
}  // namespace track

// Scripts name texts from 0; the text pack holds them from here.
inline constexpr int32_t scriptTextOffset = 272;
// A spawned actor's sprite indexes the script sprites, sprite slots 16..48.
inline constexpr int32_t scriptSpriteFirstSlot = 16;
inline constexpr int32_t scriptSpriteCount = 33;
inline constexpr int32_t maxCommandsPerKeyframe = 127;

namespace detail {
using enum OperandType;
using enum OperandRole;
inline constexpr Operand xy[] = {{"x", s16}, {"y", s16}};
inline constexpr Operand follow[] = {{"track", u8, track}, {"a", s16, unused}, {"b", s16, unused}};
inline constexpr Operand anim16[] = {{"anim", s16}};
inline constexpr Operand anim8[] = {{"anim", u8}};
inline constexpr Operand mask[] = {{"mask", s32}};
inline constexpr Operand value16[] = {{"value", s16}};
inline constexpr Operand depth[] = {{"z", s16}};
inline constexpr Operand palette[] = {{"palette", s16}};
inline constexpr Operand balloon[] = {{"text", s16, text}, {"ms", s16}, {"style", s16}, {"arg", s16}};
inline constexpr Operand inert4[] = {{"a", s16}, {"b", s16}};
inline constexpr Operand inert6[] = {{"a", s16}, {"b", s16}, {"c", s16}};
inline constexpr Operand inert8[] = {{"a", s16}, {"b", s16}, {"c", s16}, {"d", s16}};
inline constexpr Operand action[] = {{"action", s16, actionRef}};
inline constexpr Operand actor[] = {{"actor", s16, actorRef}};
inline constexpr Operand hint[] = {{"text", s16, text}, {"ms", s16}};
inline constexpr Operand line[] = {{"text", s16, text}, {"speaker", s16}, {"balloon", s16, actorRef}};
inline constexpr Operand on[] = {{"on", boolean}};
inline constexpr Operand sound[] = {{"sound", s8}, {"loop", boolean}};
inline constexpr Operand amplitude[] = {{"amplitude", s16}};
inline constexpr Operand caption[] = {
    {"unused", s16, unused}, {"text", s16, text}, {"x", s16}, {"y", s16}, {"narration", boolean}};
inline constexpr Operand question[] = {
    {"text", s16, text},     {"speaker", s16},         {"balloon", s16, actorRef}, {"answerA", s16, text},
    {"answerB", s16, text},  {"answerC", s16, text},   {"answerD", s16, text},     {"answerE", s16, text},
    {"right", s16},          {"rightAction", s16, actionRef}, {"wrongAction", s16, actionRef}};
inline constexpr Operand play[] = {
    {"cutscene", s16, cutsceneRef}, {"tenths", s16}, {"background", boolean}, {"loop", boolean}};
inline constexpr Operand bind[] = {{"actor", s16, actorRef}, {"target", s16, actorRef}, {"x", s16},
                                   {"y", s16},               {"w", s16},                {"h", s16}};
inline constexpr Operand mode[] = {{"mode", boolean}};
inline constexpr Operand give[] = {{"unused", s16, unused}, {"item", u8, itemRef}, {"count", u8}};
inline constexpr Operand link[] = {{"a", s16, actorRef}, {"b", s16, actorRef}};
inline constexpr Operand health[] = {{"actor", s16, actorRef}, {"n", s16}};
inline constexpr Operand moveTo[] = {
    {"actor", s16, actorRef}, {"x", s16}, {"y", s16}, {"speedX", s16}, {"speedY", s16}};
inline constexpr Operand prompt[] = {{"iconA", s16}, {"iconB", s16}, {"iconC", s16}, {"ms", s16}};
inline constexpr Operand promptChoice[] = {
    {"success", s16, cutsceneRef}, {"tenthsA", s16}, {"failure", s16, cutsceneRef}, {"tenthsB", s16}};
inline constexpr Operand particles[] = {{"n", s16}};
inline constexpr Operand effect[] = {
    {"sprite", s16, spriteSlot}, {"anim", s16}, {"a", s16}, {"b", s16}, {"top", boolean}};
inline constexpr Operand timer[] = {{"seconds", s16}, {"cutscene", s16, cutsceneRef}};
}  // namespace detail

// Every command with operands or an effect. An opcode without an entry
// (14..20, 29, 30, 33, 40, 48, 49, below 11, above 78) has no operands and
// does nothing; 32 and 35 have no agreed size and are refused.
inline constexpr Command commands[] = {
    {11, "cameraAt", detail::xy},
    {12, "cameraCentre", detail::xy},
    {13, "cameraFollow", detail::follow},
    {21, "place", detail::xy},
    {22, "anim", detail::anim16},
    {23, "hide", detail::mask},
    {24, "show", detail::mask},
    {25, "nop", detail::value16},
    {26, "depth", detail::depth},
    {27, "palette", detail::palette},
    {28, "balloon", detail::balloon, true},
    {31, "inert31", detail::inert4},
    {34, "inert34", detail::inert4},
    {36, "inert36", detail::inert8},
    {37, "action", detail::action},
    {38, "inert38", detail::inert4},
    {39, "inert39", detail::inert6},
    {41, "placeExact", detail::xy},
    {42, "animByte", detail::anim8},
    {43, "hideAlso", detail::mask},
    {44, "showAlso", detail::mask},
    {45, "spritePalette", detail::palette},
    {46, "nopAlso", detail::value16},
    {47, "depthAlso", detail::depth},
    {50, "activate", detail::actor},
    {51, "kill", detail::actor},
    {52, "hint", detail::hint},
    {53, "line", detail::line, true},
    {54, "control", detail::on},
    {55, "sound", detail::sound},
    {56, "pause", {}},
    {57, "shake", detail::amplitude, true},
    {58, "caption", detail::caption},
    {59, "inert59", detail::on},
    {60, "inert60", detail::inert4},
    {61, "question", detail::question, true},
    {62, "closeWithPause", {}, true},
    {63, "closeAtOnce", {}, true},
    {64, "play", detail::play},
    {65, "bind", detail::bind},
    {66, "offerSkip", detail::mode},
    {67, "give", detail::give},
    {68, "select", detail::actor},
    {69, "link", detail::link},
    {70, "health", detail::health},
    {71, "moveTo", detail::moveTo},
    {72, "prompt", detail::prompt, true},
    {73, "promptChoice", detail::promptChoice},
    {74, "particles", detail::particles},
    {75, "effect", detail::effect},
    {76, "timer", detail::timer},
    {77, "gameOver", {}},
    {78, "actionButton", detail::on},
};

namespace op {
inline constexpr uint8_t cameraAt = 11, cameraCentre = 12, cameraFollow = 13, place = 21, anim = 22;
inline constexpr uint8_t balloon = 28, refusedA = 32, refusedB = 35, action = 37, placeExact = 41;
inline constexpr uint8_t line = 53, sound = 55, question = 61, play = 64, offerSkip = 66, moveTo = 71;
inline constexpr uint8_t promptChoice = 73, timer = 76;
}  // namespace op

constexpr const Command* findCommand(uint8_t opcode) {
  for (const Command& command : commands)
    if (command.op == opcode) return &command;
  return nullptr;
}

constexpr const Command* findCommand(std::string_view name) {
  for (const Command& command : commands)
    if (command.name == name) return &command;
  return nullptr;
}

constexpr bool isRefused(uint8_t opcode) { return opcode == op::refusedA || opcode == op::refusedB; }

// Bytes after the opcode byte; 0 for an opcode without an entry, -1 for the
// refused ones.
constexpr int32_t operandBytes(uint8_t opcode) {
  if (isRefused(opcode)) return -1;
  for (const Command& command : commands) {
    if (command.op != opcode) continue;
    int32_t size = 0;
    for (const Operand& operand : command.operands) size += sizeOf(operand.type);
    return size;
  }
  return 0;
}

constexpr bool skippedWhileFastForward(uint8_t opcode) {
  const Command* command = findCommand(opcode);
  return command != nullptr && command->skippedWhileFastForward;
}

// Offset of an operand within the command's operands; -1 when none.
constexpr int32_t operandOffset(uint8_t opcode, std::string_view name) {
  const Command* command = findCommand(opcode);
  if (command == nullptr) return -1;
  int32_t offset = 0;
  for (const Operand& operand : command->operands) {
    if (operand.name == name) return offset;
    offset += sizeOf(operand.type);
  }
  return -1;
}

// Action types are the level records 60..69; a stored action is its record
// from the opcode byte on.
namespace action {
inline constexpr uint8_t line = 60, hint = 61, cutscene = 62, keyPrompt = 63, inert = 64, removeZone = 65;
inline constexpr uint8_t cinematic = 66, kill = 67, interaction = 68, effect = 69;
constexpr int32_t recordSize(uint8_t type) {
  return levelrecord::isAction(type) ? 1 + levelrecord::bodySize(type) : 0;
}
}  // namespace action

static_assert(operandBytes(58) == 9 && operandBytes(61) == 22 && operandBytes(65) == 12 && operandBytes(75) == 9);
static_assert(operandBytes(13) == 5 && operandBytes(67) == 4 && operandBytes(71) == 10 && operandBytes(36) == 8);
static_assert(action::recordSize(action::line) == 11 && action::recordSize(action::keyPrompt) == 15 &&
              action::recordSize(action::effect) == 14 && action::recordSize(action::cinematic) == 6);

}  // namespace eventscript
