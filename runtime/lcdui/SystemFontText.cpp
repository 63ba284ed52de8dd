#include "runtime/lcdui/SystemFontText.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "runtime/lcdui/raster/DrawRegion.h"
#include "wince/text.h"

namespace lcdui {

namespace {

// Advances of each character, so that a long text can be cut to what the
// clip shows before it is handed on.
std::vector<int32_t> characterAdvances(std::u16string_view text) {
  std::vector<int32_t> advances(text.size());
  for (size_t i = 0; i < text.size(); ++i) advances[i] = wince::systemFontTextWidth(&text[i], 1);
  return advances;
}

}  // namespace

SystemFontMetrics systemFontMetrics() {
  if (!wince::systemFontAvailable()) return {};
  const wince::FontMetrics metrics = wince::systemFontMetrics();
  return {metrics.ascent, metrics.height};
}

int32_t systemFontWidth(std::u16string_view text) {
  // In pieces, summed in 64 bits: no text is long enough to wrap the width.
  constexpr size_t piece = 1 << 20;
  int64_t width = 0;
  for (size_t start = 0; start < text.size(); start += piece) {
    const size_t count = std::min(piece, text.size() - start);
    width += wince::systemFontTextWidth(text.data() + start, int(count));
  }
  return int32_t(std::min<int64_t>(width, INT32_MAX));
}

TextBox anchorTextBox(int32_t x, int32_t y, int32_t anchor, int32_t width, int32_t height, int32_t ascent) {
  using namespace raster::anchor;
  TextBox box{x, y, width, height};
  if (anchor & LEFT) box.x = x;
  if (anchor & TOP) box.y = y;
  if (anchor & RIGHT) box.x = int64_t(x) - width;
  if (anchor & BOTTOM) box.y = int64_t(y) - height;
  if (anchor & HCENTER) box.x = int64_t(x) - (width >> 1);
  if (anchor & BASELINE) box.y = int64_t(y) - ascent;
  return box;
}

void drawSystemFontText(const raster::Surface& target, const raster::GraphicsState& state, std::u16string_view text,
                        int32_t x, int32_t y, int32_t anchor) {
  if (text.empty() || !target.isUsable()) return;
  const SystemFontMetrics metrics = systemFontMetrics();
  if (metrics.height <= 0) return;
  const std::vector<int32_t> advances = characterAdvances(text);
  int64_t width = 0;
  for (int32_t advance : advances) width += advance;
  TextBox box =
      anchorTextBox(x, y, anchor, int32_t(std::min<int64_t>(width, INT32_MAX)), metrics.height, metrics.ascent);

  // Text is placed in target coordinates, past the translation and the clip,
  // as the platform's text always was; only the target's edges cut it.
  const int64_t visibleLeft = std::max<int64_t>(box.x, 0);
  const int64_t visibleRight = std::min<int64_t>(box.x + box.width, target.width);
  const int64_t visibleTop = std::max<int64_t>(box.y, 0);
  const int64_t visibleBottom = std::min<int64_t>(box.y + box.height, target.height);
  if (visibleRight <= visibleLeft || visibleBottom <= visibleTop) return;

  // Only the characters near the visible part are drawn, so that pen
  // positions stay small; a glyph may reach past its advance, hence the
  // margin of a line height on both sides.
  const int64_t margin = metrics.height;
  size_t first = 0;
  int64_t penX = box.x;
  while (first < advances.size() && penX + advances[first] < visibleLeft - margin) penX += advances[first++];
  size_t end = first;
  for (int64_t pen = penX; end < advances.size() && pen < visibleRight + margin; ++end) pen += advances[end];
  if (end == first) return;

  wince::PixelTarget pixels;
  pixels.bits = reinterpret_cast<uint8_t*>(target.pixels);
  pixels.width = target.width;
  pixels.height = target.height;
  pixels.pitch = target.pitch;
  pixels.bitsPerPixel = 16;
  pixels.clip = RECT{LONG(visibleLeft), LONG(visibleTop), LONG(visibleRight), LONG(visibleBottom)};
  wince::drawSystemFontText(pixels, int(penX), int(box.y), text.data() + first, int(end - first),
                            state.colour & 0xFFFFFF);
}

}  // namespace lcdui
