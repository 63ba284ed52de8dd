#pragma once
// The level pack: the objects every room shares, and per room k its objects
// (entry 2k + 1) and its event script (entry 2k + 2), from levels/:
//   shared.lvl, room<k>.lvl   level records, one a line:  nop
//   room<k>.evs               the room's event script (no cutscenes yet)
// '#' starts a comment; blank lines are skipped. Rooms run 0.. without gaps.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/compiler/LiteralTable.h"
#include "tools/writers/ArchiveWriter.h"

namespace tools {

// One level-record stream. Throws std::runtime_error "source:line: problem".
std::vector<uint8_t> assembleLevelRecords(const std::string& text, const std::string& source);
// One event script: its cutscene table (empty for now).
std::vector<uint8_t> assembleEventScript(const std::string& text, const std::string& source);

void addLevelPack(ArchiveWriter& archive, const LiteralTable& literals, const std::filesystem::path& folder);

}  // namespace tools
