#include "wince/text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "wince/log.h"

namespace wince {

namespace {

constexpr const char* fontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
constexpr int pixelSize = 16;

struct Glyph {
  int left = 0;  // from the pen position to the first column
  int top = 0;   // from the baseline up to the first row
  int width = 0;
  int rows = 0;
  int advance = 0;
  std::vector<uint8_t> coverage;  // 1 where the glyph sets a pixel
};

// FreeType faces are not thread-safe; one lock covers the face and the cache.
struct SystemFont {
  std::mutex mutex;
  bool tried = false;
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  FontMetrics metrics;
  std::unordered_map<char16_t, Glyph> glyphs;
};

SystemFont& systemFont() {
  static SystemFont* font = new SystemFont;  // outlives exit() from any thread
  return *font;
}

// Callers hold the lock.
bool loadFace(SystemFont& font) {
  if (font.tried) return font.face != nullptr;
  font.tried = true;
  if (FT_Init_FreeType(&font.library) != 0 || FT_New_Face(font.library, fontPath, 0, &font.face) != 0 ||
      FT_Set_Pixel_Sizes(font.face, 0, pixelSize) != 0) {
    logPrintf("Text: cannot load the system font %s\n", fontPath);
    font.face = nullptr;
    return false;
  }
  const FT_Size_Metrics& size = font.face->size->metrics;
  font.metrics.ascent = int(size.ascender >> 6);
  font.metrics.height = int(size.height >> 6);
  font.metrics.descent = font.metrics.height - font.metrics.ascent;
  font.metrics.maxCharWidth = int(size.max_advance >> 6);
  return true;
}

// Callers hold the lock and have a face.
const Glyph& glyphFor(SystemFont& font, char16_t character) {
  auto found = font.glyphs.find(character);
  if (found != font.glyphs.end()) return found->second;
  Glyph glyph;
  // Surrogate halves name no character on their own: they get the missing-glyph box.
  const bool surrogate = character >= 0xD800 && character <= 0xDFFF;
  const FT_UInt index = surrogate ? 0 : FT_Get_Char_Index(font.face, character);
  if (FT_Load_Glyph(font.face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) == 0) {
    const FT_GlyphSlot slot = font.face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = int(bitmap.width);
    glyph.rows = int(bitmap.rows);
    glyph.advance = int(slot->advance.x >> 6);
    glyph.coverage.assign(size_t(glyph.width) * size_t(glyph.rows), 0);
    for (int row = 0; row < glyph.rows; ++row) {
      const uint8_t* source = bitmap.buffer + ptrdiff_t(row) * bitmap.pitch;
      for (int column = 0; column < glyph.width; ++column)
        glyph.coverage[size_t(row) * size_t(glyph.width) + size_t(column)] =
            (source[column >> 3] >> (7 - (column & 7))) & 1;
    }
  }
  return font.glyphs.emplace(character, std::move(glyph)).first->second;
}

}  // namespace

bool systemFontAvailable() {
  SystemFont& font = systemFont();
  std::lock_guard lock(font.mutex);
  return loadFace(font);
}

FontMetrics systemFontMetrics() {
  SystemFont& font = systemFont();
  std::lock_guard lock(font.mutex);
  if (!loadFace(font)) return FontMetrics{};
  if (font.metrics.averageCharWidth == 0) font.metrics.averageCharWidth = glyphFor(font, u'x').advance;
  return font.metrics;
}

int systemFontTextWidth(const char16_t* text, int length) {
  if (!text || length <= 0) return 0;
  SystemFont& font = systemFont();
  std::lock_guard lock(font.mutex);
  if (!loadFace(font)) return 0;
  int width = 0;
  for (int i = 0; i < length; ++i) width += glyphFor(font, text[i]).advance;
  return width;
}

void drawSystemFontText(const PixelTarget& target, int x, int y, const char16_t* text, int length, uint32_t rgb) {
  if (!text || length <= 0 || !target.valid()) return;
  SystemFont& font = systemFont();
  std::lock_guard lock(font.mutex);
  if (!loadFace(font)) return;
  const int baseline = y + font.metrics.ascent;
  int penX = x;
  for (int i = 0; i < length; ++i) {
    const Glyph& glyph = glyphFor(font, text[i]);
    const int left = penX + glyph.left, top = baseline - glyph.top;
    const int firstRow = std::max<int>(0, target.clip.top - top);
    const int lastRow = std::min<int>(glyph.rows, target.clip.bottom - top);
    const int firstColumn = std::max<int>(0, target.clip.left - left);
    const int lastColumn = std::min<int>(glyph.width, target.clip.right - left);
    for (int row = firstRow; row < lastRow; ++row)
      for (int column = firstColumn; column < lastColumn; ++column)
        if (glyph.coverage[size_t(row) * size_t(glyph.width) + size_t(column)])
          target.writePixel(left + column, top + row, rgb);
    penX += glyph.advance;
  }
}

}  // namespace wince
