// Blocks the focus character holds: where the character stands beside one,
// and letting go. params[4] is the side the block is handled from (1 left,
// 2 right, 4 above, 8 below); params[0] is set while it is held.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/world/cActor.h"
#include "game/world/cActorMC.h"
#include "runtime/lang/Arrays.h"
#include "runtime/object/Object.h"

namespace {

constexpr int32_t pushSound = 20;

void placeAtSide(cActor* block, cActor* other, int32_t aboveDy, int32_t belowDy) {
  if (other == nullptr) return;
  switch (block->param(4)) {
    case 1:
      other->setX(block->x - (60 << 8));
      other->setY(block->y - (8 << 8));
      break;
    case 2:
      other->setX(block->x + (60 << 8));
      other->setY(block->y - (8 << 8));
      break;
    case 4:
      other->setX(block->getPixelX() << 8);
      other->setY(block->y + (aboveDy << 8));
      break;
    case 8:
      other->setX(block->getPixelX() << 8);
      other->setY(block->y + (belowDy << 8));
      break;
    default:
      break;
  }
}

}  // namespace

void cActor::placeBeside(cActor* other) { placeAtSide(this, other, -20, 20); }

void cActor::placeBesideFar(cActor* other) { placeAtSide(this, other, -40, 16); }

bool cActor::releaseHold() {
  if (param(0) == 0) return false;
  setParam(0, 0);
  cActor* focus = worldStatics().cGamePlay.focusActor;
  placeBesideFar(focus);
  if (focus != nullptr && Object::instanceOf(focus, classid::cActorMC) != 0) {
    auto* character = static_cast<cActorMC*>(focus);
    if (character->state != 0) character->setState(0);
  }
  cGame::stopSound(pushSound);
  return true;
}

namespace {

constexpr int32_t cellSize = 32;
constexpr int32_t walkMask = 173;
constexpr int32_t blockBit = 4;
constexpr int32_t pushStepPixels = 4;

int32_t roundedToPixel(int32_t v) { return ((v + 128) >> 8) << 8; }

cActorMC* focusCharacter() {
  cActor* focus = worldStatics().cGamePlay.focusActor;
  if (focus == nullptr || Object::instanceOf(focus, classid::cActorMC) == 0) return nullptr;
  return static_cast<cActorMC*>(focus);
}

// The partner that walks behind the focus character, or null.
cActorMC* followingPartner() {
  const cGamePlayStatics& play = worldStatics().cGamePlay;
  for (cActorMC* partner : {play.firstPartner, play.secondPartner}) {
    if (partner != nullptr && partner != play.focusActor && partner->followsCompanion()) return partner;
  }
  return nullptr;
}

// One step of at most pixels toward target on one axis, landing on it.
int32_t stepToward(int32_t from, int32_t target, int32_t pixels) {
  const int32_t step = pixels << 8;
  if (from < target) return from + step < target ? from + step : target;
  if (from > target) return from - step > target ? from - step : target;
  return from;
}

}  // namespace

bool cActor::startPush(int32_t mask) {
  const int32_t px = getPixelX();
  const int32_t py = getPixelY();
  const int32_t width = footprint != nullptr && footprint->length() >= 4 ? footprint->get(2) : 0;
  const int32_t side = param(4);
  int32_t pointX = px, pointY = py, n = 0, columnOffset = -1, rowOffset = -1;
  switch (mask) {
    case DirectionMask::LEFT:
      if (side == 4 || side == 8) return false;
      pointX = px - cellSize;
      n = width / 2;
      if (side == 1) {
        n += 1;
        columnOffset = -3;
      }
      break;
    case DirectionMask::RIGHT:
      if (side == 4 || side == 8) return false;
      pointX = px + cellSize;
      n = width / 2;
      columnOffset = 0;
      if (side == 2) {
        n += 1;
        columnOffset = 1;
      }
      break;
    case DirectionMask::UP:
      if (side == 1 || side == 2) return false;
      pointY = py - cellSize;
      n = width;
      if (side == 4) rowOffset = -2;
      break;
    case DirectionMask::DOWN:
      if (side == 1 || side == 2) return false;
      pointY = py + cellSize;
      n = width;
      if (side == 8) rowOffset = 0;
      break;
    default:
      return false;
  }
  const int32_t cx = pointX / cellSize;
  const int32_t cy = pointY / cellSize;
  const int32_t row = cy + rowOffset;
  for (int32_t i = 0; i < n; ++i) {
    const int32_t column = cx + columnOffset + i;
    if (column < 1 || int64_t{column} * cellSize > cGame::getMapWidth() || int64_t{row} * cellSize > cGame::getMapHeight() ||
        cGame::testCollision(column, row, walkMask)) {
      return false;
    }
  }
  setParam(3, mask);
  setParam(1, cx * cellSize);
  setParam(2, cy * cellSize);
  return true;
}

bool cActor::pushArrived() const {
  switch (param(3)) {
    case DirectionMask::UP: return getPixelY() <= param(2);
    case DirectionMask::DOWN: return getPixelY() >= param(2);
    case DirectionMask::LEFT: return getPixelX() <= param(1);
    case DirectionMask::RIGHT: return getPixelX() >= param(1);
    default: return false;
  }
}

bool cActor::pushBlock(int32_t direction) {
  if (!startPush(direction)) return false;
  const int32_t fromX = x;
  const int32_t fromY = y;
  cGame::stampFootprint(this, 1, blockBit, true);
  setX(param(1) << 8);
  setY(param(2) << 8);
  cGame::stampFootprint(this, 0, blockBit, true);
  if (cActorMC* partner = followingPartner();
      partner != nullptr && cGame::isBlockedAt(partner->getPixelX(), partner->getPixelY(), blockBit)) {
    placeBesideFar(partner);
  }
  // The cells are taken at once; the block itself walks there frame by frame.
  setX(roundedToPixel(fromX));
  setY(roundedToPixel(fromY));
  setParam(0, 2);
  return true;
}

bool cActor::grabBlock() {
  cActorMC* character = focusCharacter();
  if (character != nullptr && !shellStatics().cGameProgress.sideViewMode && character->state != 18) {
    bool mayHold = true;
    if (character->state != 10 || character->facing != character->stateFacing) {
      if ((character->abilityFlags & 2) != 0) {
        mayHold = false;
      } else {
        character->state = 10;
        if (character->partnerIndex == 1) {
          character->playStateAnimAlt(10, character->facing);
        } else {
          character->playStateAnim(10, character->facing);
        }
        character->stateFacing = character->facing;
      }
    }
    if (mayHold) {
      placeBeside(character);
      character->speedX = 0;
      character->speedY = 0;
      if (character->sinceAction < 1501) character->sinceAction += shellStatics().cGameLoop.timeStep;
    }
  }
  setParam(0, 1);
  return true;
}

void cActor::updatePushable() {
  if (param(0) != 2) return;
  if (pushArrived()) {
    cActorMC* character = focusCharacter();
    if (character != nullptr && character->isHandlingBlock()) {
      grabBlock();
    } else {
      releaseHold();
    }
    return;
  }
  setX(stepToward(x, param(1) << 8, pushStepPixels));
  const int32_t beforeY = y;
  setY(stepToward(y, param(2) << 8, pushStepPixels));
  if (y != beforeY && !cGame::isSoundPlaying(pushSound)) cGame::playSound(pushSound, false);
}
