// BitmapFont: packed glyphs in text and outline colours, widths by lookup.
#include <gtest/gtest.h>

#include "game/toolkit/BitmapFont.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/game/toolkit/sprite_paint_fixture.h"

namespace {

class BitmapFontTest : public SpritePaintFixture {};

TEST_F(BitmapFontTest, GlyphsDrawTheirPackedPixelsAndAdvance) {
  BitmapFont* font = newObject<BitmapFont>();
  font->characters = newString("ab");
  font->widths = newByteArray(2);
  font->widths->set(0, 2);
  font->widths->set(1, 3);
  font->height = 2;
  font->bitsPerPixel = 2;
  font->mask = 3;
  font->spaceWidth = 4;
  font->textColour = 0xFF0000;
  font->outlineColour = 0x0000FF;
  // 'a': 1 2 / 0 1; 'b': 2 0 1 / 1 1 3 (3 is clear), 2 bits each.
  font->pixels = newByteArray(3);
  font->pixels->set(0, int8_t(0b01100001));
  font->pixels->set(1, int8_t(0b10000101));
  font->pixels->set(2, int8_t(0b01110000));
  EXPECT_EQ(font->charWidth('a'), 2);
  EXPECT_EQ(font->charWidth(' '), 4);
  EXPECT_EQ(font->charWidth('|'), 0);
  EXPECT_EQ(font->charWidth('z'), 0);
  EXPECT_EQ(font->drawString(graphics, newString("a b|a"), 10, 10), 10 + 2 + 4 + 3 + 0 + 2);
  const uint16_t red = 0xF800, blue = 0x001F;
  EXPECT_EQ(pixelAt(10, 10), red);
  EXPECT_EQ(pixelAt(11, 10), blue);
  EXPECT_EQ(pixelAt(10, 11), background);
  EXPECT_EQ(pixelAt(11, 11), red);
  EXPECT_EQ(pixelAt(16, 10), blue);
  EXPECT_EQ(pixelAt(17, 10), background);
  EXPECT_EQ(pixelAt(18, 11), background);
  EXPECT_EQ(pixelAt(19, 10), red);  // the second 'a' right after 'b'
  // Glyph data that ends early draws what is there.
  font->pixels = newByteArray(1);
  font->pixels->set(0, int8_t(0b01100001));
  EXPECT_EQ(font->drawChar(graphics, 'b', 40, 40), 3);
  EXPECT_EQ(drawnCount(), 10);
}

}  // namespace
