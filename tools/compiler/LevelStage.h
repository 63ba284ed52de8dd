#pragma once
// The level pack: the objects every room shares (entry 0), and per room k
// its objects (entry 2k + 1) and its event script (entry 2k + 2), from
// levels/shared.lvl, levels/room<k>.lvl and levels/room<k>.evs. Rooms run
// 0.. without gaps; room k is the room of progress value k.
//
// Level sources (.lvl): one record a line, its name and then its fields as
// name=value, in any order:
//
//   header spriteSet=0 start=@hero startAction=@welcome altPalette=false
//          countdown=0 roomFlag=false
//   character id=@hero x=400 y=300 sprite=16 facing=0 abilityFlags=0 partnerIndex=0
//   barrier id=@gate x=640 y=256 sprite=23 foot=2,2 anim=0 active=true
//
// - '#' starts a comment; blank lines are skipped. A line whose first word
//   is name=value goes on with the record above (long records wrap).
// - The records and their fields are those of game/world/LevelRecordFormat.h,
//   by the same names. Every field is given exactly once, except those the
//   loader reads and drops ("unused"), which are left out.
// - Grouped fields may be given together: box=x,y,w,h  foot=w,h
//   trigger=x,y,w,h  outer=x,y,w,h  inner=dx,dy,w,h  (or one by one, box.x=).
// - Values: a number (-12, 0x1F), true or false (the bool fields, and only
//   they), none (-1 in the field's width: 255 for u8, 65535 for u16), or a
//   name @word for an id.
// - sprite fields take the sprite slot (16..51) the game draws from, not the
//   stored value (slot - 16); an item's name and description take the text
//   id (stored minus 181 and 204).
// - Names: a record's id field declares the name (id=@ferryman), and other
//   records refer to it (start=@ferryman, activate=@ferryman), before or
//   after the declaration. Actors, actions and route points with names take
//   the lowest numbers from 1 that no written id of the room (shared objects
//   included) uses. An item is named by id=@rope on its item record, which
//   writes nothing: its number is its place among the stream's items (1..).
//   Cutscenes belong to the room's event script, which declares their
//   names (ScriptAssembler.h); a room's records name them from there. A
//   level source may still declare a name for a number itself:
//     cutscene @dawn=3
//   A name stands for one thing; the shared objects' names are seen by
//   every room.
//
// The assembler refuses, naming the file and line: an unknown record or
// field, a field missing or given twice, a value that does not fit; a header
// that is not the stream's first record, or whose start does not name a
// character record of the same stream; an id lookup (start, activate, item,
// route, ...) of 0 or below other than none, or of an id nothing defines; an
// action or route-point id below 1 or given twice; items in both the shared
// and the room's stream; a hotspot the loader would link to anything but a
// chain head (marker, keyObject, cameraBand) or hotspot; a point not after
// its path or another point; a sprite slot the room does not load (the
// shared objects: one that some room does not load); more than 30 points in
// a path, 40 route points, 100 camera zones, 200 actions or 20 combinations
// in a room, or 29 items in a stream; a cutscene number the room's event
// script does not have; a cinematic action without its text (below 0). A
// blocker written active=true is warned about (a blocker blocks while not
// active), and so is a cinematic action in room 3 (it waits there for the
// room's timed events to end).
//
// Event scripts (.evs): ScriptAssembler.h. A room's script is read twice:
// first for its cutscenes' names, which its level source needs, then whole
// with the room's actors, actions, sprites and texts (texts/<reference>.txt
// beside the levels folder) to check it against.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/compiler/LevelAssembler.h"
#include "tools/compiler/LiteralTable.h"
#include "tools/writers/ArchiveWriter.h"

namespace tools {

// One stream of shared objects (sprites: those every room loads). Throws
// std::runtime_error "source:line: problem".
std::vector<uint8_t> assembleLevelRecords(const std::string& text, const std::string& source);
// One event script on its own, without a room to check it against.
std::vector<uint8_t> assembleEventScript(const std::string& text, const std::string& source);

// Warnings go to standard error, one line each.
void addLevelPack(ArchiveWriter& archive, const LiteralTable& literals, const std::filesystem::path& folder);

}  // namespace tools
