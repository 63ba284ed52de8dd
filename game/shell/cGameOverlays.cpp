// The notice for an upright device, the rotated copy of the landscape
// picture, the menus' darkened backdrop, the translucent panel fill and the
// capture of one sprite frame into a snapshot slot.
#include <algorithm>

#include "game/ContentRequirements.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/cGameSnapshotStatics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/object/ObjectFactory.h"

using namespace shell;
using Graphics = javax_microedition_lcdui_Graphics;
using Image = javax_microedition_lcdui_Image;

namespace {

constexpr int32_t colourTileSize = 64;
constexpr int32_t keyColour = 0xFF00FF;
using contentrequirement::menuBackdropFrame;

}  // namespace

void cGame::fillScreen(Graphics* g, int32_t rgb) {
  g->setClip(0, 0, 800, 480);
  g->setColor(rgb);
  g->fillRect(0, 0, 800, 480);
}

void cGame::fillRectWithColourTile(int32_t x, int32_t y, int32_t w, int32_t h, int32_t argb) {
  Graphics* g = loop().graphics;
  Image* tile = getColorImage(argb);
  if (g == nullptr || tile == nullptr) return;
  const int32_t clipX = g->getClipX(), clipY = g->getClipY();
  const int32_t clipW = g->getClipWidth(), clipH = g->getClipHeight();
  const int32_t left = std::max(x, clipX), top = std::max(y, clipY);
  const int32_t right = std::min(x + w, clipX + clipW), bottom = std::min(y + h, clipY + clipH);
  if (right > left && bottom > top) {
    g->setClip(left, top, right - left, bottom - top);
    for (int32_t ty = top; ty < bottom; ty += colourTileSize)
      for (int32_t tx = left; tx < right; tx += colourTileSize) g->drawImage(tile, tx, ty, 20);
  }
  g->setClip(clipX, clipY, clipW, clipH);
}

void cGame::paintMenuDim() {
  ObjectArray* sprites = loop().sprites;
  if (sprites == nullptr || sprites->get(2) == nullptr || sprites->get(3) == nullptr) return;
  // The title's scene without its wordmark, so that the menus' headings and
  // arrows stand clear; a picture of one frame is shown whole.
  auto* picture = static_cast<ASprite*>(sprites->get(2));
  const int32_t frame = picture->getFrameCount() > menuBackdropFrame ? menuBackdropFrame : 0;
  picture->paintFrame(loop().graphics, frame, 0, 0, 0, 0, 0);
  fillRectWithColourTile(0, 0, 800, 480, static_cast<int32_t>(0x90000000u));
}

void cGame::paintPortraitNotice() {
  auto* canvas = static_cast<cGame*>(loop().instance);
  Graphics* g = loop().graphics;
  if (canvas == nullptr || g == nullptr) return;
  const int32_t w = canvas->getWidth(), h = canvas->getHeight();
  g->setClip(0, 0, w, h);
  g->setColor(0xFFFFFF);
  g->fillRect(0, 0, w, h);
  g->setColor(0x000000);
  for (int32_t line = 0; line < 4; ++line) g->drawString(stringLiteral(194 + line), w / 2, h / 2 - 30 + 20 * line, 17);
}

void cGame::paintDimOverlay(Graphics* screen, Image* landscape) {
  if (screen == nullptr || landscape == nullptr) return;
  for (int32_t x = 0; x <= 720; x += 80)
    for (int32_t k = 0; k < 8; ++k) screen->drawRegion(landscape, x, 420 - 60 * k, 80, 60, 5, 60 * k, x, 20);
}

int32_t cGame::renderFrameToImage(ASprite* sprite, int32_t frame) {
  if (sprite == nullptr) return -1;
  if (const int32_t known = findSnapshot(sprite, frame); known >= 0) return known;
  const int32_t slot = findFreeSnapshot();
  if (slot < 0) {
    debugLog("renderFrameToImage: every snapshot slot is in use");
    return -1;
  }
  IntArray* bounds = newIntArray(4);
  if (bounds == nullptr) return -1;
  sprite->getFrameBounds(bounds, frame, 0, 0, 0);
  const int32_t minX = bounds->get(0), minY = bounds->get(1);
  const int32_t w = bounds->get(2) - minX, h = bounds->get(3) - minY;
  if (w <= 0 || h <= 0) return -1;
  Image* image = Image::createImage(w, h);
  IntArray* pixels = newIntArray(w * h);
  IntArray* record = newIntArray(5);
  if (image == nullptr || pixels == nullptr || record == nullptr) return -1;
  Graphics* g = image->getGraphics();
  g->setColor(keyColour);
  g->fillRect(0, 0, w, h);
  sprite->paintFrame(g, frame, -minX, -minY, 0, 0, 0);
  image->getRGB(pixels, 0, w, 0, 0, w, h);
  const int32_t key = Graphics::getDisplayColor(keyColour) & 0xFFFFFF;
  for (int32_t i = 0; i < w * h; ++i)
    if ((pixels->get(i) & 0xFFFFFF) == key) pixels->set(i, pixels->get(i) & 0xFFFFFF);
  requestCollection();
  const int32_t values[] = {w, h, minX, minY, frame};
  for (int32_t i = 0; i < 5; ++i) record->set(i, values[i]);
  cGameSnapshotStatics& slots = toolkitStatics().cGameSnapshots;
  slots.records->set(slot, record);
  slots.pixels->set(slot, pixels);
  slots.keys->set(slot, sprite);
  return slot;
}
