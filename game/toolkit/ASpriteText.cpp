// Sprite fonts: the character map, the metrics from frame 0, measuring,
// drawing with anchors and inline codes, line breaking and pages.
//
// Inline codes: 10 newline; 32 space; a backslash and the next character
// (underscore toggles underline, caret toggles bold, any other character d
// selects palette d - 48); 1 and a palette (255: the saved one); 2 and a
// frame drawn as a glyph. A code that needs a following character and ends
// the text is skipped.
#include <algorithm>
#include <cstdint>

#include "game/toolkit/ASprite.h"
#include "game/toolkit/SpriteTextCodes.h"
#include "game/toolkit/ToolkitStatics.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/String.h"
#include "runtime/literals/StringLiteralPool.h"

namespace {

using Graphics = javax_microedition_lcdui_Graphics;

using namespace spritetext;
using spritelimit::lineBreakShorts;
using spritelimit::maxWrappedLines;
constexpr int32_t wrapStartLiteral = 1, wrapSeparatorLiteral = 47;

namespace anchor {
constexpr int32_t hcentre = 1, vcentre = 2, right = 8, bottom = 32;
}

// A String or, without one, a char array. Characters are read one at a
// time: painting may allocate, and text storage is not to be held across.
struct Text {
  String* s;
  CharArray* chars;
  int32_t length() const { return s != nullptr ? s->length() : chars != nullptr ? chars->length() : 0; }
  char16_t at(int32_t i) const { return s != nullptr ? s->charAt(i) : chars->get(i); }
};

// The text range statics, cut to the text.
std::pair<int32_t, int32_t> rangeOf(const Text& text) {
  const ASpriteStatics& statics = toolkitStatics().ASprite;
  const int32_t length = text.length();
  const int32_t end = statics.textRangeEnd >= 0 ? std::min(statics.textRangeEnd, length) : length;
  const int32_t start = statics.textRangeStart >= 0 ? std::min(statics.textRangeStart, end) : 0;
  return {start, end};
}

ShortArray* lineBreakTable() {
  ASpriteStatics& statics = toolkitStatics().ASprite;
  if (statics.lineBreaks == nullptr) statics.lineBreaks = newShortArray(lineBreakShorts);
  return statics.lineBreaks;
}

}  // namespace

void ASprite::setCharMap(ShortArray* map) {
  charMap = nullptr;
  charMapSize = 0;
  const int32_t length = map != nullptr ? map->length() : 0;
  const int32_t buckets = length > 0 ? map->get(0) : 0;
  if (buckets < 1 || 1 + 2 * buckets > length) {
    debugLog("ASprite: character map of %d buckets in %d shorts has no room for them", buckets, length);
    return;
  }
  // First the sizes, so each bucket is made once at its length.
  IntArray* sizes = newIntArray(buckets);
  if (sizes == nullptr) return;
  int32_t end = 1 + 2 * buckets;
  for (int32_t at = end; at + 1 < length;) {
    const int32_t bucket = map->get(at), count = map->get(at + 1);
    if (bucket < 0 || bucket >= buckets || count < 0 || at + 2 + 2 * count > length) break;
    sizes->set(bucket, sizes->get(bucket) + count);
    at += 2 + 2 * count;
    end = at;
  }
  if (end != length) debugLog("ASprite: character map damaged at short %d of %d; the rest is ignored", end, length);
  ObjectArray* table = newObjectArray(buckets);
  if (table == nullptr) return;
  for (int32_t b = 0; b < buckets; ++b) {
    ShortArray* bucket = newShortArray(2 + 2 * sizes->get(b));
    if (bucket == nullptr) return;
    bucket->set(0, map->get(1 + 2 * b));
    bucket->set(1, map->get(2 + 2 * b));
    sizes->set(b, 2);  // now the fill position
    table->set(b, bucket);
  }
  for (int32_t at = 1 + 2 * buckets; at < end;) {
    const int32_t b = map->get(at), count = map->get(at + 1);
    auto* bucket = static_cast<ShortArray*>(table->get(b));
    int32_t fill = sizes->get(b);
    for (int32_t k = 0; k < 2 * count; ++k) bucket->set(fill++, map->get(at + 2 + k));
    sizes->set(b, fill);
    at += 2 + 2 * count;
  }
  charMap = table;
  charMapSize = buckets;
}

int32_t ASprite::getCharFrame(int32_t c) const {
  if (charMap == nullptr || charMapSize < 1) return fallbackFrame;
  const uint32_t code = static_cast<uint32_t>(c) & 0xFFFF;
  auto* bucket = static_cast<ShortArray*>(charMap->get(static_cast<int32_t>(code % uint32_t(charMapSize))));
  if (bucket == nullptr) return fallbackFrame;
  const int16_t* pairs = bucket->elements();
  for (int32_t i = 0; i + 1 < bucket->length(); i += 2)
    if ((static_cast<uint32_t>(pairs[i]) & 0xFFFF) == code) return pairs[i + 1];
  return fallbackFrame;
}

int32_t ASprite::getGlyphWidth(int32_t frame) const {
  if (frame < 0 || frame >= getFrameCount() || getFModuleCount(frame) < 1) return 0;
  return getFModuleValue(frame, 0);
}

void ASprite::initFontMetrics() {
  if (getFrameCount() < 1 || getFModuleCount(0) < 3) {
    debugLog("ASprite: font has no metrics frame");
    return;
  }
  baselineOffset = -getFModuleY(0, 0);
  lineHeight = getFModuleY(0, 1) - getFModuleY(0, 0);
  initLineGap();
  initSpaceWidth();
}

void ASprite::initLineGap() {
  if (getFrameCount() > 0 && getFModuleCount(0) >= 3) lineGap = getFModuleY(0, 2) - getFModuleY(0, 1);
}

void ASprite::initSpaceWidth() { spaceWidth = getGlyphWidth(getCharFrame(space)); }

void ASprite::measureText(String* s, CharArray* chars) {
  if (s == nullptr && chars == nullptr) return;
  ASpriteStatics& statics = toolkitStatics().ASprite;
  const Text text{s, chars};
  int32_t widest = 0;
  int32_t height = lineHeight;
  bool boldOn = bold != 0;
  int32_t w = 0;
  const auto [start, end] = rangeOf(text);
  for (int32_t i = start; i < end; ++i) {
    const char16_t c = text.at(i);
    if (c == newline) {
      widest = std::max(widest, w);
      height += lineGap + lineHeight;
      w = 0;
    } else if (c == space) {
      w += spaceWidth;
    } else if (c == escape) {
      if (i + 1 < end && text.at(i + 1) == caret) boldOn = !boldOn;
      ++i;
    } else if (c == paletteCode) {
      ++i;
    } else if (c == glyphCode) {
      if (++i < end) w += getGlyphWidth(text.at(i)) + (boldOn ? 1 : 0);
    } else if (c > space) {
      w += getGlyphWidth(getCharFrame(c)) + (boldOn ? 1 : 0);
    }
  }
  widest = std::max(widest, w);
  // Spacing is never added per glyph here, only taken off once.
  if (widest > 0) widest -= charSpacing;
  statics.measuredWidth = widest;
  statics.measuredHeight = height;
}

void ASprite::drawString(Graphics* g, String* s, CharArray* chars, int32_t x, int32_t y, int32_t anchorBits,
                         bool restorePalette) {
  if (s == nullptr && chars == nullptr) return;
  ASpriteStatics& statics = toolkitStatics().ASprite;
  const Text text{s, chars};
  y += baselineOffset;
  measureText(s, chars);
  if ((anchorBits & anchor::right) != 0)
    x -= statics.measuredWidth;
  else if ((anchorBits & anchor::hcentre) != 0)
    x -= statics.measuredWidth >> 1;
  if ((anchorBits & anchor::bottom) != 0)
    y -= statics.measuredHeight;
  else if ((anchorBits & anchor::vcentre) != 0)
    y -= statics.measuredHeight >> 1;
  const int32_t lineStart = x;
  if (restorePalette) statics.savedPalette = currentPalette;
  auto [start, end] = rangeOf(text);
  if (statics.drawLimit >= 0 && statics.drawLimit < end) end = std::max(statics.drawLimit, start);
  const int32_t underscoreFrame = getCharFrame(underscore);
  const int32_t underscoreWidth = getGlyphWidth(underscoreFrame);
  auto glyph = [&](int32_t f) {
    const int32_t advance = getGlyphWidth(f);
    paintFrame(g, f, x, y, 0, 0, 0);
    if (underline != 0) paintFrame(g, underscoreFrame, x + ((advance - underscoreWidth) >> 1), y, 0, 0, 0);
    if (bold != 0) paintFrame(g, f, ++x, y, 0, 0, 0);
    x += charSpacing + advance;
  };
  for (int32_t i = start; i < end; ++i) {
    const char16_t c = text.at(i);
    if (c == newline) {
      x = lineStart;
      y += lineGap + lineHeight;
    } else if (c == space) {
      if (underline != 0) paintFrame(g, underscoreFrame, x + ((spaceWidth - underscoreWidth) >> 1), y, 0, 0, 0);
      x += spaceWidth;
    } else if (c == escape) {
      if (++i >= end) break;
      const char16_t d = text.at(i);
      if (d == underscore)
        underline = underline != 0 ? 0 : 1;
      else if (d == caret)
        bold = bold != 0 ? 0 : 1;
      else
        setPalette(d - '0');
    } else if (c == paletteCode) {
      if (++i >= end) break;
      const int32_t p = text.at(i);
      if (p == restoreSavedPalette)
        currentPalette = statics.savedPalette;
      else if (p < paletteCount)
        setPalette(p);
    } else if (c == glyphCode) {
      if (++i < end) glyph(text.at(i));
    } else if (c > space) {
      glyph(getCharFrame(c));
    }
  }
  if (restorePalette) currentPalette = statics.savedPalette;
}

void ASprite::drawStringAt(Graphics* g, String* s, int32_t x, int32_t y, int32_t anchorBits, bool restorePalette) {
  drawString(g, s, nullptr, x, y, anchorBits, restorePalette);
}

int32_t ASprite::splitLines(String* s, int32_t start, int32_t end, int32_t ch, IntArray* out) {
  if (s == nullptr || out == nullptr || out->length() < 2) return 0;
  int32_t lines = 0;
  out->set(0, start - 1);
  for (int32_t i = start; i < end && lines + 2 < out->length(); ++i)
    if (s->charAt(i) == ch) out->set(++lines, i);
  out->set(++lines, end);
  return lines;
}

void ASprite::drawPage(Graphics* g, String* s, int32_t x, int32_t y, int32_t anchorBits, int32_t start,
                       int32_t end) {
  ASpriteStatics& statics = toolkitStatics().ASprite;
  if (s != nullptr) {
    end = std::clamp(end, 0, s->length());
    start = std::clamp(start, 0, end);
    int32_t newlines = 0;
    for (int32_t i = start; i < end; ++i) newlines += s->charAt(i) == newline;
    IntArray* out = newIntArray(newlines + 2);
    const int32_t lines = splitLines(s, start, end, newline, out);
    const int32_t step = lineGap + lineHeight;
    if ((anchorBits & anchor::bottom) != 0)
      y -= (lines - 1) * step;
    else if ((anchorBits & anchor::vcentre) != 0)
      y -= ((lines - 1) * step) >> 1;
    for (int32_t i = 0; i < lines; ++i) {
      statics.textRangeStart = out->get(i) + 1;
      statics.textRangeEnd = out->get(i + 1);
      drawString(g, s, nullptr, x, y, anchorBits, false);
      y += step;
    }
  }
  statics.textRangeStart = statics.textRangeEnd = -1;
}

ShortArray* ASprite::wrapText(String* s, int32_t width) {
  ShortArray* table = lineBreakTable();
  if (table == nullptr) return nullptr;
  int32_t lines = 0;
  auto record = [&](int32_t position, int32_t lineWidth) {
    if (lines >= maxWrappedLines) return;
    table->set(1 + 2 * lines, static_cast<int16_t>(position));
    table->set(2 + 2 * lines, static_cast<int16_t>(lineWidth));
    ++lines;
  };
  const int32_t length = s != nullptr ? s->length() : 0;
  int32_t lw = 0, ww = 0;
  bool boldOn = bold != 0, boldAtSpace = boldOn, seenSpace = false;
  int32_t lastSpace = 0;
  for (int32_t i = 0; i < length;) {
    const char16_t c = s->charAt(i);
    if (c == space) {
      lw += spaceWidth;
      seenSpace = true;
      lastSpace = i;
      boldAtSpace = boldOn;
      ww = 0;
      if (lw <= width) {
        ++i;
        continue;
      }
      for (int32_t j = i; j >= 0 && s->charAt(j) == space; --j) lw -= spaceWidth;
      int32_t next = lastSpace;
      while (next < length && s->charAt(next) == space) ++next;
      record(next, lw);
      lw = 0;
      seenSpace = false;
      i = next;
      continue;
    }
    if (c == escape) {
      if (i + 1 < length && s->charAt(i + 1) == caret) boldOn = !boldOn;
      i += 2;
      continue;
    }
    if (c == newline) {
      record(i, lw);
      lw = ww = 0;
      // A break may not reach back past the newline: that line is done.
      seenSpace = false;
      ++i;
      continue;
    }
    int32_t frame;
    if (c == paletteCode) {
      i += 2;
      continue;
    } else if (c == glyphCode) {
      if (++i >= length) break;
      frame = s->charAt(i);
    } else if (c < space) {
      ++i;
      continue;
    } else {
      frame = getCharFrame(c);
    }
    const int32_t advance =
        getGlyphWidth(frame < getFrameCount() ? frame : 0) + charSpacing + (boldOn ? 1 : 0);
    lw += advance;
    ww += advance;
    if (lw > width && seenSpace) {
      for (int32_t j = lastSpace; j >= 0 && s->charAt(j) == space; --j) lw -= spaceWidth;
      record(lastSpace + 1, lw - ww);
      lw = ww = 0;
      seenSpace = false;
      boldOn = boldAtSpace;
      i = lastSpace + 1;
      continue;
    }
    ++i;
  }
  record(length, lw);
  table->set(0, static_cast<int16_t>(lines));
  return table;
}

String* ASprite::wrapTextToString(String* s, int32_t width) {
  String* result = stringLiteral(wrapStartLiteral);
  String* separator = stringLiteral(wrapSeparatorLiteral);
  if (s == nullptr || result == nullptr || separator == nullptr) return result;
  ShortArray* table = wrapText(s, width);
  if (table == nullptr) return result;
  int32_t p = 0;
  for (int32_t line = 0; line < table->get(0); ++line) {
    const int32_t breakAt = std::clamp(table->get(1 + 2 * line) & 0xFFFF, p, s->length());
    if (p != 0 && p < s->length() && s->charAt(p) != newline) result = result->concat(separator);
    if (result == nullptr) return nullptr;
    result = result->concat(s->substring(p, breakAt));
    if (result == nullptr) return nullptr;
    p = breakAt;
  }
  return result;
}
