// Text with the sprite fonts of the sprite table: one-call drawing and the
// hint box shown over play.
#include <algorithm>

#include "game/ContentRequirements.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"

using namespace shell;

namespace {

constexpr int32_t hintFontSlot = contentrequirement::textFontSlot;
constexpr int32_t hintHeightLimit = 240;

}  // namespace

void cGame::drawText(int32_t fontIndex, int32_t palette, String* text, int32_t x, int32_t y, int32_t anchor) {
  ASprite* font = spriteAt(fontIndex);
  if (font == nullptr || text == nullptr) return;
  font->setPalette(palette);
  font->drawString(loop().graphics, text, nullptr, x, y, anchor, false);
}

void cGame::paintInfoBox() {
  const cGameNoticeStatics& notice = shellStatics().cGameNotice;
  javax_microedition_lcdui_Graphics* g = loop().graphics;
  ASprite* font = spriteAt(hintFontSlot);
  if (notice.noticeText == nullptr || notice.noticeRemaining <= 0 || g == nullptr || font == nullptr) return;
  const CVLibPlayer* icon = notice.noticeIcon != nullptr && notice.noticeIcon->sprite != nullptr ? notice.noticeIcon
                                                                                                : nullptr;
  const int32_t wrapWidth = icon != nullptr ? 509 : 600;
  const int32_t textX = icon != nullptr ? 191 : 400;
  const int32_t anchor = icon != nullptr ? 6 : 3;
  const int32_t minimumHeight = icon != nullptr ? 76 : 0;
  ShortArray* lines = font->wrapText(notice.noticeText, wrapWidth);
  if (lines == nullptr) return;
  const int32_t lineHeight = std::max(font->getLineHeight(), 1);
  const int32_t count = std::min<int32_t>(lines->get(0), hintHeightLimit / lineHeight);
  const int32_t h = std::max(lineHeight * count, minimumHeight);
  const int32_t top = notice.noticeY + 20;
  g->setClip(85, top, 630, h + 30);
  fillRectWithColourTile(85, top, 629, h + 29, static_cast<int32_t>(0xE0000000u));
  g->setColor(0xFFFFFF);
  g->drawRect(85, top, 629, h + 29);
  const int32_t middle = notice.noticeY + (h + 30) / 2 + 20;
  paintTextBox(font, g, notice.noticeText, lines, textX, middle, 0, count, anchor, -1);
  if (icon != nullptr) {
    ASprite* sprite = icon->sprite;
    const int32_t frame = sprite->getAFrameFrame(icon->anim, 0);
    IntArray* bounds = newIntArray(4);
    if (bounds != nullptr) {
      sprite->getFrameBounds(bounds, frame, 0, 0, 0);
      const int32_t x = 138 - (bounds->get(0) + bounds->get(2)) / 2;
      const int32_t y = middle - (bounds->get(1) + bounds->get(3)) / 2;
      sprite->paintFrame(g, frame, x, y, 0, 0, 0);
    }
  }
  g->setClip(0, 0, 800, 480);
}
