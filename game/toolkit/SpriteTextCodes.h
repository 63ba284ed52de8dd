#pragma once
// The characters the sprite-text painter treats as codes, and its fallback
// glyph: texts in the content use them, and the content lint reads texts the
// way the painter does.
#include <cstdint>

namespace spritetext {
constexpr char16_t newline = 10, space = 32, escape = 92, underscore = 95, caret = 94;
// Followed by a palette number (or restoreSavedPalette), or by a frame to
// draw as a glyph.
constexpr char16_t paletteCode = 1, glyphCode = 2;
constexpr int32_t restoreSavedPalette = 255;
// Frame of a character the map does not hold.
constexpr int32_t fallbackFrame = 1;
}  // namespace spritetext
