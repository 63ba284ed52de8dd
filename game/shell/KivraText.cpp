// The promotion screen's own bitmap font: measuring and drawing its texts,
// and the notice wrapped to the screen's width.
#include "game/GameStatics.h"
#include "game/shell/Kivra.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/LiteralIds.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/StringBuffer.h"
#include "runtime/lang/String.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/object/ObjectFactory.h"

namespace {

KivraStatics& kivra() { return shellStatics().Kivra; }

constexpr int32_t maxLines = 10;

int32_t glyphWidth(int32_t code) { return Kivra::glyphField(code, 2); }

// A line ends at a line feed or at a backslash followed by N; answers the
// characters the break takes, 0 when there is none at i.
int32_t breakAt(String* text, int32_t i) {
  const char16_t c = text->charAt(i);
  if (c == u'\n') return 1;
  if (c == u'\\' && i + 1 < text->length() && text->charAt(i + 1) == u'N') return 2;
  return 0;
}

bool onProductPage() {
  KivraStatics& k = kivra();
  return k.pageIndex >= 0 && k.pageIndex < k.mainLinkPage;
}

}  // namespace

int32_t Kivra::glyphField(int32_t code, int32_t field) {
  KivraStatics& k = kivra();
  ByteArray* table = k.glyphTable;
  const int32_t recordBytes = 4 + k.wideGlyphs;
  if (table == nullptr || code < 0 || code >= table->length() / recordBytes) return 0;
  const int32_t record = code * recordBytes;
  if (k.wideGlyphs == 0 || field >= 2) return table->get(record + field + (field >= 2 ? k.wideGlyphs : 0)) & 255;
  return (table->get(record + 2 * field) & 255) | (table->get(record + 2 * field + 1) & 255) << 8;
}

void Kivra::drawGlyphText(String* text, javax_microedition_lcdui_Graphics* g, int32_t, int32_t x, int32_t y,
                          int32_t anchor) {
  KivraStatics& k = kivra();
  if (text == nullptr || k.lineWidths == nullptr) return;
  const int32_t spacing = k.glyphSpacing;
  int32_t lines = 1;
  int32_t lineWidth = 0;
  int32_t widest = 0;
  for (int32_t i = 0; i < text->length(); ++i) {
    const int32_t taken = lines < maxLines ? breakAt(text, i) : 0;
    if (taken > 0) {
      k.lineWidths->set(lines - 1, lineWidth > 0 ? lineWidth - spacing : 0);
      widest = std::max(widest, k.lineWidths->get(lines - 1));
      ++lines;
      lineWidth = 0;
      i += taken - 1;
      continue;
    }
    const char16_t c = text->charAt(i);
    if (c > 1) lineWidth += glyphWidth(c) + spacing;
  }
  k.lineWidths->set(lines - 1, lineWidth > 0 ? lineWidth - spacing : 0);
  widest = std::max(widest, k.lineWidths->get(lines - 1));
  const int32_t gap = k.screenWidth < 177 && onProductPage() ? 2 : 0;
  k.textBlockWidth = widest;
  k.textBlockHeight = gap * (lines - 1) + lines * k.fontHeight;
  if (k.measureOnly) {
    k.measureOnly = false;
    return;
  }
  if (g == nullptr) return;

  auto* font = k.fontImages != nullptr ? static_cast<javax_microedition_lcdui_Image*>(k.fontImages->get(k.fontColour))
                                       : nullptr;
  const int32_t halfSpace = (glyphWidth(' ') + spacing) / 2;
  int32_t top = y + gap * (lines - 1) / 2;
  if ((anchor & 32) != 0) top -= k.textBlockHeight;
  else if ((anchor & 2) != 0) top -= k.textBlockHeight / 2;
  auto lineStart = [&](int32_t line) {
    const int32_t w = k.lineWidths->get(line);
    return (anchor & 8) != 0 ? x - w : (anchor & 1) != 0 ? x - w / 2 : x;
  };
  int32_t line = 0;
  int32_t penX = lineStart(0);
  int32_t penY = top;
  char16_t previous = 0;
  for (int32_t i = 0; i < text->length(); ++i) {
    const int32_t taken = line + 1 < maxLines ? breakAt(text, i) : 0;
    if (taken > 0) {
      ++line;
      penY += gap + k.fontHeight - 2;
      penX = lineStart(line) - (previous == u' ' ? halfSpace : 0);
      previous = 0;
      i += taken - 1;
      continue;
    }
    const char16_t c = text->charAt(i);
    previous = c;
    if (c <= 1) continue;
    if (c == u' ') {
      penX += halfSpace;
      continue;
    }
    const int32_t w = glyphWidth(c);
    const int32_t h = glyphField(c, 3);
    if (font != nullptr && w > 0 && h > 0) {
      g->setClip(penX, penY, w, h);
      g->drawRegion(font, glyphField(c, 0), glyphField(c, 1), w, h, 0, penX, penY, 20);
    }
    penX += w + spacing;
  }
  g->setClip(0, 0, k.screenWidth, k.screenHeight);
  k.fontColour = 1;
}

void Kivra::drawText(int32_t textId, javax_microedition_lcdui_Graphics* g, int32_t width, int32_t x, int32_t y,
                     int32_t anchor) {
  drawGlyphText(getText(textId), g, width, x, y, anchor);
}

void Kivra::wrapNotice() {
  KivraStatics& k = kivra();
  String* notice = k.noticeText;
  k.noticeText = nullptr;
  if (notice == nullptr || notice->length() == 0) return;
  notice = notice->toUpperCase();
  StringBuffer* result = newObject<StringBuffer>();
  if (notice == nullptr || result == nullptr) return;
  String* lineBreak = stringLiteral(static_cast<int32_t>(LiteralId::wrapSeparator));
  int32_t lines = 1;
  int32_t width = 0;
  int32_t spaceAt = 0;
  int32_t widthAtSpace = 0;
  for (int32_t i = 0; i < notice->length(); ++i) {
    const char16_t c = notice->charAt(i);
    if (c != u'\n' && (c < 32 || c > 122) && c != 130) return;
    const bool escapedBreak = c == u'\\' && i + 1 < notice->length() && notice->charAt(i + 1) == u'N';
    if (c == u'\n' || escapedBreak) {
      if (escapedBreak) ++i;
      if (result->length() == 0) continue;
      if (++lines >= 3) return;
      result->append(u'\n');
      width = 0;
      spaceAt = 0;
      continue;
    }
    result->append(c);
    width += glyphWidth(c);
    if (c == u' ') {
      spaceAt = result->length() - 1;
      widthAtSpace = width;
    }
    if (width < k.screenWidth) continue;
    if (lines >= 3) return;
    if (c == u' ' && spaceAt == result->length() - 1) {
      result->setLength(result->length() - 1);
      result->append(lineBreak);
      width = 0;
    } else if (spaceAt == 0) {
      return;
    } else {
      result->setCharAt(spaceAt, lineBreak != nullptr && lineBreak->length() > 0 ? lineBreak->charAt(0) : u'\n');
      width -= widthAtSpace;
    }
    spaceAt = 0;
    ++lines;
  }
  String* wrapped = result->toString();
  if (isValidValue(wrapped)) k.noticeText = wrapped;
}
