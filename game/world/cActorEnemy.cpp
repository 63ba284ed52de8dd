// A creature's life cycle: set-up and reset, health, blows, defeat and the
// caller's reinforcements, and the small helpers its other files share.
#include "game/world/cActorEnemy.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/toolkit/CVLibPlayer.h"
#include "game/world/cActorMC.h"
#include "platform/java_util/java_util_Random.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/object/ObjectFactory.h"

namespace {

constexpr int32_t markerSprite = 28;
constexpr int32_t reinforcementSprite = 19;
constexpr int32_t defeatSound = 16;
constexpr int32_t subdueSound = 24;
constexpr int32_t subduedResult = 5;

IntArray* makeTable(std::initializer_list<int32_t> values) {
  IntArray* table = newIntArray(static_cast<int32_t>(values.size()));
  if (table == nullptr) return nullptr;
  int32_t i = 0;
  for (int32_t v : values) table->set(i++, v);
  return table;
}

void countResult(int32_t slot) {
  IntArray* results = shellStatics().cGameShared.results;
  if (results != nullptr && slot < results->length()) results->set(slot, results->get(slot) + 1);
}

}  // namespace

void cActorEnemy::clinit() {
  cActorEnemyStatics& s = worldStatics().cActorEnemy;
  s.idleRemarks = makeTable({160, 161, 162, 163});
  s.alarmedRemarks = makeTable({164, 165, 166, 167});
  s.workA = newIntArray(6);
  s.workB = newIntArray(8);
}

void cActorEnemy::reset() {
  if (isKilled()) {
    hp = 0;
    state = 104;
    return;
  }
  const int32_t facing = player != nullptr ? player->anim - param(8) : 2;
  direction = facing == 0   ? DirectionMask::UP
              : facing == 1 ? DirectionMask::LEFT
              : facing == 3 ? DirectionMask::RIGHT
                            : DirectionMask::DOWN;
  setParam(13, 0);
  setParam(14, 0);
  setDirectionFromHeading();
  state = 0;
  patrolNode = -1;
  if (hasOption(OPTION_PATROLS) && param(7) > 0) {
    patrolNode = 0;
    state = 1;
  } else if (hasOption(OPTION_SUBDUED) && hasOption(OPTION_MAY_STAY_SUBDUED)) {
    state = 107;
  }
  if (isDefeated()) state = 104;
  applyBehaviour();
  if (wearsOut()) {
    lifeTimer = 0;
    if (markerPlayer == nullptr) markerPlayer = newObject<CVLibPlayer>();
    if (markerPlayer != nullptr) {
      markerPlayer->setSprite(shell::spriteAt(markerSprite));
      markerPlayer->setAnim(0, -1);
    }
  }
  clearBalloon();
}

void cActorEnemy::addHealth(int32_t n) {
  if (n > 0) {
    hp = std::min(hp + n, param(22));
  } else if (n < 0) {
    hp = std::max(hp + n, 0);
    if (isDefeated()) {
      setState(104, 0);
      cGame::playSound(defeatSound, false);
    }
  }
}

void cActorEnemy::kill() {
  clearFootprintBlocking();
  flags |= ActorFlags::KILLED;
  hp = 0;
  setState(104, 0);
  clearBalloon();
}

void cActorEnemy::moveTo(int32_t px, int32_t py, int32_t speed, int32_t ms) {
  cActor::moveTo(px, py, speed, ms);
  const int32_t ownX = getPixelX();
  const int32_t ownY = getPixelY();
  int32_t heading = 0;
  if (px > ownX) heading |= 0x2000;
  else if (px < ownX) heading |= 0x1000;
  if (py > ownY) heading |= 0x800;
  else if (py < ownY) heading |= 0x400;
  direction = heading;
  setState(3, 0);
  applyBehaviour();
}

bool cActorEnemy::updateMove() {
  if (moveRecord == nullptr) return true;
  if (!cActor::updateMove()) return false;
  setState(0, 0);
  return true;
}

bool cActorEnemy::isFacingRight(int32_t mask) {
  if ((mask & DirectionMask::LEFT) != 0) return false;
  return (mask & (DirectionMask::RIGHT | DirectionMask::UP | DirectionMask::DOWN)) != 0;
}

int32_t cActorEnemy::getStateAnim(int32_t mask) {
  const int32_t facing = isFacingRight(mask) ? 1 : 0;
  switch (param(17)) {
    case 0: return facing + 28;
    case 1: return facing + 30;
    case 2: return facing + 32;
    case 3: return facing + 34;
    default: return facing;
  }
}

bool cActorEnemy::isOnScreen() {
  const cGamePlayStatics& play = worldStatics().cGamePlay;
  const bool wide = hasOption(OPTION_VIEW_CONE);
  const int64_t left = int64_t{play.cameraPixelX} - (wide ? 400 : 0);
  const int64_t top = int64_t{play.cameraPixelY} - (wide ? 240 : 0);
  const int64_t right = int64_t{play.cameraPixelX} + (wide ? 1200 : 800);
  const int64_t bottom = int64_t{play.cameraPixelY} + (wide ? 720 : 480);
  if (IntArray* rect = getFrameRect()) {
    return rect->get(2) >= left && rect->get(3) >= top && rect->get(0) <= right && rect->get(1) <= bottom;
  }
  // Without a frame the wide view of a cone carrier does not apply.
  const int32_t px = getPixelX();
  const int32_t py = getPixelY();
  return px >= play.cameraPixelX && px <= play.cameraPixelX + 800 && py >= play.cameraPixelY &&
         py <= play.cameraPixelY + 480;
}

void cActorEnemy::onHit() {
  if (isDefeated()) {
    setState(104, 0);
    cGame::playSound(defeatSound, false);
  } else {
    setState(103, 0);
  }
  applyBehaviour();
}

void cActorEnemy::subdue() {
  setState(107, 0);
  setParam(16, options() | OPTION_SUBDUED);
  applyBehaviour();
  countResult(subduedResult);
  cGame::playSound(subdueSound, false);
}

bool cActorEnemy::takeBlow(int32_t blowKind, int32_t blowDirection, int32_t damage) {
  if (state == 100 || isDefeated()) return false;
  hp = std::max(hp - damage, 0);
  if (wearsOut() && isDefeated() && behaviourType() != CALLER) {
    setState(666, 0);
    return true;
  }
  setParam(19, param(19) + damage);
  landingY = 0;
  if (blowKind == 3 && boundActor != nullptr) {
    landingY = boundActor->getPixelY();
    if (isNarrowBinding(bindRecord)) {
      boundActor = nullptr;
      bindRecord = nullptr;
    }
    clearBalloon();
  }
  int32_t reaction = blowKind;
  if (behaviourType() == LEADER) {
    if (reaction == 3 || reaction == 10) reaction = 6;
    setParam(18, param(18) + 1);
    if (state == 99) reaction = 8;
  } else if (behaviourType() == CALLER) {
    reaction = 12;
    palette = 1;
    setParam(15, 1000);
    if (param(19) >= 50) {
      setParam(19, 0);
      callReinforcements();
    }
  }
  subState = reaction;
  pushDirection = blowDirection;
  setState(100, 0);
  return true;
}

void cActorEnemy::startDying(int32_t phase) {
  subState = phase;
  setState(666, 0);
  if (worldStatics().cGameRoom.targetActor == this && behaviourType() == LEADER) {
    cGame::startCaptionPhase(3);
  }
}

int32_t cActorEnemy::countLiveReinforcements() {
  const int32_t mine = id >= 1 ? id : -1;
  int32_t alive = 0;
  for (cActor* actor = layerHead(0); actor != nullptr; actor = actor->nextInLayer) {
    cActorEnemy* creature = asCreature(actor);
    if (creature != nullptr && !creature->isKilled() && creature->callerId == mine && !creature->isDefeated()) {
      ++alive;
    }
  }
  return alive;
}

bool cActorEnemy::callReinforcement(int32_t pathNodeId) {
  IntArray* point = cGame::getPathNodePos(pathNodeId);
  if (point == nullptr) return false;
  if (countLiveReinforcements() >= reinforcementCap) {
    debugLog("Creature %d already has %d reinforcements; no more are called", id, reinforcementCap);
    return false;
  }
  IntArray* position = newIntArray(3);
  if (position == nullptr) return false;
  position->set(0, point->get(0) << 8);
  position->set(1, point->get(1) << 8);
  cActorEnemy* called = create(ActorKind::CREATURE, 0, position);
  if (called == nullptr || called->params == nullptr) return false;
  called->callerId = id >= 1 ? id : -1;
  called->setParam(0, ORDINARY);
  called->setParam(16, called->options() | 0x101);
  called->setParam(7, pathNodeId);
  called->setParam(22, 50);
  called->setParam(18, 0);
  called->setParam(19, 0);
  called->setParam(23, 60);
  called->setParam(24, 10);
  called->setSprite(shell::spriteAt(reinforcementSprite));
  called->setAnim(0, -1);
  called->flags |= ActorFlags::ACTIVE;
  called->hp = 50;
  called->shownHp = 50;
  called->reset();
  called->flags |= ActorFlags::RESTORED;
  return true;
}

void cActorEnemy::callReinforcements() {
  callReinforcement(param(20));
  callReinforcement(param(21));
}

// --- helpers

bool cActorEnemy::isNarrowBinding(IntArray* record) {
  return record != nullptr && record->length() >= 3 && ((record->get(2) + 128) & ~255) < 23040;
}

cActorEnemy* cActorEnemy::asCreature(cActor* actor) {
  if (actor == nullptr || actor->kind != ActorKind::CREATURE) return nullptr;
  return Object::instanceOf(actor, classid::cActorEnemy) != 0 ? static_cast<cActorEnemy*>(actor) : nullptr;
}

cActor* cActorEnemy::focusActor() { return worldStatics().cGamePlay.focusActor; }

cActorMC* cActorEnemy::focusCharacter() {
  cActor* focus = focusActor();
  if (focus == nullptr || Object::instanceOf(focus, classid::cActorMC) == 0) return nullptr;
  return static_cast<cActorMC*>(focus);
}

int32_t cActorEnemy::nextRandom() {
  java_util_Random* random = shellStatics().cGameLoop.random;
  return random != nullptr ? random->nextInt() : 0;
}

int32_t cActorEnemy::randomBelow(int32_t n) {
  if (n <= 0) return 0;
  // |r| in 64 bits: the smallest int has no 32-bit magnitude.
  return static_cast<int32_t>(std::llabs(int64_t{nextRandom()}) % n);
}

bool cActorEnemy::animationEnded() const { return player == nullptr || player->isAnimOver(); }

int32_t cActorEnemy::animationFrame() const { return player != nullptr ? player->aframe : 0; }

bool cActorEnemy::atLastFrame() const {
  return player == nullptr || player->aframe >= player->getAFrameCount() - 1;
}

int32_t cActorEnemy::horizontalFacing() const {
  return (direction & DirectionMask::LEFT) != 0 ? DirectionMask::LEFT : DirectionMask::RIGHT;
}

int32_t cActorEnemy::countDown() {
  const int32_t left = param(15) - shellStatics().cGameLoop.timeStep;
  setParam(15, left);
  return left;
}

bool cActorEnemy::isWithinReach(cActor* target, int32_t reach, int32_t vertical) const {
  return cGame::isNearInDirection(const_cast<cActorEnemy*>(this), target, direction, reach, vertical);
}

bool cActorEnemy::hasClearLine(cActor* target, int32_t mask) const {
  if (target == nullptr) return false;
  return !cGame::lineBlocked(getPixelX(), getPixelY(), target->getPixelX(), target->getPixelY(), nullptr, true, mask,
                             0, 0, 0, nullptr);
}
