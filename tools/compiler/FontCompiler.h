#pragma once
// The font stage: sprite fonts rasterised at build time with FreeType.
//
// Every font of the game shares one character map, so every font has the
// same frames: frame 0 the metrics (three frame modules at the top, the
// baseline-to-next-line and the line gap's y, over an empty box), frame 1
// the fallback glyph (a hollow box), then one frame per character of the
// character set in order, its first frame module the empty box at the
// advance. Glyph coverage is kept in eight levels: palette p is colour p at
// those alphas, index 0 transparent.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/writers/PackWriter.h"
#include "tools/writers/SpriteWriter.h"

namespace tools {

struct FontStyle {
  std::filesystem::path file;     // a TrueType font
  int pixelSize = 16;             // the em height in pixels
  std::vector<uint32_t> colours;  // one palette each, RGB
};

// Every character the game's fonts hold, ascending; space and underscore
// among them.
const std::vector<char16_t>& fontCharacterSet();

// Frame of a character of the set (2 + its position), as the map gives it.
int fontFrameOf(char16_t c);

// The character map: {buckets N, N first pairs (code, frame), then groups
// (bucket, count, pairs)}; a bucket no character falls in gets a pair for
// its own index and the fallback frame.
std::vector<int32_t> fontCharacterMap(int buckets = 64);

// Throws std::runtime_error when the font cannot be read or a character
// of the set has no glyph in it.
SpriteDescription compileFont(const FontStyle& style);

// The game's two fonts (DejaVu from the Debian font package) and their map.
FontStyle textFontStyle();
FontStyle titleFontStyle();

// The font pack: entry 0 the character map (a short[]), entry 1 the title
// font (sprite slot 6), entry 2 the text font (sprite slot 5).
PackWriter writeFontPack();

}  // namespace tools
