#pragma once
// The script assembler: a room's event script (levels/room<k>.evs) in a
// readable form, checked and encoded as the block the game's loader reads
// (game/story/EventScriptFormat.h). One statement a line; '#' starts a
// comment; indentation is for the reader only.
//
//   cutscene @opening                 # the lowest id from 1 no other takes
//   cutscene @gateOpens=7             # or its id written
//     track actor @hero interpolate   # plain, camera, actor <id>, spawn <sprite slot>
//       at 0: place 480 300; anim 2
//       at 3.5: place 600 300
//     track plain nowait stepped      # flags: interpolate, nowait, stepped
//       at 0: offerSkip mode=false
//       at 1: line 1 speaker 3 balloon @hero
//
// - A track belongs to the cutscene above it; a keyframe ("at <seconds>:")
//   to the track above it. Seconds are written with at most one decimal
//   (tenths of a second), in order within a track.
// - A keyframe's commands are separated by ';'. A command is its name (the
//   table's, e.g. place, anim, line, question, play, moveTo) and then its
//   operands: the first ones by position, any of them as "name value" (or
//   name=value) after those. Unused operands may be left out.
// - Values: numbers (-12, 0x800000), true and false (booleans only), none
//   (-1: no actor, action, cutscene or text), or @name. Actors and actions
//   are named as the room's level source (and the shared objects) declare
//   them; cutscenes as this script declares them, and the room's level
//   source takes its cutscene names from here.
// - Texts are the room's own: script text n is text n of the room's section
//   of the text pack. Sprite slots are written as the game draws them
//   (16..51), as in level sources.
// - "op <n>" writes an opcode that has no operands and no name.
//
// The assembler refuses, naming the file, line and rule: an unknown
// statement, command or operand; an operand missing, given twice or not
// fitting its width; a looked-up id of 0 or below other than none (-1), or
// one nothing defines; an id given to two cutscenes; opcodes 32 and 35
// (their size is not agreed); a text id outside the room's texts; a
// cutscene without tracks, a track without keyframes; keyframes out of
// order or past 3276.7 s, more than 127 commands at one time; a question in
// a cutscene that offers the skip control; a camera-follow of a track the
// cutscene does not have; a spawned actor's sprite slot the room does not
// load. It warns where a room treats things its own way (see
// roomWarnings in ScriptAssembler.cpp).
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "tools/compiler/LevelAssembler.h"

namespace tools {

struct ScriptContext {
  // The room (its progress value) whose script it is: its sprites and its
  // own rules. None for a script assembled on its own.
  std::optional<int32_t> progress;
  // Texts in the room's section of the text pack; none: not checked.
  std::optional<int32_t> textCount;
  // The room's objects and the shared ones, whose actors and actions the
  // script names; null: ids are not looked up.
  const AssembledLevel* room = nullptr;
  const AssembledLevel* shared = nullptr;
};

struct AssembledScript {
  std::vector<uint8_t> bytes;
  std::map<std::string, int32_t> cutscenes;  // names, without @
  std::set<int32_t> cutsceneIds;
  std::vector<std::string> warnings;  // "source:line: ..."
};

// The cutscenes' names and ids alone, which the room's level source needs
// before the script can be assembled. Throws as assembleScript does.
struct ScriptCutscenes {
  std::map<std::string, int32_t> names;
  std::set<int32_t> ids;
};
ScriptCutscenes declareScriptCutscenes(std::string_view text, const std::string& source);

// Throws std::runtime_error "source:line: problem" at the first refusal.
AssembledScript assembleScript(std::string_view text, const std::string& source, const ScriptContext& context = {});

}  // namespace tools
