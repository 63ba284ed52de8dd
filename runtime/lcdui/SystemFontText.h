#pragma once
// The system-font text of the Graphics and Font natives: one face for every
// Font, measured and drawn by the stand-in's text routine (1 bit a pixel, no
// kerning, so widths add up). Measuring and drawing read the same metrics:
// a text's box is its measured width by the font's line height, and nothing
// is drawn outside that box.
#include <cstdint>
#include <string_view>

#include "runtime/lcdui/raster/GraphicsState.h"
#include "runtime/lcdui/raster/Surface.h"

namespace lcdui {

struct SystemFontMetrics {
  int32_t ascent = 0;
  int32_t height = 0;
};

// Zero when the font cannot be read (text then measures 0 and draws nothing).
SystemFontMetrics systemFontMetrics();
int32_t systemFontWidth(std::u16string_view text);

struct TextBox {
  int64_t x = 0, y = 0, width = 0, height = 0;
};

// The box of a text measured width by height whose anchor point is (x, y)
// (raster::anchor flags).
// The flags apply in the order LEFT, TOP, RIGHT, BOTTOM, HCENTER, BASELINE, a
// later one overriding an earlier; a missing horizontal flag means LEFT, a
// missing vertical one TOP (VCENTER is not a text anchor and counts as
// missing).
TextBox anchorTextBox(int32_t x, int32_t y, int32_t anchor, int32_t width, int32_t height, int32_t ascent);

// Draws one line of text in the state's colour (alpha ignored: text is never
// blended), anchored at (x, y) in target coordinates (the translation and
// the clip do not apply to text), inside the target and the text's box. Characters are drawn literally: no line
// breaks, no mnemonic markers.
void drawSystemFontText(const raster::Surface& target, const raster::GraphicsState& state, std::u16string_view text,
                        int32_t x, int32_t y, int32_t anchor);

}  // namespace lcdui
