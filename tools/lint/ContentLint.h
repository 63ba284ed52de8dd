#pragma once
// The content lint: reads a compiled data.bar as the game will and refuses
// content the code cannot use. It checks that
//   - every literal the code names is in the literal pool, and the pack names
//     built from literals cannot collide;
//   - every sprite the code loads is a sprite the loader accepts, with the
//     modules, frames, animations and palettes the code uses, and the frames
//     it paints and the animations it plays by number show something;
//   - every text the code shows exists, entry 0 of every language holds the
//     shared texts exactly, and every character of every text is one the
//     fonts have (inline codes included);
//   - every map pack's layers agree in size with layer 0, and every tile of
//     a painted layer is a frame of the tile sprite the room's header picks;
//   - every room's level records end where the stream ends;
//   - every sprite a room's records name is a slot the room's progress list
//     loads (any room's, for the shared records), the animation a record
//     starts is one of that sprite's, and a character, creature or breakable
//     finds on its sprite every animation its kind's tables play;
//   - every pack it opens reads within the readers' limits.
// It warns of a spawner that gets the loader's idle spawned objects.
// Requirements of the game world's content are skipped while its packs are
// absent, unless the set is declared complete.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "game/ContentRequirements.h"

namespace tools {

struct LintProblem {
  std::string where;   // the archive entry (pack, entry, text) at fault
  std::string reason;
  // The same, for finding the source: the pack's name as the game asks for
  // it ("" for other entries), its entry and text (-1 when not one).
  std::string pack;
  int entry = -1;
  int text = -1;
  // Said, but the content is still taken.
  bool warning = false;
};

struct LintRules {
  // World packs missing from the set are failures instead of skipped.
  bool complete = false;
  std::span<const contentrequirement::SpriteRequirement> sprites = contentrequirement::sprites;
  std::span<const int32_t> textsShown = contentrequirement::textsShown;
  std::span<const int32_t> textsWithOneArgument = contentrequirement::textsWithOneArgument;
  int32_t sharedTextCount = contentrequirement::sharedTextCount;
  int32_t rooms = contentrequirement::rooms;
  int32_t soundCount;  // entries of the sound pack
  LintRules();
};

std::vector<LintProblem> lintContent(std::span<const uint8_t> archive, const LintRules& rules = {});

// One line per problem: "where: reason", a warning's begun with "warning: ".
std::string describeProblems(const std::vector<LintProblem>& problems);

}  // namespace tools
