#include "game/toolkit/BitmapFont.h"

#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/lang/String.h"

namespace {
constexpr char16_t separator = 124;
}

int32_t BitmapFont::charWidth(char16_t c) {
  if (c == ' ') return spaceWidth;
  if (c == separator || characters == nullptr || widths == nullptr) return 0;
  const int32_t i = characters->indexOf(c);
  return i >= 0 && i < widths->length() ? widths->get(i) & 0xFF : 0;
}

int32_t BitmapFont::drawChar(javax_microedition_lcdui_Graphics* g, char16_t c, int32_t x, int32_t y) {
  const int32_t advance = charWidth(c);
  if (g == nullptr || pixels == nullptr || c == ' ' || advance == 0 || bitsPerPixel < 1 || bitsPerPixel > 8)
    return advance;
  const int32_t index = characters->indexOf(c);
  int64_t bit = 0;
  for (int32_t i = 0; i < index; ++i) bit += int64_t(widths->get(i) & 0xFF) * height * bitsPerPixel;
  for (int32_t row = 0; row < height; ++row)
    for (int32_t column = 0; column < advance; ++column, bit += bitsPerPixel) {
      if ((bit + bitsPerPixel + 7) / 8 > pixels->length()) return advance;  // glyph data ends early
      int32_t value = 0;
      for (int32_t b = 0; b < bitsPerPixel; ++b) {
        const int64_t at = bit + b;
        value = value << 1 | ((pixels->get(int32_t(at >> 3)) >> (7 - (at & 7))) & 1);
      }
      value &= mask;
      if (value != 1 && value != 2) continue;
      g->setColor(value == 1 ? textColour : outlineColour);
      g->fillRect(x + column, y + row, 1, 1);
    }
  return advance;
}

int32_t BitmapFont::drawString(javax_microedition_lcdui_Graphics* g, String* s, int32_t x, int32_t y) {
  for (int32_t i = 0; s != nullptr && i < s->length(); ++i) x += drawChar(g, s->charAt(i), x, y);
  return x;
}
