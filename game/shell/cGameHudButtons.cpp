// The in-game HUD: the eight-direction pad with its OK button, the action,
// inventory and item-shortcut buttons, and, before the softkeys, the
// close-up's back button and a cutscene's skip strip. The buttons only
// paint and register their areas; the touch input turns the pad's areas
// into digit keys.
#include "game/ContentRequirements.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/SensibleRectangle.h"
#include "game/world/cActorMC.h"
#include "game/world/cActorNPC.h"
#include "runtime/lang/String.h"

using namespace shell;

namespace {

using contentrequirement::hudSlot;
using contentrequirement::interfaceSlot;
using contentrequirement::titleFontSlot;

constexpr int32_t itemIconSlot = 34;
constexpr int32_t padX = 130, padY = 365;
constexpr int32_t okX = 620, okY = 390;
constexpr int32_t okArea = 218;
constexpr int32_t actionArea = 1002;
constexpr int32_t inventoryArea = 1003;
constexpr int32_t itemShortcutArea = 1004;
constexpr int32_t skipStripArea = 200;
constexpr int32_t skipText = 270;
constexpr int32_t centreAnchor = 3;
constexpr int32_t closeUpView = 0;
constexpr int32_t gameOverCinematic = 2;

// The arrows by area id, with their normal and pressed frames.
struct Arrow {
  int32_t area;
  int32_t frame;
  int32_t pressedFrame;
  bool pressedByHighlight;
};
constexpr Arrow arrows[] = {
    {210, 4, 13, true},  {211, 5, 14, true},  {212, 2, 11, false}, {213, 3, 12, false},
    {215, 9, 18, true},  {214, 8, 17, true},  {216, 7, 16, true},  {217, 6, 15, true},
};

cGamePlayStatics& play() { return worldStatics().cGamePlay; }

cActorMC* focusCharacter() {
  cActor* focus = play().focusActor;
  return focus != nullptr && Object::instanceOf(focus, classid::cActorMC) != 0 ? static_cast<cActorMC*>(focus)
                                                                               : nullptr;
}

cActorNPC* asCharacter(cActor* actor) {
  return actor != nullptr && Object::instanceOf(actor, classid::cActorNPC) != 0 ? static_cast<cActorNPC*>(actor)
                                                                                : nullptr;
}

int32_t chapter() { return shellStatics().cGameProgress.chapter; }

// The main-list area with this id is held down by the pen.
bool areaHeld(int32_t id) {
  const cGameTouchStatics& state = touch();
  return state.touchedArea != nullptr && state.touchedArea->id == id && (state.pointerIsDown || state.pointerDragging);
}

bool overlayAreaHit(int32_t id) {
  const cGameTouchStatics& state = touch();
  return state.touchedOverlayArea != nullptr && state.touchedOverlayArea->id == id;
}

void paintFrameAt(ASprite* sprite, int32_t frame, int32_t x, int32_t y) {
  if (sprite != nullptr) sprite->paintFrame(loop().graphics, frame, x, y, 0, 0, 0);
}

// The pad shows in only a few cutscenes, by chapter.
bool padShownInCutscene() {
  const int32_t cutscene = cGame::currentCutscene();
  const int32_t c = chapter();
  switch (cutscene) {
    case 2: return c == 3;
    case 3:
    case 4:
    case 12: return c != 3;
    case 7: return c == 9;
    case 10: return c == 5;
    default: return false;
  }
}

bool padHidden() {
  const int32_t phase = cGame::cinematicPhase();
  if (phase == 0 || (phase >= 2 && phase <= 5)) return true;
  if (!play().playerControl || play().focusActor == nullptr) return true;
  if (cGame::isConversationActive()) return true;
  if (cGame::isCutsceneActive() && !padShownInCutscene()) return true;
  return states().menuSuspended || cGame::isChoiceActive() || cGame::isInteractionActive();
}

void paintArrows(ASprite* hud) {
  const bool highlight = play().hudActionHighlight;
  for (const Arrow& arrow : arrows) {
    const bool pressed = areaHeld(arrow.area) || (highlight && arrow.pressedByHighlight);
    paintFrameAt(hud, pressed ? arrow.pressedFrame : arrow.frame, padX, padY);
  }
  paintFrameAt(hud, 1, padX, padY);
}

// Each area is placed by its arrow frame's box; in the side-view chapters
// the straight arrows are wider and the diagonals have none.
void addArrowAreas(ASprite* hud) {
  const auto midX = [hud](int32_t f) { return hud->getFrameX(f) + hud->getFrameWidth(f) / 2; };
  const auto midY = [hud](int32_t f) { return hud->getFrameY(f) + hud->getFrameHeight(f) / 2; };
  const int32_t cx = midX(4) + 20;
  const int32_t cy = midY(4) + 325;
  const bool wide = chapter() == 1 || chapter() == 6;
  const bool highlight = play().hudActionHighlight;
  if (wide) {
    if (!highlight) {
      cGame::addTouchArea(cx + 40, cy, 140, 80, 210);
      cGame::addTouchArea(midX(5) + 60, midY(5) + 325, 140, 80, 211);
    }
    cGame::addTouchArea(midX(2) + 90, midY(2) + 305, 80, 120, 212);
    cGame::addTouchArea(midX(3) + 90, midY(3) + 305, 80, 120, 213);
  } else {
    if (!highlight) {
      cGame::addTouchArea(cx + 80, cy, 60, 80, 210);
      cGame::addTouchArea(midX(5) + 100, midY(5) + 325, 60, 80, 211);
    }
    cGame::addTouchArea(midX(2) + 90, midY(2) + 335, 80, 60, 212);
    cGame::addTouchArea(midX(3) + 90, midY(3) + 335, 80, 60, 213);
    if (!highlight) {
      cGame::addTouchArea(cx, cy, 80, 80, 215);
      cGame::addTouchArea(cx + 140, cy, 80, 80, 214);
      cGame::addTouchArea(cx + 140, cy + 140, 80, 80, 216);
      cGame::addTouchArea(cx, cy + 140, 80, 80, 217);
    }
  }
  play().hudActionHighlight = false;
}

// The action button: only for the first partner with charge left, outside
// every mode that owns the screen. Its size, else the OK button's, is the
// size of area 1002.
void paintActionButton(ASprite* hud, int32_t& w, int32_t& h) {
  cGamePlayStatics& state = play();
  cActorMC* focus = focusCharacter();
  const bool offered = state.actionButtonEnabled &&
                       (!cGame::isCutsceneActive() || shellStatics().cGameShared.fullSpeedAnimation) &&
                       !cGame::isConversationActive() && focus != nullptr && focus == state.firstPartner &&
                       focus->param(5) >= 1 && !cGame::isCinematicActive() && !cGame::isInteractionActive() &&
                       !cGame::isChoiceActive();
  if (offered) {
    w = hud->getFrameWidth(25) + 30;
    h = hud->getFrameHeight(25) + 30;
    if (!cGame::isActionButtonSuppressed() && !focus->isDefeated())
      paintFrameAt(hud, overlayAreaHit(actionArea) ? 26 : 25, 680 + w / 2, 210 + h / 2);
  }
  // Registered on every pad paint; whether it acts is the player's rule.
  cGame::addOverlayTouchArea(680, 210, w, h, actionArea);
}

void paintInventoryButton(ASprite* hud) {
  cActor* focus = play().focusActor;
  if (focus == nullptr || (focus != play().firstPartner && focus != play().secondPartner)) return;
  const int32_t w = hud->getFrameWidth(66);
  const int32_t h = hud->getFrameHeight(66);
  if (!states().hudHidden) {
    const bool hit = touch().touchedArea != nullptr && touch().touchedArea->id == inventoryArea;
    paintFrameAt(hud, hit ? 67 : 66, 662, h / 2 + 10);
    paintFrameAt(spriteAt(interfaceSlot), 45, 662, h / 2 + 10);
  }
  cGame::addTouchArea(662 - w / 2, 10, w, h, inventoryArea);
}

// The first of the items 1, 2, 3 the character carries: its animation of
// the item icons, -1 when it carries none.
int32_t carriedItemAnim(cActorMC* character) {
  for (int32_t item = 1; item <= 3; ++item) {
    if (character->findInventorySlot(item) >= 0) return item - 1;
  }
  return -1;
}

void offerItemShortcut() {
  cActorMC* focus = focusCharacter();
  bool shown = false;
  if (focus != nullptr && !shellStatics().cGameProgress.sideViewMode && !cGame::isInteractionActive() &&
      !focus->isDefeated()) {
    const int32_t anim = carriedItemAnim(focus);
    ASprite* icons = spriteAt(itemIconSlot);
    if (anim >= 0 && icons != nullptr && anim < icons->getAnimCount() && icons->getAFrameCount(anim) > 0) {
      cGame::addTouchArea(195, 40, 70, 70, itemShortcutArea);
      shown = true;
    }
  }
  shellStatics().cGameHud.itemShortcutShown = shown;
}

}  // namespace

int32_t cGame::okButtonLook() {
  cActorMC* p = focusCharacter();
  if (p == nullptr) return 19;
  cActorNPC* n = asCharacter(p->characterInReach);
  cActor* o = p->objectInReach;
  const int32_t c = chapter();
  const bool creatureNear = p->enemyNear;
  const bool somethingToActOn = p->pushable != nullptr ||
                                (n != nullptr && n->talkMode == 3 && n->standAnim != -1 && n->standAnim != 13) ||
                                p->hotspotInReach != nullptr || p->barrierInReach != nullptr ||
                                (o != nullptr && o->param(1) == 2);
  if (somethingToActOn && !creatureNear && worldStatics().cGameEffects.markerShown) {
    if (n != nullptr && ((c == 4 && n->standAnim == 0) || (c == 5 && (n->standAnim == 2 || n->standAnim == 3))))
      return 23;
    return 21;
  }
  if (!creatureNear) {
    const bool looks = (o != nullptr && o->param(1) == 0) || (n != nullptr && n->talkMode == 0) ||
                       (c == 5 && n != nullptr && n->talkMode == 3 && (n->standAnim == -1 || n->standAnim == 13));
    if (looks) return 23;
  }
  return 19;
}

void cGame::paintHudButtons() {
  cGameTouchStatics& state = touch();
  state.hudActive = false;
  if (padHidden()) return;
  state.hudActive = true;
  ASprite* hud = spriteAt(hudSlot);
  if (hud == nullptr) return;
  paintArrows(hud);
  addArrowAreas(hud);

  const int32_t look = okButtonLook();
  paintFrameAt(hud, areaHeld(okArea) ? look + 1 : look, okX, okY);
  int32_t w = hud->getFrameWidth(19) + 30;
  int32_t h = hud->getFrameHeight(19) + 30;
  addTouchArea(okX - w / 2, okY - h / 2, w, h, okArea);

  paintActionButton(hud, w, h);
  paintInventoryButton(hud);
  offerItemShortcut();
  state.touchAreasComplete = true;
}

void cGame::paintHudBackButton() {
  if (isInteractionActive() && interactionKind() == closeUpView && !isConversationActive() &&
      !states().menuSuspended) {
    ASprite* interface = spriteAt(interfaceSlot);
    paintFrameAt(interface, overlayAreaHit(actionArea) ? 28 : 27, 740, 436);
    const int32_t w = interface != nullptr ? interface->getFrameWidth(28) : 0;
    const int32_t h = interface != nullptr ? interface->getFrameHeight(28) : 0;
    addOverlayTouchArea(740 - w / 2, 436 - h / 2, w, h, actionArea);
  }
  ASprite* font = spriteAt(titleFontSlot);
  if (isCinematicActive() && cinematicKind() == gameOverCinematic && cinematicPhase() == 5) {
    if (font != nullptr) font->setPalette(0);
    return;
  }
  if (!isCutsceneActive() || !cutsceneSkipOffered() || isCinematicActive() || states().menuSuspended) return;
  if (cutsceneTransition() == 2) return;
  if (font != nullptr) {
    font->setPalette(0);
    if ((loop().paintTick & 512) != 0) {
      if (String* text = getText(skipText)) font->drawStringAt(loop().graphics, text, 400, 30, centreAnchor, false);
    }
  }
  addOverlayTouchArea(2, 0, 796, 75, skipStripArea);
  touch().overlayAreasComplete = true;
}
