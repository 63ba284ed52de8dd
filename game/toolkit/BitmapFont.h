#pragma once
// BitmapFont (class id 113): a glyph font of packed pixels, drawn pixel by
// pixel in a text and an outline colour. Nothing in the game makes one;
// it is kept small.
//
// Glyph i (its character at index i of characters) is widths[i] x height
// pixels, row by row, packed bitsPerPixel bits each from the high bit of
// each byte, starting where glyph i - 1 ends. A pixel value (AND mask) of 1
// is text, 2 outline, anything else clear. Space advances spaceWidth;
// character 124 is a zero-width separator.
#include <cstdint>

#include "runtime/lang/Arrays.h"
#include "runtime/object/Object.h"

class String;
class javax_microedition_lcdui_Graphics;

class BitmapFont : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::BitmapFont;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&BitmapFont::pixels, &BitmapFont::characters, &BitmapFont::widths};
  }

  int32_t charWidth(char16_t c);
  // Answers the advance.
  int32_t drawChar(javax_microedition_lcdui_Graphics* g, char16_t c, int32_t x, int32_t y);
  // Answers the x after the text.
  int32_t drawString(javax_microedition_lcdui_Graphics* g, String* s, int32_t x, int32_t y);

  ByteArray* pixels;
  String* characters;
  ByteArray* widths;
  int32_t bitsPerPixel;
  int32_t mask;
  int32_t height;
  int32_t spaceWidth;
  int32_t textColour;
  int32_t outlineColour;
};
