#include "runtime/lcdui/raster/GraphicsState.h"

#include <algorithm>
#include <limits>

namespace raster {
namespace {

// Sums are taken in 64 bits so that a far translation cannot wrap a clip
// edge onto the other side of the target.
int32_t saturateToInt32(int64_t value) {
  return int32_t(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

void storeBoundedClip(GraphicsState& state, const Surface& target, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
  state.clipX1 = saturateToInt32(std::max<int64_t>(x1, 0));
  state.clipY1 = saturateToInt32(std::max<int64_t>(y1, 0));
  state.clipX2 = saturateToInt32(std::min<int64_t>(x2, target.width));
  state.clipY2 = saturateToInt32(std::min<int64_t>(y2, target.height));
}

}  // namespace

GraphicsState makeGraphicsState(const Surface& target) {
  GraphicsState state;
  state.clipX2 = target.width;
  state.clipY2 = target.height;
  return state;
}

void setColor(GraphicsState& state, int32_t rgb) { state.colour = uint32_t(rgb) | 0xFF000000u; }

uint32_t setColor(GraphicsState& state, int32_t red, int32_t green, int32_t blue) {
  uint32_t checks = 0;
  if (red < 0 || red > 255) checks |= colourcheck::red;
  if (green < 0 || green > 255) checks |= colourcheck::green;
  if (blue < 0 || blue > 255) checks |= colourcheck::blue;
  state.colour = 0xFF000000u | (uint32_t(red) << 16) | (uint32_t(green) << 8) | uint32_t(blue);
  return checks;
}

void translate(GraphicsState& state, int32_t x, int32_t y) {
  state.translateX += x;
  state.translateY += y;
}

void setClip(GraphicsState& state, const Surface& target, int32_t x, int32_t y, int32_t width, int32_t height) {
  const int64_t x1 = int64_t(state.translateX) + x;
  const int64_t y1 = int64_t(state.translateY) + y;
  storeBoundedClip(state, target, x1, y1, x1 + width, y1 + height);
}

void clipRect(GraphicsState& state, const Surface& target, int32_t x, int32_t y, int32_t width, int32_t height) {
  const int64_t x1 = int64_t(state.translateX) + x;
  const int64_t y1 = int64_t(state.translateY) + y;
  storeBoundedClip(state, target, std::max<int64_t>(x1, state.clipX1), std::max<int64_t>(y1, state.clipY1),
                   std::min<int64_t>(x1 + width, state.clipX2), std::min<int64_t>(y1 + height, state.clipY2));
}

void resetForPaint(GraphicsState& state, const Surface& target) {
  state.translateX = 0;
  state.translateY = 0;
  state.clipX1 = 0;
  state.clipY1 = 0;
  state.clipX2 = target.width;
  state.clipY2 = target.height;
  setColor(state, 0xFFFFFF);
}

}  // namespace raster
