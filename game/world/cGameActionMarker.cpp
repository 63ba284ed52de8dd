// The action marker: shown 100 px above what the player character can act
// on, with an icon for the reason; it follows the character's reach. Also
// the test that keeps the action button away in some story situations.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActorEnemy.h"
#include "game/world/cActorMC.h"
#include "game/world/cActorNPC.h"
#include "runtime/object/ObjectFactory.h"

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

constexpr int32_t markerSlot = 51;

// Icons of the marker sprite.
namespace Icon {
constexpr int32_t alert = 0;
constexpr int32_t talk = 1;
constexpr int32_t act = 2;
constexpr int32_t pointDown = 5;
constexpr int32_t pointUp = 6;
}  // namespace Icon

// The character's talk mode and standing animation; a character that is no
// person has neither.
struct Person {
  bool present = false;
  int32_t talkMode = -1;
  int32_t standAnim = -1;
};
Person personOf(cActor* character) {
  if (character == nullptr) return {};
  if (Object::instanceOf(character, classid::cActorNPC) == 0) return {true, -1, -1};
  auto* npc = static_cast<cActorNPC*>(character);
  return {true, npc->talkMode, npc->standAnim};
}

bool hasObjectMode(cActorMC* f, int32_t mode) { return f->objectInReach != nullptr && f->objectInReach->param(1) == mode; }

// The character is busy with something of its own: a block, a person who
// stands at work, a hotspot, a barrier, or an object of mode 2.
bool isBusy(cActorMC* f, const Person& c) {
  return f->pushable != nullptr || (c.present && c.talkMode == 3 && c.standAnim != -1 && c.standAnim != 13) ||
         f->hotspotInReach != nullptr || f->barrierInReach != nullptr || hasObjectMode(f, 2);
}

int32_t markerIcon(int32_t reason) {
  const int32_t p = shellStatics().cGameProgress.chapter;
  if (p == 1 || p == 6) {
    if (reason == 70) return Icon::pointUp;
    if (reason == 69) return Icon::pointDown;
  }
  cActor* focus = worldStatics().cGamePlay.focusActor;
  if (focus == nullptr || Object::instanceOf(focus, classid::cActorMC) == 0) return Icon::alert;
  auto* f = static_cast<cActorMC*>(focus);
  const Person c = personOf(f->characterInReach);
  if (isBusy(f, c) && !f->enemyNear) {
    const bool talks = (p == 4 && c.present && c.standAnim == 0) ||
                       (p == 5 && c.present && (c.standAnim == 2 || c.standAnim == 3));
    return talks ? Icon::talk : Icon::act;
  }
  const bool talkable = hasObjectMode(f, 0) || (c.present && c.talkMode == 0) ||
                        (c.present && c.talkMode == 3 && p == 5 && (c.standAnim == -1 || c.standAnim == 13));
  return talkable && !f->enemyNear ? Icon::talk : Icon::alert;
}

}  // namespace

void cGame::showActorMarker(cActor* actor, int32_t dx, int32_t dy, int32_t reason) {
  if (actor == nullptr) return;
  cGameEffectsStatics& state = marker();
  state.markerActor = actor;
  if (state.markerPlayer == nullptr) {
    state.markerPlayer = newObject<CVLibPlayer>();
    if (state.markerPlayer == nullptr) return;
    state.markerPlayer->setSprite(shell::spriteAt(markerSlot));
  }
  state.markerPlayer->setAnim(markerIcon(reason), -1);
  state.markerX = dx + actor->getPixelX();
  state.markerY = dy + actor->getPixelY();
  state.markerShown = true;
}

bool cGame::isActionButtonSuppressed() {
  const int32_t p = shellStatics().cGameProgress.chapter;
  if (p == 3 || p == 7) return true;
  cActor* t = worldStatics().cGameRoom.targetActor;
  if (cGame::timedPhase() == -2 && cGame::isProgressAt3Or7() && t != nullptr && !t->isKilled()) return true;
  return cGame::isProgressAt9() && t != nullptr && Object::instanceOf(t, classid::cActorEnemy) != 0 &&
         static_cast<cActorEnemy*>(t)->isOutOfPlay();
}

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
  // What was marked is gone (a pushable sunk, a hotspot picked up): the
  // marker must not go on pointing at the empty place.
  if (candidate == nullptr && state.markerActor != nullptr && state.markerActor->isKilled()) {
    state.markerShown = false;
    state.markerActor = nullptr;
    return;
  }
  if (candidate != nullptr && sideViewMode()) showSideViewReasons(player, candidate);
  if (state.markerPlayer != nullptr) cGame::updateAnimTimed(state.markerPlayer);
}
