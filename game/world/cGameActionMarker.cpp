// The action marker: shown 100 px above what the player character can act
// on, with an icon for the reason; it follows the character's reach.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActorMC.h"
#include "game/world/cActorNPC.h"

namespace {

constexpr int32_t markerHeight = -100;

namespace Reason {
constexpr int32_t machineHit = 11;
constexpr int32_t plain = 5;
constexpr int32_t sideActionA = 67;
constexpr int32_t sideActionB = 69;
constexpr int32_t sideLowered = 68;
constexpr int32_t sideRaised = 70;
}  // namespace Reason

cGameEffectsStatics& marker() { return worldStatics().cGameEffects; }

bool sideViewMode() { return shellStatics().cGameProgress.sideViewMode; }

// A character that can be talked to from here.
bool isTalkable(cActor* character) {
  if (!character->isActive() || character->param(3) < 1) return false;
  return Object::instanceOf(character, classid::cActorNPC) != 0 &&
         static_cast<cActorNPC*>(character)->talkMode == 3;
}

cActor* markerCandidate(cActorMC* player) {
  if (cActor* barrier = player->barrierInReach;
      barrier != nullptr && barrier->player != nullptr && barrier->param(4) < 1 && barrier->param(5) < 1) {
    return barrier;
  }
  if (cActor* character = player->characterInReach) return isTalkable(character) ? character : nullptr;
  if (player->objectInReach != nullptr) return player->objectInReach;
  if (player->pushable != nullptr && player->state != 10 && player->state != 11) {
    marker().markerForced = true;
    return player->pushable;
  }
  if (sideViewMode()) {
    cActor* target = cGame::sideViewTarget();
    return target != nullptr ? target : player;
  }
  return nullptr;
}

// Each that applies replaces the one before.
void showSideViewReasons(cActorMC* player, cActor* candidate) {
  if (player->hasSideViewAction(0)) {
    cGame::showActorMarker(candidate, 0, markerHeight, Reason::sideActionA);
  } else if (player->hasSideViewAction(1)) {
    cGame::showActorMarker(candidate, 0, markerHeight, Reason::sideActionB);
  }
  if (player->state == 115 || player->state == 116) {
    cGame::showActorMarker(candidate, 0, markerHeight, Reason::sideRaised);
  }
  if (player->state == 114 || player->state == 117) {
    cGame::showActorMarker(candidate, 0, markerHeight, Reason::sideLowered);
  }
  if (candidate->behaviourMode == 2 && candidate->isMachineHit()) {
    cGame::showActorMarker(candidate, 0, markerHeight, Reason::machineHit);
  }
}

}  // namespace

void cGameWorld::resetActionMarker() {
  cGameEffectsStatics& state = marker();
  state.markerShown = false;
  state.markerActor = nullptr;
  state.markerPlayer = nullptr;
  state.markerForced = false;
  state.markerPainted = false;
}

void cGameWorld::updateActionMarker() {
  cActor* focus = worldStatics().cGamePlay.focusActor;
  if (focus == nullptr || Object::instanceOf(focus, classid::cActorMC) == 0) {
    resetActionMarker();
    return;
  }
  auto* player = static_cast<cActorMC*>(focus);
  cActor* candidate = markerCandidate(player);
  cGameEffectsStatics& state = marker();
  const bool alreadyMarked = candidate != nullptr && state.markerShown && state.markerActor == candidate;
  if (candidate != nullptr && !alreadyMarked) {
    if (sideViewMode()) {
      showSideViewReasons(player, candidate);
    } else {
      cGame::showActorMarker(candidate, 0, markerHeight, Reason::plain);
    }
    return;
  }
  if (!state.markerShown) return;
  if (candidate != nullptr && sideViewMode()) showSideViewReasons(player, candidate);
  if (state.markerPlayer != nullptr) cGame::updateAnimTimed(state.markerPlayer);
}
