#include <algorithm>
#include <string>
#include <vector>

#include "wince/gdi.h"
#include "wince/gdi_internal.h"
#include "wince/text.h"

using namespace wince;

namespace {

int textLength(LPCWSTR text, int count) {
  if (!text) return 0;
  if (count >= 0) return count;
  return int(std::char_traits<char16_t>::length(text));
}

struct TextLine {
  int start;
  int length;
};

std::vector<TextLine> splitLines(LPCWSTR text, int length, bool singleLine) {
  std::vector<TextLine> lines;
  int start = 0;
  for (int i = 0; i < length; ++i) {
    if (!singleLine && text[i] == u'\n') {
      const int end = i > start && text[i - 1] == u'\r' ? i - 1 : i;
      lines.push_back({start, end - start});
      start = i + 1;
    }
  }
  lines.push_back({start, length - start});
  return lines;
}

// Background box (when opaque) and glyphs of one line, in target coordinates.
void drawLine(const PixelTarget& pixels, HDC dc, int x, int y, const char16_t* text, int length, int height) {
  const int width = systemFontTextWidth(text, length);
  if (dc->backgroundMode == OPAQUE)
    fillPixels(pixels, RECT{x, y, x + width, y + height}, colorRefToRgb(dc->backgroundColor));
  drawSystemFontText(pixels, x, y, text, length, colorRefToRgb(dc->textColor));
}

}  // namespace

int DrawTextW(HDC dc, LPCWSTR text, int count, RECT* rect, UINT format) {
  if (!liveContext(dc) || !rect || !text) return 0;
  const int length = textLength(text, count);
  const int lineHeight = systemFontMetrics().height;
  const std::vector<TextLine> lines = splitLines(text, length, (format & DT_SINGLELINE) != 0);
  const int textHeight = lineHeight * int(lines.size());
  if (format & DT_CALCRECT) {
    int widest = 0;
    for (const TextLine& line : lines) widest = std::max(widest, systemFontTextWidth(text + line.start, line.length));
    rect->right = rect->left + widest;
    rect->bottom = rect->top + textHeight;
    return textHeight;
  }
  int top = rect->top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER) top = rect->top + (rect->bottom - rect->top - lineHeight) / 2;
    if (format & DT_BOTTOM) top = rect->bottom - lineHeight;
  }
  const RECT bounds = *rect;
  drawOnContext(dc, [&](const PixelTarget& target, int originX, int originY) {
    PixelTarget pixels = target;
    if (!(format & DT_NOCLIP))
      pixels.clip = intersectRect(target.clip, RECT{bounds.left + originX, bounds.top + originY, bounds.right + originX,
                                                    bounds.bottom + originY});
    int y = top;
    for (const TextLine& line : lines) {
      const int width = systemFontTextWidth(text + line.start, line.length);
      int x = bounds.left;
      if (format & DT_CENTER) x = bounds.left + (bounds.right - bounds.left - width) / 2;
      if (format & DT_RIGHT) x = bounds.right - width;
      drawLine(pixels, dc, originX + x, originY + y, text + line.start, line.length, lineHeight);
      y += lineHeight;
    }
  });
  return top - rect->top + textHeight;
}

BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count, const int*) {
  if (!liveContext(dc)) return FALSE;
  const int length = text ? int(count) : 0;
  const int lineHeight = systemFontMetrics().height;
  return drawOnContext(dc,
                       [&](const PixelTarget& target, int originX, int originY) {
                         PixelTarget pixels = target;
                         if (rect) {
                           const RECT area{rect->left + originX, rect->top + originY, rect->right + originX,
                                           rect->bottom + originY};
                           if (options & ETO_OPAQUE) fillPixels(target, area, colorRefToRgb(dc->backgroundColor));
                           if (options & ETO_CLIPPED) pixels.clip = intersectRect(target.clip, area);
                         }
                         if (length > 0) drawLine(pixels, dc, originX + x, originY + y, text, length, lineHeight);
                       })
             ? TRUE
             : FALSE;
}

BOOL GetTextExtentExPointW(HDC dc, LPCWSTR text, int count, int maxExtent, int* fit, int* extents, SIZE* size) {
  if (!liveContext(dc) || count < 0 || (count > 0 && !text) || !systemFontAvailable()) return FALSE;
  int width = 0, fitting = 0;
  for (int i = 0; i < count; ++i) {
    width += systemFontTextWidth(text + i, 1);
    if (extents) extents[i] = width;
    if (width <= maxExtent) fitting = i + 1;
  }
  if (fit) *fit = fitting;
  if (size) *size = SIZE{width, systemFontMetrics().height};
  return TRUE;
}

BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, SIZE* size) {
  return GetTextExtentExPointW(dc, text, count, 0, nullptr, nullptr, size);
}

BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics) {
  if (!liveContext(dc) || !metrics || !systemFontAvailable()) return FALSE;
  const FontMetrics font = systemFontMetrics();
  *metrics = TEXTMETRICW{font.height, font.ascent, font.descent, 0, 0, font.averageCharWidth, font.maxCharWidth, 700};
  return TRUE;
}
