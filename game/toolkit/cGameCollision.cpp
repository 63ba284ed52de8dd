// The collision table: cell bits made from the collision layer, stamped and
// cleared by the world, and the point, box and segment tests over it.
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/toolkit/cGameAlias.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"

namespace {

constexpr int32_t cellSize = 32;
constexpr int32_t dynamicBits = 0x8C;
constexpr int32_t staticBits = 0x73;
constexpr int32_t spriteBoxBit = 8;

ObjectArray* table() { return toolkitStatics().cGameCollision.collisionMap; }

// The cell of a pixel: truncating toward zero, so -31..31 all fall in cell 0.
int32_t cellOf(int32_t pixel) { return pixel / cellSize; }

// The column's bytes, or null outside the table.
ByteArray* columnOf(int32_t cx) {
  ObjectArray* map = table();
  if (map == nullptr || cx < 0 || cx >= map->length()) return nullptr;
  return static_cast<ByteArray*>(map->get(cx));
}

int32_t cellValue(ByteArray* column, int32_t cy) { return column->get(cy) & 0xFF; }

bool insideColumn(ByteArray* column, int32_t cy) { return column != nullptr && cy >= 0 && cy < column->length(); }

int32_t cellFromTile(int32_t tile) {
  switch (tile) {
    case 2: return 2;
    case 3: return 32;
    case 4: return 3;
    case 6: return 68;
    case 255: return 1;
    default: return 0;
  }
}

// 24.8 to pixels, rounded.
int32_t toPixel(int32_t v) { return (v + 128) >> 8; }

int32_t magnitude(int32_t v) { return v < 0 ? -v : v; }

}  // namespace

void cGameToolkit::createCollisionMap(int32_t columns, int32_t rows) {
  cGameCollisionStatics& s = toolkitStatics().cGameCollision;
  s.collisionMap = nullptr;
  if (columns < 0 || rows < 0) {
    debugLog("createCollisionMap: %d x %d cells is no table", columns, rows);
    return;
  }
  ObjectArray* map = newObjectArray(columns);
  if (map == nullptr) return;
  s.collisionMap = map;
  for (int32_t cx = 0; cx < columns; ++cx) {
    ByteArray* column = newByteArray(rows);
    if (column == nullptr) {
      s.collisionMap = nullptr;
      return;
    }
    map->set(cx, column);
  }
}

void cGameToolkit::buildCollisionFromLayer(int32_t n) {
  ObjectArray* map = table();
  if (map == nullptr) return;
  // Only a built layer holds tiles; cells beyond it are free.
  const bool built = CVLibPlayer::isLayerBuilt(n);
  const int32_t layerColumns = built ? CVLibPlayer::getLayerColumns(n) : 0;
  const int32_t layerRows = built ? CVLibPlayer::getLayerRows(n) : 0;
  for (int32_t cx = 0; cx < map->length(); ++cx) {
    auto* column = static_cast<ByteArray*>(map->get(cx));
    for (int32_t cy = 0; cy < column->length(); ++cy) {
      const bool inLayer = cx < layerColumns && cy < layerRows;
      const int32_t value = inLayer ? cellFromTile(CVLibPlayer::getLayerTile(n, cx, cy)) : 0;
      column->set(cy, static_cast<int8_t>(value));
    }
  }
}

void cGameToolkit::clearDynamicBlocking() {
  ObjectArray* map = table();
  if (map == nullptr) return;
  for (int32_t cx = 0; cx < map->length(); ++cx) {
    auto* column = static_cast<ByteArray*>(map->get(cx));
    for (int32_t cy = 0; cy < column->length(); ++cy) {
      const int32_t value = cellValue(column, cy);
      if ((value & dynamicBits) != 0) column->set(cy, static_cast<int8_t>(value & staticBits));
    }
  }
}

bool cGameToolkit::testCollision(int32_t cx, int32_t cy, int32_t mask) {
  ByteArray* column = columnOf(cx);
  return insideColumn(column, cy) && (cellValue(column, cy) & mask) != 0;
}

bool cGameToolkit::isBlockedAt(int32_t x, int32_t y, int32_t mask) {
  return testCollision(cellOf(x), cellOf(y), mask) || testCollision(cellOf(x - 16), cellOf(y + 15), mask) ||
         testCollision(cellOf(x + 15), cellOf(y + 15), mask) || testCollision(cellOf(x - 16), cellOf(y - 16), mask) ||
         testCollision(cellOf(x + 15), cellOf(y - 16), mask);
}

bool cGameToolkit::isBlockedVertical(int32_t x, int32_t y, int32_t mask) {
  return testCollision(cellOf(x), cellOf(y + 15), mask) || testCollision(cellOf(x), cellOf(y - 16), mask);
}

bool cGameToolkit::isBlockedHorizontal(int32_t x, int32_t y, int32_t mask) {
  return testCollision(cellOf(x - 16), cellOf(y), mask) || testCollision(cellOf(x + 15), cellOf(y), mask);
}

void cGameToolkit::markSpriteBox(Object* actor, ASprite* sprite, int32_t anim, int32_t x, int32_t y,
                                 bool fullHeight, int32_t mode) {
  if (actor == nullptr || table() == nullptr || sprite == nullptr) return;
  if (anim < 0 || anim >= sprite->getAnimCount() || sprite->getAFrameCount(anim) <= 0) return;
  const int32_t frame = sprite->getAFrameFrame(anim, 0);
  const int32_t w = sprite->getFrameWidth(frame);
  const int32_t h = sprite->getFrameHeight(frame);
  int32_t columnCount = (w + 16) >> 5;
  int32_t firstColumn = cellOf(x - ((w + 16) >> 1) + 16);
  if (w < 16) {
    firstColumn = cellOf(x);
    columnCount = 1;
  }
  const int32_t rowCount = fullHeight ? h / cellSize : 1;
  const int32_t firstRow = fullHeight ? cellOf(y - h) : cellOf(y - 16);
  if (mode != 0 && mode != 1) return;
  for (int32_t cx = firstColumn; cx < firstColumn + columnCount; ++cx) {
    ByteArray* column = columnOf(cx);
    for (int32_t cy = firstRow; cy < firstRow + rowCount; ++cy) {
      if (!insideColumn(column, cy)) continue;
      const int32_t value = cellValue(column, cy);
      column->set(cy, static_cast<int8_t>(mode == 0 ? value | spriteBoxBit : value & ~spriteBoxBit));
    }
  }
}

bool cGameToolkit::lineBlocked(int32_t x0, int32_t y0, int32_t x1, int32_t y1, IntArray* stopOut, bool inPixels,
                               int32_t mask, int32_t requiredMask, int32_t halfWidth, int32_t sideMask,
                               IntArray* sideOut) {
  if (inPixels) {
    x0 *= 256;
    y0 *= 256;
    x1 *= 256;
    y1 *= 256;
  }
  const int32_t dx = x1 - x0;
  const int32_t dy = y1 - y0;
  const int32_t cellsX = magnitude(toPixel(dx)) / cellSize;
  const int32_t cellsY = magnitude(toPixel(dy)) / cellSize;
  const int32_t steps = 2 * ((cellsX > cellsY ? cellsX : cellsY) + 1);
  auto store = [](IntArray* out, int32_t x, int32_t y) {
    if (out == nullptr || out->length() < 2) return;
    out->set(0, x);
    out->set(1, y);
  };
  store(stopOut, x0, y0);
  store(sideOut, x0, y0);
  const int32_t stepX = dx / steps;
  const int32_t stepY = dy / steps;
  const bool mostlyHorizontal = magnitude(dx) > magnitude(dy);
  int32_t x = x0;
  int32_t y = y0;
  for (int32_t step = 0; step < steps; ++step) {
    x += stepX;
    y += stepY;
    const int32_t cx = toPixel(x) >> 5;
    const int32_t cy = toPixel(y) >> 5;
    for (int32_t k = -halfWidth; k <= halfWidth; ++k) {
      const int32_t testX = mostlyHorizontal ? cx : cx + k;
      const int32_t testY = mostlyHorizontal ? cy + k : cy;
      ByteArray* column = columnOf(testX);
      if (!insideColumn(column, testY)) continue;
      const int32_t value = cellValue(column, testY);
      const bool blocked = (value & (k == 0 ? mask : sideMask)) != 0 ||
                           (requiredMask != 0 && (value & requiredMask) == 0);
      if (!blocked) continue;
      store(stopOut, x, y);
      if (mostlyHorizontal)
        store(sideOut, x, y + k * 8192);
      else
        store(sideOut, x + k * 8192, y);
      return true;
    }
  }
  store(stopOut, x1, y1);
  store(sideOut, x1, y1);
  return false;
}
