#pragma once
// Sprites stored in resource packs, one pack per sprites/*.pack.json (files
// taken in name order):
//   {"pack": 140, "compress": true,
//    "sprites": ["hero.json", {"image": "art/icon.svg"}, {"empty": true}]}
// "pack" is the index of the literal that names the pack; each entry is a
// description of the sprite stage (SpriteCompiler.h), relative to sprites/,
// a picture stored as a palette PNG (SVG or PNG art, at most 255 colours),
// or an entry of no bytes; it becomes the entry of its position.
#include <filesystem>

#include "tools/compiler/LiteralTable.h"
#include "tools/writers/ArchiveWriter.h"

namespace tools {

// Throws std::runtime_error naming the file and what is wrong in it.
void addSpritePacks(ArchiveWriter& archive, const LiteralTable& literals, const std::filesystem::path& folder);

}  // namespace tools
