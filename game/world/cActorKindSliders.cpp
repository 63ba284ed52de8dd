// The slider of kind 17: set off by a touch or by the player's push, it
// slides cell by cell, slows down, turns back at walls and comes to rest.
// params: [0] resting and [1] sliding animation, [2] 1: a touch sets it off
// once, [3] direction (1 left, 2 right, 4 up, 8 down), [4] start speed and
// [7] current speed (px per frame), [5] cells slid at full speed, [6] 1
// while sliding, [8] cells slid, [9]/[10] the target cell's pixel point.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/world/cActor.h"
#include "runtime/lang/Arrays.h"

namespace {

constexpr int32_t cellSize = 32;
constexpr int32_t slideMask = 13;
constexpr int32_t blockBit = 4;

int32_t roundedToPixel(int32_t v) { return ((v + 128) >> 8) << 8; }

// A direction mask (left 0x1010, ...) or a side (1, 2, 4, 8) as a side.
int32_t sideOf(int32_t direction) {
  if ((direction & 0x1000) != 0) return 1;
  if ((direction & 0x2000) != 0) return 2;
  if ((direction & 0x400) != 0) return 4;
  if ((direction & 0x800) != 0) return 8;
  return direction;
}

int32_t stepToward(int32_t from, int32_t target, int32_t pixels) {
  const int64_t step = int64_t{pixels} << 8;
  if (from < target) return from + step < target ? static_cast<int32_t>(from + step) : target;
  if (from > target) return from - step > target ? static_cast<int32_t>(from - step) : target;
  return from;
}

}  // namespace

bool cActor::startSlide(int32_t side) {
  const int32_t px = getPixelX();
  const int32_t py = getPixelY();
  const int32_t width = footprint != nullptr && footprint->length() >= 4 ? footprint->get(2) : 0;
  int32_t pointX = px, pointY = py, n = width, columnOffset = -1;
  switch (side) {
    case 1: pointX = px - cellSize; n = width / 2; break;
    case 2: pointX = px + cellSize; n = width / 2; columnOffset = 0; break;
    case 4: pointY = py - cellSize; break;
    case 8: pointY = py + cellSize; break;
    default: return false;
  }
  const int32_t cx = pointX / cellSize;
  const int32_t cy = pointY / cellSize;
  for (int32_t i = 0; i < n; ++i) {
    if (cGame::testCollision(cx + columnOffset + i, cy - 1, slideMask)) return false;
  }
  setParam(9, cx * cellSize);
  setParam(10, cy * cellSize);
  return true;
}

// Read by the slider's direction: the start speed in params[4] names no
// direction.
bool cActor::slideArrived() const {
  switch (param(3)) {
    case 4: return getPixelY() <= param(10);
    case 8: return getPixelY() >= param(10);
    case 1: return getPixelX() <= param(9);
    case 2: return getPixelX() >= param(9);
    default: return true;
  }
}

void cActor::cycleMoverState() {
  switch (param(3)) {
    case 1: setParam(3, 2); break;
    case 2: setParam(3, 1); break;
    case 4: setParam(3, 8); break;
    case 8: setParam(3, 4); break;
    default: break;
  }
}

void cActor::slide(int32_t direction, bool forced) {
  const bool sliding = param(6) != 0;
  if (!forced && !sliding) {
    const int32_t side = sideOf(direction);
    const bool horizontal = param(3) == 1 || param(3) == 2;
    const bool vertical = param(3) == 4 || param(3) == 8;
    if ((side == 1 || side == 2) && horizontal) {
      setParam(3, side);
    } else if ((side == 4 || side == 8) && vertical) {
      setParam(3, side);
    } else {
      return;
    }
  }
  if (!startSlide(param(3))) return;
  if (sliding) {
    setParam(8, param(8) + 1);
  } else {
    setParam(8, 0);
    setParam(7, param(4));
  }
  setAnim(param(1), -1);
  const int32_t fromX = x;
  const int32_t fromY = y;
  cGame::stampFootprint(this, 1, blockBit, true);
  setX(param(9) << 8);
  setY(param(10) << 8);
  cGame::stampFootprint(this, 0, blockBit, true);
  // The cells are taken at once; the slider itself moves there frame by frame.
  setX(roundedToPixel(fromX));
  setY(roundedToPixel(fromY));
  setParam(6, 1);
}

void cActor::updateSlider() {
  if (isNotActive()) return;
  if (param(6) == 0) {
    cActor* focus = worldStatics().cGamePlay.focusActor;
    if (param(2) == 1 && focus != nullptr && cGame::boxesOverlap(interactBox, this, focus->footprint, focus)) {
      setParam(2, 0);
      slide(param(3), true);
    }
    return;
  }
  if (!slideArrived()) {
    hitAhead();
    setX(stepToward(x, param(9) << 8, param(7)));
    setY(stepToward(y, param(10) << 8, param(7)));
    return;
  }
  if (startSlide(param(3))) {
    if (!(param(8) < param(5) && param(7) >= param(4)) && param(7) > 0) setParam(7, param(7) >> 1);
  } else {
    if (param(7) > 4) setParam(7, param(7) >> 1);
    if (param(7) > 0) cycleMoverState();
  }
  if (param(7) > 0) {
    slide(param(3), true);
  } else {
    setAnim(param(0), -1);
    setParam(6, 0);
  }
}
