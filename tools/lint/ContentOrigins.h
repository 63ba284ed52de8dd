#pragma once
// Finds the content source behind a lint problem, so that a refused build
// names the file to mend: the literal table, a language's text file with the
// text's section and name, a sprite pack's description or the sprite's own,
// a room's map, a room's level source or event script.
#include <filesystem>
#include <map>
#include <string>

#include "tools/compiler/LiteralTable.h"
#include "tools/lint/ContentLint.h"

namespace tools {

class ContentOrigins {
 public:
  // Sources that cannot be read are simply not found later.
  explicit ContentOrigins(const std::filesystem::path& contentFolder);

  // "path" or "path [section] NAME"; "" when no source made it (the
  // compiler's own fonts and tables).
  std::string sourceOf(const LintProblem& problem) const;

 private:
  std::string literal(size_t index) const;
  std::string textSource(const std::string& suffix, int entry, int text) const;

  std::filesystem::path m_folder;
  LiteralTable m_literals;
  // Sprite packs by the name the game asks for: the description and its
  // entries' own descriptions ("" for pictures and empty entries).
  struct SpritePack {
    std::filesystem::path description;
    std::vector<std::string> entries;
  };
  std::map<std::string, SpritePack> m_spritePacks;
};

}  // namespace tools
