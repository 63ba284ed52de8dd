#pragma once
// The content compiler: packs the readable sources of a content folder into
// the resource archive data.bar. The same sources always give the same bytes.
//   literals.txt  -> entry "constants.bin" (the string-literal pool)
//   app.jad       -> entry "app.jad", as it is
//   (computed)    -> the trigonometry pack, named by its literal
//   (computed)    -> the font pack (FontCompiler.h), named by its literal
//   texts/<language suffix>.txt -> the language's text pack, named by
//                    literal 128 and the suffix (parts joined by literal 217)
//   tables/*.json -> resource packs of typed arrays (TableSources.h)
//   sounds.json   -> the sound pack (literal 168): a WAV or Ogg Vorbis file
//                    per sound id, its channel as the entry type; and the
//                    empty sound content-type table (literal 167)
//   sprites/*.pack.json -> resource packs of sprites (SpriteSources.h)
//   maps/room<r>.map, maps/tileset<t>.txt -> room r's map pack, named by
//                    literal 128 and r + the number of literal 155
//                    (MapCompiler.h)
#include <cstdint>
#include <filesystem>
#include <vector>

namespace tools {

// Throws std::runtime_error naming the source file (and line) at fault.
std::vector<uint8_t> compileContent(const std::filesystem::path& contentFolder);

}  // namespace tools
