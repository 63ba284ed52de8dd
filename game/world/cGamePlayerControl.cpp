// Who the player steers: the control switch, the choice of the focus
// character among the partners and their companion links, moving an actor
// by script, and the close-up's hotspots being used up.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/world/cActorMC.h"
#include "runtime/lang/DebugLog.h"

namespace {

constexpr int32_t panMilliseconds = 500;
// The collision bit of a standing character's frame.
constexpr int32_t characterBit = 8;

cGamePlayStatics& play() { return worldStatics().cGamePlay; }

cActorMC* asCharacter(cActor* actor) {
  return actor != nullptr && Object::instanceOf(actor, classid::cActorMC) != 0 ? static_cast<cActorMC*>(actor)
                                                                               : nullptr;
}

cActorMC* findPartner(int32_t id) { return asCharacter(cActor::findByKindAndId(id, ActorKind::PLAYER)); }

// A partner that follows someone finds it again, or stops following.
void relinkCompanion(cActorMC* partner) {
  if (partner == nullptr) return;
  const int32_t companionId = partner->param(6);
  if (companionId > 0) {
    if (cActorMC* companion = findPartner(companionId)) {
      partner->attachCompanion(companion, companionId);
    } else {
      partner->detachCompanion();
    }
  }
  partner->setState(0);
}

}  // namespace

void cGameWorld::setPlayerControl(bool on) {
  cGamePlayStatics& state = play();
  if (on) {
    state.playerControl = true;
    return;
  }
  state.playerControl = false;
  if (cActorMC* focus = asCharacter(state.focusActor)) {
    focus->setState(0);
    if (cActor* carried = focus->linkedActor; carried != nullptr && carried->isParam13Set()) {
      carried->putDownBeside(focus);
      focus->linkedActor = nullptr;
    }
    if (focus->damageTimeLeft > 0) {
      focus->damageTimeLeft = 0;
      focus->damageElapsed = 0;
      focus->damageInterval = 0x7FFFFFFF;
      focus->damageSource = 0;
    }
  }
  if (isAnchoredPanelActive()) closeAnchoredPanel();
}

bool cGameWorld::hasPlayerControl() { return play().playerControl && play().focusActor != nullptr; }

void cGameWorld::linkPartners(int32_t a, int32_t b) {
  cActorMC* first = findPartner(a);
  // A script naming no character of the room changes nothing.
  if (first == nullptr) {
    debugLog("linkPartners: no character %d", a);
    return;
  }
  if (cActorMC* second = findPartner(b)) {
    first->attachCompanion(second, b);
  } else {
    first->detachCompanion();
    first->setState(0);
  }
}

void cGameWorld::selectPlayer(int32_t id) {
  cActorMC* chosen = findPartner(id);
  // Without that character the focus stays where it is.
  if (chosen == nullptr) {
    debugLog("selectPlayer: no character %d", id);
    return;
  }
  if (cActorMC* current = asCharacter(play().focusActor)) current->setState(0);
  setFocusActor(chosen);
  findPartnerActors();
  relinkCompanion(play().firstPartner);
  relinkCompanion(play().secondPartner);
  cGame::setCameraTarget(chosen, panMilliseconds);
}

void cGameWorld::placeActor(cActor* actor, int32_t x, int32_t y) {
  if (actor == nullptr) return;
  const bool stamped = actor->kind == ActorKind::NPC;
  if (stamped) stampFootprint(actor, 1, characterBit, false);
  actor->setX(x);
  actor->setY(y);
  if (stamped) stampFootprint(actor, 0, characterBit, false);
  if (actor == play().focusActor) {
    play().lastFocusX = actor->getPixelX();
    play().lastFocusY = actor->getPixelY();
  }
}

cActor* cGameWorld::consumeHotspot(int32_t id) {
  // A chain that the level data closes into a loop is walked once round.
  int32_t steps = 1;
  for (cActor* actor = cActor::layerHead(0); actor != nullptr; actor = actor->nextInLayer) ++steps;
  for (cActor* hotspot = storyStatics().cGameInteraction.closeUpChain; hotspot != nullptr && steps-- > 0;
       hotspot = hotspot->chainNext) {
    if (hotspot->kind == ActorKind::COLLECTIBLE && hotspot->id == id && hotspot->param(1) != 1) {
      hotspot->setFlag(ActorFlags::ACTIVE, true);
      hotspot->setParam(1, 1);
      return hotspot;
    }
  }
  return nullptr;
}

void cGameWorld::findPartnerActors() {
  cGamePlayStatics& state = play();
  state.firstPartner = nullptr;
  state.secondPartner = nullptr;
  for (cActor* actor = cActor::layerHead(0); actor != nullptr; actor = actor->nextInLayer) {
    cActorMC* partner = actor->kind == ActorKind::PLAYER ? asCharacter(actor) : nullptr;
    if (partner == nullptr) continue;
    if (partner->partnerIndex == 0) state.firstPartner = partner;
    else if (partner->partnerIndex == 1) state.secondPartner = partner;
  }
}
