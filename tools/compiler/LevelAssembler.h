#pragma once
// The level assembler: one level source (syntax in LevelStage.h) checked and
// encoded as a level-record stream, with the symbols it declared. A room's
// stream is assembled after the shared one and sees what that declared.
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tools {

// Names (without @) and the numbers they stand for, one table per kind of id.
struct LevelSymbols {
  std::map<std::string, int32_t> actors, actions, items, routes, cutscenes;
};

struct AssembledLevel {
  std::string source;
  std::vector<uint8_t> bytes;
  LevelSymbols symbols;               // declared by this stream
  std::vector<std::string> warnings;  // "source:line: ..."
  // Ids this stream defines, and what it adds to the tables the loader fills.
  std::set<int32_t> actorIds, actionIds, routeIds;
  // Each creature's id and type (its p0), which tells the story's target.
  std::map<int32_t, int32_t> creatureTypes;
  int32_t items = 0, routePoints = 0, cameraZones = 0, actions = 0, combinations = 0;
};

struct LevelContext {
  // The progress value of the room that loads the stream, which decides the
  // sprite slots it may use; none for the shared objects (every room).
  std::optional<int32_t> progress;
  // For a room: the shared stream, whose symbols, ids and table entries it
  // sees and adds to.
  const AssembledLevel* shared = nullptr;
  // For a room: its event script's cutscene names and ids, which its
  // records name; null: cutscene numbers are not looked up.
  const std::map<std::string, int32_t>* scriptCutscenes = nullptr;
  const std::set<int32_t>* scriptCutsceneIds = nullptr;
  std::string scriptSource = {};
};

// Throws std::runtime_error "source:line: problem" at the first refusal.
AssembledLevel assembleLevel(std::string_view text, const std::string& source, const LevelContext& context = {});

}  // namespace tools
