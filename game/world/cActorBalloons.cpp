// Speech balloons: a line over an actor's head for a while, then a silent
// pause in which the actor counts as speaking.
#include <algorithm>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/ASpriteStatics.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/toolkit/ToolkitStatics.h"
#include "game/world/cActor.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/String.h"

namespace {

constexpr int32_t silentPause = -1;
constexpr int32_t pauseMillis = 10000;
constexpr int32_t chatterMillis = 3000;
constexpr int32_t fontSlot = 5;
constexpr int32_t tailSlot = 12;
constexpr int32_t wrapWidth = 380;

int32_t lineCount(String* text) {
  int32_t lines = 1;
  for (int32_t i = 0; i < text->length(); ++i) lines += text->charAt(i) == u'\n' ? 1 : 0;
  return lines;
}

}  // namespace

void cActor::setBalloon(int32_t textId, int32_t ms, int32_t dxPlus1, int32_t dy) {
  balloon = newIntArray(4);
  if (balloon == nullptr) return;
  balloon->set(0, textId);
  balloon->set(1, ms < 0 ? 0x7FFFFFFF : ms);
  balloon->set(2, dxPlus1);
  balloon->set(3, dy);
}

void cActor::tickBalloon() {
  if (balloon == nullptr) return;
  // A balloon set for ever is never counted down.
  if (balloon->get(1) == 0x7FFFFFFF) return;
  const int32_t left = balloon->get(1) - shellStatics().cGameLoop.timeStep;
  balloon->set(1, left);
  if (left >= 1) return;
  if (balloon->get(0) >= 0) setBalloon(silentPause, pauseMillis, 0, 0);
  else balloon = nullptr;
}

void cActor::chatter(IntArray* textIds, int32_t percent) {
  if (balloon != nullptr) return;
  int32_t text = silentPause;
  if (cGame::randomInRange(0, 100) < percent && textIds != nullptr && textIds->length() > 0) {
    text = textIds->get(cGame::randomInRange(0, textIds->length()));
  }
  setBalloon(text, chatterMillis, 0, 0);
}

void cActor::paintOwnBalloon() {
  if (balloon == nullptr || balloon->get(0) < 0) return;
  paintBalloon(this, cGame::getText(balloon->get(0)), balloon->get(2) - 1, balloon->get(3));
}

void cActor::paintBalloon(cActor* actor, String* text, int32_t dx, int32_t dy) {
  ASprite* font = shell::spriteAt(fontSlot);
  javax_microedition_lcdui_Graphics* g = shellStatics().cGameLoop.graphics;
  if (actor == nullptr || text == nullptr || font == nullptr || g == nullptr) return;
  IntArray* frame = actor->getFrameRect();
  if (frame == nullptr) return;
  String* wrapped = font->wrapTextToString(text, wrapWidth);
  if (wrapped == nullptr) return;
  font->measureText(wrapped, nullptr);
  const int32_t textWidth = toolkitStatics().ASprite.measuredWidth;
  const int32_t textHeight = lineCount(wrapped) * (font->getLineHeight() + font->getLineGap());
  const int32_t w = std::max(textWidth + 20, 60);
  const int32_t h = std::max(textHeight + 20, 40);
  int32_t x = actor->screenX - w / 2 + dx;
  int32_t y = actor->screenY - (frame->get(3) - frame->get(1)) - h + dy - 10;
  const bool framed = cGame::isCutsceneActive() && cGame::cutsceneTransition() != -1;
  const int32_t topLimit = framed ? 50 : 0;
  const int32_t bottomLimit = framed ? 430 : 480;
  y = std::max(y, topLimit);
  if (y + h > bottomLimit) y = bottomLimit - h;
  x = std::max(x, 0);
  if (x + w > 800) x = 800 - w;
  g->setColor(0x000000);
  g->fillRect(x, y, w, h);
  g->setColor(0xFFFFFF);
  g->fillRect(x + 2, y + 2, w - 4, h - 4);
  if (ASprite* tail = worldStatics().cGamePlay.balloonTailFrame) spritePainterCalls().paintFrame(tail, g, 0, x + w - 36, y + h, 1);
  font->setPalette(3);
  font->drawString(g, wrapped, nullptr, x + w / 2, y + h / 2, 3, true);
}

void cActor::loadBalloonSprite() { worldStatics().cGamePlay.balloonTailFrame = shell::spriteAt(tailSlot); }

void cActor::releaseBalloonSprite() { worldStatics().cGamePlay.balloonTailFrame = nullptr; }

void cGameWorld::paintActorBalloons() {
  cActorStatics& lists = worldStatics().cActor;
  if (lists.displayList == nullptr) return;
  for (int32_t i = 0; i < lists.displayCount; ++i) {
    auto* actor = static_cast<cActor*>(lists.displayList->get(i));
    if (actor == nullptr || actor->isKilled() || actor->hasFlag(ActorFlags::HIDDEN)) continue;
    actor->paintOwnBalloon();
  }
}
