#pragma once
// The system font: DejaVu Sans Bold at 16 pixels, drawn 1 bit per pixel,
// without kerning. Every text call of the stand-in draws through here, and
// so do the runtime's system-font natives.
#include "wince/gdi_pixels.h"

namespace wince {

struct FontMetrics {
  int ascent = 0;
  int descent = 0;
  int height = 0;  // ascent + descent: the line height
  int averageCharWidth = 0;
  int maxCharWidth = 0;
};

// False when the font file cannot be read (text then draws nothing and
// measures 0); the reason is logged once.
bool systemFontAvailable();
FontMetrics systemFontMetrics();
// Sum of the advances of the characters.
int systemFontTextWidth(const char16_t* text, int length);
// Draws one line with its top at y, starting at x; only glyph pixels are
// written, in rgb (0x00RRGGBB), inside the target's clip.
void drawSystemFontText(const PixelTarget& target, int x, int y, const char16_t* text, int length, uint32_t rgb);

}  // namespace wince
