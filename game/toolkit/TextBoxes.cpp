// The text box every wrapped text is painted through, and two small text
// builders.
#include <algorithm>

#include "game/toolkit/ASprite.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/toolkit/cGameToolkit.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/String.h"
#include "runtime/LiteralIds.h"
#include "runtime/lang/StringBuffer.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/object/ObjectFactory.h"

namespace {

constexpr int32_t anchorHCentre = 1, anchorVCentre = 2, anchorRight = 8, anchorBottom = 32;

}  // namespace

void cGameToolkit::paintTextBox(ASprite* font, javax_microedition_lcdui_Graphics* g, String* text, ShortArray* lines,
                                int32_t x, int32_t y, int32_t firstLine, int32_t count, int32_t anchor,
                                int32_t charLimit) {
  if (font == nullptr || text == nullptr || lines == nullptr || lines->length() < 1) return;
  // A table cut short (or a count past it) draws the lines it holds.
  const int32_t n = std::min<int32_t>(lines->get(0), (lines->length() - 1) / 2);
  firstLine = std::max(firstLine, 0);
  if (count < 0 || count > n - firstLine) count = n - firstLine;
  if (count <= 0) return;
  const int32_t lineHeight = font->getLineHeight() + font->getLineGap();
  int32_t lineY = y;
  if ((anchor & anchorBottom) != 0)
    lineY -= (count - 1) * lineHeight;
  else if ((anchor & anchorVCentre) != 0)
    lineY -= (count - 1) * lineHeight / 2;
  const auto lineStart = [&](int32_t k) { return k == 0 ? 0 : int32_t(lines->get(2 * k - 1)); };
  ASpriteStatics& statics = toolkitStatics().ASprite;
  const int32_t savedPalette = font->getPalette();
  if (charLimit >= 0) statics.drawLimit = lineStart(firstLine) + charLimit;
  const int32_t length = text->length();
  for (int32_t k = firstLine; k < firstLine + count; ++k) {
    int32_t start = std::clamp(lineStart(k), 0, length);
    const int32_t end = std::clamp(int32_t(lines->get(2 * k + 1)), start, length);
    if (start < end && text->charAt(start) == u'\n') ++start;
    statics.textRangeStart = start;
    statics.textRangeEnd = end;
    const int32_t width = lines->get(2 * k + 2);
    int32_t lineX = x;
    if ((anchor & anchorRight) != 0)
      lineX -= width;
    else if ((anchor & anchorHCentre) != 0)
      lineX -= width / 2;
    int32_t glyphY = lineY;
    if ((anchor & anchorBottom) != 0)
      glyphY -= font->getLineHeight();
    else if ((anchor & anchorVCentre) != 0)
      glyphY -= font->getLineHeight() / 2;
    font->drawString(g, text, nullptr, lineX, glyphY, 0, false);
    lineY += lineHeight;
  }
  statics.textRangeStart = statics.textRangeEnd = statics.drawLimit = -1;
  font->setPalette(savedPalette);
}

String* cGameToolkit::formatTwoDigits(int64_t value) {
  if (value >= 100) return stringLiteral(static_cast<int32_t>(LiteralId::twoDigitOverflow));
  StringBuffer* text = newObject<StringBuffer>();
  if (text == nullptr) return nullptr;
  const int64_t lastTwo = value % 100;
  text->append(stringLiteral(1));
  if (lastTwo < 10) text->append(stringLiteral(13));
  text->append(lastTwo);
  return text->toString();
}

String* cGameToolkit::formatSignedNumber(String* text, int32_t p, int32_t q) {
  StringBuffer* out = newObject<StringBuffer>();
  if (out == nullptr) return nullptr;
  out->append(stringLiteral(static_cast<int32_t>(LiteralId::paletteSwitchCode)));
  out->append(static_cast<char16_t>(p < 0 ? 255 : p));
  out->append(text);
  out->append(stringLiteral(static_cast<int32_t>(LiteralId::paletteSwitchCode)));
  out->append(static_cast<char16_t>(q < 0 ? 255 : q));
  return out->toString();
}
