// The creature against the focus character: the alarm, the chase, the
// strike, the leader's sweep, the grab and the reaction to a blow.
#include <cstdlib>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActorEnemy.h"
#include "game/world/cActorMC.h"
#include "runtime/lang/Arrays.h"

namespace {

constexpr int32_t defeatSound = 16;
constexpr int32_t barrierBreakSound = 21;
constexpr int32_t chargeRest = 7000;

// The focus is bound to an object other than the creature's own.
bool boundElsewhere(cActor* focus, cActor* own) {
  return focus != nullptr && focus->boundActor != nullptr && focus->boundActor != own;
}

}  // namespace

void cActorEnemy::raiseAlert(bool withCallerStep, int32_t plainState) {
  cActor* focus = focusActor();
  if (behaviourType() == LEADER) cGame::startCaptionSequence();
  if (hasOption(OPTION_VIEW_CONE) && focus != nullptr) {
    faceToward(focus->getPixelX(), focus->getPixelY(), 0);
    setState(25, 0);
  } else {
    setState(plainState, 0);
  }
  if (withCallerStep && behaviourType() == CALLER) {
    setState(26, 0);
    callReinforcements();
  }
}

void cActorEnemy::stepChase() {
  cActor* focus = focusActor();
  if (focus == nullptr) return;
  if (behaviourType() == ORDINARY && !wearsOut()) chatter(worldStatics().cActorEnemy.idleRemarks, 10);
  if (!wearsOut()) {
    if (isWithinReach(focus, 80, 32) && !boundElsewhere(focus, boundActor)) {
      if (hasClearLine(focus, 197)) setState(9, 0);
      return;
    }
  } else if (isWithinReach(focus, 20, 32)) {
    if (cActorMC* character = focusCharacter()) character->enterHit(1, horizontalFacing(), 8);
    setState(666, 0);
    hp = 0;
    return;
  }
  auto faceFocus = [this, focus] { faceToward((getPixelX() + focus->getPixelX()) / 2, focus->getPixelY(), 0); };
  faceFocus();
  if (approximateDistance(focus->getPixelX() - getPixelX(), focus->getPixelY() - getPixelY()) >= 129) walkSpeed = 120;
  if (boundElsewhere(focus, boundActor) && behaviourType() != LEADER) {
    walkSpeed = isNarrowBinding(focus->bindRecord) ? 120 : 0;
    if (isWithinReach(focus, 160, 120)) {
      setState(21, 0);
      if (getPixelY() > focus->getPixelY()) setZ(focus->z);
    }
  } else if (!wearsOut()) {
    const int32_t first = nextRandom();
    const int32_t second = nextRandom();
    if ((first & 0x411) == 0x411 && (second & 0x412) == 0x412) setState(12, 0);
  }
  if (behaviourType() == LEADER && param(26) >= chargeRest && isWithinReach(focus, 240, 60) &&
      !isWithinReach(focus, 80, 32)) {
    faceToward(focus->getPixelX(), getPixelY(), 0);
    setState(16, 0);
  }
  if (!walk(walkSpeed, -1) && state == 5) {
    for (int32_t attempt = 0; attempt < 4; ++attempt) {
      detour(walkSpeed);
      faceFocus();
      if (walk(walkSpeed, -1)) break;
    }
  }
}

void cActorEnemy::stepStrike() {
  cActor* focus = focusActor();
  if (focus == nullptr) return;
  const int32_t variant = param(17);
  const int32_t hitFrame = variant == 1 ? 1 : 2;
  const int32_t blowKind = variant == 2 ? 1 : 0;
  faceTile(focus);
  if (animationFrame() != hitFrame) return;
  cActorMC* character = focusCharacter();
  if (character != nullptr && character->state != 8) character->enterHit(blowKind, horizontalFacing(), 8);
  if (std::abs(getPixelX() - focus->getPixelX()) < 9) walk(2560, horizontalFacing());
}

void cActorEnemy::stepSweep() {
  const int32_t facing = horizontalFacing();
  cActorMC* character = focusCharacter();
  for (cActor* other = layerHead(layer < 0 ? 0 : layer); other != nullptr; other = other->nextInLayer) {
    if (other == this) continue;
    const bool inReach = cGame::isNearInDirection(this, other, facing, 120, 60);
    if (!inReach) continue;
    if (cActorEnemy* creature = asCreature(other)) {
      if (!creature->isDefeated() && !creature->isDying()) creature->takeBlow(3, facing, 5);
    } else if (other->kind == ActorKind::BARRIER) {
      other->hp = 0;
      if (other->param(2) != 2) {
        other->setParam(3, 2);
        other->setParam(1, 18);
        other->setAnim(18, 1);
        cGame::playSound(barrierBreakSound, false);
      }
    }
  }
  if (character != nullptr && cGame::isNearInDirection(this, character, facing, 120, 60)) {
    character->enterHit(2, facing, 15);
  }
}

void cActorEnemy::stepGrab() {
  cActor* focus = focusActor();
  if (focus == nullptr) return;
  cActorMC* character = focusCharacter();
  cActor* object = focus->boundActor;
  IntArray* record = focus->bindRecord;
  const int32_t frame = animationFrame();
  if (frame >= 1 && frame <= 4 && object != nullptr && record != nullptr) {
    const bool rightOfMiddle = int64_t{record->get(2)} / 2 + object->x < focus->x;
    const int32_t targetX = object->getPixelX() + (rightOfMiddle ? -20 : 20);
    int32_t dx = (targetX - getPixelX()) / 2;
    int32_t dy = (focus->getPixelY() - getPixelY()) / 2;
    if (std::abs(dx) >= 8) dx = dx > 0 ? 8 : -8;
    if (std::abs(dy) >= 8) dy = dy > 0 ? 8 : -8;
    const bool heldByPopup = cGame::isPopupActive() && character != nullptr && character->shotTarget == this;
    if (!heldByPopup) {
      setX(x + (dx << 8));
      setY(y + (dy << 8));
    }
  }
  if (frame == 2) {
    setZ(focus->z);
  } else if (frame == 4 && record != nullptr) {
    if (bindRecord == nullptr) bindRecord = newIntArray(6);
    if (bindRecord != nullptr) {
      for (int32_t i = 0; i < 4; ++i) bindRecord->set(i, record->get(i));
    }
  } else if (frame == 1 && boundActor == nullptr && object != nullptr && record != nullptr) {
    IntArray* own = newIntArray(6);
    if (own != nullptr) {
      for (int32_t i = 0; i < 4; ++i) own->set(i, record->get(i));
      own->set(4, object->x);
      own->set(5, object->y);
      bindRecord = own;
      boundActor = object;
    }
    if (character != nullptr && !character->isDefeated()) grabFocus();
  }
  if (animationEnded()) {
    setState(10, 0);
    if (character != nullptr && character->grabTarget == this) {
      cGame::closePopup();
      cGame::resetTimerRing();
    }
  }
}

void cActorEnemy::stepHitReaction() {
  const int32_t reaction = subState;
  if (animationEnded()) {
    if (isDefeated()) {
      switch (reaction) {
        case 3: case 8: case 9: case 10:
          startDying(1);
          cGame::playSound(defeatSound, false);
          break;
        case 4:
          startDying(2);
          cGame::playSound(defeatSound, false);
          break;
        case 12:
          setState(108, 0);
          palette = 0;
          flags &= ~ActorFlags::KIND_STATE;
          break;
        default:
          setState(102, 0);
          break;
      }
      return;
    }
    switch (reaction) {
      case 3: case 4: case 8: case 10:
        if (countDown() < 0) setState(103, 0);
        break;
      case 5:
        subState = 1;
        setState(15, 0);
        break;
      case 7:
        setState(99, 0);
        break;
      case 9:
        setState(106, 0);
        break;
      case 12:
        if (countDown() < 0) {
          setState(26, 0);
          palette = 0;
        }
        break;
      default:
        if (behaviourType() == LEADER && param(18) >= 4) {
          setParam(18, 0);
          setState(99, 0);
          subState = 0;
        } else {
          setState(behaviourType() == LEADER ? 10 : 9, 0);
        }
        break;
    }
    cActor* focus = focusActor();
    if (state != 100 && hasOption(OPTION_VIEW_CONE) && focus != nullptr) {
      faceToward(focus->getPixelX(), focus->getPixelY(), 0);
      setState(25, 0);
    }
    return;
  }
  // The knock-back while the reaction plays.
  const int32_t frame = animationFrame();
  const int32_t awayFromBlow = (pushDirection & DirectionMask::LEFT) != 0    ? DirectionMask::RIGHT
                               : (pushDirection & DirectionMask::RIGHT) != 0 ? DirectionMask::LEFT
                                                                             : 0;
  switch (reaction) {
    case 4:
      if (frame >= 3 && frame <= 5) walk(6144, awayFromBlow);
      break;
    case 3:
      if (landingY != 0 && landingY >= getPixelY()) {
        falling = true;
        walk(6144, DirectionMask::DOWN);
        walk(7680, pushDirection);
        falling = false;
        if (frame >= 5) setZ(0);
      } else {
        walk(4608, pushDirection);
      }
      break;
    case 8:
      walk(1536, pushDirection);
      break;
    case 6:
      if (frame <= 5) walk(2560, pushDirection);
      break;
    case 12:
      if (countDown() < 0 || isDefeated()) {
        palette = 0;
        if (isDefeated()) {
          setState(108, 0);
          flags &= ~ActorFlags::KIND_STATE;
        } else {
          setState(26, 0);
        }
      }
      break;
    case 1: case 5: case 9: case 10:
      break;
    default:
      walk(1024, pushDirection);
      break;
  }
}
