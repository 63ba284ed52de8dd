// Blits of ARGB blocks, anti-aliased lines and translucent fills: everything
// goes through drawRGB with alpha processing, so the target keeps its
// RGB565 store and the Graphics natives blend.
#include <algorithm>
#include <cstdlib>

#include "game/toolkit/SharedPixelBuffer.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/toolkit/TransformRGB.h"
#include "game/toolkit/cGameAlias.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/glue/ElementAccess.h"
#include "runtime/glue/JavaArithmetic.h"
#include "runtime/lang/Arrays.h"

using Graphics = javax_microedition_lcdui_Graphics;
using Image = javax_microedition_lcdui_Image;

namespace {

constexpr int32_t colourBlockSide = 64;
constexpr int32_t colourBlockLength = colourBlockSide * colourBlockSide;

cGameDrawStatics& drawing() { return toolkitStatics().cGameDraw; }

// The block when it is there, else a new int[colourBlockLength]; all of it
// set to argb. Null when the object heap is full.
IntArray* fillColourBlock(IntArray*& block, int32_t argb) {
  if (block == nullptr) block = newIntArray(colourBlockLength);
  if (block == nullptr || block->elements() == nullptr) return nullptr;
  std::fill_n(block->elements(), block->length(), argb);
  return block;
}

}  // namespace

void cGame::fillRect(Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h) {
  if (objectIsUsable(g)) g->fillRect(x, y, w, h);
}

void cGame::drawRGBTransformed(Graphics* g, IntArray* pixels, int32_t offset, int32_t scan, int32_t x, int32_t y,
                               int32_t w, int32_t h, bool processAlpha, bool ignored, int32_t transform) {
  (void)ignored;
  if ((transform & 7) != 0) {
    if ((transform & 4) != 0) std::swap(w, h);
    pixels = transformRGB(pixels, w, h, transform);
    if (pixels == nullptr) return;
    // The turned block is tight and starts at 0.
    offset = 0;
    scan = w;
  }
  // A scan of 0 would divide by zero; offset alone gives the same start.
  const int32_t srcX = scan != 0 ? javaRemainder(offset, scan) : offset;
  const int32_t srcY = scan != 0 ? javaDivide(offset, scan) : 0;
  drawRGBClipped(g, drawing().screenWidth, drawing().screenHeight, pixels, scan, srcX, srcY, x, y, w, h, processAlpha);
}

void cGame::drawRGBClipped(Graphics* g, int32_t limitW, int32_t limitH, IntArray* pixels, int32_t scan, int32_t srcX,
                           int32_t srcY, int32_t x, int32_t y, int32_t w, int32_t h, bool processAlpha) {
  if (!objectIsUsable(g)) return;
  int32_t offset = srcX + scan * srcY;
  if (g == drawing().screenGraphics) {
    if (x >= limitW || x + w < 1 || y >= limitH || y + h < 1) return;
    if (x < 1) {
      offset -= x;
      w += x;
      x = 0;
    }
    w = std::min(w, limitW - x);
    h = std::min(h, limitH - y);
    if (y < 1) {
      h += y;
      offset -= y * scan;
      y = 0;
    }
  }
  g->drawRGB(pixels, offset, scan, x, y, w, h, processAlpha);
}

void cGame::drawLineRGB(Graphics* g, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t rgb, int32_t alpha0,
                        int32_t alpha1) {
  // Walked along the longer axis, upward, in 16.16: each step writes two
  // pixels across the line, weighted by where the line passes between them.
  const bool alongX = std::abs(x1 - x0) > std::abs(y1 - y0);
  int32_t from = alongX ? x0 : y0, to = alongX ? x1 : y1;
  int32_t across0 = alongX ? y0 : x0, across1 = alongX ? y1 : x1;
  if (to < from) {
    std::swap(from, to);
    std::swap(across0, across1);
    std::swap(alpha0, alpha1);
  }
  const int32_t length = to - from;
  const int32_t step = length != 0 ? ((across1 - across0) << 16) / length : 0;
  const int32_t alphaStep = length != 0 ? ((alpha1 - alpha0) << 16) / length : 0;
  int32_t position = (across0 << 16) + step;
  int32_t alpha = alpha0 << 16;
  const uint32_t colour = uint32_t(rgb) & 0xFFFFFF;
  // A line of no length still draws its one step.
  const int32_t end = length != 0 ? to : from + 1;
  for (int32_t along = from; along < end; ++along) {
    IntArray* buffer = sharedPixelBuffer();
    if (buffer == nullptr || buffer->elements() == nullptr) return;
    const uint32_t fraction = uint32_t(position) & 0xFFFF;
    int32_t* pair = buffer->elements();
    pair[0] = int32_t(((((0xFFFF - fraction) >> 8) * uint32_t(alpha)) & 0xFF000000u) | colour);
    pair[1] = int32_t((((fraction >> 8) * uint32_t(alpha)) & 0xFF000000u) | colour);
    const int32_t across = position >> 16;
    if (alongX) {
      drawRGBTransformed(g, buffer, 0, 1, along, across, 1, 2, true, true, 0);
    } else {
      drawRGBTransformed(g, buffer, 0, 2, across, along, 2, 1, true, true, 0);
    }
    position += step;
    alpha += alphaStep;
  }
}

void cGame::drawRectRGB(Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h, int32_t argb) {
  const int32_t alpha = int32_t(uint32_t(argb) >> 24), rgb = argb & 0xFFFFFF;
  drawLineRGB(g, x + 1, y, x + w, y, rgb, alpha, alpha);
  drawLineRGB(g, x, y, x, y + h, rgb, alpha, alpha);
  drawLineRGB(g, x + w, y + h, x + w, y, rgb, alpha, alpha);
  drawLineRGB(g, x + w + 1, y + h, x, y + h, rgb, alpha, alpha);
}

void cGame::drawThickLine(Graphics* g, int32_t width, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t rgb,
                          int32_t alpha0, int32_t alpha1) {
  const bool shiftY = std::abs(x1 - x0) > std::abs(y1 - y0);
  for (int32_t k = -(width >> 1); k < (width >> 1); ++k) {
    if (shiftY) {
      drawLineRGB(g, x0, y0 + k, x1, y1 + k, rgb, alpha0, alpha1);
    } else {
      drawLineRGB(g, x0 + k, y0, x1 + k, y1, rgb, alpha0, alpha1);
    }
  }
}

void cGame::setFillColor(int32_t argb) {
  cGameDrawStatics& statics = drawing();
  if (argb == statics.fillColour && statics.fillBlock != nullptr) return;
  statics.fillColour = argb;
  fillColourBlock(statics.fillBlock, argb);
}

void cGame::fillRectAlpha(Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h) {
  if (!objectIsUsable(g)) return;
  IntArray* block = drawing().fillBlock;
  if (block == nullptr) {
    logFailedCheck("fillRectAlpha: no fill colour");
    return;
  }
  const int32_t clipX = g->getClipX(), clipY = g->getClipY();
  const int32_t clipW = g->getClipWidth(), clipH = g->getClipHeight();
  const int64_t left = std::max<int64_t>(x, clipX), top = std::max<int64_t>(y, clipY);
  const int64_t right = std::min<int64_t>(int64_t{x} + w, int64_t{clipX} + clipW);
  const int64_t bottom = std::min<int64_t>(int64_t{y} + h, int64_t{clipY} + clipH);
  if (right <= left || bottom <= top) return;
  const int32_t areaW = int32_t(right - left), areaH = int32_t(bottom - top);
  g->setClip(int32_t(left), int32_t(top), areaW, areaH);
  if (int64_t{areaW} * areaH >= colourBlockLength) {
    for (int64_t tileY = top; tileY < bottom; tileY += colourBlockSide)
      for (int64_t tileX = left; tileX < right; tileX += colourBlockSide)
        drawRGBTransformed(g, block, 0, colourBlockSide, int32_t(tileX), int32_t(tileY), colourBlockSide,
                           colourBlockSide, true, true, 0);
  } else {
    drawRGBTransformed(g, block, 0, areaW, int32_t(left), int32_t(top), areaW, areaH, true, true, 0);
  }
  g->setClip(clipX, clipY, clipW, clipH);
}

Image* cGame::getColorImage(int32_t argb) {
  cGameDrawStatics& statics = drawing();
  if (statics.colourImage != nullptr && argb == statics.colourImageColour) return statics.colourImage;
  IntArray* buffer = fillColourBlock(statics.colourImageBuffer, argb);
  if (buffer == nullptr) return statics.colourImage;
  Image* image = Image::createRGBImage(buffer, colourBlockSide, colourBlockSide, true);
  if (image == nullptr) return statics.colourImage;
  statics.colourImage = image;
  statics.colourImageColour = argb;
  return image;
}
