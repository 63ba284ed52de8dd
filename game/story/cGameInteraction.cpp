// The interaction modes: an object used in a close-up view, a two-button
// race or a timing gauge instead of by the ordinary walk-and-use. While a
// mode is open it owns the frame: the in-game update steps it instead of the
// popup, the actors and the cutscene, and the paint draws its screen.
#include <algorithm>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/toolkit/ASprite.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActor.h"
#include "runtime/lang/DebugLog.h"

namespace {

// InteractionKind.
constexpr int32_t closeUpView = 0;
constexpr int32_t twoButtonRace = 1;
constexpr int32_t timingGauge = 2;
constexpr int32_t noInteraction = -1;

constexpr int32_t modeOpen = 1;
constexpr int32_t modeLeft = 2;
constexpr int32_t closeUpLoopSound = 10;
constexpr int32_t footprintBit = 4;
constexpr int32_t smallestFrame = 30;

cGameInteractionStatics& mode() { return storyStatics().cGameInteraction; }

// Width (or height) of the frame aframe 0 of the actor's animation shows.
int32_t actorFrameExtent(cActor* actor, bool width) {
  CVLibPlayer* player = actor != nullptr ? actor->player : nullptr;
  ASprite* sprite = player != nullptr ? player->sprite : nullptr;
  if (sprite == nullptr || player->anim < 0) return smallestFrame;
  const int32_t frame = sprite->getAFrameFrame(player->anim, 0);
  return std::max(width ? sprite->getFrameWidth(frame) : sprite->getFrameHeight(frame), smallestFrame);
}

}  // namespace

int32_t cGameStory::getActorFrameWidth(cActor* actor) { return actorFrameExtent(actor, true); }
int32_t cGameStory::getActorFrameHeight(cActor* actor) { return actorFrameExtent(actor, false); }

bool cGame::isInteractionActive() {
  return mode().interactionMode == modeOpen || mode().interactionModeSeen == modeOpen;
}

int32_t cGame::interactionKind() { return isInteractionActive() ? mode().interactionKind : noInteraction; }

bool cGame::interactionOverWorld() { return mode().interactionOverWorld; }

bool cGame::startInteraction(cActor* actor) {
  cGameInteractionStatics& s = mode();
  if (isInteractionActive() || actor == nullptr) return false;
  runTrigger(actor->param(3), actor->param(4), actor->param(5), actor->param(6), actor->param(7));
  const int32_t kind = actor->param(1);
  s.interactionKind = kind;
  if (kind == noInteraction) return false;
  // The race needs a creature to run against: the one the object's trigger
  // has just woken.
  if (kind == twoButtonRace) {
    if (!startObjectRace(actor)) return false;
    clearHint();
    return true;
  }
  // A mode without a screen of its own would stop the room with no way out
  // but another room's load: such objects are refused before the world
  // stops.
  if (kind != closeUpView && kind != timingGauge) {
    debugLog("Interaction of actor %d has kind %d, which cannot be opened here: refused", actor->id, kind);
    return false;
  }
  const int32_t savedMode = s.interactionMode;
  const int32_t savedSeen = s.interactionModeSeen;
  cActor* savedTarget = s.interactionTarget;
  s.interactionMode = modeOpen;
  s.interactionModeSeen = 0;
  s.interactionTarget = actor;
  const bool ready = kind == closeUpView ? startHotspotSearch(actor) : startGaugeInteraction(actor);
  if (!ready) {
    // A view without its picture would only show the cursor over an empty
    // screen: the mode is not left open.
    debugLog("Interaction of actor %d (kind %d) could not be set up: refused", actor->id, kind);
    s.interactionMode = savedMode;
    s.interactionModeSeen = savedSeen;
    s.interactionTarget = savedTarget;
    return false;
  }
  clearHint();
  return true;
}

bool cGame::leaveInteraction() {
  cGameInteractionStatics& s = mode();
  s.interactionMode = modeLeft;
  if (s.interactionKind == closeUpView) {
    s.closeUpHotspot = nullptr;
    stopSound(closeUpLoopSound);
  } else if (s.interactionKind == timingGauge) {
    s.interactionOverWorld = true;
    if (cActor* target = s.interactionTarget) {
      target->setFlag(ActorFlags::ACTIVE, false);
      if (target->kind == ActorKind::BARRIER) stampFootprint(target, 1, footprintBit, false);
    }
  }
  clearInput();
  clearTouchState();
  s.interactionModeSeen = modeLeft;
  s.interactionKind = modeLeft;
  return true;
}

void cGame::updateInteraction() {
  cGameInteractionStatics& s = mode();
  if (!isInteractionActive() || isConversationActive()) return;
  s.interactionModeSeen = s.interactionMode;
  switch (s.interactionKind) {
    case closeUpView: updateCloseUp(); break;
    case twoButtonRace: updateTwoButtonGame(); break;
    case timingGauge: updateGaugeGame(); break;
    default: break;
  }
  // The target outlives the leaving update, so the close-up's cutscene
  // after leaving could still run.
  if (s.interactionModeSeen == modeLeft) s.interactionTarget = nullptr;
}

void cGame::paintInteraction() {
  if (!isInteractionActive()) return;
  switch (mode().interactionKind) {
    case closeUpView: paintCloseUp(); break;
    case twoButtonRace: paintTwoButtonGame(); break;
    case timingGauge: paintGaugeGame(); break;
    default: break;
  }
}

void cGame::resetInteraction() {
  cGameInteractionStatics& s = mode();
  s.interactionModeSeen = 0;
  s.closeUpCursor = nullptr;
  s.closeUpChain = nullptr;
  s.closeUpHotspot = nullptr;
  s.interactionTarget = nullptr;
  // The race's players show the old room's sprites.
  dropRacePlayers();
}
