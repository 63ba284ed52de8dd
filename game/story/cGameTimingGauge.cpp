// The timing gauge: a bar swings up and down beside the focus character,
// who takes aim at an object; stopping it high enough opens the object and
// frees the cells under it, stopping it too low plays a failure and the
// gauge swings again from the bottom.
#include <cstdint>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/story/InteractionGames.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActorMC.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "runtime/lang/DebugLog.h"

using namespace shell;
using namespace interactiongames;

namespace {

constexpr int32_t gaugeKind = 2;
constexpr int32_t success = 107;
constexpr int32_t top = 127;
constexpr int32_t swingStep = 4;
constexpr int32_t buttonX = 544;
constexpr int32_t buttonFoot = 330;
constexpr int32_t barX = 534;
constexpr int32_t barBottom = 450;
constexpr int32_t swingAnim = 64;
constexpr int32_t pressedAnim = 23;
constexpr int32_t contactSound = 19;
constexpr int32_t crackingSprite = 31;

cActorMC* focusCharacter() {
  cActor* focus = worldStatics().cGamePlay.focusActor;
  return focus != nullptr && Object::instanceOf(focus, classid::cActorMC) != 0 ? static_cast<cActorMC*>(focus)
                                                                               : nullptr;
}

bool isFirstPartner(const cActorMC* c) { return c->partnerIndex == 1; }

// The aiming pose, the stop and the step of the stop at which the character
// reaches the object.
int32_t aimAnim(cActorMC* c) { return isFirstPartner(c) ? 0 : 96 + c->isFacingRight(); }
int32_t stopAnim(cActorMC* c) { return isFirstPartner(c) ? 12 : 98 + c->isFacingRight(); }
int32_t contactStep(const cActorMC* c) { return isFirstPartner(c) ? 3 : 4; }

// Played as the player plays it: asked again for the animation it shows, it
// changes nothing.
void play(cActor* actor, int32_t anim, int32_t loops) {
  if (actor->player != nullptr) actor->player->setAnim(anim, loops);
}

// An animation the actor's sprite lacks never plays out: taken as over, so a
// character without the gauge's poses does not hold the gauge for ever.
bool animOver(const cActor* actor) {
  const CVLibPlayer* player = actor->player;
  return player == nullptr || player->isAnimOver() || player->getAFrameCount() <= 0;
}
bool showsStep(const cActor* actor, int32_t aframe) {
  return actor->player != nullptr && actor->player->anim >= 0 && actor->player->aframe == aframe;
}

// A gauge that cannot be played closes the mode startInteraction opened, so
// the world does not stand still until the next room.
bool refuse(const char* why) {
  debugLog("startGaugeInteraction: %s; no gauge", why);
  cGameInteractionStatics& m = mode();
  m.interactionMode = 2;
  m.interactionModeSeen = 2;
  m.interactionKind = 2;
  m.interactionTarget = nullptr;
  cGame::clearInput();
  cGame::clearTouchState();
  return false;
}

void stop(cGameRaceStatics& r, cActorMC* c, cActor* target) {
  r.gaugeRunning = false;
  r.gaugeStopped = true;
  play(c, stopAnim(c), 1);
  if (r.gaugeValue >= success) {
    r.gaugeSucceeded = true;
    cGame::clearInput();
    cGame::clearTouchState();
  } else {
    play(target, target->param(9), 1);
    r.gaugeSucceeded = false;
  }
}

void swing(cGameRaceStatics& r) {
  if (r.gaugeValue < 1) r.gaugeRising = true;
  if (r.gaugeValue >= top) r.gaugeRising = false;
  r.gaugeValue += r.gaugeRising ? swingStep : -swingStep;
}

// The object the character reaches for names the animation it opens with;
// without one in reach the target's own stands in.
int32_t openingAnim(cActorMC* c, cActor* target) {
  cActor* object = c->objectInReach != nullptr ? c->objectInReach : target;
  return object->param(10);
}

void playOutcome(cGameRaceStatics& r, cActorMC* c, cActor* target) {
  const int32_t a = contactStep(c);
  if (showsStep(c, a) && target->player != nullptr && target->player->sprite == spriteAt(crackingSprite))
    cGame::playSound(contactSound, false);
  if (r.gaugeSucceeded) {
    const int32_t opening = openingAnim(c, target);
    // A stop that ends before its contact step still reaches the object.
    const bool reached = showsStep(c, a) || animOver(c);
    if (reached && target->player != nullptr && target->player->anim != opening) {
      play(target, opening, 1);
      cGame::markSpriteBox(target, target->player->sprite, target->param(11), target->getPixelX(),
                           target->getPixelY(), false, 1);
    }
    if (animOver(c) && animOver(target)) cGame::leaveInteraction();
    return;
  }
  if (!animOver(c)) return;
  r.gaugeStopped = false;
  r.gaugeRunning = true;
  r.gaugeValue = 0;
  play(target, target->param(11), 1);
  play(c, aimAnim(c), 1);
}

}  // namespace

bool cGameStory::startGaugeInteraction(cActor* target) {
  if (target == nullptr) return refuse("no object");
  cActorMC* c = focusCharacter();
  if (c == nullptr) return refuse("no focus character");
  // Most rooms do not load the gauge's sprite.
  if (!hasAnim(spriteAt(buttonSlot), swingAnim) || !hasFrame(spriteAt(buttonSlot), buttonAreaFrame))
    return refuse("its sprite is not loaded");
  cGameRaceStatics& r = race();
  r.gaugeValue = 0;
  r.gaugeRunning = true;
  r.gaugeSucceeded = false;
  r.gaugeStopped = false;
  if (CVLibPlayer* button = startButton(buttonX)) button->y = buttonFoot - playerFrameHeight(button);
  play(c, aimAnim(c), -1);
  cGame::clearInput();
  cGame::clearTouchState();
  return true;
}

void cGameStory::updateGaugeGame() {
  cGameInteractionStatics& m = mode();
  cActor* target = m.interactionTarget;
  cActorMC* c = focusCharacter();
  if (target == nullptr || c == nullptr) return;
  cGameRaceStatics& r = race();
  if (r.gaugeRunning && (eitherPressed(okKeys) || releasedOn(okArea))) {
    takeRelease(okArea);
    stop(r, c, target);
  }
  if (m.interactionModeSeen != 1) return;
  if (worldStatics().cGameEffects.markerShown) cGame::resetActionMarker();
  m.interactionOverWorld = true;
  if (r.gaugeRunning) swing(r);
  if (r.interactionButton != nullptr)
    r.interactionButton->setAnim(r.gaugeValue >= success ? r.interactionButtonAnim + 1 : r.interactionButtonAnim, -1);
  if (r.gaugeStopped) playOutcome(r, c, target);
  c->animate();
  target->animate();
  if (r.interactionButton != nullptr) r.interactionButton->update(loop().frameTime);
}

void cGameStory::paintGaugeGame() {
  javax_microedition_lcdui_Graphics* g = loop().graphics;
  if (g == nullptr) return;
  cGameRaceStatics& r = race();
  const int32_t v = r.gaugeValue;
  g->setColor(0xFFFFFF);
  if (v > 0) g->fillRect(barX, barBottom - v, 20, v);
  g->setColor(0xFFFF00);
  g->drawLine(barX - 1, barBottom - success, barX + 20, barBottom - success);
  g->setColor(0x000000);
  g->drawRect(barX - 2, barBottom - 129, 23, 130);
  ASprite* sprite = spriteAt(buttonSlot);
  if (hasAnim(sprite, swingAnim)) {
    const int32_t steps = sprite->getAFrameCount(swingAnim);
    spritePainterCalls().paintAFrame(sprite, g, swingAnim, (loop().frameCount / 4) % steps, 400, 300, 0);
  }
  CVLibPlayer* button = r.interactionButton;
  const FrameSize size = frameSize(sprite, buttonAreaFrame);
  if (!states().menuSuspended) {
    const int32_t buttonHeight = button != nullptr ? playerFrameHeight(button) : 0;
    cGame::addTouchArea(buttonX - size.width / 2, buttonFoot - size.height / 2 - buttonHeight, size.width,
                        size.height, okArea);
    touch().touchAreasComplete = true;
  }
  if (button == nullptr) return;
  const cGameTouchStatics& pointer = touch();
  const bool pressed = pointer.touchedArea != nullptr && pointer.touchedArea->id == okArea &&
                       (pointer.pointerIsDown || pointer.pointerDragging || pointer.pointerWasReleased);
  if (r.gaugeSucceeded) {
    button->setAnim(pressedAnim, -1);
  } else if (pressed) {
    button->setAnim(pressedAnim, 1);
  } else {
    button->setAnim(r.interactionButtonAnim, -1);
  }
  button->paint();
}

void cGameStory::resetRunningGauge() {
  if (!cGame::isInteractionActive() || mode().interactionKind != gaugeKind || !race().gaugeRunning) return;
  race().gaugeValue = 0;
}
