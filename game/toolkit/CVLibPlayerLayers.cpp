// The tile layers: up to five grids of tiles held in CVLibPlayer's statics,
// their building, scrolling and cell reads. Painting is in
// CVLibPlayerLayerPainting.cpp.
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/CVLibPlayerLayerTables.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/toolkit/cGameAlias.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"

using Image = javax_microedition_lcdui_Image;

namespace layertables {

CVLibPlayerLayerStatics& layerStatics() { return toolkitStatics().CVLibPlayerLayers; }

bool validLayer(int32_t n) {
  const CVLibPlayerLayerStatics& s = layerStatics();
  return s.layersBuilt != 0 && n >= 0 && n < s.layerCount && s.properties != nullptr;
}

IntArray* record(int32_t n) {
  return validLayer(n) ? static_cast<IntArray*>(layerStatics().properties->get(n)) : nullptr;
}

int32_t viewValue(int32_t index) { return layerStatics().view->get(index); }

ByteArray* plane(int32_t n, int32_t which) {
  if (!validLayer(n)) return nullptr;
  auto* holder = static_cast<ObjectArray*>(layerStatics().planes->get(n));
  return holder != nullptr ? static_cast<ByteArray*>(holder->get(which)) : nullptr;
}

ASprite* layerSprite(int32_t n) {
  return validLayer(n) ? static_cast<ASprite*>(layerStatics().layerSprites->get(n)) : nullptr;
}

ObjectArray* holder(ObjectArray* table, int32_t n) {
  return validLayer(n) ? static_cast<ObjectArray*>(table->get(n)) : nullptr;
}

}  // namespace layertables

using namespace layertables;

void CVLibPlayer::clinit() {
  CVLibPlayerLayerStatics& s = layerStatics();
  s.timeUnit = 62;
  s.layerCount = layerCount;
}

void CVLibPlayer::initLayerTables(int32_t viewWidth, int32_t viewHeight, int32_t tileWidth, int32_t tileHeight) {
  CVLibPlayerLayerStatics& s = layerStatics();
  s.layersBuilt = 0;
  if (viewWidth <= 0 || viewHeight <= 0 || tileWidth <= 0 || tileHeight <= 0 || s.layerCount <= 0) {
    debugLog("initLayerTables: view %d x %d with tiles %d x %d makes no layers", viewWidth, viewHeight, tileWidth,
             tileHeight);
    return;
  }
  const int32_t count = s.layerCount;
  s.view = newIntArray(8);
  s.properties = newObjectArray(count);
  s.planes = newObjectArray(count);
  s.layerImages = newObjectArray(count);
  s.layerGraphics = newObjectArray(count);
  s.layerSprites = newObjectArray(count);
  if (!s.view || !s.properties || !s.planes || !s.layerImages || !s.layerGraphics || !s.layerSprites) return;
  s.view->set(0, viewWidth);
  s.view->set(1, viewHeight);
  s.view->set(2, tileWidth);
  s.view->set(5, tileHeight);
  for (int32_t n = 0; n < count; ++n) {
    IntArray* properties = newIntArray(layerprop::count);
    ObjectArray* planes = newObjectArray(2);
    ObjectArray* image = newObjectArray(1);
    ObjectArray* graphics = newObjectArray(1);
    if (!properties || !planes || !image || !graphics) return;
    s.properties->set(n, properties);
    s.planes->set(n, planes);
    s.layerImages->set(n, image);
    s.layerGraphics->set(n, graphics);
  }
  s.layersBuilt = 1;
}

void CVLibPlayer::clearLayer(int32_t n, bool withImages) {
  if (!validLayer(n)) return;
  CVLibPlayerLayerStatics& s = layerStatics();
  IntArray* properties = newIntArray(layerprop::count);
  ObjectArray* planes = newObjectArray(2);
  if (properties == nullptr || planes == nullptr) return;
  s.properties->set(n, properties);
  if (withImages) {
    ObjectArray* image = newObjectArray(1);
    ObjectArray* graphics = newObjectArray(1);
    if (image == nullptr || graphics == nullptr) return;
    s.layerImages->set(n, image);
    s.layerGraphics->set(n, graphics);
  }
  s.planes->set(n, planes);
  s.layerSprites->set(n, nullptr);
}

void CVLibPlayer::loadLayer(int32_t n, ByteArray* header, ByteArray* tiles, ByteArray* attributes,
                            ASprite* layerSprite, bool preRender, int32_t yMode, int32_t xMode, int32_t yWrapMode) {
  buildLayer(n, header, tiles, attributes, layerSprite, preRender ? n : -1, yMode, xMode, yWrapMode);
}

void CVLibPlayer::buildLayer(int32_t n, ByteArray* header, ByteArray* tiles, ByteArray* attributes,
                             ASprite* layerSprite, int32_t imageLayer, int32_t yMode, int32_t xMode,
                             int32_t yWrapMode) {
  if (!validLayer(n)) return;
  if (header == nullptr || header->length() < 4) {
    debugLog("buildLayer: layer %d's header holds %d bytes, not its size; the layer stays empty", n,
             header != nullptr ? header->length() : -1);
    return;
  }
  const int32_t columns = cGame::readShortLE(header, 0);
  const int32_t rows = cGame::readShortLE(header, 2);
  if (columns < 0 || rows < 0) {
    debugLog("buildLayer: layer %d claims %d x %d tiles; the layer stays empty", n, columns, rows);
    return;
  }
  clearLayer(n, false);
  CVLibPlayerLayerStatics& s = layerStatics();
  IntArray* p = record(n);
  auto* planes = static_cast<ObjectArray*>(s.planes->get(n));
  planes->set(0, tiles);
  planes->set(1, attributes);
  const int32_t tileWidth = viewValue(2);
  const int32_t tileHeight = viewValue(5);
  p->set(layerprop::columns, columns);
  p->set(layerprop::rows, rows);
  p->set(layerprop::widthPixels, columns * tileWidth);
  p->set(layerprop::heightPixels, rows * tileHeight);
  s.layerSprites->set(n, layerSprite);
  int32_t flags = 0;
  if (imageLayer > -1) {
    const int32_t viewWidth = viewValue(0);
    const int32_t viewHeight = viewValue(1);
    const int32_t restX = viewWidth % tileWidth;
    const int32_t restY = viewHeight % tileHeight;
    const int32_t bufferWidth = viewWidth + tileWidth * (1 + (restX != 0 ? 1 : 0)) - restX;
    const int32_t bufferHeight = viewHeight + tileHeight * (1 + (restY != 0 ? 1 : 0)) - restY;
    p->set(layerprop::bufferWidth, bufferWidth);
    p->set(layerprop::bufferHeight, bufferHeight);
    ObjectArray* images = holder(s.layerImages, n);
    ObjectArray* graphics = holder(s.layerGraphics, n);
    if (imageLayer == n) {
      auto* image = static_cast<Image*>(images->get(0));
      if (image == nullptr || image->getWidth() != bufferWidth || image->getHeight() != bufferHeight) {
        image = Image::createImage(bufferWidth, bufferHeight);
        images->set(0, image);
        graphics->set(0, image != nullptr ? image->getGraphics() : nullptr);
      }
    } else if (validLayer(imageLayer)) {
      images->set(0, holder(s.layerImages, imageLayer)->get(0));
      graphics->set(0, holder(s.layerGraphics, imageLayer)->get(0));
    }
    flags |= layerflag::preRendered;
  }
  p->set(layerprop::heldFirstColumn, -1);
  p->set(layerprop::heldFirstRow, -1);
  p->set(layerprop::heldLastColumn, -1);
  p->set(layerprop::heldLastRow, -1);
  p->set(layerprop::shownA, 1);
  p->set(layerprop::shownB, 1);
  p->set(layerprop::scrollX, 0);
  p->set(layerprop::scrollY, 0);
  if (xMode == 1) flags |= layerflag::wrapX;
  if (xMode == 0) flags |= layerflag::clampX;
  if (yWrapMode == 1) flags |= layerflag::wrapY;
  if (yWrapMode == 0) flags |= layerflag::clampY;
  if (yMode == 32) flags |= layerflag::flippedY;
  p->set(layerprop::flags, flags);
}

bool CVLibPlayer::isLayerFlagSet(int32_t n, int32_t mask) { return (getLayerProperty(n, layerprop::flags) & mask) != 0; }

void CVLibPlayer::setLayerFlag(int32_t n, int32_t mask, bool on) {
  IntArray* p = record(n);
  if (p == nullptr) return;
  const int32_t flags = p->get(layerprop::flags);
  p->set(layerprop::flags, on ? flags | mask : flags & ~mask);
}

int32_t CVLibPlayer::getLayerProperty(int32_t n, int32_t index) {
  IntArray* p = record(n);
  return p != nullptr && index >= 0 && index < layerprop::count ? p->get(index) : 0;
}

bool CVLibPlayer::isLayerBuilt(int32_t n) {
  return getLayerProperty(n, layerprop::shownA) == 1 && getLayerProperty(n, layerprop::shownB) == 1;
}

int32_t CVLibPlayer::toLayerY(int32_t n, int32_t y) {
  if (!isLayerFlagSet(n, layerflag::flippedY)) return y;
  return getLayerProperty(n, layerprop::heightPixels) - y - viewValue(1);
}

void CVLibPlayer::setLayerScroll(int32_t n, int32_t x, int32_t y) {
  IntArray* p = record(n);
  if (p == nullptr) return;
  const int32_t flags = p->get(layerprop::flags);
  // A map smaller than the view clamps to 0, not to a negative scroll.
  auto clamp = [](int32_t v, int32_t view, int32_t size) {
    if (v < 0) return 0;
    if (view + v > size) return size - view > 0 ? size - view : 0;
    return v;
  };
  int32_t scrollX = x;
  int32_t scrollY = toLayerY(n, y);
  if ((flags & layerflag::clampX) != 0) scrollX = clamp(scrollX, viewValue(0), p->get(layerprop::widthPixels));
  if ((flags & layerflag::clampY) != 0) scrollY = clamp(scrollY, viewValue(1), p->get(layerprop::heightPixels));
  p->set(layerprop::scrollX, scrollX);
  p->set(layerprop::scrollY, scrollY);
}

int32_t CVLibPlayer::getLayerScrollX(int32_t n) { return getLayerProperty(n, layerprop::scrollX); }

int32_t CVLibPlayer::getLayerScrollY(int32_t n) {
  const int32_t scrollY = getLayerProperty(n, layerprop::scrollY);
  if (!isLayerFlagSet(n, layerflag::flippedY)) return scrollY;
  return getLayerProperty(n, layerprop::heightPixels) - viewValue(1) - scrollY;
}

namespace {

// The plane byte of a cell, or fallback outside the layer or its plane.
int32_t cellByte(int32_t n, int32_t which, int32_t column, int32_t row, int32_t fallback) {
  ByteArray* bytes = plane(n, which);
  const int32_t columns = CVLibPlayer::getLayerColumns(n);
  const int32_t layerRow = CVLibPlayer::toLayerY(n, row);
  if (bytes == nullptr || column < 0 || column >= columns || layerRow < 0 ||
      layerRow >= CVLibPlayer::getLayerRows(n))
    return fallback;
  const int32_t index = column + columns * layerRow;
  return index < bytes->length() ? bytes->get(index) & 0xFF : fallback;
}

}  // namespace

int32_t CVLibPlayer::getLayerTile(int32_t n, int32_t column, int32_t row) {
  return cellByte(n, 0, column, row, 0);
}

int32_t CVLibPlayer::getLayerAttribute(int32_t n, int32_t column, int32_t row) {
  return cellByte(n, 1, column, row, 0);
}

int32_t cGame::getMapWidth() { return CVLibPlayer::getLayerProperty(0, layerprop::widthPixels); }

int32_t cGame::getMapHeight() { return CVLibPlayer::getLayerProperty(0, layerprop::heightPixels); }
