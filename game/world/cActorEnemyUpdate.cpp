// The creature's frame: wake bit, wearing out, sight, and one step of its
// state machine; the states' entry actions.
#include <algorithm>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActorEnemy.h"
#include "game/world/cActorMC.h"
#include "runtime/lang/Arrays.h"
#include "runtime/object/ObjectFactory.h"

namespace {

constexpr int32_t effectSprite = 51;
constexpr int32_t defeatSound = 16;
constexpr int32_t defeatedResult = 3;
constexpr int32_t chargeRest = 7000;

int32_t timeStep() { return shellStatics().cGameLoop.timeStep; }

bool focusIsDefeated(cActor* focus) {
  if (focus == nullptr) return false;
  if (Object::instanceOf(focus, classid::cActorMC) != 0) return static_cast<cActorMC*>(focus)->isDefeated();
  return focus->hp < 1;
}

}  // namespace

void cActorEnemy::animate() {
  if (player != nullptr) {
    if (state == 100) player->update(shellStatics().cGameLoop.frameTime);
    else cActor::animate();
  }
  if (markerPlayer != nullptr) markerPlayer->update(timeStep());
}

void cActorEnemy::update() {
  if (updatedThisFrame) return;
  updatedThisFrame = true;
  if (isKilled() && state == 104) return;
  animate();
  tickBalloon();
  if (!isActive()) return;
  if (hasEffect && effectPlayer != nullptr) effectPlayer->update(timeStep());
  if (state == 100) shownHp = hp;
  if (wearsOut() && !isDefeated() && isOnScreen()) {
    const int32_t secondsBefore = lifeTimer / 1000;
    lifeTimer += timeStep();
    if (lifeTimer / 1000 != secondsBefore) hp = std::max(hp - 1, 0);
    if (isDefeated()) {
      setState(666, 0);
      hp = 0;
      return;
    }
  }
  walkSpeed = wearsOut() ? 96 : behaviourType() == LEADER ? 90 : 60;
  cActor* focus = focusActor();
  if (hasOption(OPTION_VIEW_CONE) && focus != nullptr && isOnScreen()) traceCone(focus);
  if (focusIsDefeated(focus)) setState(0, 0);
  if (!updateMove()) return;
  if (!worldStatics().cGamePlay.behavioursEnabled || hasFlag(ActorFlags::HELD)) {
    followBoundActor();
    return;
  }
  stepState();
  applyBehaviour();
  if (param(26) < chargeRest) setParam(26, param(26) + timeStep());
  followBoundActor();
}

void cActorEnemy::setState(int32_t newState, int32_t value) {
  const bool leader = behaviourType() == LEADER;
  switch (newState) {
    case 9:
      setParam(15, leader ? 0 : 300 * (1 + randomBelow(3)));
      break;
    case 10:
      setParam(17, leader ? 0 : randomBelow(4));
      break;
    case 11:
    case 12:
      if (leader) {
        IntArray* remarks = worldStatics().cActorEnemy.alarmedRemarks;
        if (remarks != nullptr && remarks->length() > 0) {
          setBalloon(remarks->get(cGame::randomInRange(0, remarks->length())), 3000, 0, 0);
        }
      }
      setParam(15, newState == 11 ? 500 * randomBelow(2) : 300 * (1 + randomBelow(3)));
      break;
    case 13:
      setParam(15, 300 * (1 + randomBelow(2)));
      break;
    case 16:
      setParam(26, 0);
      break;
    case 23:
      subState = value;
      if (value == 0) useVariant = 0;
      break;
    case 25:
      if (cGame::isAnchoredPanelActive()) cGame::closeAnchoredPanel();
      if (hasOption(OPTION_VIEW_CONE)) {
        if (cActor* focus = focusActor()) focus->flags |= ActorFlags::HELD;
      }
      setBalloon(228, 3000, 0, 0);
      setParam(15, 2000);
      break;
    case 26:
      subState = 0;
      setParam(15, 500 * (3 + randomBelow(3)));
      break;
    case 99:
      setParam(15, 2000);
      break;
    case 100:
      resumeState = state;
      setParam(15, 500);
      break;
    case 102:
      subState = value;
      setParam(15, 500);
      cGame::playSound(defeatSound, false);
      break;
    case 104:
      setParam(15, 5000);
      break;
    case 106:
      setParam(15, 3000);
      if (effectPlayer == nullptr) effectPlayer = newObject<CVLibPlayer>();
      if (effectPlayer != nullptr) {
        effectPlayer->setSprite(shell::spriteAt(effectSprite));
        effectPlayer->setAnim(0, -1);
      }
      hasEffect = effectPlayer != nullptr;
      break;
    case 666:
      setParam(15, 2000);
      if (!isKilled()) {
        flags |= ActorFlags::KILLED;
        IntArray* results = shellStatics().cGameShared.results;
        if (results != nullptr && defeatedResult < results->length()) {
          results->set(defeatedResult, results->get(defeatedResult) + 1);
        }
        clearBalloon();
        if (param(25) > 0) cActor::dropItem(param(25), getPixelX(), getPixelY(), 0);
      }
      break;
    default:
      break;
  }
  state = newState;
}

void cActorEnemy::stepState() {
  cActor* focus = focusActor();
  switch (state) {
    case 0:
      if (isDefeated()) {
        setState(104, 0);
      } else if (sees(focus)) {
        raiseAlert(true, options() == 0 ? 9 : 5);
      } else if (hasOption(OPTION_PATROLS) && param(7) > 0) {
        setState(1, 0);
      } else if (behaviourType() == ORDINARY) {
        setState(105, 0);
      }
      break;
    case 1:
      if (sees(focus)) {
        raiseAlert(true, 5);
      } else if (hasOption(OPTION_PATROLS)) {
        if (patrolNode == 0) {
          if (IntArray* point = cGame::getPathNodePos(param(7))) {
            setParam(10, point->get(0));
            setParam(11, point->get(1));
          }
          patrolNode = param(7);
        }
        faceToward(param(10), param(11), 0);
        if (isNear(param(10), param(11), 16)) {
          const int32_t next = cGame::getPathNodeNext(param(7));
          if (IntArray* point = cGame::getPathNodePos(next)) {
            setParam(7, next);
            setParam(10, point->get(0));
            setParam(11, point->get(1));
          }
          setState(13, 0);
        } else {
          walk(walkSpeed, -1);
        }
      }
      break;
    case 5:
      stepChase();
      break;
    case 9:
      if (!isWithinReach(focus, 80, 32)) {
        setState(5, 0);
      } else if (countDown() < 1) {
        if (hasClearLine(focus, 197)) {
          faceTile(focus);
          setParam(15, 0);
          setState(10, 0);
        } else {
          setState(12, 0);
        }
      }
      break;
    case 10:
      if (isWithinReach(focus, 80, 32) && hasClearLine(focus, 197)) stepStrike();
      if (animationEnded()) setState(5, 0);
      break;
    case 11:
    case 12:
      if (countDown() < 0 && atLastFrame()) setState(5, 0);
      break;
    case 13:
      countDown();
      if (sees(focus)) {
        if (hasOption(OPTION_VIEW_CONE)) {
          faceToward(focus->getPixelX(), focus->getPixelY(), 0);
          setBalloon(227, 3000, 0, 0);
          setState(25, 0);
        } else {
          setState(5, 0);
        }
        if (behaviourType() == CALLER) {
          setState(26, 0);
          callReinforcements();
        }
      } else if (param(15) < 0 && atLastFrame()) {
        setState(1, 0);
      }
      break;
    case 14:
      if (homePoint != nullptr) {
        const int32_t px = getPixelX();
        const int32_t py = getPixelY();
        setX((px + (homePoint->get(0) - px) / 2) << 8);
        setY((py + (homePoint->get(1) - py) / 2) << 8);
      }
      setState(resumeState, -1);
      break;
    case 16:
      if (animationFrame() >= 5 && animationFrame() <= 8) {
        stepSweep();
        walk(400, -1);
      }
      if (animationEnded()) {
        faceTile(focus);
        setState(5, 0);
      }
      break;
    case 21:
      stepGrab();
      break;
    case 22:
      if (homePoint != nullptr) {
        const int32_t hx = homePoint->get(0);
        const int32_t hy = homePoint->get(1);
        faceToward(hx, hy, 0);
        const int64_t step = int64_t{timeStep()} * walkSpeed;
        setX(static_cast<int32_t>(x + int64_t{param(13)} * step / 1000));
        setY(static_cast<int32_t>(y + int64_t{param(14)} * step / 1000));
        if (std::abs(getPixelX() - hx) <= 1 && std::abs(getPixelY() - hy) <= 1) {
          if (linkedActor != nullptr) {
            if (getPixelY() < linkedActor->getPixelY()) direction = DirectionMask::DOWN;
            else if (getPixelY() > linkedActor->getPixelY()) direction = DirectionMask::UP;
          }
          const int32_t use = linkedActor == nullptr ? -1
                              : linkedActor->param(2) == 1 ? 1
                              : linkedActor->param(2) == 0 ? 0
                                                           : -1;
          if (use >= 0) setState(23, use);
        }
      }
      break;
    case 23:
      if (subState == 0 && atLastFrame()) useVariant = nextRandom() & 3;
      break;
    case 25:
      if (countDown() < 0 && atLastFrame()) {
        if (hasOption(OPTION_VIEW_CONE)) cGame::openCinematic(0x7FFFFFFF, 2, 0);
        else setState(5, 0);
      }
      break;
    case 26:
      if (focus != nullptr) retreatStep(focus->getPixelX(), focus->getPixelY(), walkSpeed * 3);
      break;
    case 99:
      if (subState == 0) {
        if (animationEnded()) subState = 1;
      } else if (countDown() < 0) {
        setState(5, 0);
      }
      break;
    case 100:
      stepHitReaction();
      break;
    case 102:
      if (countDown() < 0 && animationEnded()) {
        if (isDefeated()) startDying(1);
        else setState(103, 0);
      }
      break;
    case 103:
      if (animationEnded()) setState(5, 0);
      break;
    case 104:
      flags |= ActorFlags::HIDDEN;
      if (hasOption(OPTION_UNLINK_OUT_OF_PLAY)) unlink();
      break;
    case 105:
      if (sees(focus)) raiseAlert(false, 5);
      break;
    case 106: {
      const int32_t left = countDown();
      if (left > 0) {
        cActorMC* character = focusCharacter();
        if (character != nullptr && cGame::boxesOverlap(interactBox, this, character->footprint, character) &&
            character->actionKeyPressed()) {
          cGame::startButtonInteraction(this);
          hasEffect = false;
        }
      } else {
        setState(103, 0);
        hasEffect = false;
      }
      break;
    }
    case 666:
      if (countDown() < 1) {
        setState(104, 0);
      } else if (param(15) < 1000) {
        flags ^= ActorFlags::HIDDEN;
      }
      break;
    default:  // 3, 15, 107 and any other number have no step
      break;
  }
}
