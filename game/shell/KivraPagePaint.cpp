// The picture of each page kind of the promotion screen and the list page.
#include <algorithm>

#include "game/GameStatics.h"
#include "game/shell/Kivra.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"

namespace {

using Graphics = javax_microedition_lcdui_Graphics;
using Image = javax_microedition_lcdui_Image;

KivraStatics& kivra() { return shellStatics().Kivra; }

constexpr int32_t hcentre = 1, vcentre = 2, left = 4, right = 8, top = 16, bottom = 32;

Image* fixedImage(int32_t i) {
  ObjectArray* images = kivra().images;
  return images != nullptr ? static_cast<Image*>(images->get(i)) : nullptr;
}
Image* pageImage(int32_t page) {
  ObjectArray* images = kivra().pageImages;
  return images != nullptr && page >= 0 && page < images->length() ? static_cast<Image*>(images->get(page)) : nullptr;
}
int32_t widthOf(Image* image) { return image != nullptr ? image->getWidth() : 0; }
int32_t heightOf(Image* image) { return image != nullptr ? image->getHeight() : 0; }

void draw(Graphics* g, Image* image, int32_t x, int32_t y, int32_t anchor) {
  if (image != nullptr) g->drawImage(image, x, y, anchor);
}

void setLinkArea(int32_t x, int32_t y, int32_t w, int32_t h) {
  KivraStatics& k = kivra();
  k.linkAreaX = x, k.linkAreaY = y, k.linkAreaWidth = w, k.linkAreaHeight = h;
}

void measureText(int32_t textId, int32_t width) {
  kivra().measureOnly = true;
  Kivra::drawText(textId, nullptr, width, 0, 0, top | hcentre);
}

void paintHeader(Graphics* g) {
  KivraStatics& k = kivra();
  if (k.screenHeight >= 128) draw(g, fixedImage(10), k.centreX, k.pageMargin, top | hcentre);
}

void paintFullScreenPage(Graphics* g) {
  KivraStatics& k = kivra();
  draw(g, pageImage(k.pageIndex), k.centreX, k.screenHeight * 8 / 100, top | hcentre);
  k.fontColour = 0;
  Kivra::drawText(k.firstTextId + 2, g, k.screenWidth, k.centreX, k.screenHeight * 60 / 100, hcentre | vcentre);
}

void paintMainLinkPage(Graphics* g) {
  KivraStatics& k = kivra();
  Image* image = pageImage(k.pageIndex);
  const int32_t t = k.screenHeight >= 128 ? heightOf(fixedImage(10)) : 0;
  int32_t y = k.pageMargin + 3 * t / 5;
  const int32_t w = widthOf(image);
  struct Bar { int32_t above, colour, width, height, offset; };
  for (const Bar bar : {Bar{220, 0xCCCCCC, 3, 54, 20}, Bar{140, 0xD7D7D7, 2, 37, 14}, Bar{100, 0xDCB9B8, 1, 26, 11}}) {
    if (w <= bar.above) continue;
    g->setColor(bar.colour);
    g->fillRect(k.centreX + bar.offset, y, bar.width, bar.height);
    y += bar.height;
    break;
  }
  const int32_t imageBottom = y + heightOf(image);
  draw(g, image, k.centreX, imageBottom, bottom | hcentre);
  draw(g, k.parameterImage, k.centreX + w / 2 + 1, imageBottom, bottom | right);
  setLinkArea(k.centreX - w / 2 - 1, y, w, heightOf(image));
  if (t > 0) draw(g, fixedImage(10), k.centreX, k.pageMargin, top | hcentre);
  if (k.noticeText == nullptr) return;
  k.fontColour = 2;
  if (k.buttonY - imageBottom >= 2 * k.fontHeight) {
    Kivra::drawGlyphText(k.noticeText, g, k.screenWidth, k.centreX, (imageBottom + k.buttonY) / 2, hcentre | vcentre);
  } else {
    Kivra::drawGlyphText(k.noticeText, g, k.screenWidth, k.centreX, imageBottom + k.fontHeight / 3, top | hcentre);
  }
}

void paintBannerPage(Graphics* g) {
  KivraStatics& k = kivra();
  Image* image = pageImage(k.pageIndex);
  const int32_t w = widthOf(image);
  const int32_t h = heightOf(image);
  const int32_t boxWidth = w * 70 / 100;
  Kivra::fillGradient(g, k.centreX - boxWidth / 2, k.centreY - h / 4, boxWidth, h / 2, 0xFAD12D, 0xF14615, false);
  draw(g, image, k.centreX, k.centreY, hcentre | vcentre);
  const int32_t w5 = widthOf(fixedImage(5));
  setLinkArea(k.centreX - w / 2 + w5, k.centreY - h / 2, w - 2 * w5, h);
  paintHeader(g);
  if (k.extraImage != nullptr) return draw(g, k.extraImage, k.centreX, k.centreY, hcentre | vcentre);
  measureText(k.titleTextId, k.screenWidth);
  k.fontColour = 0;
  Kivra::drawText(k.titleTextId, g, k.screenWidth, k.centreX, k.centreY - k.textBlockHeight / 2, top | hcentre);
}

void paintProductPage(Graphics* g) {
  KivraStatics& k = kivra();
  const bool fullScreen = k.packFlags != nullptr && k.packFlags->get(0);
  Image* image = pageImage(k.pageIndex);
  const int32_t imageHeight = heightOf(image);
  const int32_t w = k.screenWidth;
  const int32_t h = k.screenHeight;
  const int32_t fh = k.fontHeight;
  measureText(k.titleTextId, w);
  const int32_t titleWidth = k.textBlockWidth;
  const int32_t titleHeight = k.textBlockHeight;
  Image* softkey = fixedImage(12);
  Image* backIcon = fixedImage(9);
  const int32_t r = titleWidth > w - 2 * widthOf(softkey)    ? heightOf(softkey)
                    : titleWidth > w - 2 * widthOf(backIcon) ? heightOf(backIcon)
                                                             : 0;
  int32_t f = std::max(0, h - (titleHeight + r + imageHeight));
  int32_t raise = 0;
  if (titleHeight > 2 * fh && f / 3 > fh / 2) {
    f = std::max(0, h - (2 * fh + r + imageHeight));
    raise = fh / 2;
  }
  int32_t y = f / 3;
  if (r > 0) {
    const int32_t limit = std::max(titleHeight - 2 * fh, 0);
    const int32_t without = std::max(0, h - (titleHeight + imageHeight)) / 3;
    if (titleHeight + 2 * without + imageHeight < h - heightOf(softkey) && without > limit) y = without;
  }
  draw(g, image, k.centreX, y, top | hcentre);
  const int32_t w5 = widthOf(fixedImage(5));
  setLinkArea(k.centreX - widthOf(image) / 2 + w5, y, widthOf(image) - 2 * w5, imageHeight);
  k.fontColour = fullScreen ? 0 : 1;
  Kivra::drawText(k.titleTextId, g, w, k.centreX, y + imageHeight + y - raise, top | hcentre);
}

}  // namespace

void Kivra::paintPage(Graphics* g) {
  KivraStatics& k = kivra();
  const bool fullScreen = k.packFlags != nullptr && k.packFlags->get(0);
  layoutLinkButton();
  setLinkArea(0, 0, 0, 0);
  g->setColor(fullScreen ? 0x000000 : 0xFFFFFF);
  g->fillRect(0, 0, k.screenWidth, k.screenHeight);
  const int32_t page = k.pageIndex;
  if (k.listMode) paintListPage(g);
  else if (fullScreen && page == k.fullScreenPage) paintFullScreenPage(g);
  else if (page == k.mainLinkPage) paintMainLinkPage(g);
  else if (page == k.bannerPage) paintBannerPage(g);
  else paintProductPage(g);
  paintSoftkeys(g);
  paintPageArrows(g);
}

void Kivra::paintListPage(Graphics* g) {
  KivraStatics& k = kivra();
  const int32_t w = k.screenWidth;
  const int32_t h = k.screenHeight;
  int32_t y = k.pageMargin;
  if (h > 128) {
    Image* header = pageImage(k.pageIndex);
    draw(g, header, k.centreX, y, top | hcentre);
    y += heightOf(header);
  }
  k.fontColour = 2;
  drawText(k.titleTextId, g, w, k.centreX, y, top | hcentre);
  measureText(k.titleTextId, w);
  auto* images = k.listImages != nullptr ? static_cast<ObjectArray*>(k.listImages->get(k.listIndex)) : nullptr;
  auto* ids = k.rowIds != nullptr ? static_cast<IntArray*>(k.rowIds->get(k.listIndex)) : nullptr;
  auto* textIds = k.rowTextIds != nullptr ? static_cast<IntArray*>(k.rowTextIds->get(k.listIndex)) : nullptr;
  if (images == nullptr || ids == nullptr || textIds == nullptr) return;
  auto rowImage = [&](int32_t row) { return static_cast<Image*>(images->get(ids->get(row))); };
  k.rowHeight = std::max(2 * k.fontHeight, k.rowCount > 0 ? heightOf(rowImage(0)) : 0);
  const int32_t a = h * 7 / 100;
  const int32_t below = y + k.textBlockHeight;
  const int32_t space = h - heightOf(fixedImage(12)) - 2 - below;
  k.visibleRows = k.rowCount;
  int32_t shown = k.rowCount;
  int32_t listTop;
  if (k.rowCount * k.rowHeight <= 2 * (h / 2 - below)) {
    listTop = below + (h / 2 - below) - k.rowCount * k.rowHeight / 2;
  } else {
    if (k.rowCount * k.rowHeight > space) k.visibleRows = shown = std::max((space - 2 * a) / std::max(k.rowHeight, 1), 1);
    listTop = below + space / 2 - shown * k.rowHeight / 2;
  }
  k.listTop = listTop;
  if (shown < k.rowCount) {
    k.upArrowY = listTop - a;
    k.downArrowY = listTop + shown * k.rowHeight;
    if (k.firstRow > 0) drawArrow(g, k.centreX, listTop - a, a, k.pressedAction == listUp ? 0x00B4EF : 0xFFFFFF, true, false);
    if (k.firstRow + shown < k.rowCount) {
      drawArrow(g, k.centreX, listTop + shown * k.rowHeight + a, a, k.pressedAction == listDown ? 0x00B4EF : 0xFFFFFF,
                true, true);
    }
  }
  const int32_t w5 = widthOf(fixedImage(5));
  k.listWidth = w - 3 * w5 - (w > h ? w5 / 2 : 0);
  k.listLeft = k.centreX - k.listWidth / 2;
  const int32_t imageX = k.listLeft + w / 100;
  const int32_t labelX = imageX + widthOf(static_cast<Image*>(images->get(0))) + w / 100;
  const int32_t lastName = images->length() - 1;
  for (int32_t i = 0; i < shown && k.firstRow + i < k.rowCount; ++i) {
    const int32_t row = k.firstRow + i;
    const int32_t middle = listTop + i * k.rowHeight + k.rowHeight / 2;
    draw(g, rowImage(row), imageX, middle + 1, left | vcentre);
    k.fontColour = ids->get(row) == lastName ? 2 : 1;
    drawText(textIds->get(ids->get(row)), g, w, labelX, middle, left | vcentre);
  }
  g->setColor(0xFC7704);
  g->drawRect(k.listLeft, listTop + (k.selectedRow - k.firstRow) * k.rowHeight, k.listWidth, k.rowHeight);
}
