// Sprite text on a small hand-made font: the character map, metrics,
// measuring, anchors, inline codes, line breaking and pages.
#include <gtest/gtest.h>

#include <string>

#include "game/toolkit/ToolkitStatics.h"
#include "runtime/lang/String.h"
#include "runtime/literals/StringLiteralPool.h"
#include "tests/game/toolkit/sprite_paint_fixture.h"
#include "tools/writers/LiteralPoolWriter.h"
#include "wince/log.h"

namespace {

using tools::SpriteDescription;
using tools::SpriteModule;

// Glyphs: {code, advance, image width}. Frame 1 is the fallback.
struct Glyph {
  char16_t code;
  int advance, width;
};
const Glyph glyphs[] = {{0, 3, 2}, {'A', 7, 5}, {'B', 8, 6}, {' ', 4, 0}, {'_', 6, 6}, {0x8001, 9, 3}};
constexpr int ascent = 8, lineHeight = 10, lineGap = 2;

uint32_t paletteColour(int p) { return 0xFF000000u | (0x20u * uint32_t(p + 1)) << 16 | 0x00F8u; }

SpriteDescription testFont() {
  SpriteDescription s;
  s.flags = 0x1000000;
  SpriteModule box;
  box.kind = 5;
  s.modules.push_back(box);
  s.frames.resize(1);
  s.frames[0].modules = {{0, 0, -ascent, 0, 0}, {0, 0, lineHeight - ascent, 0, 0}, {0, 0, lineHeight - ascent + lineGap, 0, 0}};
  for (const Glyph& g : glyphs) {
    tools::SpriteFrame frame;
    frame.modules.push_back({0, g.advance, 0, 0, 0});
    if (g.width > 0) {
      SpriteModule image;
      image.width = g.width;
      image.height = g.code == '_' ? 1 : ascent;
      image.indices.assign(size_t(image.width * image.height), 1);
      s.modules.push_back(image);
      frame.modules.push_back({int(s.modules.size() - 1), 0, g.code == '_' ? 1 : -ascent, 0, 0});
    }
    s.frames.push_back(frame);
  }
  for (int p = 0; p < 7; ++p) s.palettes.push_back({0, paletteColour(p)});
  s.encoding = tools::spriteformat::bytes;
  return s;
}

class SpriteTextTest : public SpritePaintFixture {
 protected:
  void SetUp() override {
    SpritePaintFixture::SetUp();
    std::vector<std::string> literals(48);
    literals[1] = "";
    literals[47] = "\n";
    ASSERT_TRUE(loadStringLiteralPool(tools::writeLiteralPool(literals)));
    font = loadSprite(testFont());
    ASSERT_NE(font, nullptr);
    // Three buckets: B and 0x8001 in bucket 0, A, space and underscore in 2.
    font->setCharMap(shorts({3, 66, 3, 0, 0, 65, 2, 2, 2, 32, 4, 95, 5, 0, 1, int16_t(0x8001), 6}));
    font->initFontMetrics();
  }
  static ShortArray* shorts(std::initializer_list<int16_t> values) {
    ShortArray* array = newShortArray(int32_t(values.size()));
    int32_t i = 0;
    for (int16_t v : values) array->set(i++, v);
    return array;
  }
  static String* text(const std::u16string& s) {
    String* str = newString("");
    for (char16_t c : s) str = str->concat(String::valueOf(c));
    return str;
  }
  ASpriteStatics& statics() { return toolkitStatics().ASprite; }
  std::array<int, 2> measure(const std::u16string& s) {
    font->measureText(text(s), nullptr);
    return {statics().measuredWidth, statics().measuredHeight};
  }
  std::array<int, 4> drawn(const std::u16string& s, int x, int y, int anchor, bool restore = false) {
    clearScreen();
    font->drawStringAt(graphics, text(s), x, y, anchor, restore);
    return drawnBox();
  }
  ASprite* font = nullptr;
};

TEST_F(SpriteTextTest, CharacterMapAndMetrics) {
  EXPECT_EQ(font->getCharFrame('A'), 2);
  EXPECT_EQ(font->getCharFrame('B'), 3);
  EXPECT_EQ(font->getCharFrame(' '), 4);
  EXPECT_EQ(font->getCharFrame(0x8001), 6);
  EXPECT_EQ(font->getCharFrame('Z'), 1);  // absent: the fallback glyph
  EXPECT_EQ(font->getBaselineOffset(), ascent);
  EXPECT_EQ(font->getLineHeight(), lineHeight);
  EXPECT_EQ(font->getLineGap(), lineGap);
  EXPECT_EQ(font->getSpaceWidth(), 4);
  // An absent character draws frame 1.
  EXPECT_EQ(drawn(u"Z", 10, 10, 0), (std::array<int, 4>{10, 10, 12, 18}));
  // No buckets, or a map too short for them: every code is the fallback.
  wince::LogCapture log;
  for (ShortArray* map : {shorts({0}), shorts({-2, 1, 2}), shorts({4, 65, 2})}) {
    font->setCharMap(map);
    EXPECT_EQ(font->getCharFrame('A'), 1);
  }
  EXPECT_TRUE(log.contains("character map")) << log.text();
}

TEST_F(SpriteTextTest, MeasureAnchorsAndSpacing) {
  EXPECT_EQ(measure(u"AB"), (std::array<int, 2>{15, lineHeight}));
  EXPECT_EQ(drawn(u"AB", 100, 40, 8)[0], 85);
  EXPECT_EQ(drawn(u"AB", 100, 40, 1)[0], 93);
  EXPECT_EQ(drawn(u"AB", 100, 40, 0), (std::array<int, 4>{100, 40, 113, 48}));
  EXPECT_EQ(drawn(u"AB", 100, 40, 32)[1], 30);
  EXPECT_EQ(drawn(u"AB", 100, 40, 2)[1], 35);
  // The measure takes spacing off once; drawing adds it after every glyph.
  font->setCharSpacing(2);
  EXPECT_EQ(measure(u"AB")[0], 13);
  EXPECT_EQ(drawn(u"AB", 10, 10, 0)[2], 10 + 7 + 2 + 6);
  font->resetCharSpacing();
  // A newline: the wider line, two line heights and a gap.
  EXPECT_EQ(measure(u"A\nBB"), (std::array<int, 2>{16, 2 * lineHeight + lineGap}));
  EXPECT_EQ(drawn(u"A\nBB", 10, 10, 0), (std::array<int, 4>{10, 10, 24, 10 + lineHeight + lineGap + ascent}));
  // Code 2 draws a frame by its index.
  EXPECT_EQ(measure(u"\x02\x03"), (std::array<int, 2>{8, lineHeight}));
}

TEST_F(SpriteTextTest, BoldUnderlineAndPalettes) {
  EXPECT_EQ(measure(u"\\^A"), (std::array<int, 2>{8, lineHeight}));
  EXPECT_EQ(drawn(u"\\^AA", 10, 10, 0), (std::array<int, 4>{10, 10, 10 + 8 + 6, 18}));
  EXPECT_NE(font->bold, 0);  // escapes persist
  font->bold = 0;
  // Underline: the underscore under each glyph, centred, and in spaces.
  EXPECT_EQ(drawn(u"\\_A A", 10, 10, 0), (std::array<int, 4>{10, 10, 10 + 7 + 4 + 6, 20}));
  EXPECT_EQ(pixelAt(10 + 7 - 1, 19), blendedOver(background, paletteColour(0)));  // the space's, centred
  font->underline = 0;
  // Palettes: a backslash and a digit stays selected without restoring.
  drawn(u"\\3A", 10, 10, 0);
  EXPECT_EQ(pixelAt(10, 10), blendedOver(background, paletteColour(3)));
  EXPECT_EQ(font->getPalette(), 3);
  drawn(u"\\5A", 10, 10, 0, true);
  EXPECT_EQ(pixelAt(10, 10), blendedOver(background, paletteColour(5)));
  EXPECT_EQ(font->getPalette(), 3);
  // Code 1 and 255 go back to the saved palette, within the same text.
  drawn(u"\x01\x06" u"A\x01\xFF" u"A", 10, 10, 0, true);
  EXPECT_EQ(pixelAt(10, 10), blendedOver(background, paletteColour(6)));
  EXPECT_EQ(pixelAt(17, 10), blendedOver(background, paletteColour(3)));
}

TEST_F(SpriteTextTest, CodesEndingTheTextReadNothingPastIt) {
  wince::LogCapture log;
  for (const char16_t* s : {u"A\\", u"A\x01", u"A\x02"}) {
    EXPECT_EQ(drawn(s, 10, 10, 0), (std::array<int, 4>{10, 10, 15, 18}));
    EXPECT_EQ(measure(s)[0], 7);
    font->wrapText(text(s), 100);
  }
  EXPECT_EQ(log.text(), "");
}

TEST_F(SpriteTextTest, DrawLimitKeepsTheWholeTextsAnchoring) {
  statics().drawLimit = 1;
  EXPECT_EQ(drawn(u"AB", 100, 40, 8), (std::array<int, 4>{85, 40, 90, 48}));
  statics().drawLimit = 0;
  EXPECT_EQ(drawn(u"AB", 100, 40, 8)[0], INT32_MAX);  // nothing yet
  statics().drawLimit = -1;
}

TEST_F(SpriteTextTest, DrawPageAnchorsTheBlockAndEachLine) {
  clearScreen();
  font->drawPage(graphics, text(u"A\nBB\nA"), 100, 70, 8 | 32, 0, 4);
  EXPECT_EQ(statics().textRangeStart, -1);
  EXPECT_EQ(statics().textRangeEnd, -1);
  const int step = lineHeight + lineGap;
  // Lines 0 and 1 only (end 4): the block's bottom line at y, each line
  // right-aligned to x by its own width (B's picture is 2 narrower than
  // its advance).
  EXPECT_EQ(drawnBox(), (std::array<int, 4>{100 - 16, 70 - step - lineHeight, 98, 70 - lineHeight + ascent}));
  EXPECT_NE(pixelAt(100 - 7, 70 - step - lineHeight), background);
  EXPECT_EQ(pixelAt(100 - 8, 70 - step - lineHeight), background);
}

TEST_F(SpriteTextTest, WrapTextCases) {
  struct Case {
    std::u16string text;
    int width;
    std::vector<int> table;  // lines, then (break, width) per line
  };
  const Case cases[] = {
      {u"AAB BAB", 22, {2, 4, 22, 7, 23}},    // the first word only fits
      {u"AAB BAB", 26, {2, 4, 22, 7, 23}},    // the space fits, the next glyph not
      {u"AAB BAB", 100, {1, 7, 49}},
      {u"ABBBBBBA A", 20, {2, 9, 62, 10, 7}},  // a long word is not broken
      {u"AB\nA", 100, {2, 2, 15, 4, 7}},       // a forced break keeps the newline
      {u"A A\nBBB", 19, {2, 3, 18, 7, 24}},   // no break reaching back past a newline
      {u"A \\^AA", 15, {2, 2, 7, 6, 16}},     // bold as it was at the space
      {u"A  \nA", 8, {3, 3, 7, 3, 0, 5, 7}},   // a break at spaces before a newline
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
    ShortArray* table = font->wrapText(text(c.text), c.width);
    std::vector<int> got;
    for (int i = 0; i <= 2 * table->get(0); ++i) got.push_back(table->get(i));
    EXPECT_EQ(got, c.table);
  }
  String* wrapped = font->wrapTextToString(text(u"AAB BAB\nA"), 22);
  EXPECT_EQ(std::u16string(wrapped->view()), u"AAB \nBAB\nA");
}

TEST_F(SpriteTextTest, TheLineBreakTableStopsAt199Lines) {
  std::u16string many;
  for (int i = 0; i < 300; ++i) many += u"A\n";
  ShortArray* table = font->wrapText(text(many), 100);
  EXPECT_EQ(table->length(), 400);
  EXPECT_EQ(table->get(0), 199);
  EXPECT_EQ(table->get(1 + 2 * 198), 2 * 198 + 1);
}

TEST_F(SpriteTextTest, TextBoxDrawsTheLinesAskedForAndRestoresThePalette) {
  String* lines5 = text(u"A\nA\nBB\nA\nA");
  ShortArray* table = font->wrapText(lines5, 100);
  ASSERT_EQ(table->get(0), 5);
  font->setPalette(3);
  clearScreen();
  cGame::paintTextBox(font, graphics, lines5, table, 50, 10, 2, -1, 0, -1);
  const int step = lineHeight + lineGap;
  // Lines 2..4: "BB" first (14 wide), then two "A".
  EXPECT_EQ(drawnBox(), (std::array<int, 4>{50, 10, 64, 10 + 2 * step + ascent}));
  EXPECT_NE(pixelAt(60, 10), background);
  EXPECT_EQ(font->getPalette(), 3);
  EXPECT_EQ(statics().textRangeStart, -1);
  EXPECT_EQ(statics().drawLimit, -1);

  // A bottom-anchored block of three lines ends its last line at y.
  clearScreen();
  cGame::paintTextBox(font, graphics, lines5, table, 50, 70, 0, 3, 32, -1);
  EXPECT_EQ(drawnBox()[1], 70 - 2 * step - lineHeight);
  EXPECT_EQ(drawnBox()[3], 70 - lineHeight + ascent);

  // A typing effect: two characters of the block, from line 2 on.
  clearScreen();
  cGame::paintTextBox(font, graphics, lines5, table, 50, 10, 2, -1, 0, 2);
  EXPECT_EQ(drawnBox()[3], 10 + ascent) << "only the first line's characters";
}

TEST_F(SpriteTextTest, TwoDigitsAndPaletteSwitchedText) {
  std::vector<std::string> literals(186);
  literals[13] = "0";
  literals[161] = "\x01";
  literals[185] = "99";
  ASSERT_TRUE(loadStringLiteralPool(tools::writeLiteralPool(literals)));
  const struct {
    int64_t value;
    std::u16string shown;
  } cases[] = {{7, u"07"}, {0, u"00"}, {42, u"42"}, {99, u"99"}, {100, u"99"}, {123, u"99"}};
  for (const auto& c : cases) EXPECT_TRUE(cGame::formatTwoDigits(c.value)->equals(text(c.shown))) << c.value;
  const auto expectChars = [](String* shown, const std::u16string& expected) {
    ASSERT_EQ(shown->length(), int32_t(expected.size()));
    for (int32_t i = 0; i < shown->length(); ++i) EXPECT_EQ(shown->charAt(i), expected[size_t(i)]) << i;
  };
  using namespace std::string_literals;
  expectChars(cGame::formatSignedNumber(text(u"AB"), 0, 1), u"\x01\x00" u"AB\x01\x01"s);
  expectChars(cGame::formatSignedNumber(text(u"A"), -1, 2), u"\x01\xFF" u"A\x01\x02"s);
}

}  // namespace
