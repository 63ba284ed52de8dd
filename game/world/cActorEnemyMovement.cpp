// How a creature heads and moves: facing a point, the walking step with its
// way out of a blocked cell, the detour round a wall, and the grab.
#include <algorithm>
#include <cstdlib>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/shell/cGameStaticsAccess.h"
#include "game/world/cActorEnemy.h"
#include "game/world/cActorMC.h"
#include "runtime/lang/Arrays.h"

namespace {

constexpr int32_t walkingMask = 173;
constexpr int32_t fallingMask = 1;
constexpr int32_t cellSize = 32;

int32_t sign(int32_t v) { return v > 0 ? 1 : v < 0 ? -1 : 0; }

int32_t horizontalSign(int32_t mask) {
  if ((mask & DirectionMask::LEFT) != 0) return -1;
  if ((mask & DirectionMask::RIGHT) != 0) return 1;
  return 0;
}

int32_t verticalSign(int32_t mask) {
  if ((mask & DirectionMask::UP) != 0) return -2;
  if ((mask & DirectionMask::DOWN) != 0) return 2;
  return 0;
}

// The quarter angles of the angle table (y up): right 0, up, left, down.
int32_t quarterAngleOf(int32_t mask) {
  if ((mask & DirectionMask::LEFT) == DirectionMask::LEFT) return 128;
  if ((mask & DirectionMask::UP) == DirectionMask::UP) return 64;
  if ((mask & DirectionMask::DOWN) == DirectionMask::DOWN) return 192;
  return 0;
}

}  // namespace

int32_t cActorEnemy::approximateDistance(int32_t dx, int32_t dy) {
  const int64_t a = std::llabs(int64_t{dx});
  const int64_t b = std::llabs(int64_t{dy});
  return static_cast<int32_t>((246 * std::max(a, b) + 102 * std::min(a, b)) >> 8);
}

bool cActorEnemy::isNear(int32_t px, int32_t py, int32_t tolerance) const {
  return approximateDistance(px - getPixelX(), py - getPixelY()) <= tolerance;
}

void cActorEnemy::faceToward(int32_t px, int32_t py, int32_t) {
  const UnitVector heading = cGame::unitVector(getPixelX(), getPixelY(), px, py, true);
  setParam(13, heading.x);
  setParam(14, heading.y);
  if (heading.x == 0 && heading.y == 0) return;
  setDirectionFromHeading();
}

void cActorEnemy::setDirectionFromHeading() {
  const int32_t hx = param(13);
  const int32_t hy = param(14);
  if (hx == 0 && hy == 0) {
    viewAngle = quarterAngleOf(direction);
    return;
  }
  direction = hx > 128    ? DirectionMask::RIGHT
              : hx < -128 ? DirectionMask::LEFT
              : hy > 128  ? DirectionMask::DOWN
              : hy < -128 ? DirectionMask::UP
                          : 0;
  viewAngle = cGame::angleOf(hx, -hy);
}

void cActorEnemy::faceTile(cActor* actor) {
  if (actor == nullptr) return;
  faceToward(actor->getPixelX() / cellSize * cellSize + 16, actor->getPixelY() / cellSize * cellSize + 16, 0);
}

bool cActorEnemy::isBlockedHere() {
  return cGame::isBlockedAt(getPixelX(), getPixelY(), falling ? fallingMask : walkingMask);
}

bool cActorEnemy::walk(int32_t speed, int32_t dir) {
  int64_t dx;
  int64_t dy;
  if (dir == -1) {
    const int64_t scaled = int64_t{shellStatics().cGameLoop.timeStep} * speed;
    dx = int64_t{param(13)} * scaled / 1000;
    dy = int64_t{param(14)} * scaled / 1000;
  } else {
    dx = int64_t{horizontalSign(dir)} * speed;
    dy = int64_t{verticalSign(dir)} * speed / 2;
  }
  const int32_t mask = falling ? fallingMask : walkingMask;
  const int64_t toX = std::clamp<int64_t>(x + dx, INT32_MIN, INT32_MAX);
  const int64_t toY = std::clamp<int64_t>(y + dy, INT32_MIN, INT32_MAX);
  const auto pixel = [](int64_t v) { return static_cast<int32_t>((v + 128) >> 8); };
  if (!cGame::isBlockedAt(pixel(toX), pixel(toY), mask)) {
    setX(static_cast<int32_t>(toX));
    setY(static_cast<int32_t>(toY));
    return true;
  }
  if (!cGame::isBlockedAt(getPixelX(), getPixelY(), mask)) return false;
  // Stuck inside a blocked cell: out to its centre, or to the nearest free
  // centre above or to the left.
  const int32_t centreX = getPixelX() / cellSize * cellSize + 16;
  const int32_t centreY = getPixelY() / cellSize * cellSize + 16;
  const int32_t candidates[][2] = {{centreX, centreY},
                                   {centreX - cellSize, centreY - cellSize},
                                   {centreX - cellSize, centreY},
                                   {centreX, centreY - cellSize}};
  for (const auto& c : candidates) {
    if (cGame::isBlockedAt(c[0], c[1], mask)) continue;
    setX(c[0] << 8);
    setY(c[1] << 8);
    return true;
  }
  return false;
}

void cActorEnemy::detour(int32_t) {
  const int32_t sx = sign(param(13));
  const int32_t sy = sign(param(14));
  const int32_t side = sx != 0 ? sx : detourSide;
  const int32_t px = getPixelX();
  const int32_t py = getPixelY();
  auto freeAt = [](int32_t ax, int32_t ay) { return !cGame::isBlockedAt(ax, ay, walkingMask); };
  int32_t nx = px;
  int32_t ny = py;
  if (sx != 0 && freeAt(px + 4 * side, py) && detourSide + side != 0) {
    nx = px + 4 * side;
    detourSide = side;
  } else if (sy != 0 && freeAt(px, py + 4 * sy) && detourSide + 2 * sy != 0) {
    ny = py + 4 * sy;
    detourSide = 2 * sy;
  } else if (!freeAt(px + 4 * side, py) && freeAt(px, py + 4 * side)) {
    ny = py + 4 * side;
    detourSide = 2 * side;
  } else if (sy != 0 && freeAt(px - 4 * side, py) && !freeAt(px, py + 4 * sy)) {
    nx = px - 4 * side;
    detourSide = -sy;
  } else if (!freeAt(px + 4 * side, py) && freeAt(px, py - 4 * side)) {
    ny = py - 4 * side;
    detourSide = -2 * side;
  } else if (sy != 0 && freeAt(px + 4 * side, py) && !freeAt(px, py + 4 * sy)) {
    nx = px + 4 * side;
    detourSide = sy;
  } else {
    return;
  }
  const int32_t width = cGame::getMapWidth();
  const int32_t height = cGame::getMapHeight();
  if (nx < 16 || nx > width - 16) nx = px;
  if (ny < 16 || ny > height - 16) ny = py;
  if (nx != px) setX(nx << 8);
  if (ny != py) setY(ny << 8);
}

void cActorEnemy::grabFocus() {
  if (cActorMC* character = focusCharacter()) character->grabTarget = this;
  cGame::setPlayerControl(false);
  cGame::openPopup(36, 0, 0, 1000, -1, -1, true);
}
