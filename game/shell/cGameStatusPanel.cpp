// The status panel at the top left (portrait, health, the sling's charge,
// the item shortcut, the countdown and the ammunition count) and the
// horizontal gauge of the creature being fought.
#include <cstdint>

#include "game/ContentRequirements.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActorMC.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/LiteralIds.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/lang/String.h"
#include "runtime/lang/StringBuffer.h"
#include "runtime/object/ObjectFactory.h"

using namespace shell;

namespace {

using contentrequirement::titleFontSlot;

constexpr int32_t panelSlot = 11;
constexpr int32_t itemIconSlot = 34;
constexpr int32_t itemShortcutArea = 1004;
constexpr int32_t lowHealthFlash = 500;
constexpr int32_t leftVerticalCentre = 6;

cGamePlayStatics& play() { return worldStatics().cGamePlay; }

void paintFrameAt(ASprite* sprite, int32_t frame, int32_t x, int32_t y) {
  if (sprite != nullptr) sprite->paintFrame(loop().graphics, frame, x, y, 0, 0, 0);
}

// width x part / whole without overflow or a zero divisor; a part outside
// 0..whole is held to it, so a bar never grows past its frame.
int32_t share(int32_t width, int32_t part, int32_t whole) {
  if (whole <= 0) return 0;
  const int64_t held = part < 0 ? 0 : (part > whole ? whole : part);
  return static_cast<int32_t>(int64_t{width} * held / whole);
}

int32_t portraitFrame(const cActorMC* character, bool sideView) {
  if (sideView) return 9;
  switch (character->partnerIndex) {
    case 0: return 8;
    case 1: return 10;
    default: return 11;
  }
}

void paintItemShortcut(ASprite* panel, cActorMC* character, bool lowHealth) {
  int32_t anim = -1;
  for (int32_t item = 1; item <= 3 && anim < 0; ++item) {
    if (character->findInventorySlot(item) >= 0) anim = item - 1;
  }
  if (anim < 0) return;
  paintFrameAt(panel, 7, 202, 45);
  ASprite* icons = spriteAt(itemIconSlot);
  javax_microedition_lcdui_Graphics* g = loop().graphics;
  if (icons != nullptr && g != nullptr && anim < icons->getAnimCount() && icons->getAFrameCount(anim) > 0) {
    const int32_t frame = icons->getAFrameFrame(anim, 0);
    const int32_t top = icons->getFrameY(frame);
    const int32_t height = icons->getFrameHeight(frame);
    g->setClip(205, 49, 50, 44);
    icons->paintAFrame(g, anim, 0, 230, 71 - top - height / 2, 0, 0, 0);
    g->setClip(0, 0, 800, 480);
  }
  if (states().menuSuspended) return;
  // Blinks while health is low: 256 ms on, 256 ms off.
  if (lowHealth && (loop().paintTick & 256) != 0) return;
  cGame::addTouchArea(195, 40, 70, 70, itemShortcutArea);
}

void paintAmmunition(cActorMC* character) {
  ASprite* font = spriteAt(titleFontSlot);
  String* label = stringLiteral(static_cast<int32_t>(LiteralId::ammunitionLabel));
  if (font == nullptr || label == nullptr) return;
  font->setPalette(0);
  StringBuffer* text = newObject<StringBuffer>();
  if (text == nullptr) return;
  text->append(label);
  text->append(character->param(character->variantFlag ? 7 : 6));
  font->drawStringAt(loop().graphics, text->toString(), 424, 28, leftVerticalCentre, false);
}

}  // namespace

void cGame::paintStatusPanel() {
  cActor* focus = play().focusActor;
  if (focus == nullptr || Object::instanceOf(focus, classid::cActorMC) == 0) return;
  if (isCutsceneActive() && cutsceneTransition() != -1) return;
  auto* character = static_cast<cActorMC*>(focus);
  javax_microedition_lcdui_Graphics* g = loop().graphics;
  ASprite* panel = spriteAt(panelSlot);
  if (g == nullptr || panel == nullptr) return;
  const bool sideView = shellStatics().cGameProgress.sideViewMode;
  const int32_t max = sideView ? 100 : character->param(3);
  const int32_t hp = character->hp;
  const bool lowHealth = int64_t{hp} * 100 < int64_t{max} * 30;

  panel->setPalette(0);
  paintFrameAt(panel, portraitFrame(character, sideView), 1, 1);
  if (!sideView && !isInteractionActive() && !character->isDefeated())
    paintItemShortcut(panel, character, lowHealth);
  if (lowHealth) shellStatics().cGameHud.damageFlashTime = lowHealthFlash;

  g->setClip(110, 20, share(panel->getFrameWidth(0), hp, max), panel->getFrameHeight(0));
  paintFrameAt(panel, int64_t{hp} * 100 < int64_t{max} * 60 ? 2 : 0, 110, 20);
  g->setClip(0, 0, 800, 480);

  if (focus == play().firstPartner) {
    g->setClip(110, 52, share(panel->getFrameWidth(3), character->param(5), character->param(4)),
               panel->getFrameHeight(3));
    paintFrameAt(panel, 6, 110, 52);
    g->setClip(0, 0, 800, 480);
  }

  paintCountdownClock();
  if (CVLibPlayer* overlay = play().overlayPlayer) {
    overlay->x = 400;
    overlay->y = 50;
    overlay->paint();
  }
  paintAmmunition(character);
}

void cGame::paintGauge(int32_t value, int32_t max, int32_t iconFrame) {
  if (isCutsceneActive() && !(shellStatics().cGameShared.fullSpeedAnimation && cutsceneTransition() == -1)) return;
  javax_microedition_lcdui_Graphics* g = loop().graphics;
  ASprite* gauge = spriteAt(panelSlot);
  if (g == nullptr || gauge == nullptr) return;
  gauge->setPalette(0);
  paintFrameAt(gauge, 17, 495, 465);
  paintFrameAt(gauge, iconFrame, 495, 465);
  paintFrameAt(gauge, 15, 388, 447);
  g->setClip(388, 447, share(gauge->getFrameWidth(14), value, max), gauge->getFrameHeight(14));
  const bool belowHalf = int64_t{value} * 100 < int64_t{max} * 50;
  paintFrameAt(gauge, belowHalf ? 16 : 14, 388, 447);
  g->setClip(0, 0, 800, 480);
  gauge->setPalette(0);
}
