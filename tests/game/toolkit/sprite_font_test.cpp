// The compiled fonts: the character map the game sets on both, metrics,
// every character the game's texts use, and a line in each font and palette.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "game/toolkit/ToolkitStatics.h"
#include "runtime/lang/String.h"
#include "tests/game/toolkit/sprite_paint_fixture.h"
#include "tools/compiler/FontCompiler.h"
#include "tools/writers/PackWriter.h"

namespace {

namespace fs = std::filesystem;

// UTF-8 to UTF-16 for the texts (the game's characters are all in the BMP).
std::u16string utf16(const std::string& utf8) {
  std::u16string out;
  for (size_t i = 0; i < utf8.size();) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    const int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
    uint32_t code = extra == 0 ? c : c & (0x3F >> extra);
    for (int k = 1; k <= extra && i + size_t(k) < utf8.size(); ++k) code = code << 6 | (utf8[i + size_t(k)] & 0x3F);
    out.push_back(char16_t(code));
    i += size_t(extra) + 1;
  }
  return out;
}

class SpriteFontTest : public SpritePaintFixture {
 protected:
  static ASprite* compiledFont(const tools::FontStyle& style) {
    ASprite* font = loadSprite(tools::compileFont(style));
    if (font == nullptr) return nullptr;
    const std::vector<int32_t> map = tools::fontCharacterMap();
    ShortArray* shorts = newShortArray(int32_t(map.size()));
    for (size_t i = 0; i < map.size(); ++i) shorts->set(int32_t(i), int16_t(map[i]));
    font->setCharMap(shorts);
    font->initFontMetrics();
    return font;
  }
  static String* text(const std::u16string& s) {
    String* str = newString("");
    for (char16_t c : s) str = str->concat(String::valueOf(c));
    return str;
  }
};

TEST_F(SpriteFontTest, BothFontsHoldEveryCharacterAtTheMapsFrame) {
  const auto& set = tools::fontCharacterSet();
  for (const tools::FontStyle& style : {tools::textFontStyle(), tools::titleFontStyle()}) {
    SCOPED_TRACE(style.file.string());
    ASprite* font = compiledFont(style);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->getFrameCount(), int32_t(2 + set.size()));
    EXPECT_GE(font->paletteCount, 7);
    EXPECT_GT(font->getLineHeight(), style.pixelSize / 2);
    EXPECT_GT(font->getBaselineOffset(), 0);
    EXPECT_GE(font->getLineGap(), 0);
    EXPECT_GT(font->getSpaceWidth(), 0);
    EXPECT_GT(font->getGlyphWidth(font->getCharFrame('_')), 0);
    for (char16_t c : set) ASSERT_EQ(font->getCharFrame(c), tools::fontFrameOf(c)) << int(c);
    EXPECT_EQ(font->getCharFrame(0x4E00), 1);
  }
  EXPECT_EQ(tools::writeFontPack().entryCount(), 3u);
}

// Every character of the game's texts (and a sample of each language's
// letters) has a glyph of its own.
TEST_F(SpriteFontTest, EveryCharacterOfTheGamesTextsIsInTheFonts) {
  std::u16string all = utf16("Bitte warten. Merci de patienter. Aguarde. Straße, Ça, Łódź, Příliš žluťoučký kůň, "
                             "Привет, Ёж, İğüşöç, Ærø, «»¿¡ „quoted“ ‘so’ – — … €");
  const fs::path content = QUENDRILL_CONTENT_DIR;
  for (const fs::path& source : {content / "literals.txt"}) {
    std::ifstream in(source, std::ios::binary);
    all += utf16(std::string(std::istreambuf_iterator<char>(in), {}));
  }
  if (fs::is_directory(content / "texts"))
    for (const auto& entry : fs::directory_iterator(content / "texts")) {
      std::ifstream in(entry.path(), std::ios::binary);
      all += utf16(std::string(std::istreambuf_iterator<char>(in), {}));
    }
  for (char16_t c : all) {
    if (c < 32) continue;  // line ends and inline codes
    EXPECT_NE(tools::fontFrameOf(c), 1) << "U+" << std::hex << int(c) << " has no glyph";
  }
}

// A line in each font and palette: ink only within the measured line, in
// the palette's colour.
TEST_F(SpriteFontTest, ALineInEachFontAndPalette) {
  const std::u16string line = utf16("Quendrill: Bitte warten, Łódź, Привет! _");
  Image* shot = Image::createImage(480, 40);
  Graphics* g = shot->getGraphics();
  for (const tools::FontStyle& style : {tools::textFontStyle(), tools::titleFontStyle()}) {
    ASprite* font = compiledFont(style);
    ASSERT_NE(font, nullptr);
    for (int32_t p = 0; p < 7; ++p) {
      SCOPED_TRACE(testing::Message() << style.file.string() << " palette " << p);
      g->setColor(0x404040);
      g->fillRect(0, 0, 480, 40);
      font->setPalette(p);
      font->drawStringAt(g, text(line), 4, 4, 0, false);
      toolkitStatics().ASprite.textRangeStart = -1;
      font->measureText(text(line), nullptr);
      const int32_t width = toolkitStatics().ASprite.measuredWidth;
      const raster::Surface surface = shot->surface();
      const uint16_t under = surface.row(0)[0];
      int ink = 0, solid = 0, outside = 0;
      const uint32_t rgb = style.colours[size_t(p)];
      const uint16_t colour565 = uint16_t((rgb >> 8 & 0xF800) | (rgb >> 5 & 0x07E0) | (rgb >> 3 & 0x001F));
      for (int32_t y = 0; y < 40; ++y)
        for (int32_t x = 0; x < 480; ++x) {
          const uint16_t pixel = surface.row(y)[x];
          if (pixel == under) continue;
          ++ink;
          solid += pixel == colour565;
          outside += x < 4 || x > 4 + width + 2 || y < 4 || y >= 4 + font->getLineHeight() + 1;
        }
      EXPECT_GT(ink, width * 2);
      EXPECT_GT(solid, ink / 4);
      EXPECT_EQ(outside, 0);
    }
  }
}

}  // namespace
