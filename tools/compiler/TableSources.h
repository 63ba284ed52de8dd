#pragma once
// Tables stored as typed arrays in resource packs, described in JSON, one
// pack per file of tables/ (files taken in name order):
//   {"pack": 134, "compress": true,
//    "entries": [{"ints": [0, 256, -3]}, {"arrays": [{"bytes": [1, 2]}, {"shorts": []}]}]}
// "pack" is the index of the literal that names the pack; each entry is one
// typed array, of "bytes", "shorts", "ints" or nested "arrays".
#include <filesystem>

#include "tools/compiler/LiteralTable.h"
#include "tools/writers/ArchiveWriter.h"
#include "tools/writers/TypedArrayWriter.h"

namespace tools {

// Throws std::runtime_error naming the file and what is wrong in it.
void addTablePacks(ArchiveWriter& archive, const LiteralTable& literals, const std::filesystem::path& folder);

// One typed array from its JSON text; throws std::runtime_error.
TypedArrayValue parseTypedArrayJson(std::string_view json);

}  // namespace tools
