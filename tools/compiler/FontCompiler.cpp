#include "tools/compiler/FontCompiler.h"

#include <algorithm>
#include <map>
#include <stdexcept>

#include "tools/compiler/FontFace.h"
#include "tools/writers/PackWriter.h"
#include "tools/writers/TypedArrayWriter.h"

namespace tools {
namespace {

constexpr int coverageLevels = 8;  // palette indices 0 (clear) .. 7 (solid)
constexpr int emptyBox = 0, fallbackModule = 1;

std::vector<char16_t> buildCharacterSet() {
  std::vector<char16_t> set;
  for (char16_t c = 32; c < 127; ++c) set.push_back(c);
  for (char16_t c = 0xA1; c <= 0x17F; ++c)
    if (c != 0xAD) set.push_back(c);  // the soft hyphen is never drawn
  for (char16_t c = 0x401; c <= 0x45F; ++c) set.push_back(c);
  for (char16_t c : {u'\u2013', u'\u2014', u'\u2018', u'\u2019', u'\u201A', u'\u201C', u'\u201D', u'\u201E',
                     u'\u2026', u'\u20AC'})
    set.push_back(c);
  std::sort(set.begin(), set.end());
  return set;
}

std::vector<uint32_t> levelsOf(uint32_t rgb) {
  std::vector<uint32_t> palette;
  for (int level = 0; level < coverageLevels; ++level)
    palette.push_back(uint32_t(level * 255 / (coverageLevels - 1)) << 24 | (rgb & 0xFFFFFF));
  return palette;
}

}  // namespace

const std::vector<char16_t>& fontCharacterSet() {
  static const std::vector<char16_t> set = buildCharacterSet();
  return set;
}

int fontFrameOf(char16_t c) {
  const auto& set = fontCharacterSet();
  const auto at = std::lower_bound(set.begin(), set.end(), c);
  return at != set.end() && *at == c ? 2 + int(at - set.begin()) : 1;
}

std::vector<int32_t> fontCharacterMap(int buckets) {
  std::vector<std::vector<char16_t>> byBucket(static_cast<size_t>(buckets));
  for (char16_t c : fontCharacterSet()) byBucket[c % buckets].push_back(c);
  std::vector<int32_t> map{buckets};
  for (int b = 0; b < buckets; ++b) {
    const auto& codes = byBucket[size_t(b)];
    map.push_back(codes.empty() ? b : codes[0]);
    map.push_back(codes.empty() ? 1 : fontFrameOf(codes[0]));
  }
  for (int b = 0; b < buckets; ++b) {
    const auto& codes = byBucket[size_t(b)];
    if (codes.size() < 2) continue;
    map.push_back(b);
    map.push_back(int32_t(codes.size() - 1));
    for (size_t i = 1; i < codes.size(); ++i) {
      map.push_back(codes[i]);
      map.push_back(fontFrameOf(codes[i]));
    }
  }
  return map;
}

SpriteDescription compileFont(const FontStyle& style) {
  const FontFace face(style.file, style.pixelSize);
  const FT_Face rawFace = face.get();
  const int ascent = int((rawFace->size->metrics.ascender + 63) >> 6);
  const int descent = int((-rawFace->size->metrics.descender + 63) >> 6);
  const int height = int((rawFace->size->metrics.height + 63) >> 6);
  const int lineHeight = ascent + descent;
  const int lineGap = std::max(0, height - lineHeight);

  SpriteDescription font;
  font.flags = 0x1000000;
  SpriteModule box;
  box.kind = 5;
  font.modules.push_back(box);
  // The fallback: a hollow box as wide as half the em, above the baseline.
  SpriteModule fallback;
  fallback.width = std::max(3, style.pixelSize / 2 - 1);
  fallback.height = std::max(3, ascent - 2);
  for (int y = 0; y < fallback.height; ++y)
    for (int x = 0; x < fallback.width; ++x) {
      const bool edge = x == 0 || y == 0 || x == fallback.width - 1 || y == fallback.height - 1;
      fallback.indices.push_back(edge ? coverageLevels - 1 : 0);
    }
  font.modules.push_back(fallback);
  font.frames.resize(2);
  font.frames[0].modules = {{emptyBox, 0, -ascent, 0, 0}, {emptyBox, 0, -ascent + lineHeight, 0, 0},
                            {emptyBox, 0, -ascent + lineHeight + lineGap, 0, 0}};
  font.frames[1].modules = {{emptyBox, fallback.width + 2, 0, 0, 0},
                            {fallbackModule, 1, -fallback.height, 0, 0}};

  for (char16_t c : fontCharacterSet()) {
    const FT_UInt glyph = FT_Get_Char_Index(rawFace, c);
    if (glyph == 0)
      throw std::runtime_error(style.file.string() + ": no glyph for U+" + std::to_string(unsigned(c)));
    if (FT_Load_Glyph(rawFace, glyph, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0)
      throw std::runtime_error(style.file.string() + ": glyph U+" + std::to_string(unsigned(c)) + " not rendered");
    const FT_GlyphSlot slot = rawFace->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    SpriteFrame frame;
    frame.modules.push_back({emptyBox, int((slot->advance.x + 32) >> 6), 0, 0, 0});
    if (bitmap.width > 0 && bitmap.rows > 0 && bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
      SpriteModule image;
      image.width = int(bitmap.width);
      image.height = int(bitmap.rows);
      for (int y = 0; y < image.height; ++y) {
        const unsigned char* row = bitmap.buffer + y * bitmap.pitch;
        for (int x = 0; x < image.width; ++x)
          image.indices.push_back(uint8_t((row[x] * (coverageLevels - 1) + 127) / 255));
      }
      font.modules.push_back(image);
      frame.modules.push_back({int(font.modules.size() - 1), slot->bitmap_left, -slot->bitmap_top, 0, 0});
    }
    font.frames.push_back(frame);
  }
  for (uint32_t colour : style.colours) font.palettes.push_back(levelsOf(colour));
  return font;
}

namespace {

const std::filesystem::path dejaVuFolder = "/usr/share/fonts/truetype/dejavu";
// The screens' palettes (content/STYLE.md): 0 selected (gold), 1 normal
// (parchment), 2 disabled (stone), 3 highlight (light teal), 4 accent
// (amber: prompts and totals), 5 warning (ember: a negative score), 6 soft
// parchment (the splash's notice on black).
const std::vector<uint32_t> gamePalettes = {0xFFD866, 0xF3E6C4, 0x8A8F98, 0x7FD6D0, 0xF5A442, 0xE0533A, 0xD9CDB0};

}  // namespace

FontStyle textFontStyle() { return {dejaVuFolder / "DejaVuSans.ttf", 18, gamePalettes}; }

FontStyle titleFontStyle() { return {dejaVuFolder / "DejaVuSans-Bold.ttf", 26, gamePalettes}; }

PackWriter writeFontPack() {
  PackWriter pack;
  pack.add(0, writeTypedArray(TypedArrayValue::ofShorts(fontCharacterMap())));
  pack.add(0, writeSprite(compileFont(titleFontStyle())), PackWriter::Compression::ifSmaller);
  pack.add(0, writeSprite(compileFont(textFontStyle())), PackWriter::Compression::ifSmaller);
  return pack;
}

}  // namespace tools
