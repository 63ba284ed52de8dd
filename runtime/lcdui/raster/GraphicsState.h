#pragma once
// The drawing state a Graphics carries: colour, clip and translation. The
// natives layer keeps one of these as the Graphics object's fields and every
// kernel reads it. The clip is in absolute target coordinates, x2/y2
// exclusive; translation applies to every caller coordinate.
#include <cstdint>

#include "runtime/lcdui/raster/Surface.h"

namespace raster {

struct GraphicsState {
  uint32_t colour = 0;  // ARGB; alpha 0 until the first setColor
  int32_t clipX1 = 0;
  int32_t clipY1 = 0;
  int32_t clipX2 = 0;
  int32_t clipY2 = 0;
  int32_t translateX = 0;
  int32_t translateY = 0;
};

// A fresh Graphics on a target: colour 0, no translation, clip = the target.
GraphicsState makeGraphicsState(const Surface& target);

// Which components setColor(r, g, b) found outside 0..255, for the natives
// layer to log as "setColor r", "setColor g", "setColor b" in that order.
namespace colourcheck {
constexpr uint32_t red = 1;
constexpr uint32_t green = 2;
constexpr uint32_t blue = 4;
}  // namespace colourcheck

void setColor(GraphicsState& state, int32_t rgb);
// The components are not masked: an out-of-range one spills into its
// neighbours, as callers have always seen. Answers the colourcheck bits.
uint32_t setColor(GraphicsState& state, int32_t red, int32_t green, int32_t blue);

void translate(GraphicsState& state, int32_t x, int32_t y);

// Both bound the clip to the target; x/y are relative to the translation.
void setClip(GraphicsState& state, const Surface& target, int32_t x, int32_t y, int32_t width, int32_t height);
void clipRect(GraphicsState& state, const Surface& target, int32_t x, int32_t y, int32_t width, int32_t height);

inline int32_t getClipX(const GraphicsState& state) { return state.clipX1 - state.translateX; }
inline int32_t getClipY(const GraphicsState& state) { return state.clipY1 - state.translateY; }
inline int32_t getClipWidth(const GraphicsState& state) { return state.clipX2 - state.clipX1; }
inline int32_t getClipHeight(const GraphicsState& state) { return state.clipY2 - state.clipY1; }

// What the paint cycle does before each paint: no translation, the whole
// target as clip, white.
void resetForPaint(GraphicsState& state, const Surface& target);

}  // namespace raster
