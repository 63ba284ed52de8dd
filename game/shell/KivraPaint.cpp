// The promotion screen's pictures by state, and the parts every page shares:
// the link button, the page arrows, the softkey, arrows and gradients.
#include <algorithm>
#include <cstdlib>

#include "game/GameStatics.h"
#include "game/shell/Kivra.h"
#include "platform/java_lang/java_lang_System.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "runtime/LiteralIds.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/literals/StringLiteralPool.h"

namespace {

using Graphics = javax_microedition_lcdui_Graphics;
using Image = javax_microedition_lcdui_Image;

KivraStatics& kivra() { return shellStatics().Kivra; }

constexpr int32_t hcentre = 1, vcentre = 2, left = 4, right = 8, top = 16, bottom = 32, baseline = 64;

Image* fixedImage(int32_t i) {
  ObjectArray* images = kivra().images;
  return images != nullptr ? static_cast<Image*>(images->get(i)) : nullptr;
}
int32_t widthOf(Image* image) { return image != nullptr ? image->getWidth() : 0; }
int32_t heightOf(Image* image) { return image != nullptr ? image->getHeight() : 0; }

int64_t tickCount() { return java_lang_System::currentTimeMillis(); }

bool showsStatus(String* text) {
  if (text == nullptr) return false;
  String* trimmed = text->trim();
  String* none = stringLiteral(static_cast<int32_t>(LiteralId::emptyText));
  return trimmed != nullptr && trimmed->length() > 0 && (none == nullptr || text->compareTo(none) != 0);
}

void paintLoading(Graphics* g) {
  KivraStatics& k = kivra();
  g->setColor(0);
  g->fillRect(0, 0, k.screenWidth, k.screenHeight);
  const int32_t width = k.screenWidth * 3 / 4;
  const int32_t x = k.centreX - width / 2;
  g->setColor(0xFFFFFF);
  g->drawRect(x, k.centreY, width, 6);
  const int32_t total = std::max(k.loadTotal, 1);
  const int32_t done = std::clamp(k.loadIndex, 0, total);
  g->setColor(0xFF0000);
  g->fillRect(x + 2, k.centreY + 2, (width - 4) * done / total + 1, 3);
  if (showsStatus(k.statusText)) {
    g->setColor(0xFFFFFF);
    g->drawString(k.statusText, k.centreX, k.centreY - 5, bottom | hcentre);
  }
}

void paintReload(Graphics* g) {
  KivraStatics& k = kivra();
  g->setColor(0x0000FF);
  g->fillRect(0, k.centreY - 5 - 2 * k.fontHeight, k.screenWidth, 2 * k.fontHeight);
  if (k.statusText != nullptr) {
    g->setColor(0xFFFFFF);
    g->drawString(k.statusText, k.centreX, k.centreY, baseline | hcentre);
  }
}

// The message state is never entered; its box is kept plain.
void paintMessage(Graphics* g) {
  KivraStatics& k = kivra();
  Kivra::paintPage(g);
  const int32_t y = k.screenHeight * 40 / 100;
  const int32_t h = k.screenHeight * 60 / 100 - y;
  g->setColor(0xDFDFDF);
  g->fillRect(0, y, k.screenWidth, h);
  g->setColor(0x0099FF);
  g->drawRect(0, y, k.screenWidth - 1, h);
  g->drawRect(1, y + 1, k.screenWidth - 3, h - 2);
  k.fontColour = 0;
  Kivra::drawGlyphText(k.statusText, g, k.screenWidth, k.centreX, y + h / 2, hcentre | vcentre);
}

}  // namespace

void Kivra::paint(Graphics* g) {
  KivraStatics& k = kivra();
  if (!k.initialised && !k.failed) return;
  if (k.linkToOpen != nullptr) return openLink();
  if (k.failed || g == nullptr) return;
  g->setClip(0, 0, k.screenWidth, k.screenHeight);
  switch (k.state) {
    case loading: paintLoading(g); break;
    case browsing:
      paintPage(g);
      if (k.linkButtonShown && (tickCount() % 1000 > 500 || k.pressedAction == chooseLink)) paintLinkButton(g);
      break;
    case pageReload: paintReload(g); break;
    case message: paintMessage(g); break;
    default: break;
  }
}

void Kivra::layoutLinkButton() {
  KivraStatics& k = kivra();
  k.measureOnly = true;
  drawText(k.linkTextId, nullptr, k.screenWidth, 0, 0, hcentre | vcentre);
  const int32_t third = glyphField(' ', 3) / 3;
  k.buttonHeight = k.textBlockHeight + third + (third % 2 != 0 ? 1 : 0);
  k.buttonWidth = k.textBlockWidth + glyphField(' ', 2) / 2;
  k.buttonX = k.centreX - k.buttonWidth / 2;
  const int32_t centreLine = k.pageIndex < k.mainLinkPage ? k.centreY : k.pageHeight;
  k.buttonY = centreLine - k.buttonHeight / 2;
  if (k.pageIndex == k.fullScreenPage && k.pageCount > k.fullScreenPage) k.buttonY = k.screenHeight * 80 / 100;
}

void Kivra::paintLinkButton(Graphics* g) {
  KivraStatics& k = kivra();
  if (!k.linkButtonShown) return;
  const bool fullScreen = k.packFlags != nullptr && k.packFlags->get(0);
  int32_t fill = fullScreen ? 0xFF7F00 : k.highlightColour;
  if (k.pressedAction == chooseLink) {
    g->setColor(0xDE9C00);
    g->drawRect(k.buttonX - 2, k.buttonY - 2, k.buttonWidth + 3, k.buttonHeight + 4);
    g->drawRect(k.buttonX - 1, k.buttonY - 1, k.buttonWidth + 1, k.buttonHeight + 2);
    fill = 0x5800F2;
  }
  g->setColor(fill);
  g->fillRect(k.buttonX, k.buttonY, k.buttonWidth, k.buttonHeight + 1);
  k.fontColour = 0;
  drawText(k.linkTextId, g, k.screenWidth, k.centreX, k.buttonY + k.buttonHeight / 2, hcentre | vcentre);
}

void Kivra::paintPageArrows(Graphics* g) {
  KivraStatics& k = kivra();
  if (k.enabledPageCount <= 1) return;
  const int32_t o = std::abs(static_cast<int32_t>((tickCount() / 80) % 8) - 4);
  const bool leftDown = k.leftPressed || k.pressedAction == previousPage;
  const bool rightDown = k.rightPressed || k.pressedAction == nextPage;
  Image* leftArrow = fixedImage(leftDown ? 4 : 5);
  Image* rightArrow = fixedImage(rightDown ? 6 : 7);
  if (leftDown) ++k.arrowPressFrames;
  if (rightDown) ++k.arrowPressFrames;
  const int32_t w = widthOf(leftArrow);
  if (leftArrow != nullptr) g->drawImage(leftArrow, w + o + 1, k.centreY, right | vcentre);
  if (rightArrow != nullptr) g->drawImage(rightArrow, k.screenWidth - (w + o + 1), k.centreY, left | vcentre);
  if (k.arrowPressFrames > 4) {
    k.leftPressed = k.rightPressed = false;
    k.arrowPressFrames = 0;
  }
}

void Kivra::paintSoftkeys(Graphics* g) {
  KivraStatics& k = kivra();
  if (k.usesCommands) return;
  Image* key = fixedImage(k.pressedAction == back ? 13 : 12);
  Image* icon = fixedImage(8);
  const int32_t x = k.screenWidth - 2;
  const int32_t y = k.screenHeight - 2;
  if (key != nullptr) g->drawImage(key, x, y, bottom | right);
  if (icon != nullptr) {
    g->drawImage(icon, x - (widthOf(key) - widthOf(icon)) / 2, y - (heightOf(fixedImage(12)) - heightOf(fixedImage(9))) / 2,
                 bottom | right);
  }
}

void Kivra::drawArrow(Graphics* g, int32_t x, int32_t y, int32_t size, int32_t colour, bool vertical, bool reverse) {
  const int32_t d = reverse ? -1 : 1;
  const int32_t half = (size % 2 == 0 ? size - 1 : size) / 2;
  g->setColor(0x00B4EF);
  if (vertical) {
    g->fillTriangle(x, y, x - half, y + half * d, x + half, y + half * d);
  } else {
    g->fillTriangle(x, y, x - half * d, y - half, x - half * d, y + half);
  }
  g->setColor(colour);
  if (vertical) {
    g->fillTriangle(x, y + d, x - half + 2, y + (half - 1) * d, x + half - 2, y + (half - 1) * d);
  } else {
    g->fillTriangle(x - d, y, x + (1 - half) * d, y - half + 2, x + (1 - half) * d, y + half - 2);
  }
}

void Kivra::fillGradient(Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h, int32_t from, int32_t to,
                         bool symmetric) {
  KivraStatics& k = kivra();
  h = std::min(h, k.screenHeight - y);
  w = std::min(w, k.screenWidth - x);
  if (h <= 0 || w <= 0) return;
  auto channel = [](int32_t colour, int32_t shift) { return (colour >> shift) & 255; };
  const int32_t span = symmetric ? std::max(h / 2, 1) : h;
  for (int32_t row = 0; row < h; ++row) {
    const int32_t step = symmetric && row > span ? 2 * span - row : row;
    int32_t colour = 0;
    for (int32_t shift : {16, 8, 0}) {
      const int32_t a = channel(from, shift);
      colour |= std::clamp(a + step * (channel(to, shift) - a) / span, 0, 255) << shift;
    }
    g->setColor(colour);
    g->drawLine(x, y + row, x + w - 1, y + row);
  }
}
