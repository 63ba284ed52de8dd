// Painting the tile layers: straight from the tiles (direct mode), or from
// a buffer a little larger than the view into which only newly exposed tile
// rows and columns are drawn (pre-rendered mode).
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/CVLibPlayerLayerTables.h"
#include "game/toolkit/ToolkitStatics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/glue/JavaArithmetic.h"
#include "runtime/lang/Arrays.h"

using Graphics = javax_microedition_lcdui_Graphics;
using Image = javax_microedition_lcdui_Image;
using namespace layertables;

namespace {

struct Clip {
  int32_t x, y, w, h;
};

Clip clipOf(Graphics* g) {
  if (g == nullptr) return {0, 0, 0, 0};
  return {g->getClipX(), g->getClipY(), g->getClipWidth(), g->getClipHeight()};
}

void restoreClip(Graphics* g, const Clip& clip) { g->setClip(clip.x, clip.y, clip.w, clip.h); }

// v mod m in 0..m-1.
int32_t wrapInto(int32_t v, int32_t m) {
  if (m <= 0) return v;
  const int32_t r = javaRemainder(v, m);
  return r < 0 ? r + m : r;
}

// First tile of a scroll: a negative scroll starts one tile further left, as
// the division truncates toward zero.
int32_t firstTileOf(int32_t scroll, int32_t tile) {
  return javaDivide(scroll >= 0 ? scroll : scroll - tile, tile);
}

int32_t ceilingDivide(int32_t a, int32_t b) { return javaDivide(a + b - 1, b); }

struct Range {
  int32_t first, span, origin;  // span inclusive; origin in pixels
};

// Fits a column (or row) range to the layer as its flags say. False when
// nothing remains.
bool fitRange(Range& r, int32_t count, int32_t tile, int32_t buffer, bool wraps, bool clamps, bool preRendered) {
  if (wraps) {
    r.first = wrapInto(r.first, count);
    return true;
  }
  if (clamps) return true;
  if (r.first < 0) {
    r.span += r.first;
    r.origin += tile * -r.first;
    if (preRendered) r.origin = wrapInto(r.origin, buffer);
    r.first = 0;
  }
  if (r.first + r.span >= count) r.span = count - r.first - 1;
  return r.span >= 0;
}

void paintTile(Graphics* g, ASprite* sprite, int32_t tile, int32_t attribute, int32_t x, int32_t y, int32_t tileWidth,
               int32_t tileHeight) {
  if (sprite == nullptr) return;
  if (sprite->getFrameCount() > 0) {
    if (tile >= sprite->getFrameCount()) return;
    spritePainterCalls().paintFrame(sprite, g, tile, x + ((attribute & 1) != 0 ? tileWidth : 0),
                                    y + ((attribute & 2) != 0 ? tileHeight : 0), attribute);
  } else if (tile < sprite->getModuleCount()) {
    spritePainterCalls().paintModule(sprite, g, tile, x, y, attribute);
  }
}

// The held range of rows (or columns) newly exposed by [first, last].
struct NewRange {
  bool changed;
  bool movedBack;  // up (or left): the new cells come before the held ones
  int32_t first, last;
};

NewRange exposedRange(int32_t heldFirst, int32_t heldLast, int32_t first, int32_t last) {
  if (heldFirst == first && heldLast == last) return {false, false, 0, -1};
  if (heldFirst >= first && heldLast >= last) return {true, true, first, heldFirst <= last ? heldFirst - 1 : last};
  return {true, false, heldLast >= first ? heldLast + 1 : first, last};
}

void paintOneLayer(Graphics* g, int32_t x, int32_t y, int32_t n) {
  IntArray* p = record(n);
  if (p == nullptr || p->get(layerprop::shownA) != 1 || p->get(layerprop::shownB) != 1) return;
  const int32_t viewWidth = viewValue(0);
  const int32_t viewHeight = viewValue(1);
  const int32_t tileWidth = viewValue(2);
  const int32_t tileHeight = viewValue(5);
  const int32_t flags = p->get(layerprop::flags);
  int32_t sx = p->get(layerprop::scrollX);
  int32_t sy = p->get(layerprop::scrollY);
  const int32_t c0 = firstTileOf(sx, tileWidth);
  const int32_t r0 = firstTileOf(sy, tileHeight);

  if ((flags & layerflag::preRendered) == 0) {
    if (g == nullptr) return;
    CVLibPlayer::drawTiles(g, n, c0, r0, ceilingDivide(viewWidth, tileWidth), ceilingDivide(viewHeight, tileHeight),
                           x + tileWidth * c0 - sx, y + tileHeight * r0 - sy);
    return;
  }

  const int32_t bufferWidth = p->get(layerprop::bufferWidth);
  const int32_t bufferHeight = p->get(layerprop::bufferHeight);
  auto* buffer = static_cast<Image*>(holder(layerStatics().layerImages, n)->get(0));
  auto* bufferGraphics = static_cast<Graphics*>(holder(layerStatics().layerGraphics, n)->get(0));
  if (buffer == nullptr || bufferGraphics == nullptr || bufferWidth <= 0 || bufferHeight <= 0) return;
  const Clip saved = clipOf(g);
  const int32_t c1 = c0 + bufferWidth / tileWidth - 1;
  const int32_t r1 = r0 + bufferHeight / tileHeight - 1;

  const NewRange rows = exposedRange(p->get(layerprop::heldFirstRow), p->get(layerprop::heldLastRow), r0, r1);
  const NewRange columns =
      exposedRange(p->get(layerprop::heldFirstColumn), p->get(layerprop::heldLastColumn), c0, c1);
  if (columns.changed) {
    // The new columns over the rows the buffer already holds; new rows get
    // their whole width below.
    int32_t firstRow = r0;
    int32_t lastRow = r1;
    if (rows.changed) {
      if (rows.movedBack)
        firstRow = rows.last + 1;
      else
        lastRow = rows.first - 1;
    }
    if (lastRow >= firstRow)
      CVLibPlayer::drawTiles(bufferGraphics, n, columns.first, firstRow, columns.last - columns.first,
                             lastRow - firstRow, 0, 0);
    p->set(layerprop::heldFirstColumn, c0);
    p->set(layerprop::heldLastColumn, c1);
  }
  if (rows.changed) {
    CVLibPlayer::drawTiles(bufferGraphics, n, c0, rows.first, c1 - c0, rows.last - rows.first, 0, 0);
    p->set(layerprop::heldFirstRow, r0);
    p->set(layerprop::heldLastRow, r1);
  }
  if (g == nullptr) return;

  bool edge = false;
  auto fitScroll = [&edge](int32_t& scroll, int32_t& screen, int32_t buffer, int32_t size, int32_t view,
                           bool keeps) {
    if (keeps) {
      scroll = wrapInto(scroll, buffer);
    } else if (scroll < 0) {
      screen -= scroll;
      scroll = 0;
      edge = true;
    } else if (scroll > size - view) {
      screen += size - scroll - view;
      scroll = size - view;
      edge = true;
    }
  };
  fitScroll(sx, x, bufferWidth, p->get(layerprop::widthPixels), viewWidth,
            (flags & (layerflag::wrapX | layerflag::clampX)) != 0);
  fitScroll(sy, y, bufferHeight, p->get(layerprop::heightPixels), viewHeight,
            (flags & (layerflag::wrapY | layerflag::clampY)) != 0);
  const int32_t bx = wrapInto(sx, bufferWidth);
  const int32_t by = wrapInto(sy, bufferHeight);
  const int32_t ex = wrapInto(sx + viewWidth, bufferWidth);
  const int32_t ey = wrapInto(sy + viewHeight, bufferHeight);
  const int32_t screenWidth = toolkitStatics().cGameDraw.screenWidth;
  const int32_t screenHeight = toolkitStatics().cGameDraw.screenHeight;
  restoreClip(g, saved);
  auto copy = [&](int32_t srcX, int32_t srcY, int32_t w, int32_t h, int32_t toX, int32_t toY) {
    if (edge && (toX > screenWidth || toY > screenHeight || toX + w < 0 || toY + h < 0)) return;
    g->clipRect(toX, toY, w, h);
    if (edge) g->clipRect(0, 0, screenWidth, screenHeight);
    g->drawImage(buffer, toX - srcX, toY - srcY, 0);
    restoreClip(g, saved);
  };
  const int32_t w = viewWidth;
  const int32_t h = viewHeight;
  if (ex > bx && ey > by) {
    copy(bx, by, w, h, x, y);
  } else if (ex > bx) {
    copy(bx, by, w, h - ey, x, y);
    copy(bx, 0, w, ey, x, y + h - ey);
  } else if (ey > by) {
    copy(bx, by, w - ex, h, x, y);
    copy(0, by, ex, h, x + w - ex, y);
  } else {
    copy(bx, by, w - ex, h - ey, x, y);
    copy(bx, 0, w - ex, ey, x, y + h - ey);
    copy(0, by, ex, h - ey, x + w - ex, y);
    copy(0, 0, ex, ey, x + w - ex, y + h - ey);
  }
}

}  // namespace

void CVLibPlayer::paintLayers(Graphics* g, int32_t x, int32_t y, int32_t n) {
  if (!validLayer(n == -1 ? 0 : n)) return;
  if (n != -1) {
    paintOneLayer(g, x, y, n);
    return;
  }
  for (int32_t layer = 0; layer < layerStatics().layerCount; ++layer) paintOneLayer(g, x, y, layer);
}

void CVLibPlayer::drawTiles(Graphics* g, int32_t n, int32_t column, int32_t row, int32_t columnSpan,
                            int32_t rowSpan, int32_t x, int32_t y) {
  IntArray* p = record(n);
  ByteArray* tiles = plane(n, 0);
  if (g == nullptr || p == nullptr || tiles == nullptr) return;
  const int32_t tileWidth = viewValue(2);
  const int32_t tileHeight = viewValue(5);
  const int32_t columns = p->get(layerprop::columns);
  const int32_t rows = p->get(layerprop::rows);
  const int32_t flags = p->get(layerprop::flags);
  const int32_t bufferWidth = p->get(layerprop::bufferWidth);
  const int32_t bufferHeight = p->get(layerprop::bufferHeight);
  const bool preRendered = (flags & layerflag::preRendered) != 0;
  if (columns <= 0 || rows <= 0 || (preRendered && (bufferWidth <= 0 || bufferHeight <= 0))) return;
  if (preRendered) {
    x += wrapInto(tileWidth * column, bufferWidth);
    y += wrapInto(tileHeight * row, bufferHeight);
  }
  Range across{column, columnSpan, x};
  Range down{row, rowSpan, y};
  if (!fitRange(across, columns, tileWidth, bufferWidth, (flags & layerflag::wrapX) != 0,
                (flags & layerflag::clampX) != 0, preRendered) ||
      !fitRange(down, rows, tileHeight, bufferHeight, (flags & layerflag::wrapY) != 0,
                (flags & layerflag::clampY) != 0, preRendered))
    return;
  ByteArray* attributes = plane(n, 1);
  ASprite* sprite = layerSprite(n);
  const Clip saved = clipOf(g);
  int32_t r = down.first;
  int32_t cellY = down.origin;
  for (int32_t rowStep = 0; rowStep <= down.span; ++rowStep) {
    if (r >= rows) {
      if ((flags & layerflag::wrapY) == 0) break;
      r = 0;
    }
    int32_t c = across.first;
    int32_t cellX = across.origin;
    for (int32_t columnStep = 0; columnStep <= across.span; ++columnStep) {
      if (c >= columns) {
        if ((flags & layerflag::wrapX) == 0) break;
        c = 0;
      }
      // A range the clamp left unadjusted may reach past the map's edges.
      const bool inside = c >= 0 && r >= 0;
      const int32_t index = c + columns * r;
      if (inside && index < tiles->length()) {
        const int32_t tile = tiles->get(index) & 0xFF;
        if (tile != CVLibPlayer::emptyTile) {
          const int32_t attribute =
              attributes != nullptr && index < attributes->length() ? attributes->get(index) & 0xFF : 0;
          g->clipRect(cellX, cellY, tileWidth, tileHeight);
          paintTile(g, sprite, tile, attribute, cellX, cellY, tileWidth, tileHeight);
          restoreClip(g, saved);
        }
      }
      c += 1;
      cellX += tileWidth;
      if (preRendered && cellX >= bufferWidth) cellX = 0;
    }
    r += 1;
    cellY += tileHeight;
    if (preRendered && cellY >= bufferHeight) cellY = 0;
  }
}
