// How the player character reads directions from the keys, codes them, and
// walks through the collision map without entering a blocked cell: the
// 16-pixel steps, the snap onto the cell centre, the corner slide and the
// follow state's step around obstacles.
#include <algorithm>
#include <iterator>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/world/cActorMC.h"
#include "runtime/lang/Arrays.h"

namespace {

constexpr int32_t walkMask = 173;
constexpr int32_t edgeBand = 16;
constexpr int32_t longestStep = 4096;  // 16 px
constexpr int32_t cell = 32;
constexpr int32_t horizontalMask = DirectionMask::LEFT | DirectionMask::RIGHT;
constexpr int32_t verticalMask = DirectionMask::UP | DirectionMask::DOWN;

// The keys of each direction; the diagonal digits count for two.
constexpr int32_t upKeys[] = {1, 7, 8, 9};
constexpr int32_t downKeys[] = {2, 13, 14, 15};
constexpr int32_t leftKeys[] = {3, 7, 10, 13};
constexpr int32_t rightKeys[] = {4, 9, 12, 15};
constexpr int32_t plainUpKeys[] = {1, 8};
constexpr int32_t plainDownKeys[] = {2, 14};
constexpr int32_t plainLeftKeys[] = {3, 10};
constexpr int32_t plainRightKeys[] = {4, 12};

constexpr int32_t codeMasks[] = {0x2040, 0x2444, 0x404, 0x1414, 0x1010, 0x1910, 0x900, 0x2940};

template <size_t N>
bool anyKey(const int32_t (&keys)[N], bool (*test)(int32_t)) {
  return std::any_of(std::begin(keys), std::end(keys), test);
}

// Up before down and left before right.
template <size_t N>
int32_t directionOf(const int32_t (&up)[N], const int32_t (&down)[N], const int32_t (&left)[N],
                    const int32_t (&right)[N], bool (*test)(int32_t)) {
  int32_t vertical = 0;
  if (anyKey(up, test)) vertical = DirectionMask::UP;
  else if (anyKey(down, test)) vertical = DirectionMask::DOWN;
  int32_t horizontal = 0;
  if (anyKey(left, test)) horizontal = DirectionMask::LEFT;
  else if (anyKey(right, test)) horizontal = DirectionMask::RIGHT;
  return vertical | horizontal;
}

bool pressed(int32_t key) { return cGame::isKeyPressed(key); }
bool held(int32_t key) { return cGame::isKeyHeld(key); }
bool released(int32_t key) { return cGame::isKeyReleased(key); }
bool notHeld(int32_t key) { return cGame::isKeyNotHeld(key); }

bool blockedAt(int32_t px, int32_t py) { return cGame::isBlockedAt(px, py, walkMask); }

int32_t pixelOf(int32_t v) { return (v + 128) >> 8; }
int32_t cellCentre(int32_t p) { return p / cell * cell + cell / 2; }
// The nearest cell centre at or before p, and the one strictly after it.
int32_t centreAtOrBefore(int32_t p) {
  const int32_t c = cellCentre(p);
  return c <= p ? c : c - cell;
}
int32_t centreAfter(int32_t p) { return centreAtOrBefore(p) + cell; }

int32_t sign(int32_t v) { return v > 0 ? 1 : v < 0 ? -1 : 0; }

}  // namespace

int32_t cActorMC::pressedDirection() { return directionOf(upKeys, downKeys, leftKeys, rightKeys, pressed); }

int32_t cActorMC::heldDirection(int32_t pressedMask) {
  return pressedMask != 0 ? 0 : directionOf(upKeys, downKeys, leftKeys, rightKeys, held);
}

int32_t cActorMC::pressedDirectionPlain() {
  return directionOf(plainUpKeys, plainDownKeys, plainLeftKeys, plainRightKeys, pressed);
}

int32_t cActorMC::heldDirectionPlain(int32_t pressedMask) {
  return pressedMask != 0 ? 0 : directionOf(plainUpKeys, plainDownKeys, plainLeftKeys, plainRightKeys, held);
}

int32_t cActorMC::releasedDirection() { return directionOf(upKeys, downKeys, leftKeys, rightKeys, released); }

int32_t cActorMC::notHeldDirection(int32_t heldMask) {
  return heldMask != 0 ? 0 : directionOf(upKeys, downKeys, leftKeys, rightKeys, notHeld);
}

int32_t cActorMC::maskOfCode(int32_t code) { return code >= 0 && code < 8 ? codeMasks[code] : 0; }

int32_t cActorMC::codeOfMask(int32_t mask) {
  const bool left = (mask & DirectionMask::LEFT) != 0;
  const bool right = (mask & DirectionMask::RIGHT) != 0;
  if ((mask & DirectionMask::UP) != 0) return left ? 3 : right ? 1 : 2;
  if ((mask & DirectionMask::DOWN) != 0) return left ? 5 : right ? 7 : 6;
  if (left) return 4;
  return 0;
}

bool cActorMC::isInSector(int32_t code, int32_t angle) {
  if (code == 0) return angle >= 337 || angle < 22;
  return angle >= code * 45 - 23 && angle < code * 45 + 22;
}

int32_t cActorMC::facingIndexOfCode(int32_t code) {
  if (code == 0) return 3;
  if (code >= 1 && code <= 3) return 0;
  if (code == 4) return 1;
  return 2;
}

bool cActorMC::isPushingBackward() {
  if (facing == 0) return false;
  const int32_t against = (facing & DirectionMask::LEFT) != 0 ? DirectionMask::RIGHT : DirectionMask::LEFT;
  return (pressedDirection() & against) != 0;
}

bool cActorMC::moveWithCollision(int32_t direction, int32_t amountX, int32_t amountY, int32_t nudge) {
  nudged = false;
  bool free = true;
  bool blocked = false;
  const bool horizontal = (direction & horizontalMask) != 0;
  const bool vertical = (direction & verticalMask) != 0;
  const int32_t width = cGame::getMapWidth();
  const int32_t height = cGame::getMapHeight();
  int32_t fromX = getPixelX();
  int32_t fromY = getPixelY();
  int32_t ax = std::max(amountX, 0);
  int32_t ay = std::max(amountY, 0);
  while (ax >= 1 || ay >= 1) {
    fromX = getPixelX();
    fromY = getPixelY();
    const int32_t sx = std::min(ax, longestStep);
    const int32_t sy = std::min(ay, longestStep);
    int32_t newX = x + dirX * sx;
    if (pixelOf(newX) < edgeBand || pixelOf(newX) > width - edgeBand) {
      newX = x;
      free = false;
    }
    int32_t newY = y + dirY * sy;
    if (pixelOf(newY) < edgeBand || pixelOf(newY) > height - edgeBand) {
      newY = y;
      free = false;
    }
    setX(newX);
    setY(newY);
    if (horizontal) fromX = cellCentre(fromX);
    if (vertical) fromY = cellCentre(fromY);
    if (blockedAt(getPixelX(), getPixelY())) {
      blocked = true;
      break;
    }
    ax -= sx;
    ay -= sy;
  }
  if (!blocked) {
    if (isFocusCharacter()) cGame::moveWithBlockers(this, getPixelX(), getPixelY(), true);
    return true;
  }
  const int32_t newX = getPixelX();
  const int32_t newY = getPixelY();
  if (horizontal && !blockedAt(newX, fromY)) {
    setY(fromY << 8);
  } else if (vertical && !blockedAt(fromX, newY)) {
    setX(fromX << 8);
  } else {
    if (free && vertical) {
      const int32_t right = centreAfter(fromX);
      const int32_t left = centreAtOrBefore(fromX);
      // A slide stops on the free column's centre: overshooting it would
      // swing the character from side to side of a one-cell gap for ever.
      if (blockedAt(right, newY) && !blockedAt(left, newY)) {
        setX(std::max(fromX - nudge, left) << 8);
        setY(fromY << 8);
        nudged = true;
      }
      if (!blockedAt(right, newY)) {
        setX(std::min(fromX + nudge, right) << 8);
        setY(fromY << 8);
        nudged = true;
      }
    }
    if (free && horizontal) {
      const int32_t below = centreAfter(fromY);
      const int32_t above = centreAtOrBefore(fromY);
      if (blockedAt(newX, below) && !blockedAt(newX, above)) {
        setX(fromX << 8);
        setY(std::max(fromY - nudge, above) << 8);
        nudged = true;
      }
      if (!blockedAt(newX, below)) {
        setX(fromX << 8);
        setY(std::min(fromY + nudge, below) << 8);
        nudged = true;
      }
    }
    if (!nudged) {
      setX(fromX << 8);
      setY(fromY << 8);
    }
  }
  if (isFocusCharacter()) cGame::moveWithBlockers(this, getPixelX(), getPixelY(), true);
  return false;
}

void cActorMC::stepAround(int32_t) {
  const int32_t px = getPixelX();
  const int32_t py = getPixelY();
  const int32_t sx = sign(param(0));
  const int32_t sy = sign(param(1));
  const int32_t s = sx != 0 ? sx : lastSide;
  auto isFree = [](int32_t qx, int32_t qy) { return !blockedAt(qx, qy); };
  if (sx != 0 && isFree(px + s, py) && lastSide + s != 0) {
    setX((px + s) << 8);
    lastSide = s;
  } else if (sy != 0 && isFree(px, py + sy) && lastSide + 2 * sy != 0) {
    setY((py + sy) << 8);
    lastSide = 2 * sy;
  } else if (!isFree(px + s, py) && isFree(px, py + s)) {
    setY((py + s) << 8);
    lastSide = 2 * s;
  } else if (sy != 0 && isFree(px - s, py) && !isFree(px, py + sy)) {
    setX((px - s) << 8);
    lastSide = -sy;
  } else if (!isFree(px + s, py) && isFree(px, py - s)) {
    setY((py - s) << 8);
    lastSide = -2 * s;
  } else if (sy != 0 && isFree(px + s, py) && !isFree(px, py + sy)) {
    setX((px + s) << 8);
    lastSide = sy;
  }
  const int32_t width = cGame::getMapWidth();
  const int32_t height = cGame::getMapHeight();
  if (getPixelX() < edgeBand || getPixelX() > width - edgeBand) setX(px << 8);
  if (getPixelY() < edgeBand || getPixelY() > height - edgeBand) setY(py << 8);
}

void cActorMC::facingFromParams() {
  facing = 0;
  if (param(0) > 0) facing |= DirectionMask::RIGHT;
  else if (param(0) < 0) facing |= DirectionMask::LEFT;
  if (param(1) > 0) facing |= DirectionMask::DOWN;
  else if (param(1) < 0) facing |= DirectionMask::UP;
  setDirFromMask(facing);
}

void cActorMC::aimAtPoint(cActor* from, int32_t px, int32_t py) {
  if (from == nullptr) return;
  const UnitVector unit = cGame::unitVector(from->getPixelX(), from->getPixelY(), px, py, true);
  setParam(0, unit.x);
  setParam(1, unit.y);
  if (unit.x != 0 || unit.y != 0) facingFromParams();
}

int32_t cActorMC::angleTo(cActor* other) {
  if (other == nullptr) return 0;
  const int32_t dx = other->getPixelX() - getPixelX();
  const int32_t dy = getPixelY() - other->getPixelY();
  const int32_t angle = cGame::angleOf(dx, dy) * 360 / 256;
  return (angle % 360 + 360) % 360;
}

int32_t cActorMC::directionTo(cActor* other, bool turn) {
  if (other == nullptr) return 0;
  const int32_t angle = angleTo(other);
  int32_t mask = 0;
  for (int32_t code = 0; code < 8; ++code) {
    if (isInSector(code, angle)) {
      mask = codeMasks[code];
      break;
    }
  }
  if (turn && mask != 0) setFacing(mask);
  return mask;
}
