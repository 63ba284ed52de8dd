#include "tests/runtime/raster_reference.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "runtime/lcdui/raster/DrawRegion.h"
#include "runtime/lcdui/raster/DrawRgb.h"

namespace reference {
namespace {

uint16_t to565(uint32_t c) { return uint16_t(((c >> 8) & 0xF800) | ((c >> 5) & 0x07E0) | ((c & 0xFF) >> 3)); }

uint16_t& pixelAt(const Surface& target, int64_t x, int64_t y) {
  if (x < 0 || y < 0 || x >= target.width || y >= target.height) std::abort();  // the rules never go there
  return target.pixels[y * (target.pitch / 2) + x];
}

uint16_t towards(uint16_t d, int32_t s5r, int32_t s6g, int32_t s5b, int32_t a) {
  int32_t r = d >> 11, g = (d >> 5) & 63, b = d & 31;
  r = r + int32_t(std::floor((s5r - r) * a / 256.0));
  g = g + int32_t(std::floor((s6g - g) * a / 256.0));
  b = b + int32_t(std::floor((s5b - b) * a / 256.0));
  return uint16_t(r << 11 | g << 5 | b);
}

}  // namespace

void fillRect(const Surface& target, const GraphicsState& state, int64_t x, int64_t y, int64_t w, int64_t h) {
  int64_t X = x + state.translateX, Y = y + state.translateY;
  if (X < state.clipX1) {
    if (X + w >= state.clipX1) {
      w -= state.clipX1 - X;
      X = state.clipX1;
    } else {
      w = -1;
    }
  }
  if (X + w > state.clipX2) w = state.clipX2 - X;
  if (w < 1) return;
  if (Y < state.clipY1) {
    if (Y + h >= state.clipY1) {
      h -= state.clipY1 - Y;
      Y = state.clipY1;
    } else {
      h = -1;
    }
  }
  if (Y + h > state.clipY2) h = state.clipY2 - Y;
  if (h < 1) return;
  const uint32_t c = state.colour;
  const int32_t a = int32_t(c >> 24);
  for (int64_t row = Y; row < Y + h; ++row)
    for (int64_t column = X; column < X + w; ++column) {
      uint16_t& d = pixelAt(target, column, row);
      if (a == 0xFF) {
        d = to565(c);
      } else {
        const int32_t R5 = ((d >> 11) * (256 - a) >> 8) + (int32_t((c >> 16) & 0xFF) * a >> 11);
        const int32_t G6 = (((d >> 5) & 63) * (256 - a) >> 8) + (int32_t((c >> 8) & 0xFF) * a >> 10);
        const int32_t B5 = ((d & 31) * (256 - a) >> 8) + (int32_t(c & 0xFF) * a >> 11);
        d = uint16_t(R5 << 11 | G6 << 5 | B5);
      }
    }
}

void drawLine(const Surface& target, const GraphicsState& state, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
  const int64_t W = state.clipX2 - state.clipX1, H = state.clipY2 - state.clipY1;
  if (W <= 0 || H <= 0) return;
  int64_t xa = x1 + state.translateX - state.clipX1, ya = y1 + state.translateY - state.clipY1;
  int64_t xb = x2 + state.translateX - state.clipX1, yb = y2 + state.translateY - state.clipY1;
  auto code = [&](int64_t x, int64_t y) { return (y < 0 ? 1 : 0) | (y >= H ? 2 : 0) | (x >= W ? 4 : 0) | (x < 0 ? 8 : 0); };
  using Wide = __int128;
  int rounds = 0;
  while (true) {
    const int ca = code(xa, ya), cb = code(xb, yb);
    if ((ca | cb) == 0) break;
    if ((ca & cb) || ++rounds > 16) return;
    const int c = ca ? ca : cb;
    int64_t x, y;
    if (c & 1) {
      x = int64_t(xa - Wide(xb - xa) * ya / (yb - ya));
      y = 0;
    } else if (c & 2) {
      x = int64_t(xa + Wide(H - ya) * (xb - xa) / (yb - ya));
      y = H - 1;
    } else if (c & 4) {
      y = int64_t(ya + Wide(W - xa) * (yb - ya) / (xb - xa));
      x = W - 1;
    } else {
      y = int64_t(ya - Wide(yb - ya) * xa / (xb - xa));
      x = 0;
    }
    if (c == ca) {
      xa = x;
      ya = y;
    } else {
      xb = x;
      yb = y;
    }
  }
  const int64_t dx = xb - xa, dy = yb - ya;
  const bool alongX = !(std::llabs(dy) > std::llabs(dx));
  const int64_t major = alongX ? std::llabs(dx) : std::llabs(dy), minor = alongX ? std::llabs(dy) : std::llabs(dx);
  const int64_t sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
  int64_t error = 2 * minor - major, x = xa, y = ya;
  const uint32_t c = state.colour;
  const int32_t a = int32_t(c >> 24);
  const uint16_t s = to565(c);
  for (int64_t i = 0; i <= major; ++i) {
    uint16_t& d = pixelAt(target, x + state.clipX1, y + state.clipY1);
    d = a == 0xFF ? s : towards(d, s >> 11, (s >> 5) & 63, s & 31, a);
    if (alongX) x += sx; else y += sy;
    if (error >= 0) {
      if (alongX) y += sy; else x += sx;
      error -= 2 * major;
    }
    error += 2 * minor;
  }
}

void drawRect(const Surface& target, const GraphicsState& state, int32_t x, int32_t y, int32_t w, int32_t h) {
  drawLine(target, state, x, y, int64_t(x) + w, y);
  drawLine(target, state, x, y, x, int64_t(y) + h);
  drawLine(target, state, int64_t(x) + w, y, int64_t(x) + w, int64_t(y) + h);
  drawLine(target, state, x, int64_t(y) + h, int64_t(x) + w, int64_t(y) + h);
}

void drawArc(const Surface& target, const GraphicsState& state, int32_t x, int32_t y, int32_t w, int32_t h,
             int32_t startAngle, int32_t arcAngle, bool filled) {
  int64_t start = startAngle, sweep = arcAngle;
  if (sweep < 0) {
    start += sweep;
    sweep = -sweep;
  }
  while (start < 0) start += 360;
  while (start > 360) start -= 360;
  int64_t end = start + sweep;
  while (end > 360) end -= 360;
  const bool quadrant[4] = {start == 0 && end >= 90, start <= 90 && end >= 180, start <= 180 && end >= 270,
                            start <= 270 && end == 360};
  const int64_t a = w >> 1, b = h >> 1, cx = x + a, cy = y + b;
  auto visit = [&](int64_t dx, int64_t dy) {
    for (int q = 0; q < 4; ++q) {
      if (!quadrant[q]) continue;
      const int64_t px = (q == 1 || q == 2) ? cx - dx : cx + dx, py = q < 2 ? cy - dy : cy + dy;
      if (filled)
        fillRect(target, state, (q == 1 || q == 2) ? px : cx, py, dx + 1, 1);
      else
        fillRect(target, state, px, py, 1, 1);
    }
  };
  // Midpoint ellipse with the decision values kept in 16.16 fixed point.
  using Wide = __int128;
  const Wide a2 = Wide(a) * a, b2 = Wide(b) * b, one = Wide(1) << 16, half = one / 2;
  int64_t px = 0, py = b;
  Wide d1 = (b2 * one - a2 * b * one + a2 * one / 4 + half) >> 16;
  while (2 * b2 * px < 2 * a2 * py) {
    visit(px, py);
    if (d1 < 0) {
      ++px;
      d1 += 2 * b2 * px + b2;
    } else {
      ++px;
      --py;
      d1 += 2 * b2 * px - 2 * a2 * py + b2;
    }
  }
  const Wide xHalf = Wide(px) * one + half;
  Wide d2 = ((b2 * xHalf * xHalf >> 16) + a2 * Wide(py - 1) * (py - 1) * one - a2 * b2 * one + half) >> 16;
  while (py >= 0) {
    visit(px, py);
    if (d2 > 0) {
      --py;
      d2 += a2 - 2 * a2 * py;
    } else {
      --py;
      ++px;
      d2 += 2 * b2 * px - 2 * a2 * py + a2;
    }
  }
}

void fillTriangle(const Surface& target, const GraphicsState& state, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                  int32_t x3, int32_t y3) {
  int64_t xs[3] = {x1, x2, x3}, ys[3] = {y1, y2, y3};
  for (int pass = 0; pass < 2; ++pass)
    for (int i = 0; i < 2; ++i)
      if (ys[i] > ys[i + 1]) {
        std::swap(ys[i], ys[i + 1]);
        std::swap(xs[i], xs[i + 1]);
      }
  auto slope = [](int64_t xa, int64_t ya, int64_t xb, int64_t yb) -> int64_t {
    return yb == ya ? 0 : ((xb - xa) << 8) / (yb - ya);
  };
  const int64_t d12 = slope(xs[0], ys[0], xs[1], ys[1]), d13 = slope(xs[0], ys[0], xs[2], ys[2]),
                d23 = slope(xs[1], ys[1], xs[2], ys[2]);
  int64_t left = xs[0] << 8, right = xs[0] << 8;
  if (ys[0] == ys[1]) {
    left = std::min(xs[0], xs[1]) << 8;
    right = std::max(xs[0], xs[1]) << 8;
  }
  for (int64_t y = ys[0]; y < ys[1]; ++y) {
    fillRect(target, state, left >> 8, y, (right >> 8) - (left >> 8), 1);
    left += std::min(d12, d13);
    right += std::max(d12, d13);
  }
  for (int64_t y = ys[1]; y <= ys[2]; ++y) {
    fillRect(target, state, left >> 8, y, (right >> 8) - (left >> 8), 1);
    left += std::max(d13, d23);
    right += std::min(d13, d23);
  }
}

uint32_t drawRGB(const Surface& target, const GraphicsState& state, const int32_t* rgbData, size_t rgbLength,
                 int32_t offset, int32_t scanLength, int32_t x, int32_t y, int32_t w, int32_t h, bool processAlpha) {
  if (!rgbData) return raster::rgbcheck::nullData;
  const int64_t X = int64_t(x) + state.translateX, Y = int64_t(y) + state.translateY;
  int64_t Xc = X, Yc = Y, wc = w, hc = h;
  if (Xc < state.clipX1) {
    if (Xc + wc >= state.clipX1) {
      wc -= state.clipX1 - Xc;
      Xc = state.clipX1;
    } else {
      wc = -1;
    }
  }
  if (Xc + wc > state.clipX2) wc = state.clipX2 - Xc;
  if (wc < 1) return 0;
  if (Yc < state.clipY1) {
    if (Yc + hc >= state.clipY1) {
      hc -= state.clipY1 - Yc;
      Yc = state.clipY1;
    } else {
      hc = -1;
    }
  }
  if (Yc + hc > state.clipY2) hc = state.clipY2 - Yc;
  if (hc < 1) return 0;
  uint32_t checks = 0;
  const __int128 first = __int128(offset) + __int128(Yc - Y) * scanLength + (Xc - X);
  for (int64_t row = 0; row < hc; ++row)
    for (int64_t column = 0; column < wc; ++column) {
      const __int128 index = first + __int128(row) * scanLength + column;
      if (index < 0 || index >= __int128(rgbLength)) {
        checks |= raster::rgbcheck::sourceOutside;
        continue;
      }
      const uint32_t e = uint32_t(rgbData[size_t(index)]);
      uint16_t& d = pixelAt(target, Xc + column, Yc + row);
      const uint32_t A = e >> 24, R = (e >> 16) & 0xFF, G = (e >> 8) & 0xFF, B = e & 0xFF;
      if (target.pixelType == raster::argb4444)
        d = uint16_t((A >> 4) << 12 | (R >> 4) << 8 | (G >> 4) << 4 | (B >> 4));
      else if (!processAlpha || A == 255)
        d = to565(e);
      else if (A != 0)
        d = towards(d, int32_t(R >> 3), int32_t(G >> 2), int32_t(B >> 3), int32_t(A));
    }
  return checks;
}

uint32_t drawRegion(const Surface& target, const GraphicsState& state, const Surface* source, int32_t xSource,
                    int32_t ySource, int32_t width, int32_t height, int32_t transform, int32_t xDest, int32_t yDest,
                    int32_t anchor) {
  using namespace raster::regioncheck;
  if (transform < 0 || transform > 7) return badTransform;
  static const int flagTable[8] = {0, 2, 1, 3, 6, 4, 7, 5};
  const int flags = flagTable[transform];
  int64_t w = width, h = height, xs = xSource, ys = ySource;
  const bool turned = transform >= 4;
  const int64_t drawnW = turned ? h : w, drawnH = turned ? w : h;
  int64_t X = int64_t(xDest) + state.translateX, Y = int64_t(yDest) + state.translateY;
  if (anchor & 1) X -= drawnW >> 1; else if (anchor & 8) X -= drawnW;
  if (anchor & 2) Y -= drawnH >> 1; else if (anchor & 32) Y -= drawnH;
  auto drawnWidth = [&] { return turned ? h : w; };
  auto drawnHeight = [&] { return turned ? w : h; };
  if (X < state.clipX1) {
    const int64_t k = state.clipX1 - X;
    if (!(flags & 4)) {
      if (!(flags & 1)) xs += k;
      w -= k;
    } else {
      if (flags & 2) ys += k;
      h -= k;
    }
    X = state.clipX1;
  }
  if (X + drawnWidth() > state.clipX2) {
    const int64_t k = X + drawnWidth() - state.clipX2;
    if (!(flags & 4)) {
      if (flags & 1) xs += k;
      w -= k;
    } else {
      if (!(flags & 2)) ys += k;
      h -= k;
    }
  }
  if (Y < state.clipY1) {
    const int64_t k = state.clipY1 - Y;
    if (!(flags & 4)) {
      if (!(flags & 2)) ys += k;
      h -= k;
    } else {
      if (!(flags & 1)) xs += k;
      w -= k;
    }
    Y = state.clipY1;
  }
  if (Y + drawnHeight() > state.clipY2) {
    const int64_t k = Y + drawnHeight() - state.clipY2;
    if (!(flags & 4)) {
      if (flags & 2) ys += k;
      h -= k;
    } else {
      if (flags & 1) xs += k;
      w -= k;
    }
  }
  if (w < 1 || h < 1) return 0;
  if (!source || !source->pixels) return nullSource;
  uint32_t checks = 0;
  if (xs < 0 || xs + w > source->width) checks |= sourceX;
  if (ys < 0 || ys + h > source->height) checks |= sourceY;
  if (source->pixelType < 0 || source->pixelType > 2) return checks | badPixelType;
  // First destination pixel and the steps, in pixels.
  int64_t firstX = X, firstY = Y, pixelStepX = 0, pixelStepY = 0, rowStepX = 0, rowStepY = 0;
  switch (transform) {
    case 0: pixelStepX = 1; rowStepY = 1; break;
    case 1: firstY = Y + h - 1; pixelStepX = 1; rowStepY = -1; break;
    case 2: firstX = X + w - 1; pixelStepX = -1; rowStepY = 1; break;
    case 3: firstX = X + w - 1; firstY = Y + h - 1; pixelStepX = -1; rowStepY = -1; break;
    case 4: pixelStepY = 1; rowStepX = 1; break;
    case 5: firstX = X + h - 1; pixelStepY = 1; rowStepX = -1; break;
    case 6: firstY = Y + w - 1; pixelStepY = -1; rowStepX = 1; break;
    case 7: firstX = X + h - 1; firstY = Y + w - 1; pixelStepY = -1; rowStepX = -1; break;
  }
  for (int64_t r = 0; r < h; ++r)
    for (int64_t c = 0; c < w; ++c) {
      const int64_t sx = xs + c, sy = ys + r;
      if (sx < 0 || sy < 0 || sx >= source->width || sy >= source->height) continue;
      const uint16_t s = source->pixels[sy * (source->pitch / 2) + sx];
      uint16_t& d = pixelAt(target, firstX + c * pixelStepX + r * rowStepX, firstY + c * pixelStepY + r * rowStepY);
      if (source->pixelType == 0) {
        d = s;
      } else if (source->pixelType == 1) {
        if (s != 0xF81F) d = s;
      } else {
        d = towards(d, ((s >> 8) & 15) * 2, ((s >> 4) & 15) * 4, (s & 15) * 2, (s >> 12) * 17);
      }
    }
  return checks;
}

}  // namespace reference
