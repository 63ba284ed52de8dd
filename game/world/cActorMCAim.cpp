// The ranged ability of partner 1: the creatures on screen sorted into
// direction sectors, the candidates of the aimed sector, the shrinking
// aiming ring and its rating, the shot states and the one-frame beam.
#include <algorithm>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/world/cActorEnemy.h"
#include "game/world/cActorMC.h"
#include "platform/java_util/java_util_Random.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/ObjectArray.h"

using namespace shell;

namespace {

constexpr int32_t aimMask = 9;
constexpr int32_t ringStart = 48;
constexpr int32_t ringSmallest = 18;
constexpr int32_t ringHoldMillis = 500;
constexpr int32_t shotSound = 15;
constexpr int32_t beamColour = 0xFFE000;

cActorMCStatics& aim() { return worldStatics().cActorMC; }

int32_t sectorCount(int32_t code) {
  IntArray* counts = aim().sectorCounts;
  return counts != nullptr && code >= 0 && code < counts->length() ? counts->get(code) : 0;
}

int32_t ringAt(int32_t i) { return aim().aimRing != nullptr ? aim().aimRing->get(i) : 0; }
void setRing(int32_t i, int32_t v) {
  if (aim().aimRing != nullptr) aim().aimRing->set(i, v);
}

cActorEnemy* asCreature(Object* actor) {
  return actor != nullptr && Object::instanceOf(actor, classid::cActorEnemy) != 0 ? static_cast<cActorEnemy*>(actor)
                                                                                 : nullptr;
}

// The candidate's sort key in the aimed direction; the nearer wins.
bool isNearerInAim(int32_t code, cActor* a, cActor* b) {
  switch (code) {
    case 0: return a->getPixelX() < b->getPixelX();
    case 4: return a->getPixelX() > b->getPixelX();
    case 6: return a->getPixelY() < b->getPixelY();
    case 2: return a->getPixelY() > b->getPixelY();
    default: return false;
  }
}

int32_t nextRandom() {
  java_util_Random* random = loop().random;
  return random != nullptr ? random->nextInt() : 0;
}

}  // namespace

void cActorMC::updateAim(int32_t mask, bool keepCode, bool readKey) {
  cActorMCStatics& shared = aim();
  if (shared.aimCode != shared.lastAimCode) {
    shared.lastAimCode = shared.aimCode;
    shared.selectedCandidate = 0;
  }
  if (!keepCode) shared.aimCode = codeOfMask(mask);
  scanTargets();
  if (cActor* target = selectedAimTarget()) {
    setRing(7, target->getPixelX() - worldStatics().cGamePlay.cameraPixelX);
    setRing(8, target->getPixelY() - worldStatics().cGamePlay.cameraPixelY - 30);
    if (ringAt(0) > ringSmallest) {
      setRing(0, ringAt(0) - 2 * (loop().timeStep / 40));
      if (ringAt(0) <= ringSmallest) {
        setRing(0, ringSmallest);
        setRing(9, 0);
        shared.ringHeld = true;
      }
    } else {
      setRing(9, ringAt(9) + loop().timeStep);
      if (ringAt(9) >= ringHoldMillis) {
        setRing(0, ringStart);
        setRing(9, 0);
        shared.ringHeld = false;
      }
    }
  }
  if (readKey) {
    shared.aimKeyPressed = false;
    if (cGame::isKeyPressed(5) || cGame::isKeyPressed(11)) {
      shared.aimKeyPressed = true;
      shared.aimHit = false;
      if (isAimingStraight()) {
        const int32_t d = ringAt(0) - ringSmallest;
        shared.aimHit = true;
        if (d <= 0) shared.aimDamage = 100;
        else if (d <= 7) shared.aimDamage = 50;
        else if (d <= 14) shared.aimDamage = 30;
        else if (d <= 21) shared.aimDamage = 20;
        else if (d <= 28) shared.aimDamage = 20, shared.aimHit = (nextRandom() & 1) != 0;
        else shared.aimHit = false;
      }
    }
  }
  shared.selectedCandidate = std::min(shared.selectedCandidate, shared.candidateCount - 1);
}

void cActorMC::scanTargets() {
  cActorMCStatics& shared = aim();
  shared.candidateCount = 0;
  shared.outsideCount = 0;
  if (shared.sectorCounts == nullptr || shared.targets == nullptr || shared.aimCandidates == nullptr) return;
  for (int32_t i = 0; i < 8; ++i) shared.sectorCounts->set(i, 0);
  if (shared.selectedCandidate < 0) shared.selectedCandidate = 0;
  const int32_t count = std::min(shared.targetCount, shared.targets->length());
  for (int32_t i = 0; i < count; ++i) {
    auto* target = static_cast<cActor*>(shared.targets->get(i));
    if (target == nullptr) continue;
    const int32_t angle = angleTo(target);
    int32_t code = 0;
    while (code < 7 && !isInSector(code, angle)) ++code;
    shared.sectorCounts->set(code, shared.sectorCounts->get(code) + 1);
    if (code != shared.aimCode) {
      shared.outsideCount += 1;
      continue;
    }
    cActorEnemy* creature = asCreature(target);
    const bool reeling = creature != nullptr && (creature->state == 100 || creature->state == 102 || creature->state == 106);
    const bool visible = !cGame::lineBlocked(getPixelX(), getPixelY(), target->getPixelX(), target->getPixelY(), nullptr,
                                             true, aimMask, 0, 0, 0, nullptr);
    if (!visible || reeling || shared.candidateCount >= shared.aimCandidates->length()) continue;
    const int32_t added = shared.candidateCount;
    shared.aimCandidates->set(added, target);
    shared.candidateCount += 1;
    if (added > 0 && shared.selectedCandidate < added &&
        isNearerInAim(shared.aimCode, target, static_cast<cActor*>(shared.aimCandidates->get(shared.selectedCandidate)))) {
      shared.selectedCandidate = added;
    }
  }
  cActor* selected = selectedAimTarget();
  if (selected == shared.aimTarget && isAimingStraight()) return;
  setRing(0, ringStart);
  setRing(9, 0);
  shared.ringHeld = false;
  shared.aimTarget = selected;
}

cActor* cActorMC::selectedAimTarget() {
  const cActorMCStatics& shared = aim();
  const int32_t i = shared.selectedCandidate;
  if (shared.aimCandidates == nullptr || i < 0 || i >= shared.candidateCount) return nullptr;
  return static_cast<cActor*>(shared.aimCandidates->get(i));
}

bool cActorMC::isAimingStraight() { return aim().aimCode % 2 == 0 && selectedAimTarget() != nullptr; }

bool cActorMC::isRingShown() { return (state == 6 || state == 7) && isAimingStraight(); }

void cActorMC::updateAiming() {
  cActorMCStatics& shared = aim();
  const int32_t pressed = isFocusCharacter() ? pressedDirection() : 0;
  const int32_t held = isFocusCharacter() ? heldDirection(pressed) : 0;
  updateAim(facing, true, true);
  cActor* target = selectedAimTarget();
  if (target == nullptr) {
    if (pressed != 0) {
      setFacing(pressed);
      setState(3);
    } else if (sectorCount(codeOfMask(facing)) <= 0) {
      setFacing(maskOfCode(shared.aimCode));
      setState(0);
    }
    return;
  }
  if (held == 0) {
    shared.aimCode = codeOfMask(directionTo(target, true));
    lastAnim = -1;
    playCurrentStateAnim();
  }
  if (actionKeyPressed()) {
    if (barrierInReach != nullptr && barrierInReach->useBarrier()) return;
    if (objectInReach != nullptr && objectInReach->interact()) return;
    if (characterInReach != nullptr && interactWith(characterInReach)) {
      characterInReach = nullptr;
      return;
    }
    if (hotspotInReach != nullptr) {
      setState(103);
      return;
    }
    shared.aimCode = codeOfMask(directionTo(target, true));
    setState(22);
    cGame::playSound(shotSound, false);
    return;
  }
  const int32_t turn = pressed != 0 ? pressed : held;
  if (turn != 0 && codeOfMask(turn) != shared.aimCode && sectorCount(codeOfMask(turn)) > 0) {
    setFacing(turn);
    shared.aimCode = codeOfMask(turn);
    scanTargets();
    setState(6);
  } else if (held != 0) {
    setFacing(held);
    setState(7);
  }
}

void cActorMC::updateAimWalk() {
  cActorMCStatics& shared = aim();
  const int32_t held = isFocusCharacter() ? heldDirection(pressedDirection()) : 0;
  updateAim(facing, true, false);
  cActor* target = selectedAimTarget();
  if (target != nullptr) {
    shared.aimCode = codeOfMask(directionTo(target, false));
    lastAnim = -1;
    playCurrentStateAnim();
  }
  if (held != 0) {
    setFacing(held);
    setState(3);
  } else {
    setState(target != nullptr ? 6 : 3);
  }
}

void cActorMC::updateShot() {
  cActorMCStatics& shared = aim();
  if (shotTarget != nullptr) {
    setBeamTarget(shotTarget);
    if (cActorEnemy* creature = asCreature(shotTarget)) creature->takeBlow(3, horizontalFacing(), 1000);
    shotTarget = nullptr;
  } else if (shared.aimTarget != nullptr && shared.aimKeyPressed && shared.aimHit) {
    setBeamTarget(shared.aimTarget);
    if (cActorEnemy* creature = asCreature(shared.aimTarget)) {
      creature->takeBlow(10, maskOfCode(shared.aimCode), shared.aimDamage);
    }
    shared.aimKeyPressed = false;
  }
  const int32_t held = isFocusCharacter() ? heldDirection(pressedDirection()) : 0;
  if (held != 0) {
    setFacing(held);
    setState(3);
  } else if (isAnimEnded()) {
    setState(isFocusCharacter() ? 6 : 24);
  }
}

void cActorMC::updateAutoAim() {
  cActorMCStatics& shared = aim();
  updateAim(facing, true, false);
  shared.aimKeyPressed = false;
  if (followsCompanion() && companion != nullptr && cGame::distanceSquared(this, companion) > 16384) {
    setState(21);
    return;
  }
  if (isAimingStraight()) {
    stateTimer -= loop().timeStep;
    if (stateTimer > 0) return;
    shared.aimDamage = 30;
    shared.aimKeyPressed = shared.aimHit = true;
    shared.aimCode = codeOfMask(directionTo(selectedAimTarget(), false));
    setState(22);
    stateTimer = (nextRandom() % 3 + 1) * 1000;
    return;
  }
  if (sectorCount(codeOfMask(facing)) <= 0) {
    setFacing(maskOfCode(shared.aimCode));
    setState(0);
  }
}

void cActorMC::checkAutoAim() {
  cActorMCStatics& shared = aim();
  if (!isAimingStraight() && shared.plainDirections != nullptr) {
    for (int32_t i = 0; i < shared.plainDirections->length(); ++i) {
      const int32_t mask = shared.plainDirections->get(i);
      const int32_t code = codeOfMask(mask);
      if (sectorCount(code) > 0 && code != shared.aimCode) {
        setFacing(mask);
        shared.aimCode = code;
        scanTargets();
        setState(24);
        return;
      }
    }
  }
  if (sectorCount(codeOfMask(facing)) > 0) setState(24);
}

void cActorMC::setBeamTarget(cActor* target) {
  if (target == nullptr) return;
  if (beamTarget == nullptr) beamTarget = newIntArray(2);
  if (beamTarget == nullptr) return;
  beamTarget->set(0, target->getPixelX());
  beamTarget->set(1, target->getPixelY() - 88 + cGame::randomInRange(-5, 5));
}

void cActorMC::paintBeam() {
  if (beamTarget == nullptr) return;
  const int32_t code = aim().aimCode;
  const int32_t fromX = screenX + (code == 0 ? 64 : code == 4 ? -64 : 0);
  const int32_t fromY = screenY + (code == 2 ? -124 : code == 6 ? -64 : -94);
  const cGamePlayStatics& play = worldStatics().cGamePlay;
  cGame::drawThickLine(loop().graphics, 6, fromX, fromY, beamTarget->get(0) - play.cameraPixelX,
                       beamTarget->get(1) - play.cameraPixelY, beamColour, 255, 255);
  beamTarget = nullptr;
}
